#include "wizard/compose.h"
#include "wizard/wizard.h"

namespace torvel {

void installGeneralSettings(Wizard& wizard) { (void)wizard; }

}  // namespace torvel
