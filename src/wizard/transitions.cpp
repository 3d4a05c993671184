#include "wizard/compose.h"
#include "wizard/wizard.h"

namespace torvel {

void installTransitions(Wizard& wizard) { (void)wizard; }

}  // namespace torvel
