#include "wizard/compose.h"
#include "wizard/wizard.h"

namespace torvel {

void installFinish(Wizard& wizard) { (void)wizard; }

}  // namespace torvel
