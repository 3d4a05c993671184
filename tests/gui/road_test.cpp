// The author's whole road through the Qt window, driven through its widgets: Create Menu, the
// general settings, a new style with a logo, a colour and a font, one file entry, Finish.
#include <gmock/gmock.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include "answeringprompts.h"
#include "data/statements.h"
#include "support/testsupport.h"
#include "ui/mainwindow.h"
#include "ui/widgets.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/controls.h"

namespace {

using namespace torvel;

struct Road {
    test::ProgramDir program;
    test::TempFolder work;
    test::AnsweringPrompts prompts;
    std::unique_ptr<Wizard> wizard;
    std::unique_ptr<MainWindow> window;
    // The files beside the program that Finish copies into the CD root.
    QStringList programFiles;

    Road() {
        programFiles = program.copyInstalledFiles();
        write(QStringLiteral("Disc/Setup/install.exe"), "exe");
        write(QStringLiteral("Disc/Docs/read me.txt"), "text");
        write(QStringLiteral("Art/logo.jpg"), "JFIF logo");
        write(QStringLiteral("Art/shot.jpg"), "JFIF shot");
        wizard = buildWizard(prompts, program.path());
        window = std::make_unique<MainWindow>(*wizard, &prompts);
        window->show();
    }
    void write(const QString& relative, const QByteArray& content) { work.write(relative, content); }
    QString native(const QString& relative) const { return work.native(relative); }

    template <typename W = QWidget>
    W* widget(const char* name) const {
        auto* w = qobject_cast<W*>(window->control(QString::fromLatin1(name)));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(const char* button) { QTest::mouseClick(widget(button), Qt::LeftButton); }
    // Replaces a field's text by typing, as the author does.
    void type(const char* field, const QString& text) {
        auto* edit = widget<QLineEdit>(field);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    int shownPage() const {
        for (int i = 0; i < kPageCount; ++i) {
            if (window->page(i)->isVisible()) {
                return i;
            }
        }
        return -1;
    }
    QStringList messages() const {
        QStringList texts;
        for (const QString& line : prompts.answers.transcript()) {
            const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
            if (o.value(QStringLiteral("event")).toString() == QStringLiteral("message")) {
                texts << o.value(QStringLiteral("text")).toString();
            }
        }
        return texts;
    }
    int count(const QString& sql, const Params& params = {}) {
        return wizard->myData().GetRS(sql, params)->recordCount();
    }
};

TEST(WindowRoad, CreateDescribeAndFinishAMenuThroughTheWidgets) {
    Road r;
    ASSERT_EQ(r.prompts.window(), r.window.get()) << "the window takes over the forms and quitting";
    const QString disc = r.native(QStringLiteral("Disc"));

    // Welcome: Create Menu opens "General Setting".
    r.click(ctl::cmdNew);
    ASSERT_EQ(r.shownPage(), 1);
    r.type(ctl::txtTitle, QStringLiteral("Road Disc"));
    auto* templates = r.widget<QComboBox>(ctl::cmbTemplate);
    const int extended = templates->findText(QStringLiteral("Extended Screenshots"));
    ASSERT_GE(extended, 0);
    templates->setCurrentIndex(extended);
    emit templates->activated(extended);

    // The CD root is opened with a click in the folder tree.
    auto* tree = r.widget<FolderTree>(ctl::Dir1);
    const QModelIndex folder = tree->fileSystem()->index(QDir::fromNativeSeparators(disc));
    ASSERT_TRUE(folder.isValid());
    for (QModelIndex parent = folder.parent(); parent.isValid(); parent = parent.parent()) {
        tree->expand(parent);
    }
    tree->scrollTo(folder);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tree->visualRect(folder).isEmpty(); }));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(folder).center());
    EXPECT_EQ(r.widget<QLabel>(ctl::lblRoot)->text(), disc);

    // "Styles / images": a new style with a logo and a background colour.
    r.click(ctl::cmdNext);
    ASSERT_EQ(r.shownPage(), 2);
    r.type(ctl::txtStyleName, QStringLiteral("Harbour"));
    r.prompts.answers.queueFile(r.native(QStringLiteral("Art/logo.jpg")));
    r.click(ctl::cmdLImage);
    EXPECT_EQ(r.widget<QLineEdit>(ctl::txtLogoImage)->text(), r.native(QStringLiteral("Art/logo.jpg")));
    EXPECT_EQ(r.widget<QLineEdit>(ctl::txtLogoImage)->cursorPosition(), 0)
        << "a long path shows its beginning";
    r.prompts.answers.queueColor(0x800000);
    r.click(ctl::cmdPickColor);
    EXPECT_EQ(r.widget<ColorSwatch>(ctl::colBack)->colorNumber(), 0x800000);
    EXPECT_EQ(r.widget<QLineEdit>(ctl::txtBackgroundColor)->text(),
              r.wizard->form().text(ctl::txtBackgroundColor));

    // "Styles / fonts": the title font; Next saves the style.
    r.click(ctl::cmdNext);
    ASSERT_EQ(r.shownPage(), 3);
    r.prompts.answers.queueFont(FontChoice{QStringLiteral("Verdana"), 16, true});
    r.click(ctl::cmdTFont);
    const QString titleFont = r.widget<QLineEdit>(ctl::txtTitleFont)->text();
    EXPECT_EQ(titleFont, r.wizard->form().text(ctl::txtTitleFont));
    EXPECT_TRUE(titleFont.startsWith(QStringLiteral("Verdana;16"))) << titleFont.toStdString();
    r.click(ctl::cmdNext);
    ASSERT_EQ(r.shownPage(), 4);
    EXPECT_TRUE(r.widget(ctl::Finish)->isVisible());
    EXPECT_FALSE(r.widget(ctl::cmdNext)->isVisible());

    // "Add Files": one entry with a two-line description, a category and a screenshot.
    r.prompts.answers.queueFile(r.native(QStringLiteral("Disc/Setup/install.exe")));
    r.click(ctl::cmdFile);
    EXPECT_EQ(r.widget<QLineEdit>(ctl::txtFile)->text(), r.native(QStringLiteral("Disc/Setup/install.exe")));
    r.type(ctl::txtFileTitle, QStringLiteral("Install"));
    auto* description = r.widget<QPlainTextEdit>(ctl::txtFileDescription);
    description->setFocus();
    description->selectAll();
    QTest::keyClicks(description, QStringLiteral("Installs the tools"));
    QTest::keyClick(description, Qt::Key_Return);
    QTest::keyClicks(description, QStringLiteral("in two lines"));
    r.type(ctl::txtFileCat, QStringLiteral("Tools"));
    r.prompts.answers.queueFile(r.native(QStringLiteral("Art/shot.jpg")));
    r.click(ctl::cmdFScreenshot);
    r.click(ctl::cmdSave);
    auto* list = r.widget<QListWidget>(ctl::lstFiles);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Install"));
    EXPECT_TRUE(r.widget<QLineEdit>(ctl::txtFile)->text().isEmpty())
        << "the fields are emptied for the next entry";

    // A click on the entry loads it back into the fields.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(r.wizard->state().curFileName, QStringLiteral("Install"));
    EXPECT_EQ(r.widget<QLineEdit>(ctl::txtFile)->text(), QStringLiteral("Setup/install.exe"));
    EXPECT_EQ(r.widget<QLineEdit>(ctl::txtFileTitle)->text(), QStringLiteral("Install"));
    EXPECT_EQ(description->toPlainText(), QStringLiteral("Installs the tools\nin two lines"));
    EXPECT_EQ(r.widget<QLineEdit>(ctl::txtFileCat)->text(), QStringLiteral("Tools"));

    r.click(ctl::Finish);

    // Every dialog had its answer; the only message is the success; the pointer is back.
    EXPECT_TRUE(r.prompts.unanswered.isEmpty()) << r.prompts.unanswered.join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(r.prompts.answers.hasQueuedAnswers());
    EXPECT_EQ(r.messages(), QStringList{QStringLiteral("Your Menu has been successfully created!")});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The model and what the window shows of it.
    const WizardState& state = r.wizard->state();
    EXPECT_EQ(state.curStep, 4);
    EXPECT_EQ(r.shownPage(), 4);
    EXPECT_TRUE(r.widget(ctl::Finish)->isVisible());
    EXPECT_EQ(state.cdRoot, disc + QDir::separator());
    EXPECT_EQ(r.wizard->form().items(ctl::lstFiles), QStringList{QStringLiteral("Install")});
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Install"));

    // The database: the menu, its new style and its entry.
    EXPECT_EQ(r.count(QStringLiteral("SELECT * FROM tblMenus")), 1);
    auto menu = r.wizard->myData().GetRS(QString::fromUtf8(sql::menuById), {state.curMenuID});
    ASSERT_FALSE(menu->eof());
    EXPECT_EQ(menu->field(QStringLiteral("Title")), QStringLiteral("Road Disc"));
    EXPECT_EQ(menu->field(QStringLiteral("Template")), QStringLiteral("Extended Screenshots"));
    EXPECT_EQ(menu->field(QStringLiteral("Root")), disc);
    EXPECT_EQ(menu->field(QStringLiteral("StyleNo")).toLongLong(), state.curStyleID);
    auto style = r.wizard->myData().GetRS(QString::fromUtf8(sql::styleById), {state.curStyleID});
    ASSERT_FALSE(style->eof());
    EXPECT_EQ(style->field(QStringLiteral("StyleName")), QStringLiteral("Harbour"));
    EXPECT_EQ(style->field(QStringLiteral("BackColor")), QStringLiteral("RGB(0,0,128)"));
    EXPECT_EQ(r.count(QStringLiteral("SELECT * FROM tblStyles")), 4);
    auto entries = r.wizard->myData().GetRS(QString::fromUtf8(sql::menuEntries), {state.curMenuID});
    ASSERT_EQ(entries->recordCount(), 1);
    EXPECT_EQ(entries->field(QStringLiteral("FileName")), QStringLiteral("Install"));
    EXPECT_EQ(entries->field(QStringLiteral("FileLink")), QStringLiteral("Setup/install.exe"));
    EXPECT_EQ(entries->field(QStringLiteral("Description")),
              QStringLiteral("Installs the tools\nin two lines"));
    EXPECT_EQ(entries->field(QStringLiteral("Category")), QStringLiteral("Tools"));
    EXPECT_EQ(entries->field(QStringLiteral("Screenshot")), QStringLiteral("shot.jpg"));
    EXPECT_TRUE(QFile::exists(QDir(r.program.path()).filePath(QStringLiteral("Styles/Harbour/logo.jpg"))));

    // The finished folder.
    const QDir root(disc);
    QStringList expected = r.programFiles;
    expected << QStringLiteral("Index.hta") << QStringLiteral("Index.htm");
    expected.sort();
    EXPECT_EQ(root.entryList(QDir::Files, QDir::Name), expected);
    for (const QString& name : r.programFiles) {
        EXPECT_EQ(test::readFile(root.filePath(name)), test::readFile(QDir(r.program.path()).filePath(name)))
            << name.toStdString();
    }
    const QByteArray page = test::readFile(root.filePath(QStringLiteral("Index.htm")));
    EXPECT_EQ(page, test::readFile(root.filePath(QStringLiteral("Index.hta"))));
    EXPECT_TRUE(page.contains("<h2>Road Disc</h2>"));
    EXPECT_TRUE(page.contains("Menu/logo.jpg"));
    EXPECT_TRUE(page.contains("Menu/shot.jpg"));
    EXPECT_TRUE(page.contains("displayCat("));
    const QByteArray css = test::readFile(root.filePath(QStringLiteral("Menu/Styles.css")));
    EXPECT_TRUE(css.startsWith("h2{font-size:16pt;font-family:Verdana;")) << css.toStdString();
    EXPECT_TRUE(css.contains("Body{background-color:RGB(0,0,128)}"));
}

}  // namespace
