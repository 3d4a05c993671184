// Page 0, the menu library: create a new menu, or pick a stored one to load or delete.
#include <optional>

#include "data/statements.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/controls.h"
#include "wizard/fileentries.h"
#include "wizard/stylepages.h"
#include "wizard/wizard.h"

namespace torvel {

namespace {

const QString kNoMenus = QStringLiteral("Sorry, no menus available!");
const QString kPickMenu = QStringLiteral("Please select a menu from the list!");

// Lists every stored menu as "id: title" in a drop-down list; false when there is none.
bool listMenus(Wizard& w, const QString& list) {
    FormModel& form = w.form();
    form.clearItems(list);
    form.setText(list, QString());
    auto rs = w.myData().GetRS(QString::fromUtf8(sql::listMenus));
    if (rs->eof()) {
        w.prompts().message(MessageIcon::None, MessageButtons::Ok, kMessageTitle, kNoMenus);
        return false;
    }
    QStringList entries;
    for (; !rs->eof(); rs->moveNext()) {
        entries << rs->field(QStringLiteral("MenuID")) + QStringLiteral(": ") +
                       rs->field(QStringLiteral("Title"));
    }
    rs->close();
    form.setItems(list, entries);
    form.select(list, 0);
    return true;
}

std::optional<qint64> chosenMenu(Wizard& w, const QString& list) {
    const auto id = listEntryId(w.form().text(list));
    if (!id) {
        inform(w.prompts(), kPickMenu);
    }
    return id;
}

}  // namespace

void installMenuLibrary(Wizard& w) {
    w.onClick(ctl::cmdNew, [&w] {
        w.state().curMenuID = 0;
        // The style list first: when the database cannot be read, the page stays.
        fillStyles(w);
        clearEntryEditor(w);
        w.switchSteps(QStringLiteral("up"));
        w.showControls(QStringLiteral("ML"), false);
        w.showControls(QStringLiteral("MD"), false);
    });

    w.onClick(ctl::cmdEdit, [&w] {
        w.showControls(QStringLiteral("MD"), false);
        if (listMenus(w, ctl::cmbMenuL)) {
            w.showControls(QStringLiteral("ML"), true);
        }
        fillStyles(w);
    });

    w.onClick(ctl::cmdLoad, [&w] {
        const auto id = chosenMenu(w, ctl::cmbMenuL);
        if (!id) {
            return;
        }
        clearEntryEditor(w);
        w.state().curMenuID = *id;
        w.state().menuLoaded = true;
        w.showControls(QStringLiteral("ML"), false);
        w.switchSteps(QStringLiteral("up"));
    });

    w.onClick(ctl::cmdDelete, [&w] {
        w.showControls(QStringLiteral("ML"), false);
        if (listMenus(w, ctl::cmbMenus)) {
            w.showControls(QStringLiteral("MD"), true);
        }
    });

    w.onClick(ctl::cmdMDelete, [&w] {
        const auto id = chosenMenu(w, ctl::cmbMenus);
        if (!id) {
            return;
        }
        if (confirmDeletion(w.prompts(), QStringLiteral("Do you really want to remove the selected Menu?"))) {
            // Hide the group before a failure can leave it half done; the message follows.
            w.showControls(QStringLiteral("MD"), false);
            if (w.myData().ExecuteSQL(QString::fromUtf8(sql::deleteMenu), {*id})) {
                inform(w.prompts(), QStringLiteral("Menu deleted successfully!"));
            }
        }
        w.showControls(QStringLiteral("MD"), false);
    });
}

}  // namespace torvel
