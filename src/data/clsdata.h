#pragma once

#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>

#include "data/resultset.h"

class QSqlQuery;

namespace torvel {

using Params = QVariantList;

// The rows of a query read one at a time as SQLite produces them, for results too large to hold
// at once. Columns are found by name once and read by position; null fields read as empty text.
class RowCursor {
public:
    ~RowCursor();
    RowCursor(const RowCursor&) = delete;
    RowCursor& operator=(const RowCursor&) = delete;

    // Moves to the next row; false after the last. A failure on the way throws DataError.
    bool next();
    // The position of a column (letter case ignored); an unknown column throws DataError.
    int column(const QString& name) const;
    QString text(int column) const;
    QVariant value(int column) const;

private:
    friend class clsData;
    RowCursor(std::unique_ptr<QSqlQuery> query, QString file, QString sql);

    std::unique_ptr<QSqlQuery> query_;
    QString file_;
    QString sql_;
};

// The one way into the menu database. Each object keeps one connection open (opened on the first
// call, reopened after any failure) to a database file that must already exist: it is opened
// read-write and never created. Failures throw DataError naming the file, the statement and the reason.
class clsData {
public:
    explicit clsData(QString databaseFile);
    ~clsData();
    clsData(const clsData&) = delete;
    clsData& operator=(const clsData&) = delete;

    // Runs a query and fetches its whole result. With edit set, the result takes field
    // assignments and commits them by SQLite's rowid (the query must read one table).
    std::unique_ptr<ResultSet> GetRS(const QString& sql, const Params& params = {}, bool edit = false);
    // Runs a query whose rows are read one at a time, beside any other statement.
    std::unique_ptr<RowCursor> openCursor(const QString& sql, const Params& params = {});
    // The first field of the first row of a query (a count), or an invalid value without a row.
    QVariant scalar(const QString& sql, const Params& params = {});
    // Executes one statement; returns true when it ran (a failure throws instead).
    bool ExecuteSQL(const QString& sql, const Params& params = {});
    // Executes an insert and returns the key of the row it created, read on the same connection.
    qint64 executeInsert(const QString& sql, const Params& params = {});
    // Executes a file entry insert, then raises fileAdded; a failed insert raises nothing.
    void addFile(const QString& sql, const Params& params = {});

    // Raised after a file entry insert through addFile.
    std::function<void()> fileAdded;

    const QString& databaseFile() const { return file_; }

private:
    class Connection;
    void commit(const QString& table, const std::vector<ResultSet::RowChange>& changes);

    QString file_;
    std::unique_ptr<Connection> connection_;
};

}  // namespace torvel
