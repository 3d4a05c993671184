#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace torvel {

// Access keys (Alt + a letter of the caption, underlined) are drawn by the window only: the
// model's captions stay as they are.

// The caption as a button or label shows it with `key` as its access key: every "&" doubled so
// that it shows, then "&" before the first letter equal to `key` in any case. A null key, or one
// the caption lacks, gives the caption without an access key.
QString withAccessKey(const QString& caption, QChar key);

// An access key for each caption, in order (lower case): the first letter of a word, else any
// other letter or digit, that neither an earlier caption took nor `reserved` holds (the keys of
// the menu bar and of the buttons always shown). A caption whose letters are all taken shares a
// key that is not reserved, which the keyboard then moves between; one that has only reserved
// letters gets none (a null QChar).
std::vector<QChar> chooseAccessKeys(const QStringList& captions, const QString& reserved);

}  // namespace torvel
