// Writes a sample start page of each template for the browser tests, each in its own CD root with
// style sheet and pictures, and expected.json telling the tests what each page holds: the four
// classic pages, a Modern page in each sample style of Torvel.dat and one of 10,000 entries.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

#include "base/error.h"
#include "data/clsdata.h"
#include "data/schemafile.h"
#include "data/statements.h"
#include "files/paths.h"
#include "generator/pages.h"
#include "styles/stylesheet.h"

using namespace torvel;
using namespace Qt::StringLiterals;

namespace {

// Category, title, link, description and screenshot of each entry (in expected.json too).
const char* const kEntries[][5] = {
    {"Tools", "Setup", "Tools/setup.exe", "Installs the program.\r\nIt's quick, isn't it?", "shot1.gif"},
    {"Tools", "Read me", "Docs/read me.txt", "Line one\nLine 'two' \\ three </script>", "none"},
    {"Games", "Tom's Game", "Games/tom's game.exe", "Plays a game", "shot2.gif"},
    {"Docs & Notes", "Manual", "Docs/manual.pdf", "The manual", "none"},
};

// The Modern pages' entries: hard text, long titles that must wrap, one entry without a category.
const char* const kModernEntries[][5] = {
    {"Tools", "Setup", "Tools/setup.exe", "Installs the program.\r\nIt's quick, isn't it?", "shot1.gif"},
    {"Tools", "Read me", "Docs/read me.txt", "Line one\nLine 'two' \\ three </script>", "none"},
    {"Games", "Tom's Game", "Games/tom's game.exe", "Plays a game", "shot2.gif"},
    {"Docs & Notes", "Manual", "Docs/manual.pdf", "The manual <b>in bold?</b>", "none"},
    {"games", "\u0428\u0430\u0445\u043C\u0430\u0442\u044B \u2013 \u8C61\u68CB",
     "Games/\u0448\u0430\u0445.exe", "Chess \u2028and\u2029 \U0001F600", "none"},
    {"Tools",
     "A title long enough to wrap over several lines in a narrow window, so that the buttons must "
     "grow without running into each other",
     "Tools/long.exe", "A long title", "none"},
    {"Tools", "Supercalifragilisticexpialidocious-without-a-single-blank-in-it-from-start-to-end",
     "Tools/word.exe", "One long word", "none"},
    {"none", "Licence", "licence.txt", "Terms of use", "none"},
};

void writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size()) {
        throw TorvelError(u"The file %1 cannot be written."_s.arg(path));
    }
}

// The page of one template in its own CD root, with the style sheet and the pictures it names.
QJsonObject samplePage(clsData& data, const QString& root, const QString& name) {
    QDir().mkpath(root + u"Menu"_s);
    const qint64 menu = data.executeInsert(QString::fromLatin1(sql::insertMenu), {name, name, 1, root});
    QJsonArray entries;
    for (const auto& e : kEntries) {
        data.ExecuteSQL(QString::fromLatin1(sql::insertEntry), {menu, e[0], e[1], e[2], e[3], e[4]});
        entries.append(QJsonArray{e[0], e[1], e[2], e[3], e[4]});
    }
    // Title, background, text, links, buttons, the logo's position.
    const QString dark = u"RGB(64,64,64)"_s, normal = u"Arial;10pt;normal"_s;
    writeStyleSheet(root, {u"Arial;14pt;bold"_s, dark, u"RGB(255,255,255)"_s, u"none"_s, normal, dark, normal,
                           dark, u"RGB(17,207,255)"_s, u"Arial;10pt;bold"_s, dark, u"0"_s, u"0"_s});
    // A 1 x 1 red GIF picture for each.
    const QByteArray gif = QByteArray::fromHex(
        "47494638396101000100800000ff000000000021f90401000000002c00000000010001000002024401003b");
    for (const char* picture : {"on.gif", "off.gif", "logo.gif", "shot1.gif", "shot2.gif"}) {
        writeFile(root + u"Menu/"_s + QLatin1String(picture), gif);
    }
    const PageInputs in(root, menu, u"Sample "_s + name, u"none"_s, u"logo.gif"_s, u"on.gif"_s, u"off.gif"_s);
    if (!writeMenuPage(name, in, data)) {
        throw TorvelError(u"No page was written for "_s + name);
    }
    return {{"template", name}, {"title", in.title}, {"page", root + u"Index.htm"_s}, {"entries", entries}};
}

// A Modern page in one of the sample styles: its entries' files exist (a link can be followed), and
// the first style's page also has a logo and button pictures.
QJsonObject modernPage(clsData& data, const QString& root, ResultSet& style, bool pictures) {
    const QString name = style.field(u"StyleName"_s);
    const qint64 menu =
        data.executeInsert(QString::fromLatin1(sql::insertMenu), {u"Modern"_s, name, 1, root});
    QJsonArray entries;
    for (const auto& e : kModernEntries) {
        const QStringList f{QString::fromUtf8(e[0]), QString::fromUtf8(e[1]), QString::fromUtf8(e[2]),
                            QString::fromUtf8(e[3]), QString::fromUtf8(e[4])};
        data.ExecuteSQL(QString::fromLatin1(sql::insertEntry), {menu, f[0], f[1], f[2], f[3], f[4]});
        entries.append(QJsonArray::fromStringList(f));
        writeFile(root + f[2], "The file " + f[2].toUtf8());
    }
    const QByteArray gif = QByteArray::fromHex(
        "47494638396101000100800000ff000000000021f90401000000002c00000000010001000002024401003b");
    for (const char* picture : {"on.gif", "off.gif", "logo.gif", "shot1.gif", "shot2.gif"}) {
        writeFile(root + u"Menu/"_s + QLatin1String(picture), gif);
    }
    const auto v = [&style](const char* column) { return style.field(QString::fromLatin1(column)); };
    PageInputs in{root,
                  menu,
                  u"Sample Modern in "_s + name,
                  v("Soundfile"),
                  pictures ? u"logo.gif"_s : v("Logofile"),
                  pictures ? u"on.gif"_s : v("ButtonOnImage"),
                  pictures ? u"off.gif"_s : v("ButtonOffImage")};
    in.style = {v("TitleFont"),   v("TitleColor"), v("BackColor"),  v("BackImage"),   v("TextFont"),
                v("TextColor"),   v("HyperFont"),  v("HyperColor"), v("HyperColorA"), v("ButtonFont"),
                v("ButtonColor"), v("LogoTop"),    v("LogoLeft")};
    if (!writeHTMLModern(in, data)) {
        throw TorvelError(u"No Modern page was written for "_s + name);
    }
    return {{"style", name}, {"title", in.title}, {"page", root + u"Index.htm"_s}, {"entries", entries}};
}

// A Modern page of 10,000 entries without categories (one list: the most a search must go through),
// for the search's speed.
QJsonObject largeModernPage(clsData& data, const QString& root) {
    const qint64 menu =
        data.executeInsert(QString::fromLatin1(sql::insertMenu), {u"Modern"_s, u"Large"_s, 1, root});
    data.ExecuteSQL(
        u"WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM k WHERE i < 9999) "
        "INSERT INTO tblDetails SELECT ?, 'none', 'Program ' || i, 'p' || i || '.exe', "
        "'Installs program ' || i || ' of the disc.' || char(13, 10) || 'Needs ' || (i % 7) || ' MB.', "
        "'none' FROM k"_s,
        {menu});
    QDir().mkpath(root);
    if (!writeHTMLModern(PageInputs{root, menu, u"Large"_s, u"none"_s, u"none"_s, u"none"_s, u"none"_s},
                         data)) {
        throw TorvelError(u"No large Modern page was written"_s);
    }
    return {{"large", true}, {"count", 10000}, {"page", root + u"Index.htm"_s}};
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: torvel_sample_pages OUTPUT_FOLDER\n");
        return 2;
    }
    try {
        const QDir out(QString::fromLocal8Bit(argv[1]));
        QDir().mkpath(out.path());
        QFile::remove(out.filePath(u"Torvel.dat"_s));
        createDatabaseFromSchema(QStringLiteral(TORVEL_SCHEMA_FILE), out.filePath(u"Torvel.dat"_s));
        clsData data(out.filePath(u"Torvel.dat"_s));
        QJsonArray pages;
        for (const char* name : {"Standard", "Standard Screenshots", "Extended", "Extended Screenshots"}) {
            const QString folder =
                QString::fromLatin1(name).toLower().replace(u" screenshots"_s, u"-screen"_s);
            const QString root = withTrailingSeparator(QDir::toNativeSeparators(out.filePath(folder)));
            pages.append(samplePage(data, root, QString::fromLatin1(name)));
        }
        writeFile(out.filePath(u"expected.json"_s), QJsonDocument(pages).toJson());
        const auto root = [&out](const QString& folder) {
            return withTrailingSeparator(QDir::toNativeSeparators(out.filePath(folder)));
        };
        QJsonArray modern;
        const auto styles = data.GetRS(QString::fromLatin1(sql::listStyles));
        for (; !styles->eof(); styles->moveNext()) {
            const QString folder = u"modern-"_s + styles->field(u"StyleName"_s).toLower();
            modern.append(modernPage(data, root(folder), *styles, modern.isEmpty()));
        }
        modern.append(largeModernPage(data, root(u"modern-large"_s)));
        writeFile(out.filePath(u"modern.json"_s), QJsonDocument(modern).toJson());
    } catch (const TorvelError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
