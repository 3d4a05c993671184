#include "form/formmodel.h"

#include "base/error.h"

namespace torvel {

Control makeControl(const char* name, ControlKind kind, const QString& caption, const QString& tooltip) {
    Control c;
    c.name = QString::fromLatin1(name);
    c.kind = kind;
    c.caption = caption;
    c.tooltip = tooltip;
    return c;
}

void FormModel::add(Control control) {
    controls_.push_back(std::move(control));
}

namespace {
template <typename Controls>
auto findIn(Controls& controls, const QString& name) -> decltype(&controls.front()) {
    for (auto& c : controls) {
        if (c.name == name) {
            return &c;
        }
    }
    return nullptr;
}
}  // namespace

const Control& FormModel::get(const QString& name) const {
    if (const Control* c = findIn(controls_, name)) {
        return *c;
    }
    throw TorvelError(QStringLiteral("The form %1 has no control named %2.").arg(name_, name));
}

Control& FormModel::at(const QString& name) {
    return const_cast<Control&>(get(name));
}

const Control* FormModel::find(const QString& name) const {
    return findIn(controls_, name);
}

void FormModel::changed(const QString& name) {
    for (const auto& listener : listeners_) {
        listener(name);
    }
}

void FormModel::setText(const QString& name, const QString& text) {
    Control& c = at(name);
    if (c.text != text) {
        c.text = text;
        changed(name);
    }
}

void FormModel::setCaption(const QString& name, const QString& caption) {
    Control& c = at(name);
    if (c.caption != caption) {
        c.caption = caption;
        changed(name);
    }
}

void FormModel::setVisible(const QString& name, bool visible) {
    Control& c = at(name);
    if (c.visible != visible) {
        c.visible = visible;
        changed(name);
    }
}

void FormModel::setEnabled(const QString& name, bool enabled) {
    Control& c = at(name);
    if (c.enabled != enabled) {
        c.enabled = enabled;
        changed(name);
    }
}

void FormModel::setColor(const QString& name, int color) {
    Control& c = at(name);
    if (c.color != color) {
        c.color = color;
        changed(name);
    }
}

void FormModel::clearItems(const QString& name) {
    setItems(name, {});
}

void FormModel::addItem(const QString& name, const QString& item) {
    Control& c = at(name);
    c.items << item;
    itemChanged(name, ItemChange::Kind::Added, static_cast<int>(c.items.size() - 1));
}

void FormModel::itemChanged(const QString& name, ItemChange::Kind kind, int index) {
    itemChange_ = {kind, index};
    changed(name);
    itemChange_ = {};
}

void FormModel::setItems(const QString& name, const QStringList& items) {
    Control& c = at(name);
    c.items = items;
    c.selected = -1;
    changed(name);
}

void FormModel::setItemText(const QString& name, int index, const QString& text) {
    Control& c = at(name);
    if (index >= 0 && index < c.items.size()) {
        c.items[index] = text;
        itemChanged(name, ItemChange::Kind::Changed, index);
    }
}

void FormModel::removeItem(const QString& name, int index) {
    Control& c = at(name);
    if (index < 0 || index >= c.items.size()) {
        return;
    }
    c.items.removeAt(index);
    if (c.selected == index) {
        c.selected = -1;
    } else if (c.selected > index) {
        --c.selected;
    }
    itemChanged(name, ItemChange::Kind::Removed, index);
}

void FormModel::select(const QString& name, int index) {
    Control& c = at(name);
    c.selected = (index >= 0 && index < c.items.size()) ? index : -1;
    if (c.selected >= 0 && c.kind == ControlKind::ComboBox) {
        c.text = c.items[c.selected];
    }
    changed(name);
}

QStringList FormModel::namesWithTag(const QString& tag) const {
    QStringList names;
    for (const auto& c : controls_) {
        if (c.tag == tag) {
            names << c.name;
        }
    }
    return names;
}

}  // namespace torvel
