#include "wizard/fileentries.h"

#include <QDir>
#include <memory>
#include <optional>

#include "data/dataerror.h"
#include "data/statements.h"
#include "files/assetcopy.h"
#include "files/paths.h"
#include "wizard/compose.h"
#include "wizard/wizard.h"

namespace torvel {

namespace {

const QString kList = QStringLiteral("lstFiles");
const QString kFile = QStringLiteral("txtFile");
const QString kTitle = QStringLiteral("txtFileTitle");
const QString kDescription = QStringLiteral("txtFileDescription");
const QString kScreenshot = QStringLiteral("txtFileScreenshot");
const QString kCategory = QStringLiteral("txtFileCat");
const QString kNone = QStringLiteral("none");

QString orNone(const QString& text) {
    return text.isEmpty() ? kNone : text;
}

// Click on lstFiles: the clicked entry's fields are loaded for editing.
void showDetails(Wizard& wizard) {
    FormModel& form = wizard.form();
    WizardState& state = wizard.state();
    const QStringList items = form.items(kList);
    const int selected = form.selected(kList);
    if (selected >= 0 && selected < items.size()) {
        state.curFileName = items[selected];
    }
    auto rs =
        wizard.myData().GetRS(QString::fromLatin1(sql::entryByTitle), {state.curMenuID, state.curFileName});
    if (!rs->eof()) {
        form.setText(kFile, rs->field(QStringLiteral("FileLink")));
        form.setText(kCategory, rs->field(QStringLiteral("Category")));
        form.setText(kDescription, rs->field(QStringLiteral("Description")));
        form.setText(kScreenshot, rs->field(QStringLiteral("Screenshot")));
        form.setText(kTitle, rs->field(QStringLiteral("FileName")));
    }
    rs->close();
}

// Browse for the entry's file: every file is offered, starting in the CD root.
void browseFile(Wizard& wizard) {
    const std::optional<QString> chosen =
        wizard.showOpen(QStringLiteral("All files (*.*)"), std::nullopt, wizard.state().cdRoot);
    if (chosen) {
        wizard.form().setText(kFile, QDir::toNativeSeparators(*chosen));
    }
}

// Browse for the screenshot: pictures only; the start folder stays as the last use left it.
void browseScreenshot(Wizard& wizard) {
    const std::optional<QString> chosen = wizard.showOpen(
        QStringLiteral("Pictures (*.jpg;*.gif)|*.jpg;*.gif"), QStringLiteral("jpg"), std::nullopt);
    if (chosen) {
        wizard.form().setText(kScreenshot, QDir::toNativeSeparators(*chosen));
    }
}

// Saves the fields as a new entry or as the change of the clicked one (curFileName). A
// screenshot that cannot be copied is skipped without a word; a database failure is reported
// once at the end, and the fields keep what was typed.
void addFile(Wizard& wizard) {
    FormModel& form = wizard.form();
    WizardState& state = wizard.state();
    const QChar separator = nativeSeparator();

    const std::optional<QString> below =
        getFileLink(QDir::toNativeSeparators(form.text(kFile)), state.cdRoot);
    if (!below) {
        inform(wizard.prompts(), QStringLiteral("The file must lie inside the CD root folder!"));
        return;
    }
    const QString category = orNone(form.text(kCategory));
    const QString title = form.text(kTitle);
    QString link = *below;
    link.replace(separator, QLatin1Char('/'));
    const QString description = form.text(kDescription);
    QString screenshot = orNone(form.text(kScreenshot));
    if (screenshot != kNone) {
        const QString picked = QDir::toNativeSeparators(form.text(kScreenshot));
        try {
            copyToMenu(picked, state.cdRoot);
        } catch (const TorvelError&) {
            // The entry is saved with the picture's name even when the copy failed.
        }
        screenshot = fileNameOf(picked);
    }

    std::optional<QString> failure;
    std::unique_ptr<ResultSet> rs;
    try {
        rs = wizard.myData().GetRS(QString::fromLatin1(sql::entryByTitle),
                                   {state.curMenuID, state.curFileName}, true);
    } catch (const TorvelError& e) {
        failure = e.message();
    }
    if (rs && rs->eof()) {
        try {
            wizard.myData().addFile(QString::fromLatin1(sql::insertEntry),
                                    {state.curMenuID, category, title, link, description, screenshot});
            form.addItem(kList, title);
            state.curFileName.clear();
        } catch (const TorvelError& e) {
            failure = e.message();
        }
    } else if (rs) {
        try {
            const QString storedTitle = rs->field(QStringLiteral("FileName"));
            rs->setField(QStringLiteral("Category"), category);
            rs->setField(QStringLiteral("FileName"), title);
            rs->setField(QStringLiteral("FileLink"), link);
            rs->setField(QStringLiteral("Description"), description);
            rs->setField(QStringLiteral("Screenshot"), screenshot);
            rs->updateBatch();
            if (storedTitle != title) {
                const int item = form.items(kList).indexOf(state.curFileName);
                if (item >= 0) {
                    form.setItemText(kList, item, title);
                }
            }
            state.curFileName = title;
        } catch (const TorvelError& e) {
            failure = e.message();
        }
    }
    if (rs) {
        rs->close();
    }
    if (failure) {
        throw TorvelError(QStringLiteral("The entry \"%1\" was not stored.\n%2").arg(title, *failure));
    }
}

// Add/Save: a file and a title are required.
void saveEntry(Wizard& wizard) {
    const FormModel& form = wizard.form();
    if (form.text(kFile).isEmpty() || form.text(kTitle).isEmpty()) {
        inform(wizard.prompts(), QStringLiteral("Please select a file and enter a file name!"));
        return;
    }
    addFile(wizard);
}

// New: empty fields for the next entry.
void newEntry(Wizard& wizard) {
    myData_fileAdded(wizard);
    wizard.state().curFileName.clear();
}

// Remove: deletes every entry of the menu with the selected title, after asking.
void removeEntry(Wizard& wizard) {
    FormModel& form = wizard.form();
    WizardState& state = wizard.state();
    const int selected = form.selected(kList);
    if (selected < 0 || selected >= form.items(kList).size()) {
        inform(wizard.prompts(), QStringLiteral("Please select an entry in the list!"));
        return;
    }
    const QString name = form.items(kList).at(selected);
    if (!confirm(wizard.prompts(),
                 QStringLiteral("Do you really want to remove the entry for %1?").arg(name))) {
        return;
    }
    if (wizard.myData().ExecuteSQL(QString::fromLatin1(sql::deleteEntry), {state.curMenuID, name})) {
        form.removeItem(kList, selected);
        myData_fileAdded(wizard);
        state.curFileName.clear();
    }
}

}  // namespace

void getFileData(Wizard& wizard) {
    auto rs = wizard.myData().GetRS(QString::fromLatin1(sql::menuEntries), {wizard.state().curMenuID});
    FormModel& form = wizard.form();
    QStringList titles;
    for (; !rs->eof(); rs->moveNext()) {
        titles << rs->field(QStringLiteral("FileName"));
    }
    rs->close();
    form.setItems(kList, titles);
}

void enterFilePage(Wizard& wizard) {
    wizard.state().curFileName.clear();
    if (wizard.state().curMenuID != 0) {
        getFileData(wizard);
    }
}

void myData_fileAdded(Wizard& wizard) {
    FormModel& form = wizard.form();
    form.setText(kFile, QString());
    form.setText(kCategory, kNone);
    form.setText(kDescription, QString());
    form.setText(kScreenshot, kNone);
    form.setText(kTitle, QString());
}

void installFileEntries(Wizard& wizard) {
    wizard.myData().fileAdded = [&wizard] { myData_fileAdded(wizard); };
    wizard.onClick(kList, [&wizard] { showDetails(wizard); });
    wizard.onClick(QStringLiteral("cmdFile"), [&wizard] { browseFile(wizard); });
    wizard.onClick(QStringLiteral("cmdFScreenshot"), [&wizard] { browseScreenshot(wizard); });
    wizard.onClick(QStringLiteral("cmdSave"), [&wizard] { saveEntry(wizard); });
    wizard.onClick(QStringLiteral("cmdNewF"), [&wizard] { newEntry(wizard); });
    wizard.onClick(QStringLiteral("cmdFileRemove"), [&wizard] { removeEntry(wizard); });
}

}  // namespace torvel
