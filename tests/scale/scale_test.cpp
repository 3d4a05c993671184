#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QScopeGuard>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "data/clsdata.h"
#include "data/dataerror.h"
#include "data/statements.h"
#include "files/paths.h"
#include "files/safefile.h"
#include "generator/pages.h"
#include "support/testsupport.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/fileentries.h"

namespace torvel::test {
namespace {

qint64 addMenu(clsData& data, const QString& root) {
    return data.executeInsert(QString::fromLatin1(sql::insertMenu),
                              {QStringLiteral("Extended"), QStringLiteral("Scale"), 1, root});
}

void addEntry(clsData& data, qint64 menu, const QVariant& category, const QString& title) {
    data.ExecuteSQL(QString::fromLatin1(sql::insertEntry),
                    {menu, category, title, title + QStringLiteral(".exe"), QStringLiteral("About ") + title,
                     QStringLiteral("none")});
}

// Both lookup indexes (menu and title, menu and category) are there.
bool hasEntryIndex(const QString& database) {
    const QString name = QStringLiteral("scale-test-peek");
    int found = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(database);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='index' AND tbl_name='tblDetails'"));
        while (q.next()) {
            ++found;
        }
    }
    QSqlDatabase::removeDatabase(name);
    return found == 2;
}

// Titles stored out of alphabetical order, in categories whose letter case differs: every list
// and page keeps the stored order, and the Extended page groups the categories as the database
// does (A to Z case ignored, an entry without a category in a group of its own).
TEST(Scale, EntriesKeepTheirStoredOrderUnderTheLookupIndex) {
    WizardFixture f;
    TempFolder disc;
    clsData& data = f.wizard->myData();
    const qint64 menu = addMenu(data, withTrailingSeparator(disc.native(QString())));
    EXPECT_TRUE(hasEntryIndex(f.program.database())) << "opening the file adds the lookup index";
    addEntry(data, menu, QStringLiteral("tools"), QStringLiteral("Zebra"));
    addEntry(data, menu, QStringLiteral("Docs"), QStringLiteral("Mango"));
    addEntry(data, menu, QStringLiteral("Tools"), QStringLiteral("Apple"));
    addEntry(data, menu, QVariant(), QStringLiteral("Kiwi"));
    addEntry(data, menu, QStringLiteral("TOOLS"), QStringLiteral("Banana"));

    f.wizard->state().curMenuID = menu;
    f.wizard->state().cdRoot = withTrailingSeparator(disc.native(QString()));
    getFileData(*f.wizard);
    const QStringList stored{QStringLiteral("Zebra"), QStringLiteral("Mango"), QStringLiteral("Apple"),
                             QStringLiteral("Kiwi"), QStringLiteral("Banana")};
    EXPECT_EQ(f.form().items(ctl::lstFiles), stored);

    PageInputs in;
    in.cdRoot = withTrailingSeparator(disc.native(QString()));
    in.menuId = menu;
    in.title = QStringLiteral("Scale");
    in.sound = in.logo = in.buttonOn = in.buttonOff = QStringLiteral("none");
    const auto order = [&](const QByteArray& page, const QStringList& titles) {
        qsizetype at = -1;
        for (const QString& t : titles) {
            const qsizetype next = page.indexOf(t.toLatin1(), at + 1);
            EXPECT_GT(next, at) << t.toStdString() << " out of order";
            at = next;
        }
    };
    ASSERT_TRUE(writeMenuPage(QStringLiteral("Standard"), in, data));
    order(readFile(in.cdRoot + QStringLiteral("Index.htm")), stored);

    ASSERT_TRUE(writeMenuPage(QStringLiteral("Extended"), in, data));
    const QByteArray page = readFile(in.cdRoot + QStringLiteral("Index.htm"));
    // Buttons: the group without a category, Docs, then the three spellings of Tools as one.
    EXPECT_EQ(page.count("onclick='displayCat("), 3);
    // Panel 0 holds Kiwi, panel 1 Mango, panel 2 Zebra, Apple and Banana in stored order.
    order(page, {QStringLiteral("displayText(0,0)'>Kiwi"), QStringLiteral("displayText(1,0)'>Mango"),
                 QStringLiteral("displayText(2,0)'>Zebra"), QStringLiteral("displayText(2,1)'>Apple"),
                 QStringLiteral("displayText(2,2)'>Banana")});
}

// The index is added to files stored without it.
TEST(Scale, StoredFilesGetTheIndexWhenOpened) {
    ProgramDir program;
    ASSERT_FALSE(hasEntryIndex(program.database()));
    {
        clsData data(program.database());
        EXPECT_EQ(data.GetRS(QString::fromLatin1(sql::listStyles))->recordCount(), 3);
    }
    EXPECT_TRUE(hasEntryIndex(program.database()));
}

// A read-only file (on a read-only file system: root may write any file) is opened, its index
// left as it is, in silence; a save into it names the file and the reason; what is stored still
// lists, the fields keep what was typed and the file is unchanged.
TEST(Scale, AReadOnlyDatabaseRefusesTheSaveAndKeepsWhatIsStored) {
    ProgramDir source;
    TempFolder mountPoint;
    TempFolder disc;
    disc.write(QStringLiteral("setup.exe"), "MZ");
    const QString root = withTrailingSeparator(disc.native(QString()));
    // Stored without the index, as by an earlier version: the read-only file cannot take it.
    const QString name = QStringLiteral("scale-test-store");
    qint64 menu = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(source.database());
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO tblMenus (Template, Title, StyleNo, Root) "
                                          "VALUES ('Standard', 'Stored', 1, '%1')")
                               .arg(root)));
        menu = q.lastInsertId().toLongLong();
    }
    QSqlDatabase::removeDatabase(name);
    const QByteArray where = QFile::encodeName(mountPoint.path());
    if (::geteuid() != 0 || ::mount("tmpfs", where.constData(), "tmpfs", 0, "size=1m") != 0) {
        GTEST_SKIP() << "a read-only file system cannot be mounted here";
    }
    const auto unmount = qScopeGuard([&] { ::umount(where.constData()); });
    const QString database = QDir(mountPoint.path()).filePath(QStringLiteral("Torvel.dat"));
    ASSERT_TRUE(QFile::copy(source.database(), database));
    ASSERT_EQ(::mount("tmpfs", where.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
    const QByteArray before = readFile(database);
    ScriptedPrompts prompts;
    const auto wizard = buildWizard(prompts, mountPoint.path());
    wizard->state().cdRoot = root;
    wizard->state().curMenuID = menu;
    wizard->form().setText(ctl::txtFile, disc.native(QStringLiteral("setup.exe")));
    wizard->form().setText(ctl::txtFileTitle, QStringLiteral("Setup"));
    wizard->click(ctl::cmdSave);
    ASSERT_EQ(prompts.transcript().size(), 1);
    const QJsonObject failure = event(prompts.transcript().first());
    EXPECT_EQ(failure[QStringLiteral("icon")].toString(), QStringLiteral("critical"));
    EXPECT_TRUE(failure[QStringLiteral("text")].toString().contains(QDir::toNativeSeparators(database)));
    EXPECT_TRUE(failure[QStringLiteral("text")].toString().contains(QStringLiteral("readonly")));
    EXPECT_TRUE(wizard->form().items(ctl::lstFiles).isEmpty());
    EXPECT_EQ(wizard->form().text(ctl::txtFileTitle), QStringLiteral("Setup"));
    EXPECT_EQ(wizard->myData().GetRS(QString::fromLatin1(sql::listMenus))->recordCount(), 1);
    EXPECT_EQ(readFile(database), before);
    EXPECT_FALSE(hasEntryIndex(database));
}

// Rows read one at a time: by column position, unknown columns refused, and the same statement
// run again (kept prepared) sees what was stored in between.
TEST(Scale, CursorsReadRowsAsTheyComeAndPreparedStatementsSeeNewRows) {
    ProgramDir program;
    clsData data(program.database());
    const qint64 menu = addMenu(data, QStringLiteral("/cd/"));
    const QString count = QString::fromLatin1(sql::menuEntryCount);
    EXPECT_EQ(data.scalar(count, {menu}).toLongLong(), 0);
    addEntry(data, menu, QStringLiteral("A"), QStringLiteral("First"));
    addEntry(data, menu, QStringLiteral("B"), QStringLiteral("Second"));
    EXPECT_EQ(data.scalar(count, {menu}).toLongLong(), 2);

    auto rows = data.openCursor(QString::fromLatin1(sql::menuEntries), {menu});
    const int title = rows->column(QStringLiteral("filename"));
    EXPECT_THROW(rows->column(QStringLiteral("NoSuchColumn")), DataError);
    QStringList titles;
    while (rows->next()) {
        titles << rows->text(title);
        // Another statement runs while the cursor is open.
        EXPECT_EQ(data.scalar(count, {menu}).toLongLong(), 2);
    }
    EXPECT_EQ(titles, (QStringList{QStringLiteral("First"), QStringLiteral("Second")}));
    EXPECT_FALSE(rows->next());
}

// Titles are compared with the case of every letter folded: a duplicate that only the folding
// finds is refused, a renamed entry frees its old title, and a removed one frees its own.
TEST(Scale, TheTitleCheckFollowsRenamesAndRemovals) {
    WizardFixture f;
    TempFolder disc;
    disc.write(QStringLiteral("file.txt"), "x");
    clsData& data = f.wizard->myData();
    f.wizard->state().cdRoot = withTrailingSeparator(disc.native(QString()));
    f.wizard->state().curMenuID = addMenu(data, f.wizard->state().cdRoot);
    const auto save = [&](const QString& title) {
        f.form().setText(ctl::txtFile, disc.native(QStringLiteral("file.txt")));
        f.form().setText(ctl::txtFileTitle, title);
        f.prompts.clearTranscript();
        f.wizard->click(ctl::cmdSave);
        return f.prompts.transcript().isEmpty();
    };
    ASSERT_TRUE(save(QStringLiteral("Ärger")));
    EXPECT_FALSE(save(QStringLiteral("äRGER"))) << "folded letters beyond A to Z match too";
    f.wizard->choose(ctl::lstFiles, 0);
    ASSERT_TRUE(save(QStringLiteral("Ruhe")));
    EXPECT_EQ(f.form().items(ctl::lstFiles), QStringList{QStringLiteral("Ruhe")});
    f.wizard->click(ctl::cmdNewF);
    EXPECT_TRUE(save(QStringLiteral("ärger"))) << "the old title is free after the rename";
    f.wizard->choose(ctl::lstFiles, 0);
    f.prompts.queueAnswer(true);
    f.wizard->click(ctl::cmdFileRemove);
    EXPECT_TRUE(save(QStringLiteral("RUHE"))) << "a removed entry's title is free";
}

// A copy onto a regular file with the same bytes writes nothing; other bytes of the same size,
// and a link at the name, are replaced.
TEST(Scale, CopiesOntoTheSameBytesAreLeftAlone) {
    TempFolder folder;
    const QString source = folder.write(QStringLiteral("logo.gif"), "GIF89a picture");
    const QString target = folder.file(QStringLiteral("Menu/logo.gif"));
    QDir().mkpath(QFileInfo(target).path());
    copyFileSafely(source, target);
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &before), 0);
    copyFileSafely(source, target);
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino) << "an unchanged copy is not written again";

    folder.write(QStringLiteral("Menu/logo.gif"), "GIF89a PICTURE");
    copyFileSafely(source, target);
    EXPECT_EQ(readFile(target), QByteArray("GIF89a picture"));

    const QString elsewhere = folder.write(QStringLiteral("elsewhere.gif"), "GIF89a picture");
    QFile::remove(target);
    ASSERT_TRUE(QFile::link(elsewhere, target));
    copyFileSafely(source, target);
    EXPECT_FALSE(QFileInfo(target).isSymLink());
    EXPECT_EQ(readFile(elsewhere), QByteArray("GIF89a picture"));
}

}  // namespace
}  // namespace torvel::test
