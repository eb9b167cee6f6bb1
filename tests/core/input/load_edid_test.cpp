// Loading a file as both programs do: the image, its blocks, the warning and the refusals.
#include "core/input/load_edid.h"

#include <gtest/gtest.h>

#include "support/corpus.h"
#include "support/temp_dir.h"

namespace edid {
namespace {

TEST(LoadEdid, FilesBecomeImagesWithTheirBlocksAndWarnings) {
  test::TempDir dir;
  // Four blocks read from a monitor, and five bytes after them.
  const auto monitor = test::corpusBytes("01312B4953B0");
  ASSERT_EQ(monitor.size(), 512u);
  std::string longer(monitor.begin(), monitor.end());
  longer += "\x01\x02\x03\x04\x05";
  test::writeText(dir.file("longer.bin"), longer);
  // Eight bytes of hex text, in lower case.
  test::writeText(dir.file("short.txt"), "00 ff ff ff ff ff ff 00\n");
  test::writeText(dir.file("prose.txt"), "No EDID here.\n");

  struct Row {
    const char* file;
    std::string error, warning, cell1, cell8, cell127;
    std::size_t extensionBytes, dropped;
  };
  const Row rows[] = {
      {"longer.bin", "", "The last 5 bytes do not fill a 128-byte block and are left out.", "FF",
       "4C", "D7", 384, 5},
      {"short.txt", "",
       "Only 8 bytes of the 128-byte base block were found; the others are set to 00.", "FF", "00",
       "00", 0, 0},
      {"prose.txt", "This File is not a Valid EDID/DDC File", "", "", "", "", 0, 0},
      {"none.bin", "Cannot open " + dir.file("none.bin") + ": No such file or directory", "", "",
       "", "", 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    const auto loaded = loadEdidFile(dir.file(row.file));
    ASSERT_EQ(loaded.error(), row.error);
    if (!loaded) continue;
    EXPECT_EQ(loaded->warning, row.warning);
    EXPECT_EQ(loaded->image.cell(1), row.cell1);
    EXPECT_EQ(loaded->image.cell(8), row.cell8);
    EXPECT_EQ(loaded->image.cell(127), row.cell127);
    EXPECT_EQ(loaded->image.cell(128), "");
    EXPECT_EQ(loaded->image.extension().size(), row.extensionBytes);
    EXPECT_EQ(loaded->dropped, row.dropped);
  }
}

}  // namespace
}  // namespace edid
