#include <gtest/gtest.h>
#include <QFile>

#include "data/clsdata.h"
#include "data/dataerror.h"
#include "data/statements.h"
#include "support/testsupport.h"

using namespace torvel;

namespace {

qint64 insertMenu(clsData& data, const QString& title) {
    return data.executeInsert(sql::insertMenu,
                              {QStringLiteral("Standard"), title, 1, QStringLiteral("/tmp")});
}

}  // namespace

TEST(DataAccess, MissingFileFailsWithItsNameAndWorksOnceTheFileIsBack) {
    test::ProgramDir program(false);
    clsData data(program.database());
    try {
        data.GetRS(sql::listMenus);
        FAIL() << "a missing database must fail";
    } catch (const DataError& e) {
        EXPECT_EQ(e.file(), program.database());
        EXPECT_TRUE(e.message().contains(QStringLiteral("Torvel.dat")));
        EXPECT_TRUE(e.message().contains(QStringLiteral("does not exist")));
        EXPECT_EQ(e.statement(), QString::fromUtf8(sql::listMenus));
    }
    EXPECT_FALSE(QFile::exists(program.database())) << "opening must never create the database";

    // A file that is not a database: the statement fails with SQLite's reason.
    program.write(QStringLiteral("Torvel.dat"), QByteArray(4096, 'x'));
    EXPECT_THROW(data.GetRS(sql::listMenus), DataError);

    // The real file put back: the same object works again.
    QFile::remove(program.database());
    test::ProgramDir fresh;
    QFile::copy(fresh.database(), program.database());
    auto rs = data.GetRS(sql::listStyles);
    EXPECT_EQ(rs->recordCount(), 3);
}

TEST(DataAccess, QueriesReadByNameCountExactlyAndRewind) {
    test::ProgramDir program;
    clsData data(program.database());
    auto empty = data.GetRS(sql::listMenus);
    EXPECT_TRUE(empty->eof());
    EXPECT_EQ(empty->recordCount(), 0);

    const qint64 first = insertMenu(data, QStringLiteral("One"));
    const qint64 second = insertMenu(data, QStringLiteral("Two"));
    EXPECT_EQ(second, first + 1);

    auto rs = data.GetRS(sql::listMenus);
    ASSERT_EQ(rs->recordCount(), 2);
    EXPECT_EQ(rs->field(QStringLiteral("title")), QStringLiteral("One"));  // column names ignore case
    rs->moveNext();
    EXPECT_EQ(rs->field(QStringLiteral("TITLE")), QStringLiteral("Two"));
    rs->moveNext();
    EXPECT_TRUE(rs->eof());
    rs->moveFirst();
    EXPECT_EQ(rs->field(QStringLiteral("MenuID")).toLongLong(), first);

    // Null fields read as empty text.
    data.ExecuteSQL(QStringLiteral("INSERT INTO tblDetails (MenuNo) VALUES (?)"), {first});
    auto entry = data.GetRS(sql::menuEntries, {first});
    ASSERT_FALSE(entry->eof());
    EXPECT_EQ(entry->field(QStringLiteral("Description")), QString());
    EXPECT_THROW(entry->field(QStringLiteral("NoSuchColumn")), TorvelError);
}

TEST(DataAccess, KeysGrowAndAreNeverReusedAndAFailedInsertAdoptsNone) {
    test::ProgramDir program;
    clsData data(program.database());
    const qint64 a = insertMenu(data, QStringLiteral("A"));
    const qint64 b = insertMenu(data, QStringLiteral("B"));
    EXPECT_TRUE(data.ExecuteSQL(sql::deleteMenu, {b}));
    EXPECT_TRUE(data.ExecuteSQL(sql::deleteMenu, {b}));  // a delete that matches nothing still runs
    const qint64 c = insertMenu(data, QStringLiteral("C"));
    EXPECT_GT(c, b);
    EXPECT_GT(b, a);

    EXPECT_THROW(data.executeInsert(QStringLiteral("INSERT INTO tblMenus (NoColumn) VALUES (?)"), {1}),
                 DataError);
    EXPECT_EQ(insertMenu(data, QStringLiteral("D")), c + 1);
}

TEST(DataAccess, AnyTextRoundTripsThroughBoundParameters) {
    test::ProgramDir program;
    clsData data(program.database());
    const QString tricky =
        QStringLiteral("Joe's \"best\" C:\\tools\\ line\r\nbreak \u042F\u0440\u043E \u4E2D\u6587 %_;--");
    data.ExecuteSQL(sql::insertEntry,
                    {7, tricky, tricky, QStringLiteral("a/b.exe"), tricky, QStringLiteral("none")});

    auto rs = data.GetRS(sql::entryByTitle, {7, tricky});
    ASSERT_EQ(rs->recordCount(), 1);
    EXPECT_EQ(rs->field(QStringLiteral("Description")), tricky);
    EXPECT_EQ(rs->field(QStringLiteral("Category")), tricky);

    // A field left empty is stored as empty text, not as NULL.
    data.ExecuteSQL(sql::insertEntry,
                    {8, QString(), QStringLiteral("Empty"), QString(), QString(), QString()});
    auto kinds =
        data.GetRS(QStringLiteral("SELECT typeof(Category) || typeof(FileLink) || typeof(Description) AS "
                                  "kinds FROM tblDetails WHERE MenuNo=8"));
    EXPECT_EQ(kinds->field(QStringLiteral("kinds")), QStringLiteral("texttexttext"));

    // Titles compare without regard to letter case, as the menu lists always have.
    insertMenu(data, QStringLiteral("Setup Disc"));
    EXPECT_EQ(data.GetRS(sql::menuWithTitle, {QStringLiteral("SETUP DISC")})->recordCount(), 1);

    EXPECT_TRUE(data.ExecuteSQL(sql::deleteEntry, {7, tricky}));
    EXPECT_TRUE(data.GetRS(sql::menuEntries, {7})->eof());
}

TEST(DataAccess, EditableResultCommitsChangedRowsAndReadOnlyRefuses) {
    test::ProgramDir program;
    clsData data(program.database());
    auto readOnly = data.GetRS(sql::styleById, {1});
    EXPECT_FALSE(readOnly->editable());
    EXPECT_THROW(readOnly->setField(QStringLiteral("BackColor"), QStringLiteral("RGB(1,2,3)")), TorvelError);

    // Two open result sets are independent of each other.
    auto style = data.GetRS(sql::styleById, {1}, true);
    auto other = data.GetRS(sql::styleById, {2}, true);
    ASSERT_EQ(style->recordCount(), 1);
    EXPECT_FALSE(style->hasColumn(QStringLiteral("torvel_rowid_")));
    const QString name = style->field(QStringLiteral("StyleName"));
    style->setField(QStringLiteral("BackColor"), QStringLiteral("RGB(1,2,3)"));
    style->setField(QStringLiteral("logotop"), QStringLiteral("20px"));
    EXPECT_EQ(style->field(QStringLiteral("BackColor")), QStringLiteral("RGB(1,2,3)"));
    EXPECT_NE(data.GetRS(sql::styleById, {1})->field(QStringLiteral("BackColor")),
              QStringLiteral("RGB(1,2,3)"))
        << "nothing is written before the commit";
    style->updateBatch();
    other->updateBatch();  // nothing changed: nothing written

    auto again = data.GetRS(sql::styleById, {1});
    EXPECT_EQ(again->field(QStringLiteral("BackColor")), QStringLiteral("RGB(1,2,3)"));
    EXPECT_EQ(again->field(QStringLiteral("LogoTop")), QStringLiteral("20px"));
    EXPECT_EQ(again->field(QStringLiteral("StyleName")), name);
    EXPECT_NE(data.GetRS(sql::styleById, {2})->field(QStringLiteral("BackColor")),
              QStringLiteral("RGB(1,2,3)"));

    // tblDetails has no key: rows are addressed by rowid, so two rows with the same title stay apart.
    data.ExecuteSQL(sql::insertEntry, {3, QStringLiteral("none"), QStringLiteral("Same"), QStringLiteral("a"),
                                       QStringLiteral("first"), QStringLiteral("none")});
    data.ExecuteSQL(sql::insertEntry, {3, QStringLiteral("none"), QStringLiteral("Same"), QStringLiteral("b"),
                                       QStringLiteral("second"), QStringLiteral("none")});
    auto entry = data.GetRS(sql::entryByTitle, {3, QStringLiteral("Same")}, true);
    ASSERT_EQ(entry->recordCount(), 2);
    entry->setField(QStringLiteral("Description"), QStringLiteral("changed"));
    entry->updateBatch();
    auto rows = data.GetRS(sql::entryByTitle, {3, QStringLiteral("Same")});
    EXPECT_EQ(rows->field(QStringLiteral("Description")), QStringLiteral("changed"));
    rows->moveNext();
    EXPECT_EQ(rows->field(QStringLiteral("Description")), QStringLiteral("second"));
}

TEST(DataAccess, AddFileRaisesFileAddedOnlyAfterASuccessfulInsert) {
    test::ProgramDir program;
    clsData data(program.database());
    int raised = 0;
    data.fileAdded = [&] { ++raised; };
    data.addFile(sql::insertEntry, {1, QStringLiteral("none"), QStringLiteral("T"), QStringLiteral("t.exe"),
                                    QString(), QStringLiteral("none")});
    EXPECT_EQ(raised, 1);
    EXPECT_THROW(data.addFile(QStringLiteral("INSERT INTO tblNowhere VALUES (?)"), {1}), DataError);
    EXPECT_EQ(raised, 1);
}
