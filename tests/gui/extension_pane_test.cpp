// The decoded extension block beside its bytes: a byte clicked selects the item
// holding it and colours its data block; an item clicked selects its bytes.
// With EDID_SHOTS_DIR set, the window is saved there at both steps.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QScrollArea>
#include <QTableWidget>
#include <QTreeWidget>

#include "editor_fixture.h"
#include "gui/screen/extension_block_pane.h"

namespace edid::gui::test {
namespace {

class ExtensionPaneTest : public EditorTest {
 protected:
  void shot(const char* name) {
    const QByteArray dir = qgetenv("EDID_SHOTS_DIR");
    if (dir.isEmpty()) return;
    // The tile filling the window and scrolled to the pane, as a user would look.
    screen()->parentWidget()->showMaximized();
    QApplication::processEvents();
    auto* pane = child<ExtensionBlockPane>("extensionPane");
    child<QScrollArea>("scroll")->ensureWidgetVisible(pane, 0, 0);
    screen()->window()->grab().save(QString::fromUtf8(dir) + "/" + name);
  }
};

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
  shot("cta-block.png");

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
  shot("cta-tree-click.png");
}

}  // namespace
}  // namespace edid::gui::test
