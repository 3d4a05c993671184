#include "benchsupport.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/clsdata.h"
#include "data/schemafile.h"
#include "data/statements.h"
#include "files/paths.h"
#include "wizard/wizard.h"

extern char** environ;

namespace torvel::bench {

namespace {

[[noreturn]] void abortWith(const QString& what) {
    std::fprintf(stderr, "torvel benchmarks: %s\n", qPrintable(what));
    std::exit(1);
}

QTemporaryDir makeDir(const QString& base) {
    if (base.isEmpty()) {
        return QTemporaryDir();
    }
    return QTemporaryDir(QDir(base).filePath(QStringLiteral("torvel-bench-XXXXXX")));
}

}  // namespace

Folder::Folder(const QString& base) : dir_(makeDir(base)) {
    if (!dir_.isValid()) {
        abortWith(QStringLiteral("cannot make a temporary folder below %1: %2")
                      .arg(base.isEmpty() ? QDir::tempPath() : base, dir_.errorString()));
    }
}

QString Folder::file(const QString& relative) const {
    const QString path = QDir(dir_.path()).filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
}

QString Folder::root() const {
    return withTrailingSeparator(QDir::toNativeSeparators(dir_.path()));
}

ProgramFolder::ProgramFolder(const QString& base) : Folder(base) {
    createDatabaseFromSchema(QStringLiteral(TORVEL_SCHEMA_FILE), database());
    const QDir built(QStringLiteral(TORVEL_PROGRAM_DIR));
    for (const QString& name : {QStringLiteral("AUTORUN.INF"), QStringLiteral("Start.exe")}) {
        const QString target = file(name);
        if (!QFile::copy(built.filePath(name), target)) {
            QFile stand(target);
            if (!stand.open(QIODevice::WriteOnly) || stand.write(name.toLatin1() + " stand-in\r\n") < 0) {
                abortWith(QStringLiteral("cannot write %1").arg(target));
            }
        }
    }
}

QString ProgramFolder::database() const {
    return databaseFileIn(path());
}

qint64 storeLargeMenu(clsData& data, const QString& templateName, const QString& title, const QString& cdRoot,
                      int entries, int categories) {
    const qint64 menu =
        data.executeInsert(QString::fromLatin1(sql::insertMenu), {templateName, title, 1, cdRoot});
    storeEntries(data, menu, entries, categories);
    return menu;
}

void storeEntries(clsData& data, qint64 menuId, int entries, int categories) {
    data.ExecuteSQL(
        QStringLiteral(
            "WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM k WHERE i < ?) "
            "INSERT INTO tblDetails (MenuNo, Category, FileName, FileLink, Description, Screenshot) "
            "SELECT ?, 'Category ' || (i % ?), 'Program ' || i, 'Programs/setup ' || i || '.exe', "
            "'It''s program ' || i || ' & <more>' || char(13, 10) || 'with a second line, and a third' "
            "|| char(13, 10) || '\u00E9t\u00E9 \u042F \"quoted\"', 'shot ' || i || '.jpg' FROM k"),
        {entries - 1, menuId, categories});
}

ChildRun runChild(const QString& program, const QStringList& arguments, const QString& output,
                  const QStringList& environment) {
    std::vector<std::string> args{QFile::encodeName(program).toStdString()};
    for (const QString& a : arguments) {
        args.push_back(QFile::encodeName(a).toStdString());
    }
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);

    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        env.emplace_back(*e);
    }
    for (const QString& e : environment) {
        env.push_back(e.toStdString());
    }
    std::vector<char*> envp;
    for (std::string& e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);

    const std::string out =
        output.isEmpty() ? std::string("/dev/null") : QFile::encodeName(output).toStdString();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string err = output.isEmpty() ? std::string("/dev/null") : out + ".stderr";
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    ChildRun run;
    const Stopwatch clock;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return run;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return run;
        }
    }
    run.seconds = clock.seconds();
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

ChildRun runMeasured(const QString& program, const QStringList& arguments, const QString& output) {
    const QString peak = output + QStringLiteral(".peak");
    ChildRun run = runChild(QStringLiteral(TORVEL_PEAK_RSS), QStringList{output, program} + arguments, peak);
    QFile report(peak);
    const QList<QByteArray> values =
        report.open(QIODevice::ReadOnly) ? report.readAll().trimmed().split(' ') : QList<QByteArray>();
    if (run.exitCode != 0 || values.size() != 2) {
        run.exitCode = -1;
        return run;
    }
    run.maxRssKiB = values[0].toLong();
    run.exitCode = values[1].toInt();
    return run;
}

void SideBySide::report(benchmark::State& state) const {
    const double n = static_cast<double>(state.iterations());
    if (n == 0 || floor <= 0) {
        return;
    }
    state.counters["program_ms"] = program * 1000.0 / n;
    state.counters["floor_ms"] = floor * 1000.0 / n;
    state.counters["ratio"] = program / floor;
}

}  // namespace torvel::bench
