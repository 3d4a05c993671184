#include "styles/stylesheet.h"

#include "files/escaping.h"
#include "files/paths.h"
#include "files/safefile.h"
#include "files/textfile.h"
#include "styles/fontvalue.h"

namespace torvel {

namespace {

// A font value's parts as the style sheet writes them.
FontParts cssFontParts(const QString& font) {
    const FontParts parts = fontParts(font);
    return {cssText(parts.family), cssText(parts.size), cssText(parts.weight)};
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

    const FontParts title = cssFontParts(v.titleFont);
    const FontParts text = cssFontParts(v.textFont);
    const FontParts hyper = cssFontParts(v.hyperFont);
    const FontParts button = cssFontParts(v.buttonFont);

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
