#include "data/schemafile.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "data/dataerror.h"

namespace torvel {

namespace {

QStringList splitStatements(const QString& script) {
    QStringList statements;
    QString current;
    for (const QString& rawLine : script.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(QStringLiteral("--")) || line.isEmpty()) {
            continue;
        }
        current += rawLine + QLatin1Char('\n');
        if (line.endsWith(QLatin1Char(';'))) {
            statements << current.trimmed();
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty()) {
        statements << current.trimmed();
    }
    return statements;
}

}  // namespace

bool createDatabaseFromSchema(const QString& schemaFile, const QString& databaseFile) {
    if (QFileInfo::exists(databaseFile)) {
        return false;
    }
    QFile schema(schemaFile);
    if (!schema.open(QIODevice::ReadOnly | QIODevice::Text)) {
        throw DataError(databaseFile, QString(),
                        QStringLiteral("the schema %1 cannot be read").arg(schemaFile));
    }
    const QStringList statements = splitStatements(QString::fromUtf8(schema.readAll()));
    const QString name = QStringLiteral("torvel-schema-") + databaseFile;
    QString failure;
    QString failedStatement;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databaseFile);
        if (!db.open()) {
            failure = db.lastError().text();
        } else {
            db.transaction();
            for (const QString& statement : statements) {
                QSqlQuery query(db);
                if (!query.exec(statement)) {
                    failure = query.lastError().text();
                    failedStatement = statement;
                    break;
                }
            }
            if (failure.isEmpty()) {
                db.commit();
            } else {
                db.rollback();
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!failure.isEmpty()) {
        QFile::remove(databaseFile);
        throw DataError(databaseFile, failedStatement, failure);
    }
    return true;
}

}  // namespace torvel
