#pragma once
// Bytes 20-24: video input definition, maximum image size, display gamma and
// feature support (VESA EDID 1.x, section 3.6).

#include <array>
#include <string>
#include <string_view>

#include "core/common/image.h"
#include "core/common/result.h"

namespace edid::basic_display {

inline constexpr int kVideoInputByte = 20;
inline constexpr int kHorizSizeByte = 21;
inline constexpr int kVertSizeByte = 22;
inline constexpr int kGammaByte = 23;
inline constexpr int kFeatureByte = 24;

/// Byte 20. Bits 6-0 only mean something for an analog input.
struct VideoInput {
  bool digital = false;        ///< bit 7
  int signalLevel = 0;         ///< bits 6-5 (analog)
  std::array<bool, 5> sync{};  ///< sync[i] is bit i (analog)
  std::string modeText;        ///< "Digital Signal" / "Analog Signal"
  std::string levelText;       ///< "0.700, 0.300 (1.000 Vp-p)"...; "" when digital
  std::string syncText;        ///< the set sync bits, ", " between, one line break at most
  std::string text;            ///< three lines: mode, level and sync list
  /// EDID 1.4 with a digital input: bits 6-4 and 3-0, and levelText and syncText
  /// hold the depth and interface lines instead.
  bool digital14 = false;
  int colorDepth = 0;
  int interfaceCode = 0;
};

/// Byte 24.
struct FeatureSupport {
  int displayType = 0;             ///< bits 4-3
  std::array<bool, 6> features{};  ///< FSupport order: bits 7, 6, 5, 2, 1, 0
  std::string text;                ///< the set features, ", " between, one line break at most
  std::string displayTypeText;     ///< "Monochrome / grayscale", "R/G/B Color"...
  /// EDID 1.4: bits 1-0 mean a native preferred timing and continuous frequency,
  /// and for a digital input bits 4-3 the colour encodings (displayTypeText).
  bool edid14 = false;
  bool encodings = false;  ///< bits 4-3 are colour encodings (1.4, digital)
};

/// The five bytes decoded.
struct BasicDisplay {
  VideoInput video;
  int horizSizeMm = 0;        ///< byte 21 x 10
  int vertSizeMm = 0;         ///< byte 22 x 10
  std::string horizSizeText;  ///< "300 mm"; " mm" alone for 0
  std::string vertSizeText;
  double gamma = 1.0;     ///< (byte 23 + 100) / 100; 0xFF is not treated specially
  std::string gammaText;  ///< two decimals: "2.20"
  FeatureSupport features;
};

/// Captions of the four signal levels (bits 6-5) and four display types (bits 4-3).
const std::array<const char*, 4>& signalCaptions();
const std::array<const char*, 4>& displayTypeCaptions();
/// The DisplayType captions, or for a 1.4 digital input the colour encodings'.
const std::array<const char*, 4>& displayTypeCaptions(bool encodings);
/// Captions of Sync(0..4) and FSupport(0..5).
const std::array<const char*, 5>& syncCaptions();
const std::array<const char*, 6>& featureCaptions();
/// FSupport captions by the version (1.4 renames bits 1 and 0).
const std::array<const char*, 6>& featureCaptions(bool edid14);
/// The bit of byte 24 that FSupport(index) stands for: 7, 6, 5, 2, 1, 0.
int featureBit(int index);

VideoInput decodeVideoInput(const Image& image);
/// Byte 21 or 22 as "<mm> mm".
std::string sizeText(const Image& image, int byteIndex);
/// Byte 23 as the gamma with two decimals.
std::string gammaText(const Image& image);
FeatureSupport decodeFeatureSupport(const Image& image);
BasicDisplay decode(const Image& image);

/// Byte 20 := 0x80 (digital, index 1) or 0x00 (analog, index 0): every other bit cleared.
CellWrites setVideoMode(int index);
/// Bits 6-5 of byte 20 := level 0..3.
CellWrites setSignalLevel(const Image& image, int level);
/// Bit index (0..4) of byte 20 := checked.
CellWrites setSync(const Image& image, int index, bool checked);
/// Bits 4-3 of byte 24 := type 0..3.
CellWrites setDisplayType(const Image& image, int type);
/// The bit of FSupport(index) (0..5) in byte 24 := checked.
CellWrites setFeature(const Image& image, int index, bool checked);

/// The value a Basic option selects.
enum class Entry { HorizSize = 0, VertSize = 1, Gamma = 2 };
/// Encodes a typed size in millimetres (0..2550; stored in centimetres, halves away
/// from zero) or a gamma (1.00..3.55; stored as gamma x 100 - 100). Sizes are read by
/// their leading number; a gamma also takes a decimal comma and surrounding blanks.
/// Text without a number is refused with "Not a number: <text>". Refusals carry the
/// message and write nothing.
Result<CellWrites> encode(Entry entry, std::string_view text);

}  // namespace edid::basic_display
