// Bytes 25-34: where each coordinate's ten bits live, the three-decimal text and the
// fraction-to-code rounding.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/common/numbers.h"
#include "core/sections/chromaticity.h"

namespace edid {
namespace {

using namespace chromaticity;

TEST(Chromaticity, LowPairsSitTwoBitsPerCoordinate) {
  Image image;
  image.setByte(25, 0x1B);  // 00 01 10 11: red x, red y, green x, green y
  image.setByte(26, 0xE4);  // 11 10 01 00: blue x, blue y, white x, white y
  image.setByte(27, 0x01);
  image.setByte(34, 0x80);
  const auto decoded = decode(image);
  EXPECT_EQ(decoded.codes, (std::array<int, 8>{4, 1, 2, 3, 3, 2, 1, 512}));
  EXPECT_EQ(decoded.xText, "Red X - 0.004 Green X - 0.002 Blue X - 0.003 White X - 0.001");
  EXPECT_EQ(decoded.yText, "Red Y - 0.001 Green Y - 0.003 Blue Y - 0.002 White Y - 0.500");

  EXPECT_EQ(decode(Image()).xText, "Red X - 0.000 Green X - 0.000 Blue X - 0.000 White X - 0.000");
  for (int i = 25; i <= 34; ++i) image.setByte(i, 0xFF);
  for (const auto& text : decode(image).texts) EXPECT_EQ(text, "0.999");
}

// Entering the text a code shows lands on a code that shows the same text, and
// entering that again changes nothing more.
TEST(Chromaticity, EveryCodeRoundTripsThroughItsText) {
  int moved = 0;
  for (int code = 0; code < 1024; ++code) {
    const std::string text = fractionText(code / 1024.0);
    const int entered = codeOfBits(FractionToChromaCode(leadingNumber(text)));
    EXPECT_EQ(fractionText(entered / 1024.0), text) << code;
    EXPECT_LE(std::abs(entered - code), 1) << code;
    const int again =
        codeOfBits(FractionToChromaCode(leadingNumber(fractionText(entered / 1024.0))));
    EXPECT_EQ(again, entered) << code;
    moved += entered != code;
  }
  // 1024 codes share 1000 texts, so a few must move.
  EXPECT_GE(moved, 24);
}

// The entries, code texts and fraction rounding are rows of tests/data/block_editors.txt.

}  // namespace
}  // namespace edid
