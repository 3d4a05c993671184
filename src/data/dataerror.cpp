#include "data/dataerror.h"

#include <QDir>

namespace torvel {

namespace {
QString describe(const QString& file, const QString& statement, const QString& reason) {
    QString text = QStringLiteral("The menu database %1 could not be used: %2")
                       .arg(QDir::toNativeSeparators(file), reason);
    if (!statement.isEmpty()) {
        text += QStringLiteral("\nStatement: %1").arg(statement);
    }
    return text;
}
}  // namespace

DataError::DataError(const QString& file, const QString& statement, const QString& reason)
    : TorvelError(describe(file, statement, reason)), file_(file), statement_(statement), reason_(reason) {}

}  // namespace torvel
