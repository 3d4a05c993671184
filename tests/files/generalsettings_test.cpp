#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "data/dataerror.h"
#include "files/paths.h"
#include "support/testsupport.h"
#include "wizard/controlnames.h"
#include "wizard/generalsettings.h"

using namespace torvel;

namespace {

using test::event;
using test::native;

QString rootShown(const Wizard& w) {
    return w.form().caption(ctl::lblRoot);
}

}  // namespace

TEST(GeneralSettings, OpeningAFolderSetsTheRootAsShownAndTheCdRoot) {
    test::WizardFixture f;
    Wizard& w = *f.wizard;
    QTemporaryDir tmp;
    const QChar sep = nativeSeparator();
    const QString disc = native(tmp.filePath(QStringLiteral("Disc")));
    ASSERT_TRUE(QDir().mkpath(disc));

    EXPECT_EQ(rootShown(w), QStringLiteral(" "));
    EXPECT_TRUE(w.state().cdRoot.isEmpty());

    for (const QString& opened : {disc, disc + sep, tmp.filePath(QStringLiteral("Disc/"))}) {
        w.openFolder(opened);
        EXPECT_EQ(rootShown(w), disc) << opened.toStdString();
        EXPECT_EQ(w.state().cdRoot, disc + sep) << opened.toStdString();
        EXPECT_EQ(w.form().text(ctl::Dir1), disc);
    }

    // The root of the file system (or of the drive) keeps its one separator in both forms.
    w.openFolder(QDir::rootPath());
#ifdef Q_OS_WIN
    const QString top = driveLetterOf(native(QDir::rootPath())) + sep;
#else
    const QString top = QStringLiteral("/");
#endif
    EXPECT_EQ(rootShown(w), top);
    EXPECT_EQ(w.state().cdRoot, top);
    EXPECT_TRUE(f.prompts.transcript().isEmpty());

    // A folder that is missing or is a file: a message naming it, the root stays.
    w.openFolder(disc);
    const QString missing = native(tmp.filePath(QStringLiteral("Gone")));
    const QString file = native(tmp.filePath(QStringLiteral("plain.txt")));
    QFile(file).open(QIODevice::WriteOnly);
    for (const QString& bad : {missing, file}) {
        f.prompts.clearTranscript();
        w.openFolder(bad);
        ASSERT_EQ(f.prompts.transcript().size(), 1) << bad.toStdString();
        EXPECT_TRUE(event(f.prompts.transcript().first())[QStringLiteral("text")].toString().contains(bad));
        EXPECT_EQ(rootShown(w), disc);
        EXPECT_EQ(w.state().cdRoot, disc + sep);
        EXPECT_EQ(w.form().text(ctl::Dir1), disc);
    }
}

TEST(GeneralSettings, PickingADriveOpensItsCurrentFolder) {
    test::WizardFixture f;
    Wizard& w = *f.wizard;
    QTemporaryDir tmp;
    const QString disc = native(tmp.filePath(QStringLiteral("Disc")));
    ASSERT_TRUE(QDir().mkpath(disc));
    const QString drive = driveOf(disc);
    ASSERT_FALSE(drive.isEmpty());
    EXPECT_TRUE(w.form().items(ctl::Drive1).contains(drive));
    EXPECT_EQ(rootShown(w), QStringLiteral(" "));  // filling the drive list chose no root

    // Before any folder was opened on it, the drive's current folder is its root.
    w.pickDrive(drive);
    EXPECT_EQ(rootShown(w), folderAsShown(drive + nativeSeparator()));
    EXPECT_EQ(w.state().cdRoot, withTrailingSeparator(folderAsShown(drive)));
    EXPECT_EQ(w.form().text(ctl::Drive1), drive);

    // Afterwards it returns to the folder last opened there.
    w.openFolder(disc);
    w.pickDrive(drive);
    EXPECT_EQ(rootShown(w), disc);
    // ... unless that folder is gone.
    ASSERT_TRUE(QDir(disc).removeRecursively());
    w.pickDrive(drive);
    EXPECT_EQ(rootShown(w), folderAsShown(drive + nativeSeparator()));
    EXPECT_TRUE(f.prompts.transcript().isEmpty());

    // A drive that cannot be read: a message naming it, the root stays.
    const QString before = w.state().cdRoot;
    w.pickDrive(QStringLiteral("/no/such/volume"));
    ASSERT_EQ(f.prompts.transcript().size(), 1);
    EXPECT_TRUE(event(f.prompts.transcript().first())[QStringLiteral("text")].toString().contains(
        QStringLiteral("/no/such/volume")));
    EXPECT_EQ(w.state().cdRoot, before);
}

TEST(GeneralSettings, MenuHeaderIsInsertedOnceThenUpdated) {
    test::WizardFixture f;
    Wizard& w = *f.wizard;
    QTemporaryDir tmp;
    const QString first = native(tmp.filePath(QStringLiteral("First")));
    const QString second = native(tmp.filePath(QStringLiteral("Second")));
    QDir().mkpath(first);
    QDir().mkpath(second);
    // Another menu already stored, so the new key is not simply 1.
    w.myData().ExecuteSQL(
        QStringLiteral("INSERT INTO tblMenus (Template, Title, StyleNo, Root) VALUES (?,?,?,?)"),
        {QStringLiteral("Standard"), QStringLiteral("Older"), 1, QStringLiteral("x")});

    w.form().setText(ctl::txtTitle, QStringLiteral("Ann's CD"));
    w.form().setText(ctl::cmbTemplate, QStringLiteral("Extended"));
    w.state().curStyleID = 2;
    w.openFolder(first);
    saveMenuHeader(w);
    auto maxId = w.myData().GetRS(QStringLiteral("SELECT max(MenuID) AS m FROM tblMenus"));
    EXPECT_EQ(w.state().curMenuID, maxId->value(QStringLiteral("m")).toLongLong());
    EXPECT_GT(w.state().curMenuID, 1);

    // A second pass with a new title, template, style and root: one update, the root as first stored.
    w.form().setText(ctl::txtTitle, QStringLiteral("Renamed"));
    w.form().setText(ctl::cmbTemplate, QStringLiteral("Standard Screenshots"));
    w.state().curStyleID = 3;
    w.openFolder(second);
    const qint64 id = w.state().curMenuID;
    saveMenuHeader(w);
    EXPECT_EQ(w.state().curMenuID, id);
    auto rows = w.myData().GetRS(QStringLiteral("SELECT * FROM tblMenus WHERE MenuID=?"), {id});
    ASSERT_EQ(rows->recordCount(), 1);
    EXPECT_EQ(rows->field(QStringLiteral("Title")), QStringLiteral("Renamed"));
    EXPECT_EQ(rows->field(QStringLiteral("Template")), QStringLiteral("Standard Screenshots"));
    EXPECT_EQ(rows->value(QStringLiteral("StyleNo")).toLongLong(), 3);
    EXPECT_EQ(rows->field(QStringLiteral("Root")), first);
    EXPECT_EQ(w.myData().GetRS(QStringLiteral("SELECT * FROM tblMenus"))->recordCount(), 2);

    // A refused insert adopts no key.
    w.state().curMenuID = 0;
    w.myData().ExecuteSQL(QStringLiteral(
        "CREATE TRIGGER refuseMenus BEFORE INSERT ON tblMenus BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    EXPECT_THROW(saveMenuHeader(w), DataError);
    EXPECT_EQ(w.state().curMenuID, 0);
}
