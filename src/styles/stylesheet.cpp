#include "styles/stylesheet.h"

#include <QStringList>

#include "files/paths.h"
#include "files/safefile.h"
#include "files/escaping.h"
#include "files/textfile.h"

namespace torvel {

namespace {

// A font value's family, size and weight; parts the value lacks are empty.
struct FontParts {
    QString family;
    QString size;
    QString weight;
};

FontParts splitFont(const QString& font) {
    const QStringList parts = font.split(QLatin1Char(';'));
    return {cssText(parts.value(0)), cssText(parts.value(1)), cssText(parts.value(2))};
}

QString fontRule(const QString& opening, const FontParts& font, const QString& color) {
    return opening + font.size + QStringLiteral(";font-family:") + font.family + QStringLiteral(";color:") +
           cssText(color) + QStringLiteral(";font-weight:") + font.weight +
           QStringLiteral(";margin-top:0cm;margin-bottom:0cm;}");
}

}  // namespace

QString styleSheetFile(const QString& cdRoot) {
    return cdRoot + QStringLiteral("Menu") + nativeSeparator() + QStringLiteral("Styles.css");
}

void writeStyleSheet(const QString& cdRoot, const StyleSheetValues& v) {
    ensureRealFolder(cdRoot + QStringLiteral("Menu"));

    const FontParts title = splitFont(v.titleFont);
    const FontParts text = splitFont(v.textFont);
    const FontParts hyper = splitFont(v.hyperFont);
    const FontParts button = splitFont(v.buttonFont);

    QString background = QStringLiteral("Body{background-color:") + cssText(v.backgroundColor);
    if (v.backImage == QLatin1String("none")) {
        background += QStringLiteral("}");
    } else {
        background += QStringLiteral("; background-image:url(") +
                      cssUrl(fileNameOf(v.backImage, nativeSeparator())) + QStringLiteral(");}");
    }

    const QString rules[] = {
        fontRule(QStringLiteral("h2{font-size:"), title, v.titleColor),
        background,
        fontRule(QStringLiteral("P{font-size:"), text, v.textColor),
        fontRule(QStringLiteral("TD{font-size:"), text, v.textColor),
        fontRule(QStringLiteral("a{font-size:"), hyper, v.hyperColor),
        fontRule(QStringLiteral("a:link{font-size:"), hyper, v.hyperColor),
        fontRule(QStringLiteral("a:visited{font-size:"), hyper, v.hyperColor),
        fontRule(QStringLiteral("a:hover{font-size:"), hyper, v.hyperColorActive),
        fontRule(QStringLiteral(".TLink{cursor:hand;font-size:"), button, v.buttonColor),
        fontRule(QStringLiteral(".But{cursor:hand;font-size:"), button, v.buttonColor),
        fontRule(QStringLiteral(".ButActive{cursor:hand;font-size:"), button, v.hyperColorActive),
        QStringLiteral(".Logo{position:absolute;top:") + cssText(v.top) + QStringLiteral(";left:") +
            cssText(v.left) + QStringLiteral("}"),
    };

    TextFileWriter out(styleSheetFile(cdRoot));
    for (const QString& rule : rules) {
        out.writeLine(rule);
        out.writeLine(QString());
    }
    out.close();
}

}  // namespace torvel
