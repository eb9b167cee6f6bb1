#include "core/calculator/hex_calculator.h"

#include <cmath>
#include <limits>

#include "core/common/host.h"
#include "core/common/numbers.h"

namespace edid {

namespace {

constexpr std::int64_t kMaxWhole = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMinWhole = std::numeric_limits<std::int32_t>::min();
constexpr const char* kOverflow = "Overflow";

constexpr const char* kCaptions[HexCalculator::kKeyCount] = {
    "0", "1", "2", "3", "4", "5", "6", "7",     "8",     "9",  "A",   "B", "C",
    "D", "E", "F", "+", "-", "*", "/", "Enter", "Clear", "CE", "+/-", ".", "BS"};

bool isNegative(const std::string& entry) {
  return !entry.empty() && entry.front() == '-';
}

// The entry's value as a whole number (halves to even); the hexadecimal and
// binary forms only exist within the signed 32-bit range.
Result<std::int64_t> wholeValue(const std::string& entry) {
  const double value = leadingNumber(entry);
  if (std::fabs(value) > 4.0e9) return failure(kOverflow);
  const std::int64_t whole = roundHalfEven(value);
  if (whole > kMaxWhole || whole < kMinWhole) return failure(kOverflow);
  return whole;
}

// A negative value shows as a minus sign and the digits of its magnitude.
std::string signedForm(std::int64_t value, int base) {
  std::uint64_t magnitude =
      value < 0 ? static_cast<std::uint64_t>(-value) : static_cast<std::uint64_t>(value);
  std::string digits;
  do {
    digits.insert(digits.begin(), "0123456789ABCDEF"[magnitude % base]);
    magnitude /= base;
  } while (magnitude != 0);
  return value < 0 ? "-" + digits : digits;
}

}  // namespace

struct HexCalculator::State {
  std::array<Button, kKeyCount> Command1;
  TextBox CurrentCell, ResultsCell;
  Label Display;
  std::array<OptionButton, 3> Option1;
  std::int16_t DisplayMode;
  std::string PendingOperator;
  bool StartNewOperand;
  std::string LastEntryText;
};

HexCalculator::HexCalculator(Host& host) : m_host(host) {
  for (int i = 0; i < kKeyCount; ++i) {
    Command1[i].caption = kCaptions[i];
    Command1[i].enabled = i < kDigitA || i >= kPlus;
  }
}

HexCalculator::State HexCalculator::save() const {
  return {Command1,    CurrentCell,     ResultsCell,     Display,      Option1,
          DisplayMode, PendingOperator, StartNewOperand, LastEntryText};
}

void HexCalculator::restore(const State& state) {
  Command1 = state.Command1;
  CurrentCell = state.CurrentCell;
  ResultsCell = state.ResultsCell;
  Display = state.Display;
  Option1 = state.Option1;
  DisplayMode = state.DisplayMode;
  PendingOperator = state.PendingOperator;
  StartNewOperand = state.StartNewOperand;
  LastEntryText = state.LastEntryText;
}

void HexCalculator::Command1_Click(int Index) {
  if (Index < 0 || Index >= kKeyCount) return;
  const State before = save();
  if (const Status done = press(Index); !done) {
    restore(before);
    m_host.message(done.error());
  }
}

Status HexCalculator::press(int index) {
  std::string& entry = CurrentCell.text;
  char digit = 0;
  if (index < kPlus) digit = kCaptions[index][0];

  if (index >= kPlus && index <= kDivide) {
    PendingOperator = kCaptions[index];
    StartNewOperand = true;
  } else if (index == kEnter) {
    const double a = leadingNumber(entry);
    const double r = leadingNumber(ResultsCell.text);
    if (!PendingOperator.empty()) {
      double result = 0;
      if (PendingOperator == "-") {
        result = r - a;
      } else if (PendingOperator == "+") {
        result = r + a;
      } else if (PendingOperator == "*") {
        result = r * a;
      } else {
        if (a == 0) return failure("Division by zero");
        result = r / a;
      }
      if (!std::isfinite(result)) return failure(kOverflow);
      entry = numberText(result);
    }
    PendingOperator.clear();
  } else if (index == kClear) {
    entry.clear();
    ResultsCell.text.clear();
  } else if (index == kClearEntry) {
    ResultsCell.text.clear();
  } else if (index == kSign) {
    if (isNegative(entry))
      entry.erase(0, 1);
    else
      entry.insert(0, "-");
  } else if (index == kPoint) {
    // A decimal point belongs to decimal numbers, and a number has one.
    if (DisplayMode == 1 && entry.find('.') == std::string::npos) {
      if (entry.empty() || entry == "-") entry += "0";
      entry += ".";
    }
  } else if (index == kBackStep) {
    if (const Status done = backStep(); !done) return done;
  }

  if (StartNewOperand) {
    ResultsCell.text = entry;
    entry.clear();
    StartNewOperand = false;
  } else if (digit >= 'A') {
    if (const Status done = appendHexDigit(digit); !done) return done;
  } else if (digit != 0) {
    // Digit keys append a digit of the base shown.
    if (DisplayMode == 0) {
      if (const Status done = appendHexDigit(digit); !done) return done;
    } else if (DisplayMode == 2) {
      if (const Status done = appendBinaryDigit(digit); !done) return done;
    } else if (entry == "0" || entry == "-0") {
      // A digit after a lone zero replaces it: "0" then "5" is 5, not 05.
      entry.back() = digit;
    } else {
      entry += digit;
    }
  }

  LastEntryText = entry;
  return RefreshDisplay();
}

Status HexCalculator::appendHexDigit(char digit) {
  std::string& entry = CurrentCell.text;
  std::string hex;
  if (!entry.empty()) {
    const auto whole = wholeValue(entry);
    if (!whole) return failure(whole.error());
    hex = signedForm(std::llabs(*whole), 16);
  }
  const auto value = HexTextToNumber(hex + digit);
  if (!value) return failure(value.error());
  entry = (isNegative(entry) ? "-" : "") + formatNumber(*value, "0");
  return success();
}

Status HexCalculator::appendBinaryDigit(char digit) {
  if (digit != '0' && digit != '1') return success();
  std::string& entry = CurrentCell.text;
  const auto whole = wholeValue(entry);
  if (!whole) return failure(whole.error());
  const std::int64_t value = std::llabs(*whole) * 2 + (digit - '0');
  if (value > kMaxWhole) return failure(kOverflow);
  entry = (isNegative(entry) ? "-" : "") + formatNumber(static_cast<double>(value), "0");
  return success();
}

Status HexCalculator::backStep() {
  std::string& entry = CurrentCell.text;
  if (entry.empty()) return success();
  if (DisplayMode == 1) {
    entry.pop_back();
    if (entry == "-") entry.clear();
    return success();
  }
  // In hexadecimal and binary mode the last digit shown goes.
  const auto whole = wholeValue(entry);
  if (!whole) return failure(whole.error());
  const std::int64_t rest = std::llabs(*whole) / (DisplayMode == 0 ? 16 : 2);
  entry = rest == 0 ? std::string()
                    : (isNegative(entry) ? "-" : "") + formatNumber(static_cast<double>(rest), "0");
  return success();
}

bool HexCalculator::Form_KeyPress(int KeyAscii) {
  int index = -1;
  if (KeyAscii >= '0' && KeyAscii <= '9') index = KeyAscii - '0';
  if (KeyAscii >= 'A' && KeyAscii <= 'F') index = KeyAscii - 'A' + kDigitA;
  if (KeyAscii >= 'a' && KeyAscii <= 'f') index = KeyAscii - 'a' + kDigitA;
  switch (KeyAscii) {
    case '+':
      index = kPlus;
      break;
    case '-':
      index = kMinus;
      break;
    case '*':
      index = kTimes;
      break;
    case '/':
      index = kDivide;
      break;
    case '=':
    case 13:
      index = kEnter;
      break;
    case 27:
      index = kClear;
      break;
    case 127:
      index = kClearEntry;
      break;
    case '.':
    case ',':
      index = kPoint;
      break;
    case 8:
      index = kBackStep;
      break;
    default:
      break;
  }
  if (index < 0) return false;
  Command1_Click(index);
  return true;
}

void HexCalculator::Option1_Click(int Index) {
  if (Index < 0 || Index > 2) return;
  const State before = save();
  for (int i = 0; i < 3; ++i) Option1[i].value = i == Index;
  for (int i = kDigitA; i < kPlus; ++i) Command1[i].enabled = false;
  if (Index == 0) {
    Command1[kPoint].enabled = false;
    DisplayMode = 0;
    for (int i = kDigitA; i < kPlus; ++i) Command1[i].enabled = true;
  } else if (Index == 1) {
    DisplayMode = 1;
    Command1[kPoint].enabled = true;
  } else {
    DisplayMode = 2;
    Command1[kPoint].enabled = false;
  }
  // A value the new mode cannot show keeps the old mode.
  if (const Status shown = RefreshDisplay(); !shown) {
    restore(before);
    m_host.message(shown.error());
  }
}

Status HexCalculator::RefreshDisplay() {
  const std::string& entry = CurrentCell.text;
  if (DisplayMode == 1 || entry.empty()) {
    Display.caption = entry;
    return success();
  }
  const auto whole = wholeValue(entry);
  if (!whole) return failure(whole.error());
  Display.caption = signedForm(*whole, DisplayMode == 0 ? 16 : 2);
  return success();
}

Result<std::int32_t> HexCalculator::HexTextToNumber(std::string_view text) {
  std::int64_t sum = 0;
  std::int64_t weight = 1;
  for (auto it = text.rbegin(); it != text.rend(); ++it) {
    const char c = *it;
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit >= 0) sum += digit * weight;
    weight *= 16;
    if (sum > kMaxWhole || weight > kMaxWhole) return failure(kOverflow);
  }
  return static_cast<std::int32_t>(sum);
}

}  // namespace edid
