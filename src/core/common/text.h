#pragma once
// Conversion and text-layout helpers shared by every decoder, editor and the
// report. Their handling of malformed text is part of the program's behaviour:
// cells may hold anything a user typed, and these rules say what it reads as.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace edid {

/// The line end of every text the program writes (reports, data files, messages).
inline constexpr char kCrLf[] = "\r\n";

/// Upper-case hex form of a 16-bit value, at least two digits: 0 -> "00",
/// 10 -> "0A", 256 -> "100". Negative values give their 16-bit two's complement
/// (-1 -> "FFFF"). Values outside the 16-bit range are reduced to it first.
std::string ByteToHex(int value);

/// Value of one hex digit: "" -> 0, "A".."F" / "a".."f" -> 10..15, otherwise the
/// first character's code minus 48 ("0".."9" -> 0..9, "G" -> 23, " " -> -16).
int HexDigitValue(std::string_view text);

/// The code 16 x first digit + second digit of a (normally two-digit) hex text;
/// a missing character counts as 0 ("A" -> 160, "" -> 0), characters beyond the
/// second are ignored. Empty when the code falls outside 0..255 (non-hex text).
std::optional<std::uint8_t> HexToChr(std::string_view text);

/// Binary digits of the upper-case hex digits of a text, four per digit, most
/// significant first ("1F" -> "00011111"); any other character is skipped.
std::string HexToBinary(std::string_view text);

/// Decimal text of a string of binary digits; characters other than "1" count
/// as 0 and an empty text gives "0".
std::string BinaryToDecimal(std::string_view text);

/// Right-aligns text in width columns; longer texts come back unchanged.
std::string PadLeft(std::string_view text, int width);
/// Left-aligns text in width columns; longer texts come back unchanged.
std::string PadRight(std::string_view text, int width);
/// text repeated count times; "" for count below 1.
std::string RepeatText(std::string_view text, int count);
/// Centres text (which may end in CR LF, kept) in width columns: k spaces in
/// front, k = width/2 - length/2 rounded halves to even, where the length does not
/// count the CR LF. Empty when the text is empty or not shorter than width.
std::string CenterText(std::string_view text, int width);
/// The k spaces CenterText puts before a text of length characters (CR LF not
/// counted); -1 when it shows nothing.
int centerIndent(std::size_t length, int width);
/// count spaces followed by text.
std::string IndentText(std::string_view text, int count);
/// text without one trailing CR LF.
std::string StripTrailingCrLf(std::string_view text);

/// The Unicode character of a Windows-1252 byte. Bytes 80-9F map to the
/// typographic characters Windows-1252 puts there (0x80 "€", 0x99 "™"); the five
/// it leaves undefined (81, 8D, 8F, 90, 9D) give U+FFFD. Other bytes map to
/// themselves (Latin-1).
char32_t windows1252ToUnicode(unsigned char byte);
/// The Windows-1252 byte of a Unicode character; empty when it has none.
std::optional<unsigned char> unicodeToWindows1252(char32_t character);
/// Windows-1252 text as UTF-8.
std::string windows1252ToUtf8(std::string_view text);

/// True when text has no byte of 80-FF: the same in Windows-1252 and UTF-8.
bool isAscii(std::string_view text);

/// Appends text with each of its CR LFs written as lineEnd.
void appendLines(std::string& out, std::string_view text, std::string_view lineEnd);

/// Upper-cases ASCII letters.
std::string toUpper(std::string_view text);
/// Value of one hex digit character (either case), or -1 for any other character.
constexpr int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

/// Upper-case form of one ASCII letter; any other character as it is.
constexpr char toUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace edid
