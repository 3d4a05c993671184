#include "wizard/wizard.h"

#include <QDir>
#include <QScopeGuard>

#include "base/error.h"
#include "files/safefile.h"
#include "wizard/controlnames.h"
#include "wizard/controls.h"

namespace torvel {

QString databaseFileIn(const QString& programDir) {
    return QDir(programDir).filePath(QStringLiteral("Torvel.dat"));
}

Wizard::Wizard(Prompts& prompts, ProgramFolders folders)
    : prompts_(prompts), folders_(std::move(folders)), form_(QStringLiteral("frmTorvel")) {
    addMainWindowControls(form_);
    dialogs_[ctl::frmFiles] = std::make_unique<FormModel>(ctl::frmFiles);
    dialogs_[ctl::frmAbout] = std::make_unique<FormModel>(ctl::frmAbout);

    // Start-up: page 0, a data access object that has not touched the database yet, template "Standard".
    state_.curStep = 0;
    myData_ = std::make_unique<clsData>(databaseFileIn(folders_.data));
    state_.curMenuID = 0;
    form_.setText(ctl::cmbTemplate, form_.items(ctl::cmbTemplate).value(0));
    state_.menuLoaded = false;

    onClick(ctl::cmdNext, [this] { switchSteps(QStringLiteral("up")); });
    onClick(ctl::cmdBack, [this] { switchSteps(QStringLiteral("down")); });
    onClick(ctl::cmdClose, [this] { closeProgram(); });
    onClick(ctl::mnuQuit, [this] { closeProgram(); });
}

Wizard::~Wizard() = default;

FormModel& Wizard::dialog(const QString& form) {
    auto it = dialogs_.find(form);
    if (it == dialogs_.end()) {
        throw TorvelError(QStringLiteral("There is no dialog named %1.").arg(form));
    }
    return *it->second;
}

bool Wizard::isDialogOpen(const QString& form) const {
    auto it = dialogOpen_.find(form);
    return it != dialogOpen_.end() && it->second;
}

void Wizard::setDialogOpen(const QString& form, bool open) {
    if (isDialogOpen(form) == open) {
        return;
    }
    dialogOpen_[form] = open;
    if (open) {
        prompts_.showForm(form);
    } else {
        prompts_.closeForm(form);
    }
}

FormModel& Wizard::formOf(const QString& qualifiedName, QString* control) {
    const int dot = qualifiedName.indexOf(QLatin1Char('.'));
    if (dot < 0) {
        *control = qualifiedName;
        return form_;
    }
    *control = qualifiedName.mid(dot + 1);
    return dialog(qualifiedName.left(dot));
}

void Wizard::run(const QString& action, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const LinkedFolderError& e) {
        // The refusal says all there is to say.
        prompts_.message(MessageIcon::Critical, MessageButtons::Ok, kMessageTitle, e.message());
    } catch (const TorvelError& e) {
        prompts_.message(MessageIcon::Critical, MessageButtons::Ok, kMessageTitle,
                         QStringLiteral("%1 could not be completed.\n%2").arg(action, e.message()));
    } catch (const std::exception& e) {
        prompts_.message(
            MessageIcon::Critical, MessageButtons::Ok, kMessageTitle,
            QStringLiteral("%1 could not be completed.\n%2").arg(action, QString::fromLocal8Bit(e.what())));
    }
}

namespace {
QString actionName(const FormModel& form, const QString& control) {
    const Control* c = form.find(control);
    if (c == nullptr || c->caption.trimmed().isEmpty()) {
        return control;
    }
    return QStringLiteral("\"%1\"").arg(c->caption);
}
}  // namespace

void Wizard::click(const QString& control) {
    auto it = clicks_.find(control);
    if (it == clicks_.end()) {
        return;
    }
    QString name;
    const FormModel& form = formOf(control, &name);
    if (const Control* c = form.find(name); c != nullptr && !c->enabled) {
        return;  // a disabled control cannot be clicked
    }
    run(actionName(form, name), it->second);
}

void Wizard::choose(const QString& control, int index) {
    QString name;
    FormModel& form = formOf(control, &name);
    form.select(name, index);
    click(control);
}

void Wizard::openFolder(const QString& path) {
    if (folderChange_) {
        run(QStringLiteral("Opening the folder %1").arg(QDir::toNativeSeparators(path)),
            [&] { folderChange_(path); });
    }
}

void Wizard::pickDrive(const QString& drive) {
    run(QStringLiteral("Opening the drive %1").arg(drive), [&] { changeDrive(drive); });
}

void Wizard::changeDrive(const QString& drive) {
    if (driveChange_) {
        driveChange_(drive);
    }
}

std::optional<QString> Wizard::showOpen(const QString& title, std::optional<QString> filter,
                                        std::optional<QString> defaultExt,
                                        std::optional<QString> initialDir) {
    cdlg_.title = title;
    if (filter) {
        cdlg_.filter = *filter;
    }
    if (defaultExt) {
        cdlg_.defaultExt = *defaultExt;
    }
    if (initialDir) {
        cdlg_.initialDir = *initialDir;
    }
    return prompts_.openFile(cdlg_);
}

namespace {
const QString kBeforeClosing = QStringLiteral("Torvel closes");
}  // namespace

bool Wizard::settleUnsavedWork(const QString& before) {
    return !unsavedWork_ || unsavedWork_(before);
}

void Wizard::closeProgram() {
    if (!settleUnsavedWork(kBeforeClosing)) {
        return;
    }
    quitting_ = true;
    const auto done = qScopeGuard([this] { quitting_ = false; });
    prompts_.quit();
}

bool Wizard::mayClose() {
    if (quitting_) {
        return true;
    }
    bool settled = false;
    run(QStringLiteral("Closing Torvel"), [&] { settled = settleUnsavedWork(kBeforeClosing); });
    return settled;
}

void Wizard::switchSteps(const QString& direction) {
    int target;
    if (direction == QStringLiteral("up")) {
        target = state_.curStep + 1;
        const int leaving = state_.curStep;
        if (leaving >= 0 && leaving < kPageCount && leave_[leaving] && !leave_[leaving]()) {
            return;
        }
    } else {
        target = state_.curStep - 1;
    }
    if (target >= 0 && target < kPageCount) {
        for (int i = 0; i < kPageCount; ++i) {
            form_.setVisible(pageFrameName(i), i == target);
        }
        state_.curStep = target;
    }
    if (state_.curStep == kPageCount - 1) {
        showControls(QStringLiteral("Fin"), true);
        form_.setVisible(ctl::cmdNext, false);
    } else {
        showControls(QStringLiteral("Fin"), false);
        form_.setVisible(ctl::cmdNext, true);
    }
}

void Wizard::showControls(const QString& tag, bool show) {
    for (const QString& name : form_.namesWithTag(tag)) {
        form_.setVisible(name, show);
    }
}

void Wizard::setLeaveAction(int page, LeaveAction action) {
    if (page >= 0 && page < kPageCount) {
        leave_[page] = std::move(action);
    }
}

void Wizard::onClick(const QString& control, std::function<void()> handler) {
    clicks_[control] = std::move(handler);
}

}  // namespace torvel
