// torvel: the wizard in its Qt window. The folder of this executable is the program folder when
// it holds Torvel.dat (a portable copy, the build folder); an installed program keeps its data in
// the user's data folder, seeded on the first start from ../share/torvel, which also holds the
// AUTORUN.INF and Start.exe that Finish copies.
#include <QApplication>
#include <QDir>

#include "files/programfolders.h"
#include "ui/icons.h"
#include "ui/mainwindow.h"
#include "ui/qtprompts.h"
#include "wizard/compose.h"
#include "wizard/wizard.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Torvel"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setWindowIcon(torvel::programIcon());

    torvel::QtPrompts prompts;
    const torvel::ProgramFolders folders =
        torvel::locateProgramFolders(QCoreApplication::applicationDirPath(), torvel::userDataFolder());
    const auto wizard = torvel::buildWizard(prompts, folders);
    torvel::MainWindow window(*wizard, &prompts);
    window.show();
    // A data folder that cannot be seeded is reported; the database then says what it misses.
    wizard->run(QStringLiteral("Preparing the data folder %1").arg(QDir::toNativeSeparators(folders.data)),
                [&folders] { torvel::seedUserData(folders); });
    return QApplication::exec();
}
