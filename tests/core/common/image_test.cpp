#include "core/common/image.h"

#include <gtest/gtest.h>

namespace edid {
namespace {

// Texts typed one after another into one cell: each is kept as typed and read by
// the HexToChr rules (a digit is its code minus 48, "" is 0, a second digit is
// optional, a third ignored; outside 0..255 is unreadable and reads as 0). Values
// worked by hand.
TEST(Image, ACellKeepsWhatWasTypedAndReadsItAsAByte) {
  struct Row {
    const char* typed;
    int byte;
    bool readable;
  };
  const Row rows[] = {
      {"ZZ", 0, false},    // 42 * 16 + 42
      {"0G", 23, true},    // 0 * 16 + 23
      {"-1", 0, false},    // -3 * 16 + 1
      {"3c", 60, true},    // lower case kept as typed
      {"A", 160, true},    // one digit is the high one
      {"FFF", 255, true},  // the third is not read
      {"", 0, true},      {"3C", 60, true}, {"ZZ", 0, false},
  };
  Image image;
  for (const Row& row : rows) {
    image.setCell(17, row.typed);
    EXPECT_EQ(image.cell(17), row.typed);
    EXPECT_EQ(image.byte(17), row.byte) << row.typed;
    EXPECT_EQ(image.readable(17), row.readable) << row.typed;
    EXPECT_EQ(image.cell(16), "00");
    EXPECT_EQ(image.cell(18), "00");
  }
  // Whatever the way there, the same texts make the same image.
  image.setCell(17, "3C");
  EXPECT_EQ(image, Image::fromBytes(std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                              0, 0, 0, 0, 0x3C}));
  EXPECT_EQ(Image().cell(128), "");
  EXPECT_EQ(Image().cell(129), "");
}

}  // namespace
}  // namespace edid
