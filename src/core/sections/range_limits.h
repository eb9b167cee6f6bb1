#pragma once
// A range limits descriptor (tag FD) as its EDID version defines it. From 1.4,
// bits 3-0 of byte 4 add 255 to the rates and byte 10 says which timing formula
// the limits go with (VESA E-EDID 1.4, section 3.10.3.3); in 1.3 byte 10 only
// tells whether a secondary GTF curve follows.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/image.h"
#include "core/common/result.h"

namespace edid::range_limits {

/// Byte 10 values.
inline constexpr int kDefaultGtf = 0x00;  ///< 1.3: no secondary curve
inline constexpr int kRangeLimitsOnly = 0x01;
inline constexpr int kSecondaryGtf = 0x02;
inline constexpr int kCvt = 0x04;

/// The byte 10 values the image's version defines, in the order of the screen's
/// options: 1.3 {00, 02}; 1.4 {00, 01, 02, 04}.
std::vector<int> timingSupportValues(const Image& image);
/// The option caption of a byte 10 value for the version.
std::string timingSupportCaption(int value, bool edid14);

/// The four rates in Hz and kHz, offsets added.
struct Rates {
  std::array<int, 4> value{};    ///< min vertical, max vertical, min horizontal, max horizontal
  std::array<bool, 4> offset{};  ///< 255 added to that rate
};
Rates rates(const Image& image, int blockStart);
/// Byte 9 x 10 MHz; 0 when byte 9 is FF (not specified).
int maxPixelClockMHz(const Image& image, int blockStart);
/// Byte 10: which timing formula goes with the limits.
int timingSupport(const Image& image, int blockStart);

/// The block decoded: the rate and clock captions and the lines of byte 10 and
/// what follows it.
struct Decoded {
  Rates rates;
  int maxPixelClockMHz = 0;  ///< byte 9 x 10; 0 when byte 9 is FF
  /// "Min Vertical Freq - 50 Hz" ... "Pixel Clock  - 160 MHz".
  std::array<std::string, 5> captions;
  int timingSupport = 0;  ///< byte 10
  /// 1.3: "GTF - Not Used" or "GTF - Supported"; 1.4: "Timing Support - ...", then
  /// the secondary curve's or the CVT fields' lines.
  std::vector<std::string> supportLines;
};
Decoded decode(const Image& image, int blockStart);
/// The captions, then the support lines, each written onto text between prefix and end.
void appendLines(const Image& image, int blockStart, std::string& text, std::string_view prefix,
                 std::string_view end);

/// Rate k (0 min vertical, 1 max vertical, 2 min horizontal, 3 max horizontal)
/// from its leading number; 0 stores FF. Up to 255 in 1.3 ("Value entered must be
/// between 0 - 255"); up to 510 from 1.4 ("Value entered must be between 0 -
/// 510"), where a rate above 255 is stored less 255 with its offset bit in byte 4.
/// A minimum above 255 needs its maximum above 255 as well ("The minimum can only
/// pass 255 when the maximum does").
Result<CellWrites> encodeRate(const Image& image, int blockStart, int k, std::string_view text);

/// Byte 10 := value, with bytes 11-17 to match: 0A 20 ... for values without
/// parameters, the parameters kept when byte 10 already holds value, otherwise
/// a starting set (the GTF default curve; CVT 1.1 with every aspect ratio, 16:9
/// preferred, both blankings, 60 Hz). Refused for a value the version does not
/// define ("Not defined for this EDID version").
Result<CellWrites> setTimingSupport(const Image& image, int blockStart, int value);

}  // namespace edid::range_limits
