#pragma once

#include <QString>
#include <stdexcept>

namespace torvel {

// Base of every error this system reports to the user: carries a message fit to be shown.
class TorvelError : public std::runtime_error {
public:
    explicit TorvelError(const QString& message);
    QString message() const { return message_; }

private:
    QString message_;
};

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
