#pragma once
// Monitor descriptors: 18-byte blocks that start with 00 00 00 and whose byte 3 is
// a tag saying what bytes 5-17 hold (VESA EDID 1.3, section 3.10.3).

#include <array>
#include <string>

#include "core/common/image.h"

namespace edid::monitor_descriptor {

/// The block's type: the index of the DTa option that shows it.
enum class Type {
  SerialNumber = 0,         // FF
  AsciiString = 1,          // FE
  RangeLimits = 2,          // FD
  MonitorName = 3,          // FC
  ColorPoint = 4,           // FB
  StandardTimings = 5,      // FA
  Undefined = 6,            // any tag not listed here
  ManufacturerDefined = 7,  // 00..0F
};

/// The DTa option captions, by type.
const std::array<const char*, 8>& typeCaptions();

/// The type of a tag cell's text, compared upper-cased ("fd" is range limits).
/// Hex tags 00..0F are manufacturer defined; every other unlisted tag is undefined.
Type typeOfTag(const std::string& tagText);

/// What a range limits block shows.
struct RangeLimits {
  std::array<std::string, 5> captions;  ///< DtaOpt(0..4)
  bool gtfSupported = false;            ///< byte 10 not the text "00"
};

/// Everything the screen and the report show of one monitor descriptor.
struct Descriptor {
  std::string tag;  ///< byte 3's text, upper-cased
  Type type = Type::Undefined;
  /// DTaInput: the text of a text block (control bytes shown as "."), the 13
  /// data bytes as hex pairs for other tags, empty otherwise.
  std::string inputText;
  bool gtfEnabled = false;  ///< DTAGTF usable: range limits only
  RangeLimits range;        ///< filled for range limits
  /// The block's report text, CR LF terminated lines, starting with an empty line.
  std::string reportText;
};

/// The characters of a text block's bytes 5-17 up to the first 0A. Bytes below 20
/// and 7F show as "."; bytes 80-FF stay as they are (Windows-1252 characters).
std::string textOf(const Image& image, int blockStart);

/// Decodes the monitor descriptor at blockStart (54, 72, 90, 108). Reads only.
Descriptor decode(const Image& image, int blockStart);

}  // namespace edid::monitor_descriptor
