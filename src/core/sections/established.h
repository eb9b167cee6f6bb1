#pragma once
// Bytes 35-37: established timings I and II and the manufacturer's timings, one
// supported mode per bit (VESA EDID 1.x, section 3.8).

#include <array>
#include <string>
#include <string_view>

#include "core/common/image.h"
#include "core/common/layout.h"
#include "core/common/text.h"

namespace edid::established {

inline constexpr int kTimingsIByte = layout::kEstablished.first;
inline constexpr int kTimingsIIByte = layout::kEstablished.first + 1;
inline constexpr int kManufacturerByte = layout::kEstablished.last;

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
/// reportText written onto the end of out, its lines parted by lineEnd.
void appendReportText(std::string& out, const Image& image, int byteIndex,
                      std::string_view lineEnd = kCrLf);

/// The three bytes decoded: check box states and report texts.
struct Decoded {
  std::array<bool, 8> timingsI{};       ///< checks of byte 35
  std::array<bool, 8> timingsII{};      ///< checks of byte 36
  bool manufacturerTiming = false;      ///< bit 7 of byte 37
  std::string timingsIText;             ///< reportText of byte 35
  std::string timingsIIText;            ///< reportText of byte 36
  std::string manufacturerTimingsText;  ///< reportText of byte 37
};
Decoded decode(const Image& image);

/// Sets or clears the bit of check box index (bit 7 - index) of byte 35 or 36, or
/// bit 7 of byte 37 (its one box), keeping every other bit.
CellWrites setBit(const Image& image, int byteIndex, int checkIndex, bool checked);

}  // namespace edid::established
