// Bytes 20-24: the texts and their line breaks, the bit editors and the size and
// gamma entries, with values worked out by hand from the EDID layout.
#include <gtest/gtest.h>

#include "core/sections/basic_display.h"

namespace edid {
namespace {

using namespace basic_display;

Image withByte(int index, int value) {
  Image image;
  image.setByte(index, value);
  return image;
}

const std::string kBreak = "\r\n         ";

TEST(BasicDisplay, VideoInputTextsAndTheSyncListBreak) {
  // Four sync bits: the list passes 40 characters before "Separate Syncs".
  auto video = decodeVideoInput(withByte(20, 0x0F));
  EXPECT_EQ(video.syncText,
            "Serration of the Vsync, Sync on Green, Composite Sync, " + kBreak + "Separate Syncs");
  EXPECT_EQ(video.sync, (std::array<bool, 5>{true, true, true, true, false}));
  // All five: still one break only.
  video = decodeVideoInput(withByte(20, 0x1F));
  EXPECT_EQ(video.syncText, "Serration of the Vsync, Sync on Green, Composite Sync, " + kBreak +
                                "Separate Syncs, Blank-to-Black Setup");
  // Exactly 40 characters before bit 4: not over 40, so no break.
  video = decodeVideoInput(withByte(20, 0x19));
  EXPECT_EQ(video.syncText, "Serration of the Vsync, Separate Syncs, Blank-to-Black Setup");
  video = decodeVideoInput(withByte(20, 0x02));
  EXPECT_EQ(video.text,
            "Analog Signal" + kBreak + "0.700, 0.300 (1.000 Vp-p)" + kBreak + "  Sync on Green");
  video = decodeVideoInput(withByte(20, 0x68));
  EXPECT_EQ(video.signalLevel, 3);
  EXPECT_EQ(video.levelText, "0.700, 0.000 (0.700 Vp-p)");
  EXPECT_EQ(video.syncText, "Separate Syncs");
  // Digital: the analog bits are not read.
  video = decodeVideoInput(withByte(20, 0x8F));
  EXPECT_TRUE(video.digital);
  EXPECT_EQ(video.sync, (std::array<bool, 5>{}));
  EXPECT_EQ(video.text,
            "Digital Signal" + kBreak + std::string(15, ' ') + kBreak + std::string(15, ' '));
}

TEST(BasicDisplay, FeatureListBreaksOnceBeforeTheLowFlags) {
  auto features = decodeFeatureSupport(withByte(24, 0xF7));
  EXPECT_EQ(features.displayTypeText, "Non R/G/B Multicolor");
  EXPECT_EQ(features.text, "Stand-By, Suspend, Active Off, Standard Default Color Space, " +
                               kBreak + "Preferred Timing Mode, GTF supported");
  // Without bit 2 the list stays short enough for one line.
  features = decodeFeatureSupport(withByte(24, 0xE3));
  EXPECT_EQ(features.text, "Stand-By, Suspend, Active Off, Preferred Timing Mode, GTF supported");
  EXPECT_EQ(features.displayTypeText, "Monochrome / grayscale");
  features = decodeFeatureSupport(withByte(24, 0x0A));
  EXPECT_EQ(features.text, "Preferred Timing Mode");
  EXPECT_EQ(features.displayTypeText, "R/G/B Color");
  EXPECT_EQ(features.features, (std::array<bool, 6>{false, false, false, false, true, false}));
}

TEST(BasicDisplay, SizeAndGammaTexts) {
  EXPECT_EQ(sizeText(withByte(21, 0x00), 21), " mm");
  EXPECT_EQ(sizeText(withByte(21, 0xFF), 21), "2550 mm");
  EXPECT_EQ(sizeText(withByte(22, 0x22), 22), "340 mm");
  EXPECT_EQ(gammaText(withByte(23, 0x00)), "1.00");
  EXPECT_EQ(gammaText(withByte(23, 0x78)), "2.20");
  EXPECT_EQ(gammaText(withByte(23, 0xFF)), "3.55");
}

TEST(BasicDisplay, BitEditorsChangeOnlyTheirBits) {
  Image image = withByte(20, 0xE5);
  EXPECT_EQ(setSignalLevel(image, 1), (CellWrites{{20, "A5"}}));
  EXPECT_EQ(setSync(image, 4, true), (CellWrites{{20, "F5"}}));
  EXPECT_EQ(setSync(image, 0, false), (CellWrites{{20, "E4"}}));
  EXPECT_EQ(setVideoMode(0), (CellWrites{{20, "00"}}));
  EXPECT_EQ(setVideoMode(1), (CellWrites{{20, "80"}}));
  image = withByte(24, 0xFF);
  EXPECT_EQ(setDisplayType(image, 1), (CellWrites{{24, "EF"}}));
  EXPECT_EQ(setFeature(image, 3, false), (CellWrites{{24, "FB"}}));  // bit 2
  EXPECT_EQ(setFeature(image, 2, false), (CellWrites{{24, "DF"}}));  // bit 5
  EXPECT_EQ(setFeature(withByte(24, 0), 5, true), (CellWrites{{24, "01"}}));
}

TEST(BasicDisplay, SizeEntriesRoundHalvesAwayFromZero) {
  const auto size = [](const char* text) { return encode(Entry::HorizSize, text); };
  EXPECT_EQ(*size("2550"), (CellWrites{{21, "FF"}}));
  EXPECT_EQ(*size("2546"), (CellWrites{{21, "FF"}}));
  EXPECT_EQ(*size("473"), (CellWrites{{21, "2F"}}));
  EXPECT_EQ(*size("2545"), (CellWrites{{21, "FF"}}));  // 254.5: half to even would give FE
  EXPECT_EQ(*size("5"), (CellWrites{{21, "01"}}));     // 0.5
  EXPECT_EQ(*size("0"), (CellWrites{{21, "00"}}));
  EXPECT_EQ(*encode(Entry::VertSize, "300 mm"), (CellWrites{{22, "1E"}}));
  for (const char* bad : {"2556", "-10", "-0.1", "1e9"})
    EXPECT_EQ(size(bad).error(), "This value must value between 0 and 2550") << bad;
}

TEST(BasicDisplay, GammaEntriesTakeAPointOrAComma) {
  const auto gamma = [](const char* text) { return encode(Entry::Gamma, text); };
  EXPECT_EQ(*gamma("2.2"), (CellWrites{{23, "78"}}));
  EXPECT_EQ(*gamma(" 2,2 "), (CellWrites{{23, "78"}}));
  EXPECT_EQ(*gamma("1"), (CellWrites{{23, "00"}}));
  EXPECT_EQ(*gamma("3.55"), (CellWrites{{23, "FF"}}));
  EXPECT_EQ(*gamma("1.125"), (CellWrites{{23, "0D"}}));  // 12.5 goes up, not to even
  EXPECT_EQ(*gamma("1.15"), (CellWrites{{23, "0F"}}));   // 14.999... in binary, still 15
  for (const char* bad : {"0.99", "3.56", "-2.2"})
    EXPECT_EQ(gamma(bad).error(), "This value must value between 1.00-3.55") << bad;
}

}  // namespace
}  // namespace edid
