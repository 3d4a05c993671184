#include "generator/pageframe.h"

#include <QUrl>

#include "files/escaping.h"
#include "files/paths.h"
#include "files/textfile.h"
#include "form/fieldvalue.h"
#include "version.h"

namespace torvel {

using namespace Qt::StringLiterals;

bool sameCategory(const QVariant& entry, const QVariant& group) {
    if (entry.isNull() || group.isNull()) {
        return entry.isNull() && group.isNull();
    }
    const QString a = entry.toString();
    const QString b = group.toString();
    if (a.size() != b.size()) {
        return false;
    }
    const auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
    for (qsizetype k = 0; k < a.size(); ++k) {
        if (fold(a[k].unicode()) != fold(b[k].unicode())) {
            return false;
        }
    }
    return true;
}

QString createMenuFile(const QString& cdRoot) {
    return cdRoot + QStringLiteral("Index.htm");
}

QString menuAssetReference(const QString& path) {
    QString reference;
    appendMenuAssetReference(reference, path);
    return reference;
}

void appendMenuAssetReference(QString& out, QStringView path) {
    out.append(QLatin1String("Menu/"));
    appendPercentEncoded(out, fileNameView(path, nativeSeparator()));
}

void PageFrame::line(QStringView text) {
    out_.writeLine(text);
}

void PageFrame::line(QLatin1StringView text) {
    out_.writeLine(text);
}

void PageFrame::end() {
    out_.writeLine(line_);
}

void PageFrame::close() {
    out_.close();
    if (in_.twin != nullptr) {
        in_.twin->failure = out_.twinFailure();
    }
}

void PageFrame::headBlock() {
    line(QStringLiteral("<html>"));
    line(QStringLiteral("<head>"));
    line(QStringLiteral("<link rel=stylesheet type='text/css' href='Menu/Styles.css'>"));
    line(QStringLiteral("<title>Torvel</title>"));
    if (isFieldSet(in_.sound)) {
        line(QStringLiteral("<bgsound src='") + htmlText(menuAssetReference(in_.sound)) +
             QStringLiteral("' loop=1'>"));
    }
}

void PageFrame::scriptOpening() {
    line(QStringLiteral("<script language='JavaScript'>"));
}

void PageFrame::buttonScript() {
    line(QStringLiteral("function switchButton(ID){"));
    line(QStringLiteral("  nums = document.all.Bt.length - 1"));
    line(QStringLiteral("        for (var i = 0; i <= nums; i++) {"));
    line(QStringLiteral("             if(i==ID){"));
    line(QStringLiteral("                document.all.Bt[i].className='ButActive';"));
    if (isFieldSet(in_.buttonOn)) {
        line(QStringLiteral("                document.all.Bi[i].src='") +
             scriptString(menuAssetReference(in_.buttonOn)) + QStringLiteral("';"));
    }
    line(QStringLiteral("            }"));
    line(QStringLiteral("            else{"));
    line(QStringLiteral("                  document.all.Bt[i].className='But';"));
    if (isFieldSet(in_.buttonOff)) {
        line(QStringLiteral("                  document.all.Bi[i].src='") +
             scriptString(menuAssetReference(in_.buttonOff)) + QStringLiteral("';"));
    }
    line(QStringLiteral("            }"));
    line(QStringLiteral("        }"));
    line(QStringLiteral("    }"));
}

void PageFrame::pageTop() {
    line(QStringLiteral("</script>"));
    line(QStringLiteral("</head>"));
    line(QStringLiteral("<body>"));
    line(QStringLiteral("<table border='0' width='100%'>"));
    line(QStringLiteral("  <tr>"));
    line(QStringLiteral("    <td width='50%' align='center'>"));
    line(QStringLiteral("      <h2>") + htmlText(in_.title) + QStringLiteral("</h2>"));
    line(QStringLiteral("    </td>"));
    line(QStringLiteral("  </tr>"));
    line(QStringLiteral("</table>"));
    if (isFieldSet(in_.logo)) {
        line(QStringLiteral("<div class='Logo' width='100px'> <img src='") +
             htmlText(menuAssetReference(in_.logo)) + QStringLiteral("' border='0' ></div>"));
    }
}

void PageFrame::buttonColumn(const QStringList& labels, ButtonHandler handler) {
    for (qint32 r = 0; r < static_cast<qint32>(labels.size()); ++r) {
        button(r, labels[r], handler);
    }
}

void PageFrame::button(qint32 index, QStringView label, ButtonHandler handler) {
    // The off image is what every button shows until the pointer reaches it; the line is
    // written when there is an on image to swap with.
    const bool withImage = isFieldSet(in_.buttonOn);
    if (withImage && buttonImage_.isEmpty()) {
        buttonImage_ = QStringLiteral("    <img  id='Bi' src='") +
                       htmlText(menuAssetReference(in_.buttonOff)) + QStringLiteral("' >");
    }
    const qint32 top = 120 + 35 * index;
    QString& open = begin();
    open.append(QLatin1String("<div style='position:absolute;top:"));
    appendNumber(open, top);
    open.append(QLatin1String("px; left:20px;width:100px'>"));
    end();
    if (withImage) {
        line(buttonImage_);
    }
    line(u"</div>");
    QString& text = begin();
    text.append(QLatin1String("<div  style='position:absolute;top:"));
    appendNumber(text, top + 5);
    text.append(QLatin1String("px ;left:30px;width:100px'>"));
    end();
    QString& item = begin();
    item.append(QLatin1String("    <p id='Bt' class='But' onmouseover='switchButton("));
    appendNumber(item, index);
    item.append(handler == ButtonHandler::DisplayText ? QLatin1String(")' onclick='displayText(")
                                                      : QLatin1String(")' onclick='displayCat("));
    appendNumber(item, index);
    item.append(QLatin1String(")'>"));
    appendHtmlText(item, label);
    item.append(QLatin1String("</p>"));
    end();
    line(u"</div>");
}

void PageFrame::entryPanel(const EntryPanel& panel) {
    const auto row = [this](const QString& open, QLatin1StringView padding, const QString& text,
                            const QString& shot, const QString& rowEnd) {
        line(open);
        line("      <table border='0' width='100%'>"_L1);
        line("        <tr>"_L1);
        begin()
            .append("          <td style='padding-left:"_L1)
            .append(padding)
            .append("' width='70%' align='left' valign='top'>"_L1);
        end();
        line(text);
        line("          </td>"_L1);
        if (!shot.isEmpty()) {
            line(shot);
        }
        line(rowEnd);
        line("      </table>"_L1);
    };
    row(panel.titleOpen, "20px"_L1, panel.title, panel.titleShot, QStringLiteral("        </tr>"));
    line(panel.close);
    row(panel.descriptionOpen, "30px"_L1, panel.description, panel.descriptionShot, panel.descriptionRowEnd);
    line(panel.close);
}

void PageFrame::footer() {
    const QString address = QString::fromUtf8(version::webAddress);
    line(QStringLiteral("<div style='position:absolute; bottom:10px;width:200px'>"));
    line(QStringLiteral("<a href='") + address + QStringLiteral("'>") + QChar(0xA9) + QLatin1Char(' ') +
         QUrl(address).host() + QStringLiteral("</a>"));
    line(QStringLiteral("</div>"));
    line(QStringLiteral("</body></html>"));
}

}  // namespace torvel
