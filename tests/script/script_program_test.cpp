// End-to-end tests of the torvel-script program: scripts are played by the built binary on a
// temporary program folder, and its standard output, standard error and exit status checked.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "support/testsupport.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"

using namespace torvel;

namespace {

struct Played {
    int exitCode = -1;
    QStringList lines;  // standard output, one JSON object per line
    QString err;
};

// Plays `script` through the program; "-" feeds it on standard input instead of a file.
Played play(const QString& programDir, const QByteArray& script, bool viaStdin = false) {
    QTemporaryDir scriptDir;
    const QString scriptFile = scriptDir.filePath(QStringLiteral("actions.txt"));
    if (!viaStdin) {
        QFile f(scriptFile);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(script);
    }
    QProcess process;
    process.start(QStringLiteral(TORVEL_SCRIPT_BINARY),
                  {QStringLiteral("--program-dir"), programDir, viaStdin ? QStringLiteral("-") : scriptFile});
    EXPECT_TRUE(process.waitForStarted());
    if (viaStdin) {
        process.write(script);
    }
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000));
    Played played;
    played.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    played.lines =
        QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    played.err = QString::fromUtf8(process.readAllStandardError());
    return played;
}

QJsonObject parsed(const QString& line) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(line.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
    return doc.object();
}

QJsonObject control(const QString& dumpLine, const QString& name) {
    return parsed(dumpLine)[QStringLiteral("controls")].toObject()[name].toObject();
}

QJsonObject state(const QString& dumpLine) {
    return parsed(dumpLine)[QStringLiteral("state")].toObject();
}

}  // namespace

TEST(ScriptProgram, DumpAtStartShowsStateAndEveryControlInOrder) {
    test::ProgramDir program;
    const Played played = play(program.path(), "# nothing done yet\n\ndump\n");
    ASSERT_EQ(played.exitCode, 0) << played.err.toStdString();
    EXPECT_TRUE(played.err.isEmpty());
    ASSERT_EQ(played.lines.size(), 1);
    const QString& dump = played.lines.first();

    EXPECT_TRUE(dump.startsWith(QStringLiteral(
        R"({"event":"dump","state":{"curStep":0,"curMenuID":0,"menuLoaded":false,"cdRoot":"","curStyleID":0,)"
        R"("styleRS":false,"curFileName":""},"controls":{)")))
        << dump.toStdString();
    // Each kind of control with its keys in their fixed order.
    EXPECT_TRUE(dump.contains(QStringLiteral(R"("txtTitle":{"text":"","visible":true})")));
    EXPECT_TRUE(dump.contains(QStringLiteral(R"("lstFiles":{"items":[],"selected":-1,"visible":true})")));
    EXPECT_TRUE(dump.contains(QStringLiteral(R"("colBack":{"color":0,"visible":true})")));
    EXPECT_TRUE(dump.contains(QStringLiteral(R"("cmdNext":{"caption":"Next >","visible":true})")));
    EXPECT_TRUE(dump.contains(QStringLiteral(R"("Finish":{"caption":"Finish","visible":false})")));
    EXPECT_TRUE(dump.contains(QStringLiteral(
        R"("cmbTemplate":{"text":"Standard","items":["Standard","Standard Screenshots","Extended",)"
        R"("Extended Screenshots"],"selected":)")));

    // Every control of the main window, in the catalogue's order and nothing else.
    ScriptedPrompts prompts;
    const auto built = buildWizard(prompts, program.path());
    Wizard& catalogue = *built;
    qsizetype last = -1;
    for (const Control& c : catalogue.form().controls()) {
        const qsizetype at = dump.indexOf(QStringLiteral("\"%1\":{").arg(c.name));
        ASSERT_GT(at, last) << c.name.toStdString() << " missing or out of order";
        last = at;
    }
    EXPECT_EQ(parsed(dump)[QStringLiteral("controls")].toObject().size(),
              static_cast<qsizetype>(catalogue.form().controls().size()));
}

TEST(ScriptProgram, NextAndBackMoveThePages) {
    test::ProgramDir program;
    const Played played = play(program.path(),
                               "click cmdNext\ndump\n"
                               "click cmdBack\ndump\n"
                               "click cmdBack\ndump\n");
    ASSERT_EQ(played.exitCode, 0) << played.err.toStdString();
    ASSERT_EQ(played.lines.size(), 3);
    EXPECT_EQ(state(played.lines[0])[QStringLiteral("curStep")].toInt(), 1);
    EXPECT_TRUE(control(played.lines[0], ctl::step1)[QStringLiteral("visible")].toBool());
    EXPECT_FALSE(control(played.lines[0], ctl::step0)[QStringLiteral("visible")].toBool());
    EXPECT_EQ(state(played.lines[1])[QStringLiteral("curStep")].toInt(), 0);
    EXPECT_TRUE(control(played.lines[1], ctl::step0)[QStringLiteral("visible")].toBool());
    // Back on page 0 changes nothing.
    EXPECT_EQ(played.lines[2], played.lines[1]);
}

TEST(ScriptProgram, SetTakesTheRestOfTheLineWithEscapes) {
    test::ProgramDir program;
    const QByteArray script =
        "set txtTitle  two  blanks  \n"
        "set txtFileDescription line one\\r\\nline\\ttwo \\\\server\\\\share\n"
        "set txtStyleName Zürich – 東京 \"quoted\"\n"
        "set txtFileCat \n"
        "set cmbTemplate My own\r\n"
        "dump\n";
    const Played played = play(program.path(), script);
    ASSERT_EQ(played.exitCode, 0) << played.err.toStdString();
    ASSERT_EQ(played.lines.size(), 1);
    const QString& dump = played.lines.first();
    EXPECT_EQ(control(dump, ctl::txtTitle)[QStringLiteral("text")].toString(),
              QStringLiteral(" two  blanks  "));
    EXPECT_EQ(control(dump, ctl::txtFileDescription)[QStringLiteral("text")].toString(),
              QStringLiteral("line one\r\nline\ttwo \\server\\share"));
    EXPECT_EQ(control(dump, ctl::txtStyleName)[QStringLiteral("text")].toString(),
              QStringLiteral("Zürich – 東京 \"quoted\""));
    EXPECT_EQ(control(dump, ctl::txtFileCat)[QStringLiteral("text")].toString(), QString());
    // A drop-down list's text field takes any text (a CR LF line end is not part of it); the
    // selection stays as it was.
    const QJsonObject templ = control(dump, ctl::cmbTemplate);
    EXPECT_EQ(templ[QStringLiteral("text")].toString(), QStringLiteral("My own"));
    EXPECT_EQ(templ[QStringLiteral("selected")].toInt(), -1);
    // set fires nothing.
    EXPECT_EQ(state(dump)[QStringLiteral("curStep")].toInt(), 0);
}

TEST(ScriptProgram, ChooseSelectsTheItemAndItsText) {
    test::ProgramDir program;
    const Played played = play(program.path(),
                               "choose cmbTemplate Extended Screenshots\ndump\n"
                               "choose cmbTemplate Extended\ndump\n");
    ASSERT_EQ(played.exitCode, 0) << played.err.toStdString();
    ASSERT_EQ(played.lines.size(), 2);
    for (const auto& [line, item] : {std::pair{played.lines[0], QStringLiteral("Extended Screenshots")},
                                     std::pair{played.lines[1], QStringLiteral("Extended")}}) {
        const QJsonObject templ = control(line, ctl::cmbTemplate);
        EXPECT_EQ(templ[QStringLiteral("text")].toString(), item);
        EXPECT_EQ(
            templ[QStringLiteral("items")].toArray().at(templ[QStringLiteral("selected")].toInt()).toString(),
            item);
    }
}

TEST(ScriptProgram, QuitStopsTheScript) {
    test::ProgramDir program;
    for (const char* quit : {"click cmdClose", "click mnuQuit"}) {
        // The lines after the quit are never run: not even the unknown command.
        const Played played =
            play(program.path(), QByteArray("click cmdNext\n") + quit + "\ndump\nnonsense\n");
        EXPECT_EQ(played.exitCode, 0) << quit;
        EXPECT_EQ(played.lines, QStringList{QStringLiteral(R"({"event":"quit"})")}) << quit;
        EXPECT_TRUE(played.err.isEmpty()) << played.err.toStdString();
    }
}

TEST(ScriptProgram, ScriptErrorsNameTheLineAndStopWithStatusTwo) {
    test::ProgramDir program;
    struct Case {
        QByteArray line;
        QString expected;  // text the message must hold
    };
    const Case cases[] = {
        {"frobnicate txtTitle", QStringLiteral("unknown command \"frobnicate\"")},
        {"click cmdNope", QStringLiteral("unknown control \"cmdNope\"")},
        {"set frmNowhere.txtA x", QStringLiteral("unknown control \"frmNowhere.txtA\"")},
        {"click frmFiles.cmdNope", QStringLiteral("unknown control \"frmFiles.cmdNope\"")},
        {"set txtTitle", QStringLiteral("set needs a text")},
        {"click", QStringLiteral("click needs a control name")},
        {"click cmdNext now", QStringLiteral("click takes only a control name")},
        {"set cmdNext Hello", QStringLiteral("\"cmdNext\" has no text to set")},
        {"set txtTitle C:\\CD", QStringLiteral("unknown escape \\C")},
        {"set txtTitle trailing\\", QStringLiteral("lone backslash")},
        {"choose cmbTemplate Fancy", QStringLiteral("\"cmbTemplate\" has no item \"Fancy\"")},
        {"choose cmbTemplate extended", QStringLiteral("has no item \"extended\"")},
        {"choose cmbTemplate two\\nlines", QStringLiteral("has no item \"two\\nlines\"")},
        {"choose txtTitle Standard", QStringLiteral("\"txtTitle\" is not a list")},
        {"answer maybe", QStringLiteral("answer must be yes or no")},
        {"answer", QStringLiteral("answer needs an argument")},
        {"color red", QStringLiteral("\"red\" is not a colour number")},
        {"color 16777216", QStringLiteral("is not a colour number")},
        {"font Arial;big;bold", QStringLiteral("\"Arial;big;bold\" is not a font")},
        {"font Arial;12;italic", QStringLiteral("is not a font")},
        {"file", QStringLiteral("file needs an argument")},
        {"dump now", QStringLiteral("dump takes no argument")},
    };
    for (const Case& c : cases) {
        // Comments and blank lines count in the line numbers; what ran before the error stays printed.
        const Played played = play(program.path(), "# a comment\n\n  dump\n" + c.line + "\ndump\n");
        EXPECT_EQ(played.exitCode, 2) << c.line.toStdString();
        EXPECT_EQ(played.lines.size(), 1) << c.line.toStdString();
        EXPECT_TRUE(played.err.startsWith(QStringLiteral("script:4: "))) << played.err.toStdString();
        EXPECT_TRUE(played.err.contains(c.expected))
            << c.line.toStdString() << " -> " << played.err.toStdString();
        EXPECT_EQ(played.err.count(QLatin1Char('\n')), 1) << played.err.toStdString();
    }
}

TEST(ScriptProgram, ReadsStandardInputAndChecksItsCommandLine) {
    test::ProgramDir program;
    const Played fromStdin = play(program.path(), "set txtTitle From a pipe\ndump\n", true);
    ASSERT_EQ(fromStdin.exitCode, 0) << fromStdin.err.toStdString();
    ASSERT_EQ(fromStdin.lines.size(), 1);
    EXPECT_EQ(control(fromStdin.lines[0], ctl::txtTitle)[QStringLiteral("text")].toString(),
              QStringLiteral("From a pipe"));

    // Answers left unused at the end are no error.
    EXPECT_EQ(play(program.path(), "answer yes\nfile cancel\ncolor 255\nfont Verdana;12;bold\n").exitCode, 0);

    const Played noFolder = play(program.path() + QStringLiteral("/missing"), "dump\n");
    EXPECT_EQ(noFolder.exitCode, 2);
    EXPECT_TRUE(noFolder.err.contains(QStringLiteral("does not exist"))) << noFolder.err.toStdString();
    EXPECT_TRUE(noFolder.lines.isEmpty());

    QProcess process;
    process.start(QStringLiteral(TORVEL_SCRIPT_BINARY), {QStringLiteral("--program-dir"), program.path(),
                                                         program.file(QStringLiteral("no-such-script"))});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_TRUE(process.readAllStandardError().contains("cannot read the script"));
}

TEST(ScriptProgram, MissingDatabaseIsReportedByTheFirstActionThatNeedsIt) {
    test::ProgramDir program(false);
    // Create Menu fills the style list from the database.
    const Played played = play(program.path(), "click cmdNew\ndump\n");
    ASSERT_EQ(played.exitCode, 0) << played.err.toStdString();
    QJsonObject message;
    for (const QString& line : played.lines) {
        if (parsed(line)[QStringLiteral("event")].toString() == QStringLiteral("message")) {
            message = parsed(line);
            break;
        }
    }
    if (message.isEmpty()) {
        GTEST_SKIP() << "Create Menu does not read the database yet";
    }
    EXPECT_EQ(message[QStringLiteral("icon")].toString(), QStringLiteral("critical"));
    EXPECT_TRUE(message[QStringLiteral("text")].toString().contains(QStringLiteral("Torvel.dat")));
    // The script goes on after the message.
    EXPECT_EQ(parsed(played.lines.last())[QStringLiteral("event")].toString(), QStringLiteral("dump"));
}
