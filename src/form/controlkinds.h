#pragma once

#include "form/formmodel.h"

namespace torvel {

// Which of a control's values a kind of control holds: what a screen shows of it and what the
// user can change. A kind that shows its caption holds no value of its own.
struct KindTraits {
    bool caption;    // shows its caption: labels, buttons, pictures, frames, menu items
    bool text;       // holds a text
    bool typed;      // the user types that text
    bool items;      // holds a list of items
    bool selection;  // the user chooses one of the items
    bool color;      // holds a colour number
};

const KindTraits& kindTraits(ControlKind kind);

// A control that holds a value (a field or a list), as opposed to one that shows its caption.
inline bool isValueControl(ControlKind kind) {
    return !kindTraits(kind).caption;
}

}  // namespace torvel
