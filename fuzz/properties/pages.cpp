// The start page writers and the style sheet writer fed random menus: every file they write is
// Windows-1252 text whose lines all end in CR LF, and every string of the page's scripts is
// closed on its own line.
//
// An input is: a template byte, the page inputs (title, sound, logo, button images), the thirteen
// style sheet values, then entries until the input ends, each a flags byte and its texts (see
// readEntry). Texts are read by InputReader::text, so any Unicode text can reach every field.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "data/clsdata.h"
#include "base/error.h"
#include "data/schemafile.h"
#include "data/statements.h"
#include "generator/pages.h"
#include "properties.h"
#include "styles/stylesheet.h"

namespace torvel::fuzz {

namespace {

const QString kTemplates[] = {QStringLiteral("Standard"), QStringLiteral("Standard Screenshots"),
                              QStringLiteral("Extended"), QStringLiteral("Extended Screenshots")};
constexpr int kMaxEntries = 40;
// The line the writers open each of their scripts with.
const QByteArray kScriptOpening = "<script language='JavaScript'>";

// A database and a CD root for the whole process.
struct PageSandbox {
    QString cdRoot;
    std::unique_ptr<clsData> data;

    PageSandbox() {
        const QDir dir(processFolder());
        dir.mkpath(QStringLiteral("pages/cd"));
        cdRoot = dir.filePath(QStringLiteral("pages/cd")) + QDir::separator();
        const QString database = dir.filePath(QStringLiteral("pages/Torvel.dat"));
        createDatabaseFromSchema(QStringLiteral(TORVEL_SCHEMA_FILE), database);
        data = std::make_unique<clsData>(database);
    }
};

PageSandbox& sandbox() {
    static PageSandbox* box = new PageSandbox;
    return *box;
}

struct Entry {
    QVariant category;
    QVariant fileName;
    QVariant fileLink;
    QVariant description;
    QVariant screenshot;
};

// Flags: bit 0 no category (NULL), bit 1 the category of an earlier entry, bits 2 to 5 no title,
// link, description or screenshot (NULL).
Entry readEntry(InputReader& in, QStringList& categories) {
    const uint8_t flags = in.byte();
    const auto field = [&in, flags](int bit) {
        const QString text = in.text();
        return (flags & (1 << bit)) != 0 ? QVariant() : QVariant(text);
    };
    Entry entry;
    if ((flags & 2) != 0 && !categories.isEmpty()) {
        entry.category = categories[in.byte() % categories.size()];
    } else {
        entry.category = field(0);
        if (!entry.category.isNull()) {
            categories << entry.category.toString();
        }
    }
    entry.fileName = field(2);
    entry.fileLink = field(3);
    entry.description = field(4);
    entry.screenshot = field(5);
    return entry;
}

bool holdsScriptOpening(const QVariant& value) {
    return value.toString().contains(QString::fromLatin1(kScriptOpening));
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    require(file.open(QIODevice::ReadOnly), "a written file can be read", path);
    return file.readAll();
}

// Windows-1252 bytes, every line ending in CR LF, no CR or LF on its own.
void checkTextFile(const QByteArray& bytes, const QString& name) {
    check(bytes.endsWith("\r\n"), "a written file ends with CR LF", name);
    const auto around = [&](qsizetype i) {
        return name + QStringLiteral(" at byte %1: ").arg(i) +
               shown(bytes.mid(std::max<qsizetype>(0, i - 40), 80));
    };
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D) {
            violated("a written file holds only Windows-1252 characters", around(i));
        }
        if (byte == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) {
            violated("every CR in a written file ends a line", around(i));
        }
        if (byte == '\n' && (i == 0 || bytes[i - 1] != '\r')) {
            violated("every LF in a written file ends a line", around(i));
        }
    }
}

bool startsWithAt(const QByteArray& lower, qsizetype at, const char* text) {
    const auto length = static_cast<qsizetype>(std::strlen(text));
    return lower.size() - at >= length && std::memcmp(lower.constData() + at, text, length) == 0;
}

// "<script" or "</script" followed by what ends a tag name: blank, line break, "/" or ">".
bool scriptTagAt(const QByteArray& lower, qsizetype at, const char* tag) {
    const qsizetype after = at + static_cast<qsizetype>(std::strlen(tag));
    if (!startsWithAt(lower, at, tag) || after >= lower.size()) {
        return false;
    }
    const char c = lower[after];
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == '/' || c == '>';
}

// Where a browser ends the script whose text starts at `start`: at its first "</script", unless
// "<!--" and "<script" inside it moved the browser's reader into the state in which a
// "</script" is read as script text (the script data states of the HTML tokenizer).
qsizetype browserScriptEnd(const QByteArray& lower, qsizetype start) {
    enum { Data, Escaped, DoubleEscaped } state = Data;
    for (qsizetype i = start; i < lower.size(); ++i) {
        switch (state) {
            case Data:
                if (startsWithAt(lower, i, "<!--")) {
                    state = Escaped;
                    i += 1;  // the dashes may also close it: "<!-->"
                } else if (scriptTagAt(lower, i, "</script")) {
                    return i;
                }
                break;
            case Escaped:
                if (startsWithAt(lower, i, "-->")) {
                    state = Data;
                    i += 2;
                } else if (scriptTagAt(lower, i, "</script")) {
                    return i;
                } else if (scriptTagAt(lower, i, "<script")) {
                    state = DoubleEscaped;
                    i += 6;
                }
                break;
            case DoubleEscaped:
                if (startsWithAt(lower, i, "-->")) {
                    state = Data;
                    i += 2;
                } else if (scriptTagAt(lower, i, "</script")) {
                    state = Escaped;
                    i += 7;
                }
                break;
        }
    }
    return -1;
}

// Each script the writer opens (a line of its own) ends for a browser where the writer closes it
// (the line "</script>"), and every string in it opened with ' or " ends on its own line.
void checkScripts(const QByteArray& page) {
    const QByteArray lower = page.toLower();
    const QByteArray opening = "\n" + kScriptOpening + "\r\n";
    qsizetype at = 0;
    while ((at = page.indexOf(opening, at)) >= 0) {
        const qsizetype start = at + opening.size();
        const qsizetype closing = page.indexOf("\n</script>\r\n", start);
        require(closing >= 0, "every script is closed", shown(page.mid(start, 200)));
        const qsizetype end = closing + 1;
        const qsizetype browserEnd = browserScriptEnd(lower, start);
        if (browserEnd != end) {
            violated("a browser ends each script where the writer closes it",
                     shown(page.mid(std::max(start, std::min(end, browserEnd) - 100), 300)));
        }
        const QByteArray script = page.mid(start, end - start);
        char quote = 0;
        qsizetype opened = 0;
        for (qsizetype i = 0; i < script.size(); ++i) {
            const char c = script[i];
            if (quote == 0) {
                if (c == '\'' || c == '"') {
                    quote = c;
                    opened = i;
                }
                continue;
            }
            if (c == '\\' && i + 1 < script.size() && script[i + 1] != '\r' && script[i + 1] != '\n') {
                ++i;
            } else if (c == quote) {
                quote = 0;
            } else if (c == '\r' || c == '\n' || c == '\\') {
                break;
            }
        }
        check(quote == 0, "every script string is closed on its own line",
              shown(script.mid(std::max<qsizetype>(0, opened - 60), 200)));
        at = end;
    }
}

}  // namespace

void pageWriters(const uint8_t* data, size_t size) {
    InputReader in(data, size);
    const uint8_t templateChoice = in.byte() % 5;
    const QString templateName = templateChoice < 4 ? kTemplates[templateChoice] : in.text();
    const bool knownTemplate = templateChoice < 4 || std::find(std::begin(kTemplates), std::end(kTemplates),
                                                               templateName) != std::end(kTemplates);
    PageInputs inputs;
    inputs.title = in.text();
    inputs.sound = in.text();
    inputs.logo = in.text();
    inputs.buttonOn = in.text();
    inputs.buttonOff = in.text();
    StyleSheetValues style;
    for (QString* value :
         {&style.titleFont, &style.titleColor, &style.backgroundColor, &style.backImage, &style.textFont,
          &style.textColor, &style.hyperFont, &style.hyperColor, &style.hyperColorActive, &style.buttonFont,
          &style.buttonColor, &style.top, &style.left}) {
        *value = in.text();
    }
    std::vector<Entry> entries;
    QStringList categories;
    while (!in.atEnd() && entries.size() < kMaxEntries) {
        entries.push_back(readEntry(in, categories));
    }

    // Authors may write markup into the page's HTML text, scripts included; the check finds the
    // writer's scripts by their opening line, so a value holding that very line is not used.
    for (const QString* value :
         {&inputs.title, &inputs.sound, &inputs.logo, &inputs.buttonOn, &inputs.buttonOff}) {
        if (holdsScriptOpening(*value)) {
            return;
        }
    }
    for (const Entry& e : entries) {
        for (const QVariant* value : {&e.category, &e.fileName, &e.fileLink, &e.description, &e.screenshot}) {
            if (holdsScriptOpening(*value)) {
                return;
            }
        }
    }

    PageSandbox& box = sandbox();
    const QString page = box.cdRoot + QStringLiteral("Index.htm");
    const QString styleSheet = styleSheetFile(box.cdRoot);
    QFile::remove(page);
    QFile::remove(styleSheet);
    inputs.cdRoot = box.cdRoot;
    try {
        inputs.menuId = box.data->executeInsert(QString::fromLatin1(sql::insertMenu),
                                                {templateName, inputs.title, 1, box.cdRoot});
        for (const Entry& e : entries) {
            box.data->ExecuteSQL(
                QString::fromLatin1(sql::insertEntry),
                {inputs.menuId, e.category, e.fileName, e.fileLink, e.description, e.screenshot});
        }

        const bool written = writeMenuPage(templateName, inputs, *box.data);
        check(written == (knownTemplate && !entries.empty()),
              "a page is written for a known template and a menu with entries", templateName);
        check(QFileInfo::exists(page) == written, "a page is written exactly when the writer says so");
        if (written) {
            const QByteArray bytes = readAll(page);
            checkTextFile(bytes, page);
            checkScripts(bytes);
        }

        writeStyleSheet(box.cdRoot, style);
        checkTextFile(readAll(styleSheet), styleSheet);

        box.data->ExecuteSQL(QStringLiteral("DELETE FROM tblDetails WHERE MenuNo=?"), {inputs.menuId});
        box.data->ExecuteSQL(QString::fromLatin1(sql::deleteMenu), {inputs.menuId});
    } catch (const TorvelError& e) {
        fail("the writers write a menu without failing", e.message());
    }
}

}  // namespace torvel::fuzz
