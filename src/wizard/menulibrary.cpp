#include "wizard/compose.h"
#include "wizard/wizard.h"

namespace torvel {

void installMenuLibrary(Wizard& wizard) { (void)wizard; }

}  // namespace torvel
