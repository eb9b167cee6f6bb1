#include "core/screen/focus_map.h"

#include <gtest/gtest.h>

#include "core/common/image.h"

namespace edid::focus {
namespace {

TEST(FocusMap, OffsetsSelectTheirOptions) {
  // Detailed timing options are not in byte order on the frame.
  const int detailed[18] = {0, 0, 1, 2, -1, 3, 4, -1, 5, 6, 7, 8, 11, 12, -1, 9, 10, -1};
  const int whitePoint[18] = {-1, -1, -1, -1, -1, -1, -1, 0, 1, 2, -1, -1, 3, 4, 5, -1, -1, -1};
  for (int o = 0; o < 18; ++o) {
    EXPECT_EQ(detailedTimingOption(o), detailed[o]) << o;
    EXPECT_EQ(detailedTimingHidesInput(o), o == 4 || o == 7 || o == 14) << o;
    EXPECT_EQ(rangeLimitOption(o), o >= 5 && o <= 9 ? o - 5 : -1) << o;
    EXPECT_EQ(colourPointOption(o), whitePoint[o]) << o;
    const bool timing = o >= 5 && o <= 16;
    EXPECT_EQ(extStandardFrameEnabled(o), timing) << o;
    EXPECT_EQ(extStandardOption(o), timing ? (o - 5) / 2 : -1) << o;
  }
}

}  // namespace
}  // namespace edid::focus
