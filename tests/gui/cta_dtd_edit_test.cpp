// A detailed timing of a CTA-861 block edited field by field in the Edit pane: each
// accepted field is one undo step.
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

#include "editor_fixture.h"
#include "gui/screen/cta_edit_pane.h"
#include "gui/screen/extension_block_pane.h"

namespace edid::gui::test {
namespace {

class CtaDtdEditTest : public EditorTest {};

TEST_F(CtaDtdEditTest, HorizontalActiveIsOneUndoStep) {
  // 1031763B91D4, block 1: DTD 1 at byte 38, 2A 44 80 A0 70 ..., so horizontal active
  // 1920 = 0x780 is byte 40 (80) and the upper nibble of byte 42 (70).
  dialogs.fileNames = {corpusFile("1031763B91D4")};
  action("mnuFileOpen")->trigger();
  auto* pane = child<ExtensionBlockPane>("extensionPane");
  modifyOn();
  const auto items = pane->tree()->findItems(QStringLiteral("Detailed timing 1"),
                                             Qt::MatchExactly | Qt::MatchRecursive);
  ASSERT_EQ(items.size(), 1);
  emit pane->tree()->itemClicked(items[0], 0);
  auto* active = child<QLineEdit>("ctaDtdField1");
  EXPECT_EQ(active->text(), QStringLiteral("1920 pixels"));
  active->setText(QStringLiteral("1680"));
  child<QPushButton>("ctaApplyDtd")->click();
  QTableWidgetItem* low = pane->grid()->item(40 / 16, 40 % 16);
  QTableWidgetItem* upper = pane->grid()->item(42 / 16, 42 % 16);
  EXPECT_EQ(low->text() + upper->text(), QStringLiteral("9060"));
  EXPECT_EQ(action("mnuEditUndo")->text(), QStringLiteral("&Undo Horizontal Active"));
  // The timing stays selected, its row showing the new value.
  EXPECT_EQ(child<QLineEdit>("ctaDtdField1")->text(), QStringLiteral("1680 pixels"));

  action("mnuEditUndo")->trigger();
  EXPECT_EQ(low->text() + upper->text(), QStringLiteral("8070"));
}

}  // namespace
}  // namespace edid::gui::test
