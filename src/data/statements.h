#pragma once

// Every statement the wizard sends to the menu database, in one place. Values are bound
// parameters ("?"), never spliced into the text, so any text is stored and found exactly.
namespace torvel::sql {

// Menus
inline constexpr const char* listMenus = "SELECT * FROM tblMenus";
inline constexpr const char* menuById = "SELECT * FROM tblMenus WHERE MenuID=?";
inline constexpr const char* insertMenu =
    "INSERT INTO tblMenus (Template, Title, StyleNo, Root) VALUES (?, ?, ?, ?)";
inline constexpr const char* updateMenu = "UPDATE tblMenus SET Template=?, Title=?, StyleNo=? WHERE MenuID=?";
inline constexpr const char* deleteMenu = "DELETE FROM tblMenus WHERE MenuID=?";

// Styles
inline constexpr const char* listStyles = "SELECT * FROM tblStyles";
inline constexpr const char* styleById = "SELECT * FROM tblStyles WHERE StyleID=?";
inline constexpr const char* insertStyle =
    "INSERT INTO tblStyles (StyleName, BackColor, BackImage, Soundfile, Logofile, LogoTop, LogoLeft, "
    "ButtonOnImage, ButtonOffImage, TitleFont, TitleColor, ButtonFont, ButtonColor, TextFont, TextColor, "
    "HyperFont, HyperColor, HyperColorA) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

// The key of the row that the last insert on this connection created; read right after the insert.
inline constexpr const char* lastInsertedKey = "SELECT last_insert_rowid() AS lastID";

// File entries. Within the editor an entry is known by its key, SQLite's rowid, so that entries
// of one menu that share a title are still told apart.
// Entries keep the order they were stored in (rowid). The lists read the table in that order and
// leave the index below aside (NOT INDEXED): through the index SQLite would have to sort every row
// of the menu by rowid first, which takes twice the time and holds the rows in memory.
inline constexpr const char* menuEntries =
    "SELECT * FROM tblDetails NOT INDEXED WHERE MenuNo=? ORDER BY rowid";
inline constexpr const char* menuEntryCount = "SELECT COUNT(*) FROM tblDetails WHERE MenuNo=?";
inline constexpr const char* menuEntryTitles =
    "SELECT rowid AS EntryKey, FileName FROM tblDetails NOT INDEXED WHERE MenuNo=? ORDER BY rowid";
inline constexpr const char* entryByKey = "SELECT * FROM tblDetails WHERE rowid=? AND MenuNo=?";
inline constexpr const char* insertEntry =
    "INSERT INTO tblDetails (MenuNo, Category, FileName, FileLink, Description, Screenshot) "
    "VALUES (?, ?, ?, ?, ?, ?)";
inline constexpr const char* deleteEntry = "DELETE FROM tblDetails WHERE MenuNo=? AND FileName=?";
inline constexpr const char* deleteEntryByKey = "DELETE FROM tblDetails WHERE rowid=? AND MenuNo=?";
inline constexpr const char* menuCategories =
    "SELECT MenuNo, Category FROM tblDetails GROUP BY Category, MenuNo HAVING MenuNo=?";
// Every entry of a menu, category by category in the order menuCategories lists them, each
// category's entries in stored order.
// Read in stored order and sorted: following the category index instead would fetch every row
// from a different place in the file, which costs more than the sort once a menu is large.
inline constexpr const char* entriesByCategory =
    "SELECT * FROM tblDetails NOT INDEXED WHERE MenuNo=? ORDER BY Category, rowid";

// Every entry of a menu for the Modern page: the entries with a category first, category by
// category as entriesByCategory orders them, then those without one (no value, an empty text or
// exactly "none"), each group in stored order. Unset is 1 for an entry without a category.
inline constexpr const char* modernEntries =
    "SELECT *, (Category IS NULL OR Category = '' OR Category = 'none' COLLATE BINARY) AS Unset "
    "FROM tblDetails NOT INDEXED WHERE MenuNo=? "
    "ORDER BY Unset, CASE WHEN Unset THEN NULL ELSE Category END COLLATE NOCASE, rowid";

// The keys of a menu's entries with a title, letter case ignored for A to Z (the column's NOCASE).
inline constexpr const char* entryKeysWithTitle =
    "SELECT rowid AS EntryKey FROM tblDetails WHERE MenuNo=? AND FileName=?";

// The indexes that serve the entry lookups: by menu and title (the duplicate check), and by menu
// and category (the Extended pages' list of categories, read from the index alone). Created when the database
// is opened, so that files stored before them get them too.
inline constexpr const char* createEntryIndexes[] = {
    "CREATE INDEX IF NOT EXISTS idxDetailsMenuTitle ON tblDetails (MenuNo, FileName)",
    "CREATE INDEX IF NOT EXISTS idxDetailsMenuCategory ON tblDetails (MenuNo, Category)",
};

// Description finder: every distinct title, link and description stored, and every title with its
// description, in the order the database gives them. Letter case is compared by the program, for
// every letter.
inline constexpr const char* distinctEntryTexts =
    "SELECT FileName, FileLink, Description FROM tblDetails GROUP BY FileName, FileLink, Description";
inline constexpr const char* entryDescriptions = "SELECT FileName, Description FROM tblDetails";

}  // namespace torvel::sql
