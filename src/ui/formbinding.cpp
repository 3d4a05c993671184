#include "ui/formbinding.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "ui/widgets.h"
#include "wizard/generalsettings.h"
#include "wizard/wizard.h"

namespace torvel {

QString literalCaption(const QString& caption) {
    QString text = caption;
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

namespace {

// The multi-line field shows line feeds; the model keeps the line breaks it was given (CR LF
// from stored descriptions), and typed text follows the style the field's text already has.
QString shownText(const QString& modelText) {
    QString text = modelText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QString modelText(const QString& shown, const QString& previousModelText) {
    if (!previousModelText.contains(QStringLiteral("\r\n"))) {
        return shown;
    }
    QString text = shown;
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

QStringList itemsOf(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) {
        items << box->itemText(i);
    }
    return items;
}

QStringList itemsOf(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->item(i)->text();
    }
    return items;
}

}  // namespace

FormBinding::FormBinding(Wizard& wizard, FormModel& form, QString prefix, QObject* parent)
    : QObject(parent), wizard_(wizard), form_(form), prefix_(std::move(prefix)) {
    // The model outlives this binding in tests and dialogs; a guard keeps old listeners quiet.
    form_.addListener([guard = QPointer<FormBinding>(this)](const QString& name) {
        if (guard) {
            guard->refresh(name);
        }
    });
}

QWidget* FormBinding::widget(const QString& name) const {
    auto it = widgets_.find(name);
    return it == widgets_.end() ? nullptr : it->second.data();
}

QStringList FormBinding::notCreated() const {
    QStringList names;
    for (const Control& c : form_.controls()) {
        if (c.kind != ControlKind::Frame && c.kind != ControlKind::MenuItem && widget(c.name) == nullptr) {
            names << c.name;
        }
    }
    return names;
}

QWidget* FormBinding::create(const QString& name, QWidget* parent) {
    const Control* c = form_.find(name);
    if (c == nullptr) {
        return nullptr;
    }
    QWidget* w = nullptr;
    switch (c->kind) {
        case ControlKind::Frame:
        case ControlKind::MenuItem:
            return nullptr;
        case ControlKind::Label: {
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::PlainText);
            w = label;
            break;
        }
        case ControlKind::TextField:
            w = new QLineEdit(parent);
            break;
        case ControlKind::MultiLineText: {
            auto* edit = new QPlainTextEdit(parent);
            edit->setTabChangesFocus(true);
            w = edit;
            break;
        }
        case ControlKind::ComboBox: {
            auto* box = new QComboBox(parent);
            box->setEditable(true);
            box->setInsertPolicy(QComboBox::NoInsert);
            // The field holds exactly what was typed: no completion rewrites it.
            box->setCompleter(nullptr);
            w = box;
            break;
        }
        case ControlKind::ListBox:
            w = new ChoiceList(parent);
            break;
        case ControlKind::Button:
            w = new QPushButton(parent);
            break;
        case ControlKind::PictureButton: {
            auto* button = new QToolButton(parent);
            button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            w = button;
            break;
        }
        case ControlKind::Swatch:
            w = new ColorSwatch(parent);
            break;
        case ControlKind::Picture: {
            auto* picture = new QLabel(parent);
            picture->setAlignment(Qt::AlignCenter);
            w = picture;
            break;
        }
        case ControlKind::DriveList:
            w = new QComboBox(parent);
            break;
        case ControlKind::FolderList:
            w = new FolderTree(parent);
            break;
    }
    w->setObjectName(c->name);
    widgets_[c->name] = w;
    apply(*c, w);
    bind(*c, w);
    return w;
}

void FormBinding::adopt(const QString& name, QWidget* w) {
    const Control* c = form_.find(name);
    if (c == nullptr || w == nullptr) {
        return;
    }
    widgets_[name] = w;
    apply(*c, w);
}

void FormBinding::bind(const Control& c, QWidget* w) {
    const QString name = c.name;
    const QString event = qualified(name);
    switch (c.kind) {
        case ControlKind::TextField:
            connect(qobject_cast<QLineEdit*>(w), &QLineEdit::textEdited, this,
                    [this, name](const QString& text) { form_.setText(name, text); });
            break;
        case ControlKind::MultiLineText: {
            auto* edit = qobject_cast<QPlainTextEdit*>(w);
            connect(edit, &QPlainTextEdit::textChanged, this, [this, name, edit] {
                form_.setText(name, modelText(edit->toPlainText(), form_.text(name)));
            });
            break;
        }
        case ControlKind::ComboBox: {
            auto* box = qobject_cast<QComboBox*>(w);
            // Typing changes the text only; choosing an item is the list's Click.
            connect(box->lineEdit(), &QLineEdit::textEdited, this,
                    [this, name](const QString& text) { form_.setText(name, text); });
            connect(box, &QComboBox::activated, this,
                    [this, event](int index) { wizard_.choose(event, index); });
            break;
        }
        case ControlKind::ListBox:
            connect(qobject_cast<ChoiceList*>(w), &ChoiceList::rowChosen, this,
                    [this, event](int row) { wizard_.choose(event, row); });
            break;
        case ControlKind::Button:
        case ControlKind::PictureButton:
            connect(qobject_cast<QAbstractButton*>(w), &QAbstractButton::clicked, this,
                    [this, event] { wizard_.click(event); });
            break;
        case ControlKind::DriveList: {
            auto* box = qobject_cast<QComboBox*>(w);
            connect(box, &QComboBox::activated, this,
                    [this, box](int index) { wizard_.pickDrive(box->itemText(index)); });
            break;
        }
        case ControlKind::FolderList:
            connect(qobject_cast<FolderTree*>(w), &FolderTree::folderOpened, this,
                    [this](const QString& path) { wizard_.openFolder(path); });
            break;
        case ControlKind::Frame:
        case ControlKind::MenuItem:
        case ControlKind::Label:
        case ControlKind::Swatch:
        case ControlKind::Picture:
            break;
    }
}

void FormBinding::refresh(const QString& name) {
    const Control* c = form_.find(name);
    if (c == nullptr) {
        return;
    }
    if (QWidget* w = widget(name)) {
        apply(*c, w);
    }
    if (onChange) {
        onChange(*c);
    }
}

void FormBinding::apply(const Control& c, QWidget* w) {
    const QSignalBlocker blocker(w);
    w->setToolTip(c.tooltip);
    switch (c.kind) {
        case ControlKind::Label: {
            if (auto* group = qobject_cast<QGroupBox*>(w)) {
                group->setTitle(c.caption);
                break;
            }
            if (auto* label = qobject_cast<QLabel*>(w)) {
                label->setText(c.caption);
                QFont font = label->font();
                if (font.bold() != c.bold) {
                    font.setBold(c.bold);
                    label->setFont(font);
                }
            }
            break;
        }
        case ControlKind::TextField: {
            auto* edit = qobject_cast<QLineEdit*>(w);
            if (edit != nullptr && edit->text() != c.text) {
                edit->setText(c.text);
                // A value put in by the program shows from its beginning, also when it is long.
                edit->setCursorPosition(0);
            }
            break;
        }
        case ControlKind::MultiLineText: {
            auto* edit = qobject_cast<QPlainTextEdit*>(w);
            const QString shown = shownText(c.text);
            if (edit != nullptr && edit->toPlainText() != shown) {
                edit->setPlainText(shown);
            }
            break;
        }
        case ControlKind::ComboBox: {
            auto* box = qobject_cast<QComboBox*>(w);
            if (box == nullptr || box->lineEdit() == nullptr) {
                break;
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
            break;
        }
        case ControlKind::ListBox: {
            auto* list = qobject_cast<QListWidget*>(w);
            if (list == nullptr) {
                break;
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
            break;
        }
        case ControlKind::Button:
        case ControlKind::PictureButton:
            if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                button->setText(literalCaption(c.caption));
            }
            break;
        case ControlKind::Swatch:
            if (auto* swatch = qobject_cast<ColorSwatch*>(w)) {
                swatch->setColorNumber(c.color);
            }
            break;
        case ControlKind::DriveList: {
            auto* box = qobject_cast<QComboBox*>(w);
            if (box == nullptr) {
                break;
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
            break;
        }
        case ControlKind::FolderList: {
            auto* tree = qobject_cast<FolderTree*>(w);
            if (tree == nullptr) {
                break;
            }
            const QString folder = c.text.isEmpty() ? QDir::currentPath() : c.text;
            if (QDir::fromNativeSeparators(tree->currentFolder()) != QDir::fromNativeSeparators(folder)) {
                tree->showFolder(folder);
            }
            break;
        }
        case ControlKind::Frame:
        case ControlKind::MenuItem:
        case ControlKind::Picture:
            break;
    }
    w->setHidden(!c.visible);
}

}  // namespace torvel
