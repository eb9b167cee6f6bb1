// Bytes 38-53: the two-byte code, its vertical rounding, and the entries that
// change one timing's width, rate or aspect ratio.
#include <gtest/gtest.h>

#include "core/sections/standard_timing.h"

namespace edid {
namespace {

using namespace standard_timing;

TEST(StandardTiming, CodesDecodeToSizeAndRate) {
  EXPECT_EQ(decodeCode(0x01, 0x01).text, "Not Used");
  EXPECT_EQ(decodeCode(0x01, 0x40).text, "Not Used");
  EXPECT_EQ(decodeCode(0x00, 0x00).text, "248 X 248 @60Hz");
  EXPECT_EQ(decodeCode(0x81, 0x80).text, "1280 X 1024 @60Hz");
  EXPECT_EQ(decodeCode(0xD1, 0xC0).text, "1920 X 1080 @60Hz");
  EXPECT_EQ(decodeCode(0x31, 0x59).text, "640 X 480 @85Hz");
  EXPECT_EQ(decodeCode(0xFF, 0x7F).text, "2288 X 1716 @123Hz");
  // 16:9 of 1288 is 724.5 and of 1304 is 733.5: both go to the even neighbour.
  EXPECT_EQ(decodeCode(0x82, 0xC0).vertical, 724);
  EXPECT_EQ(decodeCode(0x84, 0xC0).vertical, 734);
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

TEST(StandardTiming, HorizontalEntries) {
  Image image;
  const auto h = [&](const char* text) { return encodeHorizontal(image, 44, text); };
  EXPECT_EQ(*h("1280"), (CellWrites{{44, "81"}}));
  EXPECT_EQ(*h("1366"), (CellWrites{{44, "8C"}}));  // 139.75 -> 140, shown as 1368
  EXPECT_EQ(*h("2291"), (CellWrites{{44, "FF"}}));
  for (const char* unused : {"0", "244", "252", "abc"})
    EXPECT_EQ(*h(unused), (CellWrites{{44, "01"}, {45, "01"}})) << unused;
  // 1284 / 8 - 31 = 129.5 and 1292 / 8 - 31 = 130.5: both to the even neighbour.
  EXPECT_EQ(*h("1284"), (CellWrites{{44, "82"}}));
  EXPECT_EQ(*h("1292"), (CellWrites{{44, "82"}}));
  for (const char* bad : {"243", "2292", "-8", "99999"})
    EXPECT_EQ(h(bad).error(), "Invalid Value") << bad;
}

TEST(StandardTiming, RateAndAspectEntriesKeepTheOtherBits) {
  Image image;
  image.setByte(45, 0x4F);
  EXPECT_EQ(*encodeRefresh(image, 44, "75"), (CellWrites{{45, "4F"}}));
  EXPECT_EQ(*encodeRefresh(image, 44, "60"), (CellWrites{{45, "40"}}));
  EXPECT_EQ(*encodeRefresh(image, 44, "123"), (CellWrites{{45, "7F"}}));
  EXPECT_EQ(*encodeRefresh(image, 44, "84.5"), (CellWrites{{45, "58"}}));  // 84: halves to even
  for (const char* bad : {"59", "124", "", "-1e300"})
    EXPECT_EQ(encodeRefresh(image, 44, bad).error(), "Invalid Value") << bad;
  EXPECT_EQ(setAspect(image, 44, 2), (CellWrites{{45, "8F"}}));
  EXPECT_EQ(setAspect(image, 44, 0), (CellWrites{{45, "0F"}}));
  // A rate on an unused pair writes the second byte; the pair stays unused.
  image.setByte(38, 0x01);
  image.setByte(39, 0x01);
  image.apply(*encodeRefresh(image, 38, "85"));
  EXPECT_EQ(image.cell(39), "19");
  EXPECT_EQ(decode(image).timings[0].text, "Not Used");
}

}  // namespace
}  // namespace edid
