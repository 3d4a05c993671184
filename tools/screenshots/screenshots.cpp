// Development tool: walks the author's road through the wizard offscreen, with a stored style and
// a sample CD, and saves the pictures for the documentation: OUTDIR/page0.png .. page4.png, the
// description finder (finder.png), the About box (about.png), the Disc menu (disc.png) and the
// check's findings (check.png).
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLinearGradient>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <optional>

#include "data/schemafile.h"
#include "data/statements.h"
#include "ui/dialogform.h"
#include "ui/mainwindow.h"
#include "ui/qtprompts.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/controls.h"
#include "wizard/wizard.h"

namespace {

using namespace torvel;

// The window's real prompts (busy pointer, dialog forms shown by the window) with the file dialogs
// answered from a queue and the messages noted instead of shown. The road below needs no other
// dialog and no question: any of them is noted as unexpected and cancelled.
class ToolPrompts : public QtPrompts {
public:
    QStringList files;
    QStringList messages;
    QStringList unexpected;

    Answer message(MessageIcon, MessageButtons buttons, const QString&, const QString& text) override {
        messages << text;
        if (buttons != MessageButtons::Ok) {
            unexpected << text;
            return Answer::No;
        }
        return Answer::Ok;
    }
    std::optional<QString> openFile(const OpenFileRequest& request) override {
        if (files.isEmpty()) {
            unexpected << QStringLiteral("a file for ") + request.filter;
            return std::nullopt;
        }
        return files.takeFirst();
    }
    std::optional<int> chooseColor(int) override {
        unexpected << QStringLiteral("a colour");
        return std::nullopt;
    }
    std::optional<FontChoice> chooseFont(const FontChoice&) override {
        unexpected << QStringLiteral("a font");
        return std::nullopt;
    }
    void openUrl(const QString&) override {}
    bool startProgram(const QString&) override { return false; }
    void quit() override {}
};

void settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

// A small picture with a colour gradient and a caption, saved as JPEG.
bool writePicture(const QString& path, const QSize& size, const QColor& from, const QColor& to,
                  const QString& caption) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    painter.fillRect(image.rect(), gradient);
    painter.setPen(Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"), 1);
    font.setPixelSize(size.height() / 3);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignCenter, caption);
    painter.end();
    QDir().mkpath(QFileInfo(path).absolutePath());
    return image.save(path, "JPG");
}

struct Shots {
    QString outDir;
    int failures = 0;

    void save(QWidget* widget, const char* name) {
        const QString file = QDir(outDir).filePath(QString::fromLatin1(name));
        if (widget == nullptr || !widget->grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            ++failures;
        }
    }
    void expectPage(Wizard& wizard, int page) {
        if (wizard.state().curStep != page) {
            std::fprintf(stderr, "the wizard is on page %d instead of %d\n", wizard.state().curStep, page);
            ++failures;
        }
    }
};

// The sample CD folder: "Holiday CD" in the home folder, removed again at the end; a temporary
// name when that folder is already there.
class SampleFolder {
public:
    SampleFolder() {
        const QString wanted = QDir::home().filePath(QStringLiteral("Holiday CD"));
        if (!QFileInfo::exists(wanted) && QDir().mkpath(wanted)) {
            path_ = wanted;
            owned_ = true;
        } else {
            temp_ =
                std::make_unique<QTemporaryDir>(QDir::home().filePath(QStringLiteral("HolidayCD-XXXXXX")));
            path_ = temp_->isValid() ? temp_->path() : QString();
        }
    }
    ~SampleFolder() {
        if (owned_) {
            QDir(path_).removeRecursively();
        }
    }
    SampleFolder(const SampleFolder&) = delete;
    SampleFolder& operator=(const SampleFolder&) = delete;
    const QString& path() const { return path_; }

private:
    QString path_;
    bool owned_ = false;
    std::unique_ptr<QTemporaryDir> temp_;
};

int indexOf(Wizard& wizard, const char* control, const QString& item) {
    return wizard.form().items(QString::fromLatin1(control)).indexOf(item);
}

// The Disc menu open over the window (a menu is a window of its own: drawn into the picture where
// it stands), then the check's findings.
void shootDiscMenu(MainWindow& window, Wizard& wizard, Shots& shots) {
    QMenu* disc = window.findChild<QMenu*>(QString::fromLatin1(ctl::mnuDisc));
    const QRect item = window.menuBar()->actionGeometry(disc->menuAction());
    disc->popup(window.menuBar()->mapToGlobal(item.bottomLeft()));
    settle(200);
    QPixmap withMenu = window.grab();
    QPainter(&withMenu).drawPixmap(disc->geometry().topLeft() - window.geometry().topLeft(), disc->grab());
    disc->hide();
    if (!withMenu.save(QDir(shots.outDir).filePath(QStringLiteral("disc.png")))) {
        ++shots.failures;
    }
    QTimer::singleShot(300, [&] {
        QWidget* findings = QApplication::activeModalWidget();
        shots.save(findings, "check.png");
        if (findings != nullptr) {
            findings->close();
        }
    });
    wizard.click(ctl::mnuCheckDisc);
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
    // Made absolute now, whatever the current folder is later.
    Shots shots{QDir(QString::fromLocal8Bit(argv[1])).absolutePath()};
    if (!QDir().mkpath(shots.outDir)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    // A fresh program folder: Torvel.dat with the three sample styles and the files the build puts
    // beside the program. A sample CD in the home folder, whose tree is short and tidy in the
    // pictures; the pictures the author picks lie on it.
    QTemporaryDir program;
    if (!createDatabaseFromSchema(QStringLiteral(TORVEL_SCHEMA_FILE), databaseFileIn(program.path()))) {
        std::fprintf(stderr, "cannot create Torvel.dat in %s\n", qPrintable(program.path()));
        return 1;
    }
    for (const QString& name : {QStringLiteral("AUTORUN.INF"), QStringLiteral("Start.exe")}) {
        QFile::copy(QStringLiteral(TORVEL_PROGRAM_DIR "/") + name, QDir(program.path()).filePath(name));
    }
    SampleFolder cd;
    const QDir root(cd.path());
    const QString cdRoot = QDir::toNativeSeparators(cd.path());
    const auto onCd = [&root](const char* relative) {
        return QDir::toNativeSeparators(root.filePath(QString::fromLatin1(relative)));
    };
    const auto inArt = [&onCd](const char* name) { return onCd("Pictures/") + QString::fromLatin1(name); };
    bool ready = !cd.path().isEmpty() && writeFile(onCd("Tools/slides.exe"), "MZ slides") &&
                 writeFile(onCd("Photos/album.htm"), "<html></html>") &&
                 writeFile(onCd("Music/holiday.m3u"), "#EXTM3U\n") &&
                 writePicture(onCd("Photos/beach.jpg"), {320, 200}, QColor(255, 190, 90),
                              QColor(40, 120, 200), QStringLiteral("Beach")) &&
                 writePicture(inArt("logo.jpg"), {240, 80}, QColor(40, 60, 140), QColor(120, 200, 255),
                              QStringLiteral("Holiday")) &&
                 writePicture(inArt("slides.jpg"), {200, 130}, QColor(30, 30, 40), QColor(200, 90, 60),
                              QStringLiteral("Slides")) &&
                 writePicture(inArt("album.jpg"), {200, 130}, QColor(250, 200, 80), QColor(60, 150, 90),
                              QStringLiteral("Album")) &&
                 writePicture(inArt("music.jpg"), {200, 130}, QColor(90, 40, 140), QColor(230, 80, 160),
                              QStringLiteral("Music"));
    if (!ready) {
        std::fprintf(stderr, "cannot write the sample CD and pictures\n");
        return 1;
    }

    // The folder list starts in the home folder, where the sample CD lies.
    ToolPrompts prompts;
    const auto built = buildWizard(prompts, program.path());
    Wizard& wizard = *built;
    // Last year's disc, whose slide show the finder offers for this one.
    {
        const qint64 menu = wizard.myData().executeInsert(
            QString::fromLatin1(sql::insertMenu),
            {QStringLiteral("Extended"), QStringLiteral("Holiday Photos 2025"), 1, cdRoot});
        wizard.myData().ExecuteSQL(
            QString::fromLatin1(sql::insertEntry),
            {menu, QStringLiteral("Tools"), QStringLiteral("Slide Show"), QStringLiteral("Tools/slides.exe"),
             QStringLiteral("Shows every photo of the disc as a slide show. Press Escape to stop."),
             QStringLiteral("none")});
    }
    MainWindow window(wizard, &prompts);
    // A little wider than the first size, so that the font values stand whole in their fields.
    window.resize(960, 640);
    window.show();
    FormModel& form = wizard.form();
    const auto set = [&form](const char* control, const QString& text) {
        form.setText(QString::fromLatin1(control), text);
    };

    settle(200);
    shots.save(&window, "page0.png");

    // General Setting: title, template, the stored style "Midnight" and the CD root.
    wizard.click(ctl::cmdNew);
    shots.expectPage(wizard, 1);
    set(ctl::txtTitle, QStringLiteral("Holiday Photos 2026"));
    wizard.choose(ctl::cmbTemplate,
                  indexOf(wizard, ctl::cmbTemplate, QStringLiteral("Extended Screenshots")));
    wizard.choose(ctl::cmbStyles, indexOf(wizard, ctl::cmbStyles, QStringLiteral("1: Midnight")));
    wizard.openFolder(cdRoot);
    settle(800);
    shots.save(&window, "page1.png");

    // Styles / images: the stored style is loaded; the author adds a logo.
    wizard.click(ctl::cmdNext);
    shots.expectPage(wizard, 2);
    prompts.files << inArt("logo.jpg");
    wizard.click(ctl::cmdLImage);
    set(ctl::txtTop, QStringLiteral("12"));
    set(ctl::txtLeft, QStringLiteral("20"));
    settle(100);
    shots.save(&window, "page2.png");

    // Styles / fonts, then the style is saved on the way to Add Files.
    wizard.click(ctl::cmdNext);
    shots.expectPage(wizard, 3);
    settle(100);
    shots.save(&window, "page3.png");
    wizard.click(ctl::cmdNext);
    shots.expectPage(wizard, 4);

    // The first entry takes its title and description from last year's disc through the finder.
    prompts.files << onCd("Tools/slides.exe");
    wizard.click(ctl::cmdFile);
    wizard.click(ctl::cmdFind);
    settle(200);
    DialogForm* finder = window.dialogForm(ctl::frmFiles);
    if (finder != nullptr) {
        finder->adjustSize();
        settle(100);
    }
    shots.save(finder, "finder.png");
    wizard.click(QStringLiteral("frmFiles.cmdOK"));

    struct Entry {
        const char* file;
        const char* title;
        const char* description;
        const char* category;
        const char* screenshot;
    };
    const Entry entries[] = {
        {"Tools/slides.exe", nullptr, nullptr, "Tools", "slides.jpg"},
        {"Photos/album.htm", "Photo Album",
         "All photos of the summer, sorted by day.\nOpens in your browser.", "Photos", "album.jpg"},
        {"Music/holiday.m3u", "Holiday Music", "The songs of the trip as a playlist.", "Music", "music.jpg"},
    };
    for (const Entry& e : entries) {
        if (e.title != nullptr) {
            prompts.files << onCd(e.file);
            wizard.click(ctl::cmdFile);
            set(ctl::txtFileTitle, QString::fromUtf8(e.title));
            set(ctl::txtFileDescription, QString::fromUtf8(e.description));
        }
        set(ctl::txtFileCat, QString::fromUtf8(e.category));
        prompts.files << inArt(e.screenshot);
        wizard.click(ctl::cmdFScreenshot);
        wizard.click(ctl::cmdSave);
    }
    wizard.choose(ctl::lstFiles, 1);
    settle(100);
    shots.save(&window, "page4.png");

    // Help > About is modal: it is drawn and closed once it is up.
    QTimer::singleShot(300, [&] {
        shots.save(QApplication::activeModalWidget(), "about.png");
        wizard.click(QStringLiteral("frmAbout.cmdOK"));
    });
    wizard.click(ctl::mnuAbout);

    // Finish proves that the road was a real one.
    wizard.click(ctl::Finish);
    if (prompts.messages != QStringList{QStringLiteral("Your Menu has been successfully created!")} ||
        !prompts.unexpected.isEmpty() || !prompts.files.isEmpty()) {
        std::fprintf(stderr, "the road did not end as expected:\n%s\n%s\n",
                     qPrintable(prompts.messages.join(QLatin1Char('\n'))),
                     qPrintable(prompts.unexpected.join(QLatin1Char('\n'))));
        ++shots.failures;
    }

    shootDiscMenu(window, wizard, shots);
    return shots.failures == 0 ? 0 : 1;
}
