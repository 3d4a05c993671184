// The floor of the start-up figure: a bare Qt program showing an empty main window of the given
// size, ended at its first paint: torvel_startup_bare WIDTH HEIGHT [TEXT]. With TEXT the window
// shows it in a label, which makes Qt load its fonts: a second floor that tells how much of the
// start-up is drawing any text at all.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include "firstpaint.h"

int main(int argc, char** argv) {
    Phases phases;
    QApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: torvel_startup_bare WIDTH HEIGHT [TEXT]\n");
        return 2;
    }
    QApplication::setApplicationName(QStringLiteral("Bare"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    phases.mark("application");

    QMainWindow window;
    window.resize(std::atoi(argv[1]), std::atoi(argv[2]));
    if (argc == 4) {
        window.setCentralWidget(new QLabel(QString::fromLocal8Bit(argv[3])));
    }
    phases.mark("window");
    FirstPaint firstPaint(&window, phases);
    app.installEventFilter(&firstPaint);
    window.show();
    phases.mark("shown");
    return QApplication::exec();
}
