#include "files/finder.h"

namespace torvel {

QString fileSearchOf(const QString& fileField, QChar separator) {
    QString path = fileField;
    path.replace(QLatin1Char('/'), separator);
    path.replace(QLatin1Char('\\'), separator);
    return fileNameOf(path, separator);
}

}  // namespace torvel
