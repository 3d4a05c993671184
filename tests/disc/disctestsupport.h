#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>

namespace torvel::test {

// xorriso with these arguments: its exit status and standard output (its reports go to standard
// error). A xorriso that cannot be started fails the test.
std::pair<int, QString> xorriso(const QStringList& arguments);

// The paths of an image as xorriso reads them: "rr" Rock Ridge, "norock" Joliet, "ecma119" the
// ISO 9660 names; "/" first.
QStringList imagePaths(const QString& image, const QString& names);

// Every file below a folder with its bytes, by its path below the folder ("/" between steps).
// A link counts as the file it leads to.
std::map<QString, QByteArray> filesBelow(const QString& folder);

// Writes a file of `size` bytes that differ from each other's, creating its folders.
void writeBytes(const QString& path, qint64 size, int seed);

}  // namespace torvel::test
