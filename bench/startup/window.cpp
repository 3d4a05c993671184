// The Torvel window started as src/app/main.cpp starts it, ended at its first paint:
// torvel_startup_window PROGRAM_DIR.
#include <QApplication>

#include "firstpaint.h"
#include "ui/icons.h"
#include "ui/mainwindow.h"
#include "ui/qtprompts.h"
#include "wizard/compose.h"
#include "wizard/wizard.h"

int main(int argc, char** argv) {
    Phases phases;
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: torvel_startup_window PROGRAM_DIR\n");
        return 2;
    }
    QApplication::setApplicationName(QStringLiteral("Torvel"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    phases.mark("application");
    QApplication::setWindowIcon(torvel::programIcon());
    phases.mark("icon");

    torvel::QtPrompts prompts;
    const auto wizard = torvel::buildWizard(prompts, QString::fromLocal8Bit(argv[1]));
    phases.mark("wizard");
    torvel::MainWindow window(*wizard, &prompts);
    phases.mark("window");
    FirstPaint firstPaint(&window, phases);
    app.installEventFilter(&firstPaint);
    window.show();
    phases.mark("shown");
    return QApplication::exec();
}
