// torvel-build [--program-dir DIR] [--check] [--iso FILE] [--json] (--id N | TITLE): rebuilds a
// stored menu's CD folder as Load, Next to "Add Files" and Finish do in the window, prints the
// check's findings and writes the ISO image when asked.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <optional>

#include "base/error.h"
#include "data/statements.h"
#include "disc/isoimage.h"
#include "files/programfolders.h"
#include "form/jsonline.h"
#include "form/scriptedprompts.h"
#include "generator/packagebuilder.h"
#include "version.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/controls.h"
#include "wizard/disc.h"
#include "wizard/wizard.h"

#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#else
#include <unistd.h>
#endif

namespace {

using namespace torvel;

constexpr int kDone = 0;     // everything written, and the check found no error
constexpr int kFailed = 1;   // a file was not written, or the check found an error
constexpr int kRefused = 2;  // a wrong command line, or no single menu of that id or title

struct Request {
    ProgramFolders folders;
    bool check = false;
    QString iso;
    bool json = false;
    QString id;
    QString title;
    std::optional<int> exitCode;
};

Request parseArguments(QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Rebuilds a stored menu's CD folder as Load, Next and Finish do in the window, prints the check's\n"
        "findings (one line each) and writes the CD folder's ISO image when asked.\n"
        "Exit status: 0 all written and no error found, 1 a file not written or an error found,\n"
        "2 a wrong command line or no single menu of that id or title."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption programDir(
        QStringLiteral("program-dir"),
        QStringLiteral("The program folder holding Torvel.dat, AUTORUN.INF and Start.exe (default: the "
                       "folder of this program when it holds Torvel.dat, else the user's data folder)."),
        QStringLiteral("DIR"));
    const QCommandLineOption check(QStringLiteral("check"),
                                   QStringLiteral("Check the CD folder as it is, without rebuilding it."));
    const QCommandLineOption iso(QStringLiteral("iso"),
                                 QStringLiteral("Write the ISO image of the CD folder to FILE."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Print the findings as JSON lines."));
    const QCommandLineOption id(QStringLiteral("id"), QStringLiteral("The menu's id."), QStringLiteral("N"));
    parser.addOptions({programDir, check, iso, json, id});
    parser.addPositionalArgument(QStringLiteral("TITLE"),
                                 QStringLiteral("The menu's title (instead of --id)."));

    Request request;
    const bool parsed = parser.parse(QCoreApplication::arguments());
    request.folders = commandLineFolders(parser.value(programDir), QCoreApplication::applicationDirPath());
    parser.setApplicationDescription(parser.applicationDescription() + QStringLiteral("\n\n") +
                                     foldersHelpText(request.folders));
    if (!parsed) {
        err << "torvel-build: " << parser.errorText() << '\n' << parser.helpText();
        request.exitCode = kRefused;
    } else if (parser.isSet(QStringLiteral("help"))) {
        out << parser.helpText();
        request.exitCode = kDone;
    } else if (parser.isSet(QStringLiteral("version"))) {
        out << "torvel-build " << version::text << '\n';
        request.exitCode = kDone;
    } else if (parser.positionalArguments().size() + (parser.isSet(id) ? 1 : 0) != 1) {
        err << "torvel-build: give the menu's title or --id N, not both\n" << parser.helpText();
        request.exitCode = kRefused;
    } else {
        request.check = parser.isSet(check);
        request.iso = parser.value(iso);
        request.json = parser.isSet(json);
        request.id = parser.value(id);
        request.title = parser.positionalArguments().value(0);
    }
    return request;
}

// The wizard's prompts with every message also told on standard error.
class BuildPrompts : public ScriptedPrompts {
public:
    explicit BuildPrompts(QTextStream& err) : err_(err) {}
    Answer message(MessageIcon icon, MessageButtons buttons, const QString& title,
                   const QString& text) override {
        messages << text;
        err_ << "torvel-build: " << QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
             << '\n';
        err_.flush();
        return ScriptedPrompts::message(icon, buttons, title, text);
    }
    QStringList messages;

private:
    QTextStream& err_;
};

class Build {
public:
    Build(const Request& request, QTextStream& out, QTextStream& err)
        : request_(request), out_(out), err_(err), prompts_(err) {
        wizard_ = buildWizard(prompts_, request.folders);
    }

    int run() {
        const std::optional<qint64> id = menuId();
        if (!id) {
            return kRefused;
        }
        if (!load(*id)) {
            return kFailed;
        }
        if (!request_.iso.isEmpty() && isInsideFolder(request_.iso, wizard_->state().cdRoot)) {
            err_ << "torvel-build: The image cannot be written into the CD root folder itself, please choose "
                    "another folder!\n";
            return kRefused;
        }
        const bool built = request_.check || rebuild();
        const DiscTree tree = scanDisc(wizard_->state().cdRoot);
        const std::vector<Finding> findings = checkDisc(tree, wizard_->myData(), discCheckInputs(*wizard_));
        bool errors = false;
        for (const Finding& f : findings) {
            print(f);
            errors = errors || f.level == Finding::Level::Error;
        }
        const bool imaged = request_.iso.isEmpty() || writeImage(tree);
        return built && imaged && !errors ? kDone : kFailed;
    }

private:
    // The stored menu the request names; nothing (after saying why) when there is no single one.
    std::optional<qint64> menuId() {
        QList<qint64> exact;
        QList<qint64> similar;
        auto menus = wizard_->myData().GetRS(QString::fromLatin1(sql::listMenus));
        for (; !menus->eof(); menus->moveNext()) {
            const qint64 id = menus->field(QStringLiteral("MenuID")).toLongLong();
            const QString title = menus->field(QStringLiteral("Title"));
            if (request_.title.isEmpty() ? QString::number(id) == request_.id : title == request_.title) {
                exact << id;
            } else if (!request_.title.isEmpty() && title.compare(request_.title, Qt::CaseInsensitive) == 0) {
                similar << id;
            }
        }
        const QList<qint64> found = exact.isEmpty() ? similar : exact;
        if (found.size() == 1) {
            return found.first();
        }
        if (found.isEmpty()) {
            err_ << "torvel-build: there is no menu "
                 << (request_.title.isEmpty() ? QStringLiteral("with the id %1").arg(request_.id)
                                              : QStringLiteral("titled \"%1\"").arg(request_.title))
                 << '\n';
        } else {
            QStringList ids;
            for (const qint64 id : found) {
                ids << QString::number(id);
            }
            err_ << "torvel-build: " << found.size() << " menus are titled \"" << request_.title
                 << "\", give one of their ids with --id: " << ids.join(QStringLiteral(", ")) << '\n';
        }
        return std::nullopt;
    }

    // Load: the menu's list entry chosen on the first page, then "General Setting" with its root.
    bool load(qint64 id) {
        wizard_->click(ctl::cmdEdit);
        const QStringList entries = wizard_->form().items(ctl::cmbMenuL);
        for (int i = 0; i < entries.size(); ++i) {
            if (listEntryId(entries[i]) == id) {
                wizard_->choose(ctl::cmbMenuL, i);
                wizard_->click(ctl::cmdLoad);
                break;
            }
        }
        return wizard_->state().curStep == 1 && !wizard_->state().cdRoot.isEmpty() &&
               prompts_.messages.isEmpty();
    }

    // Next to "Add Files" (the style is saved on the way) and Finish.
    bool rebuild() {
        for (int page = 2; page < kPageCount; ++page) {
            wizard_->click(ctl::cmdNext);
            if (wizard_->state().curStep != page) {
                return false;
            }
        }
        prompts_.messages.clear();
        wizard_->click(ctl::Finish);
        return prompts_.messages == QStringList{kMenuCreatedMessage};
    }

    void print(const Finding& f) {
        if (request_.json) {
            out_ << JsonLine()
                        .add(QStringLiteral("level"), levelName(f.level))
                        .add(QStringLiteral("what"), f.what)
                        .add(QStringLiteral("where"), f.where)
                        .toString()
                 << '\n';
        } else {
            out_ << levelName(f.level) << ": " << f.what
                 << (f.where.isEmpty() ? QString() : " (" + f.where + ")") << '\n';
        }
        out_.flush();
    }

    bool writeImage(const DiscTree& tree) {
        const bool terminal = isatty(fileno(stderr)) != 0;
        int shown = -1;
        try {
            writeIsoImage(
                tree, wizard_->form().text(ctl::txtTitle), request_.iso, [&](qint64 done, qint64 total) {
                    const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 100;
                    if (terminal && percent != shown) {
                        shown = percent;
                        err_ << "\rMaking the ISO image: " << percent << '%' << (done == total ? "\n" : "");
                        err_.flush();
                    }
                    return true;
                });
            return true;
        } catch (const TorvelError& e) {
            err_ << (terminal && shown >= 0 ? "\n" : "") << "torvel-build: " << e.message() << '\n';
            return false;
        }
    }

    const Request& request_;
    QTextStream& out_;
    QTextStream& err_;
    BuildPrompts prompts_;
    std::unique_ptr<Wizard> wizard_;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("torvel-build"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(version::text));

    QTextStream out(stdout);
    QTextStream err(stderr);
    const Request request = parseArguments(out, err);
    if (request.exitCode) {
        return *request.exitCode;
    }
    if (const QString problem = prepareFolders(request.folders, QStringLiteral("torvel-build"));
        !problem.isEmpty()) {
        err << problem << '\n';
        // A program folder that does not exist is a wrong command line; a data folder that could
        // not be seeded is a file not written.
        return request.folders.kind == ProgramFolders::Kind::Given ? kRefused : kFailed;
    }
    try {
        return Build(request, out, err).run();
    } catch (const TorvelError& e) {
        out.flush();
        err << "torvel-build: " << e.message() << '\n';
        return kFailed;
    } catch (const PromptUnanswered& e) {
        err << "torvel-build: the wizard asked a question that has no answer here: " << e.what << '\n';
        return kFailed;
    }
}
