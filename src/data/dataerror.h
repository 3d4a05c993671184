#pragma once

#include <QString>

#include "base/error.h"

namespace torvel {

// A database file that cannot be opened or a statement that fails.
class DataError : public TorvelError {
public:
    DataError(const QString& file, const QString& statement, const QString& reason);
    QString file() const { return file_; }
    QString statement() const { return statement_; }
    QString reason() const { return reason_; }

private:
    QString file_;
    QString statement_;
    QString reason_;
};

}  // namespace torvel
