#pragma once

#include <QString>

namespace torvel {

// The word an asset, category or screenshot field holds when it names nothing.
inline const QString kNone = QStringLiteral("none");

// A field is set when its text is neither empty nor exactly "none" (letter case counts, so
// "None" is set).
inline bool isFieldSet(const QString& text) {
    return !text.isEmpty() && text != kNone;
}

// The text as it is stored: "none" for an empty field.
inline QString orNone(const QString& text) {
    return text.isEmpty() ? kNone : text;
}

}  // namespace torvel
