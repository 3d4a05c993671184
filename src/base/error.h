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

}  // namespace torvel
