// Path forms, colour and font values, copies into the menu and style folders, and write faults:
// planted links, a full disk, a process killed half way.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <csignal>
#include <span>

#include "files/assetcopy.h"
#include "files/paths.h"
#include "files/safefile.h"
#include "styles/colorvalues.h"
#include "styles/fontvalue.h"
#include "styles/stylesheet.h"
#include "support/testsupport.h"

using namespace torvel;
using namespace Qt::StringLiterals;
using test::TempFolder;

namespace {

const QChar kBack = u'\\';
const QChar kSlash = u'/';

QString rootOf(const TempFolder& disc) {
    return withTrailingSeparator(test::native(disc.path()));
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

}  // namespace

TEST(PathForms, OnlyACleanedPathBelowTheRootGivesALinkOnBothSeparators) {
    // clang-format off
    const std::pair<const char*, const char*> cleaning[] = {
        {"a/./b//../c/", "a/c"}, {"../a/..", ".."}, {"a/..", "."}, {"/../a", "/a"}, {"D:/Disc\\..\\x", "D:\\x"},
        {"D:\\..", "D:\\"}, {"\\\\server\\share\\..\\x", "\\\\server\\x"},
        {"a\\..\\C:.", "C:"}};  // ".." back to a step that reads as a drive: cleaned once is cleaned for good
    // Links below D:\Disc\ (any letter case) and /home/ann/Disc/; "": none. A link is given back as
    // it is when clean, cleaned when not, and refused when it climbs out of the root, names it or
    // names a drive.
    const std::pair<const char*, const char*> windows[] = {
        {"D:\\Disc\\Setup\\install.exe", "Setup\\install.exe"}, {"d:\\disc\\readme.txt", "readme.txt"},
        {"D:\\Disc\\Setup\\..\\readme.txt", "readme.txt"}, {"D:\\Disc\\.\\Setup\\\\install.exe", "Setup\\install.exe"},
        {"D:/Disc/Setup/install.exe", "Setup\\install.exe"}, {"D:\\Other\\..\\Disc\\readme.txt", "readme.txt"},
        {"Setup/install.exe", "Setup/install.exe"}, {"Setup/../readme.txt", "readme.txt"}, {"E:\\Other\\a.txt", ""},
        {"D:\\Disc\\..\\Other\\readme.txt", ""}, {"D:\\Disc\\Setup\\..\\..\\readme.txt", ""}, {"D:\\Disc", ""},
        {"D:\\Disc\\", ""}, {"D:\\Disc\\Setup\\..", ""}, {"E:\\Copy\\D:\\Disc\\readme.txt", ""},
        {"D:\\Disc2\\readme.txt", ""}, {"../readme.txt", ""}, {"Setup/../../readme.txt", ""}, {"Setup/..", ""},
        {".", ""}, {"D:readme.txt", ""}};
    const std::pair<const char*, const char*> unix[] = {
        {"/home/ann/Disc/Setup/install.exe", "Setup/install.exe"}, {"/home/ann/Disc/./Setup//x.exe", "Setup/x.exe"},
        {"/home/ann/Disc/../../ann/Disc/readme.txt", "readme.txt"}, {"/../home/ann/Disc/readme.txt", "readme.txt"},
        {"readme.txt", "readme.txt"}, {"Docs/Setup/../read me.txt", "Docs/read me.txt"},
        {"/home/ann/disc/readme.txt", ""}, {"/tmp/readme.txt", ""}, {"/home/ann/Disc/../Disc2/readme.txt", ""},
        {"/home/ann/Disc/..", ""}, {"/home/ann/Disc/", ""}, {"/mnt/home/ann/Disc/readme.txt", ""},
        {"../Disc/readme.txt", ""}};
    // Folders as the root label shows them.
    const std::pair<const char*, const char*> folders[] = {
        {"D:\\Disc", "D:\\Disc"}, {"D:\\Disc\\\\", "D:\\Disc"}, {"D:\\", "D:\\"}, {"D:", "D:\\"},
        {"/home/ann/Disc/", "/home/ann/Disc"}, {"/", "/"}, {"//", "/"}};
    // clang-format on
    for (const auto& [path, cleaned] : cleaning) {
        const QChar sep = QByteArray(path).contains('\\') ? kBack : kSlash;
        EXPECT_EQ(cleanPath(QString::fromLatin1(path), sep), QString::fromLatin1(cleaned)) << path;
    }
    for (const bool win : {true, false}) {
        for (const auto& [path, link] : win ? std::span<const std::pair<const char*, const char*>>(windows)
                                            : std::span<const std::pair<const char*, const char*>>(unix)) {
            const auto found =
                win ? getFileLink(QString::fromLatin1(path), u"D:\\Disc\\"_s, kBack, Qt::CaseInsensitive)
                    : getFileLink(QString::fromLatin1(path), u"/home/ann/Disc/"_s, kSlash, Qt::CaseSensitive);
            EXPECT_EQ(found.value_or(u""_s), QString::fromLatin1(link)) << path;
        }
    }
    for (const auto& [folder, shown] : folders) {
        const QChar sep = QByteArray(folder).startsWith('D') ? kBack : kSlash;
        EXPECT_EQ(folderAsShown(QString::fromLatin1(folder), sep), QString::fromLatin1(shown)) << folder;
        // As a CD root it ends in exactly one separator.
        const QString root = withTrailingSeparator(QString::fromLatin1(shown), sep);
        EXPECT_TRUE(root.endsWith(sep) && !root.endsWith(QString(2, sep))) << folder;
    }
    EXPECT_EQ(fileNameOf(u"C:\\Pics\\shot1.jpg"_s, kBack), u"shot1.jpg"_s);
    EXPECT_EQ(fileNameOf(u"Setup/install.exe"_s, kBack), u"Setup/install.exe"_s);
    EXPECT_EQ(driveLetterOf(u"D:\\Disc\\"_s), u"D:"_s);
    // The top of the file system as the root; a share is not below the top of a drive.
    EXPECT_EQ(getFileLink(u"/Setup/install.exe"_s, u"/"_s, kSlash), u"Setup/install.exe"_s);
    EXPECT_FALSE(getFileLink(u"/"_s, u"/"_s, kSlash));
    EXPECT_FALSE(getFileLink(u"\\\\server\\x.txt"_s, u"\\"_s, kBack));
}

TEST(ColourValues, ReadsColourValuesIntoColourNumbers) {
    // clang-format off
    const std::pair<const char*, int> cases[] = {
        {"RGB(17,207,255)", 0xFFCF11}, {"RGB( 1 , 2 , 3 )", 197121},
        // The first four characters and the last one are not looked at; parts after the third neither.
        {"rgb(1,2,3)", 197121}, {"XXXX1,2,3)", 197121}, {"RGB(1,2,3,4)", 197121},
        // Parts above 255 count as 255, negative ones as 0; fractions round, a half to the even one.
        {"RGB(300,0,0)", 255}, {"RGB(0,0,32767)", 0xFF0000}, {"RGB(-5,1,0)", 256},
        {"RGB(2.5,3.5,0.4)", 2 + 256 * 4}, {"RGB(1.6,0,0)", 2},
        // The 16-bit limits apply before the clamp to 255; 32767.5 rounds to 32768, outside them.
        {"RGB(0,0,32768)", 0}, {"RGB(0,0,32767.5)", 0}, {"RGB(-32768,7,0)", 7 * 256}, {"RGB(-32769,7,0)", 0},
        // Whatever cannot be read is black.
        {"RGB(1,2)", 0}, {"16777215 ", 0}, {"", 0}, {"RGB()", 0}, {"RGB(a,2,3)", 0}, {"RGB(1,,3)", 0}
    };
    // clang-format on
    for (const auto& [text, number] : cases) {
        EXPECT_EQ(getCol(QString::fromLatin1(text)), number) << text;
    }
}

TEST(ColourValues, WritesColourNumbersAndTheirParts) {
    EXPECT_EQ(getRGBString(-7), u"RGB(-1,-1,-1)"_s);  // a system colour has no parts
    // Every value in the normal form comes back unchanged through its colour number.
    for (const QString& value :
         {u"RGB(0,0,0)"_s, u"RGB(255,255,255)"_s, u"RGB(1,9,100)"_s, u"RGB(254,207,17)"_s}) {
        EXPECT_EQ(getRGBString(getCol(value)), value);
    }
}

TEST(FontValues, PresetTheFontDialog) {
    // clang-format off
    const struct { const char* value; const char* family; double size; bool bold; } presets[] = {
        {"Times New Roman;10.5pt;Normal", "Times New Roman", 10, false},
        {"Arial;14pt;Bold", "Arial", 14, true}, {"Arial;14pt;BOLD", "Arial", 14, true},
        {"Arial;14pt;bolder", "Arial", 14, false}, {"Arial;11.5pt;bold", "Arial", 12, true},
        {"Arial;12.7pt;bold", "Arial", 13, true},
        // Malformed values: the first part, size 10, not bold.
        {"Arial,14pt,bold", "Arial,14pt,bold", 10, false}, {"Arial;14pt", "Arial", 10, false},
        {"Arial;big;bold", "Arial", 10, false}, {"Arial;pt;bold", "Arial", 10, false},
        {"Arial;40000pt;bold", "Arial", 10, false}, {"Arial;;bold", "Arial", 10, false},
        {"", "", 10, false}
    };
    // clang-format on
    for (const auto& p : presets) {
        const FontChoice font = fontPreset(QString::fromLatin1(p.value));
        EXPECT_TRUE(font.family == QString::fromLatin1(p.family) && font.size == p.size &&
                    font.bold == p.bold)
            << p.value;
    }
}

TEST(AssetCopy, TheMenuFolderTakesTheLatestCopyAStyleFolderKeepsItsFirst) {
    TempFolder disc;
    TempFolder program;
    const QChar sep = nativeSeparator();
    const QString first = test::native(program.write(u"a/shot.jpg"_s, "first"));
    const QString second = test::native(program.write(u"b/shot.jpg"_s, "second"));
    const QString menuCopy = disc.path() + u"/Menu/shot.jpg"_s;
    // The menu folder is created, in exactly that letter case; a second source of the same name
    // replaces the copy.
    EXPECT_EQ(copyToMenu(first, rootOf(disc)), u"Menu"_s + sep + u"shot.jpg"_s);
    copyToMenu(second, rootOf(disc));
    EXPECT_EQ(entries(disc.path()), QStringList{u"Menu"_s});
    EXPECT_EQ(entries(disc.path() + u"/Menu"_s), QStringList{u"shot.jpg"_s});
    EXPECT_EQ(test::readFile(menuCopy), QByteArray("second"));
    // A missing source fails naming both paths; source and target the same file, no CD root chosen
    // or a file named Menu in the root fail too, and nothing is written.
    const QString missing = test::native(program.path() + u"/missing.jpg"_s);
    try {
        copyToMenu(missing, rootOf(disc));
        ADD_FAILURE() << "a missing source must fail";
    } catch (const CopyError& e) {
        EXPECT_TRUE(e.source() == missing && e.message().contains(missing) &&
                    e.message().contains(e.target()) && e.target().endsWith(u"missing.jpg"_s));
    }
    EXPECT_THROW(copyToMenu(test::native(menuCopy), rootOf(disc)), CopyError);
    EXPECT_THROW(copyToMenu(first, QString()), CopyError);
    TempFolder other;
    other.write(u"Menu"_s, "not a folder");
    EXPECT_THROW(copyToMenu(first, rootOf(other)), CopyError);
    EXPECT_EQ(test::readFile(menuCopy), QByteArray("second"));
    EXPECT_EQ(test::readFile(other.path() + u"/Menu"_s), QByteArray("not a folder"));

    // A style folder keeps its copy: another picture of the same name, or the copy itself, gives
    // the path of the first copy back. A missing source fails.
    const QString copy = copyToStyleFolder(first, program.path(), u"Blue"_s);
    EXPECT_EQ(copy, test::native(program.path()) + sep + u"Styles"_s + sep + u"Blue"_s + sep + u"shot.jpg"_s);
    EXPECT_EQ(copyToStyleFolder(second, program.path(), u"Blue"_s), copy);
    EXPECT_EQ(copyToStyleFolder(copy, program.path() + u'/', u"Blue"_s), copy);
    EXPECT_EQ(test::readFile(copy), QByteArray("first"));
    EXPECT_THROW(copyToStyleFolder(missing, program.path(), u"Green"_s), CopyError);
}

TEST(WriteFaults, LinkedFoldersAreRefusedAndLinksAtFileNamesReplaced) {
    TempFolder disc;
    TempFolder program;
    TempFolder elsewhere;
    const QString shot = program.write(u"pics/shot.jpg"_s, "picture");
    const QString menu = disc.path() + u"/Menu"_s;
    const QString styles = program.path() + u"/Styles"_s;
    // A Menu folder, a Styles folder or a style folder that is a link: nothing goes through it.
    ASSERT_TRUE(QFile::link(elsewhere.path(), menu));
    EXPECT_THROW(writeStyleSheet(rootOf(disc), StyleSheetValues{}), LinkedFolderError);
    ASSERT_TRUE(QFile::link(elsewhere.path(), styles));
    EXPECT_THROW(copyToStyleFolder(shot, program.path(), u"Blue"_s), LinkedFolderError);
    QFile::remove(styles);
    ASSERT_TRUE(QDir().mkpath(styles));
    ASSERT_TRUE(QFile::link(elsewhere.path(), styles + u"/Blue"_s));
    EXPECT_THROW(copyToStyleFolder(shot, program.path(), u"Blue"_s), LinkedFolderError);
    EXPECT_TRUE(entries(elsewhere.path()).isEmpty());

    // Links at a copy's own name are replaced by the copy; what they pointed at stays as it was.
    QFile::remove(menu);
    QFile::remove(styles + u"/Blue"_s);
    const QString precious = elsewhere.write(u"precious.jpg"_s, "precious");
    const QString menuCopy = disc.file(u"Menu/shot.jpg"_s);
    const QString styleCopy = program.file(u"Styles/Blue/shot.jpg"_s);
    ASSERT_TRUE(QFile::link(precious, menuCopy) && QFile::link(precious, styleCopy));
    copyToMenu(shot, rootOf(disc));
    EXPECT_EQ(QDir::fromNativeSeparators(copyToStyleFolder(shot, program.path(), u"Blue"_s)), styleCopy);
    for (const QString& copy : {menuCopy, styleCopy}) {
        EXPECT_FALSE(QFileInfo(copy).isSymLink());
        EXPECT_EQ(test::readFile(copy), QByteArray("picture"));
    }
    EXPECT_EQ(test::readFile(precious), QByteArray("precious"));
}

TEST(WriteFaults, AFullDiskSaysSoAndKeepsThePreviousFiles) {
    TempFolder disc;
    TempFolder program;
    const QString shot = program.write(u"pics/shot.jpg"_s, QByteArray(5000, 'n'));
    const QString menu = disc.path() + u"/Menu"_s;
    disc.write(u"Menu/shot.jpg"_s, "old picture");
    setWriteFault(WriteFault{1000, ENOSPC, false});
    try {
        copyToMenu(shot, rootOf(disc));
        ADD_FAILURE() << "the copy must fail";
    } catch (const CopyError& e) {
        EXPECT_EQ(e.reason(), u"No space left on device"_s);
        EXPECT_TRUE(e.message().endsWith(u": No space left on device."_s)) << e.message().toStdString();
    }
    // A style folder copy that failed leaves no file under its name, so the next save copies again.
    EXPECT_THROW(copyToStyleFolder(shot, program.path(), u"Blue"_s), CopyError);
    setWriteFault(std::nullopt);
    EXPECT_EQ(entries(menu), QStringList{u"shot.jpg"_s});
    EXPECT_EQ(test::readFile(menu + u"/shot.jpg"_s), QByteArray("old picture"));
    EXPECT_TRUE(entries(program.path() + u"/Styles/Blue"_s).isEmpty());
    EXPECT_EQ(test::readFile(copyToStyleFolder(shot, program.path(), u"Blue"_s)), QByteArray(5000, 'n'));
}

TEST(WriteFaultsDeathTest, ACopyKilledHalfWayIsNeverTakenForAWholeOne) {
    // The child is forked with this process's state and writes into the same folders.
    GTEST_FLAG_SET(death_test_style, "fast");
    TempFolder program;
    const QString shot = program.write(u"pics/back.jpg"_s, QByteArray(4000, 'b'));
    EXPECT_EXIT(
        {
            setWriteFault(WriteFault{1500, 0, true});
            copyToStyleFolder(shot, program.path(), u"Blue"_s);
        },
        testing::KilledBySignal(SIGKILL), "");
    const QString styleFolder = program.path() + u"/Styles/Blue"_s;
    ASSERT_EQ(entries(styleFolder).size(), 1);
    EXPECT_TRUE(isSafeFileTemporary(entries(styleFolder)[0])) << entries(styleFolder)[0].toStdString();
    // Saving the style again copies the whole picture and clears the piece away.
    EXPECT_EQ(test::readFile(copyToStyleFolder(shot, program.path(), u"Blue"_s)), QByteArray(4000, 'b'));
    EXPECT_EQ(entries(styleFolder), QStringList{u"back.jpg"_s});
}
