#include "files/finder.h"

#include "data/statements.h"

namespace torvel {

QString fileSearchOf(const QString& fileField, QChar separator) {
    QString path = fileField;
    path.replace(QLatin1Char('/'), separator);
    path.replace(QLatin1Char('\\'), separator);
    return fileNameOf(path, separator);
}

QStringList titlesForFile(clsData& data, const QString& fileSearch) {
    QStringList titles;
    auto rs = data.GetRS(QString::fromUtf8(sql::entriesWithFileName), {fileSearch, fileSearch});
    for (; !rs->eof(); rs->moveNext()) {
        titles << rs->field(QStringLiteral("FileName"));
    }
    rs->close();
    return titles;
}

std::optional<QString> descriptionForTitle(clsData& data, const QString& title) {
    auto rs = data.GetRS(QString::fromUtf8(sql::descriptionByTitle), {title});
    std::optional<QString> description;
    if (!rs->eof()) {
        description = rs->field(QStringLiteral("Description"));
    }
    rs->close();
    return description;
}

}  // namespace torvel
