#pragma once

#include "form/formmodel.h"

class QWidget;

namespace torvel {

class FormBinding;

// How one kind of control is drawn: the widget that draws it, how the model's values show on
// that widget, and how the user's input reaches the model or the wizard's events. A kind with no
// widget of its own (frames, menu items) has no create.
struct ControlAdapter {
    QWidget* (*create)(QWidget* parent);
    // Model to widget; the caller blocks the widget's signals.
    void (*show)(const Control& c, QWidget* w);
    // Widget to model and events, through the binding.
    void (*bind)(FormBinding& binding, const Control& c, QWidget* w);
    // One item added, changed or removed, shown without redrawing the rest; false when the widget
    // needs the whole show instead. Lists only.
    bool (*showItem)(const Control& c, QWidget* w, const FormModel::ItemChange& change) = nullptr;
};

const ControlAdapter& adapterOf(ControlKind kind);

// The widget property holding the access key (a QChar) that the window gave a control.
inline constexpr char kAccessKeyProperty[] = "torvelAccessKey";

}  // namespace torvel
