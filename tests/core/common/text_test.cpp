#include "core/common/text.h"

#include <gtest/gtest.h>

#include "core/common/numbers.h"
#include "core/rows.h"

namespace edid {
namespace {

// The rows of tests/data/numbers.txt: a function, its arguments -> its result.
TEST(Numbers, EveryRowOfTheTable) {
  for (const test::Row& row : test::readRows("numbers.txt")) {
    // Quoted texts keep their spaces; the number before or after one is read as is.
    const auto& args = row.fields.at(1);
    const auto quoted = [](const std::string& field) {
      return field.substr(field.find('"') + 1, field.rfind('"') - field.find('"') - 1);
    };
    const std::string& name = row.fields[0];
    const std::string expected =
        row.fields.at(2).find('"') == std::string::npos ? row.fields[2] : quoted(row.fields[2]);
    if (name == "leading") {
      EXPECT_EQ(leadingNumber(quoted(args)), std::stod(expected)) << row.text;
      continue;
    }
    std::string got;
    if (name == "center")
      got = CenterText(quoted(args), std::stoi(args.substr(args.rfind('"') + 1)));
    if (name == "round") got = std::to_string(roundHalfEven(std::stod(args)));
    if (name == "format") got = formatNumber(std::stod(args), quoted(args));
    if (name == "hex") got = hexText(std::stoi(args));
    if (name == "text") got = numberText(std::stod(args));
    EXPECT_EQ(got, expected) << row.text;
  }
  EXPECT_EQ(CenterText("ab\r\n", 10), "    ab\r\n");  // the line end takes no column
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

// A report as a terminal shows it: CR LF ends become LF, a CR alone (inside a
// descriptor's text) stays, Windows-1252 becomes UTF-8. Both the copying form and
// the one that reuses a plain ASCII text's storage.
// Reports are handed to the terminal as they are unless a byte of 80-FF is found,
// looked for 32 and 8 bytes at a time, then one by one.
TEST(TextHelpers, HighBytesAreFoundWhereverTheyAre) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"plain\r\n", "plain\r\n"},
      {"0F99(\x99)", "0F99(\xE2\x84\xA2)"},
      {std::string(40, 'a'), std::string(40, 'a')},
      {"a\xE9" + std::string(45, 'a') + "\xE9", "a\xC3\xA9" + std::string(45, 'a') + "\xC3\xA9"},
      {std::string(33, 'a') + "\xE9", std::string(33, 'a') + "\xC3\xA9"},
      {std::string(41, 'a') + "\xE9", std::string(41, 'a') + "\xC3\xA9"},
  };
  for (const auto& [in, expected] : cases) {
    EXPECT_EQ(isAscii(in), in == expected) << in;
    EXPECT_EQ(windows1252ToUtf8(in), expected) << in;
  }
}

}  // namespace
}  // namespace edid
