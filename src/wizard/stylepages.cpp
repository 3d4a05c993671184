#include "wizard/compose.h"
#include "wizard/wizard.h"

namespace torvel {

void installStylePages(Wizard& wizard) { (void)wizard; }

}  // namespace torvel
