#pragma once
// Bytes 38-53: eight standard timings of two bytes each (VESA EDID 1.x, section
// 3.9). The same two-byte code names the extra timings of a descriptor of tag FA.

#include <array>
#include <string>
#include <string_view>

#include "core/common/image.h"
#include "core/common/result.h"

namespace edid::standard_timing {

inline constexpr int kFirstByte = 38;
inline constexpr int kLastByte = 53;
inline constexpr int kTimings = 8;

/// First byte of timing k (0..7): 38 + 2k.
constexpr int firstByteOf(int timing) {
  return kFirstByte + 2 * timing;
}

/// True when aspect code 0 means 16:10: EDID version 1.3 and later (bytes 18-19).
/// Before 1.3 the same code means 1:1.
bool zeroAspectIs16By10(const Image& image);

/// Caption of aspect code 0..3 (bits 7-6 of the second byte): "1:1 Aspect Ratio"
/// or "16:10 Aspect Ratio" for code 0, then 4:3, 5:4, 16:9.
std::string aspectCaption(int aspect, bool zeroIs16By10);

/// One two-byte code.
struct Timing {
  bool used = false;   ///< false when the first byte is 0x01, whatever the second holds
  int horizontal = 0;  ///< (first + 31) x 8: 248..2288
  int vertical = 0;    ///< horizontal x the aspect ratio, halves to even
  int refresh = 0;     ///< (second & 0x3F) + 60 Hz
  int aspect = 0;      ///< second >> 6: 1:1 (16:10 from EDID 1.3), 4:3, 5:4, 16:9
  std::string text;    ///< "1280 X 1024 @60Hz", or "Not Used"
};
/// Decodes one code; zeroIs16By10 as zeroAspectIs16By10 says for the image holding it.
Timing decodeCode(int first, int second, bool zeroIs16By10);
/// decodeCode without the text.
Timing codeOf(int first, int second, bool zeroIs16By10);
/// The text of a decoded code written onto the end of out.
void appendText(std::string& out, const Timing& timing);

/// The timings of bytes 38-53, aspect code 0 read by the image's version.
struct StandardTimings {
  std::array<Timing, kTimings> timings;
};
StandardTimings decode(const Image& image);

/// Writes a horizontal size in pixels into the pair starting at firstByte: pixels /
/// 8 - 31 into the first byte (both steps halves to even); a result of 0 marks the
/// pair unused (01 01). Refused with "Not a number: <text>" for text without a
/// number, with "Invalid Value" below 0 or above 255.
Result<CellWrites> encodeHorizontal(const Image& image, int firstByte, std::string_view text);
/// Writes a refresh rate of 60..123 Hz into bits 5-0 of the second byte, keeping
/// the aspect bits. Refused with "Not a number: <text>" for text without a number,
/// with "Invalid Value" otherwise.
Result<CellWrites> encodeRefresh(const Image& image, int firstByte, std::string_view text);
/// Bits 7-6 of the second byte := aspect 0..3, keeping the rate bits.
CellWrites setAspect(const Image& image, int firstByte, int aspect);

}  // namespace edid::standard_timing
