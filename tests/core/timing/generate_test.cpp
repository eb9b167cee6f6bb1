// The generator's rule for a block: where it starts from (checked against the
// reference decoder's text of each corpus EDID) and the 18 cells it writes (worked
// out by hand from the VESA layout).
#include "core/timing/generate.h"

#include <gtest/gtest.h>

#include "support/corpus.h"

namespace edid::timing {
namespace {

TEST(TimingGenerate, StartsFromTheBlockOrTheFirstTimingOrTheScreenSize) {
  struct Row {
    const char* id;
    int blockStart;
    int width, height;
    double refreshHz;
    bool interlaced;
    int hMm, vMm;
  };
  const Row rows[] = {
      // "DTD 1: 1920x1080 60.000000 Hz ... (477 mm x 268 mm)"
      {"FA6E41896752", 54, 1920, 1080, 60, false, 477, 268},
      // Block 3 is the product name: the first timing's values.
      {"FA6E41896752", 90, 1920, 1080, 60, false, 477, 268},
      // "DTD 2: 1920x1080i 60.000000 Hz ... (708 mm x 398 mm)"
      {"30DBD6874351", 72, 1920, 1080, 60, true, 708, 398},
      // "DTD 1: 1920x1200 59.950171 Hz ... (518 mm x 324 mm)"
      {"2D8B5B3A099A", 54, 1920, 1200, 60, false, 518, 324},
      // No timing block; "Maximum image size: 30 cm x 20 cm".
      {"2AFF76344263", 54, 1920, 1080, 60, false, 300, 200},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.id) + " block at " + std::to_string(row.blockStart));
    const GeneratorStart s = generatorStart(test::corpusImage(row.id), row.blockStart);
    EXPECT_EQ(s.width, row.width);
    EXPECT_EQ(s.height, row.height);
    EXPECT_EQ(s.refreshHz, row.refreshHz);
    EXPECT_EQ(s.interlaced, row.interlaced);
    EXPECT_EQ(s.hImageMm, row.hMm);
    EXPECT_EQ(s.vImageMm, row.vMm);
  }
}

TEST(TimingGenerate, WritesAllEighteenCellsKeepingTheImageSizeWhenAsked) {
  // CVT-RB 1920x1080@75 (reference decoder): 174.5 MHz = 0x442A; 1920 + 160 (48/32/80),
  // 1080 + 39 (3/5/31); +H -V digital separate = 1A. 477 x 268 mm = 1DD x 10C.
  const Descriptor kept = {0x2A, 0x44, 0x80, 0xA0, 0x70, 0x38, 0x27, 0x40, 0x30,
                           0x20, 0x35, 0x00, 0xDD, 0x0C, 0x11, 0x00, 0x00, 0x1A};
  Descriptor unsized = kept;
  unsized[12] = unsized[13] = unsized[14] = 0;
  const Timing rb = *cvt(1920, 1080, 75, {CvtBlanking::Reduced});
  struct Row {
    int blockStart;  // 54 holds the timing, 72 the range limits, 108 the serial number
    bool keep;
    Descriptor expected;
  };
  const Row rows[] = {
      {54, true, kept}, {54, false, unsized}, {72, true, kept}, {108, false, unsized}};
  const Image image = test::corpusImage("FA6E41896752");
  for (const Row& row : rows) {
    SCOPED_TRACE("block at " + std::to_string(row.blockStart) + (row.keep ? " keep" : ""));
    const auto writes = generatedBlock(image, row.blockStart, rb, row.keep);
    ASSERT_TRUE(writes.ok()) << writes.error();
    Image after = image;
    after.apply(*writes);
    ASSERT_EQ(writes->size(), 18u);
    for (int i = 0; i < kEdidSize; ++i) {
      const int offset = i - row.blockStart;
      const bool inBlock = offset >= 0 && offset < 18;
      EXPECT_EQ(after.byte(i), inBlock ? row.expected[std::size_t(offset)] : image.byte(i))
          << "byte " << i;
    }
  }

  // 7680x4320@60 on standard CVT needs more than the 655.35 MHz a block holds.
  const auto refused = generatedBlock(image, 54, *cvt(7680, 4320, 60), true);
  ASSERT_FALSE(refused.ok());
  EXPECT_NE(refused.error().find("above 655.35 MHz"), std::string::npos) << refused.error();
}

}  // namespace
}  // namespace edid::timing
