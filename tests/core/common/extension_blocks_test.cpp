// The extension blocks as the data file and the screen show them, with the tags
// the index of the corpus names for each block.
#include "core/common/extension_blocks.h"

#include <gtest/gtest.h>

#include "core/common/data_file.h"
#include "support/corpus.h"

namespace edid {
namespace {

std::vector<std::uint8_t> extensionOf(const std::string& id) {
  const auto bytes = test::corpusBytes(id);
  return {bytes.begin() + kEdidSize, bytes.end()};
}

TEST(ExtensionBlocks, DumpLinesNameEachBlockAndNumberRowsFromTheBaseBlock) {
  // FA6E41896752's block 1, as od prints bytes 128-143 and 240-255.
  const auto lines = extensionDumpLines(extensionOf("FA6E41896752"));
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[0], "Block 1: CTA-861 (02)");
  EXPECT_EQ(lines[1], "  128: 02 03 1E F1 4B 10 1F 05 14 04 13 03 12 02 11 01");
  EXPECT_EQ(lines[8], "  240: 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 45");
  EXPECT_TRUE(extensionDumpLines({}).empty());

  // Index: 7592CEE56D85 has two DisplayID blocks, 01312B4953B0 a block map first.
  const auto displayId = extensionDumpLines(extensionOf("7592CEE56D85"));
  ASSERT_EQ(displayId.size(), 18u);
  EXPECT_EQ(displayId[9], "Block 2: DisplayID (70)");
  EXPECT_EQ(displayId[10].substr(0, 7), "  256: ");  // block 2 starts at byte 256
  const auto mapped = extensionDumpLines(extensionOf("01312B4953B0"));
  EXPECT_EQ(mapped[0], "Block 1: Block map (F0)");
  EXPECT_EQ(mapped[9], "Block 2: Unknown (9A)");
  ASSERT_EQ(mapped.size(), 27u);
  EXPECT_EQ(mapped[26].substr(0, 7), "  496: ");  // the last row of block 3
}

}  // namespace
}  // namespace edid
