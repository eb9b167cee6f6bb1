#pragma once
// CVT 3-byte timing codes (descriptor tag F8, EDID 1.4): byte 5 the version (01),
// then four codes of three bytes (VESA E-EDID 1.4, section 3.10.3.8). A code
// holds the addressable lines (12 bits, (lines / 2) - 1), the aspect ratio that
// gives the width, the preferred rate and the supported rates.

#include <array>
#include <string>
#include <string_view>

#include "core/common/image.h"
#include "core/common/result.h"

namespace edid::cvt_codes {

inline constexpr int kCodes = 4;

/// First byte of code t (0..3): block start + 6 + 3t.
constexpr int codeByte(int blockStart, int t) {
  return blockStart + 6 + 3 * t;
}

/// Captions: aspect 0..3 ("4:3", "16:9", "16:10", "15:9"), preferred rate 0..3
/// ("50Hz", "60Hz", "75Hz", "85Hz") and supported rate 0..4 ("50Hz", "60Hz",
/// "75Hz", "85Hz", "60Hz RB", bits 4-0 of the third byte).
const std::array<const char*, 4>& aspectCaptions();
const std::array<const char*, 4>& preferredCaptions();
const std::array<const char*, 5>& rateCaptions();

struct Code {
  bool used = false;  ///< any of its three bytes not 00
  int lines = 0;
  int aspect = 0;
  int width = 0;  ///< lines x the aspect ratio, down to a multiple of 8
  int preferred = 0;
  std::array<bool, 5> rates{};
  /// "1920 X 1080 (16:9) @ 60Hz Preferred", or "Not Used".
  std::string text;
  /// "Supported: 50, 60, 60 RB Hz" ("Supported: None"); empty when not used.
  std::string ratesText;
};
Code decodeCode(int first, int second, int third);

struct Decoded {
  int version = 0;  ///< byte 5
  std::array<Code, kCodes> codes;
  /// "CVT 3 Byte Timing Codes:" and each code's lines, with CR LF.
  std::string reportText;
};
Decoded decode(const Image& image, int blockStart);

/// The lines of code t from the entry (its leading number): an even count from 2
/// to 8192, aspect and rates kept; 0 clears the code to 00 00 00. Refused with
/// "Not a number: <text>" or "Invalid Value".
Result<CellWrites> encodeLines(const Image& image, int blockStart, int t, std::string_view text);
/// Bits 3-2 of code t's second byte := aspect 0..3.
CellWrites setAspect(const Image& image, int blockStart, int t, int aspect);
/// Bits 6-5 of code t's third byte := preferred rate 0..3.
CellWrites setPreferred(const Image& image, int blockStart, int t, int rate);
/// Supported rate r (0..4, bit 4 - r of the third byte) of code t := checked.
CellWrites setRate(const Image& image, int blockStart, int t, int rate, bool checked);

}  // namespace edid::cvt_codes
