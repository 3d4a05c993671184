#include "generator/packagebuilder.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/disc.h"
#include "wizard/stylepages.h"
#include "wizard/wizard.h"

namespace torvel {

PageInputs finishPageInputs(const Wizard& wizard) {
    const FormModel& form = wizard.form();
    PageInputs inputs;
    inputs.cdRoot = wizard.state().cdRoot;
    inputs.menuId = wizard.state().curMenuID;
    inputs.title = form.text(ctl::txtTitle);
    inputs.sound = form.text(ctl::txtBSound);
    inputs.logo = form.text(ctl::txtLogoImage);
    inputs.buttonOn = form.text(ctl::txtButtonOn);
    inputs.buttonOff = form.text(ctl::txtButtonOff);
    inputs.style = styleSheetValues(form);
    return inputs;
}

void installFinish(Wizard& wizard) {
    wizard.onClick(ctl::Finish, [&wizard] {
        // An entry still in the editor belongs in the menu before it is written.
        if (!wizard.settleUnsavedWork(QStringLiteral("the menu is created"))) {
            return;
        }
        reportMenuPackage(
            wizard.prompts(),
            buildMenuPackage(wizard.prompts(), wizard.myData(), wizard.form().text(ctl::cmbTemplate),
                             finishPageInputs(wizard), wizard.folders().files));
    });
}

}  // namespace torvel
