#include "core/common/text.h"

#include <gtest/gtest.h>

#include "core/common/numbers.h"

namespace edid {
namespace {

// The report centres its titles in 70 columns, halves to even.
TEST(TextHelpers, Centring) {
  EXPECT_EQ(CenterText("ab", 10), "    ab");
  EXPECT_EQ(CenterText("abc", 10), "    abc");    // 3.5 rounds to 4
  EXPECT_EQ(CenterText("abcde", 10), "  abcde");  // 2.5 rounds to 2
  EXPECT_EQ(CenterText("abcdefghij", 10), "");
  EXPECT_EQ(CenterText("ab\r\n", 10), "    ab\r\n");
}

TEST(Numbers, LeadingNumberReadsWhatAUserTyped) {
  EXPECT_EQ(leadingNumber("1234"), 1234);
  EXPECT_EQ(leadingNumber("  12abc"), 12);
  EXPECT_EQ(leadingNumber("abc"), 0);
  EXPECT_EQ(leadingNumber(""), 0);
  EXPECT_EQ(leadingNumber("-"), 0);
  EXPECT_EQ(leadingNumber("-3.5"), -3.5);
  EXPECT_EQ(leadingNumber(".5"), 0.5);
  EXPECT_EQ(leadingNumber("2e3x"), 2000);
  EXPECT_EQ(leadingNumber("2ex"), 2);
  EXPECT_EQ(leadingNumber("1e999"), 0);  // not a finite number
}

TEST(Numbers, RoundingRules) {
  EXPECT_EQ(roundHalfEven(2.5), 2);
  EXPECT_EQ(roundHalfEven(3.5), 4);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
  EXPECT_EQ(roundHalfEven(1e30), INT64_MAX);
  EXPECT_EQ(formatNumber(2.5, "0"), "3");
  EXPECT_EQ(formatNumber(-0.5, "0"), "-1");
  EXPECT_EQ(formatNumber(2.675, "0.00"), "2.68");
  EXPECT_EQ(formatNumber(0.0005, "0.000"), "0.001");
  EXPECT_EQ(formatNumber(1234, "00000"), "01234");
  EXPECT_EQ(formatNumber(4294967295.0, "00000"), "4294967295");
  EXPECT_EQ(formatNumber(7, "00"), "07");
  EXPECT_EQ(formatNumber(0, "####"), "");
  EXPECT_EQ(formatNumber(0.25, "##0.00"), "0.25");
  EXPECT_EQ(formatNumber(99.995, "##0.00"), "100.00");
  EXPECT_EQ(hexText(1234), "4D2");
  EXPECT_EQ(hexText(-1), "FFFFFFFF");
}

TEST(TextHelpers, Windows1252MapsToUnicodeBothWays) {
  // Values from the Windows-1252 code chart.
  EXPECT_EQ(windows1252ToUnicode(0x41), U'A');
  EXPECT_EQ(windows1252ToUnicode(0x80), U'\u20AC');
  EXPECT_EQ(windows1252ToUnicode(0x8A), U'\u0160');
  EXPECT_EQ(windows1252ToUnicode(0x99), U'\u2122');
  EXPECT_EQ(windows1252ToUnicode(0x9F), U'\u0178');
  EXPECT_EQ(windows1252ToUnicode(0xA0), U'\u00A0');
  EXPECT_EQ(windows1252ToUnicode(0xFF), U'\u00FF');
  for (const unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
    EXPECT_EQ(windows1252ToUnicode(undefined), U'\uFFFD') << int(undefined);

  EXPECT_EQ(unicodeToWindows1252(U'\u2122'), 0x99);
  EXPECT_EQ(unicodeToWindows1252(U'\u00E9'), 0xE9);
  EXPECT_FALSE(unicodeToWindows1252(U'\uFFFD'));
  EXPECT_FALSE(unicodeToWindows1252(U'\u0100'));
  int defined = 0;
  for (int b = 0; b < 256; ++b) {
    const char32_t u = windows1252ToUnicode(static_cast<unsigned char>(b));
    if (u == U'\uFFFD') continue;
    ++defined;
    EXPECT_EQ(unicodeToWindows1252(u), b);
  }
  EXPECT_EQ(defined, 251);

  EXPECT_EQ(windows1252ToUtf8("A\x99\x81\xE9\x80"),
            "A\xE2\x84\xA2\xEF\xBF\xBD\xC3\xA9\xE2\x82\xAC");
}

}  // namespace
}  // namespace edid
