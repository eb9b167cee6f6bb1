// The hex calculator: entry, operations, the three modes and their errors.
// Expected values are worked out by hand (1A5 = 421, 1100 = 12, ...).
#include "core/calculator/hex_calculator.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "core/common/numbers.h"
#include "support/fake_host.h"

namespace edid {
namespace {

using Calc = HexCalculator;

class HexCalculatorTest : public ::testing::Test {
 protected:
  void press(std::initializer_list<int> keys) {
    for (int key : keys) calc.Command1_Click(key);
  }
  const std::string& entry() const { return calc.CurrentCell.text; }
  const std::string& shown() const { return calc.Display.caption; }

  test::FakeHost host;
  HexCalculator calc{host};
};

TEST_F(HexCalculatorTest, ComputesWithoutChainingAndInOperandOrder) {
  press({1, 2, Calc::kPlus, 3, Calc::kEnter});
  EXPECT_EQ(entry(), "15");
  EXPECT_EQ(shown(), "15");
  EXPECT_EQ(calc.PendingOperator, "");

  // A second operator replaces the first operand and operator: 3 + 4.
  press({Calc::kClear, 2, Calc::kPlus, 3, Calc::kPlus, 4, Calc::kEnter});
  EXPECT_EQ(entry(), "7");

  press({Calc::kClear, 1, 0, Calc::kMinus, 4, Calc::kEnter});
  EXPECT_EQ(entry(), "6");
  press({Calc::kClear, 1, Calc::kDivide, 4, Calc::kEnter});
  EXPECT_EQ(entry(), "0.25");

  press({Calc::kClear, 5, Calc::kSign});
  EXPECT_EQ(entry(), "-5");
  press({Calc::kSign});
  EXPECT_EQ(entry(), "5");

  // "CE" forgets the stored operand only.
  press({Calc::kClear, 9, Calc::kTimes, 3, Calc::kClearEntry});
  EXPECT_EQ(calc.ResultsCell.text, "");
  EXPECT_EQ(entry(), "3");
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(HexCalculatorTest, LettersAppendAHexDigitInEveryMode) {
  calc.Option1_Click(0);
  press({Calc::kDigitA});
  EXPECT_EQ(entry(), "10");
  EXPECT_EQ(shown(), "A");
  press({Calc::kDigitA + 5});
  EXPECT_EQ(entry(), "175");
  EXPECT_EQ(shown(), "AF");

  // In decimal mode the letter buttons are disabled, but the key still acts:
  // 12 is C, and CA is 202.
  calc.Option1_Click(1);
  EXPECT_FALSE(calc.Command1[Calc::kDigitA].enabled);
  press({Calc::kClear, 1, 2});
  EXPECT_TRUE(calc.Form_KeyPress('a'));
  EXPECT_EQ(entry(), "202");
  EXPECT_EQ(shown(), "202");

  // In binary mode: 3 is 11, 3A is 58 = 111010.
  calc.Option1_Click(2);
  press({Calc::kClear, 1, 1, Calc::kDigitA});
  EXPECT_EQ(entry(), "58");
  EXPECT_EQ(shown(), "111010");
}

TEST_F(HexCalculatorTest, DigitsPointAndBackStepFollowTheMode) {
  press({2, 6});
  calc.Option1_Click(0);
  EXPECT_EQ(shown(), "1A");
  press({5});
  EXPECT_EQ(entry(), "421");
  EXPECT_EQ(shown(), "1A5");
  press({Calc::kBackStep});
  EXPECT_EQ(shown(), "1A");
  EXPECT_EQ(entry(), "26");
  press({Calc::kPoint});
  EXPECT_EQ(entry(), "26");

  // A negative value: a minus sign and the digits of its magnitude.
  press({Calc::kSign});
  EXPECT_EQ(shown(), "-1A");
  press({Calc::kDigitA + 1});
  EXPECT_EQ(entry(), "-427");
  EXPECT_EQ(shown(), "-1AB");

  calc.Option1_Click(1);
  press({Calc::kClear, 1, 2});
  calc.Option1_Click(2);
  EXPECT_EQ(shown(), "1100");
  press({1});
  EXPECT_EQ(entry(), "25");
  EXPECT_EQ(shown(), "11001");
  for (int digit = 2; digit <= 9; ++digit) {
    EXPECT_TRUE(calc.Command1[digit].enabled);
    press({digit});
  }
  EXPECT_EQ(entry(), "25");
  press({Calc::kBackStep, Calc::kBackStep});
  EXPECT_EQ(shown(), "110");

  calc.Option1_Click(1);
  press({Calc::kClear, Calc::kPoint, 5, Calc::kPoint, 2});
  EXPECT_EQ(entry(), "0.52");
  press({Calc::kBackStep, Calc::kBackStep});
  EXPECT_EQ(entry(), "0.");
  press({Calc::kClear, 1, Calc::kPoint, 5, Calc::kTimes, 3, Calc::kEnter});
  EXPECT_EQ(entry(), "4.5");
  calc.Option1_Click(0);
  EXPECT_EQ(shown(), "4");  // 4.5 rounds to the even neighbour
  EXPECT_TRUE(host.messages.empty());
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

TEST_F(HexCalculatorTest, ErrorsKeepEntryOperandAndMode) {
  press({7, Calc::kDivide, 0, Calc::kEnter});
  ASSERT_EQ(host.messages, std::vector<std::string>{"Division by zero"});
  EXPECT_EQ(entry(), "0");
  EXPECT_EQ(calc.ResultsCell.text, "7");
  EXPECT_EQ(calc.PendingOperator, "/");
  press({2, Calc::kEnter});
  EXPECT_EQ(entry(), "3.5");

  // Seven hex digits fit; the eighth overflows and changes nothing.
  calc.Option1_Click(0);
  press({Calc::kClear});
  for (int i = 0; i < 7; ++i) press({Calc::kDigitA + 5});
  EXPECT_EQ(shown(), "FFFFFFF");
  press({Calc::kDigitA + 5});
  EXPECT_EQ(host.messages.back(), "Overflow");
  EXPECT_EQ(entry(), "268435455");
  EXPECT_EQ(shown(), "FFFFFFF");

  // A product beyond 32 bits cannot be shown in hex: the operands stay.
  press({Calc::kTimes, 1, 0, 0, Calc::kEnter});
  EXPECT_EQ(host.messages.size(), 3u);
  EXPECT_EQ(entry(), "256");
  EXPECT_EQ(calc.ResultsCell.text, "268435455");

  // A mode that cannot show the entry is refused.
  calc.Option1_Click(1);
  press({Calc::kClear, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  calc.Option1_Click(2);
  EXPECT_EQ(host.messages.size(), 4u);
  EXPECT_EQ(calc.DisplayMode, 1);
  EXPECT_TRUE(calc.Option1[1].value);
  EXPECT_EQ(shown(), "5000000000");
}

TEST(HexTextToNumberTest, ReadsFromTheLastCharacter) {
  EXPECT_EQ(*HexCalculator::HexTextToNumber("1A5"), 421);
  EXPECT_EQ(*HexCalculator::HexTextToNumber("7FFFFFF"), 134217727);
  // Other characters add nothing but take a place.
  EXPECT_EQ(*HexCalculator::HexTextToNumber("1G"), 16);
  EXPECT_EQ(*HexCalculator::HexTextToNumber(""), 0);
  EXPECT_EQ(HexCalculator::HexTextToNumber("10000000").error(), "Overflow");
}

TEST_F(HexCalculatorTest, TypedKeysPressTheirButtons) {
  // Characters as typed, with Enter 13, Backspace 8, Escape 27 and Delete 127.
  struct Row {
    int mode;
    std::string typed, entry, shown, operand;
  };
  const Row rows[] = {
      {1, "12+30\r", "42", "42", "12"}, {1, "12+30=", "42", "42", "12"},
      {0, "12+30\r", "66", "42", "18"},                               // hex 12 + 30 = 42
      {0, "a*B=", "110", "6E", "10"},   {1, "0070", "70", "70", ""},  // no leading zero
      {1, "7/2\r", "3.5", "3.5", "7"},  {1, "73,5\b", "73.", "73.", ""},
      {1, "9-4\x7f", "4", "4", ""},  // Delete is "CE"
      {1, "9-4\x1b", "", "", ""},    // Escape is "Clear"
  };
  for (const Row& row : rows) {
    HexCalculator fresh{host};
    fresh.Option1_Click(row.mode);
    for (char c : row.typed) EXPECT_TRUE(fresh.Form_KeyPress(c)) << row.typed;
    EXPECT_EQ(fresh.CurrentCell.text, row.entry) << row.typed;
    EXPECT_EQ(fresh.Display.caption, row.shown) << row.typed;
    EXPECT_EQ(fresh.ResultsCell.text, row.operand) << row.typed;
  }
  EXPECT_FALSE(calc.Form_KeyPress('G'));
  EXPECT_FALSE(calc.Form_KeyPress(' '));
  EXPECT_TRUE(host.messages.empty());
}

TEST(NumberTextTest, ShortestTextAtFifteenDigits) {
  EXPECT_EQ(numberText(0.1 + 0.2), "0.3");
  EXPECT_EQ(numberText(-0.5), "-0.5");
  EXPECT_EQ(numberText(100), "100");
  EXPECT_EQ(numberText(123456789012345.0), "123456789012345");
  EXPECT_EQ(numberText(1e20), "1E+20");
  EXPECT_EQ(numberText(2.5e-7), "2.5E-07");
  EXPECT_EQ(numberText(0.00012), "0.00012");
}

}  // namespace
}  // namespace edid
