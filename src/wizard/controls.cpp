#include "wizard/controls.h"

#include <QRegularExpression>

#include "generator/templates.h"

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
    {"mnuFile", K::MenuItem, -1, "File"},
    {"mnuQuit", K::MenuItem, -1, "Quit"},
    {"mnuHelp", K::MenuItem, -1, "Help"},
    {"mnuAbout", K::MenuItem, -1, "About"},
    {"cmdClose", K::Button, -1, "Close", "", "Close programme"},
    {"cmdBack", K::Button, -1, "< Back", "", "step back to previous page"},
    {"cmdNext", K::Button, -1, "Next >", "", "step forward to next page"},
    {"Finish", K::Button, -1, "Finish", "", "Finish Wizard and create menu", "Fin", false},
    {"Image1", K::Picture, -1, ""},
    {"imgPreview", K::Picture, -1, ""},

    // Page frames.
    {"step0", K::Frame, 0, "Welcome to the Torvel"},
    {"step1", K::Frame, 1, "General Setting", "", "", "", false},
    {"step2", K::Frame, 2, "Styles / images", "", "", "", false},
    {"step3", K::Frame, 3, "Styles / fonts", "", "", "", false},
    {"step4", K::Frame, 4, "Add Files", "", "", "", false},

    // Page 0: menu library.
    {"Label4", K::Label, 0, "What do you want to do?"},
    {"cmdNew", K::PictureButton, 0, "Create Menu", "", "Create a new menu"},
    {"cmdEdit", K::PictureButton, 0, "Load Menu", "", "Load existing menu"},
    {"cmdDelete", K::PictureButton, 0, "Delete Menu", "", "Delete a menu"},
    {"Label40", K::Label, 0, "Menu:", "", "", "ML", false},
    {"cmbMenuL", K::ComboBox, 0, "", "", "", "ML", false},
    {"cmdLoad", K::Button, 0, "Load", "", "Load selected menu", "ML", false},
    {"Label2", K::Label, 0, "Menu:", "", "", "MD", false},
    {"cmbMenus", K::ComboBox, 0, "", "", "", "MD", false},
    {"cmdMDelete", K::Button, 0, "Delete", "", "Delete selected menu", "MD", false},

    // Page 1: general settings.
    {"Label30", K::Label, 1, "Title:"},
    {"txtTitle", K::TextField, 1, ""},
    {"Label1", K::Label, 1, "Template:"},
    {"cmbTemplate", K::ComboBox, 1, ""},
    {"Label31", K::Label, 1, "Style:"},
    {"cmbStyles", K::ComboBox, 1, ""},
    {"Label25", K::Label, 1,
     "Please select the folder which contains all files to be on your CD. This folder will be treated as the "
     "CD "
     "Root path."},
    {"Label26", K::Label, 1,
     "If you have not yet placed all files to be on your CD into one folder, we recommend you do so  before "
     "continuing."},
    {"Label28", K::Label, 1, "CD root folder:"},
    {"lblRoot", K::Label, 1, " "},
    {"Drive1", K::DriveList, 1, ""},
    {"Dir1", K::FolderList, 1, ""},

    // Page 2: style images.
    {"Label36", K::Label, 2, "Please specify the image and sound settings"},
    {"Label5", K::Label, 2, "Style Name:"},
    {"txtStyleName", K::TextField, 2, ""},
    {"Label6", K::Label, 2, "Background Colour:"},
    {"txtBackgroundColor", K::TextField, 2, ""},
    {"colBack", K::Swatch, 2, ""},
    {"cmdPickColor", K::Button, 2, "Select"},
    {"Label7", K::Label, 2, "Background Image:"},
    {"txtBackImage", K::TextField, 2, "", "none", "", "file"},
    {"cmdBImage", K::Button, 2, "Browse"},
    {"Label8", K::Label, 2, "Logo Image:"},
    {"txtLogoImage", K::TextField, 2, "", "none", "", "file"},
    {"cmdLImage", K::Button, 2, "Browse"},
    {"Label9", K::Label, 2, "Logo position top:"},
    {"txtTop", K::TextField, 2, "", "0"},
    {"Label10", K::Label, 2, "Logo position left:"},
    {"txtLeft", K::TextField, 2, "", "0"},
    {"Label11", K::Label, 2, "Background Sound:"},
    {"txtBSound", K::TextField, 2, "", "none", "", "file"},
    {"cmdBSound", K::Button, 2, "Browse"},
    {"Label12", K::Label, 2, "Button Image On:"},
    {"txtButtonOn", K::TextField, 2, "", "none", "", "file"},
    {"cmdButtonOn", K::Button, 2, "Browse"},
    {"Label13", K::Label, 2, "Button Image Off:"},
    {"txtButtonOff", K::TextField, 2, "", "none", "", "file"},
    {"cmdButtonOff", K::Button, 2, "Browse"},

    // Page 3: style fonts and colours, in four groups.
    {"Label34", K::Label, 3, "Please specify the font settings"},
    {"fraTitle", K::Label, 3, "Title"},
    {"Label14", K::Label, 3, "Font:"},
    {"txtTitleFont", K::TextField, 3, "", "Arial,14pt,bold"},
    {"cmdTFont", K::Button, 3, "Select"},
    {"Label15", K::Label, 3, "Colour:"},
    {"txtTitleColor", K::TextField, 3, ""},
    {"cmdTColor", K::Button, 3, "Select"},
    {"colTitle", K::Swatch, 3, ""},
    {"fraButtons", K::Label, 3, "Buttons"},
    {"Label16", K::Label, 3, "Font:"},
    {"txtButtonFont", K::TextField, 3, "", "Arial,11pt,normal"},
    {"cmdBFont", K::Button, 3, "Select"},
    {"Label17", K::Label, 3, "Colour:"},
    {"txtBColor", K::TextField, 3, ""},
    {"cmdBColor", K::Button, 3, "Select"},
    {"colButton", K::Swatch, 3, ""},
    {"fraText", K::Label, 3, "Text"},
    {"Label18", K::Label, 3, "Font:"},
    {"txtDFont", K::TextField, 3, "", "Arial,10pt,normal"},
    {"cmdDFont", K::Button, 3, "Select"},
    {"Label19", K::Label, 3, "Colour:"},
    {"txtDColor", K::TextField, 3, ""},
    {"cmdDColor", K::Button, 3, "Select"},
    {"colText", K::Swatch, 3, ""},
    {"fraHyperlinks", K::Label, 3, "Hyperlinks"},
    {"Label20", K::Label, 3, "Font:"},
    {"txtHFont", K::TextField, 3, "", "Arial,10pt,normal"},
    {"cmdHFont", K::Button, 3, "Select"},
    {"Label21", K::Label, 3, "Colour:"},
    {"txtHColor", K::TextField, 3, ""},
    {"cmdHColor", K::Button, 3, "Select"},
    {"colHyper", K::Swatch, 3, ""},
    {"Label22", K::Label, 3, "Colour Active:"},
    {"txtHColorActive", K::TextField, 3, ""},
    {"cmdHColorActive", K::Button, 3, "Select"},
    {"colHyperA", K::Swatch, 3, ""},

    // Page 4: file entries.
    {"Label33", K::Label, 4,
     "Now you can add your files and enter the file information. Saved files will be shown in the list and "
     "can be "
     "edited by clicking on them."},
    {"Label23", K::Label, 4, "Files:"},
    {"lstFiles", K::ListBox, 4, ""},
    {"Label24", K::Label, 4, "File:"},
    {"txtFile", K::TextField, 4, "", "none"},
    {"cmdFile", K::Button, 4, "Browse"},
    {"cmdFind", K::Button, 4, "Find", "", "Find file description"},
    {"Label27", K::Label, 4, "File Title:"},
    {"txtFileTitle", K::TextField, 4, "", "none"},
    {"Label29", K::Label, 4, "Description:"},
    {"txtFileDescription", K::MultiLineText, 4, "", "none"},
    {"lblScreen", K::Label, 4, "Screenshot:"},
    {"txtFileScreenshot", K::TextField, 4, "", "none"},
    {"cmdFScreenshot", K::Button, 4, "Browse", "", "Browse for screenshot image"},
    {"lblCat", K::Label, 4, "Category:"},
    {"txtFileCat", K::TextField, 4, "", "none"},
    {"cmdNewF", K::Button, 4, "New", "", "Create new entry in file menu"},
    {"cmdSave", K::Button, 4, "Add/Save", "", "Add entry / save changes"},
    {"cmdFileRemove", K::Button, 4, "Remove", "", "Remove file entry from menu"},
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
        c.bold = c.name == QStringLiteral("lblRoot");
        form.add(std::move(c));
    }
    QStringList templates;
    for (const PageTemplate& t : pageTemplates()) {
        templates << QString::fromLatin1(t.name);
    }
    form.setItems(QStringLiteral("cmbTemplate"), templates);
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
