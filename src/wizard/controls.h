#pragma once

#include <QString>
#include <optional>

#include "form/formmodel.h"

namespace torvel {

// Page captions of the five wizard pages, frames "step0" to "step4".
inline constexpr int kPageCount = 5;
QString pageFrameName(int page);

// Fills a form with every control of the main window, with its caption or text, tooltip,
// tag and start visibility, on its page.
void addMainWindowControls(FormModel& form);

// The id of a menu or style list entry ("12: Holiday"): the whole number before its first colon,
// blanks around it allowed; nothing for a text that does not start so.
std::optional<qint64> listEntryId(const QString& entry);

}  // namespace torvel
