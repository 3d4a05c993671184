// Writes sample start pages of all four templates for the browser test: one CD root folder per
// template below the output folder (with its style sheet and images), and expected.json telling
// the test what each page holds.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
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

namespace {

struct Entry {
    QString category;
    QString title;
    QString link;
    QString description;
    QString screenshot;
};

const QList<Entry> kEntries = {
    {"Tools", "Setup", "Tools/setup.exe", "Installs the program.\r\nIt's quick, isn't it?", "shot1.gif"},
    {"Tools", "Read me", "Docs/read me.txt", "Line one\nLine 'two' \\ three </script>", "none"},
    {"Games", "Tom's Game", "Games/tom's game.exe", "Plays a game", "shot2.gif"},
    {"Docs & Notes", "Manual", "Docs/manual.pdf", "The manual", "none"},
};

// A 1 x 1 red GIF picture.
const QByteArray kPicture = QByteArray::fromHex(
    "4749463839610100010080000"
    "0ff000000000021f90401000000002c00000000010001000002024401003b");

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size()) {
        throw TorvelError(QStringLiteral("The file %1 cannot be written.").arg(path));
    }
}

QJsonObject samplePage(clsData& data, const QString& outDir, const QString& templateName,
                       const QString& folder) {
    const QString root = withTrailingSeparator(QDir::toNativeSeparators(QDir(outDir).filePath(folder)));
    QDir().mkpath(root + QStringLiteral("Menu"));
    const qint64 menu =
        data.executeInsert(QString::fromLatin1(sql::insertMenu), {templateName, templateName, 1, root});
    QJsonArray entries;
    for (const Entry& e : kEntries) {
        data.ExecuteSQL(QString::fromLatin1(sql::insertEntry),
                        {menu, e.category, e.title, e.link, e.description, e.screenshot});
        entries.append(QJsonObject{{"category", e.category},
                                   {"title", e.title},
                                   {"link", e.link},
                                   {"description", e.description},
                                   {"screenshot", e.screenshot}});
    }

    StyleSheetValues style;
    style.titleFont = QStringLiteral("Arial;14pt;bold");
    style.titleColor = style.textColor = style.hyperColor = style.buttonColor =
        QStringLiteral("RGB(64,64,64)");
    style.backgroundColor = QStringLiteral("RGB(255,255,255)");
    style.backImage = QStringLiteral("none");
    style.textFont = style.hyperFont = QStringLiteral("Arial;10pt;normal");
    style.hyperColorActive = QStringLiteral("RGB(17,207,255)");
    style.buttonFont = QStringLiteral("Arial;10pt;bold");
    style.top = style.left = QStringLiteral("0");
    writeStyleSheet(root, style);
    for (const char* picture : {"on.gif", "off.gif", "logo.gif", "shot1.gif", "shot2.gif"}) {
        writeFile(root + QStringLiteral("Menu/") + QString::fromLatin1(picture), kPicture);
    }

    PageInputs in;
    in.cdRoot = root;
    in.menuId = menu;
    in.title = QStringLiteral("Sample ") + templateName;
    in.sound = QStringLiteral("none");
    in.logo = QStringLiteral("logo.gif");
    in.buttonOn = QStringLiteral("on.gif");
    in.buttonOff = QStringLiteral("off.gif");
    if (!writeMenuPage(templateName, in, data)) {
        throw TorvelError(QStringLiteral("No page was written for ") + templateName);
    }
    return QJsonObject{{"template", templateName},
                       {"title", in.title},
                       {"page", QDir(root).filePath(QStringLiteral("Index.htm"))},
                       {"entries", entries}};
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: torvel_sample_pages OUTPUT_FOLDER\n");
        return 2;
    }
    try {
        const QString outDir = QString::fromLocal8Bit(argv[1]);
        QDir().mkpath(outDir);
        const QString database = QDir(outDir).filePath(QStringLiteral("Torvel.dat"));
        QFile::remove(database);
        createDatabaseFromSchema(QStringLiteral(TORVEL_SCHEMA_FILE), database);
        clsData data(database);
        QJsonArray pages;
        pages.append(samplePage(data, outDir, QStringLiteral("Standard"), QStringLiteral("standard")));
        pages.append(samplePage(data, outDir, QStringLiteral("Standard Screenshots"),
                                QStringLiteral("standard-screen")));
        pages.append(samplePage(data, outDir, QStringLiteral("Extended"), QStringLiteral("extended")));
        pages.append(samplePage(data, outDir, QStringLiteral("Extended Screenshots"),
                                QStringLiteral("extended-screen")));
        writeFile(QDir(outDir).filePath(QStringLiteral("expected.json")), QJsonDocument(pages).toJson());
    } catch (const TorvelError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
