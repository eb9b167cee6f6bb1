#pragma once
// Bytes 35-37: established timings I and II and the manufacturer's timings, one
// supported mode per bit (VESA EDID 1.x, section 3.8).

#include <array>
#include <string>

#include "core/common/image.h"

namespace edid::established {

inline constexpr int kTimingsIByte = 35;
inline constexpr int kTimingsIIByte = 36;
inline constexpr int kManufacturerByte = 37;

/// One bit of a timing byte: check box i stands for bit 7 - i.
struct Timing {
  const char* caption;     ///< the check box caption
  const char* reportText;  ///< the report line, without its indent
};

/// The eight timings of byte 35 or 36, check box order (bit 7 first).
const std::array<Timing, 8>& table(int byteIndex);
/// The one manufacturer's timing of byte 37 bit 7.
const Timing& manufacturerTiming();

/// Check box states of byte 35 or 36 (index i is bit 7 - i).
std::array<bool, 8> checks(const Image& image, int byteIndex);
/// The report text of byte 35, 36 or 37: one line per set bit, 9 spaces and the
/// report text, lines joined by CR LF, no CR LF after the last; "" when no bit is set.
std::string reportText(const Image& image, int byteIndex);

/// Sets or clears the bit of check box index (bit 7 - index) of byte 35 or 36, or
/// bit 7 of byte 37 (its one box), keeping every other bit.
CellWrites setBit(const Image& image, int byteIndex, int checkIndex, bool checked);

}  // namespace edid::established
