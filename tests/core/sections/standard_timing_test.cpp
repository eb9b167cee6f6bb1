// Bytes 38-53: the two-byte code and its vertical rounding.
#include <gtest/gtest.h>

#include "core/sections/standard_timing.h"

namespace edid {
namespace {

using namespace standard_timing;

// Codes, their rounding and the pairs' order are rows of tests/data/block_editors.txt.
TEST(StandardTiming, CodeZeroIsNamed16By10FromVersion13) {
  EXPECT_EQ(aspectCaption(0, true), "16:10 Aspect Ratio");
  EXPECT_EQ(aspectCaption(0, false), "1:1 Aspect Ratio");
}

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
