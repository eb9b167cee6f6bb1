#pragma once
// The detailed timing descriptor: an 18-byte block at byte 54, 72, 90 or 108 whose
// first two bytes (the pixel clock) are not both zero (VESA EDID 1.3, section 3.10.2).

#include <array>
#include <string>

#include "core/common/image.h"

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

/// A block is a monitor descriptor when its first three cells read "00" "00" "00"
/// (compared as text, as the cells hold them); anything else decodes as a timing.
bool startsAsDescriptor(const Image& image, int blockStart);

/// Field value from the block's bytes (the pixel clock in units of 10 kHz; the
/// 12-bit and 10-bit fields joined from their shared upper-bit bytes).
int fieldValue(const Image& image, int blockStart, Field field);

/// Everything the screen and the report show of one detailed timing.
struct Timing {
  std::array<int, kFieldCount> values{};          ///< by Field
  std::array<std::string, kFieldCount> captions;  ///< "Active Time - 1280 pixels"
  std::array<std::string, kFieldCount> phrases;   ///< "Active Time: 1280 pixels"

  bool interlaced = false;
  std::string interlaceText;  ///< "Refreshed Mode: Interlaced" / "...Non-Interlaced"
  /// Stereo code n = (flag bits 6-5) x 2 + bit 0; 0 and 1 are no stereo.
  int stereoCode = 0;
  /// DTStereo option selected for the code (6 "No Stereo").
  int stereoOption = 6;
  std::string stereoFrameCaption;  ///< frmStereo: "Stereo" or "Normal Display - No Stereo"
  std::string stereoText;          ///< "Stereo" or "Normal Display - No Stereo"

  SyncType syncType = SyncType::AnalogComposite;
  std::string syncLineCaption;
  bool vSyncLineVisible = false;
  std::string vSyncLineCaption;  ///< set for digital separate only
  bool serrateEnabled = true;
  bool serrateChecked = false;
  std::string syncText;

  std::string horizontalFrequency;  ///< kHz, "0.00"
  std::string verticalFrequency;    ///< Hz, "0.00"
  std::string horizontalCaption;    ///< Freq(0): "Horizontal - 63.98 KHz"
  std::string verticalCaption;      ///< Freq(1): "Vertical - 60.02 Hz"

  /// The block's report text: sixteen CR LF terminated lines plus one empty line.
  std::string reportText;
};

/// Decodes the block at blockStart (54, 72, 90, 108) as a detailed timing. A zero
/// pixel clock or zero totals never divide by zero: the line time and vertical total
/// count as 1 then. Reads only; malformed cells read by the image's rules.
Timing decode(const Image& image, int blockStart);

}  // namespace edid::detailed_timing
