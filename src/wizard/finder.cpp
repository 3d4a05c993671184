#include "wizard/compose.h"
#include "wizard/wizard.h"

namespace torvel {

void installFinder(Wizard& wizard) { (void)wizard; }

}  // namespace torvel
