// The Problems pane follows the image: shown with a failure on open, a row per
// finding, the count in the status bar, a double click putting the caret on the
// finding's first cell, and checked again after an edit.
#include <QLabel>
#include <QTreeWidget>

#include "editor_fixture.h"
#include "gui/check/problems_pane.h"

namespace edid::gui::test {
namespace {

using ProblemsPaneTest = EditorTest;

TEST_F(ProblemsPaneTest, FollowsTheImageAndFocusesTheCell) {
  // 06F840044FF3 (EDID 1.3, no finding) with week 54 (byte 16), which 1.3 does not
  // have; the checksum (byte 127, BD) lowered by 54 - 38 = 16 to AD.
  std::vector<std::uint8_t> bytes = edid::test::corpusBytes("06F840044FF3");
  bytes[16] = 54;
  bytes[127] = 0xAD;
  dialogs.fileNames = {bytesFile(bytes, QStringLiteral("week.bin"))};
  action("mnuFileOpen")->trigger();

  ProblemsPane* pane = window->problemsPane();
  ASSERT_TRUE(pane->isVisible());
  QTreeWidget* list = pane->list();
  ASSERT_EQ(list->topLevelItemCount(), 1);
  EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("block 0, byte 16"));
  EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("Manufacture week: 54 is not 0-53"));
  EXPECT_EQ(window->problemsPanel()->text(), QStringLiteral("1 failure"));

  emit list->itemDoubleClicked(list->topLevelItem(0), 1);
  EXPECT_EQ(QApplication::focusWidget(), cell(16));

  // Week 53 in the cell: the checksum follows and nothing is left to find.
  modifyOn();
  clickCell(16);
  cell(16)->selectAll();
  QTest::keyClicks(cell(16), QStringLiteral("35"));
  EXPECT_EQ(list->topLevelItemCount(), 0);
  EXPECT_EQ(window->problemsPanel()->text(), QStringLiteral("No problems found"));
}

}  // namespace
}  // namespace edid::gui::test
