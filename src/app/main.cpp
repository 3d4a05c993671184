// torvel: the wizard in its Qt window. The program folder (Torvel.dat, AUTORUN.INF, Start.exe,
// the Styles folder) is the folder of this executable.
#include <QApplication>

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
    const auto wizard = torvel::buildWizard(prompts, QCoreApplication::applicationDirPath());
    torvel::MainWindow window(*wizard, &prompts);
    window.show();
    return QApplication::exec();
}
