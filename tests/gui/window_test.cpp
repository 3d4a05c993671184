// The Qt window offscreen: only what the widgets show (pages, binding, focus, Enter, sizes, tooltips,
// closing, folder tree, dialog forms, real dialogs); what the handlers do is the core tests' part.
#include <gmock/gmock.h>
#include <QtTest>
#include <QtWidgets>
#include <functional>

#include "support/testsupport.h"
#include "ui/dialogform.h"
#include "ui/mainwindow.h"
#include "ui/pagelayouts.h"
#include "ui/qtprompts.h"
#include "ui/widgets.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/controls.h"
#include "wizard/stylepages.h"

namespace {

using namespace torvel;
using namespace Qt::StringLiterals;
using ::testing::ElementsAre;

// Works on the next modal dialog of type D once it is open (the prompt's own event loop runs it).
template <typename D>
void whenOpen(std::function<void(D*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        }
    });
    timer->start(10);
}

// Answers the font dialog open on `shown` (bold, 14 points): cancelled when `family` is null, else with
// `family` (not bold; the shown one when empty) at 12 points. The answer as text, or "none".
QString chooseFont(QtPrompts& prompts, const QString& preset, const QString& shown, const QString& family) {
    whenOpen<QFontDialog>([=](QFontDialog* dialog) {
        QFont font = dialog->currentFont();
        EXPECT_EQ(familyName(font.family()), familyName(shown));
        EXPECT_TRUE(font.bold() && font.pointSizeF() == 14);
        font = family.isEmpty() ? font : QFont(family);
        font.setPointSize(12);
        dialog->setCurrentFont(font);
        family.isNull() ? dialog->reject() : dialog->accept();
    });
    const auto font = prompts.chooseFont({preset, 14, true});
    return font ? ScriptedPrompts::fontText(*font) : u"none"_s;
}

// The window's real prompts with the message boxes answered from the queue of `script`, or shown
// for real when `realBoxes` is set.
struct Prompts : QtPrompts {
    ScriptedPrompts script;
    QStringList messages;  // the texts of the messages shown
    bool realBoxes = false;
    Answer message(MessageIcon icon, MessageButtons buttons, const QString& title,
                   const QString& text) override {
        messages << text;
        return realBoxes ? QtPrompts::message(icon, buttons, title, text)
                         : script.message(icon, buttons, title, text);
    }
};

// A shown main window on a fresh program folder whose leave actions let every move go on (unless
// told otherwise); `fired` notes the Clicks of the controls passed to record().
struct Window {
    test::ProgramDir program;
    Prompts prompts;
    std::unique_ptr<Wizard> built = buildWizard(prompts, program.path());
    Wizard& wizard = *built;
    MainWindow window{wizard, &prompts};
    QStringList fired;

    explicit Window(bool freePages = true) {
        for (int page = 0; freePages && page < kPageCount; ++page) {
            wizard.setLeaveAction(page, [] { return true; });
        }
        window.show();
    }
    FormModel& form() { return wizard.form(); }
    template <typename W = QWidget>
    W* widget(const char* name) {
        return qobject_cast<W*>(window.control(QString::fromLatin1(name)));
    }
    void click(const char* button) { QTest::mouseClick(widget(button), Qt::LeftButton); }
    void go(int page) {
        while (wizard.state().curStep != page) {
            click(wizard.state().curStep < page ? ctl::cmdNext : ctl::cmdBack);
        }
    }
    void record(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            wizard.onClick(QString::fromLatin1(name), [this, name] { fired << QString::fromLatin1(name); });
        }
    }
    bool focusOn(const char* name) {
        return QTest::qWaitFor([&] { return QApplication::focusWidget() == widget(name); }, 1000);
    }
};

// The access key a button or label shows.
QKeySequence accessKey(QWidget* widget) {
    const auto* button = qobject_cast<QAbstractButton*>(widget);
    return QKeySequence::mnemonic(button ? button->text() : qobject_cast<QLabel*>(widget)->text());
}

// Every button and field label shown has an access key; the menus' and those of the buttons below
// the pages are their own, and those buttons stand whole in the window.
void expectAccessKeys(MainWindow& window) {
    const auto& bar = PageLayouts::barButtons();
    QList<QKeySequence> keys,
        barKeys{QKeySequence(u"Alt+F"_s), QKeySequence(u"Alt+S"_s), QKeySequence(u"Alt+H"_s)};
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const auto* label = qobject_cast<QLabel*>(widget);
        if (widget->isVisible() && (qobject_cast<QAbstractButton*>(widget) || (label && label->buddy()))) {
            keys << accessKey(widget);
            EXPECT_FALSE(keys.last().isEmpty()) << widget->objectName().toStdString();
            if (std::find(bar.begin(), bar.end(), widget->objectName()) != bar.end()) {
                barKeys << keys.last();
                EXPECT_TRUE(window.rect().contains(QRect(widget->mapTo(&window, QPoint()), widget->size())));
            }
        }
    }
    EXPECT_EQ(barKeys.size(), 6);
    for (const QKeySequence& key : barKeys) {
        EXPECT_LE(keys.count(key), 1) << key.toString().toStdString();
    }
}

TEST(MainWindow, ShowsEveryPageWholeAtItsUsualSizeWithEveryTooltip) {
    Window w;
    w.window.resize(840, 580);
    // Long values of the style pages, as the font and colour dialogs write them.
    const QString font = u"DejaVu Sans Mono;12pt;Normal"_s, colour = u"RGB(255,255,255)"_s;
    const std::pair<const char*, QString> fields[] = {
        {ctl::txtTitleFont, font},    {ctl::txtButtonFont, font},     {ctl::txtDFont, font},
        {ctl::txtHFont, font},        {ctl::txtHColorActive, colour}, {ctl::txtBackgroundColor, colour},
        {ctl::txtTitleColor, colour}, {ctl::txtFileTitle, font}};
    for (const auto& [name, value] : fields) {
        w.form().setText(QString::fromLatin1(name), value);
    }
    for (int page : {1, 2, 3, 4, 3, 0}) {
        w.go(page);
        QApplication::processEvents();
        for (int p = 0; p < kPageCount; ++p) {
            EXPECT_EQ(w.window.page(p)->isVisible(), p == page) << p;
        }
        EXPECT_EQ(w.window.page(page)->findChild<QLabel*>(u"pageTitle"_s)->text(),
                  w.form().caption(pageFrameName(page)));
        // Nothing to scroll.
        EXPECT_FALSE(w.window.pageArea()->verticalScrollBar()->isVisible()) << page;
        EXPECT_FALSE(w.window.pageArea()->horizontalScrollBar()->isVisible()) << page;
        // Finish takes the place of Next on the last page.
        EXPECT_EQ(w.widget(ctl::Finish)->isVisible(), page == 4) << page;
        EXPECT_EQ(w.widget(ctl::cmdNext)->isVisible(), page != 4) << page;
    }
    for (const auto& [name, value] : fields) {
        auto* edit = w.widget<QLineEdit>(name);
        EXPECT_GT(edit->width() - 8, edit->fontMetrics().horizontalAdvance(value)) << name;
    }

    int withTooltip = 0;
    for (const Control& c : w.form().controls()) {
        if (c.kind != ControlKind::Frame && c.kind != ControlKind::MenuItem) {
            ASSERT_NE(w.window.control(c.name), nullptr) << c.name.toStdString();
            EXPECT_EQ(w.window.control(c.name)->toolTip(), c.tooltip) << c.name.toStdString();
            withTooltip += c.tooltip.isEmpty() ? 0 : 1;
        }
    }
    EXPECT_GT(withTooltip, 10);
    EXPECT_FALSE(w.widget<QToolButton>(ctl::cmdNew)->icon().isNull());

    // Menu items and buttons fire the wizard's Clicks.
    w.record({ctl::mnuAbout, ctl::mnuQuit, ctl::cmdNew, ctl::cmdClose});
    EXPECT_EQ(w.window.menuAction(ctl::mnuAbout)->text().remove(u'&'), u"About"_s);
    w.window.menuAction(ctl::mnuAbout)->trigger();
    w.window.menuAction(ctl::mnuQuit)->trigger();
    w.click(ctl::cmdNew);
    w.click(ctl::cmdClose);
    EXPECT_EQ(w.fired, (QStringList{ctl::mnuAbout, ctl::mnuQuit, ctl::cmdNew, ctl::cmdClose}));
}

TEST(MainWindow, WidgetsFollowTheModelAndUserInputGoesBackToIt) {
    Window w;
    w.record({ctl::cmbStyles, ctl::lstFiles});

    // A text field: typing sets the model's text; a value from the model shows from its beginning.
    w.go(1);
    auto* title = w.widget<QLineEdit>(ctl::txtTitle);
    QTest::keyClicks(title, u"Summer's CD"_s);
    EXPECT_EQ(w.form().text(ctl::txtTitle), u"Summer's CD"_s);
    w.form().setText(ctl::txtTitle, u"Winter "_s.repeated(30));
    EXPECT_EQ(title->text(), u"Winter "_s.repeated(30));
    EXPECT_EQ(title->cursorPosition(), 0);

    // A drop-down list: typing fires nothing; choosing an item selects it and fires its Click.
    auto* styles = w.widget<QComboBox>(ctl::cmbStyles);
    w.form().setItems(ctl::cmbStyles, {u"NEW"_s, u"1: Ocean"_s});
    QTest::keyClicks(styles->lineEdit(), u"Ext"_s);
    EXPECT_EQ(w.form().text(ctl::cmbStyles), u"Ext"_s);
    EXPECT_TRUE(w.fired.isEmpty());

    // A list: the model's items show; a click selects the row and fires the list's Click.
    w.go(4);
    auto* files = w.widget<QListWidget>(ctl::lstFiles);
    w.form().setItems(ctl::lstFiles, {u"Setup"_s, u"Read me"_s});
    ASSERT_EQ(files->count(), 2);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(files->item(1)).center());
    EXPECT_EQ(w.form().selected(ctl::lstFiles), 1);
    EXPECT_EQ(w.fired, QStringList{ctl::lstFiles});
    w.form().setItemText(ctl::lstFiles, 0, u"Installer"_s);
    EXPECT_EQ(files->item(0)->text(), u"Installer"_s);
    EXPECT_EQ(files->currentRow(), 1);

    // The multi-line field shows LF, keeps the model's CR LF when typed into; Enter is a line break.
    auto* description = w.widget<QPlainTextEdit>(ctl::txtFileDescription);
    w.form().setText(ctl::txtFileDescription, u"First line\r\nSecond line"_s);
    EXPECT_EQ(description->toPlainText(), u"First line\nSecond line"_s);
    description->moveCursor(QTextCursor::End);
    QTest::keyClicks(description, u"!"_s);
    EXPECT_EQ(w.form().text(ctl::txtFileDescription), u"First line\r\nSecond line!"_s);
    w.form().setText(ctl::txtFileDescription, QString());
    QTest::keyClicks(description, u"a"_s);
    QTest::keyClick(description, Qt::Key_Return);
    QTest::keyClicks(description, u"b"_s);
    EXPECT_EQ(w.form().text(ctl::txtFileDescription), u"a\nb"_s);
    EXPECT_EQ(w.wizard.state().curStep, 4);

    // Labels follow caption, weight and visibility.
    EXPECT_TRUE(w.widget(ctl::lblRoot)->font().bold());
    w.form().setCaption(ctl::lblRoot, u"/media/cd"_s);
    EXPECT_EQ(w.widget<QLabel>(ctl::lblRoot)->text(), u"/media/cd"_s);
    w.form().setVisible(ctl::lblScreen, false);
    EXPECT_TRUE(w.widget(ctl::lblScreen)->isHidden());
    EXPECT_FALSE(w.widget(ctl::lblCat)->isHidden());
}

TEST(MainWindow, TheTemplateIsOnlyChosenAndEachSwatchShowsWhatItsFieldNames) {
    Window w;
    w.record({ctl::cmbTemplate});
    w.go(1);
    // The template is chosen, never typed: a text from elsewhere that is none of the items shows
    // as one more item while it is the text.
    auto* templates = w.widget<QComboBox>(ctl::cmbTemplate);
    const auto shown = [&] {
        return QStringList{templates->currentText(), QString::number(templates->count())};
    };
    EXPECT_EQ(templates->lineEdit(), nullptr);
    EXPECT_EQ(shown(), (QStringList{u"Standard"_s, u"5"_s}));
    w.form().setText(ctl::cmbTemplate, u"Extended typed"_s);
    EXPECT_EQ(shown(), (QStringList{u"Extended typed"_s, u"6"_s}));
    EXPECT_EQ(templates->itemText(5), u"Extended typed"_s);
    emit templates->activated(5);  // the extra item is the text already
    EXPECT_TRUE(w.fired.isEmpty());
    emit templates->activated(2);
    EXPECT_EQ(w.form().text(ctl::cmbTemplate), u"Extended"_s);
    EXPECT_EQ(shown(), (QStringList{u"Extended"_s, u"5"_s}));
    EXPECT_EQ(w.fired, QStringList{ctl::cmbTemplate});

    // A swatch shows the colour its field names as it is typed, in either form, or none at all.
    auto* swatch = w.widget<ColorSwatch>(ctl::colBack);
    const auto painted = [swatch] {
        return swatch->grab().toImage().pixelColor(swatch->rect().center() + QPoint(6, 0));
    };
    auto* colour = w.widget<QLineEdit>(ctl::txtBackgroundColor);
    for (const auto& [typed, expected] : {std::pair{u"RGB(255,233,160)"_s, QColor(255, 233, 160)},
                                          std::pair{u"4235519"_s, QColor(255, 160, 64)},
                                          std::pair{u"RGB(1,2"_s, swatch->palette().color(QPalette::Base)}}) {
        colour->clear();
        QTest::keyClicks(colour, typed);
        EXPECT_EQ(painted(), expected) << typed.toStdString();
    }
}

TEST(MainWindow, KeyboardFocusAndEnterFollowThePageShown) {
    Window w;
    QApplication::setActiveWindow(&w.window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    w.record({ctl::cmdLoad, ctl::cmdMDelete, ctl::lstFiles});

    // Each page shown puts the focus on its first field, forward and back, never on Close.
    const char* firstFields[] = {ctl::cmdNew, ctl::txtTitle, ctl::txtStyleName, ctl::txtTitleFont,
                                 ctl::txtFile};
    EXPECT_TRUE(w.focusOn(firstFields[0])) << "at start";
    for (int page : {1, 2, 3, 4, 3}) {
        w.go(page);
        EXPECT_EQ(QApplication::focusWidget(), w.widget(firstFields[page])) << "page " << page;
    }

    // The file list: moving with the arrow keys is a choice like a click.
    w.go(4);
    w.form().setItems(ctl::lstFiles, {u"Setup"_s, u"Read me"_s});
    w.widget(ctl::lstFiles)->setFocus();
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(w.widget(ctl::lstFiles), Qt::Key_Down);  // the third stays on the last entry
    }
    EXPECT_EQ(w.fired, (QStringList{ctl::lstFiles, ctl::lstFiles}));
    EXPECT_EQ(w.form().selected(ctl::lstFiles), 1);

    // Page 0: a menu list that appears takes the focus, Enter in it is its own button; hidden again,
    // it hands the focus to the page, not to Close.
    w.fired.clear();
    w.go(0);
    EXPECT_TRUE(w.focusOn(ctl::cmdNew));
    const std::tuple<const char*, const char*, Qt::Key> groups[] = {{"ML", ctl::cmbMenuL, Qt::Key_Return},
                                                                    {"MD", ctl::cmbMenus, Qt::Key_Enter}};
    for (const auto& [tag, list, key] : groups) {
        w.form().setItems(QString::fromLatin1(list), {u"1: Holiday"_s});
        w.wizard.showControls(QString::fromLatin1(tag), true);
        EXPECT_TRUE(w.widget(list)->hasFocus()) << tag;
        QTest::keyClick(QApplication::focusWidget(), key);
        w.wizard.showControls(QString::fromLatin1(tag), false);
        EXPECT_TRUE(w.focusOn(ctl::cmdNew)) << tag;
    }
    EXPECT_EQ(w.fired, (QStringList{ctl::cmdLoad, ctl::cmdMDelete}));
    EXPECT_EQ(w.wizard.state().curStep, 0);

    // Enter in a field is Next, Return or the keypad's Enter; a refusing leave action keeps the page.
    w.go(1);
    QTest::keyClick(w.widget(ctl::txtTitle), Qt::Key_Return);
    QTest::keyClick(w.widget(ctl::txtStyleName), Qt::Key_Enter);
    EXPECT_EQ(w.wizard.state().curStep, 3);
    w.wizard.setLeaveAction(3, [] { return false; });
    QTest::keyClick(w.widget(ctl::txtTitleFont), Qt::Key_Enter);
    EXPECT_TRUE(w.window.page(3)->isVisible());
}

TEST(MainWindow, AfterAQuestionTheFocusIsBackAndEnterGoesOnNeverToClose) {
    Window w;
    w.prompts.realBoxes = true;
    QApplication::setActiveWindow(&w.window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    w.record({ctl::cmdClose, ctl::Finish});
    w.go(4);
    w.form().setItems(ctl::lstFiles, {u"Setup"_s});
    w.form().select(ctl::lstFiles, 0);
    // Removing an entry asks first; Enter in the box is No. Then the title field has the focus
    // again, and Enter there is the page's default button, Finish.
    w.widget(ctl::txtFileTitle)->setFocus();
    QString defaultButton;
    whenOpen<QMessageBox>([&](QMessageBox* box) {
        defaultButton = box->defaultButton()->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    w.wizard.click(ctl::cmdFileRemove);
    EXPECT_EQ(defaultButton.remove(u'&'), u"No"_s);
    EXPECT_EQ(w.form().items(ctl::lstFiles), QStringList{u"Setup"_s});
    ASSERT_TRUE(w.focusOn(ctl::txtFileTitle));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // A notice from a clicked button gives the focus back to that button.
    w.wizard.onClick(ctl::cmdSave, [&] { inform(w.prompts, u"Saved"_s); });
    whenOpen<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    QTest::mouseClick(w.widget(ctl::cmdSave), Qt::LeftButton);
    EXPECT_TRUE(w.focusOn(ctl::cmdSave));
    EXPECT_EQ(w.fired, QStringList{ctl::Finish});
}

// Also run at 200% on a 1024x768 screen (see CMakeLists.txt), where the window starts as large as
// the screen; elsewhere it is made that small.
TEST(SmallScreen, EveryButtonAndFieldHasItsAccessKeyAndCanBeReached) {
    Window w;
    QApplication::setActiveWindow(&w.window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    EXPECT_TRUE(w.window.screen()->availableGeometry().contains(w.window.frameGeometry()));
    w.window.resize(w.window.size().boundedTo(QSize(512, 384)));
    QScrollArea* area = w.window.pageArea();
    bool scrolled = false;
    for (int page = 0; page < kPageCount; ++page) {
        w.go(page);
        QApplication::processEvents();
        expectAccessKeys(w.window);
        // The page keeps the room it needs; what takes the focus is scrolled into view, whole or
        // as much of it as the page body shows.
        EXPECT_GE(area->widget()->height(), w.window.page(page)->minimumSizeHint().height()) << page;
        EXPECT_GE(area->widget()->width(), w.window.page(page)->minimumSizeHint().width()) << page;
        scrolled = scrolled || area->verticalScrollBar()->isVisible();
        for (const Control& c : w.form().controls()) {
            QWidget* widget = c.page == page ? w.window.control(c.name) : nullptr;
            if (widget != nullptr && widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus)) {
                widget->setFocus(Qt::TabFocusReason);
                QApplication::processEvents();
                const QSize room = area->viewport()->size() - QSize(16, 16);
                const QSize shown =
                    area->viewport()
                        ->rect()
                        .intersected(QRect(widget->mapTo(area->viewport(), QPoint()), widget->size()))
                        .size();
                EXPECT_EQ(shown, widget->size().boundedTo(room).expandedTo(shown))
                    << page << c.name.toStdString();
            }
        }
    }
    EXPECT_TRUE(scrolled);
    // The model's captions stay as they are. A label's key moves the focus to its field; the bar's
    // keys press their buttons.
    EXPECT_EQ(QStringList({w.form().caption(ctl::Label1), w.form().caption(ctl::cmdNext)}),
              QStringList({u"Template:"_s, u"Next >"_s}));
    w.go(1);
    QTest::keySequence(&w.window, accessKey(w.widget(ctl::Label1)));
    EXPECT_TRUE(w.focusOn(ctl::cmbTemplate));
    QTest::keySequence(&w.window, QKeySequence(u"Alt+N"_s));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.wizard.state().curStep == 2; }));
}

TEST(MainWindow, TheCloseButtonOffersAnUnsavedEntryOnceAsCloseDoes) {
    const bool quitOnLastWindow = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    Window w(false);
    const auto messages = [&w] { return std::exchange(w.prompts.messages, {}); };
    const QString offered = u"The entry \"Typed\" is not saved yet. Save it before Torvel closes?"_s;
    // A title without a file: Yes, the save is refused and the window stays.
    w.form().setText(ctl::txtFileTitle, u"Typed"_s);
    w.form().setText(ctl::txtFile, QString());
    w.prompts.script.queueAnswer(true);
    EXPECT_FALSE(w.window.close());
    EXPECT_EQ(messages(), (QStringList{offered, u"Please select a file and enter a file name!"_s}));

    // Close asks once and quits; the window it closes does not ask again.
    w.prompts.script.queueAnswer(false);
    w.prompts.script.queueAnswer(false);
    w.click(ctl::cmdClose);
    EXPECT_FALSE(w.window.isVisible());
    EXPECT_EQ(messages(), QStringList{offered});
    QApplication::setQuitOnLastWindowClosed(quitOnLastWindow);
}

TEST(MainWindow, FolderAndDriveListsShowAndOpenRealFolders) {
    Window w;
    QTemporaryDir dir;
    // Many folders beside a deep one, so that the tree scrolls.
    for (int i = 0; i < 60; ++i) {
        QDir(dir.path()).mkpath(u"Disc/Folder%1/Inner"_s.arg(i, 2, 10, QChar(u'0')));
    }
    const QString disc = QDir::toNativeSeparators(dir.filePath(u"Disc"_s));
    const QString setup = QDir::toNativeSeparators(dir.filePath(u"Disc/Folder01"_s));
    QStringList opened;
    w.wizard.onFolderChange([&](const QString& path) {
        opened << path;
        w.form().setText(ctl::Dir1, path);
    });
    w.go(1);

    // The tree starts at the home folder; the model's folder is selected; a click on a folder opens it.
    auto* tree = w.widget<FolderTree>(ctl::Dir1);
    EXPECT_EQ(tree->currentFolder(), QDir::toNativeSeparators(QDir::homePath()));
    w.form().setText(ctl::Dir1, disc);
    EXPECT_EQ(tree->currentFolder(), disc);
    const QModelIndex index = tree->fileSystem()->index(QDir::fromNativeSeparators(setup));
    tree->expand(index.parent());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tree->visualRect(index).isEmpty(); }));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(index).center());
    EXPECT_EQ(opened, QStringList{setup});
    EXPECT_EQ(tree->currentFolder(), setup);

    // The drive list offers the model's drives and shows the chosen one.
    w.form().setItems(ctl::Drive1, {u"/"_s, u"/media/cd"_s});
    w.form().setText(ctl::Drive1, u"/media/cd"_s);
    EXPECT_EQ(w.widget<QComboBox>(ctl::Drive1)->count(), 2);
    EXPECT_EQ(w.widget<QComboBox>(ctl::Drive1)->currentText(), u"/media/cd"_s);

    // A folder given while a tree is hidden, as on a page not shown yet, is scrolled to once the
    // folders above it are listed and the tree appears.
    QDir(dir.path()).mkpath(u"Disc/Folder30/Inner/Deep"_s);
    const QString deep = dir.filePath(u"Disc/Folder30/Inner/Deep"_s);
    FolderTree hidden;
    hidden.resize(300, 200);
    ASSERT_TRUE(hidden.showFolder(QDir::toNativeSeparators(deep)));
    const QModelIndex shown = hidden.fileSystem()->index(deep);
    ASSERT_TRUE(QTest::qWaitFor([&] { return hidden.fileSystem()->rowCount(shown.parent()) > 0; }));
    QTest::qWait(100);
    hidden.show();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return hidden.viewport()->rect().contains(hidden.visualRect(shown).center()) &&
               hidden.isExpanded(shown.parent());
    }));
    EXPECT_EQ(QDir::fromNativeSeparators(hidden.currentFolder()), deep);
}

TEST(DialogForm, FinderIsDrawnFromItsModelBesideTheWindowAndBoundBothWays) {
    Window w;
    FormModel& files = w.wizard.dialog(ctl::frmFiles);
    int clicks = 0;
    w.wizard.onClick(u"frmFiles.cmdOK"_s, [&] { ++clicks; });
    w.wizard.setDialogOpen(ctl::frmFiles, true);
    DialogForm* dialog = w.window.dialogForm(ctl::frmFiles);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible() && !dialog->isModal());
    EXPECT_EQ(dialog->screen(), w.window.screen());
    EXPECT_TRUE(w.window.screen()->availableGeometry().contains(dialog->frameGeometry()));
    EXPECT_EQ(dialog->windowTitle(), files.caption(ctl::frmFiles));
    for (const Control& c : files.controls()) {
        EXPECT_EQ(dialog->control(c.name) != nullptr, c.kind != ControlKind::Frame) << c.name.toStdString();
    }

    // Both ways, with events named "frmFiles.NAME"; the main window stays usable meanwhile. The
    // description shows several lines at once.
    auto* text = qobject_cast<QPlainTextEdit*>(dialog->control(ctl::txtDesText));
    QTest::keyClicks(text, u"setup.exe"_s);
    EXPECT_EQ(files.text(ctl::txtDesText), u"setup.exe"_s);
    files.setText(ctl::txtDesText, u"Installs\r\nthe suite"_s);
    EXPECT_EQ(text->toPlainText(), u"Installs\nthe suite"_s);
    EXPECT_GE(text->viewport()->height(), 3 * text->fontMetrics().lineSpacing());
    QTest::mouseClick(dialog->control(ctl::cmdOK), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    w.click(ctl::cmdNext);
    EXPECT_EQ(w.wizard.state().curStep, 1);

    // Shown again it is the same dialog; the model closes it; closed by the user, the model learns it.
    w.window.showForm(ctl::frmFiles);
    EXPECT_EQ(w.window.dialogForm(ctl::frmFiles), dialog);
    w.wizard.setDialogOpen(ctl::frmFiles, false);
    EXPECT_FALSE(dialog->isVisible());
    w.wizard.setDialogOpen(ctl::frmFiles, true);
    EXPECT_TRUE(dialog->isVisible());
    QTest::keyClick(dialog->control(ctl::cmbDesTitle), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible() || w.wizard.isDialogOpen(ctl::frmFiles));

    // Beside the window where the screen has room: the window, the screen, the finder's place.
    const std::tuple<QRect, QRect, QPoint> places[] = {
        // Room on the right: there, a little below the window's top edge.
        {QRect(100, 100, 960, 640), QRect(0, 0, 1920, 1080), QPoint(1072, 140)},
        // No room on the right: on the left, clear of the window.
        {QRect(900, 100, 960, 640), QRect(0, 0, 1920, 1080), QPoint(528, 140)},
        // Room on neither side: as far right as the screen allows, never below it.
        {QRect(160, 60, 960, 780), QRect(0, 0, 1280, 800), QPoint(920, 100)},
        {QRect(160, 700, 960, 100), QRect(0, 0, 1280, 800), QPoint(920, 660)},
        // A screen narrower than the dialog: its left edge on the screen.
        {QRect(1300, 60, 300, 200), QRect(1280, 0, 320, 800), QPoint(1280, 100)},
    };
    for (const auto& [window, screen, expected] : places) {
        EXPECT_EQ(placeBeside(window, QSize(360, 140), screen), expected) << window.x() << "," << window.y();
    }
}

TEST(DialogForm, HelpAboutOpensTheModalAboutBoxUntilEscapeClosesIt) {
    Window w;
    DialogForm* about = nullptr;
    int lightest = 0;
    whenOpen<DialogForm>([&](DialogForm* dialog) {
        about = dialog;
        EXPECT_EQ(dialog->formName(), ctl::frmAbout);
        EXPECT_TRUE(dialog->isModal());
        // Fixed size, no minimise or maximise button, the program's icon, picture and separator
        // lines drawn; the link reads light on the box's blue (lightness 150).
        EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
        EXPECT_EQ(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint), 0);
        EXPECT_TRUE(dialog->windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(dialog->windowIcon().isNull());
        EXPECT_FALSE(qobject_cast<QLabel*>(dialog->control(ctl::Image1))->pixmap().isNull());
        for (const char* line : {ctl::Line1, ctl::Line2}) {
            auto* frame = qobject_cast<QFrame*>(dialog->control(line));
            EXPECT_TRUE(frame != nullptr && frame->frameShape() == QFrame::HLine && frame->isVisible())
                << line;
        }
        const QImage link = dialog->grab(dialog->control(ctl::ZelBText1)->geometry()).toImage();
        for (int i = 0; i < link.width() * link.height(); ++i) {
            lightest = std::max(lightest, link.pixelColor(i % link.width(), i / link.width()).lightness());
        }
        QTest::keyClick(dialog->control(ctl::cmdSysInfo), Qt::Key_Escape);
    });
    w.window.menuAction(ctl::mnuAbout)->trigger();  // returns when the box closes
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->palette().color(QPalette::Window), QColor(110, 130, 190));
    EXPECT_GT(lightest, 200);
    EXPECT_FALSE(about->isVisible() || w.wizard.isDialogOpen(ctl::frmAbout));
}

TEST(QtPrompts, ShowsRealDialogsAndReturnsTheirAnswers) {
    QtPrompts prompts;

    // Message boxes: title, icon and buttons as asked.
    whenOpen<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), u" "_s);
        EXPECT_EQ(box->text(), u"Remove it?"_s);
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(prompts.message(MessageIcon::Question, MessageButtons::YesNo, u" "_s, u"Remove it?"_s),
              Answer::No);
    whenOpen<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(prompts.message(MessageIcon::None, MessageButtons::Ok, u"T"_s, u"x"_s), Answer::Ok);

    // The colour dialog opens on the preset and gives a colour number (0x00BBGGRR: red is 255).
    whenOpen<QColorDialog>([](QColorDialog* dialog) {
        EXPECT_EQ(dialog->currentColor(), QColor(17, 207, 255));
        dialog->setCurrentColor(QColor(255, 0, 0));
        dialog->accept();
    });
    EXPECT_EQ(prompts.chooseColor(colorNumber(QColor(17, 207, 255))), std::optional<int>(255));
    whenOpen<QColorDialog>([](QColorDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(prompts.chooseColor(0), std::nullopt);

    // The font dialog opens on the value's font, or the stand-in for a family not installed, whose
    // value keeps the author's family when left as it is; the dialog's foundry is dropped.
    const QString sans = u"DejaVu Sans"_s, missing = u"Torvel Absent Sans"_s;
    EXPECT_EQ(chooseFont(prompts, sans, sans, QString()), u"none"_s);
    EXPECT_EQ(chooseFont(prompts, sans, sans, u"DejaVu Serif"_s), u"DejaVu Serif;12;normal"_s);
    ASSERT_FALSE(QFontDatabase::families().contains(missing, Qt::CaseInsensitive));
    EXPECT_TRUE(QFontDatabase::families().contains(installedFamily(missing), Qt::CaseInsensitive));
    EXPECT_EQ(installedFamily(sans), sans);
    EXPECT_EQ(chooseFont(prompts, missing, installedFamily(missing), u""_s), missing + u";12;bold"_s);
    EXPECT_EQ(familyName(u"Nimbus Sans [urw]"_s), u"Nimbus Sans"_s);

    // The open-file dialog starts in the asked folder and gives the chosen file's full path.
    QTemporaryDir dir;
    QFile(dir.filePath(u"logo.gif"_s)).open(QIODevice::WriteOnly);
    whenOpen<QFileDialog>([](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), u"Choose the logo"_s);
        EXPECT_THAT(dialog->nameFilters(),
                    ElementsAre(u"Pictures (*.jpg *.jpeg *.gif *.png)"_s, u"All files (*)"_s));
        EXPECT_EQ(dialog->defaultSuffix(), u"jpg"_s);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        // Typed as the author would: selectFile() leaves the field alone while it has the focus.
        dialog->findChild<QLineEdit*>(u"fileNameEdit"_s)->setText(u"logo.gif"_s);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const auto file = prompts.openFile(
        {u"Choose the logo"_s, kPictureFilter, u"jpg"_s, QDir::toNativeSeparators(dir.path())});
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(QFileInfo(*file).canonicalFilePath(), QFileInfo(dir.filePath("logo.gif")).canonicalFilePath());
    // A display name without its pattern part offers every file.
    EXPECT_EQ(toQtNameFilters(u"All files (*.*)"_s), QStringList{u"All files (*)"_s});
    whenOpen<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(prompts.openFile({u"Choose the file"_s, u"All files (*.*)"_s, {}, dir.path()}), std::nullopt);

    // The busy pointer is one override cursor, restored once.
    prompts.setBusy(true);
    prompts.setBusy(true);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    prompts.setBusy(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// The later pages are drawn when first needed, and a list changes only the item that changed: the
// other items stay the very same objects, with their selection.
TEST(ScaleWindow, PagesAreDrawnWhenNeededAndListItemsChangeOneAtATime) {
    test::ProgramDir program;
    ScriptedPrompts prompts;
    const auto wizard = buildWizard(prompts, program.path());
    MainWindow window(*wizard);
    EXPECT_EQ(window.page(1)->findChildren<QWidget*>().size(), 1) << "only its title before it is needed";

    auto* list = qobject_cast<QListWidget*>(window.control(ctl::lstFiles));
    ASSERT_NE(list, nullptr) << "asking for a control draws its page";
    FormModel& form = wizard->form();
    form.setItems(ctl::lstFiles, {QStringLiteral("One"), QStringLiteral("Two")});
    form.select(ctl::lstFiles, 1);
    QListWidgetItem* first = list->item(0);
    QListWidgetItem* second = list->item(1);

    form.addItem(ctl::lstFiles, QStringLiteral("Three"));
    form.setItemText(ctl::lstFiles, 0, QStringLiteral("Uno"));
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0), first);
    EXPECT_EQ(list->item(1), second);
    EXPECT_EQ(first->text(), QStringLiteral("Uno"));
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("Three"));
    EXPECT_EQ(list->currentRow(), 1);

    form.removeItem(ctl::lstFiles, 0);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0), second);
    EXPECT_EQ(list->currentRow(), 0) << "the selection follows its item";
    form.setItems(ctl::lstFiles, {QStringLiteral("Alone")});
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Alone"));
}

// The Disc menu stands between File and Help, greyed until a CD root is chosen; its dialogs are
// real ones: the save-file dialog, the table of findings and a progress that can be cancelled.
TEST(DiscMenu, IsEnabledByTheRootAndShowsItsDialogs) {
    Window w;
    QStringList menus;
    for (QAction* menu : w.window.menuBar()->actions()) {
        menus << menu->text().remove(u'&');
    }
    EXPECT_EQ(menus, (QStringList{u"File"_s, u"Disc"_s, u"Help"_s}));
    QStringList items;
    for (QAction* item : w.window.findChild<QMenu*>(ctl::mnuDisc)->actions()) {
        items << item->text().remove(u'&') + (item->isEnabled() ? u""_s : u" (greyed)"_s);
    }
    EXPECT_EQ(items, (QStringList{u"Check Disc… (greyed)"_s, u"Preview in Browser (greyed)"_s,
                                  u"Open CD Root Folder (greyed)"_s, u"Make ISO Image… (greyed)"_s}));
    QTemporaryDir root;
    w.wizard.openFolder(root.path());
    EXPECT_TRUE(w.window.menuAction(ctl::mnuMakeIso)->isEnabled());

    QtPrompts prompts;
    whenOpen<QFileDialog>([](QFileDialog* dialog) {
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->defaultSuffix(), u"iso"_s);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const auto image =
        prompts.saveFile({u"ISO images (*.iso)|*.iso"_s, u"iso"_s, root.filePath(u"Disc.iso"_s)});
    EXPECT_EQ(image, std::optional(QDir::toNativeSeparators(root.filePath(u"Disc.iso"_s))));
    whenOpen<QDialog>([](QDialog* dialog) {
        auto* table = dialog->findChild<QTableWidget*>();
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->rowCount(), 2);
        EXPECT_EQ(table->item(1, 2)->text(), u"Start.exe"_s);
        EXPECT_EQ(dialog->findChild<QLabel*>()->text(), u"The check found 1 problem."_s);
        dialog->accept();
    });
    prompts.showTable(
        {u"Check Disc"_s,
         u"The check found 1 problem."_s,
         {u"Level"_s, u"What"_s, u"Where"_s},
         {{u"note"_s, u"Fits on a CD."_s, QString()}, {u"error"_s, u"Missing."_s, u"Start.exe"_s}}});
    EXPECT_TRUE(prompts.progress(u"Making the ISO image"_s, 0, 100));
    QApplication::activeModalWidget()->findChild<QPushButton*>()->click();
    EXPECT_FALSE(prompts.progress(u"Making the ISO image"_s, 50, 100));
    prompts.progressEnd();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
