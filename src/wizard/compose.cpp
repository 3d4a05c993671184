#include "wizard/compose.h"

#include "wizard/wizard.h"

namespace torvel {

void installHandlers(Wizard& wizard) {
    installMenuLibrary(wizard);
    installGeneralSettings(wizard);
    installStylePages(wizard);
    installTransitions(wizard);
    installFileEntries(wizard);
    installFinish(wizard);
    installFinder(wizard);
    installAbout(wizard);
}

}  // namespace torvel
