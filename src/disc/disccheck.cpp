#include "disc/disccheck.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <array>

#include "data/clsdata.h"
#include "data/statements.h"
#include "files/paths.h"
#include "form/fieldvalue.h"
#include "generator/pages.h"
#include "generator/templates.h"

namespace torvel {

namespace {

using Level = Finding::Level;

const QString kStartPage = QStringLiteral("Index.htm");
const QString kMenuFolder = QStringLiteral("Menu");
// The files Finish puts into the root beside the entries' own.
const QStringList kMenuFiles = {kStartPage, QStringLiteral("Index.hta"), QStringLiteral("AUTORUN.INF"),
                                QStringLiteral("Start.exe")};
// ISO 9660 holds eight levels of folders, the root being the first, and paths of 255 characters.
constexpr int kIsoFolderDepth = 7;
constexpr int kIsoPathLength = 255;
constexpr int kJolietNameLength = 64;
constexpr qint64 kDvdDualLayer = 8'543'666'176;
constexpr std::array<Medium, 4> kMedia = {{
    {"CD", 737'280'000},
    {"DVD", 4'707'319'808},
    {"DVD DL", kDvdDualLayer},
    {"BD", 25'025'314'816},
}};

QString number(qint64 n) {
    return QLocale(QLocale::English).toString(n);
}

class Checker {
public:
    Checker(const DiscTree& tree, clsData& data, const DiscCheckInputs& in)
        : tree_(tree), data_(data), in_(in) {
        for (const DiscItem& item : tree_.items) {
            if (item.kind == DiscItem::Kind::File) {
                files_.insert(item.path);
                folded_.insert(item.path.toCaseFolded(), item.path);
            }
        }
    }

    std::vector<Finding> run() {
        rootFiles();
        styleFiles();
        entries();
        items();
        startPage();
        size();
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const Finding& a, const Finding& b) { return a.level < b.level; });
        return findings_;
    }

private:
    void add(Level level, const QString& what, const QString& where = QString()) {
        findings_.push_back({level, what, where});
    }

    void rootFiles() {
        for (const QString& name : {kStartPage, QStringLiteral("AUTORUN.INF"), QStringLiteral("Start.exe")}) {
            if (!files_.contains(name)) {
                add(Level::Error, QStringLiteral("%1 is missing: press Finish to write it.").arg(name), name);
            }
        }
    }

    // A file the pages refer to in the menu folder.
    void menuAsset(const QString& field, const QString& what) {
        if (isFieldSet(field)) {
            const QString where = kMenuFolder + u'/' + fileNameOf(field);
            if (!files_.contains(where)) {
                add(Level::Error, what + QStringLiteral(" is missing."), where);
            }
        }
    }

    void styleFiles() {
        menuAsset(QStringLiteral("Styles.css"), QStringLiteral("The style sheet"));
        menuAsset(in_.backImage, QStringLiteral("The style's background image"));
        menuAsset(in_.page.sound, QStringLiteral("The style's background sound"));
        menuAsset(in_.page.logo, QStringLiteral("The style's logo"));
        menuAsset(in_.page.buttonOn, QStringLiteral("The style's button image On"));
        menuAsset(in_.page.buttonOff, QStringLiteral("The style's button image Off"));
    }

    void entries() {
        const PageTemplate* page = findTemplate(in_.templateName);
        if (in_.page.menuId != 0) {
            const auto rows = data_.openCursor(QString::fromLatin1(sql::menuEntries), {in_.page.menuId});
            const int title = rows->column(QStringLiteral("FileName"));
            const int link = rows->column(QStringLiteral("FileLink"));
            const int description = rows->column(QStringLiteral("Description"));
            const int screenshot = rows->column(QStringLiteral("Screenshot"));
            while (rows->next()) {
                entry(rows->text(title), rows->text(link), rows->text(description));
                if (page != nullptr && page->screenshots) {
                    menuAsset(rows->text(screenshot),
                              QStringLiteral("The screenshot of the entry \"%1\"").arg(rows->text(title)));
                }
            }
        }
        for (const QString& file : std::as_const(files_)) {
            if (!offered_.contains(file) && !kMenuFiles.contains(file) &&
                !file.startsWith(kMenuFolder + u'/')) {
                unoffered_ << file;
            }
        }
        unoffered_.sort();
        for (const QString& file : std::as_const(unoffered_)) {
            add(Level::Note, QStringLiteral("No entry offers this file."), file);
        }
    }

    void entry(const QString& title, const QString& storedLink, const QString& description) {
        const QString link = QDir::cleanPath(QString(storedLink).replace(u'\\', u'/'));
        if (description.trimmed().isEmpty()) {
            add(Level::Note, QStringLiteral("The entry \"%1\" has an empty description.").arg(title), link);
        }
        if (files_.contains(link)) {
            offered_.insert(link);
            return;
        }
        const QStringList similar = folded_.values(link.toCaseFolded());
        if (similar.isEmpty()) {
            add(Level::Error, QStringLiteral("The file of the entry \"%1\" does not exist.").arg(title),
                link);
            return;
        }
        offered_.insert(similar.first());
        add(Level::Warning,
            QStringLiteral("The entry \"%1\" links to %2, which matches this file only when letter case is "
                           "ignored: it works on Windows and fails elsewhere.")
                .arg(title, link),
            similar.first());
    }

    void items() {
        for (const DiscItem& item : tree_.items) {
            link(item);
            const QString name = item.path.mid(item.path.lastIndexOf(u'/') + 1);
            if (const auto problem = foreignNameProblem(name)) {
                add(Level::Warning,
                    QStringLiteral("Windows and Joliet cannot hold this name: %1.").arg(*problem), item.path);
            }
            // Only the first step beyond a limit is reported, not everything below it.
            const bool deep = item.kind == DiscItem::Kind::Folder && item.depth == kIsoFolderDepth + 1;
            const bool lengthy =
                item.path.size() > kIsoPathLength && item.path.lastIndexOf(u'/') <= kIsoPathLength;
            if (deep || lengthy) {
                add(Level::Warning,
                    QStringLiteral("This path is deeper or longer than ISO 9660 allows without Rock Ridge "
                                   "(eight levels of folders, 255 characters)."),
                    item.path);
            }
        }
    }

    void link(const DiscItem& item) {
        static const std::array<std::pair<DiscItem::Kind, const char*>, 3> kLinks = {{
            {DiscItem::Kind::LinkOutside, "This link points outside the CD root"},
            {DiscItem::Kind::LinkBroken, "This link points to nothing"},
            {DiscItem::Kind::LinkLoop, "This link leads back to a folder that holds it"},
        }};
        for (const auto& [kind, text] : kLinks) {
            if (item.kind == kind) {
                add(Level::Error,
                    QString::fromLatin1(text) + QStringLiteral(": it is left out of the image."), item.path);
            }
        }
    }

    void startPage() {
        if (!files_.contains(kStartPage) || !isTemplateName(in_.templateName)) {
            return;
        }
        QByteArray now;
        PageInputs inputs = in_.page;
        inputs.twin = nullptr;
        inputs.capture = &now;
        if (!writeMenuPage(in_.templateName, inputs, data_)) {
            return;  // Finish would write no page now: the menu has no entries
        }
        QFile page(QDir(tree_.root).filePath(kStartPage));
        if (!page.open(QIODevice::ReadOnly) || page.readAll() != now) {
            add(Level::Warning,
                QStringLiteral("Index.htm differs from what Finish would write now (it was not written "
                               "again after a change, or for another menu or template): press Finish."),
                kStartPage);
        }
    }

    void size() {
        const qint64 bytes = tree_.sectorBytes();
        if (bytes > kDvdDualLayer) {
            add(Level::Warning,
                QStringLiteral("The contents (%1 bytes) are larger than a DVD-R DL holds (%2 bytes).")
                    .arg(number(bytes), number(kDvdDualLayer)));
        }
        const std::optional<Medium> medium = smallestMedium(bytes);
        add(Level::Note, QStringLiteral("The contents take %1 bytes in 2,048-byte sectors: they fit on %2.")
                             .arg(number(bytes), medium ? QStringLiteral("a ") + QLatin1String(medium->name)
                                                        : QStringLiteral("no single disc")));
    }

    const DiscTree& tree_;
    clsData& data_;
    const DiscCheckInputs& in_;
    QSet<QString> files_;
    QMultiHash<QString, QString> folded_;
    QSet<QString> offered_;
    QStringList unoffered_;
    std::vector<Finding> findings_;
};

}  // namespace

std::vector<Finding> checkDisc(const DiscTree& tree, clsData& data, const DiscCheckInputs& inputs) {
    return Checker(tree, data, inputs).run();
}

QString levelName(Finding::Level level) {
    switch (level) {
        case Level::Error:
            return QStringLiteral("error");
        case Level::Warning:
            return QStringLiteral("warning");
        case Level::Note:
            break;
    }
    return QStringLiteral("note");
}

std::optional<Medium> smallestMedium(qint64 bytes) {
    for (const Medium& medium : kMedia) {
        if (bytes <= medium.bytes) {
            return medium;
        }
    }
    return std::nullopt;
}

std::optional<QString> foreignNameProblem(const QString& name) {
    static const QRegularExpression reserved(
        QStringLiteral(R"(^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\..*)?$)"),
        QRegularExpression::CaseInsensitiveOption);
    if (reserved.match(name).hasMatch()) {
        return QStringLiteral("it is a name Windows reserves for a device");
    }
    if (name.endsWith(u'.') || name.endsWith(u' ')) {
        return QStringLiteral("it ends in a dot or a blank");
    }
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || QStringLiteral("*:?\"<>|\\").contains(c)) {
            return QStringLiteral("it holds the character %1")
                .arg(c.unicode() < 0x20 ? QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0'))
                                        : QString(c));
        }
    }
    if (name.size() > kJolietNameLength) {
        return QStringLiteral("it is longer than %1 characters").arg(kJolietNameLength);
    }
    return std::nullopt;
}

}  // namespace torvel
