// Pages 2 and 3: the style library (list, defaults, load, check, save) and the property pickers.
#include "wizard/stylepages.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <array>
#include <optional>

#include "base/error.h"
#include "data/statements.h"
#include "files/assetcopy.h"
#include "form/fieldvalue.h"
#include "styles/colorvalues.h"
#include "styles/fontvalue.h"
#include "styles/stylesheet.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/controls.h"
#include "wizard/generalsettings.h"
#include "wizard/wizard.h"

namespace torvel {

namespace {

const QString kNew = QStringLiteral("NEW");

using V = StyleSheetValues;

struct StyleField {
    const char* column;
    const char* field;
    const char* standard;  // default value; nullptr: the field keeps its text
    QString V::*sheet;     // the style sheet's value from this field; nullptr: none
};

// Every column of a style row with its field, in the order of the insert statement.
const std::array<StyleField, 18> kStyleFields = {{
    {"StyleName", ctl::txtStyleName, nullptr, nullptr},
    {"BackColor", ctl::txtBackgroundColor, "16777215 ", &V::backgroundColor},
    {"BackImage", ctl::txtBackImage, "none", &V::backImage},
    {"Soundfile", ctl::txtBSound, "none", nullptr},
    {"Logofile", ctl::txtLogoImage, "none", nullptr},
    {"LogoTop", ctl::txtTop, "0", &V::top},
    {"LogoLeft", ctl::txtLeft, "0", &V::left},
    {"ButtonOnImage", ctl::txtButtonOn, "none", nullptr},
    {"ButtonOffImage", ctl::txtButtonOff, "none", nullptr},
    {"TitleFont", ctl::txtTitleFont, "Arial;14pt;bold", &V::titleFont},
    {"TitleColor", ctl::txtTitleColor, "RGB(192,192,192)", &V::titleColor},
    {"ButtonFont", ctl::txtButtonFont, "Arial;10pt;bold", &V::buttonFont},
    {"ButtonColor", ctl::txtBColor, "RGB(192,192,192)", &V::buttonColor},
    {"TextFont", ctl::txtDFont, "Arial;10pt;normal", &V::textFont},
    {"TextColor", ctl::txtDColor, "RGB(192,192,192)", &V::textColor},
    {"HyperFont", ctl::txtHFont, "Arial;10pt;normal", &V::hyperFont},
    {"HyperColor", ctl::txtHColor, "RGB(192,192,192)", &V::hyperColor},
    {"HyperColorA", ctl::txtHColorActive, "RGB(17,207,255)", &V::hyperColorActive},
}};

// Each colour field with its picker and its swatch.
struct ColorRow {
    const char* button;
    const char* field;
    const char* swatch;
};
const std::array<ColorRow, 6> kColorRows = {{
    {ctl::cmdPickColor, ctl::txtBackgroundColor, ctl::colBack},
    {ctl::cmdTColor, ctl::txtTitleColor, ctl::colTitle},
    {ctl::cmdBColor, ctl::txtBColor, ctl::colButton},
    {ctl::cmdDColor, ctl::txtDColor, ctl::colText},
    {ctl::cmdHColor, ctl::txtHColor, ctl::colHyper},
    {ctl::cmdHColorActive, ctl::txtHColorActive, ctl::colHyperA},
}};

// The asset fields in the order the page check reports them.
const std::array<std::pair<const char*, const char*>, 5> kAssetChecks = {{
    {ctl::txtBackImage, "Background image"},
    {ctl::txtLogoImage, "Logo image"},
    {ctl::txtBSound, "Background sound"},
    {ctl::txtButtonOff, "Button Off image"},
    {ctl::txtButtonOn, "Button On image"},
}};

QString q(const char* s) {
    return QString::fromUtf8(s);
}

void insertStyle(Wizard& w) {
    Params values;
    for (const StyleField& sf : kStyleFields) {
        values << w.form().text(q(sf.field));
    }
    // The key is adopted only when the insert succeeded: a failure throws before this assignment.
    w.state().curStyleID = w.myData().executeInsert(q(sql::insertStyle), values);
    refreshData(w);
}

bool storedStyleExists(Wizard& w, qint64 id) {
    return !w.myData().GetRS(q(sql::styleById), {id})->eof();
}

}  // namespace

StyleSheetValues styleSheetValues(const FormModel& f) {
    StyleSheetValues v;
    for (const StyleField& sf : kStyleFields) {
        if (sf.sheet != nullptr) {
            v.*sf.sheet = f.text(q(sf.field));
        }
    }
    return v;
}

StyleSheetValues styleSheetValues(const ResultSet& style) {
    StyleSheetValues v;
    for (const StyleField& sf : kStyleFields) {
        if (sf.sheet != nullptr) {
            v.*sf.sheet = style.field(q(sf.column));
        }
    }
    return v;
}

bool isUsableFolderName(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral("..")) {
        return false;
    }
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' '))) {
        return false;
    }
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || QStringLiteral("/\\:*?\"<>|").contains(c)) {
            return false;
        }
    }
    static const QRegularExpression reserved(
        QStringLiteral(R"(^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\..*)?$)"),
        QRegularExpression::CaseInsensitiveOption);
    return !reserved.match(name.trimmed()).hasMatch();
}

namespace {
// The style name names the style's folder: it is checked on leaving "Styles / images" and again
// when the style is saved, since the field can change in between.
bool checkStyleFolderName(Wizard& w, const QString& name) {
    if (isUsableFolderName(name)) {
        return true;
    }
    inform(w.prompts(), QStringLiteral("This style name cannot be used as a folder name, please change it!"));
    return false;
}
}  // namespace

void fillStyles(Wizard& w) {
    FormModel& f = w.form();
    QStringList entries{kNew};
    auto rs = w.myData().GetRS(q(sql::listStyles));
    for (; !rs->eof(); rs->moveNext()) {
        entries << rs->field(QStringLiteral("StyleID")) + QStringLiteral(": ") +
                       rs->field(QStringLiteral("StyleName"));
    }
    rs->close();
    f.setItems(ctl::cmbStyles, entries);
    f.select(ctl::cmbStyles, 0);
}

void setStandardStyles(Wizard& w) {
    FormModel& f = w.form();
    w.state().curStyleID = 0;
    for (const StyleField& sf : kStyleFields) {
        if (sf.standard != nullptr) {
            f.setText(q(sf.field), q(sf.standard));
        }
    }
}

void setStyleData(Wizard& w) {
    FormModel& f = w.form();
    const QString chosen = f.text(ctl::cmbStyles);
    if (chosen == kNew) {
        setStandardStyles(w);
        return;
    }
    const auto id = listEntryId(chosen);
    if (!id) {
        // Text typed into the list that names no stored style: start from the defaults.
        setStandardStyles(w);
        return;
    }
    w.state().curStyleID = *id;
    w.state().styleRS = w.myData().GetRS(q(sql::styleById), {*id}, true);
    ResultSet& rs = *w.state().styleRS;
    if (rs.eof()) {
        setStandardStyles(w);
        return;
    }
    for (const StyleField& sf : kStyleFields) {
        f.setText(q(sf.field), rs.field(q(sf.column)));
    }
}

bool checkStyleImages(Wizard& w) {
    FormModel& f = w.form();
    const QString name = f.text(ctl::txtStyleName);
    if (name.isEmpty()) {
        inform(w.prompts(), QStringLiteral("Please enter a style name!"));
        return false;
    }
    if (!checkStyleFolderName(w, name)) {
        return false;
    }
    // The logo position goes into the style sheet as whole pixels.
    static const QRegularExpression wholeNumber(QStringLiteral("^-?[0-9]+$"));
    if (!wholeNumber.match(f.text(ctl::txtTop)).hasMatch() ||
        !wholeNumber.match(f.text(ctl::txtLeft)).hasMatch()) {
        inform(w.prompts(), QStringLiteral("Please enter the logo position in whole pixels!"));
        return false;
    }
    QString invalid;
    for (const auto& [field, item] : kAssetChecks) {
        const QString path = f.text(q(field));
        if (isFieldSet(path) && !QFileInfo(path).isFile()) {
            invalid += q(item) + QStringLiteral("\r\n");
            f.setText(q(field), kNone);
        }
    }
    if (invalid.isEmpty()) {
        return true;
    }
    inform(w.prompts(), QStringLiteral("Following paths are no longer valid, please correct!\r\n") + invalid);
    return false;
}

bool saveStyle(Wizard& w) {
    FormModel& f = w.form();
    WizardState& s = w.state();
    const QString styleName = f.text(ctl::txtStyleName);
    if (!checkStyleFolderName(w, styleName)) {
        return false;
    }
    const QStringList assetFields = f.namesWithTag(QStringLiteral("file"));

    // Gather the assets into the style folder, then into the CD root's menu folder. The fields
    // change only once every copy has worked, so a failure leaves what the author entered.
    std::vector<std::pair<QString, QString>> gathered;
    for (const QString& field : assetFields) {
        const QString path = f.text(field);
        gathered.emplace_back(field,
                              isFieldSet(path) ? copyToStyleFolder(path, w.programDir(), styleName) : kNone);
    }
    for (const auto& [field, path] : gathered) {
        if (path != kNone) {
            copyToMenu(path, s.cdRoot);
        }
    }
    for (const auto& [field, path] : gathered) {
        f.setText(field, path);
    }

    if (f.text(ctl::cmbStyles) == kNew && s.curStyleID == 0) {
        insertStyle(w);
    } else if (s.styleRS) {
        if (s.styleRS->eof() || !storedStyleExists(w, s.curStyleID)) {
            // The loaded style's row is gone: keep the author's work as a new style.
            s.styleRS.reset();
            insertStyle(w);
        } else {
            ResultSet& rs = *s.styleRS;
            for (const StyleField& sf : kStyleFields) {
                if (sf.standard != nullptr) {
                    rs.setField(q(sf.column), f.text(q(sf.field)));
                }
            }
            rs.updateBatch();
            s.styleRS.reset();
        }
    }

    writeStyleSheet(s.cdRoot, styleSheetValues(f));
    saveMenuHeader(w);
    return true;
}

bool selectStyleEntry(Wizard& w, qint64 id) {
    FormModel& f = w.form();
    const QStringList entries = f.items(ctl::cmbStyles);
    for (int i = 1; i < entries.size(); ++i) {
        if (listEntryId(entries[i]) == id) {
            f.select(ctl::cmbStyles, i);
            return true;
        }
    }
    return false;
}

void refreshData(Wizard& w) {
    fillStyles(w);
    selectStyleEntry(w, w.state().curStyleID);
    setStyleData(w);
}

namespace {

// A system colour has no red, green and blue: each of the three parts that cannot be read is
// reported, titled with the application's name, before its value RGB(-1,-1,-1) is written.
void reportSystemColor(Prompts& prompts, int color) {
    const QString text = QString::number(color) + QStringLiteral(" ist eine Systemfarbe");
    for (int part = 0; part < 3; ++part) {
        prompts.message(MessageIcon::None, MessageButtons::Ok, QStringLiteral("Torvel"), text);
    }
}

void pickColor(Wizard& w, const QString& field, const QString& swatch) {
    FormModel& f = w.form();
    const int preset = getCol(f.text(field));
    // The shared dialog keeps its colour when cancelled, so a cancel writes the preset back.
    const int color = w.prompts().chooseColor(preset).value_or(preset);
    if (isSystemColor(color)) {
        reportSystemColor(w.prompts(), color);
    }
    f.setText(field, getRGBString(color));
    f.setColor(swatch, color);
}

void pickFont(Wizard& w, const QString& field) {
    FormModel& f = w.form();
    const FontChoice preset = fontPreset(f.text(field));
    const FontChoice font = w.prompts().chooseFont(preset).value_or(preset);
    f.setText(field, writeFontValue(font));
}

void pickFile(Wizard& w, const QString& field, const QString& title, bool sound) {
    const auto path = sound ? w.showOpen(title, kSoundFilter, QStringLiteral("wav"), std::nullopt)
                            : w.showOpen(title, kPictureFilter, QStringLiteral("jpg"), std::nullopt);
    if (path) {
        w.form().setText(field, *path);
    }
}

// The swatch shows the colour its field's text names, whoever wrote the text.
void paintSwatch(FormModel& f, const ColorRow& row) {
    f.setColor(q(row.swatch), namedColor(f.text(q(row.field))).value_or(kNoColor));
}

}  // namespace

void installStylePages(Wizard& w) {
    FormModel& f = w.form();
    for (const ColorRow& row : kColorRows) {
        w.onClick(q(row.button), [&w, row] { pickColor(w, q(row.field), q(row.swatch)); });
        paintSwatch(f, row);
    }
    f.addListener([&f](const QString& name) {
        for (const ColorRow& row : kColorRows) {
            if (name == QLatin1String(row.field)) {
                paintSwatch(f, row);
            }
        }
    });
    const std::array<std::pair<const char*, const char*>, 4> fonts = {{
        {ctl::cmdTFont, ctl::txtTitleFont},
        {ctl::cmdBFont, ctl::txtButtonFont},
        {ctl::cmdDFont, ctl::txtDFont},
        {ctl::cmdHFont, ctl::txtHFont},
    }};
    for (const auto& [button, field] : fonts) {
        w.onClick(q(button), [&w, field = q(field)] { pickFont(w, field); });
    }
    const std::array<std::array<const char*, 3>, 5> files = {{
        {ctl::cmdBImage, ctl::txtBackImage, "Choose the background image"},
        {ctl::cmdLImage, ctl::txtLogoImage, "Choose the logo"},
        {ctl::cmdButtonOn, ctl::txtButtonOn, "Choose the button image (on)"},
        {ctl::cmdButtonOff, ctl::txtButtonOff, "Choose the button image (off)"},
        {ctl::cmdBSound, ctl::txtBSound, "Choose the background sound"},
    }};
    for (const auto& [button, field, title] : files) {
        const bool sound = QByteArray(button) == ctl::cmdBSound;
        w.onClick(q(button),
                  [&w, field = q(field), title = q(title), sound] { pickFile(w, field, title, sound); });
    }
}

}  // namespace torvel
