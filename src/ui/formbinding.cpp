#include "ui/formbinding.h"

#include "ui/controladapters.h"
#include "wizard/wizard.h"

namespace torvel {

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
    const ControlAdapter* adapter = c == nullptr ? nullptr : &adapterOf(c->kind);
    if (adapter == nullptr || adapter->create == nullptr) {
        return nullptr;
    }
    QWidget* w = adapter->create(parent);
    w->setObjectName(c->name);
    widgets_[c->name] = w;
    apply(*c, w);
    adapter->bind(*this, *c, w);
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

void FormBinding::setAccessKey(const QString& name, QChar key) {
    const Control* c = form_.find(name);
    QWidget* w = widget(name);
    if (c != nullptr && w != nullptr) {
        w->setProperty(kAccessKeyProperty, key);
        apply(*c, w);
    }
}

void FormBinding::refresh(const QString& name) {
    const Control* c = form_.find(name);
    if (c == nullptr) {
        return;
    }
    if (QWidget* w = widget(name)) {
        const auto showItem = adapterOf(c->kind).showItem;
        const QSignalBlocker blocker(w);
        if (form_.itemChange().kind == FormModel::ItemChange::Kind::All || showItem == nullptr ||
            !showItem(*c, w, form_.itemChange())) {
            apply(*c, w);
        }
    }
    if (onChange) {
        onChange(*c);
    }
}

void FormBinding::apply(const Control& c, QWidget* w) {
    const QSignalBlocker blocker(w);
    w->setToolTip(c.tooltip);
    adapterOf(c.kind).show(c, w);
    w->setHidden(!c.visible);
    w->setEnabled(c.enabled);
}

}  // namespace torvel
