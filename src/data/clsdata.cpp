#include "data/clsdata.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <map>

#include "data/dataerror.h"
#include "data/statements.h"

namespace torvel {

namespace {

const QString kRowidColumn = QStringLiteral("torvel_rowid_");

QString nextConnectionName() {
    static QAtomicInteger<int> counter;
    return QStringLiteral("torvel-data-%1").arg(counter.fetchAndAddRelaxed(1));
}

}  // namespace

// One SQLite connection, opened read-write without create.
class clsData::Connection {
public:
    explicit Connection(const QString& file) : name_(nextConnectionName()), file_(file) {}
    ~Connection() { drop(); }

    // The open connection; the file is checked, and the connection opened, only when there is none
    // (the first call, or the call after a failure).
    QSqlDatabase open(const QString& statement) {
        if (broken_) {
            drop();
            broken_ = false;
        }
        if (QSqlDatabase::contains(name_)) {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            if (db.isOpen()) {
                return db;
            }
        }
        const QFileInfo info(file_);
        if (!info.exists()) {
            drop();
            throw DataError(file_, statement, QStringLiteral("the file does not exist"));
        }
        if (!info.isFile() || !info.isReadable()) {
            drop();
            throw DataError(file_, statement, QStringLiteral("the file cannot be read"));
        }
        QSqlDatabase db = QSqlDatabase::contains(name_)
                              ? QSqlDatabase::database(name_, false)
                              : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        if (!db.isValid()) {
            throw DataError(file_, statement,
                            QStringLiteral("Qt's SQLite driver (QSQLITE) is not installed"));
        }
        db.setDatabaseName(QUrl::fromLocalFile(file_).toString(QUrl::FullyEncoded) +
                           QStringLiteral("?mode=rw"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
        if (!db.open()) {
            const QString reason = db.lastError().text();
            db = QSqlDatabase();
            drop();
            throw DataError(file_, statement, reason);
        }
        addEntryIndexes(db);
        return db;
    }

    // The indexes of the entry lookups, for files stored before them. A file that cannot take it now
    // (read-only, or locked by another program) is used without it; nobody waits for the lock.
    static void addEntryIndexes(const QSqlDatabase& db) {
        QSqlQuery query(db);
        query.exec(QStringLiteral("PRAGMA busy_timeout=0"));
        for (const char* statement : sql::createEntryIndexes) {
            query.exec(QString::fromLatin1(statement));
        }
        query.exec(QStringLiteral("PRAGMA busy_timeout=5000"));
    }

    // Forgets the connection so that the next call opens the file anew.
    void drop() {
        prepared_.clear();
        if (QSqlDatabase::contains(name_)) {
            {
                QSqlDatabase db = QSqlDatabase::database(name_, false);
                db.close();
            }
            QSqlDatabase::removeDatabase(name_);
        }
    }

    // Runs a statement, prepared once for the life of the connection. The query stays valid until
    // the next call; a query that read rows is finished by its caller.
    QSqlQuery& run(const QString& sql, const Params& params) {
        QSqlDatabase db = open(sql);
        auto it = prepared_.find(sql);
        if (it == prepared_.end()) {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            if (!query.prepare(sql)) {
                fail(query, sql);
            }
            it = prepared_.emplace(sql, std::move(query)).first;
        }
        QSqlQuery& query = it->second;
        bindAll(query, params);
        if (!query.exec()) {
            fail(query, sql);
        }
        return query;
    }

    // A query of its own, for rows read one at a time while other statements run.
    QSqlQuery runAlone(const QString& sql, const Params& params) {
        QSqlQuery query(open(sql));
        query.setForwardOnly(true);
        if (!query.prepare(sql)) {
            fail(query, sql);
        }
        bindAll(query, params);
        if (!query.exec()) {
            fail(query, sql);
        }
        return query;
    }

    static void bindAll(QSqlQuery& query, const Params& params) {
        for (int i = 0; i < params.size(); ++i) {
            const QVariant& p = params[i];
            // A field left empty is stored as empty text, as typed, never as NULL.
            const bool nullText = p.typeId() == QMetaType::QString && p.toString().isNull();
            query.bindValue(i, nullText ? QVariant(QStringLiteral("")) : p);
        }
    }

    [[noreturn]] void fail(const QSqlQuery& query, const QString& sql) {
        QString reason = query.lastError().databaseText();
        if (reason.isEmpty()) {
            reason = query.lastError().text();
        }
        broken_ = true;
        throw DataError(file_, sql, reason);
    }

    // After a failure the connection is reopened by the next call, so a file put back works again.
    void markBroken() { broken_ = true; }

    const QString& file() const { return file_; }

private:
    QString name_;
    QString file_;
    bool broken_ = false;
    std::map<QString, QSqlQuery> prepared_;
};

clsData::clsData(QString databaseFile)
    : file_(std::move(databaseFile)), connection_(std::make_unique<Connection>(file_)) {}

clsData::~clsData() = default;

std::unique_ptr<ResultSet> clsData::GetRS(const QString& sql, const Params& params, bool edit) {
    QString statement = sql;
    QString table;
    if (edit) {
        static const QRegularExpression select(
            QStringLiteral(R"(^\s*SELECT\s+(.+?)\s+FROM\s+(\w+)\b(.*)$)"),
            QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
        const auto m = select.match(sql);
        if (!m.hasMatch()) {
            throw DataError(file_, sql, QStringLiteral("an editable result must read a single table"));
        }
        table = m.captured(2);
        statement = QStringLiteral("SELECT rowid AS %1, %2 FROM %3%4")
                        .arg(kRowidColumn, m.captured(1), table, m.captured(3));
    }

    QSqlQuery& query = connection_->run(statement, params);
    const QSqlRecord record = query.record();
    QStringList columns;
    for (int i = 0; i < record.count(); ++i) {
        columns << record.fieldName(i);
    }
    const int first = edit ? 1 : 0;
    std::vector<QVariantList> rows;
    std::vector<qint64> rowids;
    while (query.next()) {
        QVariantList row;
        for (int i = first; i < columns.size(); ++i) {
            row << query.value(i);
        }
        rows.push_back(std::move(row));
        if (edit) {
            rowids.push_back(query.value(0).toLongLong());
        }
    }
    if (query.lastError().isValid()) {
        connection_->fail(query, statement);
    }
    query.finish();
    if (!edit) {
        return std::make_unique<ResultSet>(columns, std::move(rows));
    }
    columns.removeFirst();
    return std::make_unique<ResultSet>(
        columns, std::move(rows), table, std::move(rowids),
        [this](const QString& t, const std::vector<ResultSet::RowChange>& changes) { commit(t, changes); });
}

std::unique_ptr<RowCursor> clsData::openCursor(const QString& sql, const Params& params) {
    auto query = std::make_unique<QSqlQuery>(connection_->runAlone(sql, params));
    return std::unique_ptr<RowCursor>(new RowCursor(std::move(query), file_, sql));
}

QVariant clsData::scalar(const QString& sql, const Params& params) {
    QSqlQuery& query = connection_->run(sql, params);
    const QVariant value = query.next() ? query.value(0) : QVariant();
    if (query.lastError().isValid()) {
        connection_->fail(query, sql);
    }
    query.finish();
    return value;
}

RowCursor::RowCursor(std::unique_ptr<QSqlQuery> query, QString file, QString sql)
    : query_(std::move(query)), file_(std::move(file)), sql_(std::move(sql)) {}

RowCursor::~RowCursor() = default;

bool RowCursor::next() {
    if (query_->next()) {
        return true;
    }
    if (query_->lastError().isValid()) {
        throw DataError(file_, sql_, query_->lastError().text());
    }
    query_->finish();
    return false;
}

int RowCursor::column(const QString& name) const {
    const QSqlRecord record = query_->record();
    for (int i = 0; i < record.count(); ++i) {
        if (record.fieldName(i).compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    throw DataError(file_, sql_, QStringLiteral("the result has no column %1").arg(name));
}

QString RowCursor::text(int column) const {
    return query_->value(column).toString();
}

QVariant RowCursor::value(int column) const {
    return query_->value(column);
}

bool clsData::ExecuteSQL(const QString& sql, const Params& params) {
    connection_->run(sql, params);
    return true;
}

qint64 clsData::executeInsert(const QString& sql, const Params& params) {
    const QVariant key = connection_->run(sql, params).lastInsertId();
    if (!key.isValid()) {
        throw DataError(file_, sql, QStringLiteral("the database gave no key for the new row"));
    }
    return key.toLongLong();
}

void clsData::addFile(const QString& sql, const Params& params) {
    ExecuteSQL(sql, params);
    if (fileAdded) {
        fileAdded();
    }
}

void clsData::commit(const QString& table, const std::vector<ResultSet::RowChange>& changes) {
    QSqlDatabase db = connection_->open(QStringLiteral("BEGIN"));
    if (!db.transaction()) {
        const QString reason = db.lastError().text();
        connection_->markBroken();
        throw DataError(file_, QStringLiteral("BEGIN"), reason);
    }
    try {
        for (const auto& change : changes) {
            QStringList sets;
            for (const QString& c : change.columns) {
                sets << c + QStringLiteral("=?");
            }
            Params params = change.values;
            params << change.rowid;
            connection_->run(
                QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?").arg(table, sets.join(QStringLiteral(", "))),
                params);
        }
    } catch (...) {
        db.rollback();
        throw;
    }
    if (!db.commit()) {
        const QString reason = db.lastError().text();
        db.rollback();
        connection_->markBroken();
        throw DataError(file_, QStringLiteral("COMMIT"), reason);
    }
}

}  // namespace torvel
