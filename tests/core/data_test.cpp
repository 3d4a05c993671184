// The data access object on a real Torvel.dat: opening, reading, keys, any text, editable results.
#include <gtest/gtest.h>

#include <QFile>

#include "data/clsdata.h"
#include "data/dataerror.h"
#include "data/statements.h"
#include "support/testsupport.h"

using namespace torvel;
using namespace Qt::StringLiterals;

namespace {

qint64 insertMenu(clsData& data, const QString& title) {
    return data.executeInsert(sql::insertMenu, {u"Standard"_s, title, 1, u"/tmp"_s});
}

void insertEntry(clsData& data, int menu, const QString& title, const QString& description) {
    data.ExecuteSQL(sql::insertEntry, {menu, u"none"_s, title, u"a/b.exe"_s, description, u"none"_s});
}

}  // namespace

TEST(DataAccess, AMissingFileFailsWithItsNameAndWorksOnceTheFileIsBack) {
    test::ProgramDir program(false);
    clsData data(program.database());
    try {
        data.GetRS(sql::listMenus);
        FAIL() << "a missing database must fail";
    } catch (const DataError& e) {
        EXPECT_EQ(e.file(), program.database());
        EXPECT_TRUE(e.message().contains(u"Torvel.dat"_s) && e.message().contains(u"does not exist"_s));
        EXPECT_EQ(e.statement(), sql::listMenus);
    }
    EXPECT_FALSE(QFile::exists(program.database())) << "opening must never create the database";
    // A file that is not a database fails; the real file put back, the same object works again.
    program.write(u"Torvel.dat"_s, QByteArray(4096, 'x'));
    EXPECT_THROW(data.GetRS(sql::listMenus), DataError);
    QFile::remove(program.database());
    test::ProgramDir fresh;
    QFile::copy(fresh.database(), program.database());
    EXPECT_EQ(data.GetRS(sql::listStyles)->recordCount(), 3);
}

TEST(DataAccess, AnyTextRoundTripsEmptyIsNeverNullAndKeysAreNeverReused) {
    test::ProgramDir program;
    clsData data(program.database());
    insertMenu(data, u"One"_s);
    const qint64 second = insertMenu(data, u"Two"_s);
    auto rs = data.GetRS(sql::listMenus);
    rs->moveNext();
    EXPECT_EQ(rs->field(u"TITLE"_s), u"Two"_s);  // column names ignore case
    EXPECT_THROW(rs->field(u"NoSuchColumn"_s), TorvelError);
    // A deleted key is not given again: the entries a deleted menu leaves behind join no new menu.
    data.ExecuteSQL(sql::deleteMenu, {second});
    EXPECT_EQ(insertMenu(data, u"Three"_s), second + 1);
    // Any text goes through bound parameters; a field left empty is stored as empty text, never as
    // NULL, and a NULL reads as empty text.
    const QString tricky = u"Joe's \"best\" C:\\tools\\ line\r\nbreak Яро 中文 %_;--"_s;
    insertEntry(data, 7, tricky, tricky);
    EXPECT_EQ(data.GetRS(sql::entryByKey, {1, 7})->field(u"Description"_s), tricky);
    data.ExecuteSQL(sql::insertEntry, {8, QString(), u"Empty"_s, QString(), QString(), QString()});
    EXPECT_EQ(data.GetRS(u"SELECT typeof(Category) || typeof(FileLink) || typeof(Description) AS kinds "
                         "FROM tblDetails WHERE MenuNo=8"_s)
                  ->field(u"kinds"_s),
              u"texttexttext"_s);
    data.ExecuteSQL(u"INSERT INTO tblDetails (MenuNo) VALUES (9)"_s);
    EXPECT_EQ(data.GetRS(sql::menuEntries, {9})->field(u"Description"_s), QString());
}

TEST(DataAccess, AnEditableResultCommitsItsOwnRowsOnly) {
    test::ProgramDir program;
    clsData data(program.database());
    EXPECT_THROW(data.GetRS(sql::styleById, {1})->setField(u"BackColor"_s, u"RGB(1,2,3)"_s), TorvelError);
    // Two open result sets are independent of each other; nothing is written before the commit.
    auto style = data.GetRS(sql::styleById, {1}, true);
    auto other = data.GetRS(sql::styleById, {2}, true);
    const QString name = style->field(u"StyleName"_s);
    style->setField(u"BackColor"_s, u"RGB(1,2,3)"_s);
    style->setField(u"logotop"_s, u"20px"_s);
    EXPECT_NE(data.GetRS(sql::styleById, {1})->field(u"BackColor"_s), u"RGB(1,2,3)"_s);
    style->updateBatch();
    other->updateBatch();
    auto again = data.GetRS(sql::styleById, {1});
    EXPECT_EQ(
        QStringList({again->field(u"BackColor"_s), again->field(u"LogoTop"_s), again->field(u"StyleName"_s)}),
        QStringList({u"RGB(1,2,3)"_s, u"20px"_s, name}));
    EXPECT_NE(data.GetRS(sql::styleById, {2})->field(u"BackColor"_s), u"RGB(1,2,3)"_s);
    // tblDetails has no key: rows are addressed by rowid, so two rows with the same title stay apart.
    insertEntry(data, 3, u"Same"_s, u"first"_s);
    insertEntry(data, 3, u"Same"_s, u"second"_s);
    auto entry = data.GetRS(u"SELECT * FROM tblDetails WHERE MenuNo=3 AND FileName='Same'"_s, {}, true);
    entry->setField(u"Description"_s, u"changed"_s);
    entry->updateBatch();
    auto rows = data.GetRS(sql::menuEntries, {3});
    EXPECT_EQ(rows->field(u"Description"_s), u"changed"_s);
    rows->moveNext();
    EXPECT_EQ(rows->field(u"Description"_s), u"second"_s);
    // addFile raises fileAdded only after a successful insert.
    int raised = 0;
    data.fileAdded = [&] { ++raised; };
    data.addFile(sql::insertEntry, {1, u"none"_s, u"T"_s, u"t.exe"_s, QString(), u"none"_s});
    EXPECT_THROW(data.addFile(u"INSERT INTO tblNowhere VALUES (?)"_s, {1}), DataError);
    EXPECT_EQ(raised, 1);
}
