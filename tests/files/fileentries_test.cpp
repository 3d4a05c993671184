// The entry editor on "Add Files": entries added, changed, refused, sharing a title, left unsaved.
#include <gtest/gtest.h>

#include <QFileInfo>

#include "data/statements.h"
#include "support/testsupport.h"
#include "wizard/controlnames.h"
#include "wizard/fileentries.h"
#include "wizard/generalsettings.h"

using namespace torvel;
using namespace Qt::StringLiterals;

namespace {

// A wizard on page 4 of a stored menu whose CD root is a temporary folder with a few files.
struct EntryPage : test::WizardFixture {
    test::TempFolder disc;
    test::TempFolder pics;
    Wizard& w = *wizard;

    EntryPage() {
        disc.write(u"Setup/install.exe"_s, "exe");
        disc.write(u"readme.txt"_s, "text");
        pics.write(u"shot.jpg"_s, "picture");
        form().setText(ctl::txtTitle, u"Disc"_s);
        w.openFolder(disc.path());
        saveMenuHeader(w);
        enterFilePage(w);
        prompts.clearTranscript();
    }
    void set(const char* field, const QString& value) { form().setText(QString::fromLatin1(field), value); }
    // File, title, description, screenshot and category as the fields hold them.
    QStringList fields() {
        QStringList texts;
        for (const char* f : {ctl::txtFile, ctl::txtFileTitle, ctl::txtFileDescription,
                              ctl::txtFileScreenshot, ctl::txtFileCat}) {
            texts << form().text(QString::fromLatin1(f));
        }
        return texts;
    }
    // Fills file and title and clicks Add/Save; the messages it gave.
    QStringList save(const QString& file, const QString& title) {
        set(ctl::txtFile, file);
        set(ctl::txtFileTitle, title);
        w.click(ctl::cmdSave);
        return takeMessages();
    }
    QStringList list() { return form().items(ctl::lstFiles); }
    // Each entry of the menu as stored: "title: link, description, screenshot, category".
    QStringList stored() {
        QStringList rows;
        auto rs = w.myData().GetRS(sql::menuEntries, {w.state().curMenuID});
        for (; !rs->eof(); rs->moveNext()) {
            rows << rs->field(u"FileName"_s) + u": "_s +
                        QStringList({rs->field(u"FileLink"_s), rs->field(u"Description"_s),
                                     rs->field(u"Screenshot"_s), rs->field(u"Category"_s)})
                            .join(u", "_s);
        }
        return rows;
    }
    void store(const QString& title, const QString& link, const QString& description) {
        w.myData().executeInsert(sql::insertEntry,
                                 {w.state().curMenuID, u"none"_s, title, link, description, u"none"_s});
    }
};

const QStringList kEmptied{QString(), QString(), QString(), u"none"_s, u"none"_s};
const QString kOutside = u"The file must lie inside the CD root folder!"_s;
const QString kNoFile = u"Please select a file and enter a file name!"_s;

}  // namespace

TEST(FileEntries, AddChangeAndRemoveEntries) {
    EntryPage p;
    // Browse for the file: every file, starting in the CD root; for the screenshot: pictures (or
    // every file), the start folder as the last use left it. A cancelled dialog leaves the field.
    p.prompts.queueFile(p.disc.native(u"Setup/install.exe"_s));
    p.w.click(ctl::cmdFile);
    p.prompts.queueFile(p.pics.native(u"shot.jpg"_s));
    p.w.click(ctl::cmdFScreenshot);
    p.prompts.queueFile(std::nullopt);
    p.w.click(ctl::cmdFScreenshot);
    const auto dialogs = test::events(p.prompts.transcript());
    ASSERT_EQ(dialogs.size(), 3);
    EXPECT_EQ(
        QStringList({dialogs[0][u"title"_s].toString(), dialogs[0][u"filter"_s].toString(),
                     dialogs[1][u"title"_s].toString(), dialogs[1][u"filter"_s].toString(),
                     dialogs[1][u"defaultExt"_s].toString(), dialogs[2][u"initialDir"_s].toString()}),
        QStringList({u"Choose the file"_s, u"All files (*.*)"_s, u"Choose the screenshot"_s,
                     u"Pictures (*.jpg;*.jpeg;*.gif;*.png)|*.jpg;*.jpeg;*.gif;*.png|All files (*.*)|*.*"_s,
                     u"jpg"_s, p.w.state().cdRoot}));
    // A new entry: the link below the root, "none" for no category, the screenshot's bare name
    // and its copy in the menu folder; the editor empties for the next. "none" copies nothing.
    p.set(ctl::txtFileDescription, u"Line\r\nAnn's \"setup\""_s);
    p.set(ctl::txtFileCat, QString());
    p.save(p.fields()[0], u"Install"_s);
    EXPECT_EQ(p.fields(), kEmptied);
    EXPECT_EQ(test::readFile(p.disc.file(u"Menu/shot.jpg"_s)), QByteArray("picture"));
    p.set(ctl::txtFileCat, u"Docs"_s);
    p.save(p.disc.native(u"readme.txt"_s), u"Read me"_s);
    EXPECT_EQ(p.stored(),
              (QStringList{u"Install: Setup/install.exe, Line\r\nAnn's \"setup\", shot.jpg, none"_s,
                           u"Read me: readme.txt, , none, Docs"_s}));

    // A click loads the entry; renaming and saving twice change that row in place.
    p.w.choose(ctl::lstFiles, 0);
    EXPECT_EQ(p.fields(), (QStringList{u"Setup/install.exe"_s, u"Install"_s, u"Line\r\nAnn's \"setup\""_s,
                                       u"shot.jpg"_s, u"none"_s}));
    p.save(p.fields()[0], u"Setup"_s);
    p.set(ctl::txtFileDescription, u"Changed"_s);
    p.save(p.fields()[0], u"Setup"_s);
    EXPECT_EQ(p.stored().value(0), u"Setup: Setup/install.exe, Changed, shot.jpg, none"_s);
    EXPECT_EQ(p.list(), (QStringList{u"Setup"_s, u"Read me"_s}));
    // Entering the page again forgets the click: Add/Save adds.
    enterFilePage(p.w);
    p.save(u"readme.txt"_s, u"Setup 2"_s);
    EXPECT_EQ(p.list(), (QStringList{u"Setup"_s, u"Read me"_s, u"Setup 2"_s}));

    // New forgets the click too: a title the menu has, in any letter case, is refused.
    p.w.click(ctl::cmdNewF);
    EXPECT_EQ(
        p.save(u"readme.txt"_s, u"SETUP"_s),
        QStringList{u"This menu already has an entry titled \"SETUP\", please choose another title!"_s});

    // Remove: nothing selected, then No, then Yes, which deletes the selected entry only.
    p.form().select(ctl::lstFiles, -1);
    p.w.click(ctl::cmdFileRemove);
    p.w.choose(ctl::lstFiles, 0);
    p.prompts.queueAnswer(false);
    p.w.click(ctl::cmdFileRemove);
    EXPECT_EQ(p.stored().size(), 3);
    // Enter answers No to a question that deletes something.
    EXPECT_EQ(test::events(p.prompts.transcript(), u"message"_s).value(1)[u"default"_s], u"no"_s);
    p.prompts.queueAnswer(true);
    p.w.click(ctl::cmdFileRemove);
    EXPECT_EQ(p.takeMessages(), (QStringList{u"Please select an entry in the list!"_s,
                                             u"Do you really want to remove the entry for Setup?"_s,
                                             u"Do you really want to remove the entry for Setup?"_s}));
    EXPECT_EQ(p.list(), (QStringList{u"Read me"_s, u"Setup 2"_s}));
    EXPECT_EQ(p.stored().size(), 2);
    EXPECT_EQ(p.fields(), kEmptied);
}

TEST(FileEntries, RefusalsAndFailuresLoseNothing) {
    EntryPage p;
    EXPECT_EQ(p.save(QString(), u"Nothing"_s), QStringList{kNoFile});
    EXPECT_EQ(p.save(u"readme.txt"_s, QString()), QStringList{kNoFile});
    // A file outside the CD root, a path that climbs out of it and the root itself are refused;
    // nothing is copied or stored and the field keeps the path.
    const QString outside = p.pics.native(u"shot.jpg"_s);
    p.set(ctl::txtFileScreenshot, outside);
    for (const QString& path :
         {outside, p.disc.native(u"Setup/../../readme.txt"_s), p.disc.native(u"Setup/.."_s)}) {
        EXPECT_EQ(p.save(path, u"Out"_s), QStringList{kOutside}) << path.toStdString();
        EXPECT_EQ(p.fields()[0], path);
    }
    EXPECT_FALSE(QFileInfo::exists(p.disc.path() + u"/Menu"_s));
    // A screenshot that cannot be copied is skipped silently; the entry keeps its name.
    p.set(ctl::txtFileScreenshot, p.pics.native(u"missing.gif"_s));
    EXPECT_TRUE(p.save(u"readme.txt"_s, u"Ann's file"_s).isEmpty());
    EXPECT_EQ(p.stored(), QStringList{u"Ann's file: readme.txt, none, missing.gif, none"_s});
    // A click on an item without a row leaves the fields as they are.
    p.form().addItem(ctl::lstFiles, u"Ghost"_s);
    p.set(ctl::txtFileTitle, u"typed"_s);
    p.w.choose(ctl::lstFiles, 1);
    EXPECT_EQ(p.fields()[1], u"typed"_s);

    // A refused insert: one message, the fields keep the text, the list only shows stored entries.
    p.w.myData().ExecuteSQL(
        u"CREATE TRIGGER refuse BEFORE INSERT ON tblDetails BEGIN SELECT RAISE(ABORT, 'disk full'); END"_s);
    p.set(ctl::txtFileDescription, u"kept"_s);
    const QStringList shown = p.save(u"readme.txt"_s, u"Refused"_s);
    EXPECT_TRUE(shown.size() == 1 && shown[0].contains(u"disk full"_s)) << shown.join(u'\n').toStdString();
    EXPECT_EQ(p.fields()[2], u"kept"_s);
    EXPECT_EQ(p.list(), (QStringList{u"Ann's file"_s, u"Ghost"_s}));
}

TEST(FileEntries, EntriesThatShareATitleAreToldApart) {
    EntryPage p;
    // Stored before titles were checked: two entries titled "Twin".
    p.store(u"Twin"_s, u"readme.txt"_s, u"first"_s);
    p.store(u"Twin"_s, u"Setup/install.exe"_s, u"second"_s);
    p.store(u"Été"_s, u"readme.txt"_s, u"summer"_s);
    enterFilePage(p.w);
    // The second, clicked, saves under its own title; another entry's title, in any letter case
    // (its own too while the other "Twin" has it), is refused.
    p.w.choose(ctl::lstFiles, 1);
    p.set(ctl::txtFileDescription, u"changed"_s);
    for (const QString& title : {u"Twin"_s, u"ÉTÉ"_s, u"twin"_s, u"Twin two"_s}) {
        EXPECT_EQ(p.save(p.fields()[0], title).size(), title == u"ÉTÉ"_s || title == u"twin"_s)
            << title.toStdString();
    }
    p.w.click(ctl::cmdNewF);
    for (const QString& taken : {u"TWIN TWO"_s, u"été"_s}) {
        EXPECT_EQ(p.save(u"readme.txt"_s, taken).size(), 1) << taken.toStdString();
    }
    // Remove on one of two same-titled entries removes only that one; list and rows still match.
    p.store(u"Twin"_s, u"Setup/install.exe"_s, u"third"_s);
    enterFilePage(p.w);
    p.w.choose(ctl::lstFiles, 3);
    p.prompts.queueAnswer(true);
    p.w.click(ctl::cmdFileRemove);
    EXPECT_EQ(p.stored(), (QStringList{u"Twin: readme.txt, first, none, none"_s,
                                       u"Twin two: Setup/install.exe, changed, none, none"_s,
                                       u"Été: readme.txt, summer, none, none"_s}));
    p.w.choose(ctl::lstFiles, 2);
    EXPECT_EQ(p.fields()[1] + p.fields()[2], u"Étésummer"_s);
}

TEST(FileEntries, CloseAndQuitOfferAnUnsavedEntryForSavingFirst) {
    EntryPage p;
    const auto question = [](const QString& title) {
        return u"The entry \"%1\" is not saved yet. Save it before Torvel closes?"_s.arg(title);
    };
    const auto quits = [&] { return test::events(p.prompts.transcript(), u"quit"_s).size(); };
    // The start values, and a file picked without a title, are nothing to save.
    p.w.click(ctl::cmdClose);
    p.set(ctl::txtFile, u"readme.txt"_s);
    p.set(ctl::txtFileTitle, QString());
    p.w.click(ctl::mnuQuit);
    EXPECT_EQ(quits(), 2);
    // A new entry typed in: No closes without saving; Yes saves it, then closes.
    p.set(ctl::txtFileTitle, u"Read me"_s);
    p.prompts.queueAnswer(false);
    p.w.click(ctl::cmdClose);
    EXPECT_TRUE(p.stored().isEmpty());
    p.prompts.queueAnswer(true);
    p.w.click(ctl::mnuQuit);
    EXPECT_EQ(p.list(), QStringList{u"Read me"_s});
    EXPECT_EQ(quits(), 4);
    const QJsonObject asked = test::events(p.prompts.transcript(), u"message"_s).value(0);
    EXPECT_EQ(QStringList({asked[u"icon"_s].toString(), asked[u"buttons"_s].toString(),
                           asked[u"default"_s].toString(), asked[u"text"_s].toString()}),
              QStringList({u"question"_s, u"yesno"_s, u"yes"_s, question(u"Read me"_s)}));

    // A clicked entry: unchanged is nothing to save. Changed, and Yes, but the save is refused:
    // the window stays and the fields keep the change.
    p.w.choose(ctl::lstFiles, 0);
    p.w.click(ctl::cmdClose);  // a question here would find no answer
    p.prompts.clearTranscript();
    p.store(u"Other"_s, u"readme.txt"_s, QString());
    p.w.myData().ExecuteSQL(
        u"CREATE TRIGGER refuse BEFORE UPDATE ON tblDetails BEGIN SELECT RAISE(ABORT, 'disk full'); END"_s);
    p.set(ctl::txtFileCat, u"Docs"_s);
    const std::pair<QString, QString> refused[] = {
        // file and title, and what the refusal says
        {u"readme.txt"_s, u"disk full"_s},
        {p.pics.native(u"shot.jpg"_s), kOutside},
        {QString(), kNoFile},
        {u"readme.txt"_s, u"This menu already has an entry titled \"other\""_s}};
    for (const auto& [file, refusal] : refused) {
        const QString title = refusal.startsWith(u"This menu"_s) ? u"other"_s : u"Read me"_s;
        p.set(ctl::txtFile, file);
        p.set(ctl::txtFileTitle, title);
        p.prompts.queueAnswer(true);
        p.w.click(ctl::cmdClose);
        EXPECT_EQ(quits(), 0);
        const QStringList shown = p.takeMessages();
        EXPECT_TRUE(shown.size() == 2 && shown[0] == question(title) && shown[1].contains(refusal))
            << shown.join(u'\n').toStdString();
        p.w.myData().ExecuteSQL(u"DROP TRIGGER IF EXISTS refuse"_s);
    }
    // Yes saves the change and closes; nothing is left to save after it, nor after New.
    p.set(ctl::txtFileTitle, u"Read me"_s);
    p.prompts.queueAnswer(true);
    p.w.click(ctl::cmdClose);
    EXPECT_EQ(p.stored().value(0), u"Read me: readme.txt, none, none, Docs"_s);
    p.w.click(ctl::cmdClose);
    p.set(ctl::txtFileDescription, u"from the finder"_s);
    p.w.click(ctl::cmdNewF);
    p.w.click(ctl::cmdClose);
    EXPECT_EQ(quits(), 3);
    EXPECT_EQ(p.takeMessages(), QStringList{question(u"Read me"_s)});
}
