#pragma once
// Bytes 25-34: the CIE x and y of the red, green and blue primaries and of the
// white point, each a 10-bit binary fraction (VESA EDID 1.x, section 3.7).

#include <array>
#include <string>
#include <string_view>

#include "core/common/image.h"
#include "core/common/result.h"

namespace edid::chromaticity {

inline constexpr int kFirstByte = 25;
inline constexpr int kLastByte = 34;
/// Coordinate i has its eight high bits here + i.
inline constexpr int kHighByte = 27;
inline constexpr int kCoordinates = 8;

/// "Red X", "Red Y", "Green X", ... "White Y": the coordinates in byte order.
const std::array<const char*, kCoordinates>& labels();

/// The fraction of a 10-bit code, high x 4 + low, over 1024 (exact in a double).
double ChromaCodeToFraction(int high, int low);
/// The ten binary digits ("0"/"1", most significant first) of the code nearest a
/// fraction: a fraction at least 0.0005 above a code's value goes up to the next
/// code. Negative fractions give code 0; fractions that would round past the top
/// keep 1023, the largest the field holds.
std::string FractionToChromaCode(double fraction);
/// The value of a ten-digit binary form.
int codeOfBits(std::string_view bits);

/// The code of coordinate i (0..7): byte 27 + i, then its two low bits from byte
/// 25 (i < 4) or 26, at bits 7-6, 5-4, 3-2, 1-0 for i mod 4 = 0..3.
int code(const Image& image, int coordinate);
/// A fraction as shown: three decimals, halves up ("0.063" for 64/1024).
std::string fractionText(double fraction);

struct Chromaticity {
  std::array<int, kCoordinates> codes{};
  std::array<std::string, kCoordinates> texts;  ///< "0.640"
  std::string xText;  ///< "Red X - 0.640 Green X - 0.300 Blue X - 0.150 White X - 0.313"
  std::string yText;  ///< the same for the y coordinates
};
Chromaticity decode(const Image& image);
/// xText (y false) or yText (y true) written onto the end of out.
void appendLine(std::string& out, const Image& image, bool y);

/// Writes a typed fraction into coordinate i: its high byte and its low pair (the
/// other bits of the low byte kept). A decimal comma and surrounding blanks are
/// accepted. Refused: text that is not a number ("Not a number: <text>") and a
/// value of 1.0 or more. A coordinate outside 0..7 writes nothing.
Result<CellWrites> encode(const Image& image, int coordinate, std::string_view text);

}  // namespace edid::chromaticity
