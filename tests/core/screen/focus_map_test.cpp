#include "core/screen/focus_map.h"

#include <gtest/gtest.h>

#include "core/common/image.h"

namespace edid::focus {
namespace {

TEST(FocusMap, SectionBoundariesAndFrames) {
  struct Row {
    int first, last, hint;
  };
  // Established timings have a frame per byte; blocks start at Hints(9).
  const Row rows[] = {{0, 7, 0},   {8, 17, 1},   {18, 19, 2},   {20, 24, 3},
                      {25, 34, 4}, {35, 35, 5},  {36, 36, 6},   {37, 37, 7},
                      {38, 53, 8}, {54, 125, 9}, {126, 127, 13}};
  int next = 0;
  for (const Row& row : rows) {
    ASSERT_EQ(row.first, next) << "sections must tile the image";
    for (int i = row.first; i <= row.last; ++i) EXPECT_EQ(hintOfByte(i), row.hint) << i;
    next = row.last + 1;
  }
  EXPECT_EQ(next, kEdidSize);
  for (int outside : {-1, 128, 129}) {
    EXPECT_EQ(sectionOfByte(outside), Section::None);
    EXPECT_EQ(hintOfByte(outside), -1);
    EXPECT_EQ(colouringOfByte(outside).field, CellRange{});
  }
}

TEST(FocusMap, FieldLiesInsideItsSectionAndHoldsTheCell) {
  for (int i = 0; i < kEdidSize; ++i) {
    const Colouring c = colouringOfByte(i);
    EXPECT_TRUE(c.field.contains(i)) << i;
    EXPECT_TRUE(c.section.contains(c.field.first) && c.section.contains(c.field.last)) << i;
  }
  // Offsets 0-1 of a block are a pair in every kind of block.
  EXPECT_EQ(colouringOfByte(73).field, (CellRange{72, 73}));
  EXPECT_EQ(colouringOfByte(74).field, (CellRange{74, 74}));
}

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
