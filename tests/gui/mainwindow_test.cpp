#include <gmock/gmock.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "support/testsupport.h"
#include "ui/mainwindow.h"
#include "ui/widgets.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/controls.h"

namespace {

using namespace torvel;

// A shown main window over a wizard on a fresh program folder, with scripted prompts and leave
// actions that always let the move go on.
struct Window {
    test::ProgramDir program;
    ScriptedPrompts prompts;
    std::unique_ptr<Wizard> built = buildWizard(prompts, program.path());
    Wizard& wizard = *built;
    MainWindow window{wizard};

    Window() {
        for (int page = 0; page < kPageCount; ++page) {
            wizard.setLeaveAction(page, [] { return true; });
        }
        window.show();
    }
    FormModel& form() { return wizard.form(); }
    template <typename W = QWidget>
    W* widget(const char* name) {
        return qobject_cast<W*>(window.control(QString::fromLatin1(name)));
    }
    int shownPage() {
        int shown = -1;
        for (int i = 0; i < kPageCount; ++i) {
            if (window.page(i)->isVisible()) {
                EXPECT_EQ(shown, -1) << "two pages shown at once";
                shown = i;
            }
        }
        return shown;
    }
    void click(const char* button) { QTest::mouseClick(widget(button), Qt::LeftButton); }
};

TEST(MainWindow, WalksThePagesWithNextAndBack) {
    Window w;
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("  Torvel"));
    EXPECT_EQ(w.shownPage(), 0);
    EXPECT_TRUE(w.widget(ctl::cmdNext)->isVisible());
    EXPECT_FALSE(w.widget(ctl::Finish)->isVisible());
    EXPECT_EQ(w.widget(ctl::cmdNext)->toolTip(), QStringLiteral("step forward to next page"));
    EXPECT_EQ(w.widget<QPushButton>(ctl::cmdBack)->text(), QStringLiteral("< Back"));

    for (int page = 1; page < kPageCount; ++page) {
        w.click(ctl::cmdNext);
        EXPECT_EQ(w.wizard.state().curStep, page);
        EXPECT_EQ(w.shownPage(), page);
        // The page shows its frame caption.
        auto* title = w.window.page(page)->findChild<QLabel*>(QStringLiteral("pageTitle"));
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->text(), w.form().caption(pageFrameName(page)));
    }
    // Page 4: Finish replaces Next.
    EXPECT_TRUE(w.widget(ctl::Finish)->isVisible());
    EXPECT_FALSE(w.widget(ctl::cmdNext)->isVisible());

    w.click(ctl::cmdBack);
    EXPECT_EQ(w.shownPage(), 3);
    EXPECT_FALSE(w.widget(ctl::Finish)->isVisible());
    EXPECT_TRUE(w.widget(ctl::cmdNext)->isVisible());
    for (int i = 0; i < 4; ++i) {
        w.click(ctl::cmdBack);
    }
    EXPECT_EQ(w.shownPage(), 0);
    EXPECT_EQ(w.wizard.state().curStep, 0);

    // Enter in a field is Next; a refusing leave action keeps the page.
    w.click(ctl::cmdNext);
    QLineEdit* title = w.widget<QLineEdit>(ctl::txtTitle);
    title->setFocus();
    QTest::keyClick(title, Qt::Key_Return);
    EXPECT_EQ(w.shownPage(), 2);
    w.wizard.setLeaveAction(2, [] { return false; });
    QTest::keyClick(w.widget(ctl::txtStyleName), Qt::Key_Enter);
    EXPECT_EQ(w.shownPage(), 2);
}

TEST(MainWindow, FieldsFollowTheModelAndTypingChangesOnlyTheModel) {
    Window w;
    int clicks = 0;
    w.wizard.onClick(ctl::cmbTemplate, [&] { ++clicks; });
    w.wizard.onClick(ctl::lstFiles, [&] { ++clicks; });

    // A text field: typing sets the model's text, a model change shows in the field.
    w.click(ctl::cmdNext);
    auto* title = w.widget<QLineEdit>(ctl::txtTitle);
    QTest::keyClicks(title, QStringLiteral("Summer's CD"));
    EXPECT_EQ(w.form().text(ctl::txtTitle), QStringLiteral("Summer's CD"));
    w.form().setText(ctl::txtTitle, QStringLiteral("Winter"));
    EXPECT_EQ(title->text(), QStringLiteral("Winter"));

    // A drop-down list: typing fires nothing; choosing an item selects it and fires its Click.
    auto* templates = w.widget<QComboBox>(ctl::cmbTemplate);
    EXPECT_EQ(templates->count(), 4);
    EXPECT_EQ(templates->currentText(), QStringLiteral("Standard"));
    templates->lineEdit()->selectAll();
    QTest::keyClicks(templates->lineEdit(), QStringLiteral("Ext"));
    EXPECT_EQ(w.form().text(ctl::cmbTemplate), QStringLiteral("Ext"));
    EXPECT_EQ(templates->count(), 4);
    EXPECT_EQ(clicks, 0);
    emit templates->activated(2);
    EXPECT_EQ(w.form().selected(ctl::cmbTemplate), 2);
    EXPECT_EQ(w.form().text(ctl::cmbTemplate), QStringLiteral("Extended"));
    EXPECT_EQ(templates->currentText(), QStringLiteral("Extended"));
    EXPECT_EQ(clicks, 1);

    // A list: the model's items show; a click selects the row and fires the list's Click.
    auto* files = w.widget<QListWidget>(ctl::lstFiles);
    w.form().setItems(ctl::lstFiles, {QStringLiteral("Setup"), QStringLiteral("Read me")});
    for (int i = 0; i < 3; ++i) {
        w.click(ctl::cmdNext);
    }
    ASSERT_EQ(files->count(), 2);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(files->item(1)).center());
    EXPECT_EQ(w.form().selected(ctl::lstFiles), 1);
    EXPECT_EQ(clicks, 2);
    w.form().setItemText(ctl::lstFiles, 0, QStringLiteral("Installer"));
    EXPECT_EQ(files->item(0)->text(), QStringLiteral("Installer"));
    EXPECT_EQ(files->currentRow(), 1);

    // The multi-line field keeps the model's line breaks when the user types into it.
    auto* description = w.widget<QPlainTextEdit>(ctl::txtFileDescription);
    w.form().setText(ctl::txtFileDescription, QStringLiteral("First line\r\nSecond line"));
    EXPECT_EQ(description->toPlainText(), QStringLiteral("First line\nSecond line"));
    description->moveCursor(QTextCursor::End);
    QTest::keyClicks(description, QStringLiteral("!"));
    EXPECT_EQ(w.form().text(ctl::txtFileDescription), QStringLiteral("First line\r\nSecond line!"));
    w.form().setText(ctl::txtFileDescription, QString());
    QTest::keyClicks(description, QStringLiteral("a"));
    QTest::keyClick(description, Qt::Key_Return);
    QTest::keyClicks(description, QStringLiteral("b"));
    EXPECT_EQ(w.form().text(ctl::txtFileDescription), QStringLiteral("a\nb"));
    EXPECT_EQ(w.shownPage(), 4);

    // Swatches paint the colour number; labels follow caption, weight and visibility.
    auto* swatch = w.widget<ColorSwatch>(ctl::colHyperA);
    w.form().setColor(ctl::colHyperA, 255);
    EXPECT_EQ(swatch->colorNumber(), 255);
    EXPECT_EQ(swatch->grab().toImage().pixelColor(swatch->rect().center()), QColor(255, 0, 0));
    auto* root = w.widget<QLabel>(ctl::lblRoot);
    EXPECT_TRUE(root->font().bold());
    w.form().setCaption(ctl::lblRoot, QStringLiteral("/media/cd"));
    EXPECT_EQ(root->text(), QStringLiteral("/media/cd"));
    w.form().setVisible(ctl::lblScreen, false);
    EXPECT_TRUE(w.widget(ctl::lblScreen)->isHidden());
    EXPECT_FALSE(w.widget(ctl::lblCat)->isHidden());

    // Tag groups shown by the model appear on their page.
    for (int i = 0; i < 4; ++i) {
        w.click(ctl::cmdBack);
    }
    EXPECT_FALSE(w.widget(ctl::cmbMenuL)->isVisible());
    w.wizard.showControls(QStringLiteral("ML"), true);
    for (const char* name : {ctl::Label40, ctl::cmbMenuL, ctl::cmdLoad}) {
        EXPECT_TRUE(w.widget(name)->isVisible()) << name;
    }
    EXPECT_FALSE(w.widget(ctl::cmbMenus)->isVisible());
    auto* create = w.widget<QToolButton>(ctl::cmdNew);
    EXPECT_EQ(create->text(), QStringLiteral("Create Menu"));
    EXPECT_EQ(create->toolTip(), QStringLiteral("Create a new menu"));
    EXPECT_FALSE(create->icon().isNull());
}

TEST(MainWindow, KeyboardFocusAndEnterFollowThePageShown) {
    Window w;
    QApplication::setActiveWindow(&w.window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    QStringList fired;
    for (const char* name : {ctl::cmdLoad, ctl::cmdMDelete, ctl::lstFiles}) {
        w.wizard.onClick(QString::fromLatin1(name), [&fired, name] { fired << QString::fromLatin1(name); });
    }

    // Each page shown puts the focus on its first field, forward and back, never on Close.
    const char* firstFields[] = {ctl::txtTitle, ctl::txtStyleName, ctl::txtTitleFont, ctl::txtFile};
    for (int page = 1; page < kPageCount; ++page) {
        w.click(ctl::cmdNext);
        EXPECT_EQ(QApplication::focusWidget(), w.widget(firstFields[page - 1])) << "page " << page;
    }
    w.click(ctl::cmdBack);
    EXPECT_EQ(QApplication::focusWidget(), w.widget(ctl::txtTitleFont));

    // The file list: moving with the arrow keys is a choice like a click.
    w.click(ctl::cmdNext);
    auto* files = w.widget<QListWidget>(ctl::lstFiles);
    w.form().setItems(ctl::lstFiles, {QStringLiteral("Setup"), QStringLiteral("Read me")});
    files->setFocus();
    EXPECT_TRUE(fired.isEmpty());
    QTest::keyClick(files, Qt::Key_Down);
    EXPECT_EQ(w.form().selected(ctl::lstFiles), 0);
    QTest::keyClick(files, Qt::Key_Down);
    QTest::keyClick(files, Qt::Key_Down);  // already on the last entry: no choice
    EXPECT_EQ(fired, (QStringList{ctl::lstFiles, ctl::lstFiles}));
    EXPECT_EQ(w.form().selected(ctl::lstFiles), 1);
    fired.clear();

    // Page 0: a menu list that appears takes the focus, and Enter in it is its own button.
    for (int i = 0; i < 4; ++i) {
        w.click(ctl::cmdBack);
    }
    EXPECT_EQ(QApplication::focusWidget(), w.widget(ctl::cmdNew));
    w.form().setItems(ctl::cmbMenuL, {QStringLiteral("1: Holiday")});
    w.wizard.showControls(QStringLiteral("ML"), true);
    auto* menus = w.widget<QComboBox>(ctl::cmbMenuL);
    EXPECT_TRUE(menus->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    w.wizard.showControls(QStringLiteral("ML"), false);
    w.form().setItems(ctl::cmbMenus, {QStringLiteral("1: Holiday")});
    w.wizard.showControls(QStringLiteral("MD"), true);
    EXPECT_TRUE(w.widget(ctl::cmbMenus)->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    EXPECT_EQ(fired, (QStringList{ctl::cmdLoad, ctl::cmdMDelete}));
    EXPECT_EQ(w.wizard.state().curStep, 0);

    // The focused list hidden by the wizard hands the focus to the page, not to Close.
    w.wizard.showControls(QStringLiteral("MD"), false);
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }));
    QTest::qWait(10);
    EXPECT_EQ(QApplication::focusWidget(), w.widget(ctl::cmdNew));
}

TEST(MainWindow, WholeFieldValuesShowAtTheSmallestWindowSize) {
    Window w;
    w.window.resize(w.window.minimumSize());
    // Long values of the style pages, as the font and colour dialogs write them.
    const QString font = QStringLiteral("DejaVu Sans Mono;12pt;Normal");
    const QString colour = QStringLiteral("RGB(255,255,255)");
    const std::pair<const char*, QString> fields[] = {
        {ctl::txtTitleFont, font},    {ctl::txtButtonFont, font},     {ctl::txtDFont, font},
        {ctl::txtHFont, font},        {ctl::txtHColorActive, colour}, {ctl::txtBackgroundColor, colour},
        {ctl::txtTitleColor, colour}, {ctl::txtFileTitle, font}};
    for (const auto& [name, value] : fields) {
        w.form().setText(QString::fromLatin1(name), value);
    }
    for (int page = 1; page < kPageCount; ++page) {
        w.click(ctl::cmdNext);
        QApplication::processEvents();
        EXPECT_GE(w.window.page(page)->height(), w.window.page(page)->minimumSizeHint().height()) << page;
    }
    for (const auto& [name, value] : fields) {
        auto* edit = w.widget<QLineEdit>(name);
        ASSERT_NE(edit, nullptr) << name;
        const int needed = edit->fontMetrics().horizontalAdvance(edit->text());
        EXPECT_GT(edit->width() - 8, needed) << name << " is " << edit->width() << " wide";
    }
    // The window is no larger than it was made.
    EXPECT_EQ(w.window.size(), w.window.minimumSize());
}

TEST(MainWindow, EveryControlOfTheModelIsDrawnWithItsTooltip) {
    Window w;
    int withTooltip = 0;
    for (const Control& c : w.form().controls()) {
        if (c.kind == ControlKind::Frame) {
            continue;
        }
        if (c.kind == ControlKind::MenuItem) {
            // An item without a tooltip shows its own text, as Qt does.
            QAction* action = w.window.menuAction(c.name);
            if (action != nullptr && !c.tooltip.isEmpty()) {
                EXPECT_EQ(action->toolTip(), c.tooltip) << c.name.toStdString();
            }
            continue;
        }
        QWidget* widget = w.window.control(c.name);
        ASSERT_NE(widget, nullptr) << c.name.toStdString();
        EXPECT_EQ(widget->toolTip(), c.tooltip) << c.name.toStdString();
        withTooltip += c.tooltip.isEmpty() ? 0 : 1;
    }
    EXPECT_GT(withTooltip, 10);
}

TEST(MainWindow, MenuItemsAndButtonsFireTheWizardsClicks) {
    Window w;
    QStringList fired;
    for (const char* name : {ctl::mnuAbout, ctl::mnuQuit, ctl::cmdNew, ctl::cmdClose}) {
        w.wizard.onClick(QString::fromLatin1(name), [&fired, name] { fired << QString::fromLatin1(name); });
    }
    QAction* about = w.window.menuAction(ctl::mnuAbout);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->text().remove(QLatin1Char('&')), QStringLiteral("About"));
    about->trigger();
    w.window.menuAction(ctl::mnuQuit)->trigger();
    w.click(ctl::cmdNew);
    w.click(ctl::cmdClose);
    EXPECT_EQ(fired, (QStringList{ctl::mnuAbout, ctl::mnuQuit, ctl::cmdNew, ctl::cmdClose}));
}

// Prompts that end the program as the window's own do: quitting closes the window.
struct ClosingPrompts : ScriptedPrompts {
    QWidget* window = nullptr;
    void quit() override {
        ScriptedPrompts::quit();
        if (window != nullptr) {
            window->close();
        }
    }
    // The questions asked since the last call.
    QStringList questions() {
        QStringList texts;
        for (const QString& line : transcript()) {
            const QJsonObject e = test::event(line);
            if (e.value(QStringLiteral("icon")).toString() == QStringLiteral("question")) {
                texts << e.value(QStringLiteral("text")).toString();
            }
        }
        clearTranscript();
        return texts;
    }
};

TEST(MainWindow, TheCloseButtonOffersAnUnsavedEntryOnceAsCloseDoes) {
    const bool quitOnLastWindow = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    test::ProgramDir program;
    ClosingPrompts prompts;
    std::unique_ptr<Wizard> built = buildWizard(prompts, program.path());
    Wizard& wizard = *built;
    MainWindow window{wizard};
    prompts.window = &window;
    const QStringList offered{
        QStringLiteral("The entry \"Typed\" is not saved yet. Save it before Torvel closes?")};

    // Nothing typed: the window closes at once.
    window.show();
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(prompts.questions().isEmpty());

    // A title typed without a file: Yes, the save is refused and the window stays; No closes it.
    window.show();
    wizard.form().setText(ctl::txtFileTitle, QStringLiteral("Typed"));
    wizard.form().setText(ctl::txtFile, QString());
    prompts.queueAnswer(true);
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(prompts.transcript()
                    .join(QLatin1Char('\n'))
                    .contains(QStringLiteral("Please select a file and enter a file name!")));
    EXPECT_EQ(prompts.questions(), offered);
    prompts.queueAnswer(false);
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(prompts.questions(), offered);
    EXPECT_FALSE(prompts.quitRequested());

    // Close asks once; the window it closes does not ask again.
    window.show();
    prompts.queueAnswer(false);
    prompts.queueAnswer(false);
    QTest::mouseClick(window.control(ctl::cmdClose), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(prompts.quitRequested());
    EXPECT_EQ(prompts.questions(), offered);
    QApplication::setQuitOnLastWindowClosed(quitOnLastWindow);
}

TEST(MainWindow, FolderAndDriveListsShowAndOpenRealFolders) {
    Window w;
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("Disc/Setup"));
    const QString disc = QDir::toNativeSeparators(QDir(dir.path()).filePath(QStringLiteral("Disc")));
    const QString setup = QDir::toNativeSeparators(QDir(dir.path()).filePath(QStringLiteral("Disc/Setup")));
    QStringList opened;
    w.wizard.onFolderChange([&](const QString& path) {
        opened << path;
        w.form().setText(ctl::Dir1, path);
    });
    w.click(ctl::cmdNext);

    // The model's folder is selected in the tree.
    auto* tree = w.widget<FolderTree>(ctl::Dir1);
    w.form().setText(ctl::Dir1, disc);
    EXPECT_EQ(tree->currentFolder(), disc);
    EXPECT_TRUE(opened.isEmpty());

    // A click on a folder opens it.
    const QModelIndex index = tree->fileSystem()->index(QDir::fromNativeSeparators(setup));
    ASSERT_TRUE(index.isValid());
    tree->expand(index.parent());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tree->visualRect(index).isEmpty(); }));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(index).center());
    EXPECT_EQ(opened, QStringList{setup});
    EXPECT_EQ(tree->currentFolder(), setup);

    // The drive list offers the model's drives and shows the chosen one.
    auto* drives = w.widget<QComboBox>(ctl::Drive1);
    const QStringList items = w.form().items(ctl::Drive1);
    if (!items.isEmpty()) {
        EXPECT_EQ(drives->count(), items.size());
        EXPECT_EQ(drives->currentText(), w.form().text(ctl::Drive1));
    } else {
        EXPECT_GT(drives->count(), 0);
    }
}

TEST(FolderTree, ShowsAFolderAsTheFoldersAboveArriveThenLeavesTheViewToTheUser) {
    QTemporaryDir dir;
    // Many folders beside a deep one, so that the tree scrolls.
    for (int i = 0; i < 60; ++i) {
        QDir(dir.path()).mkpath(QStringLiteral("Disc/Folder%1/Inner").arg(i, 2, 10, QLatin1Char('0')));
    }
    QDir(dir.path()).mkpath(QStringLiteral("Disc/Folder30/Inner/Deep"));
    const QString deep = QDir(dir.path()).filePath(QStringLiteral("Disc/Folder30/Inner/Deep"));
    // Shown by the program while the tree is still hidden, as on a page not shown yet; the
    // folders above are listed before the tree appears.
    FolderTree tree;
    tree.resize(300, 200);
    ASSERT_TRUE(tree.showFolder(QDir::toNativeSeparators(deep)));
    const QModelIndex index = tree.fileSystem()->index(deep);
    ASSERT_TRUE(QTest::qWaitFor([&] { return tree.fileSystem()->rowCount(index.parent()) > 0; }));
    QTest::qWait(100);
    tree.show();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return tree.viewport()->rect().contains(tree.visualRect(index).center()) &&
               tree.isExpanded(index.parent());
    }));
    EXPECT_EQ(QDir::fromNativeSeparators(tree.currentFolder()), deep);

    // The user scrolls to the top and opens another folder: the view stays where the user is.
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    tree.scrollToTop();
    const QModelIndex other =
        tree.fileSystem()->index(QDir(dir.path()).filePath(QStringLiteral("Disc/Folder01")));
    ASSERT_TRUE(other.isValid());
    QSignalSpy loaded(tree.fileSystem(), &QFileSystemModel::directoryLoaded);
    tree.expand(other);
    loaded.wait(2000);
    QTest::qWait(50);
    EXPECT_EQ(tree.verticalScrollBar()->value(), 0);
}

}  // namespace
