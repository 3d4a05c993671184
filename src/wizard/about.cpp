#include "wizard/compose.h"
#include "wizard/wizard.h"

namespace torvel {

void installAbout(Wizard& wizard) { (void)wizard; }

}  // namespace torvel
