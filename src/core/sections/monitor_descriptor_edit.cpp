// The editors of a monitor descriptor block: its type, texts, range limits, colour
// points and extra standard timings.
#include <cmath>

#include "core/common/numbers.h"
#include "core/common/text.h"
#include "core/sections/chromaticity.h"
#include "core/sections/monitor_descriptor.h"
#include "core/sections/version.h"

namespace edid::monitor_descriptor {

namespace {

constexpr std::array<int, 2> kWhiteIndex = {5, 10};

// A display value turned into a byte: halves away from zero, as the value is shown.
int roundedByte(double value) {
  return std::stoi(formatNumber(value, "0"));
}

CellWrite write(int index, int value) {
  return {index, ByteToHex(value)};
}

}  // namespace

CellWrites chooseType(int s, int type) {
  if (type < 0 || type > 7) return {};
  if (type == static_cast<int>(Type::ManufacturerDefined)) return {write(s + 3, 0)};
  CellWrites out{write(s + 3, 255 - type)};
  if (type == static_cast<int>(Type::StandardTimings)) out.push_back(write(s + 17, 0x0A));
  out.push_back(write(s + 4, 0));
  return out;
}

CellWrites chooseType(const Image& image, int s, int type) {
  const bool edid14 = version::isEdid14(image);
  if (type < static_cast<int>(Type::EstablishedIII)) {
    // In 1.4 F9 holds colour management data; 10 is the tag left undefined.
    if (edid14 && type == static_cast<int>(Type::Undefined))
      return {write(s + 3, 0x10), write(s + 4, 0)};
    return chooseType(s, type);
  }
  if (!edid14 || type >= kTypes) return {};
  static const std::array<int, 3> kVersions = {0x0A, 0x01, 0x03};
  const int k = type - static_cast<int>(Type::EstablishedIII);
  return {write(s + 3, 0xF7 + k), write(s + 4, 0),
          write(s + 5, kVersions[static_cast<std::size_t>(k)])};
}

CellWrites encodeText(int s, std::string_view text) {
  CellWrites out;
  const auto end = static_cast<int>(text.size()) + 1;
  for (int k = 1; k <= 13; ++k) {
    int value = 0x20;
    if (k < end)
      value = static_cast<unsigned char>(text[static_cast<std::size_t>(k - 1)]);
    else if (k == end)
      value = 0x0A;
    out.push_back(write(s + 4 + k, value));
  }
  return out;
}

Result<CellWrites> encodeRangeLimit(const Image&, int s, int k, std::string_view text) {
  if (k < 0 || k > 4) return CellWrites{};
  const bool clock = k == 4;
  const auto number = enteredNumber(text, clock);
  if (!number) return failure(number.error());
  double v = *number;
  if ((v > 255 || v < 0) && !clock) return failure("Value entered must be between 0 - 255");
  // The byte holds 10 MHz units up to FF; 2555 would round past it.
  if (clock && (v >= 2555 || v < 0)) return failure("Value entered must be between 0 - 2550");
  if (v > 0 && clock) v /= 10;
  if (v == 0) v = 255;  // 0 stands for "not specified"
  return CellWrites{write(s + 5 + k, roundedByte(v))};
}

Result<CellWrites> encodeColorPoint(const Image& image, int s, int j, std::string_view text) {
  if (j < 0 || j > 5) return CellWrites{};
  const auto number = enteredNumber(text, true);
  if (!number) return failure(number.error());
  const double v = *number;
  const int at = s + kWhiteIndex[static_cast<std::size_t>(j / 3)];
  const int field = j % 3;
  if (field == 2) {
    if (v < 1.0 || v > 3.55) return failure("This value must value between 1.00-3.55");
    if (image.byte(at) == 0) return CellWrites{};
    return CellWrites{write(at + 4, roundedByte(v * 100 - 100))};
  }
  if (v >= 1.0) return failure("This value must be a fraction less than 1.00");
  if (image.byte(at) == 0) return CellWrites{};
  const std::string bits = chromaticity::FractionToChromaCode(v);
  const int low = chromaticity::codeOfBits(bits.substr(8));
  const int high = chromaticity::codeOfBits(bits.substr(0, 8));
  const int old = image.byte(at + 1);
  const int lowByte = field == 0 ? (old & 0xF3) | (low << 2) : (old & 0xFC) | low;
  return CellWrites{write(at + 1, lowByte), write(at + 2 + field, high)};
}

CellWrites setWhitePoint(const Image& image, int s, int n, bool on) {
  if (n < 0 || n > 1) return {};
  const int at = s + kWhiteIndex[static_cast<std::size_t>(n)];
  CellWrites out;
  if (on) {
    out.push_back(write(at, n + 1));
    // An absent point's bytes are leftovers, never its values.
    if (image.byte(at) == 0)
      for (int offset = 1; offset <= 4; ++offset) out.push_back(write(at + offset, 0));
    return out;
  }
  for (int offset = 0; offset <= 4; ++offset) out.push_back(write(at + offset, 0));
  // With no point left, the block ends as a text would: 0A then spaces.
  const int other = s + kWhiteIndex[static_cast<std::size_t>(1 - n)];
  if (image.byte(other) == 0) {
    out.push_back(write(s + 15, 0x0A));
    out.push_back(write(s + 16, 0x20));
    out.push_back(write(s + 17, 0x20));
  }
  return out;
}

Result<CellWrites> encodeExtraHorizontal(const Image&, int s, int t, std::string_view text) {
  if (t < 0 || t > 5) return CellWrites{};
  const auto number = enteredNumber(text);
  if (!number) return failure(number.error());
  std::int64_t n = roundHalfEven(*number);
  if (n > 0) n = roundHalfEven(static_cast<double>(n) / 8 - 31);
  if (n < 0 || n > 255) return failure("Invalid Value");
  return CellWrites{write(extraSlotByte(s, t), static_cast<int>(n))};
}

Result<CellWrites> encodeExtraRefresh(const Image& image, int s, int t, std::string_view text) {
  if (t < 0 || t > 5) return CellWrites{};
  return standard_timing::encodeRefresh(image, extraSlotByte(s, t), text);
}

CellWrites setExtraAspect(const Image& image, int s, int t, int aspect) {
  if (t < 0 || t > 5 || aspect < 0 || aspect > 3) return {};
  return standard_timing::setAspect(image, extraSlotByte(s, t), aspect);
}

CellWrites leaveExtraTimings(int s) {
  return {write(s + 3, 0xFF)};
}

}  // namespace edid::monitor_descriptor
