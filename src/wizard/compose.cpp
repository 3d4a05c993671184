#include "wizard/compose.h"

#include "wizard/wizard.h"

namespace torvel {

std::unique_ptr<Wizard> buildWizard(Prompts& prompts, const ProgramFolders& folders) {
    auto wizard = std::make_unique<Wizard>(prompts, folders);
    installMenuLibrary(*wizard);
    installGeneralSettings(*wizard);
    installStylePages(*wizard);
    installTransitions(*wizard);
    installFileEntries(*wizard);
    installFinish(*wizard);
    installFinder(*wizard);
    installAbout(*wizard);
    installDisc(*wizard);
    return wizard;
}

}  // namespace torvel
