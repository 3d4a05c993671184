#include "ui/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "ui/dialogform.h"
#include "ui/formbinding.h"
#include "ui/icons.h"
#include "ui/qtprompts.h"
#include "ui/widgets.h"
#include "wizard/controlnames.h"
#include "wizard/controls.h"
#include "wizard/wizard.h"

namespace torvel {

namespace {

constexpr int kLabelColumnWidth = 150;

const char* const kStyleSheet = R"(
QLabel#pageTitle { font-size: 17pt; font-weight: bold; color: #1f2f7a; }
QLabel[role="intro"] { color: #4a5068; }
QToolButton[role="picture"] {
    border: 1px solid #c9d0e3; border-radius: 10px; background: #ffffff;
    padding: 14px 10px 10px 10px; font-weight: bold; color: #1f2f7a;
}
QToolButton[role="picture"]:hover { border-color: #4c6ef5; background: #eef2ff; }
QToolButton[role="picture"]:pressed { background: #dbe4ff; }
QToolButton[role="picture"]:focus { border: 2px solid #4c6ef5; }
QFrame#buttonBar { border-top: 1px solid #d5d9e6; }
QGroupBox { font-weight: bold; color: #1f2f7a; }
QGroupBox QLabel, QGroupBox QLineEdit, QGroupBox QPushButton { font-weight: normal; color: palette(text); }
)";

// Our icon of each picture button of the first page.
QString iconOf(const QString& control) {
    if (control == ctl::cmdNew) {
        return QStringLiteral("new");
    }
    if (control == ctl::cmdEdit) {
        return QStringLiteral("load");
    }
    if (control == ctl::cmdDelete) {
        return QStringLiteral("delete");
    }
    return QStringLiteral("torvel");
}

QGridLayout* newGrid() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(9);
    grid->setColumnMinimumWidth(0, kLabelColumnWidth);
    grid->setColumnStretch(1, 1);
    return grid;
}

}  // namespace

QPoint placeBeside(const QRect& window, const QSize& dialog, const QRect& screen) {
    const int gap = 12;
    QPoint at(window.right() + 1 + gap, window.top() + 40);
    if (screen.isEmpty()) {
        return at;
    }
    if (at.x() + dialog.width() - 1 > screen.right()) {
        const int left = window.left() - gap - dialog.width();
        at.setX(left >= screen.left() ? left : screen.right() + 1 - dialog.width());
    }
    at.setY(std::clamp(at.y(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - dialog.height())));
    return at;
}

MainWindow::MainWindow(Wizard& wizard, QtPrompts* dialogs, QWidget* parent)
    : QMainWindow(parent), wizard_(wizard) {
    setWindowTitle(QStringLiteral("  Torvel"));
    setWindowIcon(programIcon());
    setStyleSheet(QString::fromUtf8(kStyleSheet));

    binding_ = new FormBinding(wizard_, wizard_.form(), QString(), this);
    binding_->onChange = [this](const Control& c) { controlChanged(c); };

    buildMenus();

    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);

    auto* content = new QWidget(central);
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(28, 22, 28, 16);
    contentLayout->setSpacing(14);

    stack_ = new QStackedWidget(content);
    for (int i = 0; i < kPageCount; ++i) {
        QWidget* page = buildPage(i);
        pages_.push_back(page);
        stack_->addWidget(page);
    }
    contentLayout->addWidget(stack_, 1);

    // Close on the left, the way through the pages on the right; Enter is Next.
    auto* bar = new QFrame(content);
    bar->setObjectName(QStringLiteral("buttonBar"));
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(0, 14, 0, 0);
    barLayout->setSpacing(8);
    for (const char* name : {ctl::cmdClose, ctl::cmdBack, ctl::cmdNext, ctl::Finish}) {
        QWidget* button = make(QString::fromLatin1(name), bar);
        button->setMinimumWidth(100);
        barLayout->addWidget(button);
        if (qstrcmp(name, ctl::cmdClose) == 0) {
            barLayout->addStretch(1);
        }
    }
    if (auto* next = binding_->as<QPushButton>(ctl::cmdNext)) {
        next->setDefault(true);
    }
    if (auto* finish = binding_->as<QPushButton>(ctl::Finish)) {
        finish->setDefault(true);
    }
    contentLayout->addWidget(bar);
    columns->addWidget(content, 1);

    // The picture panel at the right edge: the banner with the program's emblem on it.
    auto* banner = new BannerPanel(central);
    binding_->adopt(ctl::Image1, banner);
    auto* bannerLayout = new QVBoxLayout(banner);
    bannerLayout->setContentsMargins(0, 28, 0, 0);
    if (auto* emblem = qobject_cast<QLabel*>(make(ctl::imgPreview, banner))) {
        emblem->setPixmap(svgPixmap(QStringLiteral("torvel"), QSize(72, 72), devicePixelRatioF()));
        bannerLayout->addWidget(emblem, 0, Qt::AlignHCenter | Qt::AlignTop);
    }
    bannerLayout->addStretch(1);
    columns->addWidget(banner);

    setCentralWidget(central);
    for (const Control& c : wizard_.form().controls()) {
        if (c.kind == ControlKind::Frame || c.kind == ControlKind::MenuItem) {
            controlChanged(c);
        }
    }
    setMinimumSize(840, 580);
    resize(960, 640);

    if (dialogs != nullptr) {
        dialogs->attach(this);
    }

    // A focused control that the wizard hides (Load, Delete, a group's list) hands the focus on
    // down the tab order, which would reach Close; the page's first field takes it instead.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (old == nullptr || now == nullptr || old->isVisible() || !isAncestorOf(old) ||
            !isAncestorOf(now) || stack_->currentWidget()->isAncestorOf(now)) {
            return;
        }
        QMetaObject::invokeMethod(
            this, [this] { focusFirstField(stack_->currentWidget()); }, Qt::QueuedConnection);
    });
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::control(const QString& name) const {
    for (int i = 0; i < kPageCount; ++i) {
        if (name == pageFrameName(i)) {
            return page(i);
        }
    }
    return binding_->widget(name);
}

QWidget* MainWindow::page(int index) const {
    return index >= 0 && index < static_cast<int>(pages_.size()) ? pages_[index] : nullptr;
}

QAction* MainWindow::menuAction(const QString& name) const {
    auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

QWidget* MainWindow::make(const QString& name, QWidget* parent) {
    QWidget* w = binding_->create(name, parent);
    if (w == nullptr) {
        // A control missing from the model: an empty placeholder keeps the layout intact.
        w = new QWidget(parent);
        w->hide();
    }
    return w;
}

QWidget* MainWindow::makeIntro(const QString& name, QWidget* parent) {
    QWidget* w = make(name, parent);
    if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setWordWrap(true);
        label->setProperty("role", QStringLiteral("intro"));
    }
    return w;
}

void MainWindow::addRow(QGridLayout* grid, int row, QWidget* parent, const QString& label,
                        const QString& field, const QString& button, const QString& swatch,
                        const QString& button2) {
    if (!label.isEmpty()) {
        grid->addWidget(make(label, parent), row, 0, Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (!field.isEmpty()) {
        grid->addWidget(make(field, parent), row, 1);
    }
    if (!button.isEmpty()) {
        QWidget* w = make(button, parent);
        w->setMinimumWidth(84);
        grid->addWidget(w, row, 2);
    }
    if (!button2.isEmpty()) {
        QWidget* w = make(button2, parent);
        w->setMinimumWidth(84);
        grid->addWidget(w, row, 3);
    }
    if (!swatch.isEmpty()) {
        grid->addWidget(make(swatch, parent), row, 3, Qt::AlignCenter);
    }
}

void MainWindow::buildMenus() {
    // File > Quit, Help > About: each item's Click is the wizard's.
    const std::pair<const char*, const char*> layout[] = {{ctl::mnuFile, ctl::mnuQuit},
                                                          {ctl::mnuHelp, ctl::mnuAbout}};
    for (const auto& [menuName, itemName] : layout) {
        const QString menu = QString::fromLatin1(menuName);
        const QString item = QString::fromLatin1(itemName);
        QMenu* m = menuBar()->addMenu(QString());
        m->setObjectName(menu);
        menus_[menu] = m;
        QAction* action = m->addAction(QString());
        action->setObjectName(item);
        if (item == ctl::mnuQuit) {
            action->setShortcut(QKeySequence::Quit);
        }
        actions_[item] = action;
        connect(action, &QAction::triggered, this, [this, item] { wizard_.click(item); });
    }
}

QWidget* MainWindow::buildPage(int index) {
    auto* page = new QWidget;
    page->setObjectName(pageFrameName(index));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    auto* title = new QLabel(page);
    title->setObjectName(QStringLiteral("pageTitle"));
    title->setTextFormat(Qt::PlainText);
    pageTitles_[pageFrameName(index)] = title;
    layout->addWidget(title);

    switch (index) {
        case 0:
            buildWelcome(layout, page);
            break;
        case 1:
            buildGeneral(layout, page);
            break;
        case 2:
            buildImages(layout, page);
            break;
        case 3:
            buildFonts(layout, page);
            break;
        case 4:
            buildFiles(layout, page);
            break;
        default:
            break;
    }
    addLeftovers(index, layout, page);
    return page;
}

void MainWindow::buildWelcome(QVBoxLayout* layout, QWidget* page) {
    layout->addWidget(makeIntro(ctl::Label4, page));
    layout->addSpacing(10);

    auto* choices = new QHBoxLayout;
    choices->setSpacing(18);
    choices->addStretch(1);
    for (const char* name : {ctl::cmdNew, ctl::cmdEdit, ctl::cmdDelete}) {
        QWidget* w = make(QString::fromLatin1(name), page);
        if (auto* button = qobject_cast<QToolButton*>(w)) {
            button->setProperty("role", QStringLiteral("picture"));
            button->setIcon(svgIcon(iconOf(button->objectName())));
            button->setIconSize(QSize(64, 64));
            button->setFixedSize(150, 132);
            button->setCursor(Qt::PointingHandCursor);
        }
        choices->addWidget(w);
    }
    choices->addStretch(1);
    layout->addLayout(choices);
    layout->addSpacing(18);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(9);
    grid->setColumnStretch(1, 1);
    addRow(grid, 0, page, ctl::Label40, ctl::cmbMenuL, ctl::cmdLoad);
    addRow(grid, 1, page, ctl::Label2, ctl::cmbMenus, ctl::cmdMDelete);
    auto* holder = new QHBoxLayout;
    holder->addSpacing(40);
    holder->addLayout(grid, 1);
    holder->addSpacing(40);
    layout->addLayout(holder);
    layout->addStretch(1);
}

void MainWindow::buildGeneral(QVBoxLayout* layout, QWidget* page) {
    QGridLayout* grid = newGrid();
    addRow(grid, 0, page, ctl::Label30, ctl::txtTitle);
    addRow(grid, 1, page, ctl::Label1, ctl::cmbTemplate);
    addRow(grid, 2, page, ctl::Label31, ctl::cmbStyles);
    layout->addLayout(grid);
    layout->addSpacing(6);

    layout->addWidget(makeIntro(ctl::Label25, page));
    layout->addWidget(makeIntro(ctl::Label26, page));

    QGridLayout* root = newGrid();
    addRow(root, 0, page, ctl::Label28, ctl::lblRoot);
    if (auto* label = binding_->as<QLabel>(ctl::lblRoot)) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    root->addWidget(make(ctl::Drive1, page), 1, 1);
    QWidget* folders = make(ctl::Dir1, page);
    folders->setMinimumHeight(150);
    root->addWidget(folders, 2, 1);
    root->setRowStretch(2, 1);
    layout->addLayout(root, 1);
}

void MainWindow::buildImages(QVBoxLayout* layout, QWidget* page) {
    layout->addWidget(makeIntro(ctl::Label36, page));
    layout->addSpacing(4);
    QGridLayout* grid = newGrid();
    int row = 0;
    addRow(grid, row++, page, ctl::Label5, ctl::txtStyleName);
    addRow(grid, row++, page, ctl::Label6, ctl::txtBackgroundColor, ctl::cmdPickColor, ctl::colBack);
    addRow(grid, row++, page, ctl::Label7, ctl::txtBackImage, ctl::cmdBImage);
    addRow(grid, row++, page, ctl::Label8, ctl::txtLogoImage, ctl::cmdLImage);
    addRow(grid, row++, page, ctl::Label9, ctl::txtTop);
    addRow(grid, row++, page, ctl::Label10, ctl::txtLeft);
    addRow(grid, row++, page, ctl::Label11, ctl::txtBSound, ctl::cmdBSound);
    addRow(grid, row++, page, ctl::Label12, ctl::txtButtonOn, ctl::cmdButtonOn);
    addRow(grid, row++, page, ctl::Label13, ctl::txtButtonOff, ctl::cmdButtonOff);
    for (const char* narrow : {ctl::txtTop, ctl::txtLeft}) {
        if (QWidget* w = binding_->widget(QString::fromLatin1(narrow))) {
            w->setMaximumWidth(90);
            grid->setAlignment(w, Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    grid->setColumnMinimumWidth(3, 44);
    layout->addLayout(grid);
    layout->addStretch(1);
}

void MainWindow::buildFonts(QVBoxLayout* layout, QWidget* page) {
    // Nine rows in four groups: closer together than on the other pages, so that they fit the
    // smallest window.
    layout->setSpacing(8);
    layout->addWidget(makeIntro(ctl::Label34, page));

    // One group per text kind, a row each for its font and its colour (the hyperlinks' active
    // colour a third): every field gets the whole width, so long font values show in full.
    struct Group {
        const char* frame;
        std::vector<std::array<const char*, 4>> rows;  // label, field, button, swatch
    };
    const Group groups[] = {
        {ctl::fraTitle,
         {{ctl::Label14, ctl::txtTitleFont, ctl::cmdTFont, ""},
          {ctl::Label15, ctl::txtTitleColor, ctl::cmdTColor, ctl::colTitle}}},
        {ctl::fraButtons,
         {{ctl::Label16, ctl::txtButtonFont, ctl::cmdBFont, ""},
          {ctl::Label17, ctl::txtBColor, ctl::cmdBColor, ctl::colButton}}},
        {ctl::fraText,
         {{ctl::Label18, ctl::txtDFont, ctl::cmdDFont, ""},
          {ctl::Label19, ctl::txtDColor, ctl::cmdDColor, ctl::colText}}},
        {ctl::fraHyperlinks,
         {{ctl::Label20, ctl::txtHFont, ctl::cmdHFont, ""},
          {ctl::Label21, ctl::txtHColor, ctl::cmdHColor, ctl::colHyper},
          {ctl::Label22, ctl::txtHColorActive, ctl::cmdHColorActive, ctl::colHyperA}}},
    };
    const auto name = [](const char* n) { return QString::fromLatin1(n); };
    for (const Group& g : groups) {
        auto* box = new QGroupBox(page);
        box->setObjectName(name(g.frame));
        binding_->adopt(name(g.frame), box);
        auto* grid = new QGridLayout(box);
        grid->setContentsMargins(12, 6, 12, 6);
        grid->setHorizontalSpacing(10);
        grid->setVerticalSpacing(6);
        // The same label column in every group, so that the fields line up down the page.
        grid->setColumnMinimumWidth(0, kLabelColumnWidth - 12);
        grid->setColumnStretch(1, 1);
        grid->setColumnMinimumWidth(3, 44);
        int row = 0;
        for (const auto& r : g.rows) {
            grid->addWidget(make(name(r[0]), box), row, 0, Qt::AlignLeft | Qt::AlignVCenter);
            grid->addWidget(make(name(r[1]), box), row, 1);
            QWidget* button = make(name(r[2]), box);
            button->setMinimumWidth(84);
            grid->addWidget(button, row, 2);
            if (r[3][0] != '\0') {
                grid->addWidget(make(name(r[3]), box), row, 3, Qt::AlignCenter);
            }
            ++row;
        }
        layout->addWidget(box);
    }
    layout->addStretch(1);
}

void MainWindow::buildFiles(QVBoxLayout* layout, QWidget* page) {
    layout->addWidget(makeIntro(ctl::Label33, page));
    layout->addSpacing(2);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(18);
    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(make(ctl::Label23, page));
    QWidget* list = make(ctl::lstFiles, page);
    list->setFixedWidth(200);
    left->addWidget(list, 1);
    columns->addLayout(left);

    auto* right = new QVBoxLayout;
    QGridLayout* grid = newGrid();
    grid->setColumnMinimumWidth(0, 100);
    addRow(grid, 0, page, ctl::Label24, ctl::txtFile, ctl::cmdFile, {}, ctl::cmdFind);
    const auto addWide = [&](int row, const QString& label, const QString& field) {
        grid->addWidget(make(label, page), row, 0, Qt::AlignLeft | Qt::AlignVCenter);
        grid->addWidget(make(field, page), row, 1, 1, 3);
    };
    addWide(1, ctl::Label27, ctl::txtFileTitle);
    grid->addWidget(make(ctl::Label29, page), 2, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(make(ctl::txtFileDescription, page), 2, 1, 1, 3);
    grid->setRowStretch(2, 1);
    addRow(grid, 3, page, ctl::lblScreen, ctl::txtFileScreenshot, ctl::cmdFScreenshot);
    addWide(4, ctl::lblCat, ctl::txtFileCat);
    right->addLayout(grid, 1);

    auto* actions = new QHBoxLayout;
    actions->setSpacing(8);
    actions->addStretch(1);
    for (const char* name : {ctl::cmdNewF, ctl::cmdSave, ctl::cmdFileRemove}) {
        QWidget* button = make(QString::fromLatin1(name), page);
        button->setMinimumWidth(92);
        actions->addWidget(button);
    }
    right->addSpacing(4);
    right->addLayout(actions);
    columns->addLayout(right, 1);
    layout->addLayout(columns, 1);
}

void MainWindow::addLeftovers(int index, QVBoxLayout* layout, QWidget* page) {
    // Controls of this page that the layout above does not place are still drawn, at the end.
    QGridLayout* grid = nullptr;
    int row = 0;
    for (const QString& name : binding_->notCreated()) {
        const Control* c = wizard_.form().find(name);
        if (c == nullptr || c->page != index) {
            continue;
        }
        if (grid == nullptr) {
            grid = newGrid();
            layout->addLayout(grid);
        }
        grid->addWidget(make(name, page), row++, 0, 1, 2);
    }
}

void MainWindow::controlChanged(const Control& c) {
    if (c.kind == ControlKind::Frame) {
        if (auto it = pageTitles_.find(c.name); it != pageTitles_.end()) {
            it->second->setText(c.caption);
        }
        QWidget* frame = control(c.name);
        if (frame != nullptr && c.visible && stack_ != nullptr && stack_->currentWidget() != frame) {
            stack_->setCurrentWidget(frame);
            focusFirstField(frame);
        }
    } else if (c.visible && isGroupField(c.name)) {
        // A list that has just appeared on the page shown is where the author goes on.
        QWidget* field = binding_->widget(c.name);
        if (field != nullptr && stack_ != nullptr && stack_->currentWidget()->isAncestorOf(field)) {
            field->setFocus(Qt::OtherFocusReason);
        }
    } else if (c.kind == ControlKind::MenuItem) {
        const QString text = QLatin1Char('&') + literalCaption(c.caption);
        if (auto it = menus_.find(c.name); it != menus_.end()) {
            it->second->setTitle(text);
            it->second->menuAction()->setVisible(c.visible);
        }
        if (auto it = actions_.find(c.name); it != actions_.end()) {
            it->second->setText(text);
            it->second->setToolTip(c.tooltip);
            it->second->setVisible(c.visible);
        }
    }
}

void MainWindow::focusFirstField(QWidget* page) {
    // The first field to type into, in tab order; a page without one gets its first control.
    // Focus never stays on a control of another page or on Close.
    QWidget* firstControl = nullptr;
    for (QWidget* w = page->nextInFocusChain(); w != page && w != nullptr; w = w->nextInFocusChain()) {
        if (!page->isAncestorOf(w) || !w->isVisibleTo(page) || !w->isEnabled() ||
            (w->focusPolicy() & Qt::TabFocus) == 0) {
            continue;
        }
        if (qobject_cast<QLineEdit*>(w) != nullptr || qobject_cast<QComboBox*>(w) != nullptr ||
            qobject_cast<QPlainTextEdit*>(w) != nullptr) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
        if (firstControl == nullptr) {
            firstControl = w;
        }
    }
    if (firstControl != nullptr) {
        firstControl->setFocus(Qt::TabFocusReason);
    }
}

bool MainWindow::isGroupField(const QString& name) {
    return name == ctl::cmbMenuL || name == ctl::cmbMenus;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // A focused button takes Enter for itself; anywhere else Enter is the default button.
        auto* focused = qobject_cast<QAbstractButton*>(focusWidget());
        if (focused != nullptr && focused->isVisible() && focused->isEnabled()) {
            focused->animateClick();
            return;
        }
        // In the menu lists of the first page Enter is the list's own button: Load or Delete.
        const std::pair<const char*, const char*> groups[] = {{ctl::cmbMenuL, ctl::cmdLoad},
                                                              {ctl::cmbMenus, ctl::cmdMDelete}};
        for (const auto& [fieldName, buttonName] : groups) {
            QWidget* field = binding_->widget(QString::fromLatin1(fieldName));
            auto* button = binding_->as<QPushButton>(QString::fromLatin1(buttonName));
            if (field != nullptr && button != nullptr && field->isVisible() && button->isVisible() &&
                (field == focusWidget() || field->isAncestorOf(focusWidget()))) {
                button->click();
                return;
            }
        }
        for (const char* name : {ctl::cmdNext, ctl::Finish}) {
            auto* button = binding_->as<QPushButton>(QString::fromLatin1(name));
            if (button != nullptr && button->isVisible() && button->isEnabled()) {
                button->click();
                return;
            }
        }
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The wizard may first offer an unsaved entry for saving; a refused save keeps the window.
    if (!wizard_.mayClose()) {
        event->ignore();
        return;
    }
    for (auto& [name, dialog] : dialogs_) {
        if (dialog && dialog->isVisible()) {
            dialog->closeByModel();
        }
    }
    QMainWindow::closeEvent(event);
}

DialogForm* MainWindow::dialogForm(const QString& form) const {
    auto it = dialogs_.find(form);
    return it == dialogs_.end() ? nullptr : it->second.data();
}

void MainWindow::showForm(const QString& form) {
    DialogForm* dialog = dialogForm(form);
    if (dialog != nullptr && dialog->isVisible()) {
        dialog->raise();
        dialog->activateWindow();
        return;
    }
    if (dialog == nullptr || dialog->isOutdated()) {
        delete dialog;
        dialog = new DialogForm(wizard_, form, this);
        dialogs_[form] = dialog;
    }
    if (form == ctl::frmAbout) {
        // A box of fixed content: its size is its content's.
        dialog->layout()->setSizeConstraint(QLayout::SetFixedSize);
        dialog->setModal(true);
        dialog->exec();
        if (wizard_.isDialogOpen(form)) {
            wizard_.setDialogOpen(form, false);
        }
        return;
    }
    // Beside the window, where it does not hide the fields it writes into.
    dialog->setModal(false);
    dialog->adjustSize();
    const QRect area = screen() != nullptr ? screen()->availableGeometry() : QRect();
    dialog->move(placeBeside(frameGeometry(), dialog->frameGeometry().size(), area));
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void MainWindow::closeForm(const QString& form) {
    if (DialogForm* dialog = dialogForm(form)) {
        dialog->closeByModel();
    }
}

}  // namespace torvel
