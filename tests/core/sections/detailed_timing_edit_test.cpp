// The detailed timing editors: every field's bytes worked out by hand from the VESA
// layout, the masks that keep the neighbouring fields' bits, the refusals, and the
// flag controls. Each edit is applied and its bytes checked at once.
#include <gtest/gtest.h>

#include "core/sections/detailed_timing.h"

namespace edid {
namespace {

using detailed_timing::Field;

// 1280 x 1024 at 60 Hz, digital separate sync with both polarities positive.
const std::vector<int> k1280x1024 = {0x30, 0x2A, 0x00, 0x98, 0x51, 0x00, 0x2A, 0x40, 0x30,
                                     0x70, 0x13, 0x00, 0x2C, 0xE1, 0x10, 0x00, 0x00, 0x1E};

Image imageWithBlock(int start, const std::vector<int>& block) {
  Image image;
  for (std::size_t i = 0; i < block.size(); ++i)
    image.setByte(start + static_cast<int>(i), block[i]);
  return image;
}

// Applies a DTInput entry to the image; returns the refusal message, "" when accepted.
std::string enter(Image& image, int start, Field field, std::string_view text) {
  const auto writes = detailed_timing::encodeField(image, start, field, text);
  if (!writes) return writes.error();
  for (const auto& w : *writes) {
    EXPECT_EQ(w.text.size(), 2u);
    EXPECT_GE(w.index, start);
    EXPECT_LE(w.index, start + 17);
  }
  image.apply(*writes);
  return "";
}

TEST(DetailedTimingEdit, PixelClockInMegahertzRoundsHalvesToEven) {
  Image image = imageWithBlock(72, k1280x1024);
  EXPECT_EQ(enter(image, 72, Field::PixelClock, "108"), "");
  EXPECT_EQ(image.byte(72), 0x30);
  EXPECT_EQ(image.byte(73), 0x2A);
  EXPECT_EQ(enter(image, 72, Field::PixelClock, "655.34"), "");
  EXPECT_EQ(image.byte(72), 0xFE);
  EXPECT_EQ(image.byte(73), 0xFF);
  const Image before = image;
  EXPECT_EQ(enter(image, 72, Field::PixelClock, "655.35"), "Invalid Value");
  EXPECT_EQ(image, before);
  // 0.125 MHz is 12.5 units: to the even 12; 0.375 is 37.5: to 38.
  EXPECT_EQ(enter(image, 72, Field::PixelClock, "0.125"), "");
  EXPECT_EQ(image.byte(72), 12);
  EXPECT_EQ(image.byte(73), 0);
  EXPECT_EQ(enter(image, 72, Field::PixelClock, "0.375"), "");
  EXPECT_EQ(image.byte(72), 38);
  // A decimal comma reads as a point.
  EXPECT_EQ(enter(image, 72, Field::PixelClock, "148,5"), "");
  EXPECT_EQ(image.byte(72), 0x02);  // 14850 = 0x3A02
  EXPECT_EQ(image.byte(73), 0x3A);
}

TEST(DetailedTimingEdit, TwelveBitFieldsKeepTheNeighbourNibble) {
  Image image = imageWithBlock(54, k1280x1024);
  image.setByte(58, 0x5C);  // HA upper 5, HB upper C
  EXPECT_EQ(enter(image, 54, Field::HorizontalActive, "1280"), "");
  EXPECT_EQ(image.byte(56), 0x00);
  EXPECT_EQ(image.byte(58), 0x5C);
  EXPECT_EQ(enter(image, 54, Field::HorizontalActive, "2560"), "");
  EXPECT_EQ(image.byte(58), 0xAC);
  EXPECT_EQ(enter(image, 54, Field::HorizontalBlanking, "0x"), "");  // leading number 0
  EXPECT_EQ(image.byte(57), 0x00);
  EXPECT_EQ(image.byte(58), 0xA0);
  EXPECT_EQ(enter(image, 54, Field::HorizontalBlanking, "4095"), "");
  EXPECT_EQ(image.byte(57), 0xFF);
  EXPECT_EQ(image.byte(58), 0xAF);
  const Image before = image;
  EXPECT_EQ(enter(image, 54, Field::HorizontalActive, "4096"), "Invalid Value");
  EXPECT_EQ(image, before);

  image.setByte(61, 0x96);
  EXPECT_EQ(enter(image, 54, Field::VerticalActive, "1080"), "");  // 0x438
  EXPECT_EQ(image.byte(59), 0x38);
  EXPECT_EQ(image.byte(61), 0x46);
  EXPECT_EQ(enter(image, 54, Field::VerticalBlanking, "45"), "");
  EXPECT_EQ(image.byte(60), 45);
  EXPECT_EQ(image.byte(61), 0x40);

  image.setByte(68, 0x21);
  EXPECT_EQ(enter(image, 54, Field::HorizontalImageSize, "1210"), "");  // 0x4BA
  EXPECT_EQ(image.byte(66), 0xBA);
  EXPECT_EQ(image.byte(68), 0x41);
  EXPECT_EQ(enter(image, 54, Field::VerticalImageSize, "681"), "");  // 0x2A9
  EXPECT_EQ(image.byte(67), 0xA9);
  EXPECT_EQ(image.byte(68), 0x42);
  // The decoder reads back what the editors wrote.
  const auto t = detailed_timing::decode(image, 54);
  EXPECT_EQ(t.values[1], 2560);
  EXPECT_EQ(t.values[2], 4095);
  EXPECT_EQ(t.values[3], 1080);
  EXPECT_EQ(t.values[11], 1210);
  EXPECT_EQ(t.values[12], 681);
}

TEST(DetailedTimingEdit, SyncFieldsShareByteElevenByBitPairs) {
  Image image = imageWithBlock(54, k1280x1024);
  image.setByte(65, 0x3F);
  EXPECT_EQ(enter(image, 54, Field::HorizontalSyncOffset, "700"), "");  // 0x2BC
  EXPECT_EQ(image.byte(62), 0xBC);
  EXPECT_EQ(image.byte(65), 0xBF);
  image.setByte(65, 0xCF);
  EXPECT_EQ(enter(image, 54, Field::HorizontalSyncWidth, "300"), "");  // 0x12C
  EXPECT_EQ(image.byte(63), 0x2C);
  EXPECT_EQ(image.byte(65), 0xDF);
  const Image before = image;
  EXPECT_EQ(enter(image, 54, Field::HorizontalSyncOffset, "1024"), "Invalid Value");
  EXPECT_EQ(enter(image, 54, Field::HorizontalSyncWidth, "1024"), "Invalid Value");
  EXPECT_EQ(image, before);

  // Six-bit fields: the low nibble in byte 10, bits 5-4 in byte 11; higher bits dropped.
  image.setByte(64, 0x05);
  image.setByte(65, 0x00);
  EXPECT_EQ(enter(image, 54, Field::VerticalSyncOffset, "3"), "");
  EXPECT_EQ(image.byte(64), 0x35);
  EXPECT_EQ(enter(image, 54, Field::VerticalSyncOffset, "67"), "");  // 0x43 -> 3
  EXPECT_EQ(image.byte(64), 0x35);
  EXPECT_EQ(image.byte(65), 0x00);
  EXPECT_EQ(enter(image, 54, Field::VerticalSyncOffset, "49"), "");  // 0x31
  EXPECT_EQ(image.byte(64), 0x15);
  EXPECT_EQ(image.byte(65), 0x0C);
  EXPECT_EQ(enter(image, 54, Field::VerticalSyncWidth, "38"), "");  // 0x26
  EXPECT_EQ(image.byte(64), 0x16);
  EXPECT_EQ(image.byte(65), 0x0E);
  const auto t = detailed_timing::decode(image, 54);
  EXPECT_EQ(t.values[7], 49);
  EXPECT_EQ(t.values[8], 38);
}

TEST(DetailedTimingEdit, BordersKeepTheLowByteAndEveryFieldRefusesTooLargeOrNegative) {
  Image image = imageWithBlock(108, k1280x1024);
  EXPECT_EQ(enter(image, 108, Field::HorizontalBorder, "256"), "");
  EXPECT_EQ(image.byte(123), 0x00);
  EXPECT_EQ(enter(image, 108, Field::VerticalBorder, "8.5"), "");  // halves to even
  EXPECT_EQ(image.byte(124), 0x08);
  const Image before = image;
  for (int i = 0; i < detailed_timing::kFieldCount; ++i) {
    const auto field = static_cast<Field>(i);
    EXPECT_EQ(enter(image, 108, field, "65535"), "Invalid Value") << i;
    EXPECT_EQ(enter(image, 108, field, "-1"), "Invalid Value") << i;
  }
  EXPECT_EQ(image, before);
}

TEST(DetailedTimingEdit, FlagControlsChangeOnlyTheirBits) {
  const int s = 90;
  Image image = imageWithBlock(s, k1280x1024);
  const auto flags = [&] { return image.byte(s + 17); };
  image.apply(detailed_timing::setInterlaced(image, s, true));
  EXPECT_EQ(flags(), 0x9E);
  image.apply(detailed_timing::setInterlaced(image, s, false));
  EXPECT_EQ(flags(), 0x1E);

  image.setByte(s + 17, 0xFF);
  image.apply(detailed_timing::setStereo(image, s, 6));
  EXPECT_EQ(flags(), 0x9E);  // bits 6, 5 and 0 cleared
  const std::array<int, 6> codes = {0x20, 0x40, 0x21, 0x41, 0x60, 0x61};
  for (int k = 0; k < 6; ++k) {
    image.apply(detailed_timing::setStereo(image, s, k));
    EXPECT_EQ(flags(), 0x9E | codes[std::size_t(k)]) << k;
  }

  image.setByte(s + 17, 0x04);
  image.apply(detailed_timing::setSyncType(image, s, 3));
  EXPECT_EQ(flags(), 0x1C);
  EXPECT_EQ(detailed_timing::decode(image, s).vSyncLineCaption, "Vertical Polarity (+)");
  image.apply(detailed_timing::setSyncType(image, s, 1));
  EXPECT_EQ(flags(), 0x0C);
  image.apply(detailed_timing::setSerrate(image, s, false));
  EXPECT_EQ(flags(), 0x08);
  image.apply(detailed_timing::setSerrate(image, s, true));
  EXPECT_EQ(flags(), 0x0C);
  image.apply(detailed_timing::toggleSyncLine(image, s));
  EXPECT_EQ(flags(), 0x0E);
  image.apply(detailed_timing::toggleSyncLine(image, s));
  EXPECT_EQ(flags(), 0x0C);
  image.apply(detailed_timing::toggleVSyncLine(image, s));
  EXPECT_EQ(flags(), 0x08);
}

TEST(DetailedTimingEdit, ResetTurnsTheBlockIntoAnEmptySerialDescriptor) {
  Image image = imageWithBlock(72, k1280x1024);
  image.apply(detailed_timing::resetBlock(72));
  for (int i = 72; i < 90; ++i) EXPECT_EQ(image.cell(i), i == 75 ? "FF" : "00") << i;
  EXPECT_TRUE(detailed_timing::isDescriptor(image, 72));
  EXPECT_EQ(image.byte(71), 0x00);
  EXPECT_EQ(image.byte(90), 0x00);
}

}  // namespace
}  // namespace edid
