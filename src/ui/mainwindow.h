#pragma once

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>
#include <set>
#include <vector>

class QGridLayout;
class QLabel;
class QMenu;
class QScrollArea;
class QStackedWidget;
class QVBoxLayout;

namespace torvel {

class DialogForm;
class FormBinding;
class PageLayouts;
class QtPrompts;
class Wizard;
struct Control;

// Where a dialog that stays open beside the window goes (top left of its frame): right of the
// window, or left of it when the screen has no room on the right; with room on neither side, over
// the window's right edge, as far right as the screen allows. Always within the screen.
QPoint placeBeside(const QRect& window, const QSize& dialog, const QRect& screen);

// The wizard's main window: the five pages one at a time, the buttons below them, the menu bar
// and the picture panel at the right edge. It draws the model's controls and binds them; all
// behaviour is the wizard's. The real dialogs, when the wizard's prompts are them, are attached
// here so that the dialog forms and quitting reach this window.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Wizard& wizard, QtPrompts* dialogs = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    Wizard& wizard() { return wizard_; }
    // The widget drawing a control; for a page frame ("step0".."step4") the page.
    QWidget* control(const QString& name) const;
    QWidget* page(int index) const;
    QAction* menuAction(const QString& name) const;
    // The page body, which scrolls when the window is smaller than the page.
    QScrollArea* pageArea() const { return scroll_; }
    // Gives the keyboard focus back to a control after a dialog: to the control itself while it
    // is shown and enabled, otherwise to the first field of the page shown.
    void restoreFocus(QWidget* control);

    // The dialog forms: frmAbout is modal, the others stay open beside the window.
    void showForm(const QString& form);
    void closeForm(const QString& form);
    DialogForm* dialogForm(const QString& form) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    QWidget* buildCentral();
    QWidget* buildPage(int index);
    // Draws a page's controls the first time it is needed.
    void ensurePage(int index) const;
    void controlChanged(const Control& c);
    // Access keys: the menu bar's and the buttons below the pages' first, unique; then each page's
    // buttons and field labels, drawn with the page.
    void giveBarAccessKeys();
    void givePageAccessKeys(int index) const;
    // Only the page shown counts for the size the page body needs.
    void showPage(QWidget* frame);
    // Puts the keyboard focus on the first field of a page that has just been shown.
    static void focusFirstField(QWidget* page);

    Wizard& wizard_;
    FormBinding* binding_;
    std::unique_ptr<PageLayouts> layouts_;
    QStackedWidget* stack_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QWidget* banner_ = nullptr;
    QString reservedKeys_;
    std::vector<QWidget*> pages_;
    mutable std::set<int> pagesDrawn_;
    std::map<QString, QLabel*> pageTitles_;
    std::map<QString, QAction*> actions_;
    std::map<QString, QMenu*> menus_;
    std::map<QString, QPointer<DialogForm>> dialogs_;
};

}  // namespace torvel
