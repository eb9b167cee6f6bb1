// Bytes 38-53: the two-byte code and its vertical rounding.
#include <gtest/gtest.h>

#include "core/sections/standard_timing.h"

namespace edid {
namespace {

using namespace standard_timing;

TEST(StandardTiming, CodesDecodeToSizeAndRate) {
  struct Row {
    int first, second;
    bool zeroIs16By10;
    const char* text;
  };
  const Row rows[] = {
      {0x01, 0x01, false, "Not Used"},
      {0x01, 0x40, true, "Not Used"},
      {0x00, 0x00, false, "248 X 248 @60Hz"},
      {0x81, 0x80, true, "1280 X 1024 @60Hz"},
      {0xD1, 0xC0, true, "1920 X 1080 @60Hz"},
      {0x31, 0x59, false, "640 X 480 @85Hz"},
      {0xFF, 0x7F, true, "2288 X 1716 @123Hz"},
      // Code 0 is 16:10 from EDID 1.3 on: 1920 x 1200 and 1680 x 1050; 1:1 before.
      {0xD1, 0x00, true, "1920 X 1200 @60Hz"},
      {0xB3, 0x00, true, "1680 X 1050 @60Hz"},
      {0xD1, 0x00, false, "1920 X 1920 @60Hz"},
      {0x00, 0x00, true, "248 X 155 @60Hz"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(decodeCode(row.first, row.second, row.zeroIs16By10).text, row.text) << row.text;
  // 16:9 of 1288 is 724.5 and of 1304 is 733.5: both go to the even neighbour.
  EXPECT_EQ(decodeCode(0x82, 0xC0, true).vertical, 724);
  EXPECT_EQ(decodeCode(0x84, 0xC0, true).vertical, 734);
}

TEST(StandardTiming, CodeZeroIs16By10FromVersion13) {
  const std::array<std::array<int, 3>, 6> versions = {
      {{1, 0, 0}, {1, 2, 0}, {1, 3, 1}, {1, 4, 1}, {2, 0, 1}, {0, 9, 0}}};
  for (const auto& [version, revision, sixteenTen] : versions) {
    Image image;
    image.setByte(18, version);
    image.setByte(19, revision);
    image.setByte(38, 0xD1);
    image.setByte(39, 0x00);
    EXPECT_EQ(zeroAspectIs16By10(image), sixteenTen == 1) << version << "." << revision;
    EXPECT_EQ(decode(image).timings[0].vertical, sixteenTen ? 1200 : 1920);
    EXPECT_EQ(aspectCaption(0, sixteenTen), sixteenTen ? "16:10 Aspect Ratio" : "1:1 Aspect Ratio");
  }
}

TEST(StandardTiming, DecodeReadsTheEightPairsInOrder) {
  Image image;
  for (int i = 38; i <= 53; ++i) image.setByte(i, 0x01);
  image.setByte(40, 0x61);
  image.setByte(41, 0x40);
  image.setByte(52, 0xA9);
  image.setByte(53, 0x4F);
  const auto decoded = decode(image);
  EXPECT_EQ(decoded.timings[0].text, "Not Used");
  EXPECT_EQ(decoded.timings[1].text, "1024 X 768 @60Hz");
  EXPECT_EQ(decoded.timings[7].text, "1600 X 1200 @75Hz");
}

// The width, rate and aspect entries are rows of tests/data/block_editors.txt.
TEST(StandardTiming, ARateOnAnUnusedPairKeepsItUnused) {
  Image image;
  // A rate on an unused pair writes the second byte; the pair stays unused.
  image.setByte(38, 0x01);
  image.setByte(39, 0x01);
  image.apply(*encodeRefresh(image, 38, "85"));
  EXPECT_EQ(image.cell(39), "19");
  EXPECT_EQ(decode(image).timings[0].text, "Not Used");
}

}  // namespace
}  // namespace edid
