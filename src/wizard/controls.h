#pragma once

#include "form/formmodel.h"

namespace torvel {

// Page captions of the five wizard pages, frames "step0" to "step4".
inline constexpr int kPageCount = 5;
QString pageFrameName(int page);

// Fills a form with every control of the main window, with its caption or text, tooltip,
// tag and start visibility, on its page.
void addMainWindowControls(FormModel& form);

}  // namespace torvel
