// The Disc menu: the check before burning, the preview, the CD root in the file manager and the
// ISO image. Its items are enabled once a CD root is chosen.
#include "wizard/disc.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QUrl>
#include <algorithm>

#include "data/statements.h"
#include "disc/isoimage.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/stylepages.h"
#include "wizard/wizard.h"

namespace torvel {

namespace {

const char* const kDiscItems[] = {ctl::mnuCheckDisc, ctl::mnuPreview, ctl::mnuOpenRoot, ctl::mnuMakeIso};

// Runs a piece of work with the busy pointer on.
template <typename Work>
auto whileBusy(Prompts& prompts, Work work) {
    prompts.setBusy(true);
    const auto done = qScopeGuard([&prompts] { prompts.setBusy(false); });
    return work();
}

QString plural(qsizetype n, const char* word) {
    return QStringLiteral("%1 %2%3").arg(n).arg(QLatin1String(word),
                                                n == 1 ? QString() : QStringLiteral("s"));
}

QString fileUrl(const QString& path) {
    return QUrl::fromLocalFile(QDir::fromNativeSeparators(path)).toString();
}

// The stored menu's template and title, and its style's files, over the window's values.
void readStoredMenu(Wizard& w, DiscCheckInputs& in) {
    auto menu = w.myData().GetRS(QString::fromLatin1(sql::menuById), {in.page.menuId});
    if (menu->eof()) {
        return;
    }
    in.templateName = menu->field(QStringLiteral("Template"));
    in.page.title = menu->field(QStringLiteral("Title"));
    auto style =
        w.myData().GetRS(QString::fromLatin1(sql::styleById), {menu->field(QStringLiteral("StyleNo"))});
    if (!style->eof()) {
        in.page.sound = style->field(QStringLiteral("Soundfile"));
        in.page.logo = style->field(QStringLiteral("Logofile"));
        in.page.buttonOn = style->field(QStringLiteral("ButtonOnImage"));
        in.page.buttonOff = style->field(QStringLiteral("ButtonOffImage"));
        in.backImage = style->field(QStringLiteral("BackImage"));
        in.page.style = styleSheetValues(*style);
    }
}

void showFindings(Prompts& prompts, const std::vector<Finding>& findings) {
    TableRequest table{QStringLiteral("Check Disc"),
                       QString(),
                       {QStringLiteral("Level"), QStringLiteral("What"), QStringLiteral("Where")},
                       {}};
    qsizetype problems = 0;
    for (const Finding& f : findings) {
        table.rows << QStringList{levelName(f.level), f.what, f.where};
        problems += f.level != Finding::Level::Note ? 1 : 0;
    }
    table.text = problems == 0 ? QStringLiteral("No problems found.")
                               : QStringLiteral("The check found %1.").arg(plural(problems, "problem"));
    prompts.showTable(table);
}

void preview(Wizard& w) {
    const QString page = w.state().cdRoot + QStringLiteral("Index.htm");
    if (!QFileInfo(page).isFile()) {
        inform(w.prompts(), QStringLiteral("Please press Finish first: there is no start page to show yet."));
        return;
    }
    w.prompts().openUrl(fileUrl(page));
}

// The progress of the image in whole percents, through the window's progress dialog.
ImageProgress progressIn(Prompts& prompts) {
    return [&prompts, shown = -1](qint64 done, qint64 total) mutable {
        const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 100;
        if (percent == shown) {
            return true;
        }
        shown = percent;
        return prompts.progress(QStringLiteral("Making the ISO image"), done, total);
    };
}

void makeImage(Wizard& w) {
    const QString root = w.state().cdRoot;
    const QString title = w.form().text(ctl::txtTitle);
    const QString folder = QFileInfo(QDir::cleanPath(QDir::fromNativeSeparators(root))).absolutePath();
    const auto target =
        w.prompts().saveFile({QStringLiteral("ISO images (*.iso)|*.iso"), QStringLiteral("iso"),
                              QDir::toNativeSeparators(QDir(folder).filePath(imageFileName(title)))});
    if (!target) {
        return;
    }
    if (isInsideFolder(*target, root)) {
        inform(w.prompts(),
               QStringLiteral("The image cannot be written into the CD root folder itself, please "
                              "choose another folder!"));
        return;
    }
    DiscTree tree;
    std::vector<Finding> findings;
    whileBusy(w.prompts(), [&] {
        tree = scanDisc(root);
        findings = checkDisc(tree, w.myData(), discCheckInputs(w));
    });
    const auto errors = std::count_if(findings.begin(), findings.end(),
                                      [](const Finding& f) { return f.level == Finding::Level::Error; });
    if (errors > 0 &&
        !confirm(w.prompts(), QStringLiteral("The check found %1 that will make the disc fail (see "
                                             "Disc > Check Disc). Make the image anyway?")
                                  .arg(plural(errors, "error")))) {
        return;
    }
    bool written = false;
    {
        const auto closeProgress = qScopeGuard([&w] { w.prompts().progressEnd(); });
        written = writeIsoImage(tree, title, *target, progressIn(w.prompts()));
    }
    if (written) {
        inform(w.prompts(),
               QStringLiteral("The image %1 has been written.").arg(QDir::toNativeSeparators(*target)));
    }
}

}  // namespace

DiscCheckInputs discCheckInputs(Wizard& w) {
    DiscCheckInputs in{w.form().text(ctl::cmbTemplate), finishPageInputs(w),
                       w.form().text(ctl::txtBackImage)};
    if (w.state().curStep < 2 && in.page.menuId != 0) {
        readStoredMenu(w, in);
    }
    return in;
}

std::vector<Finding> checkCdRoot(Wizard& w) {
    return checkDisc(scanDisc(w.state().cdRoot), w.myData(), discCheckInputs(w));
}

bool isInsideFolder(const QString& file, const QString& folder) {
    const QString root = QFileInfo(folder).canonicalFilePath();
    const QFileInfo place(QFileInfo(file).absolutePath());
    const QString at = place.exists() ? place.canonicalFilePath() : QDir::cleanPath(place.absoluteFilePath());
    return !root.isEmpty() && (at == root || at.startsWith(root.endsWith(u'/') ? root : root + u'/'));
}

QString imageFileName(const QString& title) {
    QString name;
    for (const QChar c : title) {
        name += c.unicode() < 0x20 || QStringLiteral("/\\*:?\"<>|").contains(c) ? QChar(u'_') : c;
    }
    while (name.endsWith(u'.') || name.endsWith(u' ')) {
        name.chop(1);
    }
    return (name.trimmed().isEmpty() ? QStringLiteral("Disc") : name.trimmed()) + QStringLiteral(".iso");
}

void installDisc(Wizard& w) {
    const auto update = [&w] {
        const bool chosen = !w.form().caption(ctl::lblRoot).trimmed().isEmpty();
        for (const char* item : kDiscItems) {
            w.form().setEnabled(QString::fromLatin1(item), chosen);
        }
    };
    update();
    w.form().addListener([update](const QString& name) {
        if (name == ctl::lblRoot) {
            update();
        }
    });
    w.onClick(ctl::mnuCheckDisc,
              [&w] { showFindings(w.prompts(), whileBusy(w.prompts(), [&w] { return checkCdRoot(w); })); });
    w.onClick(ctl::mnuPreview, [&w] { preview(w); });
    w.onClick(ctl::mnuOpenRoot, [&w] { w.prompts().openUrl(fileUrl(w.state().cdRoot)); });
    w.onClick(ctl::mnuMakeIso, [&w] { makeImage(w); });
}

}  // namespace torvel
