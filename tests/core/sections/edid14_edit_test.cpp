// EDID 1.4 decoding worked out by hand from the VESA layout: range rates with
// offsets and F8 codes (the editors are rows of tests/data/block_editors.txt).
#include <gtest/gtest.h>

#include "core/sections/cvt_codes.h"
#include "core/sections/monitor_descriptor.h"
#include "core/sections/range_limits.h"

namespace edid {
namespace {

constexpr int s = 54;

// A 1.x image whose block at 54 holds tag and bytes 4.. from data.
Image imageOf(int revision, int tag, std::vector<int> data, int byte20 = 0) {
  Image image;
  image.setByte(18, 1);
  image.setByte(19, revision);
  image.setByte(20, byte20);
  image.setByte(s + 3, tag);
  for (std::size_t i = 0; i < data.size(); ++i) image.setByte(s + 4 + int(i), data[i]);
  return image;
}

// Decoding by hand: offsets add 255; an F8 code's width comes from its lines and aspect.
TEST(Edid14Edit, DecodesTheHandWorkedValues) {
  const auto limits =
      range_limits::decode(imageOf(4, 0xFD, {0x0F, 0x2D, 0x69, 0x05, 0x14, 0xFF, 0x01}), s);
  EXPECT_EQ(limits.captions[0], "Min Vertical Freq - 300 Hz");
  EXPECT_EQ(limits.captions[3], "Max Horiz. Freq - 275 KHz");
  EXPECT_EQ(limits.supportLines, std::vector<std::string>{"Timing Support - Range Limits Only"});
  // The same bytes in 1.3: no offsets.
  EXPECT_EQ(range_limits::decode(imageOf(3, 0xFD, {0x0F, 0x2D}), s).captions[0],
            "Min Vertical Freq - 45 Hz");
  // Before 1.4, F7 is one of the undefined tags.
  EXPECT_EQ(monitor_descriptor::decode(imageOf(3, 0xF7, {}), s).type,
            monitor_descriptor::Type::Undefined);
  const auto code = cvt_codes::decodeCode(0x1B, 0x2C, 0x2A);  // 1080 lines, 15:9
  EXPECT_EQ(code.text, "1800 X 1080 (15:9) @ 60Hz Preferred");
  EXPECT_EQ(code.ratesText, "Supported: 60, 85 Hz");
}

}  // namespace
}  // namespace edid
