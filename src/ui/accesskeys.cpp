#include "ui/accesskeys.h"

namespace torvel {

QString withAccessKey(const QString& caption, QChar key) {
    QString shown;
    bool marked = key.isNull();
    for (const QChar c : caption) {
        if (!marked && c.toLower() == key.toLower()) {
            shown += QLatin1Char('&');
            marked = true;
        }
        shown += c;
        if (c == QLatin1Char('&')) {
            shown += QLatin1Char('&');
        }
    }
    return shown;
}

namespace {

// The letters and digits of a caption in the order they are offered as its key: first letters of
// words first, lower case.
QString candidates(const QString& caption) {
    QString initials;
    QString others;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar c = caption[i];
        if (!c.isLetterOrNumber()) {
            continue;
        }
        const bool wordStart = i == 0 || !caption[i - 1].isLetterOrNumber();
        (wordStart ? initials : others) += c.toLower();
    }
    return initials + others;
}

}  // namespace

std::vector<QChar> chooseAccessKeys(const QStringList& captions, const QString& reserved) {
    std::vector<QChar> keys;
    QString taken = reserved.toLower();
    for (const QString& caption : captions) {
        const QString offered = candidates(caption);
        QChar key;
        for (const QChar c : offered) {
            if (!taken.contains(c)) {
                key = c;
                break;
            }
        }
        if (key.isNull()) {
            for (const QChar c : offered) {
                if (!reserved.contains(c, Qt::CaseInsensitive)) {
                    key = c;
                    break;
                }
            }
        }
        if (!key.isNull() && !taken.contains(key)) {
            taken += key;
        }
        keys.push_back(key);
    }
    return keys;
}

}  // namespace torvel
