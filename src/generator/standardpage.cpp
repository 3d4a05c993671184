#include <QStringList>

#include "data/clsdata.h"
#include "data/statements.h"
#include "files/escaping.h"
#include "files/paths.h"
#include "files/textfile.h"
#include "form/fieldvalue.h"
#include "generator/pageframe.h"
#include "generator/pages.h"

namespace torvel {

namespace {

// The script arrays of every entry's title link, description and screenshot cell, which the
// panel shows for the button clicked; the result set is back at its first row afterwards.
void writeEntryArrays(PageFrame& page, ResultSet& rs, qint32 n, bool screenshots) {
    page.line(QStringLiteral("var arT=new Array(%1)").arg(n));
    page.line(QStringLiteral("var arD=new Array(%1)").arg(n));
    page.line(QStringLiteral("var arS=new Array(%1)").arg(n));
    for (qint32 i = 0; !rs.eof(); ++i, rs.moveNext()) {
        const QString index = QString::number(i);
        page.line(QStringLiteral("arT[") + index + QStringLiteral("]='<a href=") +
                  scriptString(percentEncoded(rs.field(QStringLiteral("FileLink")))) + QStringLiteral(">") +
                  scriptString(rs.field(QStringLiteral("FileName"))) + QStringLiteral("</a>';"));
        page.line(QStringLiteral("arD[") + index + QStringLiteral("]='") +
                  scriptString(rs.field(QStringLiteral("Description"))) + QStringLiteral("';"));
        const QString shot = rs.field(QStringLiteral("Screenshot"));
        if (isFieldSet(shot)) {
            const QString source = screenshots ? menuAssetReference(shot) : percentEncoded(fileNameOf(shot));
            page.line(QStringLiteral("arS[") + index + QStringLiteral("]= '<img src=") +
                      scriptString(source) + QStringLiteral(">'"));
        } else {
            page.line(QStringLiteral("arS[") + index + QStringLiteral("]='&nbsp;'"));
        }
    }
    rs.moveFirst();
}

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
    writeEntryArrays(page, *rs, n, screenshots);

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
    EntryPanel panel;
    panel.titleOpen = QStringLiteral("      <div>");
    panel.title = QStringLiteral("            <p id='LTitle'>TitleLink</p>");
    panel.descriptionOpen = QStringLiteral("    <div >");
    panel.description = QStringLiteral("            <p id='Des'>Description</p>");
    panel.descriptionRowEnd = QStringLiteral("         </tr>");
    panel.close = QStringLiteral("    </div>");
    if (screenshots) {
        panel.titleShot = QStringLiteral("          <td width='30%' align='right valign='top'>&nbsp;</td>");
        panel.descriptionShot =
            QStringLiteral("          <td id='SShot' width='30%' align='right valign='top'>&nbsp;</td>");
    }
    page.entryPanel(panel);
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
