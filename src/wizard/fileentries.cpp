#include "wizard/compose.h"
#include "wizard/wizard.h"

namespace torvel {

void installFileEntries(Wizard& wizard) { (void)wizard; }

}  // namespace torvel
