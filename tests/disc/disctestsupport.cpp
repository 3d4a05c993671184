#include "disctestsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>

#include "support/testsupport.h"

namespace torvel::test {

std::pair<int, QString> xorriso(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(TORVEL_XORRISO), arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << "xorriso: " << process.errorString().toStdString();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput())};
}

QStringList imagePaths(const QString& image, const QString& names) {
    const auto [status, out] =
        xorriso({QStringLiteral("-read_fs"), names == QStringLiteral("rr") ? QStringLiteral("any") : names,
                 QStringLiteral("-indev"), image, QStringLiteral("-find"), QStringLiteral("/")});
    EXPECT_EQ(status, 0);
    QStringList paths;
    for (const QString& line : out.split(u'\n', Qt::SkipEmptyParts)) {
        paths << line.mid(1, line.size() - 2);  // xorriso quotes each path: '/a b'
    }
    return paths;
}

std::map<QString, QByteArray> filesBelow(const QString& folder) {
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[QDir(folder).relativeFilePath(path)] = readFile(path);
    }
    return files;
}

void writeBytes(const QString& path, qint64 size, int seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 x = 2654435761u * static_cast<quint32>(seed + 1);
    for (char& b : bytes) {
        x = x * 1664525u + 1013904223u;
        b = static_cast<char>(x >> 24);
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == size) << path.toStdString();
}

}  // namespace torvel::test
