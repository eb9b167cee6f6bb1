// The CTA-861 edit pane: idle until "Modify EDID" is on, then an applied FreeSync
// range, or a field of a detailed timing, is one undo step of the document.
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTreeWidget>

#include "editor_fixture.h"
#include "gui/screen/cta_edit_pane.h"
#include "gui/screen/extension_block_pane.h"

namespace edid::gui::test {
namespace {

using CtaEditPaneTest = EditorTest;

TEST_F(CtaEditPaneTest, FreeSyncRangeIsOneUndoStepUnderModifyEdid) {
  // 1031763B91D4, block 1: FreeSync 68 1A 00 00 01 01 30 4B at byte 29, so its
  // maximum (4B, 75 Hz) is byte 36 of the block, 165 of the EDID.
  dialogs.fileNames = {corpusFile("1031763B91D4")};
  action("mnuFileOpen")->trigger();
  auto* pane = child<ExtensionBlockPane>("extensionPane");
  EXPECT_FALSE(pane->editPane()->isEnabled());
  modifyOn();
  EXPECT_TRUE(pane->editPane()->isEnabled());

  const auto items = pane->tree()->findItems(QStringLiteral("Vendor-Specific Data Block (AMD"),
                                             Qt::MatchStartsWith | Qt::MatchRecursive);
  ASSERT_EQ(items.size(), 1);
  emit pane->tree()->itemClicked(items[0], 0);
  child<QSpinBox>("ctaFreeSyncMax")->setValue(144);
  child<QPushButton>("ctaApplyFreeSync")->click();
  QTableWidgetItem* maximum = pane->grid()->item(36 / 16, 36 % 16);
  EXPECT_EQ(maximum->text(), QStringLiteral("90"));
  EXPECT_EQ(action("mnuEditUndo")->text(), QStringLiteral("&Undo FreeSync Range"));
  // The edited data block stays selected, its controls showing the new range.
  EXPECT_EQ(child<QSpinBox>("ctaFreeSyncMax")->value(), 144);

  action("mnuEditUndo")->trigger();
  EXPECT_EQ(maximum->text(), QStringLiteral("4B"));
}

TEST_F(CtaEditPaneTest, DetailedTimingHorizontalActiveIsOneUndoStep) {
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
