// Finish on a large menu against its floor. The program: wizard.click(Finish), which writes the
// start page Index.htm with the chosen template, its twin Index.hta from the same bytes, and
// checks AUTORUN.INF and Start.exe in the CD root. The floor: what no writer of that page can
// avoid, reading the menu's rows once with one query (in the order the template shows them) and
// writing the page's bytes once into each of the two files the way the program must write
// (a temporary file in the folder, written, flushed to disk, renamed into place, folder flushed).
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <map>
#include <memory>

#include "benchsupport.h"
#include "data/statements.h"
#include "figures.h"
#include "form/scriptedprompts.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/wizard.h"

namespace torvel::bench {

namespace {

constexpr int kCategories = 50;

// One menu of `entries` entries in its own program folder, with a CD root beside it, and a
// wizard that has it open on "Add Files" as after Load.
struct FinishMenu {
    ProgramFolder program{diskFolder()};
    Folder disc{diskFolder()};
    ScriptedPrompts prompts;
    std::unique_ptr<Wizard> wizard;
    QString floorConnection;
    // The start page that each template writes for this menu, taken from the first Finish.
    std::map<QString, QByteArray> pages;

    explicit FinishMenu(int entries) {
        wizard = buildWizard(prompts, program.path());
        const qint64 menu = storeLargeMenu(wizard->myData(), QStringLiteral("Standard"),
                                           QStringLiteral("A large menu"), disc.root(), entries, kCategories);
        wizard->state().cdRoot = disc.root();
        wizard->state().curMenuID = menu;
        FormModel& form = wizard->form();
        form.setText(ctl::txtTitle, QStringLiteral("A large menu"));
        form.setText(ctl::txtBSound, QStringLiteral("tune.mid"));
        form.setText(ctl::txtLogoImage, QStringLiteral("logo.png"));
        form.setText(ctl::txtButtonOn, QStringLiteral("on.gif"));
        form.setText(ctl::txtButtonOff, QStringLiteral("off.gif"));

        floorConnection = QStringLiteral("floor-%1").arg(entries);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), floorConnection);
        db.setDatabaseName(program.database());
        db.open();
    }
    ~FinishMenu() {
        QSqlDatabase::database(floorConnection, false).close();
        QSqlDatabase::removeDatabase(floorConnection);
    }
    QString page() const { return disc.file(QStringLiteral("Index.htm")); }
    QString twin() const { return disc.file(QStringLiteral("Index.hta")); }
};

FinishMenu& menuOf(int entries) {
    static std::map<int, std::unique_ptr<FinishMenu>> menus;
    if (menus.empty()) {
        onTearDown([] { menus.clear(); });
    }
    auto& m = menus[entries];
    if (!m) {
        m = std::make_unique<FinishMenu>(entries);
    }
    return *m;
}

// Presses Finish; an empty text when it reported success, otherwise what it said.
QString finish(FinishMenu& m) {
    m.prompts.clearTranscript();
    m.wizard->click(ctl::Finish);
    const QStringList& events = m.prompts.transcript();
    if (events.isEmpty() || !events.last().contains(QLatin1String("successfully created"))) {
        return events.join(QLatin1Char('\n'));
    }
    return QString();
}

// Reads every column of every row of the menu, as text, with one query: `statement` lists them in
// the order the template shows them.
qint64 readRowsOnce(FinishMenu& m, const char* statement) {
    QSqlQuery query(QSqlDatabase::database(m.floorConnection));
    query.setForwardOnly(true);
    query.prepare(QString::fromLatin1(statement));
    query.addBindValue(m.wizard->state().curMenuID);
    if (!query.exec()) {
        return -1;
    }
    qint64 characters = 0;
    while (query.next()) {
        for (int c = 0; c < 6; ++c) {
            characters += query.value(c).toString().size();
        }
    }
    return characters;
}

// Writes the bytes into a temporary file in the target's folder, flushes it, renames it over the
// target and flushes the folder.
bool writeDurably(const QString& target, const QByteArray& bytes) {
    const QByteArray path = QFile::encodeName(target);
    const QByteArray temp = path + ".floor.tmp";
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) {
        return false;
    }
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n <= 0) {
            ::close(fd);
            return false;
        }
        data += n;
        left -= n;
    }
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    if (!synced || ::rename(temp.constData(), path.constData()) != 0) {
        return false;
    }
    const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void finishBenchmark(benchmark::State& state, const QString& templateName, int entries) {
    FinishMenu& m = menuOf(entries);
    m.wizard->form().setText(ctl::cmbTemplate, templateName);
    const char* const statement = templateName == QLatin1String("Modern") ? sql::modernEntries
                                  : templateName.startsWith(QLatin1String("Extended"))
                                      ? sql::entriesByCategory
                                      : sql::menuEntries;
    QByteArray& page = m.pages[templateName];
    if (page.isEmpty()) {
        const QString failure = finish(m);
        if (!failure.isEmpty()) {
            state.SkipWithError(qPrintable(QStringLiteral("Finish failed: ") + failure));
            return;
        }
        QFile written(m.page());
        page = written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();
    }
    // The page of the largest entry must be on it, so that a page cut short cannot pass.
    const QByteArray lastTitle = "Program " + QByteArray::number(entries - 1) + "<";
    if (!page.contains(lastTitle)) {
        state.SkipWithError("the start page lacks the menu's last entry");
        return;
    }
    const QString floorPage = m.disc.file(QStringLiteral("Floor.htm"));
    const QString floorTwin = m.disc.file(QStringLiteral("Floor.hta"));

    SideBySide times;
    double query = 0;
    double write = 0;
    for (auto _ : state) {
        QString failure;
        const double program = timed([&] { failure = finish(m); });
        qint64 characters = 0;
        bool written = false;
        const double rows = timed([&] { characters = readRowsOnce(m, statement); });
        const double bytes =
            timed([&] { written = writeDurably(floorPage, page) && writeDurably(floorTwin, page); });
        if (!failure.isEmpty() || characters <= 0 || !written) {
            state.SkipWithError(qPrintable(QStringLiteral("Finish or its floor failed: ") + failure));
            return;
        }
        benchmark::DoNotOptimize(characters);
        times.add(state, program, rows + bytes);
        query += rows;
        write += bytes;
    }
    // What the last Finish wrote: the page it wrote first, and the twin with the same bytes.
    QFile htm(m.page());
    QFile hta(m.twin());
    if (!htm.open(QIODevice::ReadOnly) || !hta.open(QIODevice::ReadOnly) || htm.readAll() != page ||
        hta.readAll() != page) {
        state.SkipWithError("Index.htm or Index.hta does not hold the start page");
        return;
    }
    times.report(state);
    const double n = static_cast<double>(state.iterations());
    state.counters["query_ms"] = query * 1000.0 / n;
    state.counters["write_ms"] = write * 1000.0 / n;
    state.counters["page_mb"] = static_cast<double>(page.size()) / (1024.0 * 1024.0);
    state.counters["entries"] = entries;
}

}  // namespace

void registerFinishBenchmarks() {
    // Iterations and repetitions per size keep the whole run within a few minutes.
    struct Size {
        int entries;
        int iterations;
        int repetitions;
    };
    for (const Size size : {Size{1000, 20, 7}, Size{10000, 5, 7}, Size{100000, 1, 7}}) {
        for (const char* name :
             {"Standard", "Standard Screenshots", "Extended", "Extended Screenshots", "Modern"}) {
            const QString templateName = QString::fromLatin1(name);
            const std::string label = "finish/" + std::string(name) + "/" + std::to_string(size.entries);
            registerFigure(
                label,
                [templateName, size](benchmark::State& state) {
                    finishBenchmark(state, templateName, size.entries);
                },
                size.iterations, size.repetitions);
        }
    }
}

}  // namespace torvel::bench
