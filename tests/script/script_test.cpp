// The script runner in process, and the torvel-script program's command line, input and status.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QProcess>

#include "scriptrunner.h"
#include "support/testsupport.h"
#include "wizard/controlnames.h"

using namespace torvel;
using namespace Qt::StringLiterals;

namespace {

struct Runner {
    test::ProgramDir program;
    QString outText;
    QString errText;
    QTextStream out{&outText};
    QTextStream err{&errText};
    ScriptRunner runner{program.path(), out, err};

    // Plays the lines on fresh output streams and returns the exit status.
    int play(const QStringList& lines) {
        outText.clear();
        errText.clear();
        return runner.run(lines);
    }
    QStringList lines() const { return outText.split(u'\n', Qt::SkipEmptyParts); }
    QJsonObject control(const QString& name) {
        return test::event(runner.dump())[u"controls"_s].toObject()[name].toObject();
    }
};

// Runs torvel-script with these arguments and standard input: its exit status, output and errors.
std::tuple<int, QStringList, QString> run(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess process;
    process.start(QStringLiteral(TORVEL_SCRIPT_BINARY), arguments);
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
            QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace

TEST(ScriptRunner, DumpShowsTheStateAndEveryControlWithTheValuesOfItsKind) {
    Runner r;
    ASSERT_EQ(r.play({u"# nothing done yet"_s, QString(), u"  dump"_s}), kScriptOk);
    ASSERT_EQ(r.lines().size(), 1);
    const QJsonObject dump = test::event(r.lines()[0]);
    EXPECT_EQ(dump[u"state"_s], test::event(uR"({"curStep":0,"curMenuID":0,"menuLoaded":false,"cdRoot":"",)"
                                            uR"("curStyleID":0,"styleRS":false,"curFileName":""})"_s));
    QStringList names;
    for (const Control& c : r.runner.wizard().form().controls()) {
        names << c.name;
    }
    names.sort();
    const QJsonObject controls = dump[u"controls"_s].toObject();
    EXPECT_EQ(controls.keys(), names);
    for (
        const auto& [name, values] :
        {std::pair{ctl::txtTitle, uR"({"text":"","visible":true,"enabled":true})"_s},
         std::pair{ctl::colBack, uR"({"color":-1,"visible":true,"enabled":true})"_s},
         std::pair{ctl::lstFiles, uR"({"items":[],"selected":-1,"visible":true,"enabled":true})"_s},
         std::pair{ctl::Finish, uR"({"caption":"Finish","visible":false,"enabled":true})"_s},
         std::pair{ctl::mnuMakeIso, uR"({"caption":"Make ISO Image…","visible":true,"enabled":false})"_s},
         std::pair{
             ctl::cmbTemplate,
             uR"({"text":"Standard","items":["Standard","Standard Screenshots",)"
             uR"("Extended","Extended Screenshots","Modern"],"selected":-1,"visible":true,"enabled":true})"_s}}) {
        EXPECT_EQ(controls[name], test::event(values)) << name;
    }
}

TEST(ScriptRunner, SetTakesTheRestOfTheLineChooseSelectsAndQuitStops) {
    Runner r;
    ASSERT_EQ(r.play({u"set txtTitle  two  blanks  "_s,
                      u"set txtFileDescription a\\r\\nb\\tc \\\\server\\\\share"_s,
                      u"set txtStyleName Zürich – 東京 \"quoted\""_s, u"set txtFileCat "_s,
                      u"set cmbTemplate My own\r"_s}),
              kScriptOk)
        << r.errText.toStdString();
    EXPECT_EQ(r.control(ctl::txtTitle)[u"text"_s], u" two  blanks  "_s);
    EXPECT_EQ(r.control(ctl::txtFileDescription)[u"text"_s], u"a\r\nb\tc \\server\\share"_s);
    EXPECT_EQ(r.control(ctl::txtStyleName)[u"text"_s], u"Zürich – 東京 \"quoted\""_s);
    EXPECT_EQ(r.control(ctl::txtFileCat)[u"text"_s], QString());
    // A drop-down list's text takes any text; the selection stays. set fires nothing.
    EXPECT_EQ(r.control(ctl::cmbTemplate)[u"text"_s], u"My own"_s);
    EXPECT_EQ(r.control(ctl::cmbTemplate)[u"selected"_s], -1);
    EXPECT_EQ(r.runner.wizard().state().curStep, 0);
    for (const QString& item : {u"Extended Screenshots"_s, u"Extended"_s}) {
        ASSERT_EQ(r.play({u"choose cmbTemplate "_s + item}), kScriptOk);
        const QJsonObject templ = r.control(ctl::cmbTemplate);
        EXPECT_EQ(templ[u"text"_s], item);
        EXPECT_EQ(templ[u"items"_s].toArray().at(templ[u"selected"_s].toInt()), item);
    }
    // Answers left unused are no error. The lines after a quit never run, not even a wrong one.
    EXPECT_EQ(r.play({u"answer no"_s, u"file cancel"_s, u"color 255"_s, u"font Verdana;12;bold"_s,
                      u"click cmdClose"_s, u"dump"_s, u"nonsense"_s}),
              kScriptOk);
    EXPECT_EQ(r.lines().size(), 2);  // the question whether to save the entry typed in, and the quit
    EXPECT_EQ(r.lines().last(), uR"({"event":"quit"})"_s);
    EXPECT_TRUE(r.errText.isEmpty()) << r.errText.toStdString();
}

TEST(ScriptRunner, ScriptErrorsNameTheLineAndStopTheScript) {
    // clang-format off
    // Each line with the text its message must hold.
    const struct { const char* line; const char* expected; } cases[] = {
        {"frobnicate txtTitle", "unknown command \"frobnicate\""}, {"click cmdNope", "unknown control \"cmdNope\""},
        {"set frmNowhere.txtA x", "unknown control \"frmNowhere.txtA\""},
        {"click frmFiles.cmdNope", "unknown control \"frmFiles.cmdNope\""},
        {"set txtTitle", "set needs a text"}, {"click", "click needs a control name"},
        {"click cmdNext now", "click takes only a control name"}, {"set cmdNext Hello", "\"cmdNext\" has no text to set"},
        {"set txtTitle C:\\CD", "unknown escape \\C"}, {"set txtTitle trailing\\", "lone backslash"},
        {"choose cmbTemplate Fancy", "\"cmbTemplate\" has no item \"Fancy\""},
        {"choose cmbTemplate extended", "has no item \"extended\""},
        {"choose cmbTemplate two\\nlines", "has no item \"two\\nlines\""},
        {"choose txtTitle Standard", "\"txtTitle\" is not a list"}, {"answer maybe", "answer must be yes or no"},
        {"answer", "answer needs an argument"}, {"color red", "\"red\" is not a colour number"},
        {"color 16777216", "is not a colour number"}, {"font Arial;big;bold", "\"Arial;big;bold\" is not a font"},
        {"font Arial;12;italic", "is not a font"}, {"file", "file needs an argument"},
        {"dump now", "dump takes no argument"}
    };
    // clang-format on
    Runner r;
    for (const auto& c : cases) {
        // Comments and blank lines count in the line numbers; what ran before the error stays printed.
        EXPECT_EQ(r.play({u"# a comment"_s, QString(), u"dump"_s, QString::fromUtf8(c.line), u"dump"_s}),
                  kScriptError)
            << c.line;
        EXPECT_EQ(r.lines().size(), 1) << c.line;
        EXPECT_TRUE(r.errText.startsWith(u"script:4: "_s) && r.errText.count(u'\n') == 1 &&
                    r.errText.contains(QString::fromUtf8(c.expected)))
            << c.line << " -> " << r.errText.toStdString();
    }
}

TEST(ScriptRunner, AnswersAreHandedOutFirstInFirstOutPerKind) {
    Runner r;
    Prompts& prompts = r.runner.prompts();
    QStringList got;
    r.runner.wizard().onClick(ctl::cmdBImage, [&] {
        for (int twice = 0; twice < 2; ++twice) {
            got << QString::number(confirm(prompts, u"Sure?"_s))
                << prompts.openFile({u"Choose"_s, u"Images|*.jpg"_s, u"jpg"_s, QString()}).value_or(u"-"_s)
                << QString::number(prompts.chooseColor(16764689).value_or(-1));
            const auto font = prompts.chooseFont({u"Arial"_s, 14, true});
            got << (font ? ScriptedPrompts::fontText(*font) : u"-"_s);
        }
    });
    // Answers of different kinds interleave freely; each kind keeps its own order.
    ASSERT_EQ(r.play({u"answer no"_s, u"file /tmp/My\\tPictures/a b.jpg"_s, u"color 0xFF"_s, u"answer yes"_s,
                      u"file cancel"_s, u"font Times New Roman;12.5;normal"_s, u"color cancel"_s,
                      u"font cancel"_s, u"click cmdBImage"_s}),
              kScriptOk)
        << r.errText.toStdString();
    EXPECT_EQ(got, (QStringList{u"0"_s, u"/tmp/My\tPictures/a b.jpg"_s, u"255"_s,
                                u"Times New Roman;12.5;normal"_s, u"1"_s, u"-"_s, u"-1"_s, u"-"_s}));
    const QList<QJsonObject> shown = test::events(r.lines());
    ASSERT_EQ(shown.size(), 8);
    EXPECT_EQ(shown[2], QJsonObject({{u"event"_s, u"color"_s}, {u"preset"_s, 16764689}, {u"answer"_s, 255}}));
    EXPECT_TRUE(shown[5][u"answer"_s].isNull());
    // A question without an answer stops the script at its line.
    ASSERT_EQ(r.play({u"answer yes"_s, u"click cmdBImage"_s}), kScriptError);
    EXPECT_TRUE(r.errText.startsWith(u"script:2: the open-file dialog has no queued answer"_s))
        << r.errText.toStdString();
}

TEST(ScriptRunner, DialogControlsWorkOnlyWhileTheDialogIsOpen) {
    Runner r;
    Wizard& w = r.runner.wizard();
    w.dialog(ctl::frmFiles).setItems(ctl::cmbDesTitle, {u"a.exe"_s, u"b.exe"_s});
    int clicks = 0;
    w.onClick(u"frmFiles.cmbDesTitle"_s, [&] { ++clicks; });
    EXPECT_EQ(r.play({u"set frmFiles.txtDesText x"_s}), kScriptError);
    EXPECT_TRUE(r.errText.contains(u"is on frmFiles, which is not open"_s)) << r.errText.toStdString();
    EXPECT_FALSE(r.runner.dump().contains(u"frmFiles."_s));

    w.setDialogOpen(ctl::frmFiles, true);
    ASSERT_EQ(r.play({u"set frmFiles.txtDesText setup"_s, u"choose frmFiles.cmbDesTitle b.exe"_s, u"dump"_s}),
              kScriptOk)
        << r.errText.toStdString();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(r.control(u"frmFiles.txtDesText"_s)[u"text"_s], u"setup"_s);
    EXPECT_EQ(r.control(u"frmFiles.cmbDesTitle"_s)[u"selected"_s], 1);
}

// The Disc menu through a script: refused until a CD root is chosen, then the preview, the CD
// root, the check's table and the image with its save-file dialog, refusal, question and progress.
TEST(ScriptRunner, TheDiscMenuWaitsForARootThenPreviewsChecksAndMakesTheImage) {
    Runner r;
    test::TempFolder disc;
    test::TempFolder out;
    const QString root = disc.path();
    const QString image = out.file(u"tools.iso"_s);
    disc.write(u"Tools/setup.exe"_s, "MZ");
    EXPECT_EQ(r.play({u"click mnuPreview"_s}), kScriptError);
    EXPECT_EQ(r.errText, u"script:1: \"mnuPreview\" is not enabled\n"_s);
    ASSERT_EQ(r.play({u"set txtTitle Tools: 2026"_s, u"folder "_s + root, u"click mnuPreview"_s,
                      u"click mnuOpenRoot"_s, u"click mnuCheckDisc"_s, u"save cancel"_s,
                      u"click mnuMakeIso"_s, u"save "_s + root + u"/Tools/x.iso"_s, u"click mnuMakeIso"_s,
                      u"save "_s + image, u"answer no"_s, u"click mnuMakeIso"_s}),
              kScriptOk)
        << r.errText.toStdString();
    EXPECT_EQ(r.control(ctl::mnuMakeIso)[u"enabled"_s], true);
    const auto kind = [&](const QString& event) { return test::events(r.lines(), event); };
    EXPECT_EQ(
        test::messages(r.lines()),
        (QStringList{u"Please press Finish first: there is no start page to show yet."_s,
                     u"The image cannot be written into the CD root folder itself, please choose another "
                     "folder!"_s,
                     u"The check found 4 errors that will make the disc fail (see Disc > Check Disc). Make "
                     "the image anyway?"_s}));
    EXPECT_EQ(kind(u"open-url"_s).value(0)[u"url"_s], u"file://"_s + root + u"/"_s);
    const QJsonObject table = kind(u"table"_s).value(0);
    EXPECT_EQ(table[u"text"_s], u"The check found 4 problems."_s);
    EXPECT_EQ(table[u"rows"_s].toArray().first(),
              QJsonArray({u"error"_s, u"Index.htm is missing: press Finish to write it."_s, u"Index.htm"_s}));
    EXPECT_EQ(kind(u"save-file"_s).value(0)[u"initialPath"_s],
              QFileInfo(root).absolutePath() + u"/Tools_ 2026.iso"_s);
    EXPECT_TRUE(kind(u"progress"_s).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(image) || QFileInfo::exists(root + u"/Tools/x.iso"_s));

    disc.write(u"Index.htm"_s, "<html></html>");
    ASSERT_EQ(r.play({u"click mnuPreview"_s, u"save "_s + image, u"answer yes"_s, u"click mnuMakeIso"_s}),
              kScriptOk);
    EXPECT_EQ(test::events(r.lines(), u"open-url"_s).value(0)[u"url"_s],
              u"file://"_s + root + u"/Index.htm"_s);
    const QList<QJsonObject> steps = test::events(r.lines(), u"progress"_s);
    ASSERT_GE(steps.size(), 2);
    EXPECT_EQ(steps.first()[u"done"_s], 0);
    EXPECT_EQ(steps.last()[u"done"_s].toInteger(), QFileInfo(image).size());
    EXPECT_EQ(test::events(r.lines()).last(),
              QJsonObject({{u"event"_s, u"message"_s},
                           {u"icon"_s, u"information"_s},
                           {u"buttons"_s, u"ok"_s},
                           {u"title"_s, u" "_s},
                           {u"text"_s, u"The image "_s + image + u" has been written."_s}}));
    EXPECT_EQ(test::readFile(image).mid(16 * 2048, 6), QByteArray("\1CD001"));
}

TEST(ScriptProgram, PlaysAScriptFileOrStandardInputAndExitsWithItsStatus) {
    test::ProgramDir program;
    const QStringList options{u"--program-dir"_s, program.path()};
    // A file with CR LF line ends; the script error on line 3 stops it with status 2.
    const QString script =
        program.write(u"actions.txt"_s, "set txtTitle From a file\r\ndump\r\nfrobnicate\r\n");
    const auto [status, lines, err] = run(options + QStringList{script});
    EXPECT_EQ(status, 2);
    EXPECT_EQ(test::event(lines.value(0))[u"controls"_s][u"txtTitle"_s][u"text"_s], u"From a file"_s);
    EXPECT_EQ(err, u"script:3: unknown command \"frobnicate\"\n"_s);
    EXPECT_EQ(run(options + QStringList{u"-"_s}, "set txtTitle From a pipe\nclick cmdClose\n"),
              std::make_tuple(0, QStringList{uR"({"event":"quit"})"_s}, QString()));
    const std::pair<QStringList, QString> wrong[] = {
        {{u"--program-dir"_s, program.path() + u"/missing"_s, script}, u"does not exist"_s},
        {options + QStringList{program.path() + u"/no-script"_s}, u"cannot read the script"_s}};
    for (const auto& [arguments, expected] : wrong) {
        const auto [wrongStatus, wrongLines, wrongErr] = run(arguments);
        EXPECT_TRUE(wrongStatus == 2 && wrongLines.isEmpty() && wrongErr.contains(expected))
            << wrongErr.toStdString();
    }
}
