// The dialog forms without a window: Help > About with System Info, and the description finder.
#include <gtest/gtest.h>
#include <QFile>
#include <QRegularExpression>
#include <map>

#include "about/aboutinfo.h"
#include "about/registry.h"
#include "data/finderqueries.h"
#include "data/statements.h"
#include "support/testsupport.h"
#include "version.h"
#include "wizard/controlnames.h"

using namespace torvel;
using namespace Qt::StringLiterals;

namespace {

// Each event of a transcript with its fields joined by "|": "show|FORM", "message|ICON|BUTTONS|TITLE|TEXT".
QStringList eventSummary(const QStringList& transcript) {
    QStringList out;
    for (const QString& line : transcript) {
        const QJsonObject e = test::event(line);
        QStringList fields;
        for (const char* key : {"event", "form", "url", "path", "icon", "buttons", "title", "text"}) {
            if (e.contains(QLatin1String(key))) {
                fields << e.value(QLatin1String(key)).toString();
            }
        }
        out << fields.join(u'|');
    }
    return out;
}

const QString kPathKey = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s;
const QString kFolderKey = u"SOFTWARE\\Microsoft\\Shared Tools Location"_s;
const QString kUnavailable = u"System Information Is Unavailable At This Time"_s;

// A registry in memory: type and bytes of each value by root, key and name; the keys asked for and open.
struct FakeRegistry : RegistryReader {
    std::map<std::tuple<quint32, QString, QString>, std::pair<quint32, QByteArray>> values;
    std::map<Key, std::pair<quint32, QString>> open;
    QStringList asked;

    bool openKey(quint32 root, const QString& keyName, Key* key) override {
        asked << keyName;
        const auto it = values.lower_bound({root, keyName, QString()});
        if (it == values.end() || std::get<0>(it->first) != root || std::get<1>(it->first) != keyName) {
            return false;
        }
        *key = asked.size();
        open[*key] = {root, keyName};
        return true;
    }
    bool queryValue(Key key, const QString& name, quint32* type, QByteArray* data) override {
        const auto it = values.find({open.at(key).first, open.at(key).second, name});
        if (it == values.end() || it->second.second.size() > kRegValueBuffer) {
            return false;
        }
        std::tie(*type, *data) = it->second;
        return true;
    }
    void closeKey(Key key) override { EXPECT_EQ(open.erase(key), 1u) << "closing a key that is not open"; }
};

class FinderTest : public ::testing::Test {
protected:
    test::WizardFixture f;
    FormModel& dlg() { return f.wizard->dialog(ctl::frmFiles); }

    // A menu with entries "title|link|description".
    qint64 addMenu(const QString& title, const QStringList& entries) {
        clsData& data = f.wizard->myData();
        const qint64 menu =
            data.executeInsert(QString::fromUtf8(sql::insertMenu), {u"Standard"_s, title, 1, u"/cd/"_s});
        for (const QString& entry : entries) {
            const QStringList e = entry.split(u'|');
            data.executeInsert(QString::fromUtf8(sql::insertEntry),
                               {menu, u"none"_s, e[0], e[1], e[2], u"none"_s});
        }
        return menu;
    }
    void find(const QString& fileField) {
        f.form().setText(ctl::txtFile, fileField);
        f.wizard->click(ctl::cmdFind);
    }
    void click(const char* button) { f.wizard->click(u"frmFiles."_s + QString::fromLatin1(button)); }
    // The titles listed, sorted, and the chosen title with its description.
    QString dialog() {
        QStringList titles = dlg().items(ctl::cmbDesTitle);
        titles.sort();
        return titles.join(u',') + u" > "_s + dlg().text(ctl::cmbDesTitle) + u": "_s +
               dlg().text(ctl::txtDesText);
    }
    // The entry editor's title, description, file and category.
    QString editor() {
        return QStringList{f.form().text(ctl::txtFileTitle), f.form().text(ctl::txtFileDescription),
                           f.form().text(ctl::txtFile), f.form().text(ctl::txtFileCat)}
            .join(u'|');
    }
    QStringList events() {
        const QStringList summary = eventSummary(f.prompts.transcript());
        f.prompts.clearTranscript();
        return summary;
    }
};

}  // namespace

TEST(RegistryValue, StringsNumbersOtherTypesAndFailures) {
    FakeRegistry reg;
    const QString key = u"SOFTWARE\\Vendor"_s;
    // Name, type, bytes; whether the value is read and the text afterwards (it held "before").
    const std::tuple<const char*, quint32, QByteArray, bool, const char*> cases[] = {
        {"WithNul", kRegString, QByteArray("C:\\Tools\\info.exe\0", 18), true, "C:\\Tools\\info.exe"},
        {"NoNul", kRegString, "C:\\Tools", true, "C:\\Tools"},
        {"Empty", kRegString, QByteArray("\0", 1), true, ""},
        // Numbers: the bytes' codes from the last to the first, each without leading zeros.
        {"Number", kRegNumber32, QByteArray::fromHex("010CAB12"), true, "&h12ABC1"},
        {"Zeros", kRegNumber32, QByteArray::fromHex("02FF0001"), true, "&h10FF2"},
        // Another type is read but leaves the text as it was.
        {"Binary", 3, QByteArray::fromHex("DEAD"), true, "before"},
        // Failures empty the text: a value beyond the buffer, a missing value.
        {"Huge", kRegString, QByteArray(kRegValueBuffer + 1, 'x'), false, ""},
        {"Missing", 0, {}, false, ""},
    };
    for (const auto& [name, type, data, read, text] : cases) {
        if (type != 0) {
            reg.values[{kLocalMachine, key, QString::fromLatin1(name)}] = {type, data};
        }
        QString val = u"before"_s;
        EXPECT_EQ(GetKeyValue(reg, kLocalMachine, key, QString::fromLatin1(name), val), read) << name;
        EXPECT_EQ(val, QString::fromLatin1(text)) << name;
    }
    // A missing key and another root fail alike.
    for (const auto& [root, k] :
         {std::pair(kLocalMachine, u"SOFTWARE\\Nobody"_s), std::pair(0x80000001u, key)}) {
        QString val = u"stale"_s;
        EXPECT_FALSE(GetKeyValue(reg, root, k, u"NoNul"_s, val));
        EXPECT_TRUE(val.isEmpty());
    }
    EXPECT_TRUE(reg.open.empty()) << "every opened key is closed again";
}

TEST(SystemInfo, FirstLocationThenSecondWithItsProgramElseTheMessage) {
    const QString tool = u"C:\\Program Files\\Common Files\\msinfo32.exe"_s;
    const QString folder = u"C:\\Program Files\\Common Files\\MSInfo"_s;
    const QString inFolder = folder + u"\\MSINFO32.EXE"_s;
    const QString started = u"start-program|"_s, message = u"message|none|ok|Torvel|"_s + kUnavailable;
    // First location there, second there, its program there, the program starts; the events.
    const std::tuple<bool, bool, bool, bool, QStringList> cases[] = {
        // The first location: started from it, the second never looked at; it may fail to start.
        {true, true, true, true, {started + tool}},
        {true, true, true, false, {started + tool, message}},
        // Only the second: its folder's MSINFO32.EXE when the file is there.
        {false, true, true, true, {started + inFolder}},
        {false, true, false, true, {message}},
        // No registry values at all (any machine without the tool).
        {false, false, false, true, {message}},
    };
    for (const auto& [first, second, fileThere, starts, events] : cases) {
        FakeRegistry reg;
        if (first) {
            reg.values[{kLocalMachine, kPathKey, u"PATH"_s}] = {kRegString, tool.toLocal8Bit() + '\0'};
        }
        if (second) {
            reg.values[{kLocalMachine, kFolderKey, u"MSINFO"_s}] = {kRegString, folder.toLocal8Bit() + '\0'};
        }
        ScriptedPrompts prompts;
        prompts.programStarter = [starts = starts](const QString&) { return starts; };
        StartSysInfo(
            reg, [there = fileThere, &inFolder](const QString& path) { return there && path == inFolder; },
            prompts);
        EXPECT_EQ(eventSummary(prompts.transcript()), events) << first << second << fileThere << starts;
        EXPECT_EQ(reg.asked.contains(kFolderKey), !first);
        EXPECT_TRUE(reg.open.empty());
    }
}

TEST(AboutBox, ShowsTheVersionInformationAndOffersLinkAndSystemInfo) {
    test::WizardFixture f;
    FormModel& dlg = f.wizard->dialog(ctl::frmAbout);
    f.wizard->click(ctl::mnuAbout);
    EXPECT_EQ(eventSummary(f.prompts.transcript()), QStringList{u"show|frmAbout"_s});
    const QString address = QString::fromUtf8(version::webAddress);
    const std::pair<const char*, QString> captions[] = {
        {ctl::frmAbout, u"About Torvel"_s},
        {ctl::lblTitle, u"Torvel"_s},
        {ctl::lblVersion, u"Version "_s + QString::fromUtf8(version::text)},
        {ctl::lblDescription, QString::fromUtf8(version::description)},
        {ctl::lblCompany, address},
        {ctl::lblCopyright, aboutInfo().copyright},
        {ctl::lblDataFolder, u"Data folder: "_s + test::native(f.program.path())},
        {ctl::ZelBText1, address},
    };
    for (const auto& [name, caption] : captions) {
        EXPECT_EQ(dlg.caption(name), caption) << name;
        EXPECT_FALSE(caption.isEmpty()) << name;
    }
    EXPECT_EQ(dlg.get(ctl::ZelBText1).tooltip, u"visit "_s + address);
    AboutInfo later = aboutInfo();
    later.revision = 15;
    EXPECT_EQ(versionText(later), u"Version %1.%2.15"_s.arg(later.major).arg(later.minor));

    // The link opens the address; without a registry System Info is unavailable; OK closes the box.
    f.prompts.clearTranscript();
    f.wizard->click(u"frmAbout.ZelBText1"_s);
    EXPECT_EQ(eventSummary(f.prompts.transcript()), QStringList{u"open-url|"_s + address});
#ifndef Q_OS_WIN
    f.wizard->click(u"frmAbout.cmdSysInfo"_s);
    EXPECT_EQ(eventSummary(f.prompts.transcript()).last(), u"message|none|ok|Torvel|"_s + kUnavailable);
#endif
    f.wizard->click(u"frmAbout.cmdOK"_s);
    EXPECT_EQ(eventSummary(f.prompts.transcript()).last(), u"close|frmAbout"_s);
    EXPECT_FALSE(f.wizard->isDialogOpen(ctl::frmAbout));
}

TEST_F(FinderTest, FindsAcrossMenusIncludingDeletedOnesIgnoringCaseAndCopiesOnOK) {
    addMenu(u"One"_s,
            {u"Installer|Setup/install.exe|Installs the suite"_s, u"Readme|Docs/readme.txt|Read me"_s});
    addMenu(u"Two"_s, {u"Installer|Tools/install.exe|Installs the tools"_s,
                       u"Readme|Docs/readme.txt|Read me"_s, u"Setup Tool|Tools/mySetup.exe|Another setup"_s});
    f.wizard->myData().ExecuteSQL(QString::fromUtf8(sql::deleteMenu),
                                  {addMenu(u"Gone"_s, {u"Old Installer|Archive/INSTALL.EXE|The old one"_s})});
    f.form().setText(ctl::txtFileCat, u"Tools"_s);

    // A title under two links is listed twice; a deleted menu's entry is found; case is ignored; a
    // stored link searches as the full path does. The first title is chosen, with its description.
    for (const QString& field : {u"Setup/install.exe"_s, u"D:\\Disc\\Setup\\install.exe"_s}) {
        find(field);
        EXPECT_EQ(events(), QStringList{u"show|frmFiles"_s});
        const QString first = dlg().items(ctl::cmbDesTitle).value(0);
        EXPECT_EQ(dialog(), u"Installer,Installer,Old Installer > "_s + first + u": "_s +
                                (first == u"Installer"_s ? u"Installs the suite"_s : u"The old one"_s));
        click("cmdCancel");
        events();
    }
    find(u"D:\\Disc\\Setup\\install.exe"_s);
    f.wizard->choose(u"frmFiles.cmbDesTitle"_s, dlg().items(ctl::cmbDesTitle).indexOf(u"Old Installer"_s));
    EXPECT_EQ(dlg().text(ctl::txtDesText), u"The old one"_s);

    // The author edits the description and goes on in the editor. Find again only shows the open
    // dialog as it is; OK copies title and text into the editor and closes.
    dlg().setText(ctl::txtDesText, u"Installs everything"_s);
    f.form().setText(ctl::txtFileDescription, u"typed meanwhile"_s);
    events();
    find(u"Docs/README.TXT"_s);
    EXPECT_EQ(events(), QStringList{u"show|frmFiles"_s});
    EXPECT_EQ(dialog(), u"Installer,Installer,Old Installer > Old Installer: Installs everything"_s);
    click("cmdOK");
    EXPECT_EQ(editor(), u"Old Installer|Installs everything|Docs/README.TXT|Tools"_s);
    EXPECT_EQ(events(), QStringList{u"close|frmFiles"_s});

    // The next Find loads the newest search: a repeated identical entry is listed once; the name
    // matches inside longer names.
    find(u"Docs/README.TXT"_s);
    EXPECT_EQ(dialog(), u"Readme > Readme: Read me"_s);
    click("cmdCancel");
    find(u"C:\\x\\setup.exe"_s);
    EXPECT_EQ(dialog(), u"Setup Tool > Setup Tool: Another setup"_s);
    click("cmdCancel");
    EXPECT_EQ(events(), (QStringList{u"show|frmFiles"_s, u"close|frmFiles"_s, u"show|frmFiles"_s,
                                     u"close|frmFiles"_s}));
}

TEST_F(FinderTest, NoMatchTellsSoAndClosesEmptySearchOpensEmptyAndApostrophesWork) {
    addMenu(u"Games"_s, {u"Bob's Game|Games/bob's game.exe|It's fun"_s});
    f.form().setText(ctl::txtFileTitle, u"kept title"_s);
    f.form().setText(ctl::txtFileDescription, u"kept text"_s);
    // No match: the message alone, without showing the dialog first.
    find(u"D:\\Disc\\nothing.zip"_s);
    EXPECT_EQ(events(), QStringList{u"message|information|ok| |Sorry, no matching results"_s});
    EXPECT_FALSE(f.wizard->isDialogOpen(ctl::frmFiles));

    // Apostrophes in the searched name and in the title; Cancel leaves the editor as it was.
    find(u"C:\\Games\\BOB'S GAME.EXE"_s);
    EXPECT_EQ(dialog(), u"Bob's Game > Bob's Game: It's fun"_s);
    click("cmdCancel");
    EXPECT_EQ(editor(), u"kept title|kept text|C:\\Games\\BOB'S GAME.EXE|none"_s);
    events();

    // A field ending in a separator searches nothing: an empty dialog, no message; OK empties the fields.
    find(u"D:\\Disc\\"_s);
    EXPECT_EQ(dialog(), u" > : "_s);
    click("cmdOK");
    EXPECT_EQ(events(), (QStringList{u"show|frmFiles"_s, u"close|frmFiles"_s}));
    EXPECT_EQ(editor(), u"||D:\\Disc\\|none"_s);
}

TEST_F(FinderTest, TheCaseOfEveryLetterIsIgnored) {
    addMenu(u"Seasons"_s, {u"Été|Docs/Été.txt|Warm"_s, u"Hiver|Docs/Hiver.txt|Cold"_s});
    addMenu(u"SEASONS"_s, {u"ÉTÉ|DOCS/ÉTÉ.TXT|WARM"_s, u"Été|Docs/été.txt|Hot"_s});
    // One title for each combination that differs in more than letter case.
    find(u"D:\\Disc\\ÉTÉ.TXT"_s);
    EXPECT_EQ(dlg().items(ctl::cmbDesTitle).join(u',').toCaseFolded(), u"été,été"_s);
    EXPECT_EQ(titlesForFile(f.wizard->myData(), u"HIVER"_s), QStringList{u"Hiver"_s});
    // The description of the first entry stored with the title, whatever the case of its letters.
    EXPECT_EQ(descriptionForTitle(f.wizard->myData(), u"éTÉ"_s), u"Warm"_s);
    EXPECT_EQ(descriptionForTitle(f.wizard->myData(), u"HIVER"_s), u"Cold"_s);
    EXPECT_FALSE(descriptionForTitle(f.wizard->myData(), u"Ete"_s));
}

TEST_F(FinderTest, MissingDatabaseIsReportedAndLeavesTheDialogClosed) {
    ASSERT_TRUE(QFile::remove(f.program.database()));
    find(u"Setup/install.exe"_s);
    EXPECT_FALSE(f.wizard->isDialogOpen(ctl::frmFiles));
    const QStringList all = events();
    ASSERT_EQ(all.filter(QRegularExpression(u"^message"_s)).size(), 1);
    EXPECT_TRUE(all.last().startsWith(u"message|critical|ok|"_s)) << all.last().toStdString();
    EXPECT_TRUE(all.last().contains(u"Torvel.dat"_s));
}
