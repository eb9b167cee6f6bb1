#pragma once
// Number formatting for decoded texts without printf: std::to_chars writes the
// same digits as the printf conversion named beside each helper, into the
// caller's string, with no format string to parse and no locale.

#include <charconv>
#include <cstdint>
#include <span>
#include <string>

namespace edid::format {

/// Appends value as printf's "%d" writes it.
inline void appendInt(std::string& out, std::int64_t value) {
  char digits[24];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

/// Appends value as printf's "%.<decimals>f" writes it.
inline void appendFixed(std::string& out, double value, int decimals) {
  char digits[64];
  const auto written =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
  // Beyond 64 characters only a huge value: its shortest form stands in.
  if (written.ec != std::errc()) return appendInt(out, static_cast<std::int64_t>(value));
  out.append(digits, written.ptr);
}

/// value as printf's "%.<decimals>f" writes it.
inline std::string fixed(double value, int decimals) {
  std::string out;
  appendFixed(out, value, decimals);
  return out;
}

/// value as printf's "%g" writes it: six significant digits, no trailing zeros.
inline std::string general(double value) {
  char digits[32];
  return {digits,
          std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 6).ptr};
}

/// Appends the low byte of value as two upper-case hex digits, as printf's "%02X".
inline void appendHex2(std::string& out, int value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out += kDigits[(value >> 4) & 0x0F];
  out += kDigits[value & 0x0F];
}

/// Bytes as upper-case hex pairs separated by single spaces: "0C 03 00".
inline std::string hexBytes(std::span<const std::uint8_t> bytes) {
  std::string text;
  text.reserve(bytes.size() * 3);
  for (const std::uint8_t b : bytes) {
    if (!text.empty()) text += ' ';
    appendHex2(text, b);
  }
  return text;
}

}  // namespace edid::format
