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

// Appends "NAME[INDEX]" to a line of the script arrays.
void appendArrayItem(QString& line, QLatin1StringView array, qint32 index) {
    line.append(array).append(QLatin1Char('['));
    appendNumber(line, index);
    line.append(QLatin1Char(']'));
}

// The script arrays of every entry's title link, description and screenshot cell, which the
// panel shows for the button clicked.
void writeEntryArrays(PageFrame& page, RowCursor& rows, qint64 n, bool screenshots) {
    for (const char* array : {"arT", "arD", "arS"}) {
        QString& declaration = page.begin();
        declaration.append(QLatin1String("var "))
            .append(QLatin1String(array))
            .append(QLatin1String("=new Array("));
        appendNumber(declaration, n);
        declaration.append(QLatin1Char(')'));
        page.end();
    }
    const int link = rows.column(QStringLiteral("FileLink"));
    const int title = rows.column(QStringLiteral("FileName"));
    const int description = rows.column(QStringLiteral("Description"));
    const int screenshot = rows.column(QStringLiteral("Screenshot"));
    for (qint32 i = 0; rows.next(); ++i) {
        QString& encodedLink = page.scratch();
        appendPercentEncoded(encodedLink, rows.text(link));
        QString& t = page.begin();
        appendArrayItem(t, QLatin1String("arT"), i);
        t.append(QLatin1String("='<a href="));
        appendScriptString(t, encodedLink);
        t.append(QLatin1Char('>'));
        appendScriptString(t, rows.text(title));
        t.append(QLatin1String("</a>';"));
        page.end();

        QString& d = page.begin();
        appendArrayItem(d, QLatin1String("arD"), i);
        d.append(QLatin1String("='"));
        appendScriptString(d, rows.text(description));
        d.append(QLatin1String("';"));
        page.end();

        const QString shot = rows.text(screenshot);
        QString& source = page.scratch();
        if (screenshots) {
            appendMenuAssetReference(source, shot);
        } else {
            appendPercentEncoded(source, fileNameView(shot));
        }
        QString& c = page.begin();
        appendArrayItem(c, QLatin1String("arS"), i);
        if (isFieldSet(shot)) {
            c.append(QLatin1String("= '<img src="));
            appendScriptString(c, source);
            c.append(QLatin1String(">'"));
        } else {
            c.append(QLatin1String("='&nbsp;'"));
        }
        page.end();
    }
}

// The Standard page, with or without the screenshot cells: one button per file entry, and a
// panel showing the clicked entry's title link, description and (with screenshots) image. The
// entries are read twice as they come: whole for the script arrays, then their titles alone for
// the buttons.
bool writeStandardPage(const PageInputs& in, clsData& data, bool screenshots) {
    const QString entries = QString::fromLatin1(sql::menuEntries);
    const qint64 n = data.scalar(QString::fromLatin1(sql::menuEntryCount), {in.menuId}).toLongLong();
    if (n == 0) {
        return false;
    }

    TextFileWriter out(createMenuFile(in.cdRoot), PageFrame::twinPath(in), TextEncoding::Windows1252,
                       in.capture);
    PageFrame page(out, in);
    page.headBlock();
    page.scriptOpening();
    writeEntryArrays(page, *data.openCursor(entries, {in.menuId}), n, screenshots);

    page.buttonScript();
    page.line(QStringLiteral("    function displayText(ID){"));
    page.line(screenshots
                  ? QStringLiteral("        document.all.LTitle.innerHTML=arT[ID]; "
                                   "document.all.Des.innerText=arD[ID];document.all.SShot.innerHTML=arS[ID];")
                  : QStringLiteral("        document.all.LTitle.innerHTML=arT[ID]; "
                                   "document.all.Des.innerText=arD[ID];"));
    page.line(QStringLiteral("    }"));
    page.pageTop();

    const auto buttons = data.openCursor(QString::fromLatin1(sql::menuEntryTitles), {in.menuId});
    const int title = buttons->column(QStringLiteral("FileName"));
    for (qint32 r = 0; buttons->next(); ++r) {
        page.button(r, buttons->text(title), ButtonHandler::DisplayText);
    }

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
    page.close();
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
