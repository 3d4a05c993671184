#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "data/statements.h"
#include "files/paths.h"
#include "support/testsupport.h"
#include "wizard/controlnames.h"
#include "wizard/fileentries.h"
#include "wizard/generalsettings.h"

using namespace torvel;

namespace {

using test::event;
using test::native;

// A wizard on page 4 of a stored menu whose CD root is a temporary folder with a few files.
struct EntryPage : test::WizardFixture {
    QTemporaryDir disc;
    QTemporaryDir pics;
    Wizard& w;

    EntryPage() : w(*wizard) {
        write(disc.filePath(QStringLiteral("Setup/install.exe")), "exe");
        write(disc.filePath(QStringLiteral("readme.txt")), "text");
        write(pics.filePath(QStringLiteral("shot.jpg")), "picture");
        form().setText(ctl::txtTitle, QStringLiteral("Disc"));
        w.openFolder(disc.path());
        saveMenuHeader(w);
        enterFilePage(w);
    }
    static void write(const QString& path, const QByteArray& content) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QString text(const char* control) { return form().text(QString::fromLatin1(control)); }
    void set(const char* control, const QString& value) {
        form().setText(QString::fromLatin1(control), value);
    }
    QStringList list() { return form().items(ctl::lstFiles); }
    std::unique_ptr<ResultSet> rows() {
        return w.myData().GetRS(QStringLiteral("SELECT * FROM tblDetails WHERE MenuNo=?"),
                                {w.state().curMenuID});
    }
    std::unique_ptr<ResultSet> row(const QString& title) {
        return w.myData().GetRS(QStringLiteral("SELECT * FROM tblDetails WHERE FileName=?"), {title});
    }
    // The text of each message shown since the last call.
    QStringList messages() {
        QStringList texts;
        for (const QString& line : prompts.transcript()) {
            if (event(line)[QStringLiteral("event")].toString() == QStringLiteral("message")) {
                texts << event(line)[QStringLiteral("text")].toString();
            }
        }
        prompts.clearTranscript();
        return texts;
    }
    void expectFieldsReset() {
        EXPECT_EQ(text(ctl::txtFile), QString());
        EXPECT_EQ(text(ctl::txtFileTitle), QString());
        EXPECT_EQ(text(ctl::txtFileDescription), QString());
        EXPECT_EQ(text(ctl::txtFileCat), QStringLiteral("none"));
        EXPECT_EQ(text(ctl::txtFileScreenshot), QStringLiteral("none"));
    }
};

}  // namespace

TEST(FileEntries, AddChangeAndRemoveEntries) {
    EntryPage p;
    const QString description = QStringLiteral("First line\r\nSecond line\nAnn's \"setup\"");

    // Browse for the file: every file, starting in the CD root.
    p.prompts.queueFile(native(p.disc.filePath(QStringLiteral("Setup/install.exe"))));
    p.w.click(ctl::cmdFile);
    EXPECT_EQ(p.text(ctl::txtFile), native(p.disc.filePath(QStringLiteral("Setup/install.exe"))));
    QJsonObject dialog = event(p.prompts.transcript().last());
    EXPECT_EQ(dialog[QStringLiteral("filter")].toString(), QStringLiteral("All files (*.*)"));
    EXPECT_EQ(dialog[QStringLiteral("initialDir")].toString(), p.w.state().cdRoot);
    // Browse for the screenshot: pictures, default extension jpg, the start folder as left.
    p.prompts.queueFile(native(p.pics.filePath(QStringLiteral("shot.jpg"))));
    p.w.click(ctl::cmdFScreenshot);
    dialog = event(p.prompts.transcript().last());
    EXPECT_EQ(dialog[QStringLiteral("filter")].toString(),
              QStringLiteral("Pictures (*.jpg;*.gif)|*.jpg;*.gif"));
    EXPECT_EQ(dialog[QStringLiteral("defaultExt")].toString(), QStringLiteral("jpg"));
    EXPECT_EQ(dialog[QStringLiteral("initialDir")].toString(), p.w.state().cdRoot);
    // A cancelled dialog leaves the field.
    p.prompts.queueFile(std::nullopt);
    p.w.click(ctl::cmdFScreenshot);
    EXPECT_EQ(p.text(ctl::txtFileScreenshot), native(p.pics.filePath(QStringLiteral("shot.jpg"))));
    p.prompts.clearTranscript();

    p.set(ctl::txtFileTitle, QStringLiteral("Install"));
    p.set(ctl::txtFileDescription, description);
    p.set(ctl::txtFileCat, QString());
    p.w.click(ctl::cmdSave);
    EXPECT_TRUE(p.messages().isEmpty());
    auto stored = p.row(QStringLiteral("Install"));
    ASSERT_EQ(stored->recordCount(), 1);
    EXPECT_EQ(stored->value(QStringLiteral("MenuNo")).toLongLong(), p.w.state().curMenuID);
    EXPECT_EQ(stored->field(QStringLiteral("FileLink")), QStringLiteral("Setup/install.exe"));
    EXPECT_EQ(stored->field(QStringLiteral("Category")), QStringLiteral("none"));
    EXPECT_EQ(stored->field(QStringLiteral("Description")), description);
    EXPECT_EQ(stored->field(QStringLiteral("Screenshot")), QStringLiteral("shot.jpg"));
    EXPECT_EQ(test::readFile(p.disc.filePath(QStringLiteral("Menu/shot.jpg"))), QByteArray("picture"));
    EXPECT_EQ(p.list(), QStringList{QStringLiteral("Install")});
    p.expectFieldsReset();
    EXPECT_TRUE(p.w.state().curFileName.isEmpty());

    // A second entry, typed in; "none" as screenshot copies nothing.
    p.set(ctl::txtFile, native(p.disc.filePath(QStringLiteral("readme.txt"))));
    p.set(ctl::txtFileTitle, QStringLiteral("Read me"));
    p.set(ctl::txtFileCat, QStringLiteral("Docs"));
    p.w.click(ctl::cmdSave);
    EXPECT_EQ(p.list(), (QStringList{QStringLiteral("Install"), QStringLiteral("Read me")}));
    EXPECT_EQ(p.row(QStringLiteral("Read me"))->field(QStringLiteral("Screenshot")), QStringLiteral("none"));
    EXPECT_EQ(p.row(QStringLiteral("Read me"))->field(QStringLiteral("Category")), QStringLiteral("Docs"));

    // A click loads the entry with its stored link.
    p.w.choose(ctl::lstFiles, 0);
    EXPECT_EQ(p.w.state().curFileName, QStringLiteral("Install"));
    EXPECT_EQ(p.text(ctl::txtFile), QStringLiteral("Setup/install.exe"));
    EXPECT_EQ(p.text(ctl::txtFileTitle), QStringLiteral("Install"));
    EXPECT_EQ(p.text(ctl::txtFileDescription), description);
    EXPECT_EQ(p.text(ctl::txtFileScreenshot), QStringLiteral("shot.jpg"));
    EXPECT_EQ(p.text(ctl::txtFileCat), QStringLiteral("none"));

    // Renaming changes the row in place; saving twice keeps changing the same row.
    p.set(ctl::txtFileTitle, QStringLiteral("Setup"));
    p.w.click(ctl::cmdSave);
    EXPECT_EQ(p.list(), (QStringList{QStringLiteral("Setup"), QStringLiteral("Read me")}));
    EXPECT_EQ(p.w.state().curFileName, QStringLiteral("Setup"));
    EXPECT_EQ(p.text(ctl::txtFileTitle), QStringLiteral("Setup"));
    p.set(ctl::txtFileDescription, QStringLiteral("Changed"));
    p.w.click(ctl::cmdSave);
    EXPECT_TRUE(p.messages().isEmpty());
    EXPECT_EQ(p.rows()->recordCount(), 2);
    stored = p.row(QStringLiteral("Setup"));
    ASSERT_EQ(stored->recordCount(), 1);
    EXPECT_EQ(stored->field(QStringLiteral("Description")), QStringLiteral("Changed"));
    EXPECT_EQ(stored->field(QStringLiteral("FileLink")), QStringLiteral("Setup/install.exe"));
    EXPECT_EQ(stored->field(QStringLiteral("Screenshot")), QStringLiteral("shot.jpg"));
    EXPECT_EQ(p.row(QStringLiteral("Install"))->recordCount(), 0);

    // New forgets the clicked entry: the next Add/Save adds, and a title the menu already has, in
    // any letter case, is refused.
    p.w.click(ctl::cmdNewF);
    p.expectFieldsReset();
    EXPECT_TRUE(p.w.state().curFileName.isEmpty());
    p.set(ctl::txtFile, QStringLiteral("readme.txt"));
    p.set(ctl::txtFileTitle, QStringLiteral("SETUP"));
    p.w.click(ctl::cmdSave);
    EXPECT_EQ(p.messages(),
              QStringList{QStringLiteral(
                  "This menu already has an entry titled \"SETUP\", please choose another title!")});
    EXPECT_EQ(p.rows()->recordCount(), 2);
    EXPECT_EQ(p.text(ctl::txtFileTitle), QStringLiteral("SETUP"));
    p.set(ctl::txtFileTitle, QStringLiteral("Setup 2"));
    p.w.click(ctl::cmdSave);
    EXPECT_EQ(p.rows()->recordCount(), 3);
    EXPECT_EQ(p.list(),
              (QStringList{QStringLiteral("Setup"), QStringLiteral("Read me"), QStringLiteral("Setup 2")}));

    // Remove: nothing selected, then No, then Yes, which deletes the selected entry only.
    p.form().select(ctl::lstFiles, -1);
    p.w.click(ctl::cmdFileRemove);
    EXPECT_EQ(p.messages(), QStringList{QStringLiteral("Please select an entry in the list!")});
    EXPECT_EQ(p.rows()->recordCount(), 3);
    p.w.choose(ctl::lstFiles, 0);
    p.prompts.queueAnswer(false);
    p.w.click(ctl::cmdFileRemove);
    EXPECT_EQ(p.messages(), QStringList{QStringLiteral("Do you really want to remove the entry for Setup?")});
    EXPECT_EQ(p.rows()->recordCount(), 3);
    EXPECT_EQ(p.w.state().curFileName, QStringLiteral("Setup"));
    p.prompts.queueAnswer(true);
    p.w.click(ctl::cmdFileRemove);
    EXPECT_EQ(p.rows()->recordCount(), 2);
    EXPECT_EQ(p.row(QStringLiteral("Setup"))->recordCount(), 0);
    EXPECT_EQ(p.list(), (QStringList{QStringLiteral("Read me"), QStringLiteral("Setup 2")}));
    p.expectFieldsReset();
    EXPECT_TRUE(p.w.state().curFileName.isEmpty());
}

TEST(FileEntries, RefusalsAndFailuresLoseNothing) {
    EntryPage p;
    // A file and a title are required; "none" counts as given.
    p.set(ctl::txtFile, QString());
    p.set(ctl::txtFileTitle, QStringLiteral("Nothing"));
    p.w.click(ctl::cmdSave);
    EXPECT_EQ(p.messages(), QStringList{QStringLiteral("Please select a file and enter a file name!")});

    // A file outside the CD root is refused and nothing is copied or saved.
    const QString outside = native(p.pics.filePath(QStringLiteral("shot.jpg")));
    p.set(ctl::txtFile, outside);
    p.set(ctl::txtFileScreenshot, outside);
    p.w.click(ctl::cmdSave);
    EXPECT_EQ(p.messages(), QStringList{QStringLiteral("The file must lie inside the CD root folder!")});
    EXPECT_EQ(p.rows()->recordCount(), 0);
    EXPECT_FALSE(QFileInfo::exists(p.disc.filePath(QStringLiteral("Menu"))));
    EXPECT_EQ(p.text(ctl::txtFile), outside);
    // So are a path that climbs out of the root and the root itself.
    for (const QString& path : {native(p.disc.filePath(QStringLiteral("Setup/../../readme.txt"))),
                                native(p.disc.filePath(QStringLiteral("Setup/..")))}) {
        p.set(ctl::txtFile, path);
        p.w.click(ctl::cmdSave);
        EXPECT_EQ(p.messages(), QStringList{QStringLiteral("The file must lie inside the CD root folder!")})
            << path.toStdString();
    }
    EXPECT_EQ(p.rows()->recordCount(), 0);

    // A screenshot that cannot be copied is skipped silently; the entry keeps its name.
    p.set(ctl::txtFile, native(p.disc.filePath(QStringLiteral("readme.txt"))));
    p.set(ctl::txtFileTitle, QStringLiteral("Ann's file"));
    p.set(ctl::txtFileScreenshot, native(p.pics.filePath(QStringLiteral("missing.gif"))));
    p.w.click(ctl::cmdSave);
    EXPECT_TRUE(p.messages().isEmpty());
    EXPECT_EQ(p.row(QStringLiteral("Ann's file"))->field(QStringLiteral("Screenshot")),
              QStringLiteral("missing.gif"));

    // A click on an item without a row leaves the fields as they are.
    p.form().addItem(ctl::lstFiles, QStringLiteral("Ghost"));
    p.set(ctl::txtFileTitle, QStringLiteral("typed"));
    p.w.choose(ctl::lstFiles, 1);
    EXPECT_EQ(p.text(ctl::txtFileTitle), QStringLiteral("typed"));
    EXPECT_TRUE(p.messages().isEmpty());
    // Titles with apostrophes load and remove like any other.
    p.w.choose(ctl::lstFiles, 0);
    EXPECT_EQ(p.text(ctl::txtFileTitle), QStringLiteral("Ann's file"));

    // A refused insert: one message after the routine, the fields keep the text, the list only
    // shows stored entries.
    p.w.myData().ExecuteSQL(
        QStringLiteral("CREATE TRIGGER refuseEntries BEFORE INSERT ON tblDetails BEGIN SELECT RAISE(ABORT, "
                       "'disk full'); END"));
    p.w.click(ctl::cmdNewF);
    p.set(ctl::txtFile, QStringLiteral("readme.txt"));
    p.set(ctl::txtFileTitle, QStringLiteral("Refused"));
    p.set(ctl::txtFileDescription, QStringLiteral("kept"));
    p.w.click(ctl::cmdSave);
    const QStringList shown = p.messages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().contains(QStringLiteral("disk full"))) << shown.first().toStdString();
    EXPECT_EQ(p.text(ctl::txtFileTitle), QStringLiteral("Refused"));
    EXPECT_EQ(p.text(ctl::txtFileDescription), QStringLiteral("kept"));
    EXPECT_FALSE(p.list().contains(QStringLiteral("Refused")));

    p.w.choose(ctl::lstFiles, 0);
    p.prompts.queueAnswer(true);
    p.w.click(ctl::cmdFileRemove);
    EXPECT_EQ(p.row(QStringLiteral("Ann's file"))->recordCount(), 0);
}

TEST(FileEntries, EnteringThePageListsTheOpenMenuAndForgetsTheClick) {
    EntryPage p;
    p.set(ctl::txtFile, QStringLiteral("readme.txt"));
    p.set(ctl::txtFileTitle, QStringLiteral("Read me"));
    p.w.click(ctl::cmdSave);
    p.w.choose(ctl::lstFiles, 0);
    ASSERT_EQ(p.w.state().curFileName, QStringLiteral("Read me"));
    const qint64 first = p.w.state().curMenuID;

    // Another menu with no entries: an empty list, and Add/Save adds rather than changes.
    p.w.state().curMenuID = 0;
    saveMenuHeader(p.w);
    enterFilePage(p.w);
    EXPECT_TRUE(p.list().isEmpty());
    EXPECT_TRUE(p.w.state().curFileName.isEmpty());
    EXPECT_EQ(p.text(ctl::txtFileTitle), QStringLiteral("Read me"));  // the fields stay
    p.w.click(ctl::cmdSave);
    EXPECT_EQ(p.rows()->recordCount(), 1);
    EXPECT_EQ(p.row(QStringLiteral("Read me"))->recordCount(), 2);

    // Back to the first menu: its entries, in stored order.
    p.w.state().curMenuID = first;
    enterFilePage(p.w);
    EXPECT_EQ(p.list(), QStringList{QStringLiteral("Read me")});
    getFileData(p.w);
    EXPECT_EQ(p.list(), QStringList{QStringLiteral("Read me")});
}

TEST(FileLinks, OnlyACleanedPathBelowTheRootGivesALink) {
    const QChar back = QLatin1Char('\\');
    const QChar slash = QLatin1Char('/');
    EXPECT_EQ(cleanPath(QStringLiteral("a/./b//../c/"), slash), QStringLiteral("a/c"));
    EXPECT_EQ(cleanPath(QStringLiteral("../a/.."), slash), QStringLiteral(".."));
    EXPECT_EQ(cleanPath(QStringLiteral("a/.."), slash), QStringLiteral("."));
    EXPECT_EQ(cleanPath(QStringLiteral("/../a"), slash), QStringLiteral("/a"));
    EXPECT_EQ(cleanPath(QStringLiteral("D:/Disc\\..\\x"), back), QStringLiteral("D:\\x"));
    EXPECT_EQ(cleanPath(QStringLiteral("D:\\.."), back), QStringLiteral("D:\\"));
    EXPECT_EQ(cleanPath(QStringLiteral("\\\\server\\share\\..\\x"), back), QStringLiteral("\\\\server\\x"));
    // ".." back to a step that reads as a drive: cleaned once is cleaned for good.
    EXPECT_EQ(cleanPath(QStringLiteral("a\\..\\C:."), back), QStringLiteral("C:"));

    const QString winRoot = QStringLiteral("D:\\Disc\\");
    auto win = [&](const char* path) {
        return getFileLink(QString::fromUtf8(path), winRoot, back, Qt::CaseInsensitive);
    };
    EXPECT_EQ(win("D:\\Disc\\Setup\\..\\readme.txt"), QStringLiteral("readme.txt"));
    EXPECT_EQ(win("D:\\Disc\\.\\Setup\\\\install.exe"), QStringLiteral("Setup\\install.exe"));
    EXPECT_EQ(win("D:/Disc/Setup/install.exe"), QStringLiteral("Setup\\install.exe"));
    EXPECT_EQ(win("D:\\Other\\..\\Disc\\readme.txt"), QStringLiteral("readme.txt"));
    EXPECT_FALSE(win("D:\\Disc\\..\\Other\\readme.txt"));
    EXPECT_FALSE(win("D:\\Disc\\Setup\\..\\..\\readme.txt"));
    EXPECT_FALSE(win("D:\\Disc"));
    EXPECT_FALSE(win("D:\\Disc\\"));
    EXPECT_FALSE(win("D:\\Disc\\Setup\\.."));
    EXPECT_FALSE(win("E:\\Copy\\D:\\Disc\\readme.txt")) << "the root must start the path";
    EXPECT_FALSE(win("D:\\Disc2\\readme.txt"));
    // Links: a clean one comes back as it is, one that can be cleaned cleaned, one that climbs out
    // of the root, names it or names a drive not at all.
    EXPECT_EQ(win("Setup/install.exe"), QStringLiteral("Setup/install.exe"));
    EXPECT_EQ(win("Setup/../readme.txt"), QStringLiteral("readme.txt"));
    EXPECT_FALSE(win("../readme.txt"));
    EXPECT_FALSE(win("Setup/../../readme.txt"));
    EXPECT_FALSE(win("Setup/.."));
    EXPECT_FALSE(win("."));
    EXPECT_FALSE(win("D:readme.txt"));

    const QString unixRoot = QStringLiteral("/home/ann/Disc/");
    auto unix = [&](const char* path) {
        return getFileLink(QString::fromUtf8(path), unixRoot, slash, Qt::CaseSensitive);
    };
    EXPECT_EQ(unix("/home/ann/Disc/./Setup//install.exe"), QStringLiteral("Setup/install.exe"));
    EXPECT_EQ(unix("/home/ann/Disc/../../ann/Disc/readme.txt"), QStringLiteral("readme.txt"));
    EXPECT_EQ(unix("/../home/ann/Disc/readme.txt"), QStringLiteral("readme.txt"));
    EXPECT_FALSE(unix("/home/ann/Disc/../Disc2/readme.txt"));
    EXPECT_FALSE(unix("/home/ann/Disc/.."));
    EXPECT_FALSE(unix("/home/ann/Disc/"));
    EXPECT_FALSE(unix("/mnt/home/ann/Disc/readme.txt")) << "the root must start the path";
    EXPECT_FALSE(unix("../Disc/readme.txt"));
    EXPECT_EQ(unix("Docs/Setup/../read me.txt"), QStringLiteral("Docs/read me.txt"));
    // The top of the file system as the root.
    EXPECT_EQ(getFileLink(QStringLiteral("/Setup/install.exe"), QStringLiteral("/"), slash),
              QStringLiteral("Setup/install.exe"));
    EXPECT_FALSE(getFileLink(QStringLiteral("/"), QStringLiteral("/"), slash));
    // A share is not below the top of a drive.
    EXPECT_FALSE(getFileLink(QStringLiteral("\\\\server\\x.txt"), QStringLiteral("\\"), back));
}

TEST(FileEntries, EntriesStoredWithTheSameTitleAreToldApart) {
    EntryPage p;
    const qint64 menu = p.w.state().curMenuID;
    auto store = [&](const QString& title, const QString& link, const QString& description) {
        p.w.myData().executeInsert(
            QString::fromLatin1(sql::insertEntry),
            {menu, QStringLiteral("none"), title, link, description, QStringLiteral("none")});
    };
    // Stored before titles were checked: two entries titled "Twin".
    store(QStringLiteral("Twin"), QStringLiteral("readme.txt"), QStringLiteral("first"));
    store(QStringLiteral("Twin"), QStringLiteral("Setup/install.exe"), QStringLiteral("second"));
    store(QStringLiteral("Été"), QStringLiteral("readme.txt"), QStringLiteral("summer"));
    enterFilePage(p.w);
    EXPECT_EQ(p.list(), (QStringList{QStringLiteral("Twin"), QStringLiteral("Twin"), QStringLiteral("Été")}));
    auto description = [&](const QString& link) {
        return p.w.myData()
            .GetRS(
                QStringLiteral("SELECT * FROM tblDetails WHERE MenuNo=? AND FileLink=? AND FileName<>'Été'"),
                {menu, link})
            ->field(QStringLiteral("Description"));
    };

    // A click on the second loads the second; saving it under its own title changes it alone.
    p.w.choose(ctl::lstFiles, 1);
    EXPECT_EQ(p.w.state().curFileName, QStringLiteral("Twin"));
    EXPECT_EQ(p.text(ctl::txtFile), QStringLiteral("Setup/install.exe"));
    EXPECT_EQ(p.text(ctl::txtFileDescription), QStringLiteral("second"));
    p.set(ctl::txtFileDescription, QStringLiteral("changed"));
    p.w.click(ctl::cmdSave);
    EXPECT_TRUE(p.messages().isEmpty());
    EXPECT_EQ(description(QStringLiteral("Setup/install.exe")), QStringLiteral("changed"));
    EXPECT_EQ(description(QStringLiteral("readme.txt")), QStringLiteral("first"));

    // A rename onto another entry's title is refused for every letter's case, and stores nothing.
    p.set(ctl::txtFileTitle, QStringLiteral("ÉTÉ"));
    p.w.click(ctl::cmdSave);
    EXPECT_EQ(p.messages(),
              QStringList{QStringLiteral(
                  "This menu already has an entry titled \"ÉTÉ\", please choose another title!")});
    EXPECT_EQ(p.row(QStringLiteral("ÉTÉ"))->recordCount(), 0);
    EXPECT_EQ(p.text(ctl::txtFileTitle), QStringLiteral("ÉTÉ"));
    // Its own title in another letter case is refused while the other "Twin" has it.
    p.set(ctl::txtFileTitle, QStringLiteral("twin"));
    p.w.click(ctl::cmdSave);
    EXPECT_EQ(p.messages().size(), 1);
    p.set(ctl::txtFileTitle, QStringLiteral("Twin two"));
    p.w.click(ctl::cmdSave);
    EXPECT_TRUE(p.messages().isEmpty());
    EXPECT_EQ(p.list(),
              (QStringList{QStringLiteral("Twin"), QStringLiteral("Twin two"), QStringLiteral("Été")}));
    // The first keeps its title; a new entry may not take it nor "été".
    p.w.choose(ctl::lstFiles, 0);
    EXPECT_EQ(p.text(ctl::txtFileDescription), QStringLiteral("first"));
    p.w.click(ctl::cmdNewF);
    p.set(ctl::txtFile, QStringLiteral("readme.txt"));
    for (const QString& taken : {QStringLiteral("TWIN TWO"), QStringLiteral("été")}) {
        p.set(ctl::txtFileTitle, taken);
        p.w.click(ctl::cmdSave);
        EXPECT_EQ(p.messages().size(), 1) << taken.toStdString();
    }
    EXPECT_EQ(p.rows()->recordCount(), 3);

    // Remove on one of two same-titled entries removes only that one.
    store(QStringLiteral("Twin"), QStringLiteral("Setup/install.exe"), QStringLiteral("third"));
    enterFilePage(p.w);
    ASSERT_EQ(p.list().size(), 4);
    p.w.choose(ctl::lstFiles, 3);
    EXPECT_EQ(p.text(ctl::txtFileDescription), QStringLiteral("third"));
    p.prompts.queueAnswer(true);
    p.w.click(ctl::cmdFileRemove);
    EXPECT_EQ(p.messages(), QStringList{QStringLiteral("Do you really want to remove the entry for Twin?")});
    EXPECT_EQ(p.list(),
              (QStringList{QStringLiteral("Twin"), QStringLiteral("Twin two"), QStringLiteral("Été")}));
    EXPECT_EQ(p.row(QStringLiteral("Twin"))->field(QStringLiteral("Description")), QStringLiteral("first"));
    EXPECT_EQ(p.rows()->recordCount(), 3);
    // The list and the entries still match item by item.
    p.w.choose(ctl::lstFiles, 2);
    EXPECT_EQ(p.text(ctl::txtFileDescription), QStringLiteral("summer"));
}

TEST(FileEntries, CreateMenuAndLoadEmptyTheEditor) {
    EntryPage p;
    const qint64 first = p.w.state().curMenuID;
    p.set(ctl::txtFile, QStringLiteral("readme.txt"));
    p.set(ctl::txtFileTitle, QStringLiteral("Read me"));
    p.w.click(ctl::cmdSave);
    p.w.choose(ctl::lstFiles, 0);
    const QString stored = p.text(ctl::txtFileDescription);
    p.set(ctl::txtFileDescription, QStringLiteral("being edited"));
    auto expectStartValues = [&] {
        for (const char* field : {ctl::txtFile, ctl::txtFileTitle, ctl::txtFileDescription,
                                  ctl::txtFileScreenshot, ctl::txtFileCat}) {
            EXPECT_EQ(p.text(field), QStringLiteral("none")) << field;
        }
        EXPECT_TRUE(p.w.state().curFileName.isEmpty());
        EXPECT_FALSE(entryHasUnsavedChanges(p.w));
    };

    // Create Menu: nothing of the previous menu is shown, and Add/Save cannot change its entry.
    p.w.click(ctl::cmdNew);
    ASSERT_EQ(p.w.state().curStep, 1);
    expectStartValues();
    EXPECT_TRUE(p.list().isEmpty());
    p.w.state().curMenuID = first;  // even with the old menu open again, no entry counts as clicked
    p.set(ctl::txtFileTitle, QStringLiteral("Other"));
    p.w.click(ctl::cmdSave);
    EXPECT_EQ(p.row(QStringLiteral("Read me"))->field(QStringLiteral("FileLink")),
              QStringLiteral("readme.txt"));
    EXPECT_EQ(p.row(QStringLiteral("Read me"))->field(QStringLiteral("Description")), stored);
    EXPECT_EQ(p.rows()->recordCount(), 2);
    p.w.choose(ctl::lstFiles, 0);

    // Load: the same, and the stored menu's entries show when its page is reached.
    p.w.click(ctl::cmdBack);
    p.w.click(ctl::cmdEdit);
    p.w.click(ctl::cmdLoad);
    ASSERT_EQ(p.w.state().curStep, 1);
    ASSERT_EQ(p.w.state().curMenuID, first);
    expectStartValues();
    EXPECT_TRUE(p.list().isEmpty());
    enterFilePage(p.w);
    EXPECT_EQ(p.list(), (QStringList{QStringLiteral("Read me"), QStringLiteral("Other")}));
}

TEST(FileEntries, AnUnsavedEntryIsOfferedForSavingFirst) {
    EntryPage p;
    const QString before = QStringLiteral("the menu is created");
    auto question = [](const QString& title) {
        return QStringLiteral("The entry \"%1\" is not saved yet. Save it before the menu is created?")
            .arg(title);
    };
    // The start values, and a file picked without a title, are nothing to save.
    EXPECT_TRUE(settleUnsavedEntry(p.w, before));
    p.set(ctl::txtFile, QStringLiteral("readme.txt"));
    p.set(ctl::txtFileTitle, QString());
    EXPECT_TRUE(settleUnsavedEntry(p.w, before));
    EXPECT_TRUE(p.messages().isEmpty());

    // A new entry typed in: No goes on and keeps it unsaved; Yes saves it as Add/Save does.
    p.set(ctl::txtFileTitle, QStringLiteral("Read me"));
    p.prompts.queueAnswer(false);
    EXPECT_TRUE(settleUnsavedEntry(p.w, before));
    const QList<QJsonObject> asked = [&] {
        QList<QJsonObject> found;
        for (const QString& line : p.prompts.transcript()) {
            found << event(line);
        }
        return found;
    }();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0][QStringLiteral("icon")].toString(), QStringLiteral("question"));
    EXPECT_EQ(asked[0][QStringLiteral("buttons")].toString(), QStringLiteral("yesno"));
    EXPECT_EQ(asked[0][QStringLiteral("title")].toString(), QStringLiteral(" "));
    EXPECT_EQ(asked[0][QStringLiteral("text")].toString(), question(QStringLiteral("Read me")));
    p.prompts.clearTranscript();
    EXPECT_EQ(p.rows()->recordCount(), 0);
    p.prompts.queueAnswer(true);
    EXPECT_TRUE(settleUnsavedEntry(p.w, before));
    EXPECT_EQ(p.messages(), QStringList{question(QStringLiteral("Read me"))});
    EXPECT_EQ(p.list(), QStringList{QStringLiteral("Read me")});
    p.expectFieldsReset();
    EXPECT_TRUE(settleUnsavedEntry(p.w, before));

    // A clicked entry: unchanged is nothing to save, any changed field is.
    p.w.choose(ctl::lstFiles, 0);
    EXPECT_TRUE(settleUnsavedEntry(p.w, before));
    EXPECT_TRUE(p.messages().isEmpty());
    p.set(ctl::txtFileCat, QStringLiteral("Docs"));
    // Yes, but the save is refused: false after its message, nothing stored.
    const QString outside = native(p.pics.filePath(QStringLiteral("shot.jpg")));
    p.set(ctl::txtFile, outside);
    p.prompts.queueAnswer(true);
    EXPECT_FALSE(settleUnsavedEntry(p.w, before));
    EXPECT_EQ(p.messages(), (QStringList{question(QStringLiteral("Read me")),
                                         QStringLiteral("The file must lie inside the CD root folder!")}));
    p.set(ctl::txtFile, QString());
    p.prompts.queueAnswer(true);
    EXPECT_FALSE(settleUnsavedEntry(p.w, before));
    EXPECT_EQ(p.messages().last(), QStringLiteral("Please select a file and enter a file name!"));
    p.set(ctl::txtFile, QStringLiteral("readme.txt"));
    p.w.myData().ExecuteSQL(
        QStringLiteral("CREATE TRIGGER refuseChanges BEFORE UPDATE ON tblDetails BEGIN SELECT RAISE(ABORT, "
                       "'disk full'); END"));
    p.prompts.queueAnswer(true);
    EXPECT_FALSE(settleUnsavedEntry(p.w, before));
    const QJsonObject failure = event(p.prompts.transcript().last());
    EXPECT_EQ(failure[QStringLiteral("icon")].toString(), QStringLiteral("critical"));
    EXPECT_TRUE(failure[QStringLiteral("text")].toString().contains(QStringLiteral("disk full")));
    EXPECT_EQ(p.row(QStringLiteral("Read me"))->field(QStringLiteral("Category")), QStringLiteral("none"));
    EXPECT_EQ(p.text(ctl::txtFileCat), QStringLiteral("Docs"));
    p.messages();
    p.w.myData().ExecuteSQL(QStringLiteral("DROP TRIGGER refuseChanges"));
    // A title the menu already has is refused too.
    p.w.myData().executeInsert(QString::fromLatin1(sql::insertEntry),
                               {p.w.state().curMenuID, QStringLiteral("none"), QStringLiteral("Other"),
                                QStringLiteral("readme.txt"), QString(), QStringLiteral("none")});
    p.set(ctl::txtFileTitle, QStringLiteral("other"));
    p.prompts.queueAnswer(true);
    EXPECT_FALSE(settleUnsavedEntry(p.w, before));
    EXPECT_EQ(
        p.messages().last(),
        QStringLiteral("This menu already has an entry titled \"other\", please choose another title!"));
    // No goes on without saving; Yes saves the change, after which nothing is left to save.
    p.prompts.queueAnswer(false);
    EXPECT_TRUE(settleUnsavedEntry(p.w, before));
    p.set(ctl::txtFileTitle, QStringLiteral("Read me"));
    p.prompts.queueAnswer(true);
    EXPECT_TRUE(settleUnsavedEntry(p.w, before));
    EXPECT_EQ(p.row(QStringLiteral("Read me"))->field(QStringLiteral("Category")), QStringLiteral("Docs"));
    EXPECT_EQ(p.text(ctl::txtFileCat), QStringLiteral("Docs"));
    p.messages();
    EXPECT_TRUE(settleUnsavedEntry(p.w, before));
    EXPECT_TRUE(p.messages().isEmpty());

    // The finder's OK writes into the fields: that is a change too; New leaves nothing to save.
    p.set(ctl::txtFileDescription, QStringLiteral("from the finder"));
    EXPECT_TRUE(entryHasUnsavedChanges(p.w));
    p.w.click(ctl::cmdNewF);
    EXPECT_TRUE(settleUnsavedEntry(p.w, before));
    EXPECT_TRUE(p.messages().isEmpty());
}
