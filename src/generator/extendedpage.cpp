#include <QStringList>

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
// The columns of an entry row, found once.
struct EntryColumns {
    int category;
    int title;
    int description;
    int link;
    int screenshot;
};

void writeEntry(PageFrame& page, const RowCursor& entry, const EntryColumns& col, qint32 i, qint32 j,
                bool screenshots) {
    EntryPanel panel;
    panel.titleOpen = QStringLiteral("<div id='LTitle' style='border:1px groove'>");
    QString& title = page.scratch();
    title.append(QLatin1String("            <p class='TLink' onclick='displayText("));
    appendNumber(title, i);
    title.append(QLatin1Char(','));
    appendNumber(title, j);
    title.append(QLatin1String(")'>"));
    appendHtmlText(title, entry.text(col.title));
    title.append(QLatin1String("</p>"));
    panel.title = title;
    panel.descriptionOpen = QStringLiteral(" <div id='Des' style='display:none'>");
    QString& description = page.scratch();
    description.append(QLatin1String("            <p>"));
    appendHtmlDescription(description, entry.text(col.description));
    description.append(QLatin1String("</p><a align='right' href="));
    appendLinkAttribute(description, entry.text(col.link));
    description.append(QLatin1String(">Open</a>"));
    panel.description = description;
    panel.descriptionRowEnd = QStringLiteral("        </tr>");
    panel.close = QStringLiteral(" </div>");
    if (screenshots) {
        panel.titleShot = QStringLiteral("          <td width='30%' align='right' valign='top'>&nbsp;</td>");
        const QString shot = entry.text(col.screenshot);
        if (isFieldSet(shot)) {
            QString& cell = page.scratch();
            cell.append(QLatin1String(" <td id='SShot' width='30%' align='right' valign='top'><img src="));
            QString reference;
            appendMenuAssetReference(reference, shot);
            appendHtmlText(cell, reference);
            cell.append(QLatin1String("></td>"));
            panel.descriptionShot = cell;
        } else {
            panel.descriptionShot =
                QStringLiteral("          <td id='SShot' width='30%' align='right' valign='top'>&nbsp;</td>");
        }
    }
    page.entryPanel(panel);
}

// The Extended page, with or without screenshots: one button per category, one panel per
// category listing its entries' titles, each unfolding its description and "Open" link. The
// entries are read once as they come, category by category.
bool writeExtendedPage(const PageInputs& in, clsData& data, bool screenshots) {
    const auto categories = data.GetRS(QString::fromLatin1(sql::menuCategories), {in.menuId});
    if (categories->eof()) {
        return false;
    }

    TextFileWriter out(createMenuFile(in.cdRoot), PageFrame::twinPath(in), TextEncoding::Windows1252,
                       in.capture);
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

    const auto entries = data.openCursor(QString::fromLatin1(sql::entriesByCategory), {in.menuId});
    const EntryColumns col{entries->column(kCategory), entries->column(QStringLiteral("FileName")),
                           entries->column(QStringLiteral("Description")),
                           entries->column(QStringLiteral("FileLink")),
                           entries->column(QStringLiteral("Screenshot"))};
    bool pending = entries->next();
    for (qint32 i = 0; !categories->eof(); ++i, categories->moveNext()) {
        page.line(QStringLiteral(
            "<div id='Cat' style='position:absolute;left:200px;top:120px;border:1px groove'>"));
        const QVariant category = categories->value(kCategory);
        for (qint32 j = 0; pending && sameCategory(entries->value(col.category), category); ++j) {
            writeEntry(page, *entries, col, i, j, screenshots);
            pending = entries->next();
        }
        page.line(QStringLiteral("</div>"));
    }

    page.line(QStringLiteral("<script language='JavaScript'>"));
    page.line(QStringLiteral("     displayCat (0)"));
    page.line(QStringLiteral("</script>"));
    page.footer();
    page.close();
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
