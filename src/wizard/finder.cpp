#include <memory>

#include "data/finderqueries.h"
#include "files/finder.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/wizard.h"

namespace torvel {

namespace {

const QString kForm = ctl::frmFiles;
const QString kTitles = ctl::cmbDesTitle;
const QString kText = ctl::txtDesText;

// What the finder dialog keeps between its events: the name to look for and, while the dialog is
// loaded, its own data access object.
struct FinderDialog {
    QString fileSearch;
    std::unique_ptr<clsData> data;
};

void addFinderControls(FormModel& dlg) {
    dlg.add(makeControl(ctl::frmFiles, ControlKind::Frame, QStringLiteral("  File Descriptions")));
    dlg.add(makeControl(ctl::lblDesTitle, ControlKind::Label, QStringLiteral("File title")));
    dlg.add(makeControl(ctl::cmbDesTitle, ControlKind::ComboBox));
    // The description shows on several lines, as it was written.
    dlg.add(makeControl(ctl::txtDesText, ControlKind::MultiLineText));
    Control ok = makeControl(ctl::cmdOK, ControlKind::Button, QStringLiteral("OK"));
    ok.defaultButton = true;
    dlg.add(ok);
    dlg.add(makeControl(ctl::cmdCancel, ControlKind::Button, QStringLiteral("Cancel")));
}

// Shows the stored description of the chosen title; an unknown title leaves the text as it is.
void showDescription(FinderDialog& finder, FormModel& dlg) {
    if (!finder.data) {
        return;
    }
    if (auto description = descriptionForTitle(*finder.data, dlg.text(kTitles))) {
        dlg.setText(kText, *description);
    }
}

void closeFinder(Wizard& wizard, FinderDialog& finder) {
    wizard.setDialogOpen(kForm, false);
    finder.data.reset();
}

// The dialog's load, before it shows: a fresh list of the titles stored for the searched file, the
// first one chosen. False, after the message, when nothing matches: the dialog is not shown at all.
bool loadFinder(Wizard& wizard, FinderDialog& finder) {
    FormModel& dlg = wizard.dialog(kForm);
    dlg.clearItems(kTitles);
    dlg.setText(kTitles, QString());
    dlg.setText(kText, QString());
    finder.data = std::make_unique<clsData>(databaseFileIn(wizard.programDir()));
    if (finder.fileSearch.isEmpty()) {
        return true;
    }
    const QStringList titles = titlesForFile(*finder.data, finder.fileSearch);
    dlg.setItems(kTitles, titles);
    if (titles.isEmpty()) {
        finder.data.reset();
        inform(wizard.prompts(), QStringLiteral("Sorry, no matching results"));
        return false;
    }
    dlg.select(kTitles, 0);
    showDescription(finder, dlg);
    return true;
}

}  // namespace

void installFinder(Wizard& wizard) {
    FormModel& dlg = wizard.dialog(kForm);
    addFinderControls(dlg);
    auto finder = std::make_shared<FinderDialog>();

    wizard.onClick(ctl::cmdFind, [&wizard, finder] {
        finder->fileSearch = fileSearchOf(wizard.form().text(ctl::txtFile));
        if (wizard.isDialogOpen(kForm)) {
            // Already loaded: only brought to the front, its list stays that of the earlier search.
            wizard.prompts().showForm(kForm);
            return;
        }
        try {
            if (loadFinder(wizard, *finder)) {
                wizard.setDialogOpen(kForm, true);
            }
        } catch (...) {
            closeFinder(wizard, *finder);
            throw;
        }
    });

    wizard.onClick(Wizard::dialogControl(kForm, kTitles),
                   [&wizard, finder] { showDescription(*finder, wizard.dialog(kForm)); });

    wizard.onClick(Wizard::dialogControl(kForm, ctl::cmdOK), [&wizard, finder] {
        FormModel& d = wizard.dialog(kForm);
        wizard.form().setText(ctl::txtFileTitle, d.text(kTitles));
        wizard.form().setText(ctl::txtFileDescription, d.text(kText));
        closeFinder(wizard, *finder);
    });

    wizard.onClick(Wizard::dialogControl(kForm, ctl::cmdCancel),
                   [&wizard, finder] { closeFinder(wizard, *finder); });
}

}  // namespace torvel
