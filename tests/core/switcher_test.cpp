#include <gtest/gtest.h>

#include "base/error.h"
#include "support/testsupport.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/controls.h"

using namespace torvel;

namespace {

int shownPage(const FormModel& form) {
    int shown = -1;
    for (int i = 0; i < kPageCount; ++i) {
        if (form.visible(pageFrameName(i))) {
            EXPECT_EQ(shown, -1) << "only one page may be shown";
            shown = i;
        }
    }
    return shown;
}

}  // namespace

TEST(PageSwitcher, StartsOnPageZeroWithoutTouchingTheDatabase) {
    test::ProgramDir program(false);  // no database at all: start-up must not need it
    ScriptedPrompts prompts;
    const auto built = buildWizard(prompts, program.path());
    Wizard& wizard = *built;
    EXPECT_EQ(wizard.state().curStep, 0);
    EXPECT_EQ(shownPage(wizard.form()), 0);
    EXPECT_EQ(wizard.form().text(ctl::cmbTemplate), QStringLiteral("Standard"));
    EXPECT_FALSE(wizard.form().visible(ctl::Finish));
    EXPECT_TRUE(wizard.form().visible(ctl::cmdNext));
    EXPECT_EQ(wizard.form().caption(ctl::lblRoot), QStringLiteral(" "));
    EXPECT_TRUE(prompts.transcript().isEmpty());
}

TEST(PageSwitcher, BackOnPageZeroAndForwardOnPageFourChangeNothing) {
    test::WizardFixture f;
    Wizard& w = *f.wizard;
    w.setLeaveAction(1, [] { return true; });  // later pages' checks are not under test here
    w.setLeaveAction(2, [] { return true; });
    w.setLeaveAction(3, [] { return true; });
    w.switchSteps(QStringLiteral("down"));
    EXPECT_EQ(w.state().curStep, 0);
    EXPECT_EQ(shownPage(f.form()), 0);

    for (int page = 1; page <= 4; ++page) {
        w.switchSteps(QStringLiteral("up"));
        EXPECT_EQ(w.state().curStep, page);
        EXPECT_EQ(shownPage(f.form()), page);
        EXPECT_EQ(f.form().visible(ctl::Finish), page == 4);
        EXPECT_EQ(f.form().visible(ctl::cmdNext), page != 4);
    }
    w.switchSteps(QStringLiteral("up"));
    EXPECT_EQ(w.state().curStep, 4);
    EXPECT_TRUE(f.form().visible(ctl::Finish));

    w.switchSteps(QStringLiteral("down"));
    EXPECT_EQ(w.state().curStep, 3);
    EXPECT_FALSE(f.form().visible(ctl::Finish));
    EXPECT_TRUE(f.form().visible(ctl::cmdNext));
    EXPECT_TRUE(f.form().visible(ctl::cmdBack));
    EXPECT_TRUE(f.form().visible(ctl::cmdClose));
}

TEST(PageSwitcher, RefusingLeaveActionKeepsPageAndButtonsAndBackSkipsChecks) {
    test::WizardFixture f;
    Wizard& w = *f.wizard;
    int asked = 0;
    w.setLeaveAction(0, [&] { return ++asked > 1; });
    w.switchSteps(QStringLiteral("up"));
    EXPECT_EQ(w.state().curStep, 0);
    EXPECT_EQ(shownPage(f.form()), 0);
    w.switchSteps(QStringLiteral("up"));
    EXPECT_EQ(w.state().curStep, 1);
    w.switchSteps(QStringLiteral("down"));
    EXPECT_EQ(asked, 2) << "moving back runs no leave action";
}

TEST(PageSwitcher, ShowControlsMatchesTagsExactly) {
    test::WizardFixture f;
    f.wizard->showControls(QStringLiteral("ML"), true);
    QStringList shown;
    for (const Control& c : f.form().controls()) {
        if (c.tag == QStringLiteral("ML") || c.tag == QStringLiteral("MD")) {
            if (c.visible) {
                shown << c.name;
            }
        }
    }
    EXPECT_EQ(shown, (QStringList{ctl::Label40, ctl::cmbMenuL, ctl::cmdLoad}));
    f.wizard->showControls(QStringLiteral("ml"), false);  // letter case counts
    EXPECT_TRUE(f.form().visible(ctl::cmdLoad));
    f.wizard->showControls(QStringLiteral("nothing carries this"), false);
    EXPECT_TRUE(f.form().visible(ctl::cmdLoad));
    EXPECT_EQ(f.form().namesWithTag(QStringLiteral("file")).size(), 5);
}

TEST(PageSwitcher, AFailingHandlerIsReportedAndTheWindowStaysUsable) {
    test::WizardFixture f;
    f.wizard->onClick(ctl::cmdNew, [] { throw TorvelError(QStringLiteral("the disk is full")); });
    f.wizard->click(ctl::cmdNew);
    ASSERT_EQ(f.prompts.transcript().size(), 1);
    EXPECT_TRUE(f.prompts.transcript()[0].contains(QStringLiteral("the disk is full")));
    EXPECT_TRUE(f.prompts.transcript()[0].contains(QStringLiteral("\"icon\":\"critical\"")));
    f.wizard->click(ctl::cmdNext);
    EXPECT_EQ(f.wizard->state().curStep, 1);
}
