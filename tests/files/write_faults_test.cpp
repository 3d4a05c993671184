// Faults while the program writes files: links planted in the CD root or the program folder, a
// disk that fills up, a process killed half way. Each keeps what was there before.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "files/assetcopy.h"
#include "files/paths.h"
#include "files/safefile.h"
#include "styles/stylesheet.h"
#include "support/testsupport.h"

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#endif

using namespace torvel;
using test::TempFolder;

namespace {

QString rootOf(const TempFolder& disc) {
    return withTrailingSeparator(test::native(disc.path()));
}

QStringList leftovers(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral(".torvel-*")}, QDir::Files | QDir::Hidden | QDir::System);
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

}  // namespace

TEST(WriteFaults, LinkedFoldersAreRefusedAndLinksAtFileNamesReplaced) {
    TempFolder disc;
    TempFolder program;
    TempFolder elsewhere;
    const QString shot = program.write(QStringLiteral("pics/shot.jpg"), "picture");
    const QString outsideMenu = elsewhere.file(QStringLiteral("menu/.keep"));
    QFile::remove(outsideMenu);
    const QString menu = disc.path() + QStringLiteral("/Menu");

    // A Menu folder that is a link: neither the copy nor the style sheet goes through it.
    ASSERT_TRUE(QFile::link(elsewhere.path() + QStringLiteral("/menu"), menu));
    try {
        copyToMenu(shot, rootOf(disc));
        ADD_FAILURE() << "a linked menu folder must be refused";
    } catch (const LinkedFolderError& e) {
        EXPECT_EQ(e.message(), test::native(menu) +
                                   QStringLiteral(" is a link to another place. Torvel writes only into real "
                                                  "folders: remove the link or choose another folder."));
    }
    EXPECT_THROW(writeStyleSheet(rootOf(disc), StyleSheetValues{}), LinkedFolderError);
    EXPECT_TRUE(entries(elsewhere.path() + QStringLiteral("/menu")).isEmpty());

    // A Styles folder, or a style folder, that is a link.
    ASSERT_TRUE(QFile::link(elsewhere.path(), program.path() + QStringLiteral("/Styles")));
    EXPECT_THROW(copyToStyleFolder(shot, program.path(), QStringLiteral("Blue")), LinkedFolderError);
    QFile::remove(program.path() + QStringLiteral("/Styles"));
    ASSERT_TRUE(QDir().mkpath(program.path() + QStringLiteral("/Styles")));
    ASSERT_TRUE(QFile::link(elsewhere.path(), program.path() + QStringLiteral("/Styles/Blue")));
    EXPECT_THROW(copyToStyleFolder(shot, program.path(), QStringLiteral("Blue")), LinkedFolderError);
    EXPECT_EQ(entries(elsewhere.path()), QStringList{QStringLiteral("menu")});

    // Links at a copy's own name are replaced by the copy; what they pointed at stays as it was.
    QFile::remove(menu);
    QFile::remove(program.path() + QStringLiteral("/Styles/Blue"));
    const QString precious = elsewhere.write(QStringLiteral("precious.jpg"), "precious");
    ASSERT_TRUE(QDir().mkpath(menu));
    ASSERT_TRUE(QFile::link(precious, menu + QStringLiteral("/shot.jpg")));
    ASSERT_TRUE(QDir().mkpath(program.path() + QStringLiteral("/Styles/Blue")));
    const QString styleCopy = program.path() + QStringLiteral("/Styles/Blue/shot.jpg");
    ASSERT_TRUE(QFile::link(precious, styleCopy));
    copyToMenu(shot, rootOf(disc));
    EXPECT_EQ(QDir::fromNativeSeparators(copyToStyleFolder(shot, program.path(), QStringLiteral("Blue"))),
              styleCopy);
    for (const QString& copy : {menu + QStringLiteral("/shot.jpg"), styleCopy}) {
        EXPECT_FALSE(QFileInfo(copy).isSymLink());
        EXPECT_EQ(test::readFile(copy), QByteArray("picture"));
    }
    EXPECT_EQ(test::readFile(precious), QByteArray("precious"));
}

TEST(WriteFaults, AFullDiskSaysSoAndKeepsThePreviousFiles) {
    TempFolder disc;
    TempFolder program;
    const QString shot = program.write(QStringLiteral("pics/shot.jpg"), QByteArray(5000, 'n'));
    const QString menu = disc.path() + QStringLiteral("/Menu");
    const QString oldShot = disc.write(QStringLiteral("Menu/shot.jpg"), "old picture");
    writeStyleSheet(rootOf(disc), StyleSheetValues{});
    const QByteArray sheet = test::readFile(menu + QStringLiteral("/Styles.css"));

    setWriteFault(WriteFault{1000, ENOSPC, false});
    try {
        copyToMenu(shot, rootOf(disc));
        ADD_FAILURE() << "the copy must fail";
    } catch (const CopyError& e) {
        EXPECT_EQ(e.reason(), QStringLiteral("No space left on device"));
        EXPECT_TRUE(e.message().endsWith(QStringLiteral(": No space left on device.")))
            << e.message().toStdString();
    }
    StyleSheetValues changed;
    changed.top = QStringLiteral("20");
    EXPECT_THROW(writeStyleSheet(rootOf(disc), changed), WriteError);
    // A style folder copy that failed leaves no file under its name, so the next save copies again.
    EXPECT_THROW(copyToStyleFolder(shot, program.path(), QStringLiteral("Blue")), CopyError);
    setWriteFault(std::nullopt);

    EXPECT_EQ(test::readFile(oldShot), QByteArray("old picture"));
    EXPECT_EQ(test::readFile(menu + QStringLiteral("/Styles.css")), sheet);
    EXPECT_TRUE(leftovers(menu).isEmpty());
    const QString styleFolder = program.path() + QStringLiteral("/Styles/Blue");
    EXPECT_TRUE(entries(styleFolder).isEmpty());
    EXPECT_EQ(test::readFile(copyToStyleFolder(shot, program.path(), QStringLiteral("Blue"))),
              QByteArray(5000, 'n'));
}

TEST(WriteFaultsDeathTest, ACopyKilledHalfWayIsNeverTakenForAWholeOne) {
    // The child is forked with this process's state and writes into the same folders.
    GTEST_FLAG_SET(death_test_style, "fast");
    TempFolder program;
    const QString shot = program.write(QStringLiteral("pics/back.jpg"), QByteArray(4000, 'b'));
    EXPECT_EXIT(
        {
            setWriteFault(WriteFault{1500, 0, true});
            copyToStyleFolder(shot, program.path(), QStringLiteral("Blue"));
        },
        testing::KilledBySignal(SIGKILL), "");
    const QString styleFolder = program.path() + QStringLiteral("/Styles/Blue");
    const QStringList left = entries(styleFolder);
    ASSERT_EQ(left.size(), 1);
    EXPECT_TRUE(isSafeFileTemporary(left[0])) << left[0].toStdString();

    // Saving the style again copies the whole picture and clears the piece away.
    EXPECT_EQ(test::readFile(copyToStyleFolder(shot, program.path(), QStringLiteral("Blue"))),
              QByteArray(4000, 'b'));
    EXPECT_EQ(entries(styleFolder), QStringList{QStringLiteral("back.jpg")});
}

// A real file system that fills up: a small tmpfs, where this machine lets the tests mount one.
TEST(WriteFaults, ARealFullDiskIsReportedByItsName) {
#ifndef Q_OS_LINUX
    GTEST_SKIP() << "a small file system is mounted on Linux only";
#else
    TempFolder mountPoint;
    if (::mount("tmpfs", QFile::encodeName(mountPoint.path()).constData(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "a tmpfs cannot be mounted here: " << std::strerror(errno);
    }
    struct Unmount {
        QString path;
        ~Unmount() { ::umount(QFile::encodeName(path).constData()); }
    } unmount{mountPoint.path()};
    const QString root = withTrailingSeparator(mountPoint.path());
    TempFolder program;
    const QString big = program.write(QStringLiteral("pics/big.jpg"), QByteArray(40 * 1024, 'x'));
    copyToMenu(big, root);
    try {
        copyToMenu(program.write(QStringLiteral("other/big.jpg"), QByteArray(40 * 1024, 'y')), root);
        ADD_FAILURE() << "the second copy cannot fit";
    } catch (const CopyError& e) {
        EXPECT_EQ(e.reason(), QStringLiteral("No space left on device"));
    }
    EXPECT_EQ(test::readFile(root + QStringLiteral("Menu/big.jpg")), QByteArray(40 * 1024, 'x'));
    EXPECT_TRUE(leftovers(root + QStringLiteral("Menu")).isEmpty());
#endif
}
