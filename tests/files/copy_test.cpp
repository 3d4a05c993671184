#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "files/assetcopy.h"
#include "files/paths.h"
#include "support/testsupport.h"

using namespace torvel;

namespace {

const QChar kBack = QLatin1Char('\\');
const QChar kSlash = QLatin1Char('/');

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(content);
    return native(path);
}

}  // namespace

TEST(PathForms, FileNamesAndLinksOnBothSeparators) {
    EXPECT_EQ(fileNameOf(QStringLiteral("C:\\Pics\\shot1.jpg"), kBack), QStringLiteral("shot1.jpg"));
    EXPECT_EQ(fileNameOf(QStringLiteral("shot1.jpg"), kBack), QStringLiteral("shot1.jpg"));
    EXPECT_EQ(fileNameOf(QStringLiteral("C:\\Pics\\"), kBack), QString());
    EXPECT_EQ(fileNameOf(QStringLiteral("Setup/install.exe"), kBack), QStringLiteral("Setup/install.exe"));
    EXPECT_EQ(fileNameOf(QStringLiteral("/home/ann/shot1.jpg"), kSlash), QStringLiteral("shot1.jpg"));
    EXPECT_EQ(fileNameOf(QStringLiteral("/home/ann/"), kSlash), QString());

    const QString winRoot = QStringLiteral("D:\\Disc\\");
    EXPECT_EQ(
        getFileLink(QStringLiteral("D:\\Disc\\Setup\\install.exe"), winRoot, kBack, Qt::CaseInsensitive),
        QStringLiteral("Setup\\install.exe"));
    EXPECT_EQ(getFileLink(QStringLiteral("D:\\Disc\\readme.txt"), winRoot, kBack, Qt::CaseInsensitive),
              QStringLiteral("readme.txt"));
    EXPECT_EQ(getFileLink(QStringLiteral("d:\\disc\\readme.txt"), winRoot, kBack, Qt::CaseInsensitive),
              QStringLiteral("readme.txt"));
    EXPECT_EQ(getFileLink(QStringLiteral("Setup/install.exe"), winRoot, kBack, Qt::CaseInsensitive),
              QStringLiteral("Setup/install.exe"));
    EXPECT_FALSE(getFileLink(QStringLiteral("E:\\Other\\a.txt"), winRoot, kBack, Qt::CaseInsensitive));

    const QString unixRoot = QStringLiteral("/home/ann/Disc/");
    EXPECT_EQ(
        getFileLink(QStringLiteral("/home/ann/Disc/Setup/install.exe"), unixRoot, kSlash, Qt::CaseSensitive),
        QStringLiteral("Setup/install.exe"));
    EXPECT_EQ(getFileLink(QStringLiteral("readme.txt"), unixRoot, kSlash, Qt::CaseSensitive),
              QStringLiteral("readme.txt"));
    EXPECT_FALSE(
        getFileLink(QStringLiteral("/home/ann/disc/readme.txt"), unixRoot, kSlash, Qt::CaseSensitive));
    EXPECT_FALSE(getFileLink(QStringLiteral("/tmp/readme.txt"), unixRoot, kSlash, Qt::CaseSensitive));
}

TEST(PathForms, FolderAsShownAndCdRootOnBothSeparators) {
    EXPECT_EQ(folderAsShown(QStringLiteral("D:\\Disc"), kBack), QStringLiteral("D:\\Disc"));
    EXPECT_EQ(folderAsShown(QStringLiteral("D:\\Disc\\"), kBack), QStringLiteral("D:\\Disc"));
    EXPECT_EQ(folderAsShown(QStringLiteral("D:\\"), kBack), QStringLiteral("D:\\"));
    EXPECT_EQ(folderAsShown(QStringLiteral("D:"), kBack), QStringLiteral("D:\\"));
    EXPECT_EQ(withTrailingSeparator(folderAsShown(QStringLiteral("D:\\Disc\\\\"), kBack), kBack),
              QStringLiteral("D:\\Disc\\"));
    EXPECT_EQ(withTrailingSeparator(folderAsShown(QStringLiteral("D:\\"), kBack), kBack),
              QStringLiteral("D:\\"));

    EXPECT_EQ(folderAsShown(QStringLiteral("/home/ann/Disc/"), kSlash), QStringLiteral("/home/ann/Disc"));
    EXPECT_EQ(folderAsShown(QStringLiteral("/"), kSlash), QStringLiteral("/"));
    EXPECT_EQ(folderAsShown(QStringLiteral("//"), kSlash), QStringLiteral("/"));
    EXPECT_EQ(withTrailingSeparator(folderAsShown(QStringLiteral("/home/ann/Disc"), kSlash), kSlash),
              QStringLiteral("/home/ann/Disc/"));
    EXPECT_EQ(withTrailingSeparator(folderAsShown(QStringLiteral("/"), kSlash), kSlash), QStringLiteral("/"));

    EXPECT_EQ(driveLetterOf(QStringLiteral("D:\\Disc\\")), QStringLiteral("D:"));
    EXPECT_EQ(driveLetterOf(QStringLiteral("/home/ann")), QString());
}

TEST(AssetCopy, CopiesIntoTheMenuFolder) {
    QTemporaryDir disc;
    QTemporaryDir pics;
    const QChar sep = nativeSeparator();
    const QString cdRoot = withTrailingSeparator(native(disc.path()));
    const QString first = writeFile(pics.filePath(QStringLiteral("a/shot.jpg")), "first");
    const QString second = writeFile(pics.filePath(QStringLiteral("b/shot.jpg")), "second");
    const QString menuCopy = disc.filePath(QStringLiteral("Menu/shot.jpg"));

    // The menu folder is created, in exactly that letter case.
    EXPECT_EQ(copyToMenu(first, cdRoot), QStringLiteral("Menu") + sep + QStringLiteral("shot.jpg"));
    EXPECT_TRUE(
        QDir(disc.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).contains(QStringLiteral("Menu")));
    EXPECT_EQ(test::readFile(menuCopy), QByteArray("first"));
    // Same source again: the copy is replaced, the same text comes back.
    writeFile(first, "first, changed");
    EXPECT_EQ(copyToMenu(first, cdRoot), QStringLiteral("Menu") + sep + QStringLiteral("shot.jpg"));
    EXPECT_EQ(test::readFile(menuCopy), QByteArray("first, changed"));
    // A second source of the same name: the menu folder holds the later one only.
    copyToMenu(second, cdRoot);
    EXPECT_EQ(test::readFile(menuCopy), QByteArray("second"));
    EXPECT_EQ(QDir(disc.filePath(QStringLiteral("Menu"))).entryList(QDir::Files).size(), 1);

    // A missing source fails naming both paths and leaves the copy alone.
    const QString missing = native(pics.filePath(QStringLiteral("missing.jpg")));
    try {
        copyToMenu(missing, cdRoot);
        ADD_FAILURE() << "a missing source must fail";
    } catch (const CopyError& e) {
        EXPECT_EQ(e.source(), missing);
        EXPECT_TRUE(e.message().contains(missing));
        EXPECT_TRUE(e.message().contains(e.target()));
        EXPECT_TRUE(e.target().endsWith(QStringLiteral("missing.jpg")));
    }
    // Source and target the same file: fails, the file stays.
    EXPECT_THROW(copyToMenu(native(menuCopy), cdRoot), CopyError);
    EXPECT_EQ(test::readFile(menuCopy), QByteArray("second"));
    // No CD root chosen: nothing is created beside the process.
    EXPECT_THROW(copyToMenu(first, QString()), CopyError);
}

TEST(AssetCopy, AFileNamedMenuInTheRootStopsTheCopy) {
    QTemporaryDir disc;
    QTemporaryDir pics;
    writeFile(disc.filePath(QStringLiteral("Menu")), "not a folder");
    const QString shot = writeFile(pics.filePath(QStringLiteral("shot.jpg")), "x");
    EXPECT_THROW(copyToMenu(shot, withTrailingSeparator(native(disc.path()))), CopyError);
    EXPECT_TRUE(QFileInfo(disc.filePath(QStringLiteral("Menu"))).isFile());
    EXPECT_EQ(test::readFile(disc.filePath(QStringLiteral("Menu"))), QByteArray("not a folder"));
}

TEST(AssetCopy, StyleFolderKeepsItsExistingCopy) {
    QTemporaryDir program;
    QTemporaryDir pics;
    const QChar sep = nativeSeparator();
    const QString back = writeFile(pics.filePath(QStringLiteral("one/back.jpg")), "old");
    const QString other = writeFile(pics.filePath(QStringLiteral("two/back.jpg")), "new");

    const QString copy = copyToStyleFolder(back, program.path(), QStringLiteral("Blue"));
    EXPECT_EQ(copy, native(program.path()) + sep + QStringLiteral("Styles") + sep + QStringLiteral("Blue") +
                        sep + QStringLiteral("back.jpg"));
    EXPECT_EQ(test::readFile(copy), QByteArray("old"));
    // Another picture of the same name does not replace the copy.
    EXPECT_EQ(copyToStyleFolder(other, program.path(), QStringLiteral("Blue")), copy);
    EXPECT_EQ(test::readFile(copy), QByteArray("old"));
    // Saving again from the copy itself gives the same path back.
    EXPECT_EQ(copyToStyleFolder(copy, program.path(), QStringLiteral("Blue")), copy);
    // Another style gets its own folder.
    const QString red = copyToStyleFolder(other, program.path() + QLatin1Char('/'), QStringLiteral("Red"));
    EXPECT_EQ(test::readFile(red), QByteArray("new"));
    EXPECT_TRUE(red.contains(sep + QStringLiteral("Styles") + sep + QStringLiteral("Red") + sep));
    // A missing source fails; the folders made on the way stay.
    EXPECT_THROW(copyToStyleFolder(native(pics.filePath(QStringLiteral("gone.jpg"))), program.path(),
                                   QStringLiteral("Green")),
                 CopyError);
    EXPECT_TRUE(QFileInfo(program.filePath(QStringLiteral("Styles/Green"))).isDir());
}
