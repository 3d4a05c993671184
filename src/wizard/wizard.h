#pragma once

#include <QList>
#include <QMultiHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "data/clsdata.h"
#include "files/programfolders.h"
#include "form/formmodel.h"
#include "form/prompts.h"

namespace torvel {

// The state of one wizard pass, kept for the window's whole life.
struct WizardState {
    int curStep = 0;
    qint64 curMenuID = 0;
    bool menuLoaded = false;
    QString cdRoot;
    qint64 curStyleID = 0;
    std::unique_ptr<ResultSet> styleRS;
    // The title of the entry last clicked in lstFiles.
    QString curFileName;
    // The entry editor: the key (SQLite's rowid) of each entry listed in lstFiles, item by item;
    // the key of the entry that the last click loaded (0 while none is loaded); the five entry
    // fields as they were after the last load, save or reset.
    QList<qint64> fileKeys;
    // The hash of each listed title, letter case folded, with its key: the duplicate check of a
    // save. Only hashes are kept, so a menu of many entries holds no second copy of its titles;
    // a hash that matches is confirmed against the list itself.
    QMultiHash<size_t, qint64> titleKeys;
    qint64 curFileKey = 0;
    QStringList entrySnapshot;
};

// The main window's model: its controls, state, data access object and handlers. The screen
// (Qt window or script runner) forwards user events here and shows what the model holds.
class Wizard {
public:
    // folders.data holds Torvel.dat and the Styles folder, folders.files the AUTORUN.INF and
    // Start.exe that Finish copies. The wizard starts with its controls and page switcher only:
    // buildWizard (wizard/compose.h) adds every subsystem's handlers.
    Wizard(Prompts& prompts, ProgramFolders folders);
    ~Wizard();
    Wizard(const Wizard&) = delete;
    Wizard& operator=(const Wizard&) = delete;

    FormModel& form() { return form_; }
    const FormModel& form() const { return form_; }
    WizardState& state() { return state_; }
    const WizardState& state() const { return state_; }
    clsData& myData() { return *myData_; }
    Prompts& prompts() { return prompts_; }
    // The folder of Torvel.dat and the Styles folder.
    const QString& programDir() const { return folders_.data; }
    const ProgramFolders& folders() const { return folders_; }

    // Dialog forms ("frmFiles", "frmAbout"); their controls are addressed as "frmFiles.NAME".
    FormModel& dialog(const QString& form);
    bool isDialogOpen(const QString& form) const;
    void setDialogOpen(const QString& form, bool open);
    // How events name a dialog form's control: "FORM.NAME".
    static QString dialogControl(const QString& form, const QString& control) {
        return form + QLatin1Char('.') + control;
    }
    // The form holding a control named "NAME" (main window) or "FORM.NAME"; sets *control to NAME.
    FormModel& formOf(const QString& qualifiedName, QString* control);

    // --- User events: every one goes through run(), which reports a failure and keeps the window usable.
    // The Click of a button, menu item, list or drop-down list.
    void click(const QString& control);
    bool hasClick(const QString& control) const { return clicks_.count(control) > 0; }
    // Selects an item of a list or drop-down list and fires its Click where it has one.
    void choose(const QString& control, int index);
    // The folder list opens a folder (its Change event).
    void openFolder(const QString& path);
    // The drive list picks a drive or volume (its Change event).
    void pickDrive(const QString& drive);
    // The same Change set by the program itself: a drive that cannot be read throws instead of
    // being reported, so that the caller decides what the author is told.
    void changeDrive(const QString& drive);
    // Runs one user action; an error it throws is shown as a message naming what failed.
    void run(const QString& action, const std::function<void()>& handler);

    // The one open-file dialog of the window, titled with what is chosen: a setting that a caller
    // leaves out (nullopt) keeps the value of the previous use. Returns the chosen path, or nothing
    // when cancelled.
    std::optional<QString> showOpen(const QString& title, std::optional<QString> filter,
                                    std::optional<QString> defaultExt, std::optional<QString> initialDir);

    // --- Closing
    // Close and File > Quit: an entry with unsaved changes is offered for saving first; the
    // program ends unless that save is refused.
    void closeProgram();
    // Whether the window may close now (its own close button): the same question as Close, except
    // while Close or Quit is already ending the program.
    bool mayClose();

    // --- Page switcher
    void switchSteps(const QString& direction);
    void showControls(const QString& tag, bool show);
    // The action run before moving forward from a page; false refuses the move.
    using LeaveAction = std::function<bool()>;
    void setLeaveAction(int page, LeaveAction action);

    // Offers the work in progress (an entry being edited) for saving before an action ("before"
    // names it: "Torvel closes"); false when the author refuses the save and the action must stop.
    bool settleUnsavedWork(const QString& before);

    // --- Composition: the subsystems register their handlers here.
    void onUnsavedWork(std::function<bool(const QString&)> settle) { unsavedWork_ = std::move(settle); }
    void onClick(const QString& control, std::function<void()> handler);
    void onFolderChange(std::function<void(const QString&)> handler) { folderChange_ = std::move(handler); }
    void onDriveChange(std::function<void(const QString&)> handler) { driveChange_ = std::move(handler); }

private:
    Prompts& prompts_;
    ProgramFolders folders_;
    FormModel form_;
    WizardState state_;
    std::unique_ptr<clsData> myData_;
    std::map<QString, std::unique_ptr<FormModel>> dialogs_;
    std::map<QString, bool> dialogOpen_;
    std::map<QString, std::function<void()>> clicks_;
    LeaveAction leave_[5];
    std::function<void(const QString&)> folderChange_;
    std::function<void(const QString&)> driveChange_;
    std::function<bool(const QString&)> unsavedWork_;
    OpenFileRequest cdlg_;
    bool quitting_ = false;
};

// The database file in a program folder.
QString databaseFileIn(const QString& programDir);

}  // namespace torvel
