#include <gtest/gtest.h>

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "data/statements.h"
#include "files/paths.h"
#include "generator/packagebuilder.h"
#include "generatortest.h"

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
        form().setText(QStringLiteral("txtTitle"), QStringLiteral("Finished CD"));
        form().setText(QStringLiteral("cmbTemplate"), QStringLiteral("Standard"));
        for (const char* field : {"txtBSound", "txtLogoImage", "txtButtonOn", "txtButtonOff"}) {
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
        f.form().setText(QStringLiteral("cmbTemplate"), name);
        ASSERT_TRUE(f.wizard->hasClick(QStringLiteral("Finish")));
        f.wizard->click(QStringLiteral("Finish"));
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
        f.wizard->click(QStringLiteral("Finish"));
        EXPECT_EQ(f.files().size(), 4);
        EXPECT_EQ(f.file(QStringLiteral("Index.hta")), page);
        f.expectBusyThenSuccess();
    }
}

TEST(Finish, UnknownTemplateStillCopiesAndReportsSuccess) {
    for (const QString& name : {QStringLiteral("standard"), QString()}) {
        FinishFixture f;
        f.form().setText(QStringLiteral("cmbTemplate"), name);
        f.wizard->click(QStringLiteral("Finish"));
        EXPECT_EQ(f.files(), (QStringList{QStringLiteral("AUTORUN.INF"), QStringLiteral("Start.exe")}));
        f.expectBusyThenSuccess();
    }
}

TEST(Finish, FailingStepsAreSkippedSilently) {
    // Without AUTORUN.INF and Start.exe in the program folder, files already on the disc stay.
    FinishFixture f;
    QFile::remove(f.program.file(QStringLiteral("AUTORUN.INF")));
    QFile::remove(f.program.file(QStringLiteral("Start.exe")));
    QFile old(f.root() + QStringLiteral("Start.exe"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("older start program");
    old.close();
    f.wizard->click(QStringLiteral("Finish"));
    EXPECT_EQ(f.files(), (QStringList{QStringLiteral("Index.hta"), QStringLiteral("Index.htm"),
                                      QStringLiteral("Start.exe")}));
    EXPECT_EQ(f.file(QStringLiteral("Start.exe")), QByteArray("older start program"));
    f.expectBusyThenSuccess();

    // A page that cannot be written (Index.htm is a folder) skips the page and its copy.
    FinishFixture g;
    ASSERT_TRUE(QDir(g.disc.path()).mkdir(QStringLiteral("Index.htm")));
    g.wizard->click(QStringLiteral("Finish"));
    EXPECT_EQ(g.files(), (QStringList{QStringLiteral("AUTORUN.INF"), QStringLiteral("Index.htm"),
                                      QStringLiteral("Start.exe")}));
    g.expectBusyThenSuccess();

    // A CD root that is gone: nothing can be written, the message still comes.
    FinishFixture h;
    h.wizard->state().cdRoot = h.root() + QStringLiteral("gone") + nativeSeparator();
    h.wizard->click(QStringLiteral("Finish"));
    EXPECT_TRUE(h.files().isEmpty());
    h.expectBusyThenSuccess();
}

TEST(Finish, MenuWithoutEntriesCopiesAnEarlierPage) {
    FinishFixture f;
    f.wizard->myData().ExecuteSQL(QString::fromLatin1(sql::deleteEntry),
                                  {f.wizard->state().curMenuID, QStringLiteral("Setup")});
    QFile earlier(f.root() + QStringLiteral("Index.htm"));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier page");
    earlier.close();
    f.wizard->click(QStringLiteral("Finish"));
    EXPECT_EQ(f.file(QStringLiteral("Index.htm")), QByteArray("earlier page"));
    EXPECT_EQ(f.file(QStringLiteral("Index.hta")), QByteArray("earlier page"));
    f.expectBusyThenSuccess();
}

}  // namespace
}  // namespace torvel::test
