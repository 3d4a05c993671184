// Creates the program folder's Torvel.dat from the schema when it is missing; an existing
// file holds the user's menus and is never touched.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "base/error.h"
#include "data/schemafile.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: make-database SCHEMA DATABASE\n");
        return 2;
    }
    QDir().mkpath(QFileInfo(args[2]).absolutePath());
    try {
        if (torvel::createDatabaseFromSchema(args[1], args[2])) {
            std::printf("Created %s\n", qPrintable(args[2]));
        }
    } catch (const torvel::TorvelError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
