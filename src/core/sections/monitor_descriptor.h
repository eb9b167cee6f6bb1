#pragma once
// Monitor descriptors: 18-byte blocks that start with 00 00 00 and whose byte 3 is
// a tag saying what bytes 5-17 hold (VESA EDID 1.3, section 3.10.3).

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/image.h"
#include "core/common/result.h"
#include "core/common/text.h"
#include "core/sections/color_management.h"
#include "core/sections/cvt_codes.h"
#include "core/sections/established_iii.h"
#include "core/sections/standard_timing.h"

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
  EstablishedIII = 8,       // F7, from EDID 1.4
  CvtCodes = 9,             // F8, from EDID 1.4
  ColorManagement = 10,     // F9, from EDID 1.4
};
inline constexpr int kTypes = 11;
/// The types an EDID before 1.4 knows: 0..7.
inline constexpr int kTypesBefore14 = 8;

/// The DTa option captions, by type.
const std::array<const char*, kTypes>& typeCaptions();

/// The type of a tag cell's text, compared upper-cased ("fd" is range limits).
/// Hex tags 00..0F are manufacturer defined; every other unlisted tag is undefined.
/// F7, F8 and F9 are their types only when edid14 is set.
Type typeOfTag(const std::string& tagText, bool edid14 = false);

/// What a range limits block shows.
struct RangeLimits {
  int minVerticalHz = 0;     ///< byte 5
  int maxVerticalHz = 0;     ///< byte 6
  int minHorizontalKHz = 0;  ///< byte 7
  int maxHorizontalKHz = 0;  ///< byte 8
  int maxPixelClockMHz = 0;  ///< byte 9 x 10; 0 when byte 9 is FF (not specified)
  /// "Min Vertical Freq - 50 Hz" ... "Pixel Clock  - 160 MHz": the report lines and DtaOpt(0..4).
  std::array<std::string, 5> captions;
  bool gtfSupported = false;  ///< byte 10 not the text "00"
  int timingSupport = 0;      ///< byte 10
  /// The lines of byte 10 by the version, and of the parameters that follow it.
  std::vector<std::string> supportLines;
};

/// One white point of a colour point block (tag FB).
struct WhitePoint {
  bool used = false;  ///< its index byte is above 0
  int index = 0;      ///< the index byte
  double x = 0.0;     ///< the 10-bit fractions; 0 when the point is not used
  double y = 0.0;
  double gamma = 0.0;  ///< (gamma byte + 100) / 100; 0 when the point is not used
  /// "White X - 0.313", "White Y - 0.329", "Gamma  - 2.20": DtaOptWhite(3n..3n+2),
  /// empty when the point is not used.
  std::array<std::string, 3> captions;
};

/// The six extra standard timings of a block of tag FA.
struct ExtraTimings {
  /// The two-byte codes decoded, aspect code 0 read by the image's version; a slot
  /// whose first byte is 00 or 01 is unused.
  std::array<standard_timing::Timing, 6> timings;
};

/// Everything the screen and the report show of one monitor descriptor.
struct Descriptor {
  std::string tag;  ///< byte 3's text, upper-cased
  Type type = Type::Undefined;
  /// DTaInput: the text of a text block (control bytes shown as "."), the 13
  /// data bytes as hex pairs for other tags, empty otherwise.
  std::string inputText;
  RangeLimits range;                          ///< filled for range limits
  std::array<WhitePoint, 2> whitePoints;      ///< filled for colour points
  ExtraTimings extraTimings;                  ///< filled for standard timings
  established_iii::Decoded establishedIII;    ///< filled for F7
  cvt_codes::Decoded cvtCodes;                ///< filled for F8
  color_management::Decoded colorManagement;  ///< filled for F9
  /// The block's report text, CR LF terminated lines, starting with an empty line.
  std::string reportText;
};

/// The characters of a text block's bytes 5-17 up to the first 0A. Bytes below 20
/// and 7F show as "."; bytes 80-FF stay as they are (Windows-1252 characters).
std::string textOf(const Image& image, int blockStart);

/// Decodes the monitor descriptor at blockStart (54, 72, 90, 108). Reads only:
/// an absent white point's bytes are shown as "Not Used" but left as they are.
Descriptor decode(const Image& image, int blockStart);
/// decode(image, blockStart).reportText written onto the end of out, without the rest,
/// its lines ended by lineEnd.
void appendReportText(const Image& image, int blockStart, std::string& out,
                      std::string_view lineEnd = kCrLf);

/// What DTaInput shows for a colour point option's caption: the text after the
/// first "-", leading spaces removed; empty for a caption without "-".
std::string valueOfCaption(std::string_view caption);

// ---- Editors (monitor_descriptor_edit.cpp). Each returns the cells to write;
// those that can refuse check first, so a refusal writes nothing. ---------------

/// Turns the block into type 0..7 (the DTa option): tag FF..F9 into byte 3 and 00
/// into byte 4; for standard timings also the 0A end mark into byte 17; type 7
/// writes tag 00 and leaves byte 4. The data bytes stay, shown by the new type.
CellWrites chooseType(int blockStart, int type);
/// chooseType by the image's version: from 1.4, types 8..10 write tag F7, F8 or F9,
/// 00 into byte 4 and the version byte 5 (0A, 01, 03), and type 6 writes 10, as F9
/// is no longer undefined. Before 1.4 types 8..10 write nothing.
CellWrites chooseType(const Image& image, int blockStart, int type);

/// The text of a serial number, ASCII or name block (Windows-1252 bytes) into
/// bytes 5-17: one byte per character, then 0A, then 20 padding. Characters
/// beyond 13 are dropped; 13 or more leave no room for the 0A.
CellWrites encodeText(int blockStart, std::string_view text);

/// Range limit k (0 min vertical Hz, 1 max vertical Hz, 2 min horizontal kHz,
/// 3 max horizontal kHz, 4 max pixel clock MHz) from its leading number. Zero
/// stores FF; the pixel clock is stored in 10 MHz units, rounded halves away from
/// zero, and accepts a decimal comma. Refused: text without a number ("Not a
/// number: <text>"), below 0 or above 255 for k 0-3 ("Value entered must be between
/// 0 - 255"), below 0 or from 2555 MHz for the pixel clock ("Value entered must be
/// between 0 - 2550"). k outside 0..4 writes nothing.
Result<CellWrites> encodeRangeLimit(const Image& image, int blockStart, int k,
                                    std::string_view text);

/// Colour point value j (0 x, 1 y, 2 gamma of point #1; 3, 4, 5 of point #2), with
/// a decimal comma read as a point. x and y take the 10-bit code's high byte and
/// their low pair (neighbour bits kept); gamma stores gamma x 100 - 100, halves
/// away from zero. Refused: text without a number ("Not a number: <text>"), gamma
/// outside 1.00-3.55 ("This value must value
/// between 1.00-3.55"), x or y of 1 or more ("This value must be a fraction less
/// than 1.00"). A point whose index byte is 00 writes nothing, without a message.
Result<CellWrites> encodeColorPoint(const Image& image, int blockStart, int j,
                                    std::string_view text);

/// Switches white point n (0 for #1, 1 for #2) on (index byte 01 or 02) or off.
/// On from an index byte of 00, and off, also clear that point's low-bit, x, y and
/// gamma bytes to 00; off, when the other point is off as well, writes the 0A 20 20
/// end into bytes 15-17.
CellWrites setWhitePoint(const Image& image, int blockStart, int n, bool on);

/// The first byte of FA slot t (0..5): block start + 5 + 2t.
constexpr int extraSlotByte(int blockStart, int t) {
  return blockStart + 5 + 2 * t;
}
/// Horizontal pixels of FA slot t: pixels / 8 - 31 into its first byte (both steps
/// halves to even); 0 stores 00, an unused slot. Refused with "Not a number:
/// <text>" for text without a number, with "Invalid Value" outside 0..255.
Result<CellWrites> encodeExtraHorizontal(const Image& image, int blockStart, int t,
                                         std::string_view text);
/// Refresh rate 60..123 Hz of FA slot t into bits 5-0 of its second byte, aspect
/// kept; refused as standard_timing::encodeRefresh refuses.
Result<CellWrites> encodeExtraRefresh(const Image& image, int blockStart, int t,
                                      std::string_view text);
/// Aspect ratio 0..3 of FA slot t into bits 7-6 of its second byte, rate kept.
CellWrites setExtraAspect(const Image& image, int blockStart, int t, int aspect);
/// Leaves the FA type: tag FF into byte 3, every other byte kept.
CellWrites leaveExtraTimings(int blockStart);

}  // namespace edid::monitor_descriptor
