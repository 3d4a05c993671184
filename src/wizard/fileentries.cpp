#include "wizard/fileentries.h"

#include <QDir>
#include <algorithm>
#include <memory>
#include <optional>

#include "base/error.h"
#include "data/statements.h"
#include "files/assetcopy.h"
#include "files/paths.h"
#include "files/safefile.h"
#include "form/fieldvalue.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/controls.h"
#include "wizard/stylepages.h"
#include "wizard/wizard.h"

namespace torvel {

namespace {

const QString kList = ctl::lstFiles;
const QString kFile = ctl::txtFile;
const QString kTitle = ctl::txtFileTitle;
const QString kDescription = ctl::txtFileDescription;
const QString kScreenshot = ctl::txtFileScreenshot;
const QString kCategory = ctl::txtFileCat;
// The five fields of an entry, in the order of the snapshot.
const QStringList kFields = {kFile, kTitle, kDescription, kScreenshot, kCategory};

QStringList entryFields(const FormModel& form) {
    QStringList texts;
    for (const QString& field : kFields) {
        texts << form.text(field);
    }
    return texts;
}

// The five fields as the window holds them when it is created.
const QStringList& startValues() {
    static const QStringList values = [] {
        FormModel fresh;
        addMainWindowControls(fresh);
        return entryFields(fresh);
    }();
    return values;
}

void takeSnapshot(Wizard& wizard) {
    wizard.state().entrySnapshot = entryFields(wizard.form());
}

void forgetClick(WizardState& state) {
    state.curFileName.clear();
    state.curFileKey = 0;
}

// The key of a list item; 0 for an item the editor did not list itself.
qint64 keyAt(const WizardState& state, qsizetype index) {
    return index >= 0 && index < state.fileKeys.size() ? state.fileKeys.at(index) : 0;
}

// The duplicate check's hash of a title: letter case folded.
size_t titleHash(const QString& title) {
    return qHash(title.toCaseFolded());
}

// The list, its keys and the title index change together.
void listEntries(Wizard& wizard, const QStringList& titles, const QList<qint64>& keys) {
    WizardState& state = wizard.state();
    state.fileKeys = keys;
    state.titleKeys.clear();
    state.titleKeys.reserve(titles.size());
    for (qsizetype i = 0; i < titles.size(); ++i) {
        state.titleKeys.insert(titleHash(titles[i]), keys.value(i));
    }
    wizard.form().setItems(kList, titles);
}

void appendEntry(Wizard& wizard, const QString& title, qint64 key) {
    QList<qint64>& keys = wizard.state().fileKeys;
    while (keys.size() < wizard.form().items(kList).size()) {
        keys << 0;
    }
    keys << key;
    wizard.state().titleKeys.insert(titleHash(title), key);
    wizard.form().addItem(kList, title);
}

void renameEntryAt(Wizard& wizard, int index, const QString& title) {
    WizardState& state = wizard.state();
    const qint64 key = keyAt(state, index);
    state.titleKeys.remove(titleHash(wizard.form().items(kList).value(index)), key);
    state.titleKeys.insert(titleHash(title), key);
    wizard.form().setItemText(kList, index, title);
}

void removeEntryAt(Wizard& wizard, int index) {
    WizardState& state = wizard.state();
    state.titleKeys.remove(titleHash(wizard.form().items(kList).value(index)), keyAt(state, index));
    QList<qint64>& keys = state.fileKeys;
    if (index < keys.size()) {
        keys.removeAt(index);
    }
    wizard.form().removeItem(kList, index);
}

// Empty fields for the next entry; no entry counts as clicked.
void startNewEntry(Wizard& wizard) {
    myData_fileAdded(wizard);
    forgetClick(wizard.state());
}

// Click on lstFiles: the clicked entry, known by its key, is loaded for editing.
void showDetails(Wizard& wizard) {
    FormModel& form = wizard.form();
    WizardState& state = wizard.state();
    const QStringList items = form.items(kList);
    const int selected = form.selected(kList);
    if (selected < 0 || selected >= items.size()) {
        return;
    }
    state.curFileName = items[selected];
    state.curFileKey = 0;
    const qint64 key = keyAt(state, selected);
    if (key == 0) {
        return;  // an item the database does not hold: the fields stay as they are
    }
    auto rs = wizard.myData().GetRS(QString::fromLatin1(sql::entryByKey), {key, state.curMenuID});
    if (!rs->eof()) {
        form.setText(kFile, rs->field(QStringLiteral("FileLink")));
        form.setText(kCategory, rs->field(QStringLiteral("Category")));
        form.setText(kDescription, rs->field(QStringLiteral("Description")));
        form.setText(kScreenshot, rs->field(QStringLiteral("Screenshot")));
        form.setText(kTitle, rs->field(QStringLiteral("FileName")));
        state.curFileKey = key;
        takeSnapshot(wizard);
    }
    rs->close();
}

// Browse for the entry's file: every file is offered, starting in the CD root.
void browseFile(Wizard& wizard) {
    const std::optional<QString> chosen =
        wizard.showOpen(QStringLiteral("Choose the file"), QStringLiteral("All files (*.*)"), std::nullopt,
                        wizard.state().cdRoot);
    if (chosen) {
        wizard.form().setText(kFile, QDir::toNativeSeparators(*chosen));
    }
}

// Browse for the screenshot: pictures only; the start folder stays as the last use left it.
void browseScreenshot(Wizard& wizard) {
    const std::optional<QString> chosen = wizard.showOpen(
        QStringLiteral("Choose the screenshot"), kPictureFilter, QStringLiteral("jpg"), std::nullopt);
    if (chosen) {
        wizard.form().setText(kScreenshot, QDir::toNativeSeparators(*chosen));
    }
}

// Whether an entry of the open menu other than the one with the key `self` has this title, the
// case of every letter ignored: among the listed entries, and in the database for A to Z.
bool titleTaken(Wizard& wizard, const QString& title, qint64 self) {
    const WizardState& state = wizard.state();
    const QString folded = title.toCaseFolded();
    const auto [first, last] = state.titleKeys.equal_range(qHash(folded));
    if (std::any_of(first, last, [self](qint64 key) { return key != self; })) {
        // The hash matched another entry's: the listed titles decide.
        const QStringList& items = wizard.form().items(kList);
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (keyAt(state, i) != self && items[i].toCaseFolded() == folded) {
                return true;
            }
        }
    }
    auto stored =
        wizard.myData().GetRS(QString::fromLatin1(sql::entryKeysWithTitle), {state.curMenuID, title});
    for (; !stored->eof(); stored->moveNext()) {
        if (stored->value(QStringLiteral("EntryKey")).toLongLong() != self) {
            return true;
        }
    }
    return false;
}

TorvelError notStored(const QString& title, const TorvelError& e) {
    return TorvelError(QStringLiteral("The entry \"%1\" was not stored.\n%2").arg(title, e.message()));
}

// The screenshot field as an entry stores it: "none", or the bare name of the picture, which is
// copied into the menu folder. A copy that fails is skipped without a word (the entry keeps the
// name); a menu folder that is a link is named in a message and nothing is written through it.
QString gatherScreenshot(Wizard& wizard) {
    const QString field = wizard.form().text(kScreenshot);
    if (!isFieldSet(field)) {
        return kNone;
    }
    const QString picked = QDir::toNativeSeparators(field);
    try {
        copyToMenu(picked, wizard.state().cdRoot);
    } catch (const LinkedFolderError& e) {
        wizard.prompts().message(MessageIcon::Critical, MessageButtons::Ok, kMessageTitle, e.message());
    } catch (const TorvelError&) {
    }
    return fileNameOf(picked);
}

// The stored entry that the last click loaded, as an editable row; nothing for a new entry (also
// when the clicked entry is gone).
std::unique_ptr<ResultSet> editedEntry(Wizard& wizard) {
    const WizardState& state = wizard.state();
    if (state.curFileKey == 0) {
        return nullptr;
    }
    auto rs = wizard.myData().GetRS(QString::fromLatin1(sql::entryByKey), {state.curFileKey, state.curMenuID},
                                    true);
    return rs->eof() ? nullptr : std::move(rs);
}

// The values of an entry as the fields give them.
struct EntryValues {
    QString category;
    QString title;
    QString link;
    QString description;
    QString screenshot;
};

// Writes the entry: a new row, listed at the end and the editor emptied; or the change of the
// edited row, its list item renamed.
void storeEntry(Wizard& wizard, std::unique_ptr<ResultSet> rs, const EntryValues& v) {
    WizardState& state = wizard.state();
    if (!rs) {
        const qint64 key = wizard.myData().executeInsert(
            QString::fromLatin1(sql::insertEntry),
            {state.curMenuID, v.category, v.title, v.link, v.description, v.screenshot});
        appendEntry(wizard, v.title, key);
        startNewEntry(wizard);
        return;
    }
    rs->setField(QStringLiteral("Category"), v.category);
    rs->setField(QStringLiteral("FileName"), v.title);
    rs->setField(QStringLiteral("FileLink"), v.link);
    rs->setField(QStringLiteral("Description"), v.description);
    rs->setField(QStringLiteral("Screenshot"), v.screenshot);
    rs->updateBatch();
    rs->close();
    FormModel& form = wizard.form();
    const qsizetype item = state.fileKeys.indexOf(state.curFileKey);
    if (item >= 0 && form.items(kList).value(item) != v.title) {
        renameEntryAt(wizard, static_cast<int>(item), v.title);
    }
    state.curFileName = v.title;
    takeSnapshot(wizard);
}

// Saves the fields as a new entry or as the change of the entry the last click loaded. A file
// outside the CD root and a title that another entry of the menu has are refused with a message
// (false); a database failure throws, the fields keeping what was typed.
bool addFile(Wizard& wizard) {
    const FormModel& form = wizard.form();
    const std::optional<QString> below =
        getFileLink(QDir::toNativeSeparators(form.text(kFile)), wizard.state().cdRoot);
    if (!below) {
        inform(wizard.prompts(), QStringLiteral("The file must lie inside the CD root folder!"));
        return false;
    }
    EntryValues v;
    v.title = form.text(kTitle);
    try {
        std::unique_ptr<ResultSet> rs = editedEntry(wizard);
        // An entry saved under the title it already has is never refused.
        const bool keepsItsTitle = rs && rs->field(QStringLiteral("FileName")) == v.title;
        if (!keepsItsTitle && titleTaken(wizard, v.title, rs ? wizard.state().curFileKey : 0)) {
            inform(
                wizard.prompts(),
                QStringLiteral("This menu already has an entry titled \"%1\", please choose another title!")
                    .arg(v.title));
            return false;
        }
        v.category = orNone(form.text(kCategory));
        v.link = *below;
        v.link.replace(nativeSeparator(), QLatin1Char('/'));
        v.description = form.text(kDescription);
        v.screenshot = gatherScreenshot(wizard);
        storeEntry(wizard, std::move(rs), v);
    } catch (const TorvelError& e) {
        throw notStored(v.title, e);
    }
    return true;
}

// Add/Save: a file and a title are required. True when the entry was stored; a refusal or a
// failure is told and gives false.
bool saveEntry(Wizard& wizard) {
    const FormModel& form = wizard.form();
    if (form.text(kFile).isEmpty() || form.text(kTitle).isEmpty()) {
        inform(wizard.prompts(), QStringLiteral("Please select a file and enter a file name!"));
        return false;
    }
    bool saved = false;
    wizard.run(QStringLiteral("\"%1\"").arg(form.caption(ctl::cmdSave)), [&] { saved = addFile(wizard); });
    return saved;
}

// Remove: deletes the selected entry, and only that one, after asking.
void removeEntry(Wizard& wizard) {
    FormModel& form = wizard.form();
    WizardState& state = wizard.state();
    const int selected = form.selected(kList);
    if (selected < 0 || selected >= form.items(kList).size()) {
        inform(wizard.prompts(), QStringLiteral("Please select an entry in the list!"));
        return;
    }
    const QString name = form.items(kList).at(selected);
    if (!confirmDeletion(wizard.prompts(),
                         QStringLiteral("Do you really want to remove the entry for %1?").arg(name))) {
        return;
    }
    const qint64 key = keyAt(state, selected);
    if (key == 0 ||
        wizard.myData().ExecuteSQL(QString::fromLatin1(sql::deleteEntryByKey), {key, state.curMenuID})) {
        removeEntryAt(wizard, selected);
        startNewEntry(wizard);
    }
}

}  // namespace

void getFileData(Wizard& wizard) {
    auto rows =
        wizard.myData().openCursor(QString::fromLatin1(sql::menuEntryTitles), {wizard.state().curMenuID});
    const int keyColumn = rows->column(QStringLiteral("EntryKey"));
    const int titleColumn = rows->column(QStringLiteral("FileName"));
    QStringList titles;
    QList<qint64> keys;
    while (rows->next()) {
        keys << rows->value(keyColumn).toLongLong();
        titles << rows->text(titleColumn);
    }
    listEntries(wizard, titles, keys);
}

void enterFilePage(Wizard& wizard) {
    forgetClick(wizard.state());
    if (wizard.state().curMenuID != 0) {
        getFileData(wizard);
    }
}

void clearEntryEditor(Wizard& wizard) {
    const QStringList& start = startValues();
    for (qsizetype i = 0; i < kFields.size(); ++i) {
        wizard.form().setText(kFields[i], start.value(i));
    }
    listEntries(wizard, {}, {});
    forgetClick(wizard.state());
    takeSnapshot(wizard);
}

void myData_fileAdded(Wizard& wizard) {
    FormModel& form = wizard.form();
    form.setText(kFile, QString());
    form.setText(kCategory, kNone);
    form.setText(kDescription, QString());
    form.setText(kScreenshot, kNone);
    form.setText(kTitle, QString());
    takeSnapshot(wizard);
}

bool entryHasUnsavedChanges(const Wizard& wizard) {
    const FormModel& form = wizard.form();
    const WizardState& state = wizard.state();
    if (entryFields(form) == state.entrySnapshot) {
        return false;
    }
    return state.curFileKey != 0 || !form.text(kTitle).isEmpty();
}

bool settleUnsavedEntry(Wizard& wizard, const QString& before) {
    if (!entryHasUnsavedChanges(wizard)) {
        return true;
    }
    const QString title = wizard.form().text(kTitle);
    if (!confirm(
            wizard.prompts(),
            QStringLiteral("The entry \"%1\" is not saved yet. Save it before %2?").arg(title, before))) {
        return true;
    }
    return saveEntry(wizard);
}

void installFileEntries(Wizard& wizard) {
    takeSnapshot(wizard);
    wizard.myData().fileAdded = [&wizard] { myData_fileAdded(wizard); };
    wizard.onClick(kList, [&wizard] { showDetails(wizard); });
    wizard.onClick(ctl::cmdFile, [&wizard] { browseFile(wizard); });
    wizard.onClick(ctl::cmdFScreenshot, [&wizard] { browseScreenshot(wizard); });
    wizard.onClick(ctl::cmdSave, [&wizard] { saveEntry(wizard); });
    wizard.onClick(ctl::cmdNewF, [&wizard] { startNewEntry(wizard); });
    wizard.onClick(ctl::cmdFileRemove, [&wizard] { removeEntry(wizard); });
    wizard.onUnsavedWork([&wizard](const QString& before) { return settleUnsavedEntry(wizard, before); });
}

}  // namespace torvel
