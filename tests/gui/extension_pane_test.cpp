// The extension blocks below the grid, read-only until a new image; the decoded block
// beside its bytes: a byte clicked selects the item holding it and colours its data
// block; an item clicked selects its bytes.
#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include "editor_fixture.h"
#include "gui/screen/extension_block_pane.h"

namespace edid::gui::test {
namespace {

using ExtensionPaneTest = EditorTest;

TEST_F(ExtensionPaneTest, ByteAndItemSelectEachOther) {
  // 1B2A4BE6467A, block 1 by hand: 02 03 72 F1; a video block 5E at byte 4 (30
  // bytes), audio 2C at 35 (12 bytes), HDMI 6E at 48 (14 bytes: OUI 03 0C 00,
  // physical address 30 00 at 52-53).
  const QString file = corpusFile("1B2A4BE6467A");
  dialogs.fileNames = {file};
  action("mnuFileOpen")->trigger();

  auto* pane = child<ExtensionBlockPane>("extensionPane");
  ASSERT_TRUE(pane->isVisible());
  EXPECT_EQ(pane->blockChoice()->currentText(), QStringLiteral("Block 1: CTA-861 (02)"));
  EXPECT_EQ(pane->grid()->item(3, 0)->text(), QStringLiteral("6E"));

  QTableWidget* grid = pane->grid();
  emit grid->cellClicked(52 / 16, 52 % 16);
  QTreeWidgetItem* current = pane->tree()->currentItem();
  ASSERT_NE(current, nullptr);
  EXPECT_EQ(current->text(1), QStringLiteral("3.0.0.0"));
  EXPECT_TRUE(current->parent()->text(0).startsWith(QStringLiteral("Vendor-Specific Data Block")));
  const auto coloured = [grid](int offset) {
    return grid->item(offset / 16, offset % 16)->background().style() != Qt::NoBrush;
  };
  EXPECT_TRUE(coloured(48) && coloured(62));
  EXPECT_FALSE(coloured(47) || coloured(63));

  QTreeWidgetItem* audio =
      pane->tree()
          ->findItems(QStringLiteral("Audio Data Block"), Qt::MatchStartsWith | Qt::MatchRecursive)
          .value(0);
  ASSERT_NE(audio, nullptr);
  pane->tree()->setCurrentItem(audio);
  emit pane->tree()->itemClicked(audio, 0);
  const QList<QTableWidgetItem*> selected = grid->selectedItems();
  ASSERT_EQ(selected.size(), 13);
  int first = 128;
  for (const QTableWidgetItem* cell : selected)
    first = std::min(first, cell->row() * 16 + cell->column());
  EXPECT_EQ(first, 35);
}

TEST_F(ExtensionPaneTest, OpenedBlocksShowBelowTheGridUntilANewImage) {
  // FA6E41896752: a 256-byte EDID whose block 1 is CTA-861 (02 03 1E F1 ...).
  dialogs.fileNames = {corpusFile("FA6E41896752")};
  action("mnuFileOpen")->trigger();
  EXPECT_TRUE(dialogs.messages.empty());
  auto* area = child<QTabWidget>("extensionArea");
  auto* view = child<QPlainTextEdit>("extensionBlocks");
  EXPECT_TRUE(area->isVisible());
  area->setCurrentWidget(view);
  EXPECT_TRUE(view->isVisible());
  EXPECT_TRUE(view->isReadOnly());
  const QStringList lines = view->toPlainText().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 9);
  EXPECT_EQ(lines[0], QStringLiteral("Block 1: CTA-861 (02)"));
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("  128: 02 03 1E F1 ")));
  EXPECT_TRUE(lines[8].startsWith(QStringLiteral("  240: ")));
  // The whole grid keeps its room: the last row of cells is as tall as the first.
  EXPECT_EQ(cell(120)->height(), cell(0)->height());
  // A raw file leaves the image without a data file, as a retrieval does.
  EXPECT_EQ(screen()->windowTitle(), QStringLiteral("Edid Decoding Screen[*]"));

  dialogs.answers = {true};  // Are You Sure?
  action("mnuFileNew")->trigger();
  EXPECT_FALSE(area->isVisible());
}

}  // namespace
}  // namespace edid::gui::test
