// Writes a sample start page of each template for the browser test, each in its own CD root with
// style sheet and pictures, and expected.json telling the test what each page holds.
#include <QCoreApplication>
#include <QDir>
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

void writeFile(const QString& path, const QByteArray& content) {
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
    } catch (const TorvelError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
