// The wizard's pages on the model: page switcher, CD root, menu header, style library, pickers.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "base/error.h"
#include "data/dataerror.h"
#include "data/statements.h"
#include "files/paths.h"
#include "support/testsupport.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/controls.h"
#include "wizard/generalsettings.h"
#include "wizard/stylepages.h"

using namespace torvel;
using namespace Qt::StringLiterals;

namespace {

// A wizard with a CD root of its own, on "Styles / images" of a new menu.
struct StylePage : test::WizardFixture {
    test::TempFolder disc;
    StylePage() {
        wizard->click(ctl::cmdNew);
        form().setText(ctl::txtTitle, u"Disc"_s);
        wizard->openFolder(disc.path());
        next();
    }
    QString style(qint64 id, const QString& column) {
        return wizard->myData().GetRS(sql::styleById, {id})->field(column);
    }
    int styles() { return count(u"SELECT * FROM tblStyles"_s); }
};

QStringList shownPages(const FormModel& form) {
    QStringList shown;
    for (int i = 0; i < kPageCount; ++i) {
        if (form.visible(pageFrameName(i))) {
            shown << pageFrameName(i);
        }
    }
    return shown;
}

}  // namespace

TEST(PageSwitcher, ShowsOnePageAtATimeAndFinishOnlyOnTheLast) {
    test::ProgramDir program(false);  // no database at all: start-up must not need it
    ScriptedPrompts prompts;
    auto wizard = buildWizard(prompts, program.path());
    Wizard& w = *wizard;
    int asked = 0;
    for (int page = 0; page <= 3; ++page) {
        w.setLeaveAction(page, [&asked, page] { return ++asked > 1 || page > 0; });  // page 0 refuses once
    }
    w.click(ctl::cmdBack);
    w.click(ctl::cmdNext);
    for (int page = 0; page <= 5; ++page) {
        const int shown = std::clamp(page, 0, 4);
        EXPECT_EQ(w.state().curStep, shown);
        EXPECT_EQ(shownPages(w.form()), QStringList{pageFrameName(shown)});
        EXPECT_EQ(w.form().visible(ctl::Finish), shown == 4);
        EXPECT_EQ(w.form().visible(ctl::cmdNext), shown != 4);
        w.click(ctl::cmdNext);
    }
    while (w.state().curStep > 0) {
        w.click(ctl::cmdBack);
    }
    EXPECT_EQ(asked, 5) << "moving back runs no leave action";
    EXPECT_EQ(shownPages(w.form()), QStringList{u"step0"_s});
    EXPECT_FALSE(w.form().visible(ctl::Finish));
    EXPECT_TRUE(prompts.transcript().isEmpty());
    // A handler that fails is reported with what was clicked; the window stays usable.
    w.onClick(ctl::cmdNew, [] { throw TorvelError(u"the disk is full"_s); });
    w.click(ctl::cmdNew);
    EXPECT_EQ(test::messages(prompts.transcript()),
              QStringList{u"\"Create Menu\" could not be completed.\nthe disk is full"_s});
    EXPECT_EQ(test::events(prompts.transcript()).value(0)[u"icon"_s], u"critical"_s);
    w.click(ctl::cmdNext);
    EXPECT_EQ(w.state().curStep, 1);
}

TEST(GeneralSettings, AFolderOrADriveSetsTheRootAsShownAndTheCdRoot) {
    test::WizardFixture f;
    Wizard& w = *f.wizard;
    test::TempFolder tmp;
    const QChar sep = nativeSeparator();
    const QString disc = tmp.native(u"Disc"_s);
    ASSERT_TRUE(QDir().mkpath(disc));
    const auto root = [&] { return QStringList{w.form().caption(ctl::lblRoot), w.state().cdRoot}; };
    const auto shownAs = [&](const QString& shown) {
        return QStringList{shown, withTrailingSeparator(shown)};
    };
    w.openFolder(tmp.path() + u"/Disc/"_s);
    EXPECT_EQ(root(), shownAs(disc));
    // The root of the file system (or of the drive) keeps its one separator in both forms.
    w.openFolder(QDir::rootPath());
    EXPECT_EQ(root(), shownAs(folderAsShown(driveOf(QDir::rootPath()) + sep)));
    // A drive opens the folder last opened on it, or its top when it is gone.
    const QString drive = driveOf(disc);
    w.openFolder(disc);
    w.pickDrive(drive);
    EXPECT_EQ(root(), shownAs(disc));
    ASSERT_TRUE(QDir(disc).removeRecursively());
    w.pickDrive(drive);
    EXPECT_EQ(root(), shownAs(folderAsShown(drive + sep)));
    EXPECT_TRUE(f.prompts.transcript().isEmpty());
    // A folder that is missing or is a file, a drive that cannot be read: a message naming it,
    // the root stays.
    for (const QString& bad : {disc, tmp.write(u"plain.txt"_s, "x"), u"/no/such/volume"_s}) {
        bad.startsWith(u"/no/"_s) ? w.pickDrive(bad) : w.openFolder(bad);
        EXPECT_TRUE(f.takeMessages().value(0).contains(test::native(bad))) << bad.toStdString();
        EXPECT_EQ(root(), shownAs(folderAsShown(drive + sep)));
    }
#ifndef Q_OS_WIN
    // The lists start in the home folder, the first drive offered; system mounts are not offered.
    const QString home = folderAsShown(test::native(QDir::homePath()));
    EXPECT_EQ(QStringList({availableDrives().value(0), driveOf(home + u"/Photos"_s)}),
              QStringList({home, home}));
    const std::tuple<const char*, const char*, bool> volumes[] = {
        {"/", "ext4", true},          {"/run/media/ann/CD", "iso9660", true}, {"/tmp", "tmpfs", true},
        {"/proc", "proc", false},     {"/run/user/1000", "tmpfs", false},     {"/boot/efi", "vfat", false},
        {"/opt/x", "squashfs", false}};
    for (const auto& [volume, type, offered] : volumes) {
        EXPECT_EQ(isUserVolume(QString::fromUtf8(volume), type), offered) << volume;
    }
#endif
    // A menu header whose insert is refused adopts no key.
    w.myData().ExecuteSQL(
        u"CREATE TRIGGER refuse BEFORE INSERT ON tblMenus BEGIN SELECT RAISE(ABORT, 'no'); END"_s);
    EXPECT_THROW(saveMenuHeader(w), DataError);
    EXPECT_EQ(w.state().curMenuID, 0);
}

TEST(StyleLibrary, ANewStyleIsInsertedOnceWithItsAssetsAndTheMenuWritten) {
    StylePage p;
    p.wizard->myData().executeInsert(
        u"INSERT INTO tblMenus (Title) VALUES ('Older')"_s);  // the new key is not 1
    p.form().setText(ctl::txtStyleName, u"Ocean"_s);
    p.form().setText(ctl::txtLogoImage, p.program.write(u"pics/logo.gif"_s, "GIF89a-logo"));
    p.form().setText(ctl::txtButtonOn, QString());  // empty counts as "none"
    p.next();
    p.next();
    ASSERT_EQ(p.step(), 4) << p.prompts.transcript().join(u'\n').toStdString();
    const qint64 id = p.wizard->state().curStyleID;
    EXPECT_EQ(p.styles(), 4);
    EXPECT_EQ(p.form().text(ctl::cmbStyles), u"%1: Ocean"_s.arg(id));
    // The fields and the row name the copy in the style's folder; the menu folder has its own copy.
    const QString styleCopy = test::native(p.program.path() + u"/Styles/Ocean/logo.gif"_s);
    EXPECT_EQ(QStringList({p.form().text(ctl::txtLogoImage), p.form().text(ctl::txtButtonOn)}),
              QStringList({styleCopy, u"none"_s}));
    EXPECT_EQ(QStringList({p.style(id, u"Logofile"_s), p.style(id, u"ButtonOnImage"_s)}),
              QStringList({styleCopy, u"none"_s}));
    EXPECT_EQ(test::readFile(p.disc.path() + u"/Menu/logo.gif"_s), QByteArray("GIF89a-logo"));
    const auto menu = [&] {
        auto rs = p.wizard->myData().GetRS(sql::menuById, {p.wizard->state().curMenuID});
        return QStringList({rs->field(u"Title"_s), rs->field(u"StyleNo"_s), rs->field(u"Root"_s)});
    };
    EXPECT_EQ(menu(), (QStringList{u"Disc"_s, QString::number(id), test::native(p.disc.path())}));

    // Back to "Styles / fonts" and forward again: the same rows are updated.
    p.wizard->click(ctl::cmdBack);
    p.form().setText(ctl::txtDColor, u"RGB(1,2,3)"_s);
    p.next();
    EXPECT_EQ(p.styles(), 4);
    EXPECT_EQ(p.style(id, u"TextColor"_s), u"RGB(1,2,3)"_s);

    // A stored style whose row vanished after it was loaded is saved as a new one. The menu's row
    // is updated: a new title, the root as first stored.
    for (int page = 4; page > 1; --page) {
        p.wizard->click(ctl::cmdBack);
    }
    p.form().setText(ctl::txtTitle, u"Renamed"_s);
    p.wizard->openFolder(p.program.path());
    p.next();
    p.wizard->myData().ExecuteSQL(u"DELETE FROM tblStyles WHERE StyleID=?"_s, {id});
    p.next();
    p.next();
    ASSERT_EQ(p.step(), 4);
    EXPECT_EQ(p.styles(), 4);
    EXPECT_EQ(p.form().text(ctl::cmbStyles), u"%1: Ocean"_s.arg(p.wizard->state().curStyleID));
    EXPECT_EQ(menu(), (QStringList{u"Renamed"_s, QString::number(p.wizard->state().curStyleID),
                                   test::native(p.disc.path())}));
    EXPECT_EQ(p.count(u"SELECT * FROM tblMenus"_s), 2);
}

TEST(StyleLibrary, SavingRefusesAnUnusableNameAndLinkedFoldersAndStaysUsable) {
    StylePage p;
    p.form().setText(ctl::txtStyleName, u"Paper"_s);
    p.next();
    ASSERT_EQ(p.step(), 3);
    // A name changed after its page (as a script can) is checked again: nothing escapes Styles.
    p.form().setText(ctl::txtStyleName, u"../../x"_s);
    p.form().setText(ctl::txtLogoImage, p.program.write(u"pics/logo.gif"_s, "GIF89a-logo"));
    p.next();
    EXPECT_FALSE(QFile::exists(p.program.path() + u"/Styles"_s));
    // A Menu folder that is a link to another place: refused with a message naming it.
    test::TempFolder elsewhere;
    const QString menu = p.disc.path() + u"/Menu"_s;
    ASSERT_TRUE(QFile::link(elsewhere.path(), menu));
    p.form().setText(ctl::txtStyleName, u"Ocean"_s);
    p.next();
    EXPECT_EQ(p.step(), 3);
    const auto shown = test::events(p.prompts.transcript(), u"message"_s);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0][u"text"_s], u"This style name cannot be used as a folder name, please change it!"_s);
    EXPECT_EQ(shown[1][u"text"_s], test::native(menu) +
                                       u" is a link to another place. Torvel writes only into "
                                       "real folders: remove the link or choose another folder."_s);
    EXPECT_EQ(p.styles(), 3);
    EXPECT_EQ(p.count(u"SELECT * FROM tblMenus"_s), 0);
    // With the link gone the same window saves the style.
    ASSERT_TRUE(QFile::remove(menu));
    p.next();
    EXPECT_EQ(p.step(), 4);
    EXPECT_EQ(test::readFile(menu + u"/logo.gif"_s), QByteArray("GIF89a-logo"));
}

TEST(Pickers, ColourFontAndFileDialogsWriteTheirFields) {
    StylePage p;
    p.prompts.clearTranscript();
    // Each swatch shows the colour its field names, also as a bare colour number: the default
    // background is white, while the dialog reads it as black. A cancelled colour dialog writes its
    // preset back; a system colour is reported once per part before its value is written.
    EXPECT_EQ(p.form().color(ctl::colBack), 0xFFFFFF);
    for (const auto& [text, color] : {std::pair{" rgb( 1, 2 ,3 ) ", 0x030201}, std::pair{"RGB(256,0,0)", -1},
                                      std::pair{"16777216", -1}, std::pair{"255", 0x0000FF}}) {
        p.form().setText(ctl::txtDColor, QString::fromLatin1(text));
        EXPECT_EQ(p.form().color(ctl::colText), color) << text;
    }
    p.prompts.queueColor(std::nullopt);
    p.wizard->click(ctl::cmdPickColor);
    EXPECT_EQ(p.form().color(ctl::colBack), 0);
    p.prompts.queueColor(255);
    p.wizard->click(ctl::cmdHColorActive);
    qsizetype linesWhenWritten = -1;
    p.form().addListener([&](const QString& name) {
        if (name == ctl::txtHColor && linesWhenWritten < 0) {
            linesWhenWritten = p.prompts.transcript().size();
        }
    });
    p.prompts.queueColor(-2147483633);
    p.wizard->click(ctl::cmdHColor);
    EXPECT_EQ(linesWhenWritten, 6);
    p.prompts.queueFont(FontChoice{u"Verdana"_s, 12, false});
    p.wizard->click(ctl::cmdTFont);
    p.form().setText(ctl::txtDFont, u"Times New Roman;10.5pt;Normal"_s);
    p.prompts.queueFont(std::nullopt);
    p.wizard->click(ctl::cmdDFont);
    p.prompts.queueFile(u"/pics/wave.wav"_s);
    p.wizard->click(ctl::cmdBSound);
    p.prompts.queueFile(std::nullopt);
    p.wizard->click(ctl::cmdLImage);
    QStringList fields;
    for (const char* f : {ctl::txtBackgroundColor, ctl::txtHColorActive, ctl::txtHColor, ctl::txtTitleFont,
                          ctl::txtDFont, ctl::txtBSound, ctl::txtLogoImage}) {
        fields << p.form().text(QString::fromLatin1(f));
    }
    EXPECT_EQ(fields,
              (QStringList{u"RGB(0,0,0)"_s, u"RGB(255,0,0)"_s, u"RGB(-1,-1,-1)"_s, u"Verdana;12pt;Normal"_s,
                           u"Times New Roman;10pt;Normal"_s, u"/pics/wave.wav"_s, u"none"_s}));
    EXPECT_EQ(p.form().color(ctl::colHyperA), 255);
    EXPECT_EQ(p.form().color(ctl::colHyper), -2147483633);

    const QList<QJsonObject> shown = test::events(p.prompts.transcript());
    ASSERT_EQ(shown.size(), 10);
    EXPECT_EQ(shown[0][u"preset"_s], 0);
    EXPECT_EQ(shown.mid(3, 3),
              QList<QJsonObject>(
                  3, test::event(uR"({"event":"message","icon":"none","buttons":"ok",)"
                                 uR"("title":"Torvel","text":"-2147483633 ist eine Systemfarbe"})"_s)));
    // Each open-file dialog says what is chosen and offers its kind of file or every file.
    EXPECT_EQ(QStringList({shown[8][u"title"_s].toString(), shown[8][u"filter"_s].toString(),
                           shown[8][u"defaultExt"_s].toString()}),
              QStringList({u"Choose the background sound"_s,
                           u"Sounds (*.wav;*.mp3;*.mid)|*.wav;*.mp3;*.mid|All files (*.*)|*.*"_s, u"wav"_s}));
    EXPECT_EQ(
        QStringList({shown[9][u"title"_s].toString(), shown[9][u"filter"_s].toString(),
                     shown[9][u"defaultExt"_s].toString()}),
        QStringList({u"Choose the logo"_s,
                     u"Pictures (*.jpg;*.jpeg;*.gif;*.png)|*.jpg;*.jpeg;*.gif;*.png|All files (*.*)|*.*"_s,
                     u"jpg"_s}));
}

TEST(StyleImages, TheLogoPositionTakesWholeNumbersOnlyAfterTheStyleName) {
    StylePage p;
    const QString whole = u"Please enter the logo position in whole pixels!"_s;
    p.form().setText(ctl::txtTop, u"abc"_s);
    p.form().setText(ctl::txtLogoImage, p.disc.path() + u"/gone.gif"_s);
    p.next();
    p.form().setText(ctl::txtStyleName, u"Ocean"_s);
    p.next();
    // Refused before the paths are looked at: the missing logo is still named in its field.
    EXPECT_EQ(p.takeMessages(), (QStringList{u"Please enter a style name!"_s, whole}));
    EXPECT_EQ(p.form().text(ctl::txtLogoImage), p.disc.path() + u"/gone.gif"_s);
    p.form().setText(ctl::txtLogoImage, u"none"_s);
    p.form().setText(ctl::txtTop, u"-12"_s);
    for (const QString& bad : {u"12px"_s, u" 3"_s, QString(), u"\u0663"_s}) {
        p.form().setText(ctl::txtLeft, bad);
        p.next();
        EXPECT_EQ(p.takeMessages(), QStringList{whole}) << bad.toStdString();
    }
    p.form().setText(ctl::txtLeft, u"007"_s);
    p.next();
    EXPECT_EQ(p.step(), 3);
    // A stored style holding "12px" is refused the same way once loaded.
    p.wizard->myData().ExecuteSQL(u"UPDATE tblStyles SET LogoTop='12px' WHERE StyleID=1"_s);
    p.wizard->click(ctl::cmdBack);
    p.wizard->click(ctl::cmdBack);
    fillStyles(*p.wizard);
    p.form().select(ctl::cmbStyles, 1);
    p.next();
    p.next();
    EXPECT_EQ(p.takeMessages(), QStringList{whole});
    EXPECT_EQ(QStringList({QString::number(p.step()), p.form().text(ctl::txtTop)}),
              QStringList({u"2"_s, u"12px"_s}));
}
