#include <gmock/gmock.h>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "support/testsupport.h"
#include "ui/dialogform.h"
#include "ui/formbinding.h"
#include "ui/mainwindow.h"
#include "ui/qtprompts.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"

namespace {

using namespace torvel;

// A main window whose wizard shows its dialog forms through the real prompts.
struct Window {
    test::ProgramDir program;
    QtPrompts prompts;
    std::unique_ptr<Wizard> built = buildWizard(prompts, program.path());
    Wizard& wizard = *built;
    MainWindow window{wizard, &prompts};
    Window() { window.show(); }
};

Control control(const char* name, ControlKind kind, const char* caption = "") {
    Control c;
    c.name = QString::fromLatin1(name);
    c.kind = kind;
    c.caption = QString::fromLatin1(caption);
    return c;
}

const Control* frameOf(const FormModel& form) {
    for (const Control& c : form.controls()) {
        if (c.kind == ControlKind::Frame) {
            return &c;
        }
    }
    return nullptr;
}

TEST(DialogForm, FinderFormIsDrawnFromItsModelAndStaysBesideTheWindow) {
    Window w;
    FormModel& files = w.wizard.dialog(ctl::frmFiles);
    if (frameOf(files) == nullptr) {
        files.add(control("frmFilesFrame", ControlKind::Frame, "  File Descriptions"));
    }
    files.add(control("tstLabel", ControlKind::Label, "Picked:"));
    files.add(control("tstText", ControlKind::TextField));
    files.add(control("tstButton", ControlKind::Button, "Take"));
    int clicks = 0;
    w.wizard.onClick(QStringLiteral("frmFiles.tstButton"), [&] { ++clicks; });

    w.wizard.setDialogOpen(ctl::frmFiles, true);
    DialogForm* dialog = w.window.dialogForm(ctl::frmFiles);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->windowTitle(), frameOf(files)->caption);
    // Every control of the form is drawn.
    for (const Control& c : files.controls()) {
        if (c.kind != ControlKind::Frame) {
            EXPECT_NE(dialog->control(c.name), nullptr) << c.name.toStdString();
        }
    }
    EXPECT_EQ(qobject_cast<QLabel*>(dialog->control(QStringLiteral("tstLabel")))->text(),
              QStringLiteral("Picked:"));

    // Both ways, with events named "frmFiles.NAME"; the main window stays usable meanwhile.
    auto* text = qobject_cast<QLineEdit*>(dialog->control(QStringLiteral("tstText")));
    QTest::keyClicks(text, QStringLiteral("setup.exe"));
    EXPECT_EQ(files.text(QStringLiteral("tstText")), QStringLiteral("setup.exe"));
    files.setText(QStringLiteral("tstText"), QStringLiteral("install.exe"));
    EXPECT_EQ(text->text(), QStringLiteral("install.exe"));
    QTest::mouseClick(dialog->control(QStringLiteral("tstButton")), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(w.window.control(ctl::cmdNext), Qt::LeftButton);
    EXPECT_EQ(w.wizard.state().curStep, 1);

    // Showing an open form again brings the same dialog forward; the model closes it.
    w.window.showForm(ctl::frmFiles);
    EXPECT_EQ(w.window.dialogForm(ctl::frmFiles), dialog);
    w.wizard.setDialogOpen(ctl::frmFiles, false);
    EXPECT_FALSE(dialog->isVisible());

    // Closed by the user: the model learns it.
    w.wizard.setDialogOpen(ctl::frmFiles, true);
    EXPECT_TRUE(dialog->isVisible());
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(w.wizard.isDialogOpen(ctl::frmFiles));
}

TEST(DialogForm, FinderGoesBesideTheWindowWhereTheScreenHasRoom) {
    const QSize finder(360, 140);
    const QRect wide(0, 0, 1920, 1080);
    // Room on the right: there, a little below the window's top edge.
    const QPoint right = placeBeside(QRect(100, 100, 960, 640), finder, wide);
    EXPECT_GT(right.x(), 100 + 960 - 1);
    EXPECT_LE(right.x() + finder.width(), wide.width());
    EXPECT_GT(right.y(), 100);
    // No room on the right: on the left, clear of the window.
    const QPoint left = placeBeside(QRect(900, 100, 960, 640), finder, wide);
    EXPECT_LT(left.x() + finder.width(), 900);
    EXPECT_GE(left.x(), 0);
    // Room on neither side: as far right as the screen allows, never off the screen.
    const QRect small(0, 0, 1280, 800);
    const QPoint squeezed = placeBeside(QRect(160, 60, 960, 780), finder, small);
    EXPECT_EQ(squeezed.x() + finder.width(), small.width());
    EXPECT_LE(squeezed.y() + finder.height(), small.height());
    EXPECT_GE(squeezed.y(), 0);
}

TEST(DialogForm, HelpAboutOpensTheModalAboutBoxUntilItsOwnButtonClosesIt) {
    Window w;
    bool wasModal = false;
    int linkLightness = -1;
    bool fixedSize = false;
    QColor background;
    bool pictureShown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<DialogForm*>(QApplication::activeModalWidget());
        EXPECT_NE(dialog, nullptr);
        if (dialog == nullptr) {
            w.wizard.setDialogOpen(ctl::frmAbout, false);
            return;
        }
        EXPECT_EQ(dialog->formName(), ctl::frmAbout);
        wasModal = dialog->isModal();
        background = dialog->palette().color(QPalette::Window);
        auto* picture = qobject_cast<QLabel*>(dialog->control(ctl::Image1));
        pictureShown = picture != nullptr && !picture->pixmap().isNull();
        // The link reads light on the box's blue, and the box keeps the size of its content.
        if (auto* link = qobject_cast<QPushButton*>(dialog->control(ctl::ZelBText1))) {
            const QImage image = link->grab().toImage();
            for (int x = 0; x < image.width(); ++x) {
                for (int y = 0; y < image.height(); ++y) {
                    linkLightness = std::max(linkLightness, image.pixelColor(x, y).lightness());
                }
            }
        }
        fixedSize = dialog->minimumSize() == dialog->maximumSize();
        QTest::mouseClick(dialog->control(ctl::cmdOK), Qt::LeftButton);
    });
    w.window.menuAction(ctl::mnuAbout)->trigger();  // returns when the box closes
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(background, QColor(110, 130, 190));
    EXPECT_TRUE(pictureShown);
    // Lighter than the background (lightness 150), as white text is.
    EXPECT_GT(linkLightness, 200);
    EXPECT_TRUE(fixedSize);
    EXPECT_FALSE(w.wizard.isDialogOpen(ctl::frmAbout));
    EXPECT_FALSE(w.window.dialogForm(ctl::frmAbout)->isVisible());
}

}  // namespace
