#include <QFileInfo>
#include <memory>

#include "about/aboutinfo.h"
#include "about/registry.h"
#include "wizard/compose.h"
#include "wizard/wizard.h"

namespace torvel {

namespace {

const QString kForm = QStringLiteral("frmAbout");

void addAboutControls(FormModel& dlg, const AboutInfo& info) {
    Control frame = makeControl("frmAbout", ControlKind::Frame, QStringLiteral("About ") + info.title);
    frame.color = kAboutBackColor;
    dlg.add(frame);
    dlg.add(makeControl("lblTitle", ControlKind::Label));
    dlg.add(makeControl("lblVersion", ControlKind::Label));
    dlg.add(makeControl("lblDescription", ControlKind::Label));
    dlg.add(makeControl("lblCompany", ControlKind::Label));
    dlg.add(makeControl("lblCopyright", ControlKind::Label));
    dlg.add(makeControl("Image1", ControlKind::Picture));
    dlg.add(makeControl("cmdOK", ControlKind::Button, QStringLiteral("OK"), QStringLiteral("Close window")));
    dlg.add(makeControl("cmdSysInfo", ControlKind::Button, QStringLiteral("System Info"),
                        QStringLiteral("display system information")));
    dlg.add(
        makeControl("ZelBText1", ControlKind::Button, info.company, QStringLiteral("visit ") + info.company));
}

// The dialog's load: caption, colour and the labels from the program's version information.
void loadAbout(FormModel& dlg, const AboutInfo& info) {
    dlg.setColor(kForm, kAboutBackColor);
    dlg.setCaption(kForm, QStringLiteral("About ") + info.title);
    dlg.setCaption(QStringLiteral("lblVersion"), versionText(info));
    dlg.setCaption(QStringLiteral("lblDescription"), info.description);
    dlg.setCaption(QStringLiteral("lblTitle"), info.product);
    dlg.setCaption(QStringLiteral("lblCompany"), info.company);
    dlg.setCaption(QStringLiteral("lblCopyright"), info.copyright);
}

}  // namespace

void installAbout(Wizard& wizard) {
    const AboutInfo info = aboutInfo();
    addAboutControls(wizard.dialog(kForm), info);
    std::shared_ptr<RegistryReader> registry = systemRegistry();

    wizard.onClick(QStringLiteral("mnuAbout"), [&wizard, info] {
        loadAbout(wizard.dialog(kForm), info);
        wizard.setDialogOpen(kForm, true);
    });
    wizard.onClick(kForm + QStringLiteral(".cmdOK"), [&wizard] { wizard.setDialogOpen(kForm, false); });
    wizard.onClick(kForm + QStringLiteral(".cmdSysInfo"), [&wizard, registry] {
        StartSysInfo(
            *registry, [](const QString& path) { return QFileInfo(path).isFile(); }, wizard.prompts());
    });
    wizard.onClick(kForm + QStringLiteral(".ZelBText1"),
                   [&wizard, info] { wizard.prompts().openUrl(info.company); });
}

}  // namespace torvel
