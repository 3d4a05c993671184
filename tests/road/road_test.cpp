// The author's road through the wizard, played by the script runner against a real Torvel.dat,
// a real CD root and the files installed beside the program.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "data/statements.h"
#include "scriptrunner.h"
#include "support/testsupport.h"
#include "wizard/controlnames.h"

using namespace torvel;

namespace {

struct Road {
    test::ProgramDir program;
    test::TempFolder work;
    QString outText;
    QString errText;
    QTextStream out{&outText};
    QTextStream err{&errText};
    std::unique_ptr<ScriptRunner> runner;

    Road() {
        program.copyInstalledFiles();
        write(QStringLiteral("Disc/Setup/install.exe"), "exe");
        write(QStringLiteral("Disc/Docs/read me.txt"), "text");
        write(QStringLiteral("Art/logo.gif"), "GIF89a logo");
        write(QStringLiteral("Art/on.gif"), "GIF89a on");
        write(QStringLiteral("Art/shot.jpg"), "JFIF shot");
        restart();
    }
    // A new window on the same program folder, as when the program is started again.
    void restart() { runner = std::make_unique<ScriptRunner>(program.path(), out, err); }

    void write(const QString& relative, const QByteArray& content) { work.write(relative, content); }
    QString native(const QString& relative) const { return work.native(relative); }
    QString disc(const QString& relative = QString()) const {
        return relative.isEmpty() ? native(QStringLiteral("Disc"))
                                  : native(QStringLiteral("Disc/") + relative);
    }

    // Plays the lines; a script error fails the test.
    void play(const QStringList& lines) {
        outText.clear();
        ASSERT_EQ(runner->run(lines), kScriptOk) << errText.toStdString() << outText.toStdString();
    }
    QList<QJsonObject> events(const QString& kind) const {
        QList<QJsonObject> found;
        for (const QString& line : outText.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
            if (o.value(QStringLiteral("event")).toString() == kind) {
                found << o;
            }
        }
        return found;
    }
    QStringList messages() const {
        QStringList texts;
        for (const QJsonObject& m : events(QStringLiteral("message"))) {
            texts << m.value(QStringLiteral("text")).toString();
        }
        return texts;
    }
    Wizard& wizard() { return runner->wizard(); }
    int count(const QString& sql, const Params& params = {}) {
        return wizard().myData().GetRS(sql, params)->recordCount();
    }
    // The lines that create a menu with a new style named styleName, ending on "Add Files".
    QStringList newMenu(const QString& title, const QString& templ, const QString& styleName) const {
        return {
            QStringLiteral("click cmdNew"),
            QStringLiteral("set txtTitle ") + title,
            QStringLiteral("choose cmbTemplate ") + templ,
            QStringLiteral("folder ") + disc(),
            QStringLiteral("click cmdNext"),
            QStringLiteral("set txtStyleName ") + styleName,
            QStringLiteral("file ") + native(QStringLiteral("Art/logo.gif")),
            QStringLiteral("click cmdLImage"),
            QStringLiteral("file ") + native(QStringLiteral("Art/on.gif")),
            QStringLiteral("click cmdButtonOn"),
            QStringLiteral("color 8388608"),
            QStringLiteral("click cmdPickColor"),
            QStringLiteral("click cmdNext"),
            QStringLiteral("font Verdana;16;bold"),
            QStringLiteral("click cmdTFont"),
            QStringLiteral("color 255"),
            QStringLiteral("click cmdTColor"),
            QStringLiteral("click cmdNext"),
        };
    }
    QStringList addEntry(const QString& file, const QString& title, const QString& description,
                         const QString& category) const {
        return {
            QStringLiteral("file ") + disc(file),
            QStringLiteral("click cmdFile"),
            QStringLiteral("set txtFileTitle ") + title,
            QStringLiteral("set txtFileDescription ") + description,
            QStringLiteral("set txtFileCat ") + category,
            QStringLiteral("file ") + native(QStringLiteral("Art/shot.jpg")),
            QStringLiteral("click cmdFScreenshot"),
            QStringLiteral("click cmdSave"),
        };
    }
};

QByteArray readAll(const QString& path) {
    return test::readFile(path);
}

}  // namespace

class WholeRoad : public ::testing::TestWithParam<const char*> {};

TEST_P(WholeRoad, CreateDescribeAndFinishAMenu) {
    const QString templ = QString::fromLatin1(GetParam());
    Road r;
    QStringList script = r.newMenu(QStringLiteral("My Disc"), templ, QStringLiteral("Ocean"));
    script += r.addEntry(QStringLiteral("Setup/install.exe"), QStringLiteral("Install"),
                         QStringLiteral("Installs Joe's tools\\nin two lines"), QStringLiteral("Tools"));
    script += r.addEntry(QStringLiteral("Docs/read me.txt"), QStringLiteral("Read me"),
                         QStringLiteral("Notes"), QStringLiteral("Docs"));
    script << QStringLiteral("click Finish");
    r.play(script);

    EXPECT_EQ(r.messages(), QStringList{QStringLiteral("Your Menu has been successfully created!")});
    const auto busy = r.events(QStringLiteral("busy"));
    ASSERT_EQ(busy.size(), 2);
    EXPECT_TRUE(busy[0].value(QStringLiteral("on")).toBool());

    // The database: one menu, one new style, two entries of that menu.
    Wizard& w = r.wizard();
    EXPECT_EQ(r.count(QStringLiteral("SELECT * FROM tblMenus")), 1);
    EXPECT_EQ(r.count(QStringLiteral("SELECT * FROM tblStyles WHERE StyleName='Ocean'")), 1);
    auto entries = w.myData().GetRS(QString::fromUtf8(sql::menuEntries), {w.state().curMenuID});
    ASSERT_EQ(entries->recordCount(), 2);
    EXPECT_EQ(entries->field(QStringLiteral("FileLink")), QStringLiteral("Setup/install.exe"));
    EXPECT_EQ(entries->field(QStringLiteral("Description")),
              QStringLiteral("Installs Joe's tools\nin two lines"));
    EXPECT_EQ(entries->field(QStringLiteral("Screenshot")), QStringLiteral("shot.jpg"));
    auto menu = w.myData().GetRS(QString::fromUtf8(sql::menuById), {w.state().curMenuID});
    EXPECT_EQ(menu->field(QStringLiteral("Template")), templ);
    EXPECT_EQ(menu->field(QStringLiteral("Root")), r.disc());

    // The finished folder.
    const QDir disc(r.disc());
    EXPECT_EQ(disc.entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("AUTORUN.INF"), QStringLiteral("Index.hta"),
                           QStringLiteral("Index.htm"), QStringLiteral("Start.exe")}));
    const QByteArray page = readAll(disc.filePath(QStringLiteral("Index.htm")));
    EXPECT_EQ(page, readAll(disc.filePath(QStringLiteral("Index.hta"))));
    EXPECT_TRUE(page.contains("<h2>My Disc</h2>"));
    EXPECT_TRUE(page.contains("Menu/logo.gif"));
    EXPECT_TRUE(page.contains("Read me"));
    EXPECT_EQ(page.contains("displayCat("), templ.startsWith(QStringLiteral("Extended")));
    EXPECT_EQ(page.contains("Menu/shot.jpg"), templ.endsWith(QStringLiteral("Screenshots")));
    EXPECT_EQ(QDir(disc.filePath(QStringLiteral("Menu"))).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("Styles.css"), QStringLiteral("logo.gif"), QStringLiteral("on.gif"),
                           QStringLiteral("shot.jpg")}));
    const QByteArray css = readAll(disc.filePath(QStringLiteral("Menu/Styles.css")));
    EXPECT_TRUE(css.startsWith("h2{font-size:16pt;font-family:Verdana;color:RGB(255,0,0);font-weight:Bold;"));
    EXPECT_TRUE(css.contains("Body{background-color:RGB(0,0,128)}\r\n"));
    EXPECT_TRUE(QFile::exists(QDir(r.program.path()).filePath(QStringLiteral("Styles/Ocean/logo.gif"))));
}

INSTANTIATE_TEST_SUITE_P(EveryTemplate, WholeRoad,
                         ::testing::Values("Standard", "Standard Screenshots", "Extended",
                                           "Extended Screenshots"));

TEST(Road, ReloadChangeAndWriteAgainThenDelete) {
    Road r;
    QStringList script =
        r.newMenu(QStringLiteral("Reload"), QStringLiteral("Standard"), QStringLiteral("Sand"));
    script += r.addEntry(QStringLiteral("Setup/install.exe"), QStringLiteral("Install"),
                         QStringLiteral("First"), QStringLiteral("none"));
    script += r.addEntry(QStringLiteral("Docs/read me.txt"), QStringLiteral("Readme"),
                         QStringLiteral("Second"), QStringLiteral("none"));
    script << QStringLiteral("click Finish");
    r.play(script);
    const qint64 menuId = r.wizard().state().curMenuID;
    const qint64 styleId = r.wizard().state().curStyleID;

    // The program is started again: Load the menu, change its style and entry, Finish again.
    r.restart();
    r.play({
        QStringLiteral("click cmdEdit"),
        QStringLiteral("choose cmbMenuL %1: Reload").arg(menuId),
        QStringLiteral("click cmdLoad"),
        QStringLiteral("dump"),
    });
    const QJsonObject dump = r.events(QStringLiteral("dump")).last();
    const QJsonObject controls = dump.value(QStringLiteral("controls")).toObject();
    EXPECT_EQ(controls.value(ctl::txtTitle).toObject().value(QStringLiteral("text")).toString(),
              QStringLiteral("Reload"));
    EXPECT_EQ(controls.value(ctl::cmbStyles).toObject().value(QStringLiteral("text")).toString(),
              QStringLiteral("%1: Sand").arg(styleId));
    EXPECT_EQ(dump.value(QStringLiteral("state")).toObject().value(QStringLiteral("cdRoot")).toString(),
              r.disc() + QDir::separator());

    r.play({
        QStringLiteral("set txtTitle Reloaded"),
        QStringLiteral("choose cmbTemplate Extended"),
        QStringLiteral("click cmdNext"),
        QStringLiteral("click cmdNext"),
        QStringLiteral("color 65280"),
        QStringLiteral("click cmdDColor"),
        QStringLiteral("click cmdNext"),
        QStringLiteral("choose lstFiles Install"),
        QStringLiteral("set txtFileCat Setup"),
        QStringLiteral("click cmdSave"),
        // A renamed entry saved twice stays one row; then it is removed.
        QStringLiteral("choose lstFiles Readme"),
        QStringLiteral("set txtFileTitle Read me first"),
        QStringLiteral("click cmdSave"),
        QStringLiteral("click cmdSave"),
        QStringLiteral("dump"),
        QStringLiteral("choose lstFiles Read me first"),
        QStringLiteral("answer yes"),
        QStringLiteral("click cmdFileRemove"),
        QStringLiteral("click Finish"),
    });
    const QJsonArray renamed = r.events(QStringLiteral("dump"))
                                   .last()
                                   .value(QStringLiteral("controls"))
                                   .toObject()
                                   .value(ctl::lstFiles)
                                   .toObject()
                                   .value(QStringLiteral("items"))
                                   .toArray();
    EXPECT_EQ(renamed, (QJsonArray{QStringLiteral("Install"), QStringLiteral("Read me first")}));
    EXPECT_TRUE(
        r.messages().contains(QStringLiteral("Do you really want to remove the entry for Read me first?")));
    EXPECT_EQ(r.count(QStringLiteral("SELECT * FROM tblMenus")), 1);
    EXPECT_EQ(r.count(QString::fromUtf8(sql::menuEntries), {menuId}), 1);
    EXPECT_EQ(r.count(QStringLiteral("SELECT * FROM tblStyles")), 4);
    auto style = r.wizard().myData().GetRS(QString::fromUtf8(sql::styleById), {styleId});
    EXPECT_EQ(style->field(QStringLiteral("TextColor")), QStringLiteral("RGB(0,255,0)"));
    const QByteArray page = readAll(QDir(r.disc()).filePath(QStringLiteral("Index.htm")));
    EXPECT_TRUE(page.contains("<h2>Reloaded</h2>"));
    EXPECT_TRUE(page.contains(">Setup</p>")) << "the Extended page lists the new category";
    EXPECT_TRUE(
        readAll(QDir(r.disc()).filePath(QStringLiteral("Menu/Styles.css"))).contains("color:RGB(0,255,0)"));

    // Delete the menu: its row goes, its entries stay for the description finder.
    r.play({
        QStringLiteral("click cmdBack"),
        QStringLiteral("click cmdBack"),
        QStringLiteral("click cmdBack"),
        QStringLiteral("click cmdBack"),
        QStringLiteral("click cmdDelete"),
        QStringLiteral("answer yes"),
        QStringLiteral("click cmdMDelete"),
        QStringLiteral("click cmdEdit"),
    });
    EXPECT_EQ(r.messages(), (QStringList{QStringLiteral("Do you really want to remove the selected Menu?"),
                                         QStringLiteral("Menu deleted successfully!"),
                                         QStringLiteral("Sorry, no menus available!")}));
    EXPECT_EQ(r.count(QStringLiteral("SELECT * FROM tblMenus")), 0);
    EXPECT_EQ(r.count(QStringLiteral("SELECT * FROM tblDetails")), 1);
}

TEST(Road, EveryRefusalOfThePagesKeepsTheAuthorWhereTheyAre) {
    Road r;
    r.play(r.newMenu(QStringLiteral("Été"), QStringLiteral("Standard"), QStringLiteral("First")));
    r.restart();
    r.play({
        QStringLiteral("click cmdNew"),
        QStringLiteral("click cmdNext"),
        QStringLiteral("set txtTitle ÉTÉ"),
        QStringLiteral("click cmdNext"),
        QStringLiteral("folder ") + r.disc(),
        QStringLiteral("click cmdNext"),
        QStringLiteral("set txtTitle Fresh"),
        QStringLiteral("click cmdNext"),
        QStringLiteral("click cmdNext"),
        QStringLiteral("set txtStyleName COM1"),
        QStringLiteral("click cmdNext"),
        QStringLiteral("set txtStyleName Second"),
        QStringLiteral("set txtBackImage ") + r.native(QStringLiteral("Art/missing.jpg")),
        QStringLiteral("set txtButtonOff ") + r.native(QStringLiteral("Art/gone.gif")),
        QStringLiteral("click cmdNext"),
        QStringLiteral("dump"),
        QStringLiteral("click cmdEdit"),
        QStringLiteral("set cmbMenuL nothing"),
        QStringLiteral("click cmdLoad"),
    });
    EXPECT_EQ(
        r.messages(),
        (QStringList{QStringLiteral("Please enter a menu title!"),
                     QStringLiteral("Please select a root directory for your CD files!"),
                     QStringLiteral("Menu title is already taken, please change your title!,"),
                     QStringLiteral("Please enter a style name!"),
                     QStringLiteral("This style name cannot be used as a folder name, please change it!"),
                     QStringLiteral("Following paths are no longer valid, please correct!\r\nBackground "
                                    "image\r\nButton Off image\r\n"),
                     QStringLiteral("Please select a menu from the list!")}));
    const QJsonObject dump = r.events(QStringLiteral("dump")).last();
    EXPECT_EQ(dump.value(QStringLiteral("state")).toObject().value(QStringLiteral("curStep")).toInt(), 2);
    const QJsonObject controls = dump.value(QStringLiteral("controls")).toObject();
    EXPECT_EQ(controls.value(ctl::txtBackImage).toObject().value(QStringLiteral("text")).toString(),
              QStringLiteral("none"));

    // A stored menu whose root is gone opens on page 1 with the message.
    QDir(r.disc()).removeRecursively();
    r.restart();
    r.play({QStringLiteral("click cmdEdit"), QStringLiteral("click cmdLoad")});
    EXPECT_EQ(r.messages(),
              QStringList{QStringLiteral(
                  "Your root directory is no longer valid!\r\nPlease select a new root directory!")});
    EXPECT_EQ(r.wizard().state().curStep, 1);
}

TEST(Road, CloseAndQuitOfferAnUnsavedEntryForSavingFirst) {
    Road r;
    const auto question = [](const QString& title) {
        return QStringLiteral("The entry \"%1\" is not saved yet. Save it before Torvel closes?").arg(title);
    };
    QStringList script =
        r.newMenu(QStringLiteral("Offered"), QStringLiteral("Standard"), QStringLiteral("Plain"));
    script += r.addEntry(QStringLiteral("Setup/install.exe"), QStringLiteral("Install"),
                         QStringLiteral("Stored"), QStringLiteral("none"));
    script += {
        // A new entry typed in under a title the menu has: Yes, the save is refused, the window stays.
        QStringLiteral("file ") + r.disc(QStringLiteral("Docs/read me.txt")),
        QStringLiteral("click cmdFile"),
        QStringLiteral("set txtFileTitle INSTALL"),
        QStringLiteral("answer yes"),
        QStringLiteral("click cmdClose"),
        // No ends the program without saving; the lines after it are not played.
        QStringLiteral("set txtFileTitle Read me"),
        QStringLiteral("answer no"),
        QStringLiteral("click mnuQuit"),
        QStringLiteral("click cmdSave"),
    };
    r.play(script);
    EXPECT_EQ(
        r.messages(),
        (QStringList{
            question(QStringLiteral("INSTALL")),
            QStringLiteral("This menu already has an entry titled \"INSTALL\", please choose another title!"),
            question(QStringLiteral("Read me"))}));
    EXPECT_EQ(r.events(QStringLiteral("quit")).size(), 1);
    const qint64 menuId = r.wizard().state().curMenuID;
    EXPECT_EQ(r.count(QString::fromUtf8(sql::menuEntries), {menuId}), 1);

    // A stored entry changed: Yes saves it, then the program ends.
    const QStringList toEntries = {
        QStringLiteral("click cmdEdit"), QStringLiteral("click cmdLoad"),
        QStringLiteral("click cmdNext"), QStringLiteral("click cmdNext"),
        QStringLiteral("click cmdNext"), QStringLiteral("choose lstFiles Install"),
    };
    r.restart();
    r.play(toEntries + QStringList{QStringLiteral("set txtFileDescription Changed"),
                                   QStringLiteral("answer yes"), QStringLiteral("click mnuQuit")});
    EXPECT_EQ(r.messages(), QStringList{question(QStringLiteral("Install"))});
    EXPECT_EQ(r.events(QStringLiteral("quit")).size(), 1);
    auto entries = r.wizard().myData().GetRS(QString::fromUtf8(sql::menuEntries), {menuId});
    ASSERT_EQ(entries->recordCount(), 1);
    EXPECT_EQ(entries->field(QStringLiteral("Description")), QStringLiteral("Changed"));

    // Nothing changed since the click: Close ends the program at once.
    r.restart();
    r.play(toEntries + QStringList{QStringLiteral("click cmdClose")});
    EXPECT_TRUE(r.messages().isEmpty());
    EXPECT_EQ(r.events(QStringLiteral("quit")).size(), 1);
}
