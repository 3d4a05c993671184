#pragma once

#include <QKeySequence>
#include <QString>
#include <vector>

class QGridLayout;
class QHBoxLayout;
class QVBoxLayout;
class QWidget;

namespace torvel {

class FormBinding;

// Where each control of the main window stands: on its page, in the bar below the pages, on the
// picture panel and in the menu bar. The widgets themselves come from the binding.
class PageLayouts {
public:
    explicit PageLayouts(FormBinding& binding) : binding_(binding) {}

    // Places the controls of page `index`; those the layout does not name are drawn at the end,
    // so that none is lost.
    void fillPage(int index, QVBoxLayout* layout, QWidget* page);
    // Close on the left, the way through the pages on the right.
    void fillButtonBar(QHBoxLayout* layout, QWidget* bar);
    // The buttons below the pages, in order.
    static const std::vector<const char*>& barButtons();
    // The picture panel at the right edge, with the program's emblem on it.
    void fillBanner(QWidget* banner);

    struct MenuItem {
        const char* name;
        QKeySequence::StandardKey shortcut;
    };
    struct Menu {
        const char* name;
        std::vector<MenuItem> items;
        char key;  // the letter that opens it with Alt
    };
    // The menus of the menu bar, each with its items, in order.
    static const std::vector<Menu>& menus();
    // The access key of a menu or menu item: a menu's own letter, an item's first letter.
    static QChar menuAccessKey(const QString& name, const QString& caption);

private:
    void buildWelcome(QVBoxLayout* layout, QWidget* page);
    void buildGeneral(QVBoxLayout* layout, QWidget* page);
    void buildImages(QVBoxLayout* layout, QWidget* page);
    void buildFonts(QVBoxLayout* layout, QWidget* page);
    void buildFiles(QVBoxLayout* layout, QWidget* page);
    void addLeftovers(int index, QVBoxLayout* layout, QWidget* page);
    QWidget* make(const QString& name, QWidget* parent);
    QWidget* makeIntro(const QString& name, QWidget* parent);
    // Makes a label the field's label: its access key moves the focus to the field.
    void labelField(const QString& label, const QString& field);
    // A row "label | field | button | swatch" of a grid; empty names leave the cell free.
    void addRow(QGridLayout* grid, int row, QWidget* parent, const QString& label, const QString& field,
                const QString& button = {}, const QString& swatch = {}, const QString& button2 = {});

    FormBinding& binding_;
};

}  // namespace torvel
