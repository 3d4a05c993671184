#include "generator/packagebuilder.h"
#include "wizard/compose.h"
#include "wizard/fileentries.h"
#include "wizard/wizard.h"

namespace torvel {

void installFinish(Wizard& wizard) {
    wizard.onClick(QStringLiteral("Finish"), [&wizard] {
        // An entry still in the editor belongs in the menu before it is written.
        if (!settleUnsavedEntry(wizard, QStringLiteral("the menu is created"))) {
            return;
        }
        const FormModel& form = wizard.form();
        PageInputs inputs;
        inputs.cdRoot = wizard.state().cdRoot;
        inputs.menuId = wizard.state().curMenuID;
        inputs.title = form.text(QStringLiteral("txtTitle"));
        inputs.sound = form.text(QStringLiteral("txtBSound"));
        inputs.logo = form.text(QStringLiteral("txtLogoImage"));
        inputs.buttonOn = form.text(QStringLiteral("txtButtonOn"));
        inputs.buttonOff = form.text(QStringLiteral("txtButtonOff"));
        reportMenuPackage(wizard.prompts(), buildMenuPackage(wizard.prompts(), wizard.myData(),
                                                             form.text(QStringLiteral("cmbTemplate")), inputs,
                                                             wizard.programDir()));
    });
}

}  // namespace torvel
