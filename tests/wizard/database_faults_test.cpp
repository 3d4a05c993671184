// The menu database failing under the wizard: a Torvel.dat that cannot be written, one that another
// program holds locked, and a CD root that disappears between pages. Each is told, the window stays
// usable and what was stored stays.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <cerrno>
#include <cstring>
#include <memory>

#include "data/statements.h"
#include "files/paths.h"
#include "support/testsupport.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#include <unistd.h>
#endif

using namespace torvel;

namespace {

// Walks a new menu to "Styles / fonts" with a style of its own.
void walkToFonts(Wizard& wizard, const QString& root, const QString& title) {
    wizard.click(ctl::cmdNew);
    wizard.form().setText(ctl::txtTitle, title);
    wizard.openFolder(root);
    wizard.click(ctl::cmdNext);
    wizard.form().setText(ctl::txtStyleName, QStringLiteral("Ocean"));
    wizard.click(ctl::cmdNext);
}

QJsonObject lastEvent(const ScriptedPrompts& prompts) {
    return prompts.transcript().isEmpty() ? QJsonObject() : test::event(prompts.transcript().last());
}

int rows(clsData& data, const char* table) {
    return data.GetRS(QStringLiteral("SELECT * FROM %1").arg(QString::fromUtf8(table)))->recordCount();
}

}  // namespace

TEST(DatabaseFaults, AReadOnlyDatabaseRefusesTheSaveAndKeepsWhatIsStored) {
    test::TempFolder disc;
    test::TempFolder mountPoint;
    test::ProgramDir source;
    clsData(source.database())
        .executeInsert(QString::fromUtf8(sql::insertMenu),
                       {QStringLiteral("Standard"), QStringLiteral("Stored"), 1, disc.path()});
    // Root may write any file: a read-only file system stands in for a write-protected file.
#ifdef Q_OS_LINUX
    const QByteArray where = QFile::encodeName(mountPoint.path());
    if (::geteuid() == 0 && ::mount("tmpfs", where.constData(), "tmpfs", 0, "size=1m") != 0) {
        GTEST_SKIP() << "a read-only file system cannot be mounted here: " << std::strerror(errno);
    }
    struct Unmount {
        QByteArray path;
        bool mounted;
        ~Unmount() {
            if (mounted) {
                ::umount(path.constData());
            }
        }
    } unmount{where, ::geteuid() == 0};
    const QString database = databaseFileIn(mountPoint.path());
    ASSERT_TRUE(QFile::copy(source.database(), database));
    if (::geteuid() == 0) {
        ASSERT_EQ(::mount("tmpfs", where.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0)
            << std::strerror(errno);
    } else {
        ASSERT_TRUE(QFile::setPermissions(database, QFile::ReadOwner));
    }
#else
    GTEST_SKIP() << "the file system is made read-only on Linux only";
    const QString database;
#endif
    const QByteArray before = test::readFile(database);

    ScriptedPrompts prompts;
    auto wizard = buildWizard(prompts, mountPoint.path());
    walkToFonts(*wizard, disc.path(), QStringLiteral("New Disc"));
    ASSERT_EQ(wizard->state().curStep, 3) << prompts.transcript().join(QLatin1Char('\n')).toStdString();
    wizard->click(ctl::cmdNext);
    EXPECT_EQ(wizard->state().curStep, 3);
    const QJsonObject failure = lastEvent(prompts);
    EXPECT_EQ(failure.value(QStringLiteral("icon")).toString(), QStringLiteral("critical"));
    const QString text = failure.value(QStringLiteral("text")).toString();
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(database))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("readonly"))) << text.toStdString();
    EXPECT_EQ(wizard->form().text(ctl::txtStyleName), QStringLiteral("Ocean"));

    // Still usable: the stored menu is listed and loads.
    wizard->click(ctl::cmdBack);
    wizard->click(ctl::cmdBack);
    wizard->click(ctl::cmdBack);
    wizard->click(ctl::cmdEdit);
    EXPECT_EQ(wizard->form().items(ctl::cmbMenuL), QStringList{QStringLiteral("1: Stored")});
    wizard.reset();
    EXPECT_EQ(test::readFile(database), before);
}

TEST(DatabaseFaults, ALockedDatabaseIsNamedAndWorksOnceReleased) {
    test::WizardFixture f;
    test::TempFolder disc;
    f.wizard->myData().executeInsert(QString::fromUtf8(sql::insertMenu),
                                     {QStringLiteral("Standard"), QStringLiteral("Stored"), 1, disc.path()});
    {
        // Another program holds the database with a write lock of its own.
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(f.program.database());
        other.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        ASSERT_TRUE(other.open());
        QSqlQuery lock(other);
        ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));

        // Create Menu reads the style list: after the wait for the lock, it is refused.
        f.wizard->click(ctl::cmdNew);
        const QString text = lastEvent(f.prompts).value(QStringLiteral("text")).toString();
        EXPECT_TRUE(text.contains(QStringLiteral("Torvel.dat"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("locked"))) << text.toStdString();
        EXPECT_EQ(f.wizard->state().curStep, 0);

        lock.exec(QStringLiteral("ROLLBACK"));
        lock.finish();
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));

    f.prompts.clearTranscript();
    walkToFonts(*f.wizard, disc.path(), QStringLiteral("New Disc"));
    f.wizard->click(ctl::cmdNext);
    EXPECT_EQ(f.wizard->state().curStep, 4) << f.prompts.transcript().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(rows(f.wizard->myData(), "tblMenus"), 2);
}

TEST(DatabaseFaults, ACdRootRemovedBetweenPagesIsNamedAndNothingElseIsWritten) {
    test::WizardFixture f;
    auto disc = std::make_unique<test::TempFolder>();
    const QString root = disc->path();
    walkToFonts(*f.wizard, root, QStringLiteral("New Disc"));
    ASSERT_EQ(f.wizard->state().curStep, 3);
    disc.reset();

    f.wizard->click(ctl::cmdNext);
    EXPECT_EQ(f.wizard->state().curStep, 3);
    const QString text = lastEvent(f.prompts).value(QStringLiteral("text")).toString();
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(root + QStringLiteral("/Menu"))))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("No such file or directory"))) << text.toStdString();
    EXPECT_FALSE(QFile::exists(root));
    EXPECT_EQ(rows(f.wizard->myData(), "tblMenus"), 0);

    // The author picks a new root and goes on.
    test::TempFolder again;
    f.wizard->click(ctl::cmdBack);
    f.wizard->click(ctl::cmdBack);
    f.wizard->openFolder(again.path());
    f.wizard->click(ctl::cmdNext);
    f.wizard->click(ctl::cmdNext);
    f.wizard->click(ctl::cmdNext);
    EXPECT_EQ(f.wizard->state().curStep, 4) << f.prompts.transcript().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(QFile::exists(again.path() + QStringLiteral("/Menu/Styles.css")));
}
