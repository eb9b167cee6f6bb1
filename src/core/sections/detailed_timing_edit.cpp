// Editors of a detailed timing block: the DTInput entry of each field and the
// controls of the flags byte.
#include "core/common/numbers.h"
#include "core/common/text.h"
#include "core/sections/detailed_timing.h"

namespace edid::detailed_timing {

namespace {

constexpr int kFlags = 17;
// The largest entry any field takes; 65535 and up never fit a byte pair here.
constexpr double kLargestEntry = 65534;

// DTStereo option k -> bits 6-5 and 0 of the flags byte.
constexpr std::array<int, 7> kStereoCodes = {0x20, 0x40, 0x21, 0x41, 0x60, 0x61, 0x00};

// Where DT_Click puts the focus for each field; VSW goes to its upper bits' byte so
// that the focus tells it from VSO, which shares byte 10.
constexpr std::array<int, kFieldCount> kFirstOffset = {0, 2, 3, 5, 6, 8, 9, 10, 11, 15, 16, 12, 13};

Error invalid() {
  return failure("Invalid Value");
}

CellWrite write(int cell, int value) {
  return {cell, ByteToHex(value & 0xFF)};
}

// A 12-bit field: its low byte, and a nibble of the shared upper-bits byte.
CellWrites twelveBits(const Image& image, int s, int low, int shared, bool upperNibble, int value) {
  const int upper = value / 256;
  const int kept = image.byte(s + shared) & (upperNibble ? 0x0F : 0xF0);
  return {write(s + low, value), write(s + shared, (upperNibble ? upper * 16 : upper) | kept)};
}

CellWrites withFlags(int s, int flags) {
  return {write(s + kFlags, flags)};
}

}  // namespace

int firstOffsetOf(Field field) {
  return kFirstOffset[static_cast<std::size_t>(field)];
}

Result<CellWrites> encodeField(const Image& image, int s, Field field, std::string_view text) {
  const bool clock = field == Field::PixelClock;
  const auto number = enteredNumber(text, clock);
  if (!number) return failure(number.error());
  const double x = *number;
  if (x < 0 || x > kLargestEntry) return invalid();
  const auto b = [&](int offset) { return image.byte(s + offset); };
  if (clock) {
    const double units = x * 100;  // 10 kHz
    if (units > kLargestEntry) return invalid();
    const auto v = static_cast<int>(roundHalfEven(units));
    return CellWrites{write(s, v), write(s + 1, v / 256)};
  }
  const auto v = static_cast<int>(roundHalfEven(x));
  switch (field) {
    case Field::HorizontalActive:
    case Field::HorizontalBlanking:
    case Field::VerticalActive:
    case Field::VerticalBlanking:
    case Field::HorizontalImageSize:
    case Field::VerticalImageSize: {
      if (v > 4095) return invalid();
      const bool active = field == Field::HorizontalActive || field == Field::VerticalActive ||
                          field == Field::HorizontalImageSize;
      const int low = firstOffsetOf(field);
      const int shared = low >= 12 ? 14 : low >= 5 ? 7 : 4;
      return twelveBits(image, s, low, shared, active, v);
    }
    case Field::HorizontalSyncOffset:
      if (v > 1023) return invalid();
      return CellWrites{write(s + 8, v), write(s + 11, (v / 256) * 64 | (b(11) & 0x3F))};
    case Field::HorizontalSyncWidth:
      if (v > 1023) return invalid();
      return CellWrites{write(s + 9, v), write(s + 11, (v / 256) * 16 | (b(11) & 0xCF))};
    case Field::VerticalSyncOffset:
      return CellWrites{write(s + 10, (v & 0x0F) * 16 | (b(10) & 0x0F)),
                        write(s + 11, ((v & 0x30) / 16) * 4 | (b(11) & 0xF3))};
    case Field::VerticalSyncWidth:
      return CellWrites{write(s + 10, (v & 0x0F) | (b(10) & 0xF0)),
                        write(s + 11, (v & 0x30) / 16 | (b(11) & 0xFC))};
    case Field::HorizontalBorder:
      return CellWrites{write(s + 15, v)};
    case Field::VerticalBorder:
      return CellWrites{write(s + 16, v)};
    case Field::PixelClock:
      break;
  }
  return invalid();
}

CellWrites setInterlaced(const Image& image, int s, bool on) {
  const int f = image.byte(s + kFlags);
  return withFlags(s, on ? (f | 0x80) : (f & 0x7F));
}

CellWrites setStereo(const Image& image, int s, int option) {
  if (option < 0 || option >= static_cast<int>(kStereoCodes.size())) return {};
  const int f = image.byte(s + kFlags);
  return withFlags(s, (f & 0x9E) | kStereoCodes[static_cast<std::size_t>(option)]);
}

CellWrites setSyncType(const Image& image, int s, int type) {
  if (type < 0 || type > 3) return {};
  return withFlags(s, (image.byte(s + kFlags) & 0xE7) | type * 8);
}

CellWrites setSerrate(const Image& image, int s, bool on) {
  const int f = image.byte(s + kFlags);
  return withFlags(s, on ? (f | 0x04) : (f & 0xFB));
}

CellWrites toggleSyncLine(const Image& image, int s) {
  return withFlags(s, image.byte(s + kFlags) ^ 0x02);
}

CellWrites toggleVSyncLine(const Image& image, int s) {
  return withFlags(s, image.byte(s + kFlags) ^ 0x04);
}

CellWrites resetBlock(int s) {
  CellWrites writes;
  for (int i = 0; i < 18; ++i) writes.push_back({s + i, i == 3 ? "FF" : "00"});
  return writes;
}

}  // namespace edid::detailed_timing
