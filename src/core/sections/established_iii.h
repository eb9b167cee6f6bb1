#pragma once
// Established timings III (descriptor tag F7, EDID 1.4): byte 5 the revision, bytes
// 6-11 one VESA DMT timing per bit, bit 7 of byte 6 first (VESA E-EDID 1.4,
// section 3.10.3.9).

#include <array>
#include <string>

#include "core/common/image.h"

namespace edid::established_iii {

/// The timings of bytes 6-11; bits 3-0 of byte 11 are reserved.
inline constexpr int kTimings = 44;

/// Check box caption of timing i (0 is bit 7 of byte 6): "1280 X 768 @ 60Hz RB".
const char* caption(int timing);
/// The byte of timing i and its bit mask.
int byteOf(int blockStart, int timing);
int maskOf(int timing);

struct Decoded {
  int revision = 0;                  ///< byte 5
  std::array<bool, kTimings> set{};  ///< timing i supported
  /// "Established Timings III:" and one line per set timing ("None Specified"
  /// without one), each with its CR LF.
  std::string reportText;
};
Decoded decode(const Image& image, int blockStart);

/// Sets or clears timing i, keeping every other bit.
CellWrites setTiming(const Image& image, int blockStart, int timing, bool checked);

}  // namespace edid::established_iii
