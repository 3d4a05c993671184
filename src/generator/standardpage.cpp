#include <QStringList>

#include "data/clsdata.h"
#include "data/statements.h"
#include "files/paths.h"
#include "form/fieldvalue.h"
#include "files/escaping.h"
#include "generator/pageframe.h"
#include "generator/pages.h"
#include "files/textfile.h"

namespace torvel {

namespace {

// The Standard page, with or without the screenshot cells: one button per file entry, and a
// panel showing the clicked entry's title link, description and (with screenshots) image.
bool writeStandardPage(const PageInputs& in, clsData& data, bool screenshots) {
    const auto rs = data.GetRS(QString::fromLatin1(sql::menuEntries), {in.menuId});
    if (rs->eof()) {
        return false;
    }
    const qint32 n = rs->recordCount();

    TextFileWriter out(createMenuFile(in.cdRoot));
    PageFrame page(out, in);
    page.headBlock();
    page.scriptOpening();
    page.line(QStringLiteral("var arT=new Array(%1)").arg(n));
    page.line(QStringLiteral("var arD=new Array(%1)").arg(n));
    page.line(QStringLiteral("var arS=new Array(%1)").arg(n));
    for (qint32 i = 0; !rs->eof(); ++i, rs->moveNext()) {
        const QString index = QString::number(i);
        page.line(QStringLiteral("arT[") + index + QStringLiteral("]='<a href=") +
                  scriptString(percentEncoded(rs->field(QStringLiteral("FileLink")))) + QStringLiteral(">") +
                  scriptString(rs->field(QStringLiteral("FileName"))) + QStringLiteral("</a>';"));
        page.line(QStringLiteral("arD[") + index + QStringLiteral("]='") +
                  scriptString(rs->field(QStringLiteral("Description"))) + QStringLiteral("';"));
        const QString shot = rs->field(QStringLiteral("Screenshot"));
        if (isFieldSet(shot)) {
            const QString source = screenshots ? menuAssetReference(shot) : percentEncoded(fileNameOf(shot));
            page.line(QStringLiteral("arS[") + index + QStringLiteral("]= '<img src=") +
                      scriptString(source) + QStringLiteral(">'"));
        } else {
            page.line(QStringLiteral("arS[") + index + QStringLiteral("]='&nbsp;'"));
        }
    }
    rs->moveFirst();

    page.buttonScript();
    page.line(QStringLiteral("    function displayText(ID){"));
    page.line(screenshots
                  ? QStringLiteral("        document.all.LTitle.innerHTML=arT[ID]; "
                                   "document.all.Des.innerText=arD[ID];document.all.SShot.innerHTML=arS[ID];")
                  : QStringLiteral("        document.all.LTitle.innerHTML=arT[ID]; "
                                   "document.all.Des.innerText=arD[ID];"));
    page.line(QStringLiteral("    }"));
    page.pageTop();

    QStringList labels;
    labels.reserve(n);
    for (; !rs->eof(); rs->moveNext()) {
        labels << rs->field(QStringLiteral("FileName"));
    }
    page.buttonColumn(labels, ButtonHandler::DisplayText);

    page.line(QStringLiteral("<div style='position:absolute;left:200px;top:120px;border:1px groove''>"));
    page.line(QStringLiteral("      <div>"));
    page.line(QStringLiteral("      <table border='0' width='100%'>"));
    page.line(QStringLiteral("        <tr>"));
    page.line(
        QStringLiteral("          <td style='padding-left:20px' width='70%' align='left' valign='top'>"));
    page.line(QStringLiteral("            <p id='LTitle'>TitleLink</p>"));
    page.line(QStringLiteral("          </td>"));
    if (screenshots) {
        page.line(QStringLiteral("          <td width='30%' align='right valign='top'>&nbsp;</td>"));
    }
    page.line(QStringLiteral("        </tr>"));
    page.line(QStringLiteral("      </table>"));
    page.line(QStringLiteral("    </div>"));
    page.line(QStringLiteral("    <div >"));
    page.line(QStringLiteral("      <table border='0' width='100%'>"));
    page.line(QStringLiteral("        <tr>"));
    page.line(
        QStringLiteral("          <td style='padding-left:30px' width='70%' align='left' valign='top'>"));
    page.line(QStringLiteral("            <p id='Des'>Description</p>"));
    page.line(QStringLiteral("          </td>"));
    if (screenshots) {
        page.line(
            QStringLiteral("          <td id='SShot' width='30%' align='right valign='top'>&nbsp;</td>"));
    }
    page.line(QStringLiteral("         </tr>"));
    page.line(QStringLiteral("      </table>"));
    page.line(QStringLiteral("    </div>"));
    page.line(QStringLiteral("</div>"));

    page.footer();
    out.close();
    return true;
}

}  // namespace

bool writeHTMLStandard(const PageInputs& inputs, clsData& data) {
    return writeStandardPage(inputs, data, false);
}

bool writeHTMLStandardScreen(const PageInputs& inputs, clsData& data) {
    return writeStandardPage(inputs, data, true);
}

}  // namespace torvel
