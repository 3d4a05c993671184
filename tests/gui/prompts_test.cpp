#include <gmock/gmock.h>
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "ui/qtprompts.h"

namespace {

using namespace torvel;
using ::testing::ElementsAre;

// Works on the next modal dialog of type D once it is open (the prompt's own event loop runs it).
template <typename D>
void whenOpen(std::function<void(D*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        }
    });
    timer->start();
}

TEST(QtPrompts, ConvertsFiltersColoursAndDialogSettings) {
    EXPECT_THAT(toQtNameFilters(QStringLiteral("Pictures (*.jpg;*.gif)|*.jpg;*.gif")),
                ElementsAre(QStringLiteral("Pictures (*.jpg *.gif)")));
    EXPECT_THAT(toQtNameFilters(QStringLiteral("Sounds (*.wav)|*.wav")),
                ElementsAre(QStringLiteral("Sounds (*.wav)")));
    // A display name without its pattern part offers every file.
    EXPECT_THAT(toQtNameFilters(QStringLiteral("All files (*.*)")),
                ElementsAre(QStringLiteral("All files (*)")));
    EXPECT_THAT(toQtNameFilters(QStringLiteral("Pictures|*.jpg|Everything|*.*")),
                ElementsAre(QStringLiteral("Pictures (*.jpg)"), QStringLiteral("Everything (*)")));

    // Colour numbers are 0x00BBGGRR: pure red is 255, the active link default RGB(17,207,255).
    EXPECT_EQ(colorFromNumber(255), QColor(255, 0, 0));
    EXPECT_EQ(colorFromNumber(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(colorNumber(QColor(17, 207, 255)), 17 + 207 * 256 + 255 * 65536);
    for (int number : {0, 1, 0x123456, 0xFFFFFF}) {
        EXPECT_EQ(colorNumber(colorFromNumber(number)), number);
    }

    QTemporaryDir dir;
    QFileDialog dialog;
    configureOpenDialog(dialog, {QStringLiteral("Sounds (*.wav)|*.wav"), QStringLiteral("wav"), dir.path()});
    EXPECT_THAT(dialog.nameFilters(), ElementsAre(QStringLiteral("Sounds (*.wav)")));
    EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("wav"));
    EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
}

TEST(QtPrompts, ShowsRealDialogsAndReturnsTheirAnswers) {
    QtPrompts prompts;

    // A question box: title, icon and Yes/No buttons as asked; No is answered.
    whenOpen<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), QStringLiteral(" "));
        EXPECT_EQ(box->text(), QStringLiteral("Remove it?"));
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(prompts.message(MessageIcon::Question, MessageButtons::YesNo, QStringLiteral(" "),
                              QStringLiteral("Remove it?")),
              Answer::No);
    whenOpen<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(
        prompts.message(MessageIcon::None, MessageButtons::Ok, QStringLiteral("T"), QStringLiteral("x")),
        Answer::Ok);

    // The colour dialog opens on the preset and gives the chosen colour as a colour number.
    whenOpen<QColorDialog>([](QColorDialog* dialog) {
        EXPECT_EQ(dialog->currentColor(), QColor(17, 207, 255));
        dialog->setCurrentColor(QColor(255, 0, 0));
        dialog->accept();
    });
    EXPECT_EQ(prompts.chooseColor(colorNumber(QColor(17, 207, 255))), std::optional<int>(255));
    whenOpen<QColorDialog>([](QColorDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(prompts.chooseColor(0), std::nullopt);

    // The font dialog opens on family, size and weight; cancelling gives nothing.
    whenOpen<QFontDialog>([](QFontDialog* dialog) {
        EXPECT_TRUE(dialog->currentFont().bold());
        EXPECT_EQ(dialog->currentFont().pointSizeF(), 14);
        QFont chosen(QStringLiteral("DejaVu Serif"));
        chosen.setPointSize(12);
        chosen.setBold(false);
        dialog->setCurrentFont(chosen);
        dialog->accept();
    });
    const auto font = prompts.chooseFont({QStringLiteral("DejaVu Sans"), 14, true});
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->family, QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(font->size, 12);
    EXPECT_FALSE(font->bold);
    whenOpen<QFontDialog>([](QFontDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(prompts.chooseFont({QStringLiteral("DejaVu Sans"), 10, false}), std::nullopt);

    // A family that is not installed opens the dialog on the font drawn in its place, bold as
    // asked; left as it is, the value keeps the author's family, and another family chosen is
    // written without the foundry the dialog lists it with.
    const QString missing = QStringLiteral("Torvel Absent Sans");
    ASSERT_FALSE(QFontDatabase::families().contains(missing, Qt::CaseInsensitive));
    const QString standIn = installedFamily(missing);
    EXPECT_NE(standIn, missing);
    EXPECT_TRUE(QFontDatabase::families().contains(standIn, Qt::CaseInsensitive)) << standIn.toStdString();
    EXPECT_EQ(installedFamily(QStringLiteral("DejaVu Sans")), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(familyName(QStringLiteral("Nimbus Sans [urw]")), QStringLiteral("Nimbus Sans"));
    EXPECT_EQ(familyName(QStringLiteral("DejaVu Sans")), QStringLiteral("DejaVu Sans"));
    QString shown;
    whenOpen<QFontDialog>([&shown](QFontDialog* dialog) {
        shown = dialog->currentFont().family();
        EXPECT_TRUE(dialog->currentFont().bold());
        QFont bigger = dialog->currentFont();
        bigger.setPointSize(16);
        dialog->setCurrentFont(bigger);
        dialog->accept();
    });
    const auto kept = prompts.chooseFont({missing, 12, true});
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(familyName(shown), familyName(standIn));
    EXPECT_EQ(kept->family, missing);
    EXPECT_EQ(kept->size, 16);
    EXPECT_TRUE(kept->bold);
    whenOpen<QFontDialog>([&standIn](QFontDialog* dialog) {
        QFont other(standIn == QStringLiteral("DejaVu Serif") ? QStringLiteral("DejaVu Sans")
                                                              : QStringLiteral("DejaVu Serif"));
        other.setPointSize(12);
        dialog->setCurrentFont(other);
        dialog->accept();
    });
    const auto changed = prompts.chooseFont({missing, 12, true});
    ASSERT_TRUE(changed.has_value());
    EXPECT_NE(changed->family, missing);
    EXPECT_FALSE(changed->family.contains(QLatin1Char('[')));

    // The open-file dialog starts in the asked folder and gives the chosen file's full path.
    QTemporaryDir dir;
    QFile(QDir(dir.path()).filePath(QStringLiteral("logo.gif"))).open(QIODevice::WriteOnly);
    whenOpen<QFileDialog>([](QFileDialog* dialog) {
        EXPECT_THAT(dialog->nameFilters(), ElementsAre(QStringLiteral("Pictures (*.jpg *.gif)")));
        // The file name typed as the author would: selectFile() leaves the field alone while it
        // has the keyboard focus, which it may or may not have got yet.
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QStringLiteral("logo.gif"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const auto file = prompts.openFile({QStringLiteral("Pictures (*.jpg;*.gif)|*.jpg;*.gif"),
                                        QStringLiteral("jpg"), QDir::toNativeSeparators(dir.path())});
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(QFileInfo(*file).canonicalFilePath(),
              QFileInfo(QDir(dir.path()).filePath(QStringLiteral("logo.gif"))).canonicalFilePath());
    whenOpen<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(prompts.openFile({QStringLiteral("All files (*.*)"), {}, dir.path()}), std::nullopt);

    // The busy pointer is one override cursor, restored once.
    prompts.setBusy(true);
    prompts.setBusy(true);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    prompts.setBusy(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
