#pragma once
// The detailed timing descriptor: an 18-byte block at byte 54, 72, 90 or 108 whose
// first two bytes (the pixel clock) are not both zero (VESA EDID 1.3, section 3.10.2).

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/common/image.h"
#include "core/common/result.h"
#include "core/common/text.h"

namespace edid::detailed_timing {

/// The thirteen numeric fields, in the order of the frame's option buttons DT(0..12).
enum class Field {
  PixelClock = 0,
  HorizontalActive,
  HorizontalBlanking,
  VerticalActive,
  VerticalBlanking,
  HorizontalSyncOffset,
  HorizontalSyncWidth,
  VerticalSyncOffset,
  VerticalSyncWidth,
  HorizontalBorder,
  VerticalBorder,
  HorizontalImageSize,
  VerticalImageSize,
};
inline constexpr int kFieldCount = 13;

/// Sync type of flag bits 4-3.
enum class SyncType {
  AnalogComposite = 0,
  BipolarAnalogComposite,
  DigitalComposite,
  DigitalSeparate
};

/// The one test of an 18-byte block's kind, for the screen and the report alike:
/// a monitor descriptor when its first three cells read "00" "00" "00", or each
/// reads as the byte 0; anything else decodes as a timing.
bool isDescriptor(const Image& image, int blockStart);

/// Field value from the block's bytes (the pixel clock in units of 10 kHz; the
/// 12-bit and 10-bit fields joined from their shared upper-bit bytes).
int fieldValue(const Image& image, int blockStart, Field field);
/// The same from the block's 18 bytes.
int fieldValue(std::span<const std::uint8_t, 18> block, Field field);

/// A field's name without its separator: "Active Time", "Pixel Clock".
const char* fieldLabel(Field field);
/// A field's value as shown, with its unit: "1280 pixels", the clock "108.00 MHz".
std::string fieldValueText(Field field, int value);

/// One detailed timing decoded: its values and the texts the report prints.
struct Timing {
  std::array<int, kFieldCount> values{};         ///< by Field
  std::array<std::string, kFieldCount> phrases;  ///< "Active Time: 1280 pixels"

  bool interlaced = false;
  std::string interlaceText;  ///< "Refreshed Mode: Interlaced" / "...Non-Interlaced"
  /// Stereo code n = (flag bits 6-5) x 2 + bit 0; 0 and 1 are no stereo.
  int stereoCode = 0;
  std::string stereoText;  ///< "Stereo" or "Normal Display - No Stereo"

  SyncType syncType = SyncType::AnalogComposite;
  /// Flag bit 2 of the composite types; false for digital separate, where the bit is
  /// the vertical polarity.
  bool serrate = false;
  std::string syncLineCaption;   ///< flag bit 1: "Sync on RGB", "Horizontal Polarity (+)"...
  std::string vSyncLineCaption;  ///< flag bit 2 of digital separate only
  std::string syncText;

  std::string horizontalFrequency;  ///< kHz, "0.00"
  std::string verticalFrequency;    ///< Hz, "0.00"

  /// The block's report text: sixteen CR LF terminated lines plus one empty line.
  std::string reportText;
};

/// Decodes the block at blockStart (54, 72, 90, 108) as a detailed timing. A zero
/// pixel clock or zero totals never divide by zero: the line time and vertical total
/// count as 1 then. Reads only; malformed cells read by the image's rules.
Timing decode(const Image& image, int blockStart);
/// decode(image, blockStart).reportText written onto the end of out, without the rest,
/// its lines ended by lineEnd.
void appendReportText(const Image& image, int blockStart, std::string& out,
                      std::string_view lineEnd = kCrLf);

// ---- Editors (detailed_timing_edit.cpp). Each checks first and returns the cells
// to write; bits of the shared bytes that belong to other fields are kept.

/// Offset of the first byte of a field inside the block (where DT_Click puts the focus).
int firstOffsetOf(Field field);

/// A DTInput entry for one field: a count in the field's unit, the pixel clock in
/// MHz (a decimal comma reads as a point), rounded halves to even. Refused with
/// "Not a number: <text>" for text without a number, with "Invalid Value" when negative, above
/// 65534, or outside a 12-bit (0..4095) or 10-bit (0..1023) field; the 6-bit and 8-bit fields keep
/// only their low bits.
Result<CellWrites> encodeField(const Image& image, int blockStart, Field field,
                               std::string_view text);

/// Flag bit 7 := on.
CellWrites setInterlaced(const Image& image, int blockStart, bool on);
/// Stereo bits 6-5 and 0 := the code of DTStereo option 0..6 (6 is no stereo).
CellWrites setStereo(const Image& image, int blockStart, int option);
/// Sync type bits 4-3 := type 0..3.
CellWrites setSyncType(const Image& image, int blockStart, int type);
/// Flag bit 2 := on (serration of the composite sync types).
CellWrites setSerrate(const Image& image, int blockStart, bool on);
/// Flips flag bit 1 (sync on RGB / horizontal or composite polarity).
CellWrites toggleSyncLine(const Image& image, int blockStart);
/// Flips flag bit 2 (vertical polarity of digital separate sync).
CellWrites toggleVSyncLine(const Image& image, int blockStart);
/// Blanks the block into a monitor descriptor of tag FF: 00 00 00 FF and fourteen 00.
CellWrites resetBlock(int blockStart);

}  // namespace edid::detailed_timing
