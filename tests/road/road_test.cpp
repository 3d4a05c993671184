// The author's roads through the whole wizard on the model, with a real Torvel.dat, CD root and
// program folder: a menu created, finished, loaded, changed, finished and deleted; every refusal.
#include <gtest/gtest.h>

#include <QDir>

#include "data/statements.h"
#include "files/paths.h"
#include "support/testsupport.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/generalsettings.h"
#include "wizard/stylepages.h"

using namespace torvel;
using namespace Qt::StringLiterals;

namespace {

struct Road : test::WizardFixture {
    test::TempFolder work;
    QString disc = work.native(u"Disc"_s);

    Road() {
        program.copyInstalledFiles();
        for (const char* file : {"Disc/Setup/install.exe", "Disc/Docs/read me.txt", "Art/logo.gif",
                                 "Art/on.gif", "Art/shot.jpg"}) {
            work.write(QString::fromLatin1(file), QByteArray("GIF89a ") + file);
        }
    }
    QString art(const char* name) const { return work.native(u"Art/"_s + QLatin1String(name)); }
    // Create Menu with a new style named styleName, its logo, button and colours, ending on "Add Files".
    void newMenu(const QString& title, const QString& templ, const QString& styleName) {
        wizard->click(ctl::cmdNew);
        form().setText(ctl::txtTitle, title);
        form().setText(ctl::cmbTemplate, templ);
        wizard->openFolder(disc);
        next();
        form().setText(ctl::txtStyleName, styleName);
        form().setText(ctl::txtLogoImage, art("logo.gif"));
        form().setText(ctl::txtButtonOn, art("on.gif"));
        form().setText(ctl::txtBackgroundColor, u"RGB(0,0,128)"_s);
        next();
        form().setText(ctl::txtTitleFont, u"Verdana;16pt;Bold"_s);
        form().setText(ctl::txtTitleColor, u"RGB(255,0,0)"_s);
        next();
    }
    void addEntry(const QString& file, const QString& title, const QString& category) {
        form().setText(ctl::txtFile, QDir(disc).filePath(file));
        form().setText(ctl::txtFileTitle, title);
        form().setText(ctl::txtFileCat, category);
        form().setText(ctl::txtFileScreenshot, art("shot.jpg"));
        wizard->click(ctl::cmdSave);
    }
    QByteArray finished(const QString& file) const { return test::readFile(QDir(disc).filePath(file)); }
};

}  // namespace

TEST(Road, CreateAndFinishAMenuThenLoadChangeAndFinishItAgainThenDeleteIt) {
    Road r;
    const auto fileFields = [&] {  // which entry fields "Add Files" shows: category, screenshot
        return QList<bool>{r.form().visible(ctl::txtFileCat), r.form().visible(ctl::txtFileScreenshot),
                           r.form().visible(ctl::cmdFScreenshot)};
    };
    r.newMenu(u"Tools: 2024"_s, u"Standard Screenshots"_s, u"Sand"_s);
    ASSERT_EQ(r.step(), 4) << r.prompts.transcript().join(u'\n').toStdString();
    EXPECT_EQ(fileFields(), (QList<bool>{false, true, true}));
    r.addEntry(u"Setup/install.exe"_s, u"Install"_s, u"none"_s);
    r.addEntry(u"Docs/read me.txt"_s, u"Readme"_s, u"none"_s);
    r.wizard->click(ctl::Finish);
    // The page of the template with the menu's title, entries and pictures, in the style chosen.
    QByteArray page = r.finished(u"Index.htm"_s);
    EXPECT_TRUE(page.contains("<h2>Tools: 2024</h2>") && page.contains("Menu/logo.gif") &&
                page.contains("Readme") && page.contains("Menu/shot.jpg"));
    EXPECT_FALSE(page.contains("displayCat("));
    const QByteArray css = r.finished(u"Menu/Styles.css"_s);
    EXPECT_TRUE(css.startsWith("h2{font-size:16pt;font-family:Verdana;color:RGB(255,0,0);font-weight:Bold;"));
    EXPECT_TRUE(css.contains("Body{background-color:RGB(0,0,128)}\r\n"));
    const qint64 menuId = r.wizard->state().curMenuID;
    const qint64 styleId = r.wizard->state().curStyleID;
    // Create Menu and Load put the entry fields back to their start values and empty the list.
    const auto expectEditorCleared = [&] {
        for (const char* field : {ctl::txtFile, ctl::txtFileTitle, ctl::txtFileDescription,
                                  ctl::txtFileScreenshot, ctl::txtFileCat}) {
            EXPECT_EQ(r.form().text(field), u"none"_s) << field;
        }
        EXPECT_TRUE(r.form().items(ctl::lstFiles).isEmpty());
    };
    r.wizard->click(ctl::cmdNew);
    expectEditorCleared();

    // The program is started again: the menu is listed by its id, loads, and its title is not
    // checked against itself.
    ScriptedPrompts& prompts = r.prompts;
    r.wizard = buildWizard(prompts, r.program.path());
    r.wizard->click(ctl::cmdEdit);
    EXPECT_EQ(r.form().items(ctl::cmbMenuL), QStringList{u"%1: Tools: 2024"_s.arg(menuId)});
    r.wizard->click(ctl::cmdLoad);
    EXPECT_EQ(
        (QStringList{r.form().text(ctl::txtTitle), r.form().text(ctl::cmbStyles), r.wizard->state().cdRoot}),
        (QStringList{u"Tools: 2024"_s, u"%1: Sand"_s.arg(styleId), r.disc + QDir::separator()}));
    r.form().setText(ctl::cmbTemplate, u"Extended"_s);
    r.next();
    r.next();
    prompts.queueColor(65280);
    r.wizard->click(ctl::cmdDColor);
    r.next();
    ASSERT_EQ(r.step(), 4) << prompts.transcript().join(u'\n').toStdString();
    EXPECT_EQ(fileFields(), (QList<bool>{true, false, false}));
    EXPECT_EQ(r.form().items(ctl::lstFiles), (QStringList{u"Install"_s, u"Readme"_s}));
    r.wizard->choose(ctl::lstFiles, 0);
    r.form().setText(ctl::txtFileCat, u"Setup"_s);
    r.wizard->click(ctl::cmdSave);
    r.wizard->choose(ctl::lstFiles, 1);
    prompts.queueAnswer(true);
    r.wizard->click(ctl::cmdFileRemove);
    r.wizard->click(ctl::Finish);
    EXPECT_EQ(test::messages(prompts.transcript()).last(), u"Your Menu has been successfully created!"_s);
    page = r.finished(u"Index.htm"_s);
    EXPECT_TRUE(page.contains(">Setup</p>")) << "the Extended page lists the new category";
    EXPECT_FALSE(page.contains("Readme") || page.contains("Menu/shot.jpg"));
    EXPECT_TRUE(r.finished(u"Menu/Styles.css"_s).contains("color:RGB(0,255,0)"));
    // Modern: both entry fields; the page carries the style's values itself, its twin the same bytes.
    for (int back = 3; back > 0; --back) {
        r.wizard->click(ctl::cmdBack);
    }
    r.form().setText(ctl::cmbTemplate, u"Modern"_s);
    for (int next = 3; next > 0; --next) {
        r.next();
    }
    EXPECT_EQ(fileFields(), (QList<bool>{true, true, true}));
    r.wizard->click(ctl::Finish);
    page = r.finished(u"Index.htm"_s);
    for (const char* line :
         {"<h1>Tools: 2024</h1>", "body{color:#00ff00;background-color:#000080;",
          "h1{color:#ff0000;font-family:\"Verdana\",sans-serif;font-size:16pt;font-weight:bold}",
          ".pick:hover,.tab:hover,.more:hover{color:#11cfff;background-image:url(\"Menu/on.gif\")}",
          "<h2 id=\"h0\">Setup</h2>", "<img class=\"logo\" src=\"Menu/logo.gif\" alt=\"\">"}) {
        EXPECT_TRUE(page.contains(line)) << line;
    }
    EXPECT_EQ(r.finished(u"Index.hta"_s), page);

    // Delete: No keeps the menu, text naming no menu is refused, Yes deletes the row and keeps
    // the entries for the description finder.
    for (int back = 4; back > 0; --back) {
        r.wizard->click(ctl::cmdBack);
    }
    r.wizard->click(ctl::cmdEdit);
    r.wizard->click(ctl::cmdLoad);
    expectEditorCleared();
    r.wizard->click(ctl::cmdBack);
    prompts.clearTranscript();
    r.wizard->click(ctl::cmdDelete);
    prompts.queueAnswer(false);
    r.wizard->click(ctl::cmdMDelete);
    EXPECT_FALSE(r.form().visible(ctl::cmdMDelete));
    r.form().setText(ctl::cmbMenus, u"Tools"_s);
    r.wizard->click(ctl::cmdMDelete);
    EXPECT_EQ(r.count(u"SELECT * FROM tblMenus"_s), 1);
    r.wizard->click(ctl::cmdDelete);
    prompts.queueAnswer(true);
    r.wizard->click(ctl::cmdMDelete);
    r.wizard->click(ctl::cmdEdit);
    EXPECT_EQ(test::messages(prompts.transcript()),
              (QStringList{u"Do you really want to remove the selected Menu?"_s,
                           u"Please select a menu from the list!"_s,
                           u"Do you really want to remove the selected Menu?"_s,
                           u"Menu deleted successfully!"_s, u"Sorry, no menus available!"_s}));
    EXPECT_EQ(test::events(prompts.transcript()).last()[u"icon"_s], u"none"_s);
    EXPECT_EQ(test::events(prompts.transcript()).first()[u"default"_s], u"no"_s);
    EXPECT_FALSE(r.form().visible(ctl::cmbMenuL));
    EXPECT_EQ(r.count(u"SELECT * FROM tblMenus"_s), 0);
    EXPECT_EQ(r.count(u"SELECT * FROM tblDetails"_s), 1);
}

TEST(Road, EveryRefusalOfThePagesKeepsTheAuthorWhereTheyAre) {
    Road r;
    // An empty library: Delete Menu says so and leaves the style list alone; Load Menu fills it.
    r.wizard->click(ctl::cmdDelete);
    EXPECT_TRUE(r.form().items(ctl::cmbStyles).isEmpty());
    r.wizard->click(ctl::cmdEdit);
    EXPECT_EQ(r.form().items(ctl::cmbStyles).size(), 4);
    EXPECT_EQ(r.takeMessages(), (QStringList(2, u"Sorry, no menus available!"_s)));

    // Load: text naming no menu is refused; a menu whose root is gone opens on page 1 with the
    // message, its root the current folder of the drive that held it.
    for (const char* title : {"Été", "Lost"}) {
        r.wizard->myData().executeInsert(
            sql::insertMenu, {u"Extended"_s, QString::fromUtf8(title), 99, QDir(r.disc).filePath(u"Gone"_s)});
    }
    r.wizard->click(ctl::cmdEdit);
    r.form().setText(ctl::cmbMenuL, u"nothing"_s);
    r.wizard->click(ctl::cmdLoad);
    r.wizard->choose(ctl::cmbMenuL, 1);  // "2: Lost"
    r.wizard->click(ctl::cmdLoad);
    const QString driveFolder = folderAsShown(driveOf(r.disc));  // an unknown style keeps the list
    EXPECT_EQ((QStringList{r.form().text(ctl::cmbTemplate), r.form().text(ctl::cmbStyles),
                           r.form().caption(ctl::lblRoot), r.wizard->state().cdRoot}),
              (QStringList{u"Extended"_s, u"NEW"_s, driveFolder, withTrailingSeparator(driveFolder)}));
    EXPECT_EQ(r.takeMessages(),
              (QStringList{u"Please select a menu from the list!"_s,
                           u"Your root directory is no longer valid!\r\nPlease select a new root "
                           "directory!"_s}));

    // A new window: Next without Create Menu; "General Setting" needs a title, a root and a title
    // no stored menu has in any letter case. Then the style list starts from "NEW".
    r.wizard = buildWizard(r.prompts, r.program.path());
    r.next();
    r.next();
    r.form().setText(ctl::txtTitle, u"ÉTÉ"_s);
    r.next();
    r.wizard->openFolder(r.disc);
    r.next();
    EXPECT_EQ(r.form().text(ctl::txtTitle), QString());
    r.form().setText(ctl::txtTitle, u"Fresh"_s);
    r.next();
    ASSERT_EQ(r.step(), 2);
    EXPECT_EQ(r.form().text(ctl::cmbStyles), u"NEW"_s);

    // "Styles / images" needs a style name that can name a folder, then paths that exist.
    const QString logo = r.art("logo.gif");
    r.form().setText(ctl::txtLogoImage, logo);
    r.form().setText(ctl::txtBackImage, r.art("missing.jpg"));
    r.form().setText(ctl::txtButtonOff, r.art("gone.gif"));
    r.next();
    EXPECT_EQ(r.form().text(ctl::txtBackImage), r.art("missing.jpg")) << "no path check without a name";
    for (const QString& bad : {u"a/b"_s, u".."_s, u"CON"_s, u"lpt1.txt"_s, u"dot."_s, u"   "_s}) {
        r.form().setText(ctl::txtStyleName, bad);
        r.next();
        EXPECT_EQ(r.step(), 2) << bad.toStdString();
    }
    EXPECT_TRUE(isUsableFolderName(u"Ocean Blue 2"_s));
    EXPECT_TRUE(isUsableFolderName(u"CONSOLE"_s));
    r.form().setText(ctl::txtStyleName, u"Second"_s);
    r.next();
    EXPECT_EQ((QStringList{QString::number(r.step()), r.form().text(ctl::txtBackImage),
                           r.form().text(ctl::txtLogoImage)}),
              (QStringList{u"2"_s, u"none"_s, logo}));
    const QStringList badName(6, u"This style name cannot be used as a folder name, please change it!"_s);
    EXPECT_EQ(r.takeMessages(), (QStringList{u"Please enter a menu title!"_s,
                                             u"Please select a root directory for your CD files!"_s,
                                             u"Menu title is already taken, please change your title!,"_s,
                                             u"Please enter a style name!"_s} +
                                 badName +
                                 QStringList{u"Following paths are no longer valid, please correct!\r\n"
                                             "Background image\r\nButton Off image\r\n"_s}));
}
