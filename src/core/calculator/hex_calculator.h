#pragma once
// The hex calculator frmHexCalculator as plain data: a four-function calculator
// whose entry is always a decimal number text; the mode (hexadecimal, decimal,
// binary) only changes how the entry is shown and which buttons are enabled.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/common/result.h"
#include "core/screen/controls.h"

namespace edid {

class Host;

/// The calculator's logic. Errors (division by zero, a value beyond the signed
/// 32-bit range of the hexadecimal or binary form) go to the host as a message
/// and leave the entry, the stored operand and the pending operation as they were.
class HexCalculator {
 public:
  /// Button indices of Command1.
  enum Key {
    kDigitA = 10,
    kPlus = 16,
    kMinus = 17,
    kTimes = 18,
    kDivide = 19,
    kEnter = 20,
    kClear = 21,
    kClearEntry = 22,
    kSign = 23,
    kPoint = 24,
    kBackStep = 25,
    kKeyCount = 26,
  };

  /// Load: decimal mode, letter buttons disabled.
  explicit HexCalculator(Host& host);

  // ---- Controls ------------------------------------------------------------
  /// "0".."9", "A".."F", "+", "-", "*", "/", "Enter", "Clear", "CE", "+/-", ".", "BS".
  std::array<Button, kKeyCount> Command1;
  TextBox CurrentCell;  ///< the entry, a decimal number text (not shown)
  TextBox ResultsCell;  ///< the stored first operand (not shown)
  Label Display;        ///< the entry in the selected mode
  Frame Mode{"Mode", true};
  std::array<OptionButton, 3> Option1{{{"&Hex"}, {"&Dec", true}, {"&Binary"}}};

  // ---- Form-level state ----------------------------------------------------
  std::int16_t DisplayMode = 1;  ///< 0 hexadecimal, 1 decimal, 2 binary
  std::string PendingOperator;   ///< "+", "-", "*", "/" or empty
  bool StartNewOperand = false;
  std::string LastEntryText;

  // ---- Events --------------------------------------------------------------
  /// A button (0..25); indices out of range do nothing.
  void Command1_Click(int Index);
  /// A key typed on the window, by its character, presses its button as a desktop
  /// calculator does, enabled or not: digits, A-F in either case, + - * /, "=" and
  /// Enter (13), "." or ",", Backspace (8), Escape (27, "Clear") and Delete (127,
  /// "CE"). Returns whether the key acted.
  bool Form_KeyPress(int KeyAscii);
  /// Selects mode Index (0 hexadecimal, 1 decimal, 2 binary).
  void Option1_Click(int Index);

  /// The value of a hexadecimal digit string read from its last character, the
  /// weight growing 16-fold after every character; characters other than 0-9 and
  /// A-F add nothing but still advance the weight. A sum or weight beyond the
  /// signed 32-bit range is an "Overflow".
  static Result<std::int32_t> HexTextToNumber(std::string_view text);

 private:
  struct State;
  State save() const;
  void restore(const State& state);
  Status press(int index);
  Status RefreshDisplay();
  Status appendHexDigit(char digit);
  Status appendBinaryDigit(char digit);
  Status backStep();

  Host& m_host;
};

}  // namespace edid
