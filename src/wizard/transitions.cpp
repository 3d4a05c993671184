// The actions run when a page is left forward: opening a stored menu, the checks of
// "General Setting" and "Styles / images", and the save on leaving "Styles / fonts".
#include <QDir>
#include <QFileInfo>

#include "base/error.h"
#include "data/statements.h"
#include "files/paths.h"
#include "generator/templates.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/fileentries.h"
#include "wizard/generalsettings.h"
#include "wizard/stylepages.h"
#include "wizard/wizard.h"

namespace torvel {

namespace {

// Leaving page 0 after Load: the stored menu's template, title, root and style.
void openStoredMenu(Wizard& w) {
    FormModel& f = w.form();
    auto rs = w.myData().GetRS(QString::fromUtf8(sql::menuById), {w.state().curMenuID});
    if (rs->eof()) {
        return;
    }
    f.setText(ctl::cmbTemplate, rs->field(QStringLiteral("Template")));
    f.setText(ctl::txtTitle, rs->field(QStringLiteral("Title")));
    // The drive list moves to the root's drive first, which makes that drive's current folder
    // the CD root; the root itself is opened only when it still exists.
    const QString root = rs->field(QStringLiteral("Root"));
    const QString drive = root.isEmpty() ? QString() : driveOf(root);
    if (!drive.isEmpty()) {
        try {
            w.changeDrive(drive);
        } catch (const TorvelError&) {
            // A drive that is not available: the author is told below that the root is gone.
        }
    }
    if (!root.isEmpty() && QFileInfo(root).isDir()) {
        w.openFolder(root);
    } else {
        inform(
            w.prompts(),
            QStringLiteral("Your root directory is no longer valid!\r\nPlease select a new root directory!"));
    }
    bool stored = false;
    const qint64 styleNo = rs->field(QStringLiteral("StyleNo")).toLongLong(&stored);
    if (stored) {
        selectStyleEntry(w, styleNo);
    }
    rs->close();
}

// Whether a stored menu already has this title, the case of every letter ignored.
bool menuTitleTaken(Wizard& w, const QString& title) {
    auto rs = w.myData().GetRS(QString::fromUtf8(sql::listMenus));
    for (; !rs->eof(); rs->moveNext()) {
        if (QString::compare(rs->field(QStringLiteral("Title")), title, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

bool leaveGeneralSetting(Wizard& w) {
    FormModel& f = w.form();
    const QString title = f.text(ctl::txtTitle);
    if (title.isEmpty()) {
        inform(w.prompts(), QStringLiteral("Please enter a menu title!"));
        return false;
    }
    if (f.caption(ctl::lblRoot) == QStringLiteral(" ")) {
        inform(w.prompts(), QStringLiteral("Please select a root directory for your CD files!"));
        return false;
    }
    if (w.state().curMenuID == 0 && menuTitleTaken(w, title)) {
        inform(w.prompts(), QStringLiteral("Menu title is already taken, please change your title!,"));
        f.setText(ctl::txtTitle, QString());
        return false;
    }
    if (f.items(ctl::cmbStyles).isEmpty()) {
        fillStyles(w);  // Next on page 0 without Create Menu or Load: start from "NEW"
    }
    setStyleData(w);
    return true;
}

// The fields of "Add Files" that the template offers.
void prepareFilePage(Wizard& w) {
    FormModel& f = w.form();
    // Another text (typed into the list) leaves the fields as they are.
    const PageTemplate* t = findTemplate(f.text(ctl::cmbTemplate));
    if (t == nullptr) {
        return;
    }
    f.setVisible(ctl::lblCat, t->categories);
    f.setVisible(ctl::txtFileCat, t->categories);
    f.setVisible(ctl::lblScreen, t->screenshots);
    f.setVisible(ctl::txtFileScreenshot, t->screenshots);
    f.setVisible(ctl::cmdFScreenshot, t->screenshots);
}

}  // namespace

void installTransitions(Wizard& w) {
    w.setLeaveAction(0, [&w] {
        if (w.state().menuLoaded && w.state().curMenuID != 0) {
            openStoredMenu(w);
        }
        return true;
    });
    w.setLeaveAction(1, [&w] { return leaveGeneralSetting(w); });
    w.setLeaveAction(2, [&w] { return checkStyleImages(w); });
    w.setLeaveAction(3, [&w] {
        if (!saveStyle(w)) {
            return false;
        }
        prepareFilePage(w);
        enterFilePage(w);
        return true;
    });
}

}  // namespace torvel
