// Bytes 20-24: the texts and their line breaks, with values worked out by hand from
// the EDID layout.
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

// The size, gamma and bit editors are rows of tests/data/block_editors.txt.

}  // namespace
}  // namespace edid
