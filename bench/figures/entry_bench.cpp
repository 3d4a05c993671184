// Entry saves on "Add Files" with the database on tmpfs. The program: wizard.click(cmdSave) after
// the entry's fields were typed (untimed), a new entry each time (file below the CD root, a title of its
// own), with the menu's entries listed as after entering the page. The floor: the same single-row insert
// through a prepared QSqlQuery on its own copy of the database, one transaction each. Each iteration saves a
// batch, then (untimed) removes what it saved, so that every batch starts at the same number of entries.
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <map>
#include <memory>

#include "benchsupport.h"
#include "data/statements.h"
#include "figures.h"
#include "form/scriptedprompts.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/fileentries.h"
#include "wizard/wizard.h"

namespace torvel::bench {

namespace {

constexpr int kBatch = 20;

struct EntryMenu {
    ProgramFolder program{tmpfsFolder()};
    Folder disc{tmpfsFolder()};
    ScriptedPrompts prompts;
    std::unique_ptr<Wizard> wizard;
    qint64 menu = 0;
    int entries = 0;
    QString file;
    QString floorConnection;
    std::unique_ptr<QSqlQuery> floorInsert;
    qint64 saved = 0;  // titles already used

    explicit EntryMenu(int n) : entries(n) {
        wizard = buildWizard(prompts, program.path());
        menu = storeLargeMenu(wizard->myData(), QStringLiteral("Extended"), QStringLiteral("Entries"),
                              disc.root(), n, 50);
        wizard->state().cdRoot = disc.root();
        wizard->state().curMenuID = menu;
        wizard->form().setText(ctl::cmbTemplate, QStringLiteral("Extended"));
        enterFilePage(*wizard);
        file = QDir::toNativeSeparators(disc.file(QStringLiteral("Programs/setup.exe")));
        QFile setup(file);
        setup.open(QIODevice::WriteOnly);

        // The floor's own copy of the same file, so that neither connection waits for the other.
        const QString copy = program.file(QStringLiteral("Floor.dat"));
        QFile::copy(program.database(), copy);
        floorConnection = QStringLiteral("entries-floor-%1").arg(n);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), floorConnection);
        db.setDatabaseName(copy);
        db.open();
        floorInsert = std::make_unique<QSqlQuery>(db);
        floorInsert->prepare(QString::fromLatin1(sql::insertEntry));
    }
    ~EntryMenu() {
        floorInsert.reset();
        QSqlDatabase::database(floorConnection, false).close();
        QSqlDatabase::removeDatabase(floorConnection);
    }

    int listed() const { return static_cast<int>(wizard->form().items(ctl::lstFiles).size()); }
    qint64 stored() {
        return wizard->myData().scalar(QString::fromLatin1(sql::menuEntryCount), {menu}).toLongLong();
    }

    QString title(int k) const { return QStringLiteral("Saved entry %1").arg(saved + k); }

    // Types an entry into the editor as the author does, then saves it; the time of the save, or
    // a negative one when the wizard said anything (a refusal or a failure).
    double save(int k) {
        FormModel& form = wizard->form();
        form.setText(ctl::txtFile, file);
        form.setText(ctl::txtFileTitle, title(k));
        form.setText(ctl::txtFileCat, QStringLiteral("Tools"));
        form.setText(ctl::txtFileDescription, QStringLiteral("Installs the tools.\r\nTakes a minute."));
        const double seconds = timed([&] { wizard->click(ctl::cmdSave); });
        return prompts.transcript().isEmpty() ? seconds : -1;
    }

    bool insertBare(int k) {
        floorInsert->addBindValue(menu);
        floorInsert->addBindValue(QStringLiteral("Tools"));
        floorInsert->addBindValue(title(k));
        floorInsert->addBindValue(QStringLiteral("Programs/setup.exe"));
        floorInsert->addBindValue(QStringLiteral("Installs the tools.\r\nTakes a minute."));
        floorInsert->addBindValue(QStringLiteral("none"));
        return floorInsert->exec();
    }

    // Back to `entries` entries on both sides, the list as after entering the page.
    void removeBatch() {
        saved += kBatch;
        const QString drop = QStringLiteral("DELETE FROM tblDetails WHERE FileName LIKE 'Saved entry %'");
        wizard->myData().ExecuteSQL(drop);
        QSqlQuery(QSqlDatabase::database(floorConnection)).exec(drop);
        enterFilePage(*wizard);
    }
};

EntryMenu& menuOf(int entries) {
    static std::map<int, std::unique_ptr<EntryMenu>> menus;
    if (menus.empty()) {
        onTearDown([] { menus.clear(); });
    }
    auto& m = menus[entries];
    if (!m) {
        m = std::make_unique<EntryMenu>(entries);
    }
    return *m;
}

void entrySaves(benchmark::State& state, int entries) {
    EntryMenu& m = menuOf(entries);
    SideBySide times;
    for (auto _ : state) {
        m.prompts.clearTranscript();
        bool ok = true;
        double program = 0;
        for (int k = 0; k < kBatch && ok; ++k) {
            const double seconds = m.save(k);
            ok = seconds >= 0;
            program += seconds;
        }
        const double floor = timed([&] {
            for (int k = 0; k < kBatch && ok; ++k) {
                ok = m.insertBare(k);
            }
        });
        // Every save must have stored its entry and listed it.
        if (!ok || m.listed() != entries + kBatch || m.stored() != entries + kBatch) {
            state.SkipWithError(qPrintable(QStringLiteral("a save failed: ") +
                                           m.prompts.transcript().join(QLatin1Char('\n'))));
            return;
        }
        m.removeBatch();
        times.add(state, program / kBatch, floor / kBatch);
    }
    times.report(state);
    state.counters["entries"] = entries;
}

}  // namespace

void registerEntryBenchmarks() {
    for (const int entries : {500, 5000}) {
        registerFigure(
            "entry-save/" + std::to_string(entries),
            [entries](benchmark::State& state) { entrySaves(state, entries); }, 40, 7,
            benchmark::kMicrosecond);
    }
}

}  // namespace torvel::bench
