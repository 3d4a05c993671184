#include "ui/controladapters.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "ui/accesskeys.h"
#include "ui/formbinding.h"
#include "ui/widgets.h"
#include "wizard/generalsettings.h"
#include "wizard/wizard.h"

namespace torvel {

namespace {

void showNothing(const Control&, QWidget*) {}
void bindNothing(FormBinding&, const Control&, QWidget*) {}

template <typename List>
QStringList itemsOf(const List* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        if constexpr (std::is_same_v<List, QListWidget>) {
            items << list->item(i)->text();
        } else {
            items << list->itemText(i);
        }
    }
    return items;
}

// The access key the window gave a control's widget; null when it has none.
QChar accessKey(const QWidget* w) {
    return w->property(kAccessKeyProperty).toChar();
}

// Labels: plain text, or the title of a group box that the layout drew for them. A field's label
// shows its access key, which moves the focus to the field.
const ControlAdapter kLabel{[](QWidget* parent) -> QWidget* {
                                auto* label = new QLabel(parent);
                                label->setTextFormat(Qt::PlainText);
                                return label;
                            },
                            [](const Control& c, QWidget* w) {
                                if (auto* group = qobject_cast<QGroupBox*>(w)) {
                                    group->setTitle(c.caption);
                                } else if (auto* label = qobject_cast<QLabel*>(w)) {
                                    const QChar key = accessKey(w);
                                    label->setText(key.isNull() ? c.caption : withAccessKey(c.caption, key));
                                    QFont font = label->font();
                                    if (font.bold() != c.bold) {
                                        font.setBold(c.bold);
                                        label->setFont(font);
                                    }
                                }
                            },
                            bindNothing};

const ControlAdapter kTextField{
    [](QWidget* parent) -> QWidget* { return new QLineEdit(parent); },
    [](const Control& c, QWidget* w) {
        auto* edit = qobject_cast<QLineEdit*>(w);
        if (edit != nullptr && edit->text() != c.text) {
            edit->setText(c.text);
            // A value put in by the program shows from its beginning, also when it is long.
            edit->setCursorPosition(0);
        }
    },
    [](FormBinding& b, const Control& c, QWidget* w) {
        QObject::connect(qobject_cast<QLineEdit*>(w), &QLineEdit::textEdited, &b,
                         [&b, name = c.name](const QString& text) { b.form().setText(name, text); });
    }};

// The multi-line field shows line feeds; the model keeps the line breaks it was given (CR LF
// from stored descriptions), and typed text follows the style the field's text already has.
const ControlAdapter kMultiLineText{
    [](QWidget* parent) -> QWidget* {
        auto* edit = new QPlainTextEdit(parent);
        edit->setTabChangesFocus(true);
        return edit;
    },
    [](const Control& c, QWidget* w) {
        auto* edit = qobject_cast<QPlainTextEdit*>(w);
        QString shown = c.text;
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (edit != nullptr && edit->toPlainText() != shown) {
            edit->setPlainText(shown);
        }
    },
    [](FormBinding& b, const Control& c, QWidget* w) {
        auto* edit = qobject_cast<QPlainTextEdit*>(w);
        QObject::connect(edit, &QPlainTextEdit::textChanged, &b, [&b, name = c.name, edit] {
            QString text = edit->toPlainText();
            if (b.form().text(name).contains(QStringLiteral("\r\n"))) {
                text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
            }
            b.form().setText(name, text);
        });
    }};

// A list offered for choosing only: the model's items, and its text as one more item when the
// text is none of them.
void showChooseOnly(const Control& c, QComboBox* box) {
    box->setEditable(false);
    QStringList shown = c.items;
    if (!c.text.isEmpty() && !c.items.contains(c.text)) {
        shown << c.text;
    }
    if (itemsOf(box) != shown) {
        box->clear();
        box->addItems(shown);
    }
    box->setCurrentIndex(c.text.isEmpty() ? -1 : static_cast<int>(shown.indexOf(c.text)));
}

// A drop-down list with a text field: typing changes the text only; choosing an item is the
// list's Click.
const ControlAdapter kComboBox{
    [](QWidget* parent) -> QWidget* {
        auto* box = new QComboBox(parent);
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        // The field holds exactly what was typed: no completion rewrites it.
        box->setCompleter(nullptr);
        return box;
    },
    [](const Control& c, QWidget* w) {
        auto* box = qobject_cast<QComboBox*>(w);
        if (box != nullptr && c.chooseOnly) {
            showChooseOnly(c, box);
            return;
        }
        if (box == nullptr || box->lineEdit() == nullptr) {
            return;
        }
        const QSignalBlocker editBlocker(box->lineEdit());
        if (itemsOf(box) != c.items) {
            box->clear();
            box->addItems(c.items);
        }
        if (box->currentIndex() != c.selected) {
            box->setCurrentIndex(c.selected);
        }
        if (box->currentText() != c.text) {
            box->setEditText(c.text);
        }
    },
    [](FormBinding& b, const Control& c, QWidget* w) {
        auto* box = qobject_cast<QComboBox*>(w);
        if (box->lineEdit() != nullptr) {
            QObject::connect(box->lineEdit(), &QLineEdit::textEdited, &b,
                             [&b, name = c.name](const QString& text) { b.form().setText(name, text); });
        }
        // The extra item of a list for choosing only is its text already: choosing it does nothing.
        QObject::connect(box, &QComboBox::activated, &b,
                         [&b, name = c.name, event = b.qualified(c.name)](int index) {
                             if (index < b.form().items(name).size()) {
                                 b.wizard().choose(event, index);
                             }
                         });
    }};

const ControlAdapter kListBox{
    [](QWidget* parent) -> QWidget* { return new ChoiceList(parent); },
    [](const Control& c, QWidget* w) {
        auto* list = qobject_cast<QListWidget*>(w);
        if (list == nullptr) {
            return;
        }
        if (itemsOf(list) != c.items) {
            list->clear();
            list->addItems(c.items);
        }
        if (list->currentRow() != c.selected) {
            list->setCurrentRow(c.selected);
        }
        if (c.selected < 0) {
            list->clearSelection();
        }
    },
    [](FormBinding& b, const Control& c, QWidget* w) {
        QObject::connect(qobject_cast<ChoiceList*>(w), &ChoiceList::rowChosen, &b,
                         [&b, event = b.qualified(c.name)](int row) { b.wizard().choose(event, row); });
    },
    [](const Control& c, QWidget* w, const FormModel::ItemChange& change) {
        auto* list = qobject_cast<QListWidget*>(w);
        using Kind = FormModel::ItemChange::Kind;
        const int index = change.index;
        if (list == nullptr || index < 0 || index >= list->count() + (change.kind == Kind::Added ? 1 : 0)) {
            return false;
        }
        if (change.kind == Kind::Added && index == list->count() && index < c.items.size()) {
            list->addItem(c.items[index]);
        } else if (change.kind == Kind::Changed && index < c.items.size()) {
            list->item(index)->setText(c.items[index]);
        } else if (change.kind == Kind::Removed) {
            delete list->takeItem(index);
        } else {
            return false;
        }
        if (list->count() != c.items.size()) {
            return false;
        }
        if (list->currentRow() != c.selected) {
            list->setCurrentRow(c.selected);
        }
        if (c.selected < 0) {
            list->clearSelection();
        }
        return true;
    }};

void showButtonCaption(const Control& c, QWidget* w) {
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(withAccessKey(c.caption, accessKey(w)));
    }
}

void bindClick(FormBinding& b, const Control& c, QWidget* w) {
    QObject::connect(qobject_cast<QAbstractButton*>(w), &QAbstractButton::clicked, &b,
                     [&b, event = b.qualified(c.name)] { b.wizard().click(event); });
}

const ControlAdapter kButton{[](QWidget* parent) -> QWidget* { return new QPushButton(parent); },
                             showButtonCaption, bindClick};

const ControlAdapter kPictureButton{[](QWidget* parent) -> QWidget* {
                                        auto* button = new QToolButton(parent);
                                        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
                                        return button;
                                    },
                                    showButtonCaption, bindClick};

const ControlAdapter kSwatch{[](QWidget* parent) -> QWidget* { return new ColorSwatch(parent); },
                             [](const Control& c, QWidget* w) {
                                 if (auto* swatch = qobject_cast<ColorSwatch*>(w)) {
                                     swatch->setColorNumber(c.color);
                                 }
                             },
                             bindNothing};

const ControlAdapter kPicture{[](QWidget* parent) -> QWidget* {
                                  auto* picture = new QLabel(parent);
                                  picture->setAlignment(Qt::AlignCenter);
                                  return picture;
                              },
                              showNothing, bindNothing};

// The drives: the model's items, or every drive there is while it has none; a drive the model
// names that is not listed is added.
const ControlAdapter kDriveList{[](QWidget* parent) -> QWidget* { return new QComboBox(parent); },
                                [](const Control& c, QWidget* w) {
                                    auto* box = qobject_cast<QComboBox*>(w);
                                    if (box == nullptr) {
                                        return;
                                    }
                                    const QStringList items = c.items.isEmpty() ? availableDrives() : c.items;
                                    if (itemsOf(box) != items) {
                                        box->clear();
                                        box->addItems(items);
                                    }
                                    if (!c.text.isEmpty()) {
                                        int index = box->findText(c.text);
                                        if (index < 0) {
                                            box->addItem(c.text);
                                            index = box->count() - 1;
                                        }
                                        box->setCurrentIndex(index);
                                    }
                                },
                                [](FormBinding& b, const Control&, QWidget* w) {
                                    auto* box = qobject_cast<QComboBox*>(w);
                                    QObject::connect(box, &QComboBox::activated, &b, [&b, box](int index) {
                                        b.wizard().pickDrive(box->itemText(index));
                                    });
                                }};

const ControlAdapter kFolderList{
    [](QWidget* parent) -> QWidget* { return new FolderTree(parent); },
    [](const Control& c, QWidget* w) {
        auto* tree = qobject_cast<FolderTree*>(w);
        if (tree == nullptr) {
            return;
        }
        const QString folder = c.text.isEmpty() ? QDir::homePath() : c.text;
        if (QDir::fromNativeSeparators(tree->currentFolder()) != QDir::fromNativeSeparators(folder)) {
            tree->showFolder(folder);
        }
    },
    [](FormBinding& b, const Control&, QWidget* w) {
        QObject::connect(qobject_cast<FolderTree*>(w), &FolderTree::folderOpened, &b,
                         [&b](const QString& path) { b.wizard().openFolder(path); });
    }};

const ControlAdapter kSeparator{[](QWidget* parent) -> QWidget* {
                                    auto* line = new QFrame(parent);
                                    line->setFrameShape(QFrame::HLine);
                                    line->setFrameShadow(QFrame::Sunken);
                                    return line;
                                },
                                showNothing, bindNothing};

// Frames and menu items are drawn by the window itself.
const ControlAdapter kDrawnByWindow{nullptr, showNothing, bindNothing};

}  // namespace

const ControlAdapter& adapterOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return kLabel;
        case ControlKind::TextField:
            return kTextField;
        case ControlKind::MultiLineText:
            return kMultiLineText;
        case ControlKind::ComboBox:
            return kComboBox;
        case ControlKind::ListBox:
            return kListBox;
        case ControlKind::Button:
            return kButton;
        case ControlKind::PictureButton:
            return kPictureButton;
        case ControlKind::Swatch:
            return kSwatch;
        case ControlKind::Picture:
            return kPicture;
        case ControlKind::DriveList:
            return kDriveList;
        case ControlKind::FolderList:
            return kFolderList;
        case ControlKind::Separator:
            return kSeparator;
        case ControlKind::Frame:
        case ControlKind::MenuItem:
            break;
    }
    return kDrawnByWindow;
}

}  // namespace torvel
