#pragma once
// Number formatting for decoded texts without printf: std::to_chars writes the
// same digits as the printf conversion named beside each helper, into the
// caller's string, with no format string to parse and no locale.

#include <charconv>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>

namespace edid::format {

/// Writes value as printf's "%d" writes it at out (room for 20 characters) and
/// returns the end. Most decoded counts are a digit or two.
inline char* writeInt(char* out, std::int64_t value) {
  if (value < 0 || value >= 100) return std::to_chars(out, out + 20, value).ptr;
  if (value >= 10) *out++ = static_cast<char>('0' + value / 10);
  *out++ = static_cast<char>('0' + value % 10);
  return out;
}

/// Appends value as printf's "%d" writes it.
inline void appendInt(std::string& out, std::int64_t value) {
  char digits[24];
  // Pointer and length: the two-iterator overload goes through the general replace.
  out.append(digits, static_cast<std::size_t>(writeInt(digits, value) - digits));
}

/// Writes a count of hundredths as a number to two places ("14850" as "148.50": a
/// pixel clock in 10 kHz steps in MHz) at out (room for 14) and returns the end.
inline char* writeHundredths(char* out, int value) {
  out = std::to_chars(out, out + 11, value / 100).ptr;
  *out++ = '.';
  *out++ = static_cast<char>('0' + value / 10 % 10);
  *out++ = static_cast<char>('0' + value % 10);
  return out;
}

/// Writes value as printf's "%.2f" writes it at out (room for 32) and returns the
/// end. The nearest hundredth is checked exactly by a multiply-add on each side; a
/// tie, or a value out of range, is left to the general conversion, which is many
/// times slower.
inline char* writeFixed2(char* out, double value) {
  if (value >= 0 && value < 1e9) {
    const double cents = std::floor(value * 100 + 0.5);
    // The signs of value x 100 - (cents -/+ 0.5), each rounded once.
    if (std::fma(value, 100, -(cents - 0.5)) > 0 && std::fma(value, 100, -(cents + 0.5)) < 0) {
      const auto whole = static_cast<std::int64_t>(cents);
      out = std::to_chars(out, out + 11, whole / 100).ptr;
      *out++ = '.';
      *out++ = static_cast<char>('0' + whole / 10 % 10);
      *out++ = static_cast<char>('0' + whole % 10);
      return out;
    }
  }
  const auto written = std::to_chars(out, out + 32, value, std::chars_format::fixed, 2);
  // Beyond 32 characters only a huge value: its whole part stands in.
  return written.ec == std::errc() ? written.ptr : writeInt(out, static_cast<std::int64_t>(value));
}

/// Appends value as printf's "%.<decimals>f" writes it.
inline void appendFixed(std::string& out, double value, int decimals) {
  char digits[64];
  if (decimals == 2) {
    out.append(digits, static_cast<std::size_t>(writeFixed2(digits, value) - digits));
    return;
  }
  const auto written =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
  // Beyond 64 characters only a huge value: its shortest form stands in.
  if (written.ec != std::errc()) return appendInt(out, static_cast<std::int64_t>(value));
  out.append(digits, static_cast<std::size_t>(written.ptr - digits));
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

/// Writes the low byte of value as two upper-case hex digits, as printf's "%02X",
/// at out and returns the end.
inline char* writeHex2(char* out, int value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out[0] = kDigits[(value >> 4) & 0x0F];
  out[1] = kDigits[value & 0x0F];
  return out + 2;
}

/// Appends the low byte of value as two upper-case hex digits, as printf's "%02X".
inline void appendHex2(std::string& out, int value) {
  char digits[2];
  writeHex2(digits, value);
  out.append(digits, 2);
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
