// Tests of the runner library in process: dialog answers handed to the wizard's prompts, the
// unanswered question, failing actions, dialog controls and the escapes.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include "base/error.h"
#include "scriptrunner.h"
#include "support/testsupport.h"
#include "wizard/controlnames.h"

using namespace torvel;

namespace {

struct Runner {
    test::ProgramDir program;
    QString outText;
    QString errText;
    QTextStream out{&outText};
    QTextStream err{&errText};
    ScriptRunner runner{program.path(), out, err};

    QStringList lines() const { return outText.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
};

QJsonObject parsed(const QString& line) {
    return QJsonDocument::fromJson(line.toUtf8()).object();
}

}  // namespace

TEST(ScriptRunner, DialogAnswersAreHandedOutFirstInFirstOutPerKind) {
    Runner r;
    Prompts& prompts = r.runner.prompts();
    r.runner.wizard().onClick(ctl::cmdBImage, [&] {
        const bool first = confirm(prompts, QStringLiteral("First?"));
        const bool second = confirm(prompts, QStringLiteral("Second?"));
        const auto file1 =
            prompts.openFile({QStringLiteral("Images|*.jpg"), QStringLiteral("jpg"), QString()});
        const auto file2 =
            prompts.openFile({QStringLiteral("Images|*.jpg"), QStringLiteral("jpg"), QString()});
        const auto color = prompts.chooseColor(16764689);
        const auto noColor = prompts.chooseColor(0);
        const auto font = prompts.chooseFont({QStringLiteral("Arial"), 14, true});
        const auto noFont = prompts.chooseFont({QStringLiteral("Arial"), 10, false});
        r.runner.wizard().form().setText(
            ctl::txtBackImage,
            QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
                .arg(first)
                .arg(second)
                .arg(file1.value_or(QStringLiteral("-")), file2.value_or(QStringLiteral("-")))
                .arg(color.value_or(-1))
                .arg(noColor.value_or(-1))
                .arg(font ? ScriptedPrompts::fontText(*font) : QStringLiteral("-"),
                     noFont ? ScriptedPrompts::fontText(*noFont) : QStringLiteral("-")));
    });
    // Answers of different kinds interleave freely; each kind keeps its own order.
    const int status = r.runner.run({
        QStringLiteral("answer no"),
        QStringLiteral("file /tmp/My\\tPictures/a b.jpg"),
        QStringLiteral("color 0xFF"),
        QStringLiteral("answer yes"),
        QStringLiteral("file cancel"),
        QStringLiteral("font Times New Roman;12.5;normal"),
        QStringLiteral("color cancel"),
        QStringLiteral("font cancel"),
        QStringLiteral("click cmdBImage"),
    });
    ASSERT_EQ(status, kScriptOk) << r.errText.toStdString();
    EXPECT_EQ(r.runner.wizard().form().text(ctl::txtBackImage),
              QStringLiteral("0 1 /tmp/My\tPictures/a b.jpg - 255 -1 Times New Roman;12.5;normal -"));
    const QStringList lines = r.lines();
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(parsed(lines[0])[QStringLiteral("answer")].toString(), QStringLiteral("no"));
    EXPECT_TRUE(parsed(lines[3])[QStringLiteral("answer")].isNull());
    EXPECT_EQ(lines[4], QStringLiteral(R"({"event":"color","preset":16764689,"answer":255})"));
}

TEST(ScriptRunner, UnansweredQuestionStopsTheScriptAtItsLine) {
    Runner r;
    r.runner.wizard().onClick(ctl::cmdMDelete, [&] {
        if (confirm(r.runner.prompts(), QStringLiteral("Really delete?"))) {
            r.runner.wizard().form().setText(ctl::txtTitle, QStringLiteral("deleted"));
        }
    });
    const int status = r.runner.run({QStringLiteral("answer yes"), QStringLiteral("click cmdMDelete"),
                                     QStringLiteral("# no answer left"), QStringLiteral("click cmdMDelete"),
                                     QStringLiteral("set txtTitle never")});
    EXPECT_EQ(status, kScriptError);
    EXPECT_EQ(r.runner.wizard().form().text(ctl::txtTitle), QStringLiteral("deleted"));
    ASSERT_EQ(r.lines().size(), 1);
    EXPECT_EQ(parsed(r.lines()[0])[QStringLiteral("answer")].toString(), QStringLiteral("yes"));
    EXPECT_TRUE(r.errText.startsWith(QStringLiteral("script:4: ")));
    EXPECT_TRUE(r.errText.contains(QStringLiteral("Really delete?"))) << r.errText.toStdString();
}

TEST(ScriptRunner, FailingActionIsShownAndTheScriptGoesOn) {
    Runner r;
    QFile::remove(r.program.database());
    r.runner.wizard().onClick(ctl::cmdEdit, [&] {
        r.runner.wizard().myData().GetRS(QStringLiteral("SELECT * FROM tblMenus"), {}, false);
    });
    const int status = r.runner.run({QStringLiteral("click cmdEdit"), QStringLiteral("click cmdNext")});
    EXPECT_EQ(status, kScriptOk) << r.errText.toStdString();
    ASSERT_EQ(r.lines().size(), 1);
    const QJsonObject message = parsed(r.lines()[0]);
    EXPECT_EQ(message[QStringLiteral("icon")].toString(), QStringLiteral("critical"));
    EXPECT_TRUE(message[QStringLiteral("text")].toString().contains(QStringLiteral("Torvel.dat")));
    EXPECT_EQ(r.runner.wizard().state().curStep, 1);
}

TEST(ScriptRunner, DialogControlsWorkOnlyWhileTheDialogIsOpen) {
    Runner r;
    Wizard& w = r.runner.wizard();
    Control field;
    field.name = QStringLiteral("txtProbe");
    field.kind = ControlKind::TextField;
    w.dialog(ctl::frmFiles).add(field);
    Control list;
    list.name = QStringLiteral("lstProbe");
    list.kind = ControlKind::ListBox;
    list.items = QStringList{QStringLiteral("a.exe"), QStringLiteral("b.exe")};
    w.dialog(ctl::frmFiles).add(list);
    int clicks = 0;
    w.onClick(QStringLiteral("frmFiles.lstProbe"), [&] { ++clicks; });

    EXPECT_EQ(r.runner.run({QStringLiteral("set frmFiles.txtProbe x")}), kScriptError);
    EXPECT_TRUE(r.errText.contains(QStringLiteral("not open"))) << r.errText.toStdString();
    EXPECT_FALSE(r.runner.dump().contains(QStringLiteral("frmFiles.")));

    w.setDialogOpen(ctl::frmFiles, true);
    r.errText.clear();
    ASSERT_EQ(r.runner.run({QStringLiteral("set frmFiles.txtProbe setup"),
                            QStringLiteral("choose frmFiles.lstProbe b.exe"), QStringLiteral("dump")}),
              kScriptOk)
        << r.errText.toStdString();
    EXPECT_EQ(clicks, 1);
    const QString dump = r.lines().last();
    // The dialog's controls follow every control of the main window.
    EXPECT_GT(dump.indexOf(QStringLiteral(R"("frmFiles.txtProbe":{"text":"setup","visible":true})")),
              dump.indexOf(QStringLiteral("\"Finish\":{")));
    EXPECT_TRUE(
        dump.contains(QStringLiteral(R"("frmFiles.lstProbe":{"items":["a.exe","b.exe"],"selected":1,)")));
}

TEST(ScriptRunner, UnescapesOnlyTheFourEscapes) {
    QString error;
    EXPECT_EQ(unescapeScriptText(QStringLiteral("a\\nb\\rc\\td\\\\e\\\\n"), &error),
              QStringLiteral("a\nb\rc\td\\e\\n"));
    EXPECT_EQ(unescapeScriptText(QString(), &error), QString());
    for (const QString& bad : {QStringLiteral("C:\\Temp"), QStringLiteral("end\\"), QStringLiteral("\\\"")}) {
        error.clear();
        EXPECT_FALSE(unescapeScriptText(bad, &error).has_value()) << bad.toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}
