#include "properties.h"

#include <QTemporaryDir>
#include <cstdlib>

#include "data/schemafile.h"

namespace torvel::fuzz {

QString freshDatabase(const QString& name) {
    static QTemporaryDir* top = [] {
        auto* made = QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                         ? new QTemporaryDir(QStringLiteral("/dev/shm/torvel-fuzz-XXXXXX"))
                         : new QTemporaryDir();
        require(made->isValid(), "a temporary folder can be made", made->errorString());
        // Removed by hand: destroyed with the other statics, the databases in it would outlive Qt's
        // SQL driver registry.
        std::atexit([] { top->remove(); });
        return made;
    }();
    const QString folder = top->filePath(name);
    const QString database = QDir(folder).filePath(QStringLiteral("Torvel.dat"));
    require(QDir().mkpath(folder) && (QFileInfo::exists(database) ||
                                      createDatabaseFromSchema(QStringLiteral(TORVEL_SCHEMA_FILE), database)),
            "a fresh database can be made", database);
    return database;
}

void check(bool holds, const char* property, const QString& detail) {
    static QStringList passedOver;
    if (holds || passedOver.contains(QLatin1String(property))) {
        return;
    }
    QFile list(qEnvironmentVariable("TORVEL_FUZZ_OPEN_FINDINGS"));
    require(list.open(QIODevice::ReadOnly | QIODevice::Text) &&
                QString::fromUtf8(list.readAll()).split(QLatin1Char('\n')).contains(QLatin1String(property)),
            property, detail);
    passedOver << QLatin1String(property);
    std::fprintf(stderr, "OPEN FINDING passed over: %s\n%s\n", property, detail.toUtf8().constData());
}

void require(bool holds, const char* property, const QString& detail) {
    if (!holds) {
        std::fprintf(stderr, "\nPROPERTY FAILED: %s\n%s\n", property, detail.toUtf8().constData());
        std::fflush(stderr);
        std::abort();
    }
}

QString shown(const QString& text) {
    QString out;
    for (const QChar ch : text) {
        const bool plain = ch.unicode() >= 0x20 && ch.unicode() < 0x7F && ch != QLatin1Char('\\');
        out += plain ? QString(ch) : QStringLiteral("\\u%1").arg(uint(ch.unicode()), 4, 16, QLatin1Char('0'));
    }
    return out;
}

}  // namespace torvel::fuzz
