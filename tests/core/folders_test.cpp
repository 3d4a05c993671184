// Where the program keeps its data: a given folder, a portable folder holding Torvel.dat, or the
// user's data folder of an installed program, seeded once from the installed one.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QFile>
#include <QScopeGuard>

#include "data/clsdata.h"
#include "data/statements.h"
#include "files/programfolders.h"
#include "files/safefile.h"
#include "support/testsupport.h"
#include "wizard/compose.h"

using namespace torvel;
using namespace Qt::StringLiterals;

namespace {

// An installed program: PREFIX/bin for the executables, PREFIX/share/torvel for the seed database,
// a style file and the files Finish copies; a user's data folder below a scratch data home.
struct Installation {
    test::TempFolder root;
    test::ProgramDir seed;
    QString bin = root.file(u"usr/bin/torvel"_s).chopped(7);
    QString share = root.file(u"usr/share/torvel/AUTORUN.INF"_s).chopped(12);
    QString user = root.file(u"home/.local/share/Torvel"_s);

    Installation() {
        QFile::copy(seed.database(), QDir(share).filePath(u"Torvel.dat"_s));
        root.write(u"usr/share/torvel/Styles/Sun/logo.gif"_s, "GIF89a sun");
    }
    QString userFile(const QString& name) const { return QDir(user).filePath(name); }
};

}  // namespace

TEST(ProgramFolders, APortableFolderWinsWhateverItsDatabaseAndNothingSwitches) {
    Installation in;
    // The executable's folder holding Torvel.dat is the program folder, even beside an installed
    // data folder; a damaged file or a dangling link there is reported, never replaced.
    for (const bool link : {false, true}) {
        const QString database = QDir(in.bin).filePath(u"Torvel.dat"_s);
        QFile::remove(database);
        ASSERT_TRUE(link ? QFile::link(in.root.file(u"gone.dat"_s), database)
                         : !in.root.write(u"usr/bin/Torvel.dat"_s, QByteArray(4096, 'x')).isEmpty());
        const ProgramFolders folders = locateProgramFolders(in.bin, in.user);
        EXPECT_EQ(folders.kind, ProgramFolders::Kind::Portable);
        EXPECT_EQ(QStringList({folders.data, folders.files}), QStringList({in.bin, in.bin}));
        EXPECT_FALSE(seedUserData(folders));
        EXPECT_FALSE(QFileInfo::exists(in.user)) << "nothing switches to the user's data folder";
        ScriptedPrompts prompts;
        buildWizard(prompts, folders)->click(ctl::cmdEdit);
        const QJsonObject failure = test::events(prompts.transcript(), u"message"_s).value(0);
        EXPECT_EQ(failure[u"icon"_s].toString(), u"critical"_s) << link;
        EXPECT_TRUE(failure[u"text"_s].toString().contains(test::native(database))) << link;
    }
    // A read-only folder (a read-only file system: root may write anything else) stays the
    // program folder too; its database refuses saves as any read-only one does.
    const QByteArray where = QFile::encodeName(in.bin);
    if (::geteuid() == 0 && ::mount("tmpfs", where.constData(), "tmpfs", 0, "size=1m") == 0) {
        const auto unmount = qScopeGuard([&] { ::umount(where.constData()); });
        QFile::copy(in.seed.database(), QDir(in.bin).filePath(u"Torvel.dat"_s));
        ASSERT_EQ(::mount("tmpfs", where.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
        EXPECT_EQ(locateProgramFolders(in.bin, in.user).kind, ProgramFolders::Kind::Portable);
        EXPECT_FALSE(QFileInfo::exists(in.user));
    }
    // A folder without Torvel.dat and without an installed data folder stays the program folder.
    test::TempFolder bare;
    EXPECT_EQ(locateProgramFolders(bare.path(), in.user).data, bare.path());
}

TEST(ProgramFolders, AnInstalledProgramSeedsTheUserFolderOnceAndNeverOverwrites) {
    Installation in;
    const ProgramFolders folders = locateProgramFolders(in.bin, in.user);
    EXPECT_EQ(folders.kind, ProgramFolders::Kind::Installed);
    EXPECT_EQ(QStringList({folders.data, folders.files}), QStringList({in.user, in.share}));
    ASSERT_TRUE(seedUserData(folders));
    EXPECT_EQ(test::readFile(in.userFile(u"Torvel.dat"_s)), test::readFile(in.seed.database()));
    EXPECT_EQ(test::readFile(in.userFile(u"Styles/Sun/logo.gif"_s)), "GIF89a sun");

    // The user's menus and style files survive later starts and a newer seed.
    clsData(in.userFile(u"Torvel.dat"_s))
        .executeInsert(sql::insertMenu, {u"Standard"_s, u"Mine"_s, 1, u"/cd/"_s});
    const QByteArray mine = test::readFile(in.userFile(u"Torvel.dat"_s));
    in.root.write(u"usr/share/torvel/Torvel.dat"_s, "newer seed");
    EXPECT_FALSE(seedUserData(folders));
    EXPECT_EQ(test::readFile(in.userFile(u"Torvel.dat"_s)), mine);
    in.root.write(u"home/.local/share/Torvel/Styles/Sun/logo.gif"_s, "GIF89a mine");
    QFile::remove(in.userFile(u"Torvel.dat"_s));
    ASSERT_TRUE(seedUserData(folders));
    EXPECT_EQ(test::readFile(in.userFile(u"Torvel.dat"_s)), "newer seed");
    EXPECT_EQ(test::readFile(in.userFile(u"Styles/Sun/logo.gif"_s)), "GIF89a mine");

    // A user folder that cannot be made is named in the failure.
    const QString home = in.root.write(u"blocked"_s, "a file, not a folder");
    try {
        seedUserData(locateProgramFolders(in.bin, QDir(home).filePath(u"Torvel"_s)));
        FAIL() << "seeding below a file must fail";
    } catch (const WriteError& e) {
        EXPECT_TRUE(e.message().contains(test::native(home))) << e.message().toStdString();
    }
}
