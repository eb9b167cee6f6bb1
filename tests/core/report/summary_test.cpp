// The status bar's summary of an EDID, against values worked out from the bytes.
#include "core/report/summary.h"

#include <gtest/gtest.h>

#include "support/corpus.h"

namespace edid {
namespace {

// 038778A50C04 is a 256-byte EDID. Bytes 8-9 4C 2D: 10011 00001 01101 = S A M.
// The name block at 90 (tag FC) reads "C32JG5x". Block 54: clock E298 = 580.08 MHz,
// 2560 + 160 (0xA0) by 1440 + 41 (0x29): 580080000 / (2720 * 1481) = 144.0005 Hz.
// Bytes 18-19 01 03; one CTA block, both checksums (97, F4) complete their block.
Image samsung() {
  const std::vector<std::uint8_t> bytes = test::corpusBytes("038778A50C04");
  return Image::fromEdid(std::string(bytes.begin(), bytes.end()));
}

TEST(EdidSummary, ValuesOfARealEdidAndItsBrokenChecksums) {
  struct Row {
    const char* what;
    int byte;  // changed to 0x00 first; -1 for none
    int badBlock;
  };
  const Row rows[] = {
      {"as read", -1, -1},
      {"base block byte 20 changed", 20, 0},
      {"extension byte 130 changed", 130, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Image image = samsung();
    if (row.byte >= 0 && row.byte < kEdidSize) image.setByte(row.byte, 0);
    if (row.byte >= kEdidSize) {
      std::vector<std::uint8_t> blocks = image.extension();
      blocks[static_cast<std::size_t>(row.byte - kEdidSize)] = 0;
      image.setExtension(blocks);
    }
    const EdidSummary summary = summarize(image);
    EXPECT_EQ(summary.maker, "SAM");
    EXPECT_EQ(summary.model, "C32JG5x");
    EXPECT_EQ(summary.preferredMode, "2560x1440 @ 144.00 Hz");
    EXPECT_EQ(summary.version, "1.3");
    EXPECT_EQ(summary.sizeBytes, 256);
    EXPECT_EQ(summary.extensionBlocks, 1);
    EXPECT_EQ(summary.badChecksumBlock, row.badBlock);
  }
  EXPECT_EQ(summaryLine(summarize(samsung())),
            "SAM C32JG5x  |  2560x1440 @ 144.00 Hz  |  EDID 1.3  |  256 bytes, 1 extension block  "
            "|  checksums valid");
}

TEST(EdidSummary, WithoutNameOrTimingTheProductCodeAndNoModeStandIn) {
  // A new image: all zero bytes, so the first block is a descriptor and no name.
  const EdidSummary summary = summarize(Image());
  EXPECT_EQ(summary.model, "0x0000");
  EXPECT_EQ(summary.preferredMode, "");
  EXPECT_EQ(summaryLine(summary),
            "@@@ 0x0000  |  no preferred mode  |  EDID 0.0  |  128 bytes, 0 extension blocks  |  "
            "checksums valid");
}

}  // namespace
}  // namespace edid
