#include "base/error.h"

namespace torvel {

TorvelError::TorvelError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message) {}

}  // namespace torvel
