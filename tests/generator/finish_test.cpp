#include <gtest/gtest.h>

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <csignal>

#include "data/statements.h"
#include "files/paths.h"
#include "files/safefile.h"
#include "generator/packagebuilder.h"
#include "generatortest.h"
#include "wizard/controlnames.h"

namespace torvel::test {
namespace {

// A wizard whose menu is stored in its own Torvel.dat, with the program folder's files ready.
struct FinishFixture : WizardFixture {
    QTemporaryDir disc;
    FinishFixture() {
        program.write(QStringLiteral("AUTORUN.INF"), "[autorun]\r\nopen=Start.exe\r\n");
        program.write(QStringLiteral("Start.exe"), QByteArray("MZ start program", 16));
        clsData& data = wizard->myData();
        const qint64 menu =
            data.executeInsert(QString::fromLatin1(sql::insertMenu),
                               {QStringLiteral("Standard"), QStringLiteral("Finished CD"), 1, root()});
        data.ExecuteSQL(
            QString::fromLatin1(sql::insertEntry),
            {menu, QStringLiteral("Tools"), QStringLiteral("Setup"), QStringLiteral("Tools/setup.exe"),
             QStringLiteral("Installs it"), QStringLiteral("none")});
        wizard->state().cdRoot = root();
        wizard->state().curMenuID = menu;
        form().setText(ctl::txtTitle, QStringLiteral("Finished CD"));
        form().setText(ctl::cmbTemplate, QStringLiteral("Standard"));
        for (const char* field : {ctl::txtBSound, ctl::txtLogoImage, ctl::txtButtonOn, ctl::txtButtonOff}) {
            form().setText(QString::fromLatin1(field), QStringLiteral("none"));
        }
    }
    QString root() const { return withTrailingSeparator(QDir::toNativeSeparators(disc.path())); }
    QStringList files() const {
        return QDir(disc.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }
    QByteArray file(const QString& name) const { return readFile(root() + name); }
    QList<QJsonObject> events() const {
        QList<QJsonObject> out;
        for (const QString& line : prompts.transcript()) {
            out << QJsonDocument::fromJson(line.toUtf8()).object();
        }
        return out;
    }
    // Busy on, busy off, then the success message, and nothing else.
    void expectBusyThenSuccess() const {
        const QList<QJsonObject> e = events();
        ASSERT_EQ(e.size(), 3) << prompts.transcript().join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(e[0].value(QStringLiteral("event")).toString(), QStringLiteral("busy"));
        EXPECT_TRUE(e[0].value(QStringLiteral("on")).toBool());
        EXPECT_EQ(e[1].value(QStringLiteral("event")).toString(), QStringLiteral("busy"));
        EXPECT_FALSE(e[1].value(QStringLiteral("on")).toBool());
        EXPECT_EQ(e[2].value(QStringLiteral("event")).toString(), QStringLiteral("message"));
        EXPECT_EQ(e[2].value(QStringLiteral("icon")).toString(), QStringLiteral("information"));
        EXPECT_EQ(e[2].value(QStringLiteral("title")).toString(), QStringLiteral(" "));
        EXPECT_EQ(e[2].value(QStringLiteral("text")).toString(),
                  QStringLiteral("Your Menu has been successfully created!"));
    }
};

TEST(Finish, EveryTemplateMakesTheFinishedFolder) {
    for (const QString& name : {QStringLiteral("Standard"), QStringLiteral("Standard Screenshots"),
                                QStringLiteral("Extended"), QStringLiteral("Extended Screenshots")}) {
        SCOPED_TRACE(name.toStdString());
        FinishFixture f;
        f.form().setText(ctl::cmbTemplate, name);
        ASSERT_TRUE(f.wizard->hasClick(ctl::Finish));
        f.wizard->click(ctl::Finish);
        EXPECT_EQ(f.files(), (QStringList{QStringLiteral("AUTORUN.INF"), QStringLiteral("Index.hta"),
                                          QStringLiteral("Index.htm"), QStringLiteral("Start.exe")}));
        const QByteArray page = f.file(QStringLiteral("Index.htm"));
        EXPECT_TRUE(page.contains("      <h2>Finished CD</h2>\r\n"));
        EXPECT_TRUE(page.contains(name.startsWith(QLatin1String("Extended")) ? "displayCat(0)'>Tools</p>"
                                                                             : "displayText(0)'>Setup</p>"));
        EXPECT_EQ(f.file(QStringLiteral("Index.hta")), page);
        EXPECT_EQ(f.file(QStringLiteral("AUTORUN.INF")),
                  readFile(f.program.file(QStringLiteral("AUTORUN.INF"))));
        EXPECT_EQ(f.file(QStringLiteral("Start.exe")), readFile(f.program.file(QStringLiteral("Start.exe"))));
        f.expectBusyThenSuccess();

        // Finish again: the same files, overwritten, and the menu left as it was.
        f.prompts.clearTranscript();
        f.wizard->click(ctl::Finish);
        EXPECT_EQ(f.files().size(), 4);
        EXPECT_EQ(f.file(QStringLiteral("Index.hta")), page);
        f.expectBusyThenSuccess();
    }
}

// Finish whose steps did not all work: one critical message, its first line and then one line per
// step that failed or was skipped, in the order the steps ran.
void expectIncomplete(const FinishFixture& f, const QStringList& lines) {
    const QList<QJsonObject> e = f.events();
    ASSERT_EQ(e.size(), 3) << f.prompts.transcript().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(e[2].value(QStringLiteral("icon")).toString(), QStringLiteral("critical"));
    EXPECT_EQ(e[2].value(QStringLiteral("buttons")).toString(), QStringLiteral("ok"));
    EXPECT_EQ(e[2].value(QStringLiteral("title")).toString(), QStringLiteral(" "));
    EXPECT_EQ(e[2].value(QStringLiteral("text")).toString().toStdString(),
              (QStringList{QStringLiteral("The menu was not created completely:")} + lines)
                  .join(QLatin1Char('\n'))
                  .toStdString());
}

void writeTo(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content);
}

// The temporary files the safe writer left in a folder.
QStringList leftovers(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral(".torvel-*")}, QDir::Files | QDir::Hidden | QDir::System);
}

TEST(Finish, ReportsEveryStepThatWasNotDoneAndLeavesOlderFilesAlone) {
    const QString noPage = QStringLiteral("Index.hta was not written: no start page was written.");
    for (const QString& name : {QStringLiteral("standard"), QString()}) {
        FinishFixture f;
        f.form().setText(ctl::cmbTemplate, name);
        f.wizard->click(ctl::Finish);
        EXPECT_EQ(f.files(), (QStringList{QStringLiteral("AUTORUN.INF"), QStringLiteral("Start.exe")}));
        expectIncomplete(
            f,
            {QStringLiteral("Index.htm was not written: the template \"%1\" is unknown.").arg(name), noPage});
    }

    // A menu without entries: the pages of an earlier run stay as they were, and the twin is not
    // refreshed from an older Index.htm.
    FinishFixture empty;
    empty.wizard->myData().ExecuteSQL(QString::fromLatin1(sql::deleteEntry),
                                      {empty.wizard->state().curMenuID, QStringLiteral("Setup")});
    writeTo(empty.root() + QStringLiteral("Index.htm"), "earlier page");
    writeTo(empty.root() + QStringLiteral("Index.hta"), "earlier twin");
    empty.wizard->click(ctl::Finish);
    EXPECT_EQ(empty.file(QStringLiteral("Index.htm")), QByteArray("earlier page"));
    EXPECT_EQ(empty.file(QStringLiteral("Index.hta")), QByteArray("earlier twin"));
    expectIncomplete(empty, {QStringLiteral("Index.htm was not written: the menu has no entries."), noPage});

    // Without AUTORUN.INF and Start.exe in the program folder, files already on the disc stay.
    FinishFixture f;
    QFile::remove(f.program.file(QStringLiteral("AUTORUN.INF")));
    QFile::remove(f.program.file(QStringLiteral("Start.exe")));
    writeTo(f.root() + QStringLiteral("Start.exe"), "older start program");
    f.wizard->click(ctl::Finish);
    EXPECT_EQ(f.files(), (QStringList{QStringLiteral("Index.hta"), QStringLiteral("Index.htm"),
                                      QStringLiteral("Start.exe")}));
    EXPECT_EQ(f.file(QStringLiteral("Start.exe")), QByteArray("older start program"));
    EXPECT_EQ(f.file(QStringLiteral("Index.hta")), f.file(QStringLiteral("Index.htm")));
    expectIncomplete(
        f, {QStringLiteral("AUTORUN.INF could not be copied: the program folder has no AUTORUN.INF."),
            QStringLiteral("Start.exe could not be copied: the program folder has no Start.exe.")});

    // A page that cannot be put in place (a folder named Index.htm) and a copy that cannot be.
    FinishFixture g;
    ASSERT_TRUE(QDir(g.disc.path()).mkdir(QStringLiteral("Index.htm")));
    ASSERT_TRUE(QDir(g.disc.path()).mkdir(QStringLiteral("Start.exe")));
    g.wizard->click(ctl::Finish);
    EXPECT_EQ(g.files(), (QStringList{QStringLiteral("AUTORUN.INF"), QStringLiteral("Index.htm"),
                                      QStringLiteral("Start.exe")}));
    EXPECT_TRUE(leftovers(g.disc.path()).isEmpty());
    expectIncomplete(g, {QStringLiteral("Index.htm could not be written: Is a directory."),
                         QStringLiteral("Start.exe could not be copied: Is a directory."), noPage});

    // A CD root that is gone: nothing can be written, and the message says why.
    FinishFixture h;
    h.wizard->state().cdRoot = h.root() + QStringLiteral("gone") + nativeSeparator();
    h.wizard->click(ctl::Finish);
    EXPECT_TRUE(h.files().isEmpty());
    expectIncomplete(h,
                     {QStringLiteral("Index.htm could not be written: No such file or directory."),
                      QStringLiteral("AUTORUN.INF could not be copied: No such file or directory."),
                      QStringLiteral("Start.exe could not be copied: No such file or directory."), noPage});
}

TEST(Finish, AFullDiskKeepsTheEarlierPagesWholeAndTheWindowUsable) {
    FinishFixture f;
    f.wizard->click(ctl::Finish);
    const QByteArray page = f.file(QStringLiteral("Index.htm"));
    ASSERT_FALSE(page.isEmpty());

    // The disc fills up part way through the page, then during the first copy.
    f.form().setText(ctl::txtTitle, QStringLiteral("Renamed CD"));
    for (const qint64 room : {qint64(100), page.size() + 10}) {
        f.prompts.clearTranscript();
        // Files already in place with the same bytes are not copied again: these must be.
        QFile::remove(f.root() + QStringLiteral("AUTORUN.INF"));
        QFile::remove(f.root() + QStringLiteral("Start.exe"));
        setWriteFault(WriteFault{room, ENOSPC, false});
        f.wizard->click(ctl::Finish);
        setWriteFault(std::nullopt);
        EXPECT_EQ(f.file(QStringLiteral("Index.hta")), page);
        EXPECT_TRUE(leftovers(f.disc.path()).isEmpty());
        if (room == 100) {
            EXPECT_EQ(f.file(QStringLiteral("Index.htm")), page);
            expectIncomplete(f, {QStringLiteral("Index.htm could not be written: No space left on device."),
                                 QStringLiteral("AUTORUN.INF could not be copied: No space left on device."),
                                 QStringLiteral("Start.exe could not be copied: No space left on device."),
                                 QStringLiteral("Index.hta was not written: no start page was written.")});
        } else {
            EXPECT_TRUE(f.file(QStringLiteral("Index.htm")).contains("<h2>Renamed CD</h2>"));
            expectIncomplete(f, {QStringLiteral("AUTORUN.INF could not be copied: No space left on device."),
                                 QStringLiteral("Start.exe could not be copied: No space left on device."),
                                 QStringLiteral("Index.hta could not be written: No space left on device.")});
        }
    }

    // With room again, the same window finishes the menu.
    f.prompts.clearTranscript();
    f.wizard->click(ctl::Finish);
    f.expectBusyThenSuccess();
    EXPECT_EQ(f.file(QStringLiteral("Index.hta")), f.file(QStringLiteral("Index.htm")));
}

TEST(FinishDeathTest, AWriteKilledHalfWayLeavesTheEarlierPageAndOneTemporaryFile) {
    // The child is forked with the fixture as it stands, so it writes into the same folder.
    GTEST_FLAG_SET(death_test_style, "fast");
    // The earlier page is put there by hand: this process has not written into the folder yet, as
    // a program started after the one that was killed.
    FinishFixture f;
    const QByteArray page = "earlier page";
    writeTo(f.root() + QStringLiteral("Index.htm"), page);
    f.form().setText(ctl::txtTitle, QStringLiteral("Renamed CD"));
    EXPECT_EXIT(
        {
            setWriteFault(WriteFault{200, 0, true});
            f.wizard->click(ctl::Finish);
        },
        testing::KilledBySignal(SIGKILL), "");
    EXPECT_EQ(f.file(QStringLiteral("Index.htm")), page);
    const QStringList left = leftovers(f.disc.path());
    ASSERT_EQ(left.size(), 1);
    EXPECT_TRUE(isSafeFileTemporary(left[0]));
    EXPECT_EQ(QFileInfo(f.disc.path() + QLatin1Char('/') + left[0]).size(), 200);

    // The next run clears it away and writes the new page.
    f.prompts.clearTranscript();
    f.wizard->click(ctl::Finish);
    f.expectBusyThenSuccess();
    EXPECT_TRUE(leftovers(f.disc.path()).isEmpty());
    EXPECT_TRUE(f.file(QStringLiteral("Index.htm")).contains("<h2>Renamed CD</h2>"));
}

TEST(Finish, LinksAtTheTargetNamesAreReplacedNeverWrittenThrough) {
    FinishFixture f;
    TempFolder elsewhere;
    QStringList names{QStringLiteral("Index.htm"), QStringLiteral("Index.hta"), QStringLiteral("AUTORUN.INF"),
                      QStringLiteral("Start.exe")};
    for (const QString& name : names) {
        const QString outside = elsewhere.write(name, "precious " + name.toLatin1());
        ASSERT_TRUE(QFile::link(outside, f.root() + name));
    }
    f.wizard->click(ctl::Finish);
    f.expectBusyThenSuccess();
    for (const QString& name : names) {
        EXPECT_EQ(readFile(elsewhere.file(name)), "precious " + name.toLatin1());
        const QFileInfo written(f.root() + name);
        EXPECT_FALSE(written.isSymLink()) << name.toStdString();
        EXPECT_TRUE(written.isFile()) << name.toStdString();
    }
    EXPECT_EQ(f.file(QStringLiteral("Index.hta")), f.file(QStringLiteral("Index.htm")));
}

}  // namespace
}  // namespace torvel::test

namespace torvel::test {
namespace {

TEST(Finish, AnEntryLeftInTheEditorIsOfferedForSavingFirst) {
    FinishFixture f;
    const QString question =
        QStringLiteral("The entry \"%1\" is not saved yet. Save it before the menu is created?");
    f.form().setText(ctl::txtFile, f.root() + QStringLiteral("readme.txt"));
    f.form().setText(ctl::txtFileTitle, QStringLiteral("Read me"));
    f.prompts.queueAnswer(true);
    f.wizard->click(ctl::Finish);
    EXPECT_TRUE(f.file(QStringLiteral("Index.htm")).contains(">Read me</p>"));
    EXPECT_EQ(f.events().first().value(QStringLiteral("text")).toString(),
              question.arg(QStringLiteral("Read me")));

    // A save that is refused ends Finish before anything is written.
    f.form().setText(ctl::txtFile, f.root() + QStringLiteral("other.txt"));
    f.form().setText(ctl::txtFileTitle, QStringLiteral("SETUP"));
    const QByteArray page = f.file(QStringLiteral("Index.htm"));
    f.prompts.clearTranscript();
    f.prompts.queueAnswer(true);
    f.wizard->click(ctl::Finish);
    const QList<QJsonObject> refused = f.events();
    ASSERT_EQ(refused.size(), 2);
    EXPECT_EQ(
        refused[1].value(QStringLiteral("text")).toString(),
        QStringLiteral("This menu already has an entry titled \"SETUP\", please choose another title!"));
    EXPECT_EQ(f.file(QStringLiteral("Index.htm")), page);

    // No: the menu is written without it.
    f.prompts.clearTranscript();
    f.prompts.queueAnswer(false);
    f.wizard->click(ctl::Finish);
    EXPECT_EQ(f.events().size(), 4);
    EXPECT_EQ(f.events().last().value(QStringLiteral("text")).toString(), kMenuCreatedMessage);
    EXPECT_FALSE(f.file(QStringLiteral("Index.htm")).contains("SETUP"));
}

}  // namespace
}  // namespace torvel::test
