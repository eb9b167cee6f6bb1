// The EDID 1.4 editors against bytes worked out by hand from the VESA layout:
// range rates with offsets, the timing support byte, F7 and F8 blocks, the digital
// input's depth and interface, and the 1.4 descriptor types. Block at 54.
#include <gtest/gtest.h>

#include <functional>

#include "core/common/text.h"
#include "core/sections/cvt_codes.h"
#include "core/sections/digital_input.h"
#include "core/sections/established_iii.h"
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

// "58=02 60=69", or "!message" for a refusal.
std::string shown(const Result<CellWrites>& writes) {
  if (!writes) return "!" + writes.error();
  std::string out;
  for (const auto& w : *writes)
    out += (out.empty() ? "" : " ") + std::to_string(w.index) + "=" + w.text;
  return out;
}

struct Row {
  const char* what;
  std::function<Result<CellWrites>()> edit;
  const char* expected;
};

// Range limits 48-120 Hz, 30-80 kHz, 150 MHz (bytes 4-9).
const std::vector<int> kRange = {0x00, 0x30, 0x78, 0x1E, 0x50, 0x0F, 0x00};
const std::vector<int> kRange360 = {0x02, 0x30, 0x69, 0x1E, 0x50, 0x0F, 0x00};

TEST(Edid14Edit, EditorsWriteTheHandWorkedBytes) {
  namespace rl = range_limits;
  const Image fd14 = imageOf(4, 0xFD, kRange), fd13 = imageOf(3, 0xFD, kRange);
  const Image fd360 = imageOf(4, 0xFD, kRange360);
  const Image cvt14 = imageOf(4, 0xFD, {0x00, 0x30, 0x78, 0x1E, 0x50, 0x0F, 0x04, 0x11});
  const Image f7 = imageOf(4, 0xF7, {0x00, 0x0A, 0x00, 0x00});
  const Image f8 = imageOf(4, 0xF8, {0x00, 0x01, 0x1B, 0x24, 0x28});
  const Image dp = imageOf(4, 0xFC, {}, 0xA5);
  const std::vector<Row> rows = {
      {"max V 360 sets bit 1", [&] { return rl::encodeRate(fd14, s, 1, "360"); },
       "58=02 59=30 60=69"},
      {"min V 300 needs max", [&] { return rl::encodeRate(fd14, s, 0, "300"); },
       "!The minimum can only pass 255 when the maximum does"},
      {"min V 300 with max 360", [&] { return rl::encodeRate(fd360, s, 0, "300"); },
       "58=03 59=2D 60=69"},
      {"max V back to 200", [&] { return rl::encodeRate(fd360, s, 1, "200"); },
       "58=00 59=30 60=C8"},
      {"min H 0 keeps V bits", [&] { return rl::encodeRate(fd360, s, 2, "0"); },
       "58=02 61=FF 62=50"},
      {"1.4 limit", [&] { return rl::encodeRate(fd14, s, 3, "511"); },
       "!Value entered must be between 0 - 510"},
      {"1.3 limit", [&] { return rl::encodeRate(fd13, s, 1, "360"); },
       "!Value entered must be between 0 - 255"},
      {"1.3 byte alone", [&] { return rl::encodeRate(fd13, s, 1, "75"); }, "60=4B"},
      {"1.3 no 01", [&] { return rl::setTimingSupport(fd13, s, 1); },
       "!Not defined for this EDID version"},
      {"1.3 secondary curve", [&] { return rl::setTimingSupport(fd13, s, 2); },
       "64=02 65=00 66=20 67=50 68=58 69=02 70=80 71=28"},
      {"1.3 none", [&] { return rl::setTimingSupport(fd13, s, 0); },
       "64=00 65=0A 66=20 67=20 68=20 69=20 70=20 71=20"},
      {"1.4 limits only", [&] { return rl::setTimingSupport(fd14, s, 1); },
       "64=01 65=0A 66=20 67=20 68=20 69=20 70=20 71=20"},
      {"1.4 CVT", [&] { return rl::setTimingSupport(fd14, s, 4); },
       "64=04 65=11 66=00 67=00 68=F8 69=38 70=00 71=3C"},
      {"1.4 CVT kept", [&] { return rl::setTimingSupport(cvt14, s, 4); }, "64=04"},
      {"F7 1280x768@60", [&] { return established_iii::setTiming(f7, s, 9, true); }, "61=40"},
      {"F7 1920x1440@75", [&] { return established_iii::setTiming(f7, s, 43, true); }, "65=10"},
      {"F8 1200 lines", [&] { return cvt_codes::encodeLines(f8, s, 0, "1200"); }, "60=57 61=24"},
      {"F8 4000 lines", [&] { return cvt_codes::encodeLines(f8, s, 1, "4000"); }, "63=CF 64=70"},
      {"F8 odd lines", [&] { return cvt_codes::encodeLines(f8, s, 0, "1081"); }, "!Invalid Value"},
      {"F8 too many", [&] { return cvt_codes::encodeLines(f8, s, 0, "8194"); }, "!Invalid Value"},
      {"F8 cleared", [&] { return cvt_codes::encodeLines(f8, s, 0, "0"); }, "60=00 61=00 62=00"},
      {"F8 16:10", [&]() -> Result<CellWrites> { return cvt_codes::setAspect(f8, s, 0, 2); },
       "61=28"},
      {"F8 prefers 75",
       [&]() -> Result<CellWrites> { return cvt_codes::setPreferred(f8, s, 0, 2); }, "62=48"},
      {"F8 60 RB", [&]() -> Result<CellWrites> { return cvt_codes::setRate(f8, s, 0, 4, true); },
       "62=29"},
      {"F8 no 60", [&]() -> Result<CellWrites> { return cvt_codes::setRate(f8, s, 0, 1, false); },
       "62=20"},
      {"10 bits", [&]() -> Result<CellWrites> { return digital_input::setColorDepth(dp, 3); },
       "20=B5"},
      {"DVI", [&]() -> Result<CellWrites> { return digital_input::setInterface(dp, 1); }, "20=A1"},
      {"type F8", [&]() -> Result<CellWrites> { return monitor_descriptor::chooseType(dp, s, 9); },
       "57=F8 58=00 59=01"},
      {"1.4 undefined",
       [&]() -> Result<CellWrites> { return monitor_descriptor::chooseType(dp, s, 6); },
       "57=10 58=00"},
      {"1.3 has no F7",
       [&]() -> Result<CellWrites> { return monitor_descriptor::chooseType(fd13, s, 8); }, ""},
  };
  for (const Row& row : rows) EXPECT_EQ(shown(row.edit()), row.expected) << row.what;
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
