#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include "data/clsdata.h"
#include "generator/pageframe.h"
#include "support/testsupport.h"

namespace torvel::test {

// An expected file of golden/: kept as readable text with LF line ends; the bytes a generated
// file must have are its lines with CR LF and its characters as Windows-1252 (© as A9).
QByteArray golden(const QString& name);

// A path of the platform, its parts joined with the platform separator.
QString nativePath(const QStringList& parts);

// A menu in a fresh Torvel.dat and an empty CD root folder.
struct MenuFixture {
    ProgramDir program;
    QTemporaryDir disc;
    clsData data{program.database()};
    qint64 menuId = 0;

    MenuFixture();
    QString cdRoot() const;
    // A file entry of the menu; a null QVariant stores NULL.
    void addEntry(const QVariant& category, const QVariant& title, const QVariant& link,
                  const QVariant& description, const QVariant& screenshot);
    PageInputs inputs(const QString& title = QStringLiteral("My CD")) const;
    QByteArray page() const;
};

}  // namespace torvel::test
