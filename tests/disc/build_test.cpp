// torvel-build end to end: the same CD folder as the window's Finish, the check's findings, the
// image, and its exit statuses.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>

#include "data/statements.h"
#include "disctestsupport.h"
#include "support/testsupport.h"

namespace torvel::test {
namespace {

using namespace Qt::StringLiterals;

struct BuildRun {
    int status = -1;
    QStringList out;
    QString err;
};

BuildRun build(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(TORVEL_BUILD_BINARY), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
            QString::fromUtf8(process.readAllStandardError())};
}

// A menu made in the window: a style with a logo, one entry, Finish.
struct BuiltMenu : WizardFixture {
    TempFolder disc;
    std::map<QString, QByteArray> finished;
    BuiltMenu() {
        program.copyInstalledFiles();
        disc.write(u"Tools/setup.exe"_s, "MZ setup");
        const QString logo = disc.write(u"Art/logo.jpg"_s, "a logo");
        wizard->click(ctl::cmdNew);
        form().setText(ctl::txtTitle, u"Software 2026"_s);
        wizard->choose(ctl::cmbTemplate, 2);
        wizard->openFolder(disc.path());
        next();
        form().setText(ctl::txtStyleName, u"Plain"_s);
        prompts.queueFile(logo);
        wizard->click(ctl::cmdLImage);
        next();
        next();
        prompts.queueFile(disc.native(u"Tools/setup.exe"_s));
        wizard->click(ctl::cmdFile);
        form().setText(ctl::txtFileTitle, u"Setup"_s);
        form().setText(ctl::txtFileDescription, u"Installs it"_s);
        wizard->click(ctl::cmdSave);
        wizard->click(ctl::Finish);
        EXPECT_EQ(takeMessages(), QStringList{u"Your Menu has been successfully created!"_s});
        finished = filesBelow(disc.path());
    }
    QStringList args(const QStringList& more) const {
        return QStringList{u"--program-dir"_s, program.path()} + more;
    }
    void removeMenuFiles() const {
        for (const QString& name : {u"Index.htm"_s, u"Index.hta"_s, u"AUTORUN.INF"_s, u"Start.exe"_s}) {
            QFile::remove(disc.file(name));
        }
        QDir(disc.file(u"Menu"_s)).removeRecursively();
    }
};

TEST(TorvelBuild, RebuildsTheFolderFinishWroteChecksItAndMakesItsImage) {
    BuiltMenu m;
    ASSERT_TRUE(m.finished.count(u"Menu/Styles.css"_s) && m.finished.count(u"Menu/logo.jpg"_s));
    m.removeMenuFiles();
    BuildRun r = build(m.args({u"Software 2026"_s}));
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(filesBelow(m.disc.path()), m.finished);
    EXPECT_EQ(
        r.out,
        (QStringList{u"note: No entry offers this file. (Art/logo.jpg)"_s,
                     u"note: The contents take 28,672 bytes in 2,048-byte sectors: they fit on a CD."_s}));

    const QString image = m.program.file(u"software.iso"_s);
    r = build(
        m.args({u"--json"_s, u"--iso"_s, image, u"--id"_s, QString::number(m.wizard->state().curMenuID)}));
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    ASSERT_EQ(r.out.size(), 2);
    EXPECT_EQ(event(r.out[0]),
              event(uR"({"level":"note","what":"No entry offers this file.","where":"Art/logo.jpg"})"_s));
    EXPECT_TRUE(imagePaths(image, u"rr"_s).contains(u"/Menu/Styles.css"_s));

    // --check looks at the folder as it is: nothing is written again.
    QFile::remove(m.disc.file(u"Tools/setup.exe"_s));
    QFile::remove(m.disc.file(u"Index.htm"_s));
    r = build(m.args({u"--check"_s, u"software 2026"_s}));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.contains(u"error: Index.htm is missing: press Finish to write it. (Index.htm)"_s));
    EXPECT_TRUE(
        r.out.contains(u"error: The file of the entry \"Setup\" does not exist. (Tools/setup.exe)"_s));
    EXPECT_FALSE(QFileInfo::exists(m.disc.file(u"Index.htm"_s)));
}

TEST(TorvelBuild, ExitStatusesSayWhatWentWrong) {
    BuiltMenu m;
    m.wizard->myData().ExecuteSQL(QString::fromLatin1(sql::insertMenu),
                                  {u"Standard"_s, u"Twin"_s, 1, u"/"_s});
    m.wizard->myData().ExecuteSQL(QString::fromLatin1(sql::insertMenu),
                                  {u"Standard"_s, u"Twin"_s, 1, u"/"_s});
    const struct {
        QStringList arguments;
        int status;
        QString says;
    } cases[] = {
        {m.args({}), 2, u"give the menu's title or --id N"_s},
        {m.args({u"--id"_s, u"1"_s, u"Twin"_s}), 2, u"give the menu's title or --id N"_s},
        {m.args({u"--frobnicate"_s, u"Twin"_s}), 2, u"frobnicate"_s},
        {m.args({u"--id"_s, u"99"_s}), 2, u"there is no menu with the id 99"_s},
        {m.args({u"Nothing"_s}), 2, u"there is no menu titled \"Nothing\""_s},
        {m.args({u"twin"_s}), 2, u"2 menus are titled \"twin\", give one of their ids with --id: 2, 3"_s},
        {{u"--program-dir"_s, m.disc.file(u"gone"_s), u"Twin"_s}, 2, u"does not exist"_s},
        {m.args({u"--iso"_s, m.disc.file(u"Tools/x.iso"_s), u"Software 2026"_s}), 2,
         u"into the CD root folder"_s},
        {m.args({u"--iso"_s, m.program.path() + u"/gone/x.iso"_s, u"Software 2026"_s}), 1,
         u"/gone/x.iso could not be written: No such file or directory."_s},
    };
    for (const auto& c : cases) {
        const BuildRun r = build(c.arguments);
        EXPECT_EQ(r.status, c.status) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
    }
}

}  // namespace
}  // namespace torvel::test
