#include "data/resultset.h"

#include "base/error.h"

namespace torvel {

ResultSet::ResultSet(QStringList columns, std::vector<QVariantList> rows)
    : columns_(std::move(columns)), rows_(std::move(rows)) {}

ResultSet::ResultSet(QStringList columns, std::vector<QVariantList> rows, QString table,
                     std::vector<qint64> rowids, Committer committer)
    : columns_(std::move(columns)),
      rows_(std::move(rows)),
      table_(std::move(table)),
      rowids_(std::move(rowids)),
      committer_(std::move(committer)) {
    changed_.assign(rows_.size(), std::vector<bool>(columns_.size(), false));
}

void ResultSet::moveNext() {
    if (pos_ < rows_.size()) {
        ++pos_;
    }
}

int ResultSet::indexOf(const QString& column) const {
    for (int i = 0; i < columns_.size(); ++i) {
        if (columns_[i].compare(column, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

int ResultSet::columnOrThrow(const QString& column) const {
    const int i = indexOf(column);
    if (i < 0) {
        throw TorvelError(QStringLiteral("The result has no column named %1.").arg(column));
    }
    return i;
}

void ResultSet::checkRow() const {
    if (eof()) {
        throw TorvelError(QStringLiteral("There is no current row to read or change."));
    }
}

QVariant ResultSet::value(const QString& column) const {
    const int i = columnOrThrow(column);
    checkRow();
    return rows_[pos_][i];
}

QString ResultSet::field(const QString& column) const {
    const QVariant v = value(column);
    return v.isNull() ? QString() : v.toString();
}

void ResultSet::setField(const QString& column, const QVariant& value) {
    if (!editable()) {
        throw TorvelError(
            QStringLiteral("The field %1 cannot be changed: the result is read-only.").arg(column));
    }
    const int i = columnOrThrow(column);
    checkRow();
    rows_[pos_][i] = value;
    changed_[pos_][static_cast<size_t>(i)] = true;
}

void ResultSet::updateBatch() {
    if (!editable()) {
        throw TorvelError(QStringLiteral("A read-only result cannot be committed."));
    }
    std::vector<RowChange> changes;
    for (size_t r = 0; r < rows_.size(); ++r) {
        RowChange change;
        change.rowid = rowids_[r];
        for (size_t c = 0; c < changed_[r].size(); ++c) {
            if (changed_[r][c]) {
                change.columns << columns_[static_cast<int>(c)];
                change.values << rows_[r][static_cast<int>(c)];
            }
        }
        if (!change.columns.isEmpty()) {
            changes.push_back(std::move(change));
        }
    }
    if (changes.empty()) {
        return;
    }
    committer_(table_, changes);
    for (auto& row : changed_) {
        std::fill(row.begin(), row.end(), false);
    }
}

void ResultSet::close() {
    rows_.clear();
    changed_.clear();
    rowids_.clear();
    pos_ = 0;
}

}  // namespace torvel
