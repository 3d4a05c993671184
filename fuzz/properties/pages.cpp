// The start page writers and the style sheet writer fed random menus: every file they write is
// Windows-1252 text whose lines all end in CR LF, each script of the page ends for a browser where
// the writer closes it, and every string in it is closed on its own line. The Modern page is UTF-8
// text whose lines all end in CR LF, in which no value opens markup or leaves its CSS string, and
// which lists every entry.
//
// An input is: a template byte (0..3 the four classic templates, 4 a name as a text, 5 Modern), the five page
// inputs (title, sound, logo, button images), the thirteen style sheet values, then entries (see readEntry)
// until it ends. Every value is a text (InputReader::text), so any Unicode text reaches every field.
#include <QStringDecoder>
#include <array>
#include <vector>

#include "base/error.h"
#include "data/clsdata.h"
#include "data/statements.h"
#include "generator/pages.h"
#include "properties.h"
#include "styles/stylesheet.h"

namespace torvel::fuzz {

namespace {

const QString kTemplates[] = {QStringLiteral("Standard"), QStringLiteral("Standard Screenshots"),
                              QStringLiteral("Extended"), QStringLiteral("Extended Screenshots"),
                              QStringLiteral("Modern")};
const QByteArray kScriptOpening = "<script language='JavaScript'>";  // the writers' line before each script

// Category, title, link, description and screenshot of an entry.
using Entry = std::array<QVariant, 5>;

// Flags: bit 0 no category (NULL), bit 1 the category of an earlier entry (a byte picks it), bits
// 2 to 5 no title, link, description or screenshot (NULL).
Entry readEntry(InputReader& in, QStringList& categories) {
    const uint8_t flags = in.byte();
    Entry entry;
    for (int field = 0; field < 5; ++field) {
        if (field == 0 && (flags & 2) != 0 && !categories.isEmpty()) {
            entry[0] = categories[in.byte() % categories.size()];
            continue;
        }
        const QString text = in.text();
        if ((flags & (1 << (field == 0 ? 0 : field + 1))) == 0) {
            entry[field] = text;
            if (field == 0) {
                categories << text;
            }
        }
    }
    return entry;
}

// A written file's bytes, checked to be Windows-1252 text (or UTF-8), every line ending in CR LF, no
// CR or LF on its own.
QByteArray checkTextFile(const QString& name, bool utf8 = false) {
    QFile file(name);
    require(file.open(QIODevice::ReadOnly), "a written file can be read", name);
    const QByteArray bytes = file.readAll();
    qsizetype bad = bytes.endsWith("\r\n") ? -1 : bytes.size();
    for (qsizetype i = 0; i < bytes.size() && bad < 0; ++i) {
        const char b = bytes[i];
        if ((b == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) ||
            (b == '\n' && (i == 0 || bytes[i - 1] != '\r')) ||
            (!utf8 && std::memchr("\x81\x8D\x8F\x90\x9D", b, 5) != nullptr)) {
            bad = i;
        }
    }
    check(bad < 0,
          utf8 ? "the Modern page has CR LF ending each line and no other CR or LF"
               : "a written file is Windows-1252 text with CR LF ending each line and no other CR or LF",
          name + QStringLiteral(" at byte %1: ").arg(bad) +
              shown(bytes.mid(std::max<qsizetype>(0, bad - 40), 80)));
    if (utf8) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        check(!QString(decoder(bytes)).isNull() && !decoder.hasError(), "the Modern page is valid UTF-8",
              name);
    }
    return bytes;
}

// Outside the writer's style sheet and scripts, every "<" of the Modern page opens one of its tags,
// whose attribute values are all quoted, and every "&" a reference; in the style sheet every string
// ends on its line. So no value opens markup or leaves its place; and every entry is listed once.
void checkModernPage(const QByteArray& bytes, qsizetype entries) {
    const QString page = QString::fromUtf8(bytes);
    static const QRegularExpression style(QStringLiteral("<style>\r\n(.*?)</style>"),
                                          QRegularExpression::DotMatchesEverythingOption);
    const QString sheet = style.match(page).captured(1);
    for (const QString& line : sheet.split(QStringLiteral("\r\n"))) {
        const QString unescaped =
            QString(line).remove(QRegularExpression(QStringLiteral("\\\\[0-9A-F]{1,6} ")));
        check(unescaped.count(QLatin1Char('"')) % 2 == 0 && !unescaped.contains(QLatin1Char('\\')) &&
                  !line.contains(QLatin1Char('<')),
              "every CSS string of the Modern page ends on its line", shown(line));
    }
    static const QRegularExpression parts[] = {
        QRegularExpression(QStringLiteral("<(style|script)>.*?</\\1>"),
                           QRegularExpression::DotMatchesEverythingOption),
        QRegularExpression(QStringLiteral("<(/?[a-z][a-z0-9]*|!DOCTYPE)(\\s+[a-z-]+(=\"[^\"<>]*\")?)*>")),
        QRegularExpression(QStringLiteral("&(amp|lt|gt|quot|#[0-9]+);")),
    };
    QString rest = page;
    for (const QRegularExpression& part : parts) {
        rest.remove(part);
    }
    const qsizetype bad = rest.indexOf(QRegularExpression(QStringLiteral("[<>&]")));
    check(bad < 0, "no value opens markup on the Modern page",
          shown(rest.mid(std::max<qsizetype>(0, bad - 60), 120)));
    check(page.count(QStringLiteral("<li><button type=\"button\" class=\"pick\">")) == entries,
          "the Modern page lists every entry once", QString::number(entries));
}

// Each script the writer opens (a line of its own) ends for a browser where the writer closes it
// (the line "</script>"): nothing before holds "</script" or "<!--" (after which a browser would read
// a "</script" as script text). Every string in it opened with ' or " ends on its own line.
void checkScripts(const QByteArray& page) {
    const QByteArray opening = "\n" + kScriptOpening + "\r\n";
    for (qsizetype at = page.indexOf(opening); at >= 0; at = page.indexOf(opening, at)) {
        const qsizetype start = at + opening.size();
        const qsizetype closing = page.indexOf("\n</script>\r\n", start);
        require(closing >= 0, "every script is closed", shown(page.mid(start, 200)));
        at = closing + 1;
        const QByteArray script = page.mid(start, at - start).toLower();
        const qsizetype bad = std::max(script.indexOf("</script"), script.indexOf("<!--"));
        check(bad < 0, "a browser ends each script where the writer closes it",
              shown(script.mid(std::max<qsizetype>(0, bad - 100), 300)));
        char quote = 0;
        qsizetype opened = start;
        for (qsizetype i = start; i < at; ++i) {
            const char c = page[i];
            if (quote == 0 && (c == '\'' || c == '"')) {
                quote = c;
                opened = i;
            } else if (quote != 0 && c == '\\' && page[i + 1] != '\r' && page[i + 1] != '\n') {
                ++i;
            } else if (quote != 0 && c == quote) {
                quote = 0;
            } else if (quote != 0 && (c == '\r' || c == '\n' || c == '\\')) {
                break;
            }
        }
        check(quote == 0, "every script string is closed on its own line",
              shown(page.mid(std::max(start, opened - 60), 200)));
    }
}

}  // namespace

void pageWriters(const uint8_t* data, size_t size) {
    InputReader in(data, size);
    const uint8_t templateChoice = in.byte() % 6;
    const QString templateName =
        templateChoice == 4 ? in.text() : kTemplates[std::min<int>(templateChoice, 4)];
    PageInputs inputs;
    StyleSheetValues style;
    // Authors may write markup into the page's HTML text, scripts included; the check finds the
    // writer's scripts by their opening line, so an input holding that very line is not used.
    QStringList values;
    for (QString* value :
         {&inputs.title, &inputs.sound, &inputs.logo, &inputs.buttonOn, &inputs.buttonOff, &style.titleFont,
          &style.titleColor, &style.backgroundColor, &style.backImage, &style.textFont, &style.textColor,
          &style.hyperFont, &style.hyperColor, &style.hyperColorActive, &style.buttonFont, &style.buttonColor,
          &style.top, &style.left}) {
        values << (*value = in.text());
    }
    std::vector<Entry> entries;
    QStringList categories;
    while (!in.atEnd() && entries.size() < 40) {
        entries.push_back(readEntry(in, categories));
        for (const QVariant& field : entries.back()) {
            values << field.toString();
        }
    }
    if (!values.filter(QString::fromLatin1(kScriptOpening)).isEmpty()) {
        return;
    }

    static clsData* database = new clsData(freshDatabase(QStringLiteral("pages")));
    static const QString cdRoot = QFileInfo(database->databaseFile()).path() + QStringLiteral("/cd/");
    QDir().mkpath(cdRoot);
    const QString page = cdRoot + QStringLiteral("Index.htm");
    const QString styleSheet = styleSheetFile(cdRoot);
    QFile::remove(page);
    QFile::remove(styleSheet);
    inputs.cdRoot = cdRoot;
    inputs.style = style;
    try {
        inputs.menuId = database->executeInsert(QString::fromLatin1(sql::insertMenu),
                                                {templateName, inputs.title, 1, cdRoot});
        for (const Entry& e : entries) {
            database->ExecuteSQL(QString::fromLatin1(sql::insertEntry),
                                 {inputs.menuId, e[0], e[1], e[2], e[3], e[4]});
        }
        const bool written = writeMenuPage(templateName, inputs, *database);
        const bool known =
            std::find(std::begin(kTemplates), std::end(kTemplates), templateName) != std::end(kTemplates);
        check(written == (known && !entries.empty()) && QFileInfo::exists(page) == written,
              "a page is written exactly for a known template and a menu with entries", templateName);
        if (written && templateName == kTemplates[4]) {
            checkModernPage(checkTextFile(page, true), static_cast<qsizetype>(entries.size()));
        } else if (written) {
            checkScripts(checkTextFile(page));
        }
        writeStyleSheet(cdRoot, style);
        checkTextFile(styleSheet);
        database->ExecuteSQL(QStringLiteral("DELETE FROM tblDetails WHERE MenuNo=?"), {inputs.menuId});
        database->ExecuteSQL(QString::fromLatin1(sql::deleteMenu), {inputs.menuId});
    } catch (const TorvelError& e) {
        require(false, "the writers write a menu without failing", e.message());
    }
}

}  // namespace torvel::fuzz
