// Development tool: draws the five wizard pages offscreen with sample values and saves them as
// OUTDIR/page0.png .. page4.png for the documentation.
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "form/scriptedprompts.h"
#include "support/testsupport.h"
#include "ui/mainwindow.h"
#include "wizard/controls.h"
#include "wizard/wizard.h"

namespace {

void settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Sample values where the wizard's own handlers have not put any: the pictures show a menu on
// its way through the pages.
void fillSamples(torvel::Wizard& wizard, const QString& cdRoot) {
    torvel::FormModel& f = wizard.form();
    const auto fillText = [&f](const char* name, const QString& text) {
        const QString control = QString::fromLatin1(name);
        if (f.has(control)) {
            f.setText(control, text);
        }
    };
    fillText("txtTitle", QStringLiteral("Holiday Photos 2024"));
    if (f.items(QStringLiteral("cmbStyles")).isEmpty()) {
        f.setItems(QStringLiteral("cmbStyles"), {QStringLiteral("NEW"), QStringLiteral("Ocean")});
    }
    fillText("cmbStyles", QStringLiteral("NEW"));
    if (f.caption(QStringLiteral("lblRoot")).trimmed().isEmpty()) {
        f.setCaption(QStringLiteral("lblRoot"), QDir::toNativeSeparators(cdRoot));
    }
    fillText("Dir1", QDir::toNativeSeparators(cdRoot));

    // The style pages with the standard style's values.
    fillText("txtStyleName", QStringLiteral("Ocean"));
    fillText("txtBackgroundColor", QStringLiteral("16777215 "));
    f.setColor(QStringLiteral("colBack"), 0xFFFFFF);
    const char* const fonts[][2] = {{"txtTitleFont", "Arial;14pt;bold"},
                                    {"txtButtonFont", "Arial;10pt;bold"},
                                    {"txtDFont", "Arial;10pt;normal"},
                                    {"txtHFont", "Arial;10pt;normal"}};
    for (const auto& font : fonts) {
        fillText(font[0], QString::fromLatin1(font[1]));
    }
    const struct {
        const char* field;
        const char* swatch;
        const char* text;
        int color;
    } colours[] = {{"txtTitleColor", "colTitle", "RGB(192,192,192)", 0xC0C0C0},
                   {"txtBColor", "colButton", "RGB(192,192,192)", 0xC0C0C0},
                   {"txtDColor", "colText", "RGB(192,192,192)", 0xC0C0C0},
                   {"txtHColor", "colHyper", "RGB(192,192,192)", 0xC0C0C0},
                   {"txtHColorActive", "colHyperA", "RGB(17,207,255)", 0xFFCF11}};
    for (const auto& c : colours) {
        fillText(c.field, QString::fromLatin1(c.text));
        f.setColor(QString::fromLatin1(c.swatch), c.color);
    }

    // The file page with two saved entries and one being described.
    f.setItems(QStringLiteral("lstFiles"), {QStringLiteral("Photo Viewer"), QStringLiteral("Read Me")});
    fillText("txtFile", QDir::toNativeSeparators(QDir(cdRoot).filePath(QStringLiteral("Tools/slides.exe"))));
    fillText("txtFileTitle", QStringLiteral("Slide Show"));
    fillText("txtFileDescription",
             QStringLiteral("Shows every photo of the CD as a slide show.\nPress Escape to stop."));
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    if (argc != 2) {
        std::fprintf(stderr, "usage: torvel-screenshots OUTDIR\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    torvel::test::ProgramDir program;
    // The sample CD folder sits in the home folder, whose tree is short and tidy in the pictures.
    QTemporaryDir cd(QDir::home().filePath(QStringLiteral("HolidayCD-XXXXXX")));
    for (const char* folder : {"Photos", "Tools", "Music"}) {
        QDir(cd.path()).mkpath(QString::fromLatin1(folder));
    }
    const QString cdRoot = cd.path();

    torvel::ScriptedPrompts prompts;
    torvel::Wizard wizard(prompts, program.path());
    for (int page = 0; page < torvel::kPageCount; ++page) {
        wizard.setLeaveAction(page, [] { return true; });
    }
    torvel::MainWindow window(wizard);
    window.show();
    wizard.openFolder(QDir::toNativeSeparators(cdRoot));
    fillSamples(wizard, cdRoot);

    int failures = 0;
    for (int page = 0; page < torvel::kPageCount; ++page) {
        settle(page == 1 ? 600 : 100);
        const QString file = QDir(outDir).filePath(QStringLiteral("page%1.png").arg(page));
        if (!window.grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            ++failures;
        }
        wizard.click(QStringLiteral("cmdNext"));
    }
    return failures == 0 ? 0 : 1;
}
