#include "core/sections/chromaticity.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <regex>

#include "core/common/numbers.h"
#include "core/common/text.h"

namespace edid::chromaticity {

namespace {

const std::array<const char*, kCoordinates> kLabels = {"Red X",  "Red Y",  "Green X", "Green Y",
                                                       "Blue X", "Blue Y", "White X", "White Y"};

int lowByte(int coordinate) {
  return coordinate < 4 ? 25 : 26;
}
int lowShift(int coordinate) {
  return 6 - 2 * (coordinate % 4);
}

std::string bitsOf(int code) {
  std::string bits(10, '0');
  for (int k = 0; k < 10; ++k) {
    if (code & (1 << (9 - k))) bits[static_cast<std::size_t>(k)] = '1';
  }
  return bits;
}

}  // namespace

const std::array<const char*, kCoordinates>& labels() {
  return kLabels;
}

double ChromaCodeToFraction(int high, int low) {
  return (high * 4 + low) / 1024.0;
}

std::string FractionToChromaCode(double fraction) {
  // Bit by bit from the top, taking a bit only while it is strictly below the rest;
  // the rest then decides whether to go one code up.
  double rest = fraction;
  int code = 0;
  for (int k = 1; k <= 10; ++k) {
    const double weight = std::ldexp(1.0, -k);
    code <<= 1;
    if (weight < rest) {
      code |= 1;
      rest -= weight;
    }
  }
  if (rest * 10000 >= 5 && code < 1023) ++code;
  return bitsOf(code);
}

int codeOfBits(std::string_view bits) {
  int value = 0;
  for (char c : bits) value = value * 2 + (c == '1' ? 1 : 0);
  return value;
}

int code(const Image& image, int coordinate) {
  const int low = (image.byte(lowByte(coordinate)) >> lowShift(coordinate)) & 3;
  return image.byte(kHighByte + coordinate) * 4 + low;
}

namespace {

constexpr std::string_view kFractionPattern = "##0.000";

}  // namespace

std::string fractionText(double fraction) {
  std::string text;
  appendNumber(text, fraction, kFractionPattern);
  return text;
}

void appendLine(std::string& out, const Image& image, bool y) {
  // The whole line laid out in place: four "Label - 0.ddd", the code's fraction of
  // 1024 as fractionText shows it. Below 1, that is always "0." and three digits.
  char line[80];
  char* at = line;
  for (int i = y ? 1 : 0; i < kCoordinates; i += 2) {
    if (i > 1) *at++ = ' ';
    const std::string_view label = kLabels[static_cast<std::size_t>(i)];
    at = std::copy(label.begin(), label.end(), at);
    // Halves away from zero, as appendRatio rounds.
    const int thousandths = (code(image, i) * 2000 + 1024) / 2048;
    *at++ = ' ';
    *at++ = '-';
    *at++ = ' ';
    *at++ = '0';
    *at++ = '.';
    *at++ = static_cast<char>('0' + thousandths / 100);
    *at++ = static_cast<char>('0' + thousandths / 10 % 10);
    *at++ = static_cast<char>('0' + thousandths % 10);
  }
  out.append(line, static_cast<std::size_t>(at - line));
}

Chromaticity decode(const Image& image) {
  Chromaticity out;
  for (int i = 0; i < kCoordinates; ++i) {
    const auto k = static_cast<std::size_t>(i);
    out.codes[k] = code(image, i);
    out.texts[k] = fractionText(ChromaCodeToFraction(out.codes[k] / 4, out.codes[k] % 4));
  }
  appendLine(out.xText, image, false);
  appendLine(out.yText, image, true);
  return out;
}

Result<CellWrites> encode(const Image& image, int coordinate, std::string_view text) {
  if (coordinate < 0 || coordinate >= kCoordinates) return CellWrites{};
  static const std::regex number(R"([+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)");
  const std::string entry = decimalEntry(text);
  if (!std::regex_match(entry, number)) return failure("Not a number: " + std::string(text));
  const char* first = entry.c_str() + (entry[0] == '+' ? 1 : 0);
  double fraction = 0.0;
  const auto [last, error] = std::from_chars(first, entry.c_str() + entry.size(), fraction);
  if (error == std::errc::result_out_of_range) {
    // Beyond a double's range: a tiny or negative value stores code 0, a huge one is refused.
    const bool tiny =
        entry.find("e-") != std::string::npos || entry.find("E-") != std::string::npos;
    fraction = tiny || first[0] == '-' ? 0.0 : HUGE_VAL;
  }
  if (fraction >= 1.0) return failure("This value must be a fraction less than 1.00");
  const std::string bits = FractionToChromaCode(fraction);
  const int low = codeOfBits(bits.substr(8));
  const int shift = lowShift(coordinate);
  const int lowIndex = lowByte(coordinate);
  const int lowValue = (image.byte(lowIndex) & ~(3 << shift) & 0xFF) | (low << shift);
  return CellWrites{{lowIndex, ByteToHex(lowValue)},
                    {kHighByte + coordinate, ByteToHex(codeOfBits(bits.substr(0, 8)))}};
}

}  // namespace edid::chromaticity
