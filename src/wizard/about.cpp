#include <QFileInfo>
#include <memory>

#include "about/aboutinfo.h"
#include "about/registry.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/wizard.h"

namespace torvel {

namespace {

const QString kForm = ctl::frmAbout;

void addAboutControls(FormModel& dlg, const AboutInfo& info) {
    Control frame = makeControl(ctl::frmAbout, ControlKind::Frame, QStringLiteral("About ") + info.title);
    frame.color = kAboutBackColor;
    frame.modal = true;
    dlg.add(frame);
    dlg.add(makeControl(ctl::lblTitle, ControlKind::Label));
    dlg.add(makeControl(ctl::lblVersion, ControlKind::Label));
    dlg.add(makeControl(ctl::lblDescription, ControlKind::Label));
    dlg.add(makeControl(ctl::Line1, ControlKind::Separator));
    dlg.add(makeControl(ctl::lblCompany, ControlKind::Label));
    dlg.add(makeControl(ctl::lblCopyright, ControlKind::Label));
    dlg.add(makeControl(ctl::lblDataFolder, ControlKind::Label));
    dlg.add(makeControl(ctl::Image1, ControlKind::Picture));
    Control ok =
        makeControl(ctl::cmdOK, ControlKind::Button, QStringLiteral("OK"), QStringLiteral("Close window"));
    ok.defaultButton = true;
    dlg.add(ok);
    dlg.add(makeControl(ctl::cmdSysInfo, ControlKind::Button, QStringLiteral("System Info"),
                        QStringLiteral("display system information")));
    dlg.add(makeControl(ctl::ZelBText1, ControlKind::Button, info.company,
                        QStringLiteral("visit ") + info.company));
    dlg.add(makeControl(ctl::Line2, ControlKind::Separator));
}

// The dialog's load: caption, colour and the labels from the program's version information, and
// the data folder in use.
void loadAbout(FormModel& dlg, const AboutInfo& info, const ProgramFolders& folders) {
    dlg.setColor(kForm, kAboutBackColor);
    dlg.setCaption(kForm, QStringLiteral("About ") + info.title);
    dlg.setCaption(ctl::lblVersion, versionText(info));
    dlg.setCaption(ctl::lblDescription, info.description);
    dlg.setCaption(ctl::lblTitle, info.product);
    dlg.setCaption(ctl::lblCompany, info.company);
    dlg.setCaption(ctl::lblCopyright, info.copyright);
    dlg.setCaption(ctl::lblDataFolder, dataFolderText(folders));
}

}  // namespace

void installAbout(Wizard& wizard) {
    const AboutInfo info = aboutInfo();
    addAboutControls(wizard.dialog(kForm), info);
    std::shared_ptr<RegistryReader> registry = systemRegistry();

    wizard.onClick(ctl::mnuAbout, [&wizard, info] {
        loadAbout(wizard.dialog(kForm), info, wizard.folders());
        wizard.setDialogOpen(kForm, true);
    });
    wizard.onClick(Wizard::dialogControl(kForm, ctl::cmdOK),
                   [&wizard] { wizard.setDialogOpen(kForm, false); });
    wizard.onClick(Wizard::dialogControl(kForm, ctl::cmdSysInfo), [&wizard, registry] {
        StartSysInfo(
            *registry, [](const QString& path) { return QFileInfo(path).isFile(); }, wizard.prompts());
    });
    wizard.onClick(Wizard::dialogControl(kForm, ctl::ZelBText1),
                   [&wizard, info] { wizard.prompts().openUrl(info.company); });
}

}  // namespace torvel
