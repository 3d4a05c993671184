#include "wizard/controls.h"

#include <QRegularExpression>

#include "generator/templates.h"
#include "wizard/controlnames.h"

namespace torvel {

QString pageFrameName(int page) {
    return QStringLiteral("step%1").arg(page);
}

namespace {

using K = ControlKind;

struct ControlDefinition {
    const char* name;
    K kind;
    int page;
    const char* caption;
    const char* text = "";
    const char* tooltip = "";
    const char* tag = "";
    bool visible = true;
};

// Every control in display order; labels carry their caption, fields their start text.
const ControlDefinition kControls[] = {
    // Menu bar and the buttons below the pages.
    {ctl::mnuFile, K::MenuItem, -1, "File"},
    {ctl::mnuQuit, K::MenuItem, -1, "Quit"},
    {ctl::mnuDisc, K::MenuItem, -1, "Disc"},
    {ctl::mnuCheckDisc, K::MenuItem, -1, "Check Disc\u2026"},
    {ctl::mnuPreview, K::MenuItem, -1, "Preview in Browser"},
    {ctl::mnuOpenRoot, K::MenuItem, -1, "Open CD Root Folder"},
    {ctl::mnuMakeIso, K::MenuItem, -1, "Make ISO Image\u2026"},
    {ctl::mnuHelp, K::MenuItem, -1, "Help"},
    {ctl::mnuAbout, K::MenuItem, -1, "About"},
    {ctl::cmdClose, K::Button, -1, "Close", "", "Close programme"},
    {ctl::cmdBack, K::Button, -1, "< Back", "", "step back to previous page"},
    {ctl::cmdNext, K::Button, -1, "Next >", "", "step forward to next page"},
    {ctl::Finish, K::Button, -1, "Finish", "", "Finish Wizard and create menu", "Fin", false},
    {ctl::Image1, K::Picture, -1, ""},
    {ctl::imgPreview, K::Picture, -1, ""},

    // Page frames.
    {ctl::step0, K::Frame, 0, "Welcome to the Torvel"},
    {ctl::step1, K::Frame, 1, "General Setting", "", "", "", false},
    {ctl::step2, K::Frame, 2, "Styles / images", "", "", "", false},
    {ctl::step3, K::Frame, 3, "Styles / fonts", "", "", "", false},
    {ctl::step4, K::Frame, 4, "Add Files", "", "", "", false},

    // Page 0: menu library.
    {ctl::Label4, K::Label, 0, "What do you want to do?"},
    {ctl::cmdNew, K::PictureButton, 0, "Create Menu", "", "Create a new menu"},
    {ctl::cmdEdit, K::PictureButton, 0, "Load Menu", "", "Load existing menu"},
    {ctl::cmdDelete, K::PictureButton, 0, "Delete Menu", "", "Delete a menu"},
    {ctl::Label40, K::Label, 0, "Menu:", "", "", "ML", false},
    {ctl::cmbMenuL, K::ComboBox, 0, "", "", "", "ML", false},
    {ctl::cmdLoad, K::Button, 0, "Load", "", "Load selected menu", "ML", false},
    {ctl::Label2, K::Label, 0, "Menu:", "", "", "MD", false},
    {ctl::cmbMenus, K::ComboBox, 0, "", "", "", "MD", false},
    {ctl::cmdMDelete, K::Button, 0, "Delete", "", "Delete selected menu", "MD", false},

    // Page 1: general settings.
    {ctl::Label30, K::Label, 1, "Title:"},
    {ctl::txtTitle, K::TextField, 1, ""},
    {ctl::Label1, K::Label, 1, "Template:"},
    {ctl::cmbTemplate, K::ComboBox, 1, ""},
    {ctl::Label31, K::Label, 1, "Style:"},
    {ctl::cmbStyles, K::ComboBox, 1, ""},
    {ctl::Label25, K::Label, 1,
     "Please select the folder which contains all files to be on your CD. This folder will be treated as the "
     "CD "
     "Root path."},
    {ctl::Label26, K::Label, 1,
     "If you have not yet placed all files to be on your CD into one folder, we recommend you do so  before "
     "continuing."},
    {ctl::Label28, K::Label, 1, "CD root folder:"},
    {ctl::lblRoot, K::Label, 1, " "},
    {ctl::Drive1, K::DriveList, 1, ""},
    {ctl::Dir1, K::FolderList, 1, ""},

    // Page 2: style images.
    {ctl::Label36, K::Label, 2, "Please specify the image and sound settings"},
    {ctl::Label5, K::Label, 2, "Style Name:"},
    {ctl::txtStyleName, K::TextField, 2, ""},
    {ctl::Label6, K::Label, 2, "Background Colour:"},
    {ctl::txtBackgroundColor, K::TextField, 2, ""},
    {ctl::colBack, K::Swatch, 2, ""},
    {ctl::cmdPickColor, K::Button, 2, "Select"},
    {ctl::Label7, K::Label, 2, "Background Image:"},
    {ctl::txtBackImage, K::TextField, 2, "", "none", "", "file"},
    {ctl::cmdBImage, K::Button, 2, "Browse"},
    {ctl::Label8, K::Label, 2, "Logo Image:"},
    {ctl::txtLogoImage, K::TextField, 2, "", "none", "", "file"},
    {ctl::cmdLImage, K::Button, 2, "Browse"},
    {ctl::Label9, K::Label, 2, "Logo position top:"},
    {ctl::txtTop, K::TextField, 2, "", "0"},
    {ctl::Label10, K::Label, 2, "Logo position left:"},
    {ctl::txtLeft, K::TextField, 2, "", "0"},
    {ctl::Label11, K::Label, 2, "Background Sound:"},
    {ctl::txtBSound, K::TextField, 2, "", "none", "", "file"},
    {ctl::cmdBSound, K::Button, 2, "Browse"},
    {ctl::Label12, K::Label, 2, "Button Image On:"},
    {ctl::txtButtonOn, K::TextField, 2, "", "none", "", "file"},
    {ctl::cmdButtonOn, K::Button, 2, "Browse"},
    {ctl::Label13, K::Label, 2, "Button Image Off:"},
    {ctl::txtButtonOff, K::TextField, 2, "", "none", "", "file"},
    {ctl::cmdButtonOff, K::Button, 2, "Browse"},

    // Page 3: style fonts and colours, in four groups.
    {ctl::Label34, K::Label, 3, "Please specify the font settings"},
    {ctl::fraTitle, K::Label, 3, "Title"},
    {ctl::Label14, K::Label, 3, "Font:"},
    {ctl::txtTitleFont, K::TextField, 3, "", "Arial,14pt,bold"},
    {ctl::cmdTFont, K::Button, 3, "Select"},
    {ctl::Label15, K::Label, 3, "Colour:"},
    {ctl::txtTitleColor, K::TextField, 3, ""},
    {ctl::cmdTColor, K::Button, 3, "Select"},
    {ctl::colTitle, K::Swatch, 3, ""},
    {ctl::fraButtons, K::Label, 3, "Buttons"},
    {ctl::Label16, K::Label, 3, "Font:"},
    {ctl::txtButtonFont, K::TextField, 3, "", "Arial,11pt,normal"},
    {ctl::cmdBFont, K::Button, 3, "Select"},
    {ctl::Label17, K::Label, 3, "Colour:"},
    {ctl::txtBColor, K::TextField, 3, ""},
    {ctl::cmdBColor, K::Button, 3, "Select"},
    {ctl::colButton, K::Swatch, 3, ""},
    {ctl::fraText, K::Label, 3, "Text"},
    {ctl::Label18, K::Label, 3, "Font:"},
    {ctl::txtDFont, K::TextField, 3, "", "Arial,10pt,normal"},
    {ctl::cmdDFont, K::Button, 3, "Select"},
    {ctl::Label19, K::Label, 3, "Colour:"},
    {ctl::txtDColor, K::TextField, 3, ""},
    {ctl::cmdDColor, K::Button, 3, "Select"},
    {ctl::colText, K::Swatch, 3, ""},
    {ctl::fraHyperlinks, K::Label, 3, "Hyperlinks"},
    {ctl::Label20, K::Label, 3, "Font:"},
    {ctl::txtHFont, K::TextField, 3, "", "Arial,10pt,normal"},
    {ctl::cmdHFont, K::Button, 3, "Select"},
    {ctl::Label21, K::Label, 3, "Colour:"},
    {ctl::txtHColor, K::TextField, 3, ""},
    {ctl::cmdHColor, K::Button, 3, "Select"},
    {ctl::colHyper, K::Swatch, 3, ""},
    {ctl::Label22, K::Label, 3, "Colour Active:"},
    {ctl::txtHColorActive, K::TextField, 3, ""},
    {ctl::cmdHColorActive, K::Button, 3, "Select"},
    {ctl::colHyperA, K::Swatch, 3, ""},

    // Page 4: file entries.
    {ctl::Label33, K::Label, 4,
     "Now you can add your files and enter the file information. Saved files will be shown in the list and "
     "can be "
     "edited by clicking on them."},
    {ctl::Label23, K::Label, 4, "Files:"},
    {ctl::lstFiles, K::ListBox, 4, ""},
    {ctl::Label24, K::Label, 4, "File:"},
    {ctl::txtFile, K::TextField, 4, "", "none"},
    {ctl::cmdFile, K::Button, 4, "Browse"},
    {ctl::cmdFind, K::Button, 4, "Find", "", "Find file description"},
    {ctl::Label27, K::Label, 4, "File Title:"},
    {ctl::txtFileTitle, K::TextField, 4, "", "none"},
    {ctl::Label29, K::Label, 4, "Description:"},
    {ctl::txtFileDescription, K::MultiLineText, 4, "", "none"},
    {ctl::lblScreen, K::Label, 4, "Screenshot:"},
    {ctl::txtFileScreenshot, K::TextField, 4, "", "none"},
    {ctl::cmdFScreenshot, K::Button, 4, "Browse", "", "Browse for screenshot image"},
    {ctl::lblCat, K::Label, 4, "Category:"},
    {ctl::txtFileCat, K::TextField, 4, "", "none"},
    {ctl::cmdNewF, K::Button, 4, "New", "", "Create new entry in file menu"},
    {ctl::cmdSave, K::Button, 4, "Add/Save", "", "Add entry / save changes"},
    {ctl::cmdFileRemove, K::Button, 4, "Remove", "", "Remove file entry from menu"},
};

}  // namespace

void addMainWindowControls(FormModel& form) {
    for (const ControlDefinition& s : kControls) {
        Control c;
        c.name = QString::fromUtf8(s.name);
        c.kind = s.kind;
        c.page = s.page;
        c.caption = QString::fromUtf8(s.caption);
        c.text = QString::fromUtf8(s.text);
        c.tooltip = QString::fromUtf8(s.tooltip);
        c.tag = QString::fromUtf8(s.tag);
        c.visible = s.visible;
        c.bold = c.name == ctl::lblRoot;
        // Enter goes on to the next page, or finishes on the last; in the menu lists of the
        // first page it is the list's own button, Load or Delete.
        c.defaultButton = c.name == ctl::cmdNext || c.name == ctl::Finish;
        c.chooseOnly = c.name == ctl::cmbTemplate;
        if (c.name == ctl::cmbMenuL) {
            c.enterButton = QString::fromLatin1(ctl::cmdLoad);
        } else if (c.name == ctl::cmbMenus) {
            c.enterButton = QString::fromLatin1(ctl::cmdMDelete);
        }
        form.add(std::move(c));
    }
    QStringList templates;
    for (const PageTemplate& t : pageTemplates()) {
        templates << QString::fromLatin1(t.name);
    }
    form.setItems(ctl::cmbTemplate, templates);
}

std::optional<qint64> listEntryId(const QString& entry) {
    static const QRegularExpression idPrefix(QStringLiteral(R"(^\s*(\d+)\s*:)"));
    const auto m = idPrefix.match(entry);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    bool ok = false;
    const qint64 id = m.captured(1).toLongLong(&ok);
    return ok ? std::optional<qint64>(id) : std::nullopt;
}

}  // namespace torvel
