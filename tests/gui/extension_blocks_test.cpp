// The extension blocks below the grid: shown read-only after opening a long raw
// EDID, gone again with a new image.
#include <QFile>
#include <QPlainTextEdit>
#include <QTabWidget>

#include "editor_fixture.h"

namespace edid::gui::test {
namespace {

class ExtensionBlocksTest : public EditorTest {};

TEST_F(ExtensionBlocksTest, OpenedBlocksShowBelowTheGridUntilANewImage) {
  // FA6E41896752: a 256-byte EDID whose block 1 is CTA-861 (02 03 1E F1 ...).
  const QString file = corpusFile("FA6E41896752");

  dialogs.fileNames = {file};
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
