#pragma once
// Where each section of the 128-byte base block lies (VESA E-EDID 1.3, section 3,
// table 3.1). Every byte range and block position is named here once; the codecs,
// the focus map, the screen's section table and the report read them from here.

#include "core/common/image.h"

namespace edid {

/// An inclusive range of bytes (or grid cells).
struct ByteRange {
  int first = 0;
  int last = -1;
  constexpr bool contains(int index) const { return index >= first && index <= last; }
  bool operator==(const ByteRange&) const = default;
};

namespace layout {

inline constexpr ByteRange kHeader{0, 7};             ///< 3.3: 00 FF FF FF FF FF FF 00
inline constexpr ByteRange kVendor{8, 17};            ///< 3.4: vendor and product identification
inline constexpr ByteRange kManufacturerId{8, 9};     ///< 3.4.1
inline constexpr ByteRange kProductCode{10, 11};      ///< 3.4.2
inline constexpr ByteRange kSerialNumber{12, 15};     ///< 3.4.3
inline constexpr ByteRange kWeek{16, 16};             ///< 3.4.4
inline constexpr ByteRange kYear{17, 17};             ///< 3.4.4
inline constexpr ByteRange kVersion{18, 19};          ///< 3.5: structure version and revision
inline constexpr ByteRange kBasicDisplay{20, 24};     ///< 3.6: basic display parameters
inline constexpr ByteRange kChromaticity{25, 34};     ///< 3.7: colour characteristics
inline constexpr ByteRange kEstablished{35, 37};      ///< 3.8: established timings I, II, reserved
inline constexpr ByteRange kStandardTimings{38, 53};  ///< 3.9: eight 2-byte standard timings
inline constexpr ByteRange kBlocks{54, 125};          ///< 3.10: four 18-byte descriptor blocks
inline constexpr ByteRange kTrailer{kExtensionFlagByte, kChecksumByte};  ///< 3.11

inline constexpr int kStandardTimingCount = 8;
inline constexpr int kStandardTimingSize = 2;

inline constexpr int kBlockCount = 4;
inline constexpr int kBlockSize = 18;

/// First byte of 18-byte block k (0..3): 54, 72, 90, 108.
constexpr int blockStart(int block) {
  return kBlocks.first + kBlockSize * block;
}
/// True for the first byte of one of the four 18-byte blocks.
constexpr bool isBlockStart(int byte) {
  return kBlocks.contains(byte) && (byte - kBlocks.first) % kBlockSize == 0;
}
/// The bytes of 18-byte block k.
constexpr ByteRange blockRange(int block) {
  return {blockStart(block), blockStart(block) + kBlockSize - 1};
}

}  // namespace layout
}  // namespace edid
