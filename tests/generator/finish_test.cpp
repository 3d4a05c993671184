#include <gtest/gtest.h>

#include <QFile>
#include <QtEndian>
#include <csignal>
#include <functional>
#include <map>

#include "data/statements.h"
#include "files/paths.h"
#include "files/safefile.h"
#include "generator/packagebuilder.h"
#include "support/testsupport.h"
#include "wizard/controlnames.h"

namespace torvel::test {
namespace {

using namespace Qt::StringLiterals;

// The files Finish copies from the program folder, as the build puts them there.
TEST(ProgramFolder, StartProgramIsA64BitWindowsGuiExecutableWithAnIconThatAutorunOpens) {
    const QByteArray exe = readFile(QStringLiteral(TORVEL_PROGRAM_DIR "/Start.exe"));
    const auto u16 = [&exe](qsizetype at) { return qFromLittleEndian<quint16>(exe.constData() + at); };
    const auto u32 = [&exe](qsizetype at) { return qFromLittleEndian<quint32>(exe.constData() + at); };
    ASSERT_GT(exe.size(), 1024) << "Start.exe missing from the program folder";
    EXPECT_LT(exe.size(), 64 * 1024);
    ASSERT_TRUE(exe.startsWith("MZ"));
    const quint32 pe = u32(0x3C);
    const quint32 optional = pe + 24;
    ASSERT_LT(optional + 112 + 8 * 3, quint32(exe.size()));
    ASSERT_EQ(exe.mid(pe, 4), QByteArray("PE\0\0", 4));
    EXPECT_EQ(u16(pe + 4), 0x8664);                  // x86-64
    EXPECT_EQ(u16(optional), 0x20B);                 // PE32+
    EXPECT_EQ(u16(optional + 68), 2);                // Windows GUI subsystem
    EXPECT_GT(u32(optional + 112 + 8 * 2 + 4), 0u);  // a resource directory (the icon)

    EXPECT_EQ(
        readFile(QStringLiteral(TORVEL_PROGRAM_DIR "/AUTORUN.INF")),
        QByteArray("[autorun]\r\nopen=Start.exe\r\nicon=Start.exe,0\r\naction=Open the start menu\r\n"));
}

// A wizard whose menu is stored in its own Torvel.dat, with the program folder's files ready.
struct FinishFixture : WizardFixture {
    QTemporaryDir disc;
    FinishFixture() {
        program.write(u"AUTORUN.INF"_s, "[autorun]\r\nopen=Start.exe\r\n");
        program.write(u"Start.exe"_s, "MZ start program");
        clsData& data = wizard->myData();
        wizard->state().cdRoot = root();
        wizard->state().curMenuID = data.executeInsert(QString::fromLatin1(sql::insertMenu),
                                                       {u"Standard"_s, u"Finished CD"_s, 1, root()});
        data.ExecuteSQL(QString::fromLatin1(sql::insertEntry),
                        {wizard->state().curMenuID, u"Tools"_s, u"Setup"_s, u"Tools/setup.exe"_s,
                         u"Installs it"_s, u"none"_s});
        form().setText(ctl::txtTitle, u"Finished CD"_s);
        form().setText(ctl::cmbTemplate, u"Standard"_s);
        form().setText(ctl::txtLogoImage, u"logo.png"_s);
    }
    QString root() const { return withTrailingSeparator(QDir::toNativeSeparators(disc.path())); }
    QStringList files() const { return QDir(disc.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }
    QByteArray file(const QString& name) const { return readFile(root() + name); }
    // Writes a file into the CD root as an earlier run would have, and notes it in `written`.
    void write(const QString& name, const QByteArray& content) {
        QFile file(root() + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        written[name] = content;
    }
    std::map<QString, QByteArray> written;
    // The temporary files the safe writer left in the CD root.
    QStringList leftovers() const {
        return QDir(disc.path()).entryList({u".torvel-*"_s}, QDir::Files | QDir::Hidden | QDir::System);
    }
    // Finish; its events, each one's fields joined by "|": "busy|true", "message|ICON|BUTTONS|TITLE|TEXT".
    QStringList finish() {
        prompts.clearTranscript();
        wizard->click(ctl::Finish);
        QStringList events;
        for (const QString& line : prompts.transcript()) {
            QStringList fields;
            for (const char* key : {"event", "on", "icon", "buttons", "title", "text"}) {
                if (event(line).contains(QLatin1String(key))) {
                    fields << event(line).value(QLatin1String(key)).toVariant().toString();
                }
            }
            events << fields.join(u'|');
        }
        return events;
    }
};

const QString kNoPage = u"Index.hta was not written: no start page was written."_s;
const QString kHtm = u"Index.htm could not be written: "_s;
const QString kAutorun = u"AUTORUN.INF could not be copied: "_s;
const QString kStart = u"Start.exe could not be copied: "_s;
const QStringList kSuccess{u"busy|true"_s, u"busy|false"_s,
                           u"message|information|ok| |Your Menu has been successfully created!"_s};

// A Finish whose steps did not all work: one message with a line per step failed or skipped.
QStringList incomplete(const QStringList& lines) {
    return {u"busy|true"_s, u"busy|false"_s,
            u"message|critical|ok| |The menu was not created completely:\n"_s + lines.join(u'\n')};
}

TEST(Finish, MakesTheFinishedFolderReplacingLinksAtItsNamesNeverWritingThrough) {
    FinishFixture f;
    f.form().setText(ctl::cmbTemplate, u"Extended Screenshots"_s);
    TempFolder elsewhere;
    const QStringList names{u"AUTORUN.INF"_s, u"Index.hta"_s, u"Index.htm"_s, u"Start.exe"_s};
    for (const QString& name : names) {
        ASSERT_TRUE(QFile::link(elsewhere.write(name, "precious"), f.root() + name));
    }
    EXPECT_EQ(f.finish(), kSuccess);
    EXPECT_EQ(f.files(), names);
    for (const QString& name : names) {
        EXPECT_EQ(readFile(elsewhere.file(name)), "precious");
        EXPECT_FALSE(QFileInfo(f.root() + name).isSymLink()) << name.toStdString();
    }
    // The page of the chosen template with the author's title and logo, its twin, the copies.
    const QByteArray page = f.file(u"Index.htm"_s);
    EXPECT_TRUE(page.contains("      <h2>Finished CD</h2>\r\n") && page.contains("'Menu/logo.png'"));
    EXPECT_TRUE(page.contains("displayCat(0)'>Tools</p>") && page.contains("<td id='SShot'"));
    EXPECT_EQ(f.file(u"Index.hta"_s), page);
    for (const QString& copied : {u"AUTORUN.INF"_s, u"Start.exe"_s}) {
        EXPECT_EQ(f.file(copied), readFile(f.program.file(copied)));
    }
}

TEST(Finish, ReportsEveryStepThatWasNotDoneAndLeavesOlderFilesAlone) {
    const QString gone = u"No such file or directory."_s;
    struct Case {
        std::function<void(FinishFixture&)> setUp;
        QString files;      // what the CD root holds afterwards
        QStringList lines;  // the steps reported
    };
    const Case cases[] = {
        {[](FinishFixture& f) { f.form().setText(ctl::cmbTemplate, u"standard"_s); },
         u"AUTORUN.INF Start.exe"_s,
         {u"Index.htm was not written: the template \"standard\" is unknown."_s, kNoPage}},
        {[](FinishFixture& f) { f.form().setText(ctl::cmbTemplate, QString()); },
         u"AUTORUN.INF Start.exe"_s,
         {u"Index.htm was not written: the template \"\" is unknown."_s, kNoPage}},
        // No entries: an earlier run's pages stay; the twin is not refreshed from an older page.
        {[](FinishFixture& f) {
             f.wizard->myData().ExecuteSQL(QString::fromLatin1(sql::deleteEntry),
                                           {f.wizard->state().curMenuID, u"Setup"_s});
             f.write(u"Index.htm"_s, "earlier page");
             f.write(u"Index.hta"_s, "earlier twin");
         },
         u"AUTORUN.INF Index.hta Index.htm Start.exe"_s,
         {u"Index.htm was not written: the menu has no entries."_s, kNoPage}},
        // Without AUTORUN.INF and Start.exe in the program folder, files already on the disc stay.
        {[](FinishFixture& f) {
             QFile::remove(f.program.file(u"AUTORUN.INF"_s));
             QFile::remove(f.program.file(u"Start.exe"_s));
             f.write(u"Start.exe"_s, "older start program");
         },
         u"Index.hta Index.htm Start.exe"_s,
         {kAutorun + u"the program folder has no AUTORUN.INF."_s,
          kStart + u"the program folder has no Start.exe."_s}},
        // A page and a copy that cannot be put in place: folders stand at their names.
        {[](FinishFixture& f) {
             QDir(f.disc.path()).mkdir(u"Index.htm"_s);
             QDir(f.disc.path()).mkdir(u"Start.exe"_s);
         },
         u"AUTORUN.INF Index.htm Start.exe"_s,
         {kHtm + u"Is a directory."_s, kStart + u"Is a directory."_s, kNoPage}},
        // A CD root that is gone: nothing can be written, and the message says why.
        {[](FinishFixture& f) { f.wizard->state().cdRoot = f.root() + u"gone"_s + nativeSeparator(); },
         QString(),
         {kHtm + gone, kAutorun + gone, kStart + gone, kNoPage}},
    };
    for (const Case& c : cases) {
        FinishFixture f;
        c.setUp(f);
        EXPECT_EQ(f.finish(), incomplete(c.lines));
        EXPECT_EQ(f.files().join(u' '), c.files);
        EXPECT_TRUE(f.leftovers().isEmpty());
        // What an earlier run left stays as it was.
        for (const auto& [name, content] : f.written) {
            EXPECT_EQ(f.file(name), content) << name.toStdString();
        }
    }
}

TEST(FinishDeathTest, AKilledWriteOrAFullDiskKeepsTheEarlierPagesWholeAndTheWindowUsable) {
    // Killed half way through the page (in a forked child): the page an earlier program left stays
    // whole beside one temporary file, which the next run (the first to write there) clears away.
    GTEST_FLAG_SET(death_test_style, "fast");
    FinishFixture f;
    f.write(u"Index.htm"_s, "earlier page");
    EXPECT_EXIT(
        {
            setWriteFault(WriteFault{200, 0, true});
            f.wizard->click(ctl::Finish);
        },
        testing::KilledBySignal(SIGKILL), "");
    EXPECT_EQ(f.file(u"Index.htm"_s), "earlier page");
    ASSERT_EQ(f.leftovers().size(), 1);
    EXPECT_TRUE(isSafeFileTemporary(f.leftovers()[0]));
    EXPECT_EQ(f.finish(), kSuccess);
    EXPECT_TRUE(f.leftovers().isEmpty());
    const QByteArray page = f.file(u"Index.htm"_s);
    const QString full = u"No space left on device."_s;
    f.form().setText(ctl::txtTitle, u"Renamed CD"_s);
    // The disc fills up part way through the page, then during the first copy.
    const std::pair<qint64, QStringList> cases[] = {
        {100, {kHtm + full, kAutorun + full, kStart + full, kNoPage}},
        {page.size() + 10, {kAutorun + full, kStart + full, u"Index.hta could not be written: "_s + full}},
    };
    for (const auto& [room, lines] : cases) {
        // Files already in place with the same bytes are not copied again: these must be.
        QFile::remove(f.root() + u"AUTORUN.INF"_s);
        QFile::remove(f.root() + u"Start.exe"_s);
        setWriteFault(WriteFault{room, ENOSPC, false});
        EXPECT_EQ(f.finish(), incomplete(lines));
        setWriteFault(std::nullopt);
        EXPECT_EQ(f.file(u"Index.hta"_s), page);
        const QByteArray written = f.file(u"Index.htm"_s);
        EXPECT_TRUE(room == 100 ? written == page : written.contains("<h2>Renamed CD</h2>")) << room;
        EXPECT_TRUE(f.leftovers().isEmpty());
    }
    // With room again, the same window finishes the menu.
    EXPECT_EQ(f.finish(), kSuccess);
    EXPECT_EQ(f.file(u"Index.hta"_s), f.file(u"Index.htm"_s));
}

TEST(Finish, AnEntryLeftInTheEditorIsOfferedForSavingFirst) {
    FinishFixture f;
    const QString question =
        u"message|question|yesno| |The entry \"%1\" is not saved yet. Save it before the menu is created?"_s;
    f.form().setText(ctl::txtFile, f.root() + u"readme.txt"_s);
    f.form().setText(ctl::txtFileTitle, u"Read me"_s);
    f.prompts.queueAnswer(true);
    EXPECT_EQ(f.finish(), QStringList{question.arg(u"Read me"_s)} + kSuccess);
    EXPECT_TRUE(f.file(u"Index.htm"_s).contains(">Read me</p>"));

    // A save that is refused ends Finish before anything is written.
    const QByteArray page = f.file(u"Index.htm"_s);
    f.form().setText(ctl::txtFile, f.root() + u"other.txt"_s);
    f.form().setText(ctl::txtFileTitle, u"SETUP"_s);
    f.prompts.queueAnswer(true);
    EXPECT_EQ(f.finish(),
              (QStringList{question.arg(u"SETUP"_s),
                           u"message|information|ok| |This menu already has an entry titled \"SETUP\", "
                           "please choose another title!"_s}));
    EXPECT_EQ(f.file(u"Index.htm"_s), page);

    // No: the menu is written without it.
    f.prompts.queueAnswer(false);
    EXPECT_EQ(f.finish(), QStringList{question.arg(u"SETUP"_s)} + kSuccess);
    EXPECT_FALSE(f.file(u"Index.htm"_s).contains("SETUP"));
}

}  // namespace
}  // namespace torvel::test
