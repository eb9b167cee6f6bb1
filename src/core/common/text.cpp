#include "core/common/text.h"

#include <algorithm>
#include <cstring>

#include "core/common/format.h"
#include "core/common/numbers.h"

namespace edid {

std::string ByteToHex(int value) {
  // Byte values are by far the most common; they skip the general formatting.
  if (value >= 0 && value <= 0xFF) {
    std::string hex;
    format::appendHex2(hex, value);
    return hex;
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
  const int spaces = centerIndent(body.size(), width);
  if (spaces < 0) return "";
  return std::string(static_cast<std::size_t>(spaces), ' ') + std::string(text);
}

int centerIndent(std::size_t length, int width) {
  if (length == 0 || length >= static_cast<std::size_t>(width)) return -1;
  return static_cast<int>(roundHalfEven(width / 2.0 - static_cast<double>(length) / 2.0));
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
  for (char& c : out) c = toUpper(c);
  return out;
}

namespace {

// Bytes 80-9F; 0xFFFD marks the five codes without a character.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,  //
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

}  // namespace

char32_t windows1252ToUnicode(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : char32_t(byte);
}

std::optional<unsigned char> unicodeToWindows1252(char32_t character) {
  if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
    return static_cast<unsigned char>(character);
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == character && character != 0xFFFD)
      return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

namespace {

// Appends one Windows-1252 byte of 80-FF as UTF-8.
void appendHighByte(std::string& out, unsigned char byte) {
  const char32_t u = windows1252ToUnicode(byte);
  if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

// The first byte of 80-FF at or after start, or text.size(); 32 and 8 bytes at a time.
std::size_t nextHighByte(std::string_view text, std::size_t start) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  std::size_t i = start;
  for (; i + 32 <= text.size(); i += 32) {
    std::uint64_t words[4];
    std::memcpy(words, text.data() + i, 32);
    if ((words[0] | words[1] | words[2] | words[3]) & kHighBits) break;
  }
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    if (word & kHighBits) break;
  }
  for (; i < text.size(); ++i)
    if (static_cast<unsigned char>(text[i]) >= 0x80) return i;
  return text.size();
}

// Appends text as UTF-8, its plain ASCII runs copied whole.
void appendUtf8(std::string& out, std::string_view text) {
  std::size_t start = 0;
  for (std::size_t i = nextHighByte(text, 0); i < text.size(); i = nextHighByte(text, start)) {
    out.append(text, start, i - start);
    appendHighByte(out, static_cast<unsigned char>(text[i]));
    start = i + 1;
  }
  out.append(text, start);
}

}  // namespace

std::string windows1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 16);
  appendUtf8(out, text);
  return out;
}

bool isAscii(std::string_view text) {
  return nextHighByte(text, 0) == text.size();
}

void appendLines(std::string& out, std::string_view text, std::string_view lineEnd) {
  if (lineEnd == kCrLf) {
    out += text;
    return;
  }
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find(kCrLf, at);
    if (end == std::string_view::npos) {
      out += text.substr(at);
      break;
    }
    out.append(text, at, end - at).append(lineEnd);
    at = end + 2;
  }
}

}  // namespace edid
