#include <gtest/gtest.h>
#include <QFile>
#include <algorithm>

#include "data/finderqueries.h"
#include "data/statements.h"
#include "events.h"
#include "files/finder.h"
#include "support/testsupport.h"
#include "wizard/controlnames.h"

using namespace torvel;

namespace {

const QString kFinder = ctl::frmFiles;

struct Entry {
    QString title;
    QString link;
    QString description;
};

class FinderTest : public ::testing::Test {
protected:
    test::WizardFixture f;
    FormModel& dlg() { return f.wizard->dialog(kFinder); }
    FormModel& main() { return f.form(); }

    qint64 addMenu(const QString& title) {
        return f.wizard->myData().executeInsert(
            QString::fromUtf8(sql::insertMenu),
            {QStringLiteral("Standard"), title, 1, QStringLiteral("/cd/")});
    }
    void addEntries(qint64 menu, const std::vector<Entry>& entries) {
        for (const Entry& e : entries) {
            f.wizard->myData().executeInsert(
                QString::fromUtf8(sql::insertEntry),
                {menu, QStringLiteral("none"), e.title, e.link, e.description, QStringLiteral("none")});
        }
    }
    void find(const QString& fileField) {
        main().setText(ctl::txtFile, fileField);
        f.wizard->click(ctl::cmdFind);
    }
    QStringList sortedTitles() {
        QStringList t = dlg().items(ctl::cmbDesTitle);
        t.sort();
        return t;
    }
    QStringList events() { return eventSummary(f.prompts.transcript()); }
};

}  // namespace

TEST(FinderSearchName, FullPathsAndStoredLinksGiveTheSameName) {
    for (QChar sep : {QLatin1Char('\\'), QLatin1Char('/')}) {
        EXPECT_EQ(fileSearchOf(QStringLiteral("D:\\Disc\\Setup\\install.exe"), sep),
                  QStringLiteral("install.exe"));
        EXPECT_EQ(fileSearchOf(QStringLiteral("Setup/install.exe"), sep), QStringLiteral("install.exe"));
        EXPECT_EQ(fileSearchOf(QStringLiteral("/media/disc/Setup/install.exe"), sep),
                  QStringLiteral("install.exe"));
        EXPECT_EQ(fileSearchOf(QStringLiteral("install.exe"), sep), QStringLiteral("install.exe"));
        EXPECT_EQ(fileSearchOf(QStringLiteral("D:\\Disc\\"), sep), QString());
        EXPECT_EQ(fileSearchOf(QString(), sep), QString());
    }
}

TEST_F(FinderTest, FindsAcrossMenusIncludingDeletedOnesIgnoringCaseAndCopiesOnOK) {
    const qint64 one = addMenu(QStringLiteral("One"));
    const qint64 two = addMenu(QStringLiteral("Two"));
    const qint64 gone = addMenu(QStringLiteral("Gone"));
    addEntries(one, {{QStringLiteral("Installer"), QStringLiteral("Setup/install.exe"),
                      QStringLiteral("Installs the suite")},
                     {QStringLiteral("Readme"), QStringLiteral("Docs/readme.txt"),
                      QStringLiteral("Read me first")}});
    addEntries(
        two, {{QStringLiteral("Installer"), QStringLiteral("Tools/install.exe"),
               QStringLiteral("Installs the tools")},
              {QStringLiteral("Readme"), QStringLiteral("Docs/readme.txt"), QStringLiteral("Read me first")},
              {QStringLiteral("Setup Tool"), QStringLiteral("Tools/mySetup.exe"),
               QStringLiteral("Another setup")}});
    addEntries(gone, {{QStringLiteral("Old Installer"), QStringLiteral("Archive/INSTALL.EXE"),
                       QStringLiteral("The old one")}});
    f.wizard->myData().ExecuteSQL(QString::fromUtf8(sql::deleteMenu), {gone});

    main().setText(ctl::txtFileCat, QStringLiteral("Tools"));
    find(QStringLiteral("D:\\Disc\\Setup\\install.exe"));
    EXPECT_TRUE(f.wizard->isDialogOpen(kFinder));
    EXPECT_EQ(events(), QStringList{QStringLiteral("show frmFiles")});
    // The same title under two links is listed twice; the deleted menu's entry is found; case is ignored.
    EXPECT_EQ(sortedTitles(), (QStringList{QStringLiteral("Installer"), QStringLiteral("Installer"),
                                           QStringLiteral("Old Installer")}));
    // The first title is chosen and the description of its first stored entry shown at once.
    EXPECT_EQ(dlg().selected(ctl::cmbDesTitle), 0);
    const QString first = dlg().items(ctl::cmbDesTitle).value(0);
    EXPECT_EQ(dlg().text(ctl::cmbDesTitle), first);
    EXPECT_EQ(dlg().text(ctl::txtDesText), first == QStringLiteral("Installer")
                                               ? QStringLiteral("Installs the suite")
                                               : QStringLiteral("The old one"));

    const int old = static_cast<int>(dlg().items(ctl::cmbDesTitle).indexOf(QStringLiteral("Old Installer")));
    f.wizard->choose(QStringLiteral("frmFiles.cmbDesTitle"), old);
    EXPECT_EQ(dlg().text(ctl::txtDesText), QStringLiteral("The old one"));
    // Either "Installer" shows the description stored first for that title, wherever it is.
    const int installer =
        static_cast<int>(dlg().items(ctl::cmbDesTitle).lastIndexOf(QStringLiteral("Installer")));
    f.wizard->choose(QStringLiteral("frmFiles.cmbDesTitle"), installer);
    EXPECT_EQ(dlg().text(ctl::txtDesText), QStringLiteral("Installs the suite"));

    // The author edits the description; OK copies title and text into the editor and closes.
    dlg().setText(ctl::txtDesText, QStringLiteral("Installs everything"));
    f.prompts.clearTranscript();
    f.wizard->click(QStringLiteral("frmFiles.cmdOK"));
    EXPECT_EQ(main().text(ctl::txtFileTitle), QStringLiteral("Installer"));
    EXPECT_EQ(main().text(ctl::txtFileDescription), QStringLiteral("Installs everything"));
    EXPECT_EQ(main().text(ctl::txtFile), QStringLiteral("D:\\Disc\\Setup\\install.exe"));
    EXPECT_EQ(main().text(ctl::txtFileCat), QStringLiteral("Tools"));
    EXPECT_FALSE(f.wizard->isDialogOpen(kFinder));
    EXPECT_EQ(events(), QStringList{QStringLiteral("close frmFiles")});

    // A stored link gives the same search as the full path; a repeated identical entry is listed once.
    find(QStringLiteral("Setup/install.exe"));
    EXPECT_EQ(sortedTitles(), (QStringList{QStringLiteral("Installer"), QStringLiteral("Installer"),
                                           QStringLiteral("Old Installer")}));
    f.wizard->click(QStringLiteral("frmFiles.cmdCancel"));
    find(QStringLiteral("Docs/README.TXT"));
    EXPECT_EQ(sortedTitles(), QStringList{QStringLiteral("Readme")});
    f.wizard->click(QStringLiteral("frmFiles.cmdCancel"));

    // The name matches inside longer names.
    find(QStringLiteral("C:\\x\\setup.exe"));
    EXPECT_EQ(sortedTitles(), QStringList{QStringLiteral("Setup Tool")});
    EXPECT_EQ(dlg().text(ctl::txtDesText), QStringLiteral("Another setup"));
    f.wizard->click(QStringLiteral("frmFiles.cmdCancel"));
    EXPECT_TRUE(eventsOf(f.prompts.transcript(), QStringLiteral("message")).empty());
}

TEST_F(FinderTest, NoMatchTellsSoAndClosesEmptySearchOpensEmptyAndApostrophesWork) {
    addEntries(
        addMenu(QStringLiteral("Games")),
        {{QStringLiteral("Bob's Game"), QStringLiteral("Games/bob's game.exe"), QStringLiteral("It's fun")}});
    main().setText(ctl::txtFileTitle, QStringLiteral("kept title"));
    main().setText(ctl::txtFileDescription, QStringLiteral("kept text"));

    find(QStringLiteral("D:\\Disc\\nothing.zip"));
    EXPECT_EQ(events(), (QStringList{QStringLiteral("show frmFiles"),
                                     QStringLiteral("message Sorry, no matching results"),
                                     QStringLiteral("close frmFiles")}));
    const QJsonObject message = eventsOf(f.prompts.transcript(), QStringLiteral("message")).at(0);
    EXPECT_EQ(message.value(QStringLiteral("icon")).toString(), QStringLiteral("information"));
    EXPECT_EQ(message.value(QStringLiteral("buttons")).toString(), QStringLiteral("ok"));
    EXPECT_EQ(message.value(QStringLiteral("title")).toString(), QStringLiteral(" "));
    EXPECT_FALSE(f.wizard->isDialogOpen(kFinder));
    EXPECT_EQ(main().text(ctl::txtFileTitle), QStringLiteral("kept title"));
    EXPECT_EQ(main().text(ctl::txtFileDescription), QStringLiteral("kept text"));

    // Apostrophes in the searched name and in the title.
    f.prompts.clearTranscript();
    find(QStringLiteral("C:\\Games\\BOB'S GAME.EXE"));
    EXPECT_EQ(dlg().items(ctl::cmbDesTitle), QStringList{QStringLiteral("Bob's Game")});
    EXPECT_EQ(dlg().text(ctl::txtDesText), QStringLiteral("It's fun"));
    EXPECT_EQ(events(), QStringList{QStringLiteral("show frmFiles")});
    f.wizard->click(QStringLiteral("frmFiles.cmdCancel"));
    EXPECT_EQ(main().text(ctl::txtFileTitle), QStringLiteral("kept title"));

    // A field ending in a separator searches nothing: an empty dialog, no message; OK empties the fields.
    f.prompts.clearTranscript();
    find(QStringLiteral("D:\\Disc\\"));
    EXPECT_TRUE(f.wizard->isDialogOpen(kFinder));
    EXPECT_TRUE(dlg().items(ctl::cmbDesTitle).isEmpty());
    EXPECT_TRUE(dlg().text(ctl::txtDesText).isEmpty());
    f.wizard->click(QStringLiteral("frmFiles.cmdOK"));
    EXPECT_EQ(events(), (QStringList{QStringLiteral("show frmFiles"), QStringLiteral("close frmFiles")}));
    EXPECT_TRUE(main().text(ctl::txtFileTitle).isEmpty());
    EXPECT_TRUE(main().text(ctl::txtFileDescription).isEmpty());
}

TEST_F(FinderTest, TheCaseOfEveryLetterIsIgnored) {
    addEntries(addMenu(QStringLiteral("Seasons")),
               {{QStringLiteral("Été"), QStringLiteral("Docs/Été.txt"), QStringLiteral("Warm")},
                {QStringLiteral("Hiver"), QStringLiteral("Docs/Hiver.txt"), QStringLiteral("Cold")}});
    addEntries(addMenu(QStringLiteral("SEASONS")),
               {{QStringLiteral("ÉTÉ"), QStringLiteral("DOCS/ÉTÉ.TXT"), QStringLiteral("WARM")},
                {QStringLiteral("Été"), QStringLiteral("Docs/été.txt"), QStringLiteral("Hot")}});

    // One title for each combination that differs in more than letter case, in stored order.
    // (Which spelling of a merged combination is shown is the database's order.)
    find(QStringLiteral("D:\\Disc\\ÉTÉ.TXT"));
    const QStringList titles = dlg().items(ctl::cmbDesTitle);
    ASSERT_EQ(titles.size(), 2);
    for (const QString& title : titles) {
        EXPECT_EQ(title.toCaseFolded(), QStringLiteral("été"));
    }
    f.wizard->click(QStringLiteral("frmFiles.cmdCancel"));
    EXPECT_EQ(titlesForFile(f.wizard->myData(), QStringLiteral("été.txt")).size(), 2);
    EXPECT_EQ(titlesForFile(f.wizard->myData(), QStringLiteral("HIVER")),
              QStringList{QStringLiteral("Hiver")});

    // The description of the first entry stored with the title, whatever the case of its letters.
    EXPECT_EQ(descriptionForTitle(f.wizard->myData(), QStringLiteral("éTÉ")), QStringLiteral("Warm"));
    EXPECT_EQ(descriptionForTitle(f.wizard->myData(), QStringLiteral("HIVER")), QStringLiteral("Cold"));
    EXPECT_FALSE(descriptionForTitle(f.wizard->myData(), QStringLiteral("Ete")));
    EXPECT_TRUE(eventsOf(f.prompts.transcript(), QStringLiteral("message")).empty());
}

TEST_F(FinderTest, FindWhileOpenBringsItToTheFrontWithoutLoadingAgain) {
    addEntries(
        addMenu(QStringLiteral("One")),
        {{QStringLiteral("Installer"), QStringLiteral("Setup/install.exe"), QStringLiteral("Installs")},
         {QStringLiteral("Readme"), QStringLiteral("readme.txt"), QStringLiteral("Read me")}});
    find(QStringLiteral("Setup/install.exe"));
    dlg().setText(ctl::txtDesText, QStringLiteral("edited"));

    // The editor goes on; Find again only shows the open dialog as it is.
    find(QStringLiteral("readme.txt"));
    EXPECT_EQ(events(), (QStringList{QStringLiteral("show frmFiles"), QStringLiteral("show frmFiles")}));
    EXPECT_EQ(dlg().items(ctl::cmbDesTitle), QStringList{QStringLiteral("Installer")});
    EXPECT_EQ(dlg().text(ctl::txtDesText), QStringLiteral("edited"));
    // OK writes into whatever the editor shows now.
    main().setText(ctl::txtFileDescription, QStringLiteral("typed meanwhile"));
    f.wizard->click(QStringLiteral("frmFiles.cmdOK"));
    EXPECT_EQ(main().text(ctl::txtFileDescription), QStringLiteral("edited"));

    // The next Find after closing loads the newest search.
    find(QStringLiteral("readme.txt"));
    EXPECT_EQ(dlg().items(ctl::cmbDesTitle), QStringList{QStringLiteral("Readme")});
    EXPECT_EQ(dlg().text(ctl::txtDesText), QStringLiteral("Read me"));
}

TEST_F(FinderTest, MissingDatabaseIsReportedAndLeavesTheDialogClosed) {
    ASSERT_TRUE(QFile::remove(f.program.database()));
    find(QStringLiteral("Setup/install.exe"));
    EXPECT_FALSE(f.wizard->isDialogOpen(kFinder));
    const auto messages = eventsOf(f.prompts.transcript(), QStringLiteral("message"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].value(QStringLiteral("icon")).toString(), QStringLiteral("critical"));
    EXPECT_TRUE(messages[0].value(QStringLiteral("text")).toString().contains(QStringLiteral("Torvel.dat")));
    EXPECT_EQ(eventSummary(f.prompts.transcript()).last(),
              QStringLiteral("message ") + messages[0].value(QStringLiteral("text")).toString());
}
