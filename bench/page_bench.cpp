// Time to write the start page of a large menu with each template: 5,000 entries in 50
// categories, descriptions of a few lines with characters that need escaping.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include "data/clsdata.h"
#include "data/schemafile.h"
#include "data/statements.h"
#include "files/paths.h"
#include "generator/pages.h"

namespace {

using namespace torvel;
using namespace Qt::StringLiterals;

constexpr int kEntries = 5000;

struct LargeMenu {
    QTemporaryDir dir;
    clsData data{dir.filePath(u"Torvel.dat"_s)};
    PageInputs inputs;

    LargeMenu() {
        createDatabaseFromSchema(QStringLiteral(TORVEL_SCHEMA_FILE), dir.filePath(u"Torvel.dat"_s));
        QDir(dir.path()).mkdir(u"disc"_s);
        const QString disc = withTrailingSeparator(QDir::toNativeSeparators(dir.filePath(u"disc"_s)));
        const qint64 menu =
            data.executeInsert(QString::fromLatin1(sql::insertMenu), {u"Standard"_s, u"Large"_s, 1, disc});
        inputs = {disc, menu, u"A large menu"_s, u"tune.mid"_s, u"logo.png"_s, u"on.gif"_s, u"off.gif"_s};
        data.ExecuteSQL(
            u"WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM k WHERE i < ?) "
            "INSERT INTO tblDetails SELECT ?, 'Category ' || (i % 50), 'Program ' || i, "
            "'Programs/setup ' || i || '.exe', 'It''s program ' || i || char(13, 10) || "
            "'with a second line, and a third' || char(10) || '\u00E9t\u00E9 \u042F', "
            "'shot' || i || '.jpg' FROM k"_s,
            {kEntries - 1, menu});
    }
};

void writePage(benchmark::State& state, bool (*writer)(const PageInputs&, clsData&)) {
    static LargeMenu menu;  // made once for every template
    for (auto _ : state) {
        if (!writer(menu.inputs, menu.data)) {
            state.SkipWithError("no page written");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}

BENCHMARK_CAPTURE(writePage, Standard, writeHTMLStandard)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(writePage, StandardScreenshots, writeHTMLStandardScreen)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(writePage, Extended, writeHTMLExtended)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(writePage, ExtendedScreenshots, writeHTMLExtendedScreen)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
