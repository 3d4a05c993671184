#include "data/finderqueries.h"

#include <QSet>

#include "data/statements.h"

namespace torvel {

QStringList titlesForFile(clsData& data, const QString& fileSearch) {
    // The database gives each combination once as far as its own comparison (A to Z only) goes;
    // combinations that differ in the case of other letters are merged here, the first one kept.
    QStringList titles;
    QSet<QString> seen;
    auto rs = data.GetRS(QString::fromUtf8(sql::distinctEntryTexts));
    for (; !rs->eof(); rs->moveNext()) {
        const QString title = rs->field(QStringLiteral("FileName"));
        const QString link = rs->field(QStringLiteral("FileLink"));
        if (!link.contains(fileSearch, Qt::CaseInsensitive)) {
            continue;
        }
        const QString description = rs->field(QStringLiteral("Description"));
        const QString key = QStringList{title, link, description}.join(QChar(0)).toCaseFolded();
        if (!seen.contains(key)) {
            seen.insert(key);
            titles << title;
        }
    }
    rs->close();
    return titles;
}

std::optional<QString> descriptionForTitle(clsData& data, const QString& title) {
    auto rs = data.GetRS(QString::fromUtf8(sql::entryDescriptions));
    std::optional<QString> description;
    for (; !rs->eof() && !description; rs->moveNext()) {
        if (QString::compare(rs->field(QStringLiteral("FileName")), title, Qt::CaseInsensitive) == 0) {
            description = rs->field(QStringLiteral("Description"));
        }
    }
    rs->close();
    return description;
}

}  // namespace torvel
