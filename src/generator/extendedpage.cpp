#include <QStringList>
#include <memory>

#include "data/clsdata.h"
#include "data/statements.h"
#include "files/escaping.h"
#include "files/textfile.h"
#include "form/fieldvalue.h"
#include "generator/pageframe.h"
#include "generator/pages.h"

namespace torvel {

namespace {

const QString kCategory = QStringLiteral("Category");

// The entries of one category. A category without a value (an entry stored with none at all)
// matches no bound text, so its entries are picked from the whole menu instead.
std::unique_ptr<ResultSet> entriesOf(clsData& data, qint64 menuId, const QVariant& category) {
    if (category.isNull()) {
        return data.GetRS(QString::fromLatin1(sql::menuEntries), {menuId});
    }
    return data.GetRS(QString::fromLatin1(sql::entriesInCategory), {menuId, category.toString()});
}

void writeScripts(PageFrame& page) {
    page.line(QStringLiteral("var ie = false;"));
    page.line(QStringLiteral("var ns = false;"));
    page.line(QStringLiteral("if (document.layers){ns = true;}"));
    page.line(QStringLiteral("if (navigator.appName.indexOf ('Microsoft') == 0) {ie=true}"));
    page.buttonScript();

    page.line(QStringLiteral("function displayText(CID, TID){"));
    page.line(QStringLiteral("        nums=document.all.Cat[CID].all.Des.length-1"));
    page.line(QStringLiteral("        if(isNaN(nums)){document.all.Cat[CID].all.Des.style.display='block'}"));
    page.line(QStringLiteral("        else{"));
    page.line(QStringLiteral("             for (var i = 0; i <= nums; i++) {"));
    page.line(QStringLiteral("                 if(i==TID){"));
    page.line(
        QStringLiteral("                        document.all.Cat[CID].all.Des[i].style.display='block';"));
    page.line(QStringLiteral("                 }"));
    page.line(QStringLiteral("                 else{"));
    page.line(QStringLiteral("                    document.all.Cat[CID].all.Des[i].style.display='none';"));
    page.line(QStringLiteral("                 }"));
    page.line(QStringLiteral("             }"));
    page.line(QStringLiteral("         }"));
    page.line(QStringLiteral("}"));

    page.line(QStringLiteral("function displayCat(ID){"));
    page.line(QStringLiteral("    nums = document.all.Cat.length - 1"));
    page.line(QStringLiteral("        for (var i = 0; i <= nums; i++) {"));
    page.line(QStringLiteral("            if(i==ID){"));
    page.line(QStringLiteral("                    if(ie){"));
    page.line(QStringLiteral("                        document.all.Cat [i].style.visibility = 'visible'"));
    page.line(QStringLiteral("                    }"));
    page.line(QStringLiteral("                    else{document.all.Cat[i].visibility='show'"));
    page.line(QStringLiteral("                    }"));
    page.line(QStringLiteral("            }"));
    page.line(QStringLiteral("            else{"));
    page.line(QStringLiteral("                    if(ie){"));
    page.line(QStringLiteral("                        document.all.Cat [i].style.visibility = 'hidden'"));
    page.line(QStringLiteral("                    }"));
    page.line(QStringLiteral("                    else{document.all.Cat[i].visibility='hide'"));
    page.line(QStringLiteral("                    }"));
    page.line(QStringLiteral("            }"));
    page.line(QStringLiteral("        }"));
    page.line(QStringLiteral("}"));
}

// One entry's title block and its hidden description block inside category panel i.
void writeEntry(PageFrame& page, const ResultSet& entry, qint32 i, qint32 j, bool screenshots) {
    EntryPanel panel;
    panel.titleOpen = QStringLiteral("<div id='LTitle' style='border:1px groove'>");
    panel.title = QStringLiteral("            <p class='TLink' onclick='displayText(%1,%2)'>").arg(i).arg(j) +
                  htmlText(entry.field(QStringLiteral("FileName"))) + QStringLiteral("</p>");
    panel.descriptionOpen = QStringLiteral(" <div id='Des' style='display:none'>");
    panel.description = QStringLiteral("            <p>") +
                        htmlDescription(entry.field(QStringLiteral("Description"))) +
                        QStringLiteral("</p><a align='right' href=") +
                        linkAttribute(entry.field(QStringLiteral("FileLink"))) + QStringLiteral(">Open</a>");
    panel.descriptionRowEnd = QStringLiteral("        </tr>");
    panel.close = QStringLiteral(" </div>");
    if (screenshots) {
        panel.titleShot = QStringLiteral("          <td width='30%' align='right' valign='top'>&nbsp;</td>");
        const QString shot = entry.field(QStringLiteral("Screenshot"));
        panel.descriptionShot =
            isFieldSet(shot)
                ? QStringLiteral(" <td id='SShot' width='30%' align='right' valign='top'><img src=") +
                      htmlText(menuAssetReference(shot)) + QStringLiteral("></td>")
                : QStringLiteral(
                      "          <td id='SShot' width='30%' align='right' valign='top'>&nbsp;</td>");
    }
    page.entryPanel(panel);
}

// The Extended page, with or without screenshots: one button per category, one panel per
// category listing its entries' titles, each unfolding its description and "Open" link.
bool writeExtendedPage(const PageInputs& in, clsData& data, bool screenshots) {
    const auto categories = data.GetRS(QString::fromLatin1(sql::menuCategories), {in.menuId});
    if (categories->eof()) {
        return false;
    }

    TextFileWriter out(createMenuFile(in.cdRoot));
    PageFrame page(out, in);
    page.headBlock();
    page.scriptOpening();
    writeScripts(page);
    page.pageTop();

    QStringList labels;
    labels.reserve(categories->recordCount());
    for (; !categories->eof(); categories->moveNext()) {
        labels << categories->field(kCategory);
    }
    page.buttonColumn(labels, ButtonHandler::DisplayCat);
    categories->moveFirst();

    for (qint32 i = 0; !categories->eof(); ++i, categories->moveNext()) {
        page.line(QStringLiteral(
            "<div id='Cat' style='position:absolute;left:200px;top:120px;border:1px groove'>"));
        const QVariant category = categories->value(kCategory);
        auto entries = entriesOf(data, in.menuId, category);
        qint32 j = 0;
        for (; !entries->eof(); entries->moveNext()) {
            if (category.isNull() && !entries->value(kCategory).isNull()) {
                continue;
            }
            writeEntry(page, *entries, i, j, screenshots);
            ++j;
        }
        entries->close();
        entries.reset();
        page.line(QStringLiteral("</div>"));
    }

    page.line(QStringLiteral("<script language='JavaScript'>"));
    page.line(QStringLiteral("     displayCat (0)"));
    page.line(QStringLiteral("</script>"));
    page.footer();
    out.close();
    return true;
}

}  // namespace

bool writeHTMLExtended(const PageInputs& inputs, clsData& data) {
    return writeExtendedPage(inputs, data, false);
}

bool writeHTMLExtendedScreen(const PageInputs& inputs, clsData& data) {
    return writeExtendedPage(inputs, data, true);
}

}  // namespace torvel
