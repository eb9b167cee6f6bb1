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

TEST(Chromaticity, TextsRoundHalvesUp) {
  EXPECT_EQ(fractionText(ChromaCodeToFraction(0x10, 0)), "0.063");  // 0.0625
  EXPECT_EQ(fractionText(ChromaCodeToFraction(0x30, 0)), "0.188");  // 0.1875
  EXPECT_EQ(fractionText(ChromaCodeToFraction(0x50, 0)), "0.313");  // 0.3125
  EXPECT_EQ(ChromaCodeToFraction(0xFF, 3), 1023 / 1024.0);
}

TEST(Chromaticity, FractionsGoToTheNearestCode) {
  const auto codeOf = [](double f) { return codeOfBits(FractionToChromaCode(f)); };
  EXPECT_EQ(FractionToChromaCode(0.640), "1010001111");  // 655: A3 and 3
  EXPECT_EQ(codeOf(0.5), 512);
  EXPECT_EQ(codeOf(0.3125), 320);
  EXPECT_EQ(codeOf(0.313), 321);
  EXPECT_EQ(FractionToChromaCode(0.150), "0010011010");  // 154: 26 and 2
  EXPECT_EQ(codeOf(0.0004), 0);
  EXPECT_EQ(codeOf(0.0005), 1);
  EXPECT_EQ(codeOf(-0.3), 0);
  // Past 1023 the field cannot follow: the top code stays.
  EXPECT_EQ(codeOf(0.9995), 1023);
  EXPECT_EQ(codeOf(0.99999), 1023);
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

// The entries are rows of tests/data/block_editors.txt.

}  // namespace
}  // namespace edid
