#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QTemporaryDir>

#include "data/statements.h"
#include "files/paths.h"
#include "support/testsupport.h"
#include "wizard/controlnames.h"
#include "wizard/generalsettings.h"
#include "wizard/stylepages.h"

using namespace torvel;

namespace {

const QString kTitleMsg = QStringLiteral("Please enter a menu title!");

// A wizard with a CD root folder of its own and helpers to walk the pages.
struct Road : test::WizardFixture {
    QTemporaryDir disc;
    QString root() const { return withTrailingSeparator(QDir::toNativeSeparators(disc.path())); }

    QString lastEvent() const {
        return prompts.transcript().isEmpty() ? QString() : prompts.transcript().last();
    }
    bool said(const QString& text) const {
        for (const QString& line : prompts.transcript()) {
            if (line.contains(text)) {
                return true;
            }
        }
        return false;
    }
    int rows(const char* table) {
        return wizard->myData()
            .GetRS(QStringLiteral("SELECT * FROM %1").arg(QString::fromUtf8(table)))
            ->recordCount();
    }
    void next() { wizard->click(ctl::cmdNext); }
    void back() { wizard->click(ctl::cmdBack); }
    int step() const { return wizard->state().curStep; }

    // Create Menu, a title and the root: ready to leave "General Setting".
    void startNewMenu(const QString& title) {
        wizard->click(ctl::cmdNew);
        form().setText(ctl::txtTitle, title);
        wizard->openFolder(disc.path());
    }
    // A new menu on "Styles / images" with the style Ocean and the logo pics/logo.gif.
    void newStyleWithLogo() {
        startNewMenu(QStringLiteral("Disc"));
        next();
        form().setText(ctl::txtStyleName, QStringLiteral("Ocean"));
        form().setText(ctl::txtLogoImage, program.write(QStringLiteral("pics/logo.gif"), "GIF89a-logo"));
    }
    qint64 storeMenu(const QString& title, qint64 styleNo, const QString& rootShown) {
        return wizard->myData().executeInsert(QString::fromUtf8(sql::insertMenu),
                                              {QStringLiteral("Extended"), title, styleNo, rootShown});
    }
};

}  // namespace

TEST(MenuLibrary, EmptyDatabaseSaysSoAndLoadMenuStillFillsTheStyleList) {
    Road r;
    r.wizard->click(ctl::cmdEdit);
    EXPECT_TRUE(r.lastEvent().contains(QStringLiteral("\"icon\":\"none\"")));
    EXPECT_TRUE(r.lastEvent().contains(QStringLiteral("Sorry, no menus available!")));
    EXPECT_FALSE(r.form().visible(ctl::cmbMenuL));
    EXPECT_EQ(r.form().items(ctl::cmbStyles).size(), 4);
    EXPECT_EQ(r.form().text(ctl::cmbStyles), QStringLiteral("NEW"));

    r.form().setItems(ctl::cmbStyles, {});
    r.wizard->click(ctl::cmdDelete);
    EXPECT_TRUE(r.lastEvent().contains(QStringLiteral("Sorry, no menus available!")));
    EXPECT_FALSE(r.form().visible(ctl::cmbMenus));
    EXPECT_TRUE(r.form().items(ctl::cmbStyles).isEmpty()) << "Delete Menu leaves the style list alone";
}

TEST(MenuLibrary, ListsLoadsAndDeletesByTheIdBeforeTheFirstColon) {
    Road r;
    const qint64 a = r.storeMenu(QStringLiteral("Tools: 2024"), 1, r.disc.path());
    const qint64 b = r.storeMenu(QStringLiteral("Games"), 2, r.disc.path());
    r.wizard->click(ctl::cmdEdit);
    EXPECT_EQ(r.form().items(ctl::cmbMenuL),
              (QStringList{QStringLiteral("%1: Tools: 2024").arg(a), QStringLiteral("%1: Games").arg(b)}));
    EXPECT_EQ(r.form().text(ctl::cmbMenuL), QStringLiteral("%1: Tools: 2024").arg(a));
    EXPECT_TRUE(r.form().visible(ctl::cmdLoad));

    r.wizard->click(ctl::cmdDelete);
    EXPECT_FALSE(r.form().visible(ctl::cmdLoad));
    EXPECT_TRUE(r.form().visible(ctl::cmdMDelete));

    // Declining changes nothing but still hides the group.
    r.prompts.queueAnswer(false);
    r.wizard->click(ctl::cmdMDelete);
    EXPECT_TRUE(r.lastEvent().contains(QStringLiteral("Do you really want to remove the selected Menu?")));
    EXPECT_EQ(r.rows("tblMenus"), 2);
    EXPECT_FALSE(r.form().visible(ctl::cmdMDelete));

    // Text that names no menu is refused before anything is asked.
    r.form().setText(ctl::cmbMenus, QStringLiteral("Games"));
    r.wizard->click(ctl::cmdMDelete);
    EXPECT_TRUE(r.lastEvent().contains(QStringLiteral("Please select a menu from the list!")));

    r.wizard->click(ctl::cmdDelete);
    r.prompts.queueAnswer(true);
    r.wizard->click(ctl::cmdMDelete);
    EXPECT_TRUE(r.lastEvent().contains(QStringLiteral("Menu deleted successfully!")));
    EXPECT_EQ(r.rows("tblMenus"), 1);
    EXPECT_EQ(r.rows("tblDetails"), 0);

    r.wizard->click(ctl::cmdEdit);
    EXPECT_EQ(r.form().items(ctl::cmbMenuL), QStringList{QStringLiteral("%1: Games").arg(b)});
}

TEST(Transitions, NextFromPageZeroWithoutCreateMenuFillsTheStyleListFirst) {
    Road r;
    r.next();
    ASSERT_EQ(r.step(), 1);
    EXPECT_TRUE(r.form().items(ctl::cmbStyles).isEmpty());
    r.form().setText(ctl::txtTitle, QStringLiteral("Quick"));
    r.wizard->openFolder(r.disc.path());
    r.next();
    EXPECT_EQ(r.step(), 2);
    EXPECT_EQ(r.form().text(ctl::cmbStyles), QStringLiteral("NEW"));
    EXPECT_EQ(r.wizard->state().curStyleID, 0);
}

TEST(StyleLibrary, ImagePageChecksNameFolderNameAndPaths) {
    Road r;
    r.startNewMenu(QStringLiteral("Disc"));
    r.next();
    ASSERT_EQ(r.step(), 2);
    const QString logo = r.program.write(QStringLiteral("pics/logo.gif"), "GIF89a");
    r.form().setText(ctl::txtLogoImage, logo);
    r.form().setText(ctl::txtBackImage, r.program.path() + QStringLiteral("/gone.jpg"));
    r.next();
    EXPECT_TRUE(r.lastEvent().contains(QStringLiteral("Please enter a style name!")));
    EXPECT_NE(r.form().text(ctl::txtBackImage), QStringLiteral("none")) << "no path check without a name";

    for (const QString& bad : {QStringLiteral("a/b"), QStringLiteral(".."), QStringLiteral("CON"),
                               QStringLiteral("lpt1.txt"), QStringLiteral("dot."), QStringLiteral("   ")}) {
        r.form().setText(ctl::txtStyleName, bad);
        r.next();
        EXPECT_EQ(r.step(), 2) << bad.toStdString();
        EXPECT_TRUE(r.lastEvent().contains(QStringLiteral("cannot be used as a folder name")))
            << bad.toStdString();
    }
    EXPECT_TRUE(isUsableFolderName(QStringLiteral("Ocean Blue 2")));
    EXPECT_TRUE(isUsableFolderName(QStringLiteral("CONSOLE")));

    r.form().setText(ctl::txtStyleName, QStringLiteral("Ocean"));
    r.next();
    EXPECT_EQ(r.step(), 2);
    EXPECT_TRUE(r.lastEvent().contains(
        QStringLiteral("Following paths are no longer valid, please correct!\\r\\nBackground image\\r\\n")));
    EXPECT_EQ(r.form().text(ctl::txtBackImage), QStringLiteral("none"));
    EXPECT_EQ(r.form().text(ctl::txtLogoImage), logo);
    r.next();
    EXPECT_EQ(r.step(), 3);
}

TEST(StyleLibrary, SavingANewStyleInsertsOnceGathersAssetsAndWritesTheMenu) {
    Road r;
    r.newStyleWithLogo();
    r.form().setText(ctl::txtButtonOn, QString());  // empty counts as "none"
    r.next();
    r.next();
    ASSERT_EQ(r.step(), 4) << r.prompts.transcript().join(QLatin1Char('\n')).toStdString();

    EXPECT_EQ(r.rows("tblStyles"), 4);
    const qint64 id = r.wizard->state().curStyleID;
    EXPECT_EQ(r.form().text(ctl::cmbStyles), QStringLiteral("%1: Ocean").arg(id));
    const QString styleCopy = QDir(r.program.path()).filePath(QStringLiteral("Styles/Ocean/logo.gif"));
    EXPECT_EQ(QDir::fromNativeSeparators(r.form().text(ctl::txtLogoImage)), styleCopy);
    EXPECT_EQ(r.form().text(ctl::txtButtonOn), QStringLiteral("none"));
    EXPECT_EQ(test::readFile(r.disc.filePath(QStringLiteral("Menu/logo.gif"))), QByteArray("GIF89a-logo"));
    EXPECT_TRUE(QFile::exists(r.disc.filePath(QStringLiteral("Menu/Styles.css"))));
    auto style = r.wizard->myData().GetRS(QString::fromUtf8(sql::styleById), {id});
    EXPECT_EQ(QDir::fromNativeSeparators(style->field(QStringLiteral("Logofile"))), styleCopy);
    EXPECT_EQ(style->field(QStringLiteral("ButtonOnImage")), QStringLiteral("none"));

    ASSERT_NE(r.wizard->state().curMenuID, 0);
    auto menu = r.wizard->myData().GetRS(QString::fromUtf8(sql::menuById), {r.wizard->state().curMenuID});
    EXPECT_EQ(menu->field(QStringLiteral("StyleNo")).toLongLong(), id);
    EXPECT_EQ(menu->field(QStringLiteral("Root")), QDir::toNativeSeparators(r.disc.path()));

    // Back to "Styles / fonts" and forward again: the same rows are updated.
    r.back();
    r.form().setText(ctl::txtDColor, QStringLiteral("RGB(1,2,3)"));
    r.next();
    EXPECT_EQ(r.rows("tblStyles"), 4);
    EXPECT_EQ(r.rows("tblMenus"), 1);
    EXPECT_EQ(
        r.wizard->myData().GetRS(QString::fromUtf8(sql::styleById), {id})->field(QStringLiteral("TextColor")),
        QStringLiteral("RGB(1,2,3)"));
}

TEST(StyleLibrary, AStyleWhoseRowVanishedIsSavedAsANewOne) {
    Road r;
    r.startNewMenu(QStringLiteral("Disc"));
    r.form().select(ctl::cmbStyles, 2);  // "2: Paper"
    r.next();
    ASSERT_EQ(r.wizard->state().curStyleID, 2);
    EXPECT_EQ(r.form().text(ctl::txtStyleName), QStringLiteral("Paper"));
    r.wizard->myData().ExecuteSQL(QStringLiteral("DELETE FROM tblStyles WHERE StyleID=2"));
    r.next();
    r.next();
    ASSERT_EQ(r.step(), 4);
    EXPECT_GT(r.wizard->state().curStyleID, 3);
    EXPECT_EQ(r.rows("tblStyles"), 3);
    EXPECT_EQ(r.form().text(ctl::cmbStyles), QStringLiteral("%1: Paper").arg(r.wizard->state().curStyleID));
}

TEST(Pickers, ColourFontAndFileDialogsWriteTheirFields) {
    Road r;
    r.startNewMenu(QStringLiteral("Disc"));
    r.next();
    r.prompts.queueColor(std::nullopt);
    r.wizard->click(ctl::cmdPickColor);
    EXPECT_TRUE(r.lastEvent().contains(QStringLiteral("\"preset\":0")));
    EXPECT_EQ(r.form().text(ctl::txtBackgroundColor), QStringLiteral("RGB(0,0,0)"));

    r.prompts.queueColor(255);
    r.wizard->click(ctl::cmdHColorActive);
    EXPECT_TRUE(r.lastEvent().contains(QStringLiteral("\"preset\":16764689")));
    EXPECT_EQ(r.form().text(ctl::txtHColorActive), QStringLiteral("RGB(255,0,0)"));
    EXPECT_EQ(r.form().color(ctl::colHyperA), 255);

    r.prompts.queueFont(FontChoice{QStringLiteral("Verdana"), 12, false});
    r.wizard->click(ctl::cmdTFont);
    EXPECT_TRUE(r.lastEvent().contains(QStringLiteral("\"family\":\"Arial\",\"size\":14,\"bold\":true")));
    EXPECT_EQ(r.form().text(ctl::txtTitleFont), QStringLiteral("Verdana;12pt;Normal"));
    r.form().setText(ctl::txtDFont, QStringLiteral("Times New Roman;10.5pt;Normal"));
    r.prompts.queueFont(std::nullopt);
    r.wizard->click(ctl::cmdDFont);
    EXPECT_EQ(r.form().text(ctl::txtDFont), QStringLiteral("Times New Roman;10pt;Normal"));

    r.prompts.queueFile(QStringLiteral("/pics/wave.wav"));
    r.wizard->click(ctl::cmdBSound);
    EXPECT_TRUE(
        r.lastEvent().contains(QStringLiteral("\"filter\":\"Sounds (*.wav)|*.wav\",\"defaultExt\":\"wav\"")));
    EXPECT_EQ(r.form().text(ctl::txtBSound), QStringLiteral("/pics/wave.wav"));
    r.prompts.queueFile(std::nullopt);
    r.wizard->click(ctl::cmdLImage);
    EXPECT_TRUE(r.lastEvent().contains(
        QStringLiteral("\"filter\":\"Pictures (*.jpg;*.gif)|*.jpg;*.gif\",\"defaultExt\":\"jpg\"")));
    EXPECT_EQ(r.form().text(ctl::txtLogoImage), QStringLiteral("none"));
}

TEST(Pickers, ASystemColourIsReportedOncePerPartBeforeItsValueIsWritten) {
    Road r;
    r.startNewMenu(QStringLiteral("Disc"));
    r.next();
    qsizetype linesWhenWritten = -1;
    r.form().addListener([&](const QString& name) {
        if (name == ctl::txtHColorActive && linesWhenWritten < 0) {
            linesWhenWritten = r.prompts.transcript().size();
        }
    });
    r.prompts.clearTranscript();
    r.prompts.queueColor(-2147483633);
    r.wizard->click(ctl::cmdHColorActive);

    const QStringList lines = r.prompts.transcript();
    ASSERT_EQ(lines.size(), 4) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(test::event(lines[0]).value(QStringLiteral("event")).toString(), QStringLiteral("color"));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QJsonObject message = test::event(lines[i]);
        EXPECT_EQ(message.value(QStringLiteral("event")).toString(), QStringLiteral("message"));
        EXPECT_EQ(message.value(QStringLiteral("icon")).toString(), QStringLiteral("none"));
        EXPECT_EQ(message.value(QStringLiteral("buttons")).toString(), QStringLiteral("ok"));
        EXPECT_EQ(message.value(QStringLiteral("title")).toString(), QStringLiteral("Torvel"));
        EXPECT_EQ(message.value(QStringLiteral("text")).toString(),
                  QStringLiteral("-2147483633 ist eine Systemfarbe"));
    }
    EXPECT_EQ(linesWhenWritten, 4);
    EXPECT_EQ(r.form().text(ctl::txtHColorActive), QStringLiteral("RGB(-1,-1,-1)"));
    EXPECT_EQ(r.form().color(ctl::colHyperA), -2147483633);
}

TEST(Transitions, LoadingAStoredMenuRestoresItsHeaderAndStyle) {
    Road r;
    const qint64 id = r.storeMenu(QStringLiteral("Stored"), 2, QDir::toNativeSeparators(r.disc.path()));
    const QString gone = QDir::toNativeSeparators(r.disc.filePath(QStringLiteral("Gone")));
    const qint64 lost = r.storeMenu(QStringLiteral("Lost"), 99, gone);

    // A root that is gone: the drive list still moves to its drive, whose current folder becomes
    // the CD root, and the author is told to pick the root anew.
    r.wizard->click(ctl::cmdEdit);
    r.form().select(ctl::cmbMenuL, 1);
    r.wizard->click(ctl::cmdLoad);
    EXPECT_EQ(r.wizard->state().curMenuID, lost);
    EXPECT_EQ(r.step(), 1);
    const QJsonObject message = test::event(r.lastEvent());
    EXPECT_EQ(message.value(QStringLiteral("icon")).toString(), QStringLiteral("information"));
    EXPECT_EQ(
        message.value(QStringLiteral("text")).toString(),
        QStringLiteral("Your root directory is no longer valid!\r\nPlease select a new root directory!"));
    EXPECT_EQ(r.form().text(ctl::cmbStyles), QStringLiteral("NEW")) << "an unknown style keeps the list";
    const QString driveFolder = folderAsShown(driveOf(gone));
    EXPECT_EQ(r.form().caption(ctl::lblRoot), driveFolder);
    EXPECT_EQ(r.wizard->state().cdRoot, withTrailingSeparator(driveFolder));

    r.back();
    r.prompts.clearTranscript();
    r.wizard->click(ctl::cmdEdit);
    r.wizard->click(ctl::cmdLoad);
    ASSERT_EQ(r.step(), 1);
    EXPECT_EQ(r.wizard->state().curMenuID, id);
    EXPECT_TRUE(r.wizard->state().menuLoaded);
    EXPECT_EQ(r.form().text(ctl::txtTitle), QStringLiteral("Stored"));
    EXPECT_EQ(r.form().text(ctl::cmbTemplate), QStringLiteral("Extended"));
    EXPECT_EQ(r.form().text(ctl::cmbStyles), QStringLiteral("2: Paper"));
    EXPECT_EQ(r.wizard->state().cdRoot, r.root());
    EXPECT_FALSE(r.said(QStringLiteral("no longer valid")));

    // A stored title is not checked against itself; the style loads from the list.
    r.next();
    EXPECT_EQ(r.step(), 2);
    EXPECT_EQ(r.form().text(ctl::txtStyleName), QStringLiteral("Paper"));
}

TEST(Transitions, FilePageShowsTheTemplatesFieldsAndListsTheMenusEntries) {
    Road r;
    r.startNewMenu(QStringLiteral("Disc"));
    r.form().setText(ctl::cmbTemplate, QStringLiteral("Extended"));
    r.next();
    r.form().setText(ctl::txtStyleName, QStringLiteral("Plain"));
    r.next();
    r.next();
    ASSERT_EQ(r.step(), 4);
    EXPECT_TRUE(r.form().visible(ctl::txtFileCat));
    EXPECT_FALSE(r.form().visible(ctl::txtFileScreenshot));
    EXPECT_FALSE(r.form().visible(ctl::cmdFScreenshot));

    // An entry stored behind the wizard's back shows when the page is entered again.
    r.wizard->myData().ExecuteSQL(
        QString::fromUtf8(sql::insertEntry),
        {r.wizard->state().curMenuID, QStringLiteral("Tools"), QStringLiteral("Setup"),
         QStringLiteral("setup.exe"), QString(), QStringLiteral("none")});
    r.wizard->state().curFileName = QStringLiteral("Old");
    r.back();
    r.form().setText(ctl::cmbTemplate, QStringLiteral("Standard Screenshots"));
    r.next();
    EXPECT_EQ(r.form().items(ctl::lstFiles), QStringList{QStringLiteral("Setup")});
    EXPECT_EQ(r.wizard->state().curFileName, QString());
    EXPECT_FALSE(r.form().visible(ctl::txtFileCat));
    EXPECT_TRUE(r.form().visible(ctl::cmdFScreenshot));
}

TEST(StyleLibrary, SavingRefusesAnUnusableNameAndLinkedFoldersAndStaysUsable) {
    Road r;
    r.newStyleWithLogo();
    r.next();
    ASSERT_EQ(r.step(), 3);

    // A name changed after its page (as a script can) is checked again: nothing escapes Styles.
    r.form().setText(ctl::txtStyleName, QStringLiteral("../../x"));
    r.next();
    EXPECT_EQ(r.step(), 3);
    EXPECT_TRUE(r.lastEvent().contains(QStringLiteral("cannot be used as a folder name")));
    EXPECT_FALSE(QFileInfo::exists(QDir(r.program.path()).filePath(QStringLiteral("../x"))));
    EXPECT_FALSE(QFileInfo::exists(QDir(r.program.path()).filePath(QStringLiteral("Styles"))));

    // A Menu folder that is a link to another place: refused with a message naming it.
    test::TempFolder elsewhere;
    const QString menu = r.disc.filePath(QStringLiteral("Menu"));
    ASSERT_TRUE(QFile::link(elsewhere.path(), menu));
    r.form().setText(ctl::txtStyleName, QStringLiteral("Ocean"));
    r.next();
    EXPECT_EQ(r.step(), 3);
    const QJsonObject refusal = test::event(r.lastEvent());
    EXPECT_EQ(refusal.value(QStringLiteral("icon")).toString(), QStringLiteral("critical"));
    EXPECT_EQ(
        refusal.value(QStringLiteral("text")).toString(),
        QDir::toNativeSeparators(menu) +
            QStringLiteral(" is a link to another place. Torvel writes only into real folders: remove the "
                           "link or choose another folder."));
    EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
    EXPECT_EQ(r.rows("tblStyles"), 3);
    EXPECT_EQ(r.rows("tblMenus"), 0);

    // With the link gone the same window saves the style.
    ASSERT_TRUE(QFile::remove(menu));
    r.next();
    EXPECT_EQ(r.step(), 4);
    EXPECT_EQ(r.rows("tblStyles"), 4);
    EXPECT_EQ(test::readFile(r.disc.filePath(QStringLiteral("Menu/logo.gif"))), QByteArray("GIF89a-logo"));
}
