#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace torvel {

enum class ControlKind {
    Frame,  // a wizard page
    Label,
    TextField,
    MultiLineText,
    ComboBox,  // drop-down list with a text field
    ListBox,
    Button,
    PictureButton,
    Swatch,  // filled rectangle showing a colour number
    Picture,
    DriveList,
    FolderList,
    MenuItem,
    Separator,  // a line between groups of controls
};

// One named control of a form: everything the screen shows of it, as plain values.
struct Control {
    QString name;
    ControlKind kind = ControlKind::Label;
    int page = -1;  // wizard page 0..4, or -1 outside the pages
    QString caption;
    QString text;
    QString tooltip;
    QString tag;
    bool visible = true;
    // Whether the control takes input: a disabled one is drawn greyed and cannot be clicked.
    bool enabled = true;
    bool bold = false;
    QStringList items;
    int selected = -1;
    int color = 0;  // 0x00BBGGRR
    // What the keyboard does on the form: the button Enter presses while this control has the
    // focus (a list with a button of its own, which also takes the focus when it appears), and
    // whether this is a button Enter presses where no focused control has one.
    QString enterButton;
    bool defaultButton = false;
    // A dialog form's frame: the form keeps the focus until it closes, and its size is its content's.
    bool modal = false;
    // A drop-down list that the screen offers for choosing only, not for typing; a text that is
    // none of its items (set by the program) shows as one more item while it is the text.
    bool chooseOnly = false;
};

// A control with a name, a kind and optionally a caption and a tooltip.
Control makeControl(const char* name, ControlKind kind, const QString& caption = QString(),
                    const QString& tooltip = QString());

// The presentation model of one form: named controls, their values and a change notice that
// the screen layer listens to. Handlers read and write controls only through this model.
class FormModel {
public:
    explicit FormModel(QString name = QString()) : name_(std::move(name)) {}

    const QString& name() const { return name_; }
    void add(Control control);
    const Control* find(const QString& name) const;
    bool has(const QString& name) const { return find(name) != nullptr; }
    const Control& get(const QString& name) const;
    const std::vector<Control>& controls() const { return controls_; }

    QString text(const QString& name) const { return get(name).text; }
    void setText(const QString& name, const QString& text);
    QString caption(const QString& name) const { return get(name).caption; }
    void setCaption(const QString& name, const QString& caption);
    bool visible(const QString& name) const { return get(name).visible; }
    void setVisible(const QString& name, bool visible);
    bool enabled(const QString& name) const { return get(name).enabled; }
    void setEnabled(const QString& name, bool enabled);
    int color(const QString& name) const { return get(name).color; }
    void setColor(const QString& name, int color);

    QStringList items(const QString& name) const { return get(name).items; }
    void clearItems(const QString& name);
    void addItem(const QString& name, const QString& item);
    void setItems(const QString& name, const QStringList& items);
    void setItemText(const QString& name, int index, const QString& text);
    void removeItem(const QString& name, int index);
    int selected(const QString& name) const { return get(name).selected; }
    // Selects an item (-1: none); a drop-down list's text becomes the item.
    void select(const QString& name, int index);

    // Every control whose tag equals `tag` (letter case counts).
    QStringList namesWithTag(const QString& tag) const;

    // What the change being told did to a list's items: one item added at the end, changed or
    // removed, or anything else (All). Valid while listeners are called.
    struct ItemChange {
        enum class Kind { All, Added, Changed, Removed };
        Kind kind = Kind::All;
        int index = -1;
    };
    const ItemChange& itemChange() const { return itemChange_; }

    // Called with a control's name after any of its values changed.
    using Listener = std::function<void(const QString& name)>;
    void addListener(Listener listener) { listeners_.push_back(std::move(listener)); }

private:
    Control& at(const QString& name);
    void changed(const QString& name);
    void itemChanged(const QString& name, ItemChange::Kind kind, int index);

    QString name_;
    std::vector<Control> controls_;
    std::vector<Listener> listeners_;
    ItemChange itemChange_;
};

}  // namespace torvel
