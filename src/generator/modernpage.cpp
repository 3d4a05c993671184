// The Modern page: UTF-8, its layout, style and script inline, a complete list of the entries
// without script, tabs, a search and a detail panel with it (modernassets.h).
#include <QRegularExpression>
#include <algorithm>
#include <optional>

#include "data/clsdata.h"
#include "data/statements.h"
#include "files/escaping.h"
#include "files/paths.h"
#include "files/textfile.h"
#include "form/colornumber.h"
#include "form/fieldvalue.h"
#include "generator/modernassets.h"
#include "generator/pageframe.h"
#include "generator/pages.h"

namespace torvel {

namespace {

using namespace Qt::StringLiterals;

// Writes fixed text line by line.
void writeLines(PageFrame& page, std::string_view text) {
    for (std::size_t from = 0; from <= text.size();) {
        const std::size_t end = std::min(text.find('\n', from), text.size());
        page.line(QLatin1StringView(text.data() + from, static_cast<qsizetype>(end - from)));
        from = end + 1;
    }
}

QRegularExpressionMatch matchWhole(const QString& pattern, const QString& text) {
    return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption).match(text.trimmed());
}

// A colour value as CSS: RGB(r,g,b) (components above 255 count as 255) or a decimal colour number
// (the background's default "16777215 "); nothing for any other text.
std::optional<QString> cssColor(const QString& value) {
    int color = 0;
    if (const auto rgb =
            matchWhole(uR"(^rgb\s*\(\s*(\d{1,9})\s*,\s*(\d{1,9})\s*,\s*(\d{1,9})\s*\)$)"_s, value);
        rgb.hasMatch()) {
        const auto part = [&rgb](int n) { return std::min(rgb.captured(n).toInt(), 255); };
        color = colorNumber(part(1), part(2), part(3));
    } else if (const auto number = matchWhole(uR"(^\d{1,8}$)"_s, value); number.hasMatch()) {
        color = number.captured(0).toInt();
        if (color > 0xFFFFFF) {
            return std::nullopt;
        }
    } else {
        return std::nullopt;
    }
    return u"#%1%2%3"_s.arg(redOf(color), 2, 16, QLatin1Char('0'))
        .arg(greenOf(color), 2, 16, QLatin1Char('0'))
        .arg(blueOf(color), 2, 16, QLatin1Char('0'));
}

// A font value's size (points when it names no unit) and weight as CSS; nothing for other texts.
std::optional<QString> cssSize(const QString& size) {
    const auto m = matchWhole(uR"(^(\d{1,4}(?:\.\d{1,3})?)\s*(pt|px|em|rem|%)?$)"_s, size);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    return m.captured(1) + (m.captured(2).isEmpty() ? u"pt"_s : m.captured(2).toLower());
}

std::optional<QString> cssWeight(const QString& weight) {
    const auto m = matchWhole(uR"(^(bold|normal|bolder|lighter|[1-9]00)$)"_s, weight);
    return m.hasMatch() ? std::optional<QString>(m.captured(1).toLower()) : std::nullopt;
}

// The logo's distance from the top or the left: whole pixels, at least 0.
std::optional<QString> cssOffset(const QString& offset) {
    const auto m = matchWhole(uR"(^(\d{1,5})\s*(px)?$)"_s, offset);
    return m.hasMatch() && m.captured(1).toInt() > 0 ? std::optional<QString>(m.captured(1) + u"px"_s)
                                                     : std::nullopt;
}

// A style rule built declaration by declaration; write() writes it when it holds one.
class Rule {
public:
    Rule(PageFrame& page, QLatin1StringView selector) : page_(page), line_(page.begin()) {
        line_.append(selector).append(u'{');
        empty_ = line_.size();
    }
    Rule& add(QLatin1StringView property, const std::optional<QString>& value) {
        if (value) {
            line_.append(property).append(u':').append(*value).append(u';');
        }
        return *this;
    }
    Rule& color(const QString& value) { return add("color"_L1, cssColor(value)); }
    Rule& font(const QString& value) {
        const QStringList parts = value.split(u';');
        if (!parts[0].trimmed().isEmpty()) {
            line_.append("font-family:\""_L1);
            appendCssString(line_, parts[0].trimmed());
            line_.append("\",sans-serif;"_L1);
        }
        return add("font-size"_L1, cssSize(parts.value(1))).add("font-weight"_L1, cssWeight(parts.value(2)));
    }
    // A picture of the menu folder as the background, when the field names one.
    Rule& image(const QString& path) {
        if (isFieldSet(path)) {
            line_.append("background-image:url(\"Menu/"_L1);
            appendUrl(line_, fileNameView(path, nativeSeparator()), UrlPart::Name);
            line_.append("\");"_L1);
        }
        return *this;
    }
    void write() {
        if (line_.size() > empty_) {
            line_.chop(1);  // the last declaration's ";"
            line_.append(u'}');
            page_.end();
        }
    }

private:
    PageFrame& page_;
    QString& line_;
    qsizetype empty_;
};

// The style's values: the page's colours, background and fonts, the title's, the buttons' with
// their pictures (the on picture under the pointer and on the chosen entry and category), the
// links', and the logo's place.
void writeStyleRules(PageFrame& page, const PageInputs& in) {
    const StyleSheetValues& s = in.style;
    Rule(page, "body"_L1)
        .color(s.textColor)
        .add("background-color"_L1, cssColor(s.backgroundColor))
        .image(s.backImage)
        .font(s.textFont)
        .write();
    Rule(page, "h1"_L1).color(s.titleColor).font(s.titleFont).write();
    Rule(page, ".pick,.tab,.more"_L1).color(s.buttonColor).font(s.buttonFont).image(in.buttonOff).write();
    Rule(page, ".pick:hover,.tab:hover,.more:hover"_L1).color(s.hyperColorActive).image(in.buttonOn).write();
    Rule(page, ".pick[aria-current=true],.tab[aria-selected=true]"_L1)
        .add("border-color"_L1, cssColor(s.hyperColorActive))
        .image(in.buttonOn)
        .write();
    Rule(page, "a"_L1).color(s.hyperColor).font(s.hyperFont).write();
    Rule(page, "a:hover"_L1).color(s.hyperColorActive).write();
    Rule(page, ".logo"_L1)
        .add("margin-top"_L1, cssOffset(s.top))
        .add("margin-left"_L1, cssOffset(s.left))
        .write();
}

void writeHead(PageFrame& page, const PageInputs& in) {
    page.line("<!DOCTYPE html>"_L1);
    page.line("<html lang=\"en\">"_L1);
    page.line("<head>"_L1);
    page.line("<meta charset=\"utf-8\">"_L1);
    page.line("<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">"_L1);
    page.line("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"_L1);
    QString& title = page.begin().append("<title>"_L1);
    appendEscapedHtml(title, in.title.trimmed().isEmpty() ? u"Torvel"_s : in.title);
    title.append("</title>"_L1);
    page.end();
    page.line("<script>document.documentElement.className = 'js';</script>"_L1);
    page.line("<style>"_L1);
    writeLines(page, modern::kLayout);
    writeStyleRules(page, in);
    page.line("</style>"_L1);
    page.line("</head>"_L1);
}

// A picture or sound of the menu folder as an attribute value.
void appendAsset(QString& line, const QString& path) {
    line.append("Menu/"_L1);
    appendUrl(line, fileNameView(path, nativeSeparator()), UrlPart::Name);
}

void writeTop(PageFrame& page, const PageInputs& in) {
    page.line("<body>"_L1);
    page.line("<header class=\"top\">"_L1);
    if (isFieldSet(in.logo)) {
        QString& logo = page.begin().append("<img class=\"logo\" src=\""_L1);
        appendAsset(logo, in.logo);
        logo.append("\" alt=\"\">"_L1);
        page.end();
    }
    QString& heading = page.begin().append("<h1>"_L1);
    appendEscapedHtml(heading, in.title);
    heading.append("</h1>"_L1);
    page.end();
    // Browsers refuse sound that starts by itself: the visitor starts it.
    if (isFieldSet(in.sound)) {
        QString& sound = page.begin().append("<audio controls preload=\"none\" src=\""_L1);
        appendAsset(sound, in.sound);
        sound.append("\" aria-label=\"Background sound\"></audio>"_L1);
        page.end();
    }
    page.line("</header>"_L1);
    page.line("<main>"_L1);
    page.line("<div class=\"find\" id=\"findbar\" hidden>"_L1);
    page.line("<label for=\"find\">Search</label>"_L1);
    page.line("<input type=\"search\" id=\"find\" autocomplete=\"off\">"_L1);
    page.line("<p id=\"status\" role=\"status\"></p>"_L1);
    page.line("</div>"_L1);
    page.line("<div class=\"tabs\" id=\"tabs\" role=\"tablist\" aria-label=\"Categories\" hidden></div>"_L1);
    page.line("<div class=\"panes\">"_L1);
    page.line("<div class=\"list\" id=\"list\">"_L1);
    page.line("<div id=\"groups\">"_L1);
}

struct EntryColumns {
    int category;
    int unset;
    int title;
    int description;
    int link;
    int screenshot;
};

// One entry: its button (shown with script), its title as a link to the file, its description
// and its screenshot with the title as its text.
void writeEntry(PageFrame& page, const RowCursor& rows, const EntryColumns& col) {
    const QString link = rows.text(col.link);
    const QString title = rows.text(col.title);
    QString& text = page.scratch();
    appendEscapedHtml(text, title.isEmpty() ? link : title);
    QString& line = page.begin().append("<li><button type=\"button\" class=\"pick\">"_L1);
    line.append(text).append("</button><a href=\""_L1);
    appendUrl(line, link, UrlPart::Path);
    line.append("\">"_L1).append(text).append("</a>"_L1);
    page.end();
    const QString shot = rows.text(col.screenshot);
    const bool withShot = isFieldSet(shot);
    QString& description = page.begin().append("<p>"_L1);
    appendEscapedLines(description, rows.text(col.description));
    description.append(withShot ? "</p>"_L1 : "</p></li>"_L1);
    page.end();
    if (withShot) {
        QString& image = page.begin().append("<img src=\""_L1);
        appendAsset(image, shot);
        image.append("\" alt=\""_L1).append(text).append("\" loading=\"lazy\"></li>"_L1);
        page.end();
    }
}

// The entries, group by group: one group per category under its heading, the entries without a
// category last under "Other"; a menu whose entries have no category at all is one group without
// a heading. Rows come as modernEntries orders them; the cursor stands on the first.
void writeGroups(PageFrame& page, RowCursor& rows) {
    const EntryColumns col{rows.column(u"Category"_s), rows.column(u"Unset"_s),
                           rows.column(u"FileName"_s), rows.column(u"Description"_s),
                           rows.column(u"FileLink"_s), rows.column(u"Screenshot"_s)};
    const auto groupOf = [&] {
        return rows.value(col.unset).toInt() != 0 ? QVariant() : rows.value(col.category);
    };
    const bool headings = !groupOf().isNull();
    bool more = true;
    for (qint32 g = 0; more; ++g) {
        const QVariant group = groupOf();
        QString& open = page.begin().append("<section class=\"group\" id=\"g"_L1);
        appendNumber(open, g);
        if (headings) {
            open.append("\" aria-labelledby=\"h"_L1);
            appendNumber(open, g);
            open.append("\">"_L1);
            page.end();
            QString& heading = page.begin().append("<h2 id=\"h"_L1);
            appendNumber(heading, g);
            heading.append("\">"_L1);
            appendEscapedHtml(heading, group.isNull() ? u"Other"_s : group.toString());
            heading.append("</h2>"_L1);
        } else {
            open.append("\">"_L1);
        }
        page.end();
        page.line("<ul>"_L1);
        do {
            writeEntry(page, rows, col);
            more = rows.next();
        } while (more && sameCategory(groupOf(), group));
        page.line("</ul>"_L1);
        page.line("</section>"_L1);
    }
}

void writeEnd(PageFrame& page) {
    page.line("</div>"_L1);
    page.line("<button type=\"button\" class=\"more\" id=\"more\" hidden></button>"_L1);
    page.line("</div>"_L1);
    page.line("<section class=\"detail\" id=\"detail\" aria-labelledby=\"dt\" hidden>"_L1);
    page.line("<h2 id=\"dt\"></h2>"_L1);
    page.line("<div id=\"db\"></div>"_L1);
    page.line("<p><a id=\"open\" href=\"\">Open</a></p>"_L1);
    page.line("</section>"_L1);
    page.line("</div>"_L1);
    page.line("</main>"_L1);
    page.line("<script>"_L1);
    writeLines(page, modern::kScript);
    page.line("</script>"_L1);
    page.line("</body>"_L1);
    page.line("</html>"_L1);
}

}  // namespace

bool writeHTMLModern(const PageInputs& inputs, clsData& data) {
    const auto rows = data.openCursor(QString::fromLatin1(sql::modernEntries), {inputs.menuId});
    if (!rows->next()) {
        return false;
    }
    TextFileWriter out(createMenuFile(inputs.cdRoot), PageFrame::twinPath(inputs), TextEncoding::Utf8,
                       inputs.capture);
    PageFrame page(out, inputs);
    writeHead(page, inputs);
    writeTop(page, inputs);
    writeGroups(page, *rows);
    writeEnd(page);
    page.close();
    return true;
}

}  // namespace torvel
