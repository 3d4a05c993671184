// Time to write the start page of a large menu with each template: 5,000 entries in 50
// categories, descriptions of a few lines with characters that need escaping.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "data/clsdata.h"
#include "data/schemafile.h"
#include "data/statements.h"
#include "files/paths.h"
#include "generator/pages.h"

namespace {

using namespace torvel;

constexpr int kEntries = 5000;
constexpr int kCategories = 50;

struct LargeMenu {
    QTemporaryDir dir;
    std::unique_ptr<clsData> data;
    PageInputs inputs;

    LargeMenu() {
        const QString database = QDir(dir.path()).filePath(QStringLiteral("Torvel.dat"));
        createDatabaseFromSchema(QStringLiteral(TORVEL_SCHEMA_FILE), database);
        data = std::make_unique<clsData>(database);
        QDir(dir.path()).mkdir(QStringLiteral("disc"));
        inputs.cdRoot = withTrailingSeparator(QDir::toNativeSeparators(QDir(dir.path()).filePath("disc")));
        inputs.menuId =
            data->executeInsert(QString::fromLatin1(sql::insertMenu),
                                {QStringLiteral("Standard"), QStringLiteral("Large"), 1, inputs.cdRoot});
        inputs.title = QStringLiteral("A large menu");
        inputs.sound = QStringLiteral("tune.mid");
        inputs.logo = QStringLiteral("logo.png");
        inputs.buttonOn = QStringLiteral("on.gif");
        inputs.buttonOff = QStringLiteral("off.gif");
        data->ExecuteSQL(
            QStringLiteral(
                "WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM k WHERE i < ?) "
                "INSERT INTO tblDetails (MenuNo, Category, FileName, FileLink, Description, Screenshot) "
                "SELECT ?, 'Category ' || (i % ?), 'Program ' || i, 'Programs/setup ' || i || '.exe', "
                "'It''s program ' || i || char(13, 10) || 'with a second line, and a third' || char(10) "
                "|| '\u00E9t\u00E9 \u042F', 'shot' || i || '.jpg' FROM k"),
            {kEntries - 1, inputs.menuId, kCategories});
    }
};

LargeMenu& menu() {
    static LargeMenu m;
    return m;
}

void writePage(benchmark::State& state, bool (*writer)(const PageInputs&, clsData&)) {
    LargeMenu& m = menu();
    for (auto _ : state) {
        if (!writer(m.inputs, *m.data)) {
            state.SkipWithError("no page written");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}

void BM_Standard(benchmark::State& state) {
    writePage(state, writeHTMLStandard);
}
void BM_StandardScreenshots(benchmark::State& state) {
    writePage(state, writeHTMLStandardScreen);
}
void BM_Extended(benchmark::State& state) {
    writePage(state, writeHTMLExtended);
}
void BM_ExtendedScreenshots(benchmark::State& state) {
    writePage(state, writeHTMLExtendedScreen);
}

BENCHMARK(BM_Standard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StandardScreenshots)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Extended)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtendedScreenshots)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
