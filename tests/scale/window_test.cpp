#include <gtest/gtest.h>

#include <QListWidget>

#include "support/testsupport.h"
#include "ui/mainwindow.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/controls.h"

namespace torvel::test {
namespace {

// The later pages are drawn when first needed, and a list changes only the item that changed: the
// other items stay the very same objects, with their selection.
TEST(ScaleWindow, PagesAreDrawnWhenNeededAndListItemsChangeOneAtATime) {
    ProgramDir program;
    ScriptedPrompts prompts;
    const auto wizard = buildWizard(prompts, program.path());
    MainWindow window(*wizard);
    EXPECT_EQ(window.page(1)->findChildren<QWidget*>().size(), 1) << "only its title before it is needed";

    auto* list = qobject_cast<QListWidget*>(window.control(ctl::lstFiles));
    ASSERT_NE(list, nullptr) << "asking for a control draws its page";
    FormModel& form = wizard->form();
    form.setItems(ctl::lstFiles, {QStringLiteral("One"), QStringLiteral("Two")});
    form.select(ctl::lstFiles, 1);
    QListWidgetItem* first = list->item(0);
    QListWidgetItem* second = list->item(1);

    form.addItem(ctl::lstFiles, QStringLiteral("Three"));
    form.setItemText(ctl::lstFiles, 0, QStringLiteral("Uno"));
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0), first);
    EXPECT_EQ(list->item(1), second);
    EXPECT_EQ(first->text(), QStringLiteral("Uno"));
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("Three"));
    EXPECT_EQ(list->currentRow(), 1);

    form.removeItem(ctl::lstFiles, 0);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0), second);
    EXPECT_EQ(list->currentRow(), 0) << "the selection follows its item";
    form.setItems(ctl::lstFiles, {QStringLiteral("Alone")});
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Alone"));
}

}  // namespace
}  // namespace torvel::test
