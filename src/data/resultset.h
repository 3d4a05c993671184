#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <vector>

namespace torvel {

// A query's result, fetched whole into memory. Fields are read by column name without regard
// to letter case; null fields read as empty text. An editable result set also takes field
// assignments on the current row and commits every changed row in one batch.
class ResultSet {
public:
    struct RowChange {
        qint64 rowid = 0;
        QStringList columns;
        QVariantList values;
    };
    // Writes the changed rows of one table in one transaction.
    using Committer = std::function<void(const QString& table, const std::vector<RowChange>& changes)>;

    ResultSet(QStringList columns, std::vector<QVariantList> rows);
    // An editable result set: rowids holds SQLite's rowid of every row of `table`.
    ResultSet(QStringList columns, std::vector<QVariantList> rows, QString table, std::vector<qint64> rowids,
              Committer committer);

    bool eof() const { return pos_ >= rows_.size(); }
    void moveNext();
    void moveFirst() { pos_ = 0; }
    int recordCount() const { return static_cast<int>(rows_.size()); }
    bool editable() const { return static_cast<bool>(committer_); }
    const QStringList& columns() const { return columns_; }

    // The field of the current row as text ("" for null). Throws on an unknown column or at the end.
    QString field(const QString& column) const;
    QVariant value(const QString& column) const;
    bool hasColumn(const QString& column) const { return indexOf(column) >= 0; }

    // Assigns a field of the current row; an error on a read-only result set.
    void setField(const QString& column, const QVariant& value);
    // Commits all changed rows with one batch update.
    void updateBatch();
    void close();

private:
    int indexOf(const QString& column) const;
    int columnOrThrow(const QString& column) const;
    void checkRow() const;

    QStringList columns_;
    std::vector<QVariantList> rows_;
    std::vector<std::vector<bool>> changed_;
    QString table_;
    std::vector<qint64> rowids_;
    Committer committer_;
    size_t pos_ = 0;
};

}  // namespace torvel
