#include "ui/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/accesskeys.h"
#include "ui/dialogform.h"
#include "ui/formbinding.h"
#include "ui/icons.h"
#include "ui/pagelayouts.h"
#include "ui/qtprompts.h"
#include "ui/widgets.h"
#include "wizard/controls.h"
#include "wizard/wizard.h"

namespace torvel {

namespace {

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
QDialog#frmAbout QLabel { color: #ffffff; }
QDialog#frmAbout QLabel#lblTitle { font-size: 15pt; font-weight: bold; }
)";

}  // namespace

QPoint placeBeside(const QRect& window, const QSize& dialog, const QRect& screen) {
    const int gap = 12;
    QPoint at(window.right() + 1 + gap, window.top() + 40);
    if (screen.isEmpty()) {
        return at;
    }
    if (at.x() + dialog.width() - 1 > screen.right()) {
        const int left = window.left() - gap - dialog.width();
        at.setX(left >= screen.left() ? left : std::max(screen.left(), screen.right() + 1 - dialog.width()));
    }
    at.setY(std::clamp(at.y(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - dialog.height())));
    return at;
}

namespace {
// Below this width the picture panel gives its room to the page.
constexpr int kBannerMinWindowWidth = 760;
}  // namespace

MainWindow::MainWindow(Wizard& wizard, QtPrompts* dialogs, QWidget* parent)
    : QMainWindow(parent), wizard_(wizard) {
    setWindowTitle(QStringLiteral("  Torvel"));
    setWindowIcon(programIcon());
    setStyleSheet(QString::fromUtf8(kStyleSheet));

    binding_ = new FormBinding(wizard_, wizard_.form(), QString(), this);
    binding_->onChange = [this](const Control& c) { controlChanged(c); };
    layouts_ = std::make_unique<PageLayouts>(*binding_);

    buildMenus();
    setCentralWidget(buildCentral());
    giveBarAccessKeys();
    for (const Control& c : wizard_.form().controls()) {
        if (c.kind == ControlKind::Frame || c.kind == ControlKind::MenuItem) {
            controlChanged(c);
        }
    }
    showPage(stack_->currentWidget());
    focusFirstField(stack_->currentWidget());
    // Small screens and large scales: the page body scrolls, the buttons below it stay. The
    // window starts at its usual size, or as large as the screen allows.
    setMinimumSize(400, 300);
    QSize size(960, 640);
    if (screen() != nullptr) {
        size = size.boundedTo(screen()->availableGeometry().size() - QSize(16, 48));
    }
    resize(size.expandedTo(minimumSize()));

    if (dialogs != nullptr) {
        dialogs->attach(this);
    }

    // A focused control that the wizard hides (Load, Delete, a group's list) hands the focus on
    // down the tab order, which would reach Close; the page's first field takes it instead.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        // A control that takes the focus (Tab, an access key, a page shown) is scrolled into view
        // once the page is laid out.
        if (now != nullptr && stack_->isAncestorOf(now)) {
            QMetaObject::invokeMethod(
                this,
                [this, control = QPointer<QWidget>(now)] {
                    if (control && control->hasFocus()) {
                        // The whole control when it fits, else its top left part.
                        const QRect r(control->mapTo(stack_, QPoint(0, 0)), control->size());
                        scroll_->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + 8,
                                               r.height() / 2 + 8);
                    }
                },
                Qt::QueuedConnection);
        }
        if (old == nullptr || now == nullptr || old->isVisible() || !isAncestorOf(old) ||
            !isAncestorOf(now) || stack_->currentWidget()->isAncestorOf(now)) {
            return;
        }
        QMetaObject::invokeMethod(
            this, [this] { focusFirstField(stack_->currentWidget()); }, Qt::QueuedConnection);
    });
}

QWidget* MainWindow::buildCentral() {
    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);

    auto* content = new QWidget(central);
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(28, 22, 28, 16);
    contentLayout->setSpacing(14);

    scroll_ = new QScrollArea(content);
    scroll_->setObjectName(QStringLiteral("pageArea"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    // The page body scrolls to the control with the focus; it is no stop of the tab order itself.
    scroll_->setFocusPolicy(Qt::NoFocus);
    stack_ = new QStackedWidget;
    for (int i = 0; i < kPageCount; ++i) {
        QWidget* page = buildPage(i);
        pages_.push_back(page);
        stack_->addWidget(page);
    }
    scroll_->setWidget(stack_);
    contentLayout->addWidget(scroll_, 1);

    auto* bar = new QFrame(content);
    bar->setObjectName(QStringLiteral("buttonBar"));
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(0, 14, 0, 0);
    barLayout->setSpacing(8);
    layouts_->fillButtonBar(barLayout, bar);
    for (const Control& c : wizard_.form().controls()) {
        if (auto* button = c.defaultButton ? binding_->as<QPushButton>(c.name) : nullptr) {
            button->setDefault(true);
        }
    }
    contentLayout->addWidget(bar);
    columns->addWidget(content, 1);

    auto* banner = new BannerPanel(central);
    layouts_->fillBanner(banner);
    columns->addWidget(banner);
    banner_ = banner;
    return central;
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    banner_->setVisible(width() >= kBannerMinWindowWidth);
}

void MainWindow::giveBarAccessKeys() {
    // The menus open with the first letter of their titles.
    for (const PageLayouts::Menu& menu : PageLayouts::menus()) {
        reservedKeys_ += QLatin1Char(menu.key);
    }
    QStringList names;
    QStringList captions;
    for (const char* name : PageLayouts::barButtons()) {
        names << QString::fromLatin1(name);
        captions << wizard_.form().caption(names.last());
    }
    const std::vector<QChar> keys = chooseAccessKeys(captions, reservedKeys_);
    for (qsizetype i = 0; i < names.size(); ++i) {
        binding_->setAccessKey(names[i], keys[i]);
        reservedKeys_ += keys[i];
    }
}

void MainWindow::givePageAccessKeys(int index) const {
    QStringList names;
    QStringList captions;
    for (const Control& c : wizard_.form().controls()) {
        QWidget* w = c.page == index ? binding_->widget(c.name) : nullptr;
        auto* label = qobject_cast<QLabel*>(w);
        if (qobject_cast<QAbstractButton*>(w) != nullptr || (label != nullptr && label->buddy() != nullptr)) {
            names << c.name;
            captions << c.caption;
        }
    }
    const std::vector<QChar> keys = chooseAccessKeys(captions, reservedKeys_);
    for (qsizetype i = 0; i < names.size(); ++i) {
        binding_->setAccessKey(names[i], keys[i]);
    }
}

void MainWindow::showPage(QWidget* frame) {
    for (QWidget* page : pages_) {
        const auto policy = page == frame ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        page->setSizePolicy(policy, policy);
    }
    stack_->setCurrentWidget(frame);
    scroll_->ensureVisible(0, 0);
}

void MainWindow::restoreFocus(QWidget* control) {
    if (control != nullptr && control->isVisible() && control->isEnabled()) {
        control->activateWindow();
        control->setFocus(Qt::OtherFocusReason);
    } else if (isVisible()) {
        activateWindow();
        focusFirstField(stack_->currentWidget());
    }
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::control(const QString& name) const {
    for (int i = 0; i < kPageCount; ++i) {
        if (name == pageFrameName(i)) {
            return page(i);
        }
    }
    if (const Control* c = wizard_.form().find(name); c != nullptr && binding_->widget(name) == nullptr) {
        ensurePage(c->page);
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

void MainWindow::buildMenus() {
    // Each item's Click is the wizard's.
    for (const PageLayouts::Menu& layout : PageLayouts::menus()) {
        const QString menu = QString::fromLatin1(layout.name);
        QMenu* m = menuBar()->addMenu(QString());
        m->setObjectName(menu);
        menus_[menu] = m;
        for (const PageLayouts::MenuItem& entry : layout.items) {
            const QString item = QString::fromLatin1(entry.name);
            QAction* action = m->addAction(QString());
            action->setObjectName(item);
            action->setShortcut(entry.shortcut);
            actions_[item] = action;
            connect(action, &QAction::triggered, this, [this, item] { wizard_.click(item); });
        }
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

    // Only the first page is drawn before the window shows; the others when they are first
    // shown or asked for.
    return page;
}

void MainWindow::ensurePage(int index) const {
    if (index < 0 || index >= static_cast<int>(pages_.size()) || pagesDrawn_.count(index) > 0) {
        return;
    }
    pagesDrawn_.insert(index);
    QWidget* page = pages_[index];
    layouts_->fillPage(index, qobject_cast<QVBoxLayout*>(page->layout()), page);
    givePageAccessKeys(index);
}

void MainWindow::controlChanged(const Control& c) {
    if (c.kind == ControlKind::Frame) {
        if (auto it = pageTitles_.find(c.name); it != pageTitles_.end()) {
            it->second->setText(c.caption);
        }
        QWidget* frame = control(c.name);
        if (c.visible) {
            ensurePage(c.page);
        }
        if (frame != nullptr && c.visible && stack_ != nullptr && stack_->currentWidget() != frame) {
            showPage(frame);
            focusFirstField(frame);
        }
    } else if (c.visible && !c.enterButton.isEmpty()) {
        // A list that has just appeared on the page shown is where the author goes on.
        QWidget* field = binding_->widget(c.name);
        if (field != nullptr && stack_ != nullptr && stack_->currentWidget()->isAncestorOf(field)) {
            field->setFocus(Qt::OtherFocusReason);
        }
    } else if (c.kind == ControlKind::MenuItem) {
        const QString text = withAccessKey(c.caption, PageLayouts::menuAccessKey(c.name, c.caption));
        if (auto it = menus_.find(c.name); it != menus_.end()) {
            it->second->setTitle(text);
            it->second->menuAction()->setVisible(c.visible);
        }
        if (auto it = actions_.find(c.name); it != actions_.end()) {
            it->second->setText(text);
            it->second->setToolTip(c.tooltip);
            it->second->setVisible(c.visible);
            it->second->setEnabled(c.enabled);
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

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // A focused button takes Enter for itself; anywhere else Enter is the default button.
        auto* focused = qobject_cast<QAbstractButton*>(focusWidget());
        if (focused != nullptr && focused->isVisible() && focused->isEnabled()) {
            focused->animateClick();
            return;
        }
        // A control with a button of its own (a menu list) presses it; elsewhere Enter is the
        // default button shown.
        for (const Control& c : wizard_.form().controls()) {
            QWidget* field = c.enterButton.isEmpty() ? nullptr : binding_->widget(c.name);
            auto* button = binding_->as<QPushButton>(c.enterButton);
            if (field != nullptr && button != nullptr && field->isVisible() && button->isVisible() &&
                (field == focusWidget() || field->isAncestorOf(focusWidget()))) {
                button->click();
                return;
            }
        }
        for (const Control& c : wizard_.form().controls()) {
            auto* button = c.defaultButton ? binding_->as<QPushButton>(c.name) : nullptr;
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
    const Control* frame = wizard_.dialog(form).find(form);
    if (frame != nullptr && frame->modal) {
        dialog->layout()->setSizeConstraint(QLayout::SetFixedSize);
        dialog->setModal(true);
        dialog->exec();
        if (wizard_.isDialogOpen(form)) {
            wizard_.setDialogOpen(form, false);
        }
        return;
    }
    // Beside the window on its screen, where it does not hide the fields it writes into.
    dialog->setModal(false);
    if (screen() != nullptr) {
        dialog->setScreen(screen());
    }
    dialog->adjustSize();
    const QRect area = screen() != nullptr ? screen()->availableGeometry() : QRect();
    dialog->move(placeBeside(frameGeometry(), dialog->frameGeometry().size(), area));
    dialog->show();
    // Shown, the dialog has its frame: placed again with it, so that none of it leaves the screen.
    dialog->move(placeBeside(frameGeometry(), dialog->frameGeometry().size(), area));
    dialog->raise();
    dialog->activateWindow();
}

void MainWindow::closeForm(const QString& form) {
    if (DialogForm* dialog = dialogForm(form)) {
        dialog->closeByModel();
    }
}

}  // namespace torvel
