// The hex calculator: entry, operations, the three modes and their errors.
// Key sequences and their expected values (worked out by hand) are rows of
// tests/data/calculator_keys.txt.
#include "core/calculator/hex_calculator.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "core/rows.h"
#include "support/corpus.h"
#include "support/fake_host.h"

namespace edid {
namespace {

using Calc = HexCalculator;

class HexCalculatorTest : public ::testing::Test {
 protected:
  test::FakeHost host;
  HexCalculator calc{host};
};

// Types KEYS of a row of calculator_keys.txt, naming keys and buttons in <...>.
void type(HexCalculator& calc, const std::string& keys) {
  static const std::map<std::string, std::function<void(HexCalculator&)>> kNamed = {
      {"CR", [](Calc& c) { c.Form_KeyPress(13); }},
      {"BS", [](Calc& c) { c.Form_KeyPress(8); }},
      {"ESC", [](Calc& c) { c.Form_KeyPress(27); }},
      {"DEL", [](Calc& c) { c.Form_KeyPress(127); }},
      {"SIGN", [](Calc& c) { c.Command1_Click(Calc::kSign); }},
      {"HEX", [](Calc& c) { c.Option1_Click(0); }},
      {"DEC", [](Calc& c) { c.Option1_Click(1); }},
      {"BIN", [](Calc& c) { c.Option1_Click(2); }},
  };
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] != '<') {
      EXPECT_TRUE(calc.Form_KeyPress(keys[i])) << keys[i];
      continue;
    }
    const std::size_t end = keys.find('>', i);
    kNamed.at(keys.substr(i + 1, end - i - 1))(calc);
    i = end;
  }
}

TEST_F(HexCalculatorTest, EveryKeySequenceOfTheTable) {
  const std::map<std::string, int> modes = {{"HEX", 0}, {"DEC", 1}, {"BIN", 2}};
  int rows = 0;
  for (const test::Row& row : test::readRows("calculator_keys.txt")) {
    const auto& f = row.fields;
    const std::string& line = row.text;
    ASSERT_EQ(f.size(), 6u) << line;
    test::FakeHost quiet;
    HexCalculator fresh{quiet};
    fresh.Option1_Click(modes.at(f[0]));
    type(fresh, f[1]);
    const auto check = [&](const std::string& expected, const std::string& actual) {
      if (expected != "*") {
        EXPECT_EQ(actual, expected) << line;
      }
    };
    check(f[2], fresh.CurrentCell.text);
    check(f[3], fresh.Display.caption);
    check(f[4], fresh.ResultsCell.text);
    check(f[5], quiet.messages.empty() ? "-" : quiet.messages.back());
    ++rows;
  }
  EXPECT_GT(rows, 30);
  EXPECT_FALSE(calc.Form_KeyPress('G'));
  EXPECT_FALSE(calc.Form_KeyPress(' '));
}

TEST_F(HexCalculatorTest, ModesSwitchTheirButtons) {
  EXPECT_EQ(calc.DisplayMode, 1);
  EXPECT_TRUE(calc.Option1[1].value);
  EXPECT_TRUE(calc.Command1[Calc::kPoint].enabled);
  calc.Option1_Click(2);
  EXPECT_EQ(calc.DisplayMode, 2);
  EXPECT_FALSE(calc.Command1[Calc::kPoint].enabled);
  EXPECT_TRUE(calc.Option1[2].value);
  EXPECT_FALSE(calc.Option1[1].value);
  calc.Option1_Click(0);
  EXPECT_EQ(calc.DisplayMode, 0);
  EXPECT_FALSE(calc.Command1[Calc::kPoint].enabled);
  for (int i = Calc::kDigitA; i < Calc::kPlus; ++i) EXPECT_TRUE(calc.Command1[i].enabled) << i;
  calc.Option1_Click(2);
  EXPECT_FALSE(calc.Command1[Calc::kDigitA + 5].enabled);
  calc.Option1_Click(1);
  EXPECT_TRUE(calc.Command1[Calc::kPoint].enabled);
  EXPECT_FALSE(calc.Command1[Calc::kDigitA].enabled);
}

TEST(HexTextToNumberTest, ReadsFromTheLastCharacter) {
  EXPECT_EQ(*HexCalculator::HexTextToNumber("1A5"), 421);
  EXPECT_EQ(*HexCalculator::HexTextToNumber("7FFFFFF"), 134217727);
  // Other characters add nothing but take a place.
  EXPECT_EQ(*HexCalculator::HexTextToNumber("1G"), 16);
  EXPECT_EQ(*HexCalculator::HexTextToNumber(""), 0);
  EXPECT_EQ(HexCalculator::HexTextToNumber("10000000").error(), "Overflow");
}

}  // namespace
}  // namespace edid
