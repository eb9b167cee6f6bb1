// The monitor descriptor editors, grouped by editor, with values worked out by
// hand from the VESA layout (tag at +3, data at +5..+17 of the block).
#include <gtest/gtest.h>

#include "core/sections/monitor_descriptor.h"

namespace edid {
namespace {

namespace md = monitor_descriptor;

constexpr int kStart = 72;  // block 1: offsets below are from here

CellWrite at(int offset, const char* text) {
  return {kStart + offset, text};
}

Image block(int tag, const std::vector<int>& data) {
  Image image;
  image.setByte(kStart + 3, tag);
  for (std::size_t i = 0; i < data.size(); ++i)
    image.setByte(kStart + 5 + static_cast<int>(i), data[i]);
  return image;
}

// The value written into one cell, failing when the editor refused or wrote elsewhere.
std::string single(const Result<CellWrites>& result, int offset) {
  if (!result) return "refused: " + result.error();
  if (result->size() != 1 || (*result)[0].index != kStart + offset) return "other cells";
  return (*result)[0].text;
}

TEST(MonitorDescriptorEdit, ChoosingATypeWritesTheTagAndKeepsTheData) {
  EXPECT_EQ(md::chooseType(kStart, 5), (CellWrites{at(3, "FA"), at(17, "0A"), at(4, "00")}));
  EXPECT_EQ(md::chooseType(kStart, 0), (CellWrites{at(3, "FF"), at(4, "00")}));
  EXPECT_EQ(md::chooseType(kStart, 2), (CellWrites{at(3, "FD"), at(4, "00")}));
  EXPECT_EQ(md::chooseType(kStart, 6), (CellWrites{at(3, "F9"), at(4, "00")}));
  // "Defined by Manufacturer" writes tag 00 and leaves byte 4.
  EXPECT_EQ(md::chooseType(kStart, 7), (CellWrites{at(3, "00")}));
  EXPECT_TRUE(md::chooseType(kStart, 8).empty());
  EXPECT_EQ(md::leaveExtraTimings(kStart), (CellWrites{at(3, "FF")}));
}

TEST(MonitorDescriptorEdit, TextsArePaddedAfterTheEndMark) {
  CellWrites abc{at(5, "41"), at(6, "42"), at(7, "43"), at(8, "0A")};
  for (int offset = 9; offset <= 17; ++offset) abc.push_back({kStart + offset, "20"});
  EXPECT_EQ(md::encodeText(kStart, "ABC"), abc);

  const auto empty = md::encodeText(kStart, "");
  ASSERT_EQ(empty.size(), 13u);
  EXPECT_EQ(empty[0], at(5, "0A"));
  for (std::size_t k = 1; k < 13; ++k) EXPECT_EQ(empty[k].text, "20");

  // Twelve characters still get their 0A; thirteen fill the block; more are dropped.
  EXPECT_EQ(md::encodeText(kStart, "ABCDEFGHIJKL")[12], at(17, "0A"));
  EXPECT_EQ(md::encodeText(kStart, "ABCDEFGHIJKLM")[12], at(17, "4D"));
  const auto longer = md::encodeText(kStart, "ABCDEFGHIJKLMNOP");
  ASSERT_EQ(longer.size(), 13u);
  EXPECT_EQ(longer[12], at(17, "4D"));
  // Windows-1252 bytes go in as they are.
  EXPECT_EQ(md::encodeText(kStart, "\xE9")[0], at(5, "E9"));

  // Typed back, the text reads as written.
  Image image = block(0xFC, {});
  image.apply(md::encodeText(kStart, "DELL U2410"));
  EXPECT_EQ(md::decode(image, kStart).inputText, "DELL U2410");
}

TEST(MonitorDescriptorEdit, RangeLimitsAndTheirRefusals) {
  const Image image = block(0xFD, {50, 160, 30, 96, 0x10, 0x00});
  EXPECT_EQ(single(md::encodeRangeLimit(image, kStart, 0, "0"), 5), "FF");
  EXPECT_EQ(single(md::encodeRangeLimit(image, kStart, 1, "-5"), 6),
            "refused: Value entered must be between 0 - 255");
  EXPECT_EQ(single(md::encodeRangeLimit(image, kStart, 2, "31"), 7), "1F");
  EXPECT_EQ(single(md::encodeRangeLimit(image, kStart, 3, "255"), 8), "FF");
  EXPECT_EQ(single(md::encodeRangeLimit(image, kStart, 3, "256"), 8),
            "refused: Value entered must be between 0 - 255");
  EXPECT_EQ(single(md::encodeRangeLimit(image, kStart, 0, "65535"), 5),
            "refused: Value entered must be between 0 - 255");
  // The pixel clock in 10 MHz units, halves away from zero.
  EXPECT_EQ(single(md::encodeRangeLimit(image, kStart, 4, "160"), 9), "10");
  EXPECT_EQ(single(md::encodeRangeLimit(image, kStart, 4, "135"), 9), "0E");
  EXPECT_EQ(single(md::encodeRangeLimit(image, kStart, 4, "125"), 9), "0D");
  EXPECT_EQ(single(md::encodeRangeLimit(image, kStart, 4, "2000"), 9), "C8");
  EXPECT_EQ(single(md::encodeRangeLimit(image, kStart, 4, "2554"), 9), "FF");
  EXPECT_EQ(single(md::encodeRangeLimit(image, kStart, 4, "2555"), 9),
            "refused: Value entered must be between 0 - 2550");
  EXPECT_EQ(single(md::encodeRangeLimit(image, kStart, 4, "65535"), 9),
            "refused: Value entered must be between 0 - 2550");
  // A decimal comma: 0,5 MHz is above zero, so it stores 00 rather than FF.
  EXPECT_EQ(single(md::encodeRangeLimit(image, kStart, 4, "0,5"), 9), "00");
  EXPECT_EQ(single(md::encodeRangeLimit(image, kStart, 4, "0"), 9), "FF");
  EXPECT_TRUE(md::encodeRangeLimit(image, kStart, 5, "10")->empty());
}

TEST(MonitorDescriptorEdit, ColourPointsKeepTheNeighbourBitPairs) {
  // Both points present, every low bit set so a wrong mask shows.
  const Image image = block(0xFB, {0x01, 0xFF, 0, 0, 0, 0x02, 0xFF, 0, 0, 0, 0x0A, 0x20, 0x20});
  // x 0.313 is code 321: high 50, low pair 01 at bits 3-2.
  EXPECT_EQ(*md::encodeColorPoint(image, kStart, 0, "0.313"),
            (CellWrites{at(6, "F7"), at(7, "50")}));
  // y 0.329 is code 337: high 54, low pair 01 at bits 1-0.
  EXPECT_EQ(*md::encodeColorPoint(image, kStart, 1, "0,329"),
            (CellWrites{at(6, "FD"), at(8, "54")}));
  EXPECT_EQ(*md::encodeColorPoint(image, kStart, 3, "0.313"),
            (CellWrites{at(11, "F7"), at(12, "50")}));
  EXPECT_EQ(*md::encodeColorPoint(image, kStart, 4, "0"), (CellWrites{at(11, "FC"), at(13, "00")}));
  EXPECT_EQ(single(md::encodeColorPoint(image, kStart, 0, "1.00"), 7),
            "refused: This value must be a fraction less than 1.00");
  EXPECT_EQ(single(md::encodeColorPoint(image, kStart, 4, "65535"), 13),
            "refused: This value must be a fraction less than 1.00");

  EXPECT_EQ(single(md::encodeColorPoint(image, kStart, 2, "2.2"), 9), "78");
  EXPECT_EQ(single(md::encodeColorPoint(image, kStart, 2, "2,2"), 9), "78");
  EXPECT_EQ(single(md::encodeColorPoint(image, kStart, 5, "1.00"), 14), "00");
  EXPECT_EQ(single(md::encodeColorPoint(image, kStart, 5, "3.55"), 14), "FF");
  EXPECT_EQ(single(md::encodeColorPoint(image, kStart, 5, "1.125"), 14), "0D");  // 12.5 up
  for (const char* bad : {"3.56", "0.99", "65535"}) {
    EXPECT_EQ(single(md::encodeColorPoint(image, kStart, 2, bad), 9),
              "refused: This value must value between 1.00-3.55")
        << bad;
  }

  // An absent point takes no entry, without a message; a bad one is still refused.
  const Image absent = block(0xFB, {0x01, 0, 0, 0, 0, 0x00});
  EXPECT_TRUE(md::encodeColorPoint(absent, kStart, 3, "0.3")->empty());
  EXPECT_TRUE(md::encodeColorPoint(absent, kStart, 5, "2.2")->empty());
  EXPECT_FALSE(md::encodeColorPoint(absent, kStart, 5, "4"));

  // Written and read back, the value shows as typed.
  Image edited = image;
  edited.apply(*md::encodeColorPoint(image, kStart, 0, "0.313"));
  edited.apply(*md::encodeColorPoint(edited, kStart, 2, "2.2"));
  const auto d = md::decode(edited, kStart);
  EXPECT_EQ(d.whitePoints[0].captions[0], "White X - 0.313");
  EXPECT_EQ(d.whitePoints[0].captions[2], "Gamma  - 2.20");
}

TEST(MonitorDescriptorEdit, SwitchingAWhitePointOffTidiesItsBytes) {
  const Image both =
      block(0xFB, {0x01, 0x05, 0x50, 0x54, 0x78, 0x02, 0x05, 0x50, 0x54, 0x78, 0x0A, 0x20, 0x20});
  EXPECT_EQ(md::setWhitePoint(both, kStart, 0, true), (CellWrites{at(5, "01")}));
  EXPECT_EQ(md::setWhitePoint(both, kStart, 1, true), (CellWrites{at(10, "02")}));
  // #2 absent (index 00) over leftover bytes: on, its low bits, x, y and gamma start at 00.
  const Image leftovers =
      block(0xFB, {0x01, 0x05, 0x50, 0x54, 0x78, 0x00, 0x05, 0x50, 0x54, 0x78, 0x0A, 0x20, 0x20});
  EXPECT_EQ(md::setWhitePoint(leftovers, kStart, 1, true),
            (CellWrites{at(10, "02"), at(11, "00"), at(12, "00"), at(13, "00"), at(14, "00")}));
  // #2 off while #1 stays: its five bytes become 00, the end stays.
  EXPECT_EQ(md::setWhitePoint(both, kStart, 1, false),
            (CellWrites{at(10, "00"), at(11, "00"), at(12, "00"), at(13, "00"), at(14, "00")}));
  // #1 off with #2 already off: the block also ends with 0A 20 20.
  Image one = both;
  one.apply(md::setWhitePoint(both, kStart, 1, false));
  one.setByte(kStart + 15, 0x33);
  one.apply(md::setWhitePoint(one, kStart, 0, false));
  for (int offset = 5; offset <= 14; ++offset) EXPECT_EQ(one.cell(kStart + offset), "00");
  EXPECT_EQ(one.cell(kStart + 15), "0A");
  EXPECT_EQ(one.cell(kStart + 16), "20");
  EXPECT_EQ(one.cell(kStart + 17), "20");
  EXPECT_EQ(one.cell(kStart + 3), "FB");
}

TEST(MonitorDescriptorEdit, ExtraTimingEntries) {
  const Image image =
      block(0xFA, {0x61, 0x4F, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0xC5, 0x0A});
  const auto horizontal = [&](int t, const char* text) {
    return single(md::encodeExtraHorizontal(image, kStart, t, text), 5 + 2 * t);
  };
  EXPECT_EQ(horizontal(0, "1024"), "61");
  EXPECT_EQ(horizontal(1, "1280"), "81");
  EXPECT_EQ(horizontal(5, "640"), "31");
  EXPECT_EQ(horizontal(2, "2291"), "FF");
  EXPECT_EQ(horizontal(2, "2292"), "refused: Invalid Value");
  EXPECT_EQ(horizontal(2, "65535"), "refused: Invalid Value");
  // 244 and 252 are -0.5 and 0.5 from 00: halves to even store 00, an unused slot.
  EXPECT_EQ(horizontal(2, "244"), "00");
  EXPECT_EQ(horizontal(2, "252"), "00");
  EXPECT_EQ(horizontal(2, "0"), "00");
  EXPECT_EQ(horizontal(2, "243"), "refused: Invalid Value");
  EXPECT_EQ(horizontal(2, "1"), "refused: Invalid Value");
  EXPECT_EQ(horizontal(2, "-8"), "refused: Invalid Value");

  const auto refresh = [&](int t, const char* text) {
    return single(md::encodeExtraRefresh(image, kStart, t, text), 6 + 2 * t);
  };
  EXPECT_EQ(refresh(1, "60"), "00");
  EXPECT_EQ(refresh(1, "123"), "3F");
  EXPECT_EQ(refresh(1, "59"), "refused: Invalid Value");
  EXPECT_EQ(refresh(1, "124"), "refused: Invalid Value");
  EXPECT_EQ(refresh(1, "65535"), "refused: Invalid Value");
  // The aspect bits stay: C5 with 75 Hz is CF; 4F with 60 Hz is 40.
  EXPECT_EQ(refresh(5, "75"), "CF");
  EXPECT_EQ(refresh(0, "60"), "40");

  EXPECT_EQ(md::setExtraAspect(image, kStart, 0, 3), (CellWrites{at(6, "CF")}));
  EXPECT_EQ(md::setExtraAspect(image, kStart, 5, 0), (CellWrites{at(16, "05")}));
  EXPECT_TRUE(md::setExtraAspect(image, kStart, 6, 0).empty());

  // 1024 at 75 Hz, 4:3 written into an unused slot reads back as typed.
  Image edited = image;
  edited.apply(*md::encodeExtraHorizontal(edited, kStart, 3, "1024"));
  edited.apply(md::setExtraAspect(edited, kStart, 3, 1));
  edited.apply(*md::encodeExtraRefresh(edited, kStart, 3, "75"));
  EXPECT_EQ(edited.cell(kStart + 11), "61");
  EXPECT_EQ(edited.cell(kStart + 12), "4F");
  EXPECT_EQ(md::decode(edited, kStart).extraTimings.timings[3].text, "1024 X 768 @75Hz");
}

}  // namespace
}  // namespace edid
