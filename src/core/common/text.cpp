#include "core/common/text.h"

#include "core/common/numbers.h"

namespace edid {

std::string ByteToHex(int value) {
  // Byte values are by far the most common; they skip the general formatting.
  if (value >= 0 && value <= 0xFF) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return std::string{kDigits[value >> 4], kDigits[value & 0x0F]};
  }
  const auto bits = static_cast<std::uint16_t>(value);
  std::string hex = hexText(bits);
  if (hex.size() == 1) hex.insert(0, "0");
  return hex;
}

int HexDigitValue(std::string_view text) {
  if (text.empty()) return 0;
  if (text.size() == 1) {
    const char c = text[0];
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  }
  return static_cast<unsigned char>(text[0]) - 48;
}

std::optional<std::uint8_t> HexToChr(std::string_view text) {
  const int high = HexDigitValue(text.substr(0, 1));
  const int low = text.size() > 1 ? HexDigitValue(text.substr(1, 1)) : 0;
  const int code = 16 * high + low;
  if (code < 0 || code > 255) return std::nullopt;
  return static_cast<std::uint8_t>(code);
}

std::string HexToBinary(std::string_view text) {
  static constexpr const char* kNibbles[16] = {"0000", "0001", "0010", "0011", "0100", "0101",
                                               "0110", "0111", "1000", "1001", "1010", "1011",
                                               "1100", "1101", "1110", "1111"};
  std::string out;
  for (char c : text) {
    if (c >= '0' && c <= '9') out += kNibbles[c - '0'];
    if (c >= 'A' && c <= 'F') out += kNibbles[c - 'A' + 10];
  }
  return out;
}

std::string BinaryToDecimal(std::string_view text) {
  // Long digit strings exceed 64 bits; add in decimal so any length works.
  std::string decimal = "0";
  for (char c : text) {
    int carry = c == '1' ? 1 : 0;
    for (auto it = decimal.rbegin(); it != decimal.rend(); ++it) {
      const int d = (*it - '0') * 2 + carry;
      *it = static_cast<char>('0' + d % 10);
      carry = d / 10;
    }
    if (carry) decimal.insert(0, 1, static_cast<char>('0' + carry));
  }
  return decimal;
}

std::string PadLeft(std::string_view text, int width) {
  const int length = static_cast<int>(text.size());
  if (length > width) return std::string(text);
  return std::string(static_cast<std::size_t>(width - length), ' ') + std::string(text);
}

std::string PadRight(std::string_view text, int width) {
  const int length = static_cast<int>(text.size());
  if (length > width) return std::string(text);
  return std::string(text) + std::string(static_cast<std::size_t>(width - length), ' ');
}

std::string RepeatText(std::string_view text, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += text;
  return out;
}

std::string CenterText(std::string_view text, int width) {
  std::string_view body = text;
  if (text.find(kCrLf) != std::string_view::npos && text.size() >= 2)
    body = text.substr(0, text.size() - 2);
  const int length = static_cast<int>(body.size());
  if (length == 0 || length >= width) return "";
  const auto spaces = roundHalfEven(width / 2.0 - length / 2.0);
  return std::string(static_cast<std::size_t>(spaces), ' ') + std::string(text);
}

std::string IndentText(std::string_view text, int count) {
  return std::string(static_cast<std::size_t>(count > 0 ? count : 0), ' ') + std::string(text);
}

std::string StripTrailingCrLf(std::string_view text) {
  if (text.size() >= 2 && text.substr(text.size() - 2) == kCrLf)
    return std::string(text.substr(0, text.size() - 2));
  return std::string(text);
}

std::string toUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

}  // namespace edid
