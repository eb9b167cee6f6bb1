#pragma once
// Video timings made from a width, height and refresh rate by the VESA formulas
// (CVT 1.2, GTF) or taken from the fixed tables (VESA DMT, CTA-861 VICs), and the
// 18-byte detailed timing descriptor that holds one. Pure functions: a timing, or
// the reason there is none.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/common/result.h"

namespace edid::timing {

/// One timing as a source sends it. Horizontal counts are pixels; vertical counts
/// are lines of one field (of the frame when progressive). The blanking around the
/// active area excludes the borders, as a detailed timing counts it.
struct Timing {
  std::string name;  ///< how it was made: "CVT-RB2 1920x1080@60", "DMT 0x52", "VIC 16"
  int pixelClockKHz = 0;
  int hActive = 0;
  int hFrontPorch = 0;
  int hSync = 0;
  int hBackPorch = 0;
  int hBorder = 0;  ///< on each side
  /// Lines of the whole frame: an interlaced field holds half of them.
  int vActive = 0;
  int vFrontPorch = 0;
  int vSync = 0;
  int vBackPorch = 0;
  int vBorder = 0;  ///< on each side, per field
  bool hSyncPositive = false;
  bool vSyncPositive = false;
  bool interlaced = false;

  int hBlank() const { return hFrontPorch + hSync + hBackPorch; }
  int vBlank() const { return vFrontPorch + vSync + vBackPorch; }
  int hTotal() const { return hActive + 2 * hBorder + hBlank(); }
  /// Active lines of one field.
  int vActiveField() const { return interlaced ? vActive / 2 : vActive; }
  /// Lines of one field; an interlaced field has half a line more or less.
  double vTotalField() const {
    return vActiveField() + 2 * vBorder + vBlank() + (interlaced ? 0.5 : 0.0);
  }
  double horizontalKHz() const;
  /// Fields per second (frames per second when progressive).
  double verticalHz() const;
};

enum class CvtBlanking { Standard, Reduced, ReducedV2 };

struct CvtOptions {
  CvtBlanking blanking = CvtBlanking::Standard;
  bool interlaced = false;
  /// 1.8 % borders on every side.
  bool margins = false;
  /// Reduced blanking v2 only: the clock lowered by 1000/1001 (59.94 Hz for 60).
  bool videoOptimized = false;
};

/// VESA CVT 1.2. refreshHz counts fields per second when interlaced (1080i60 is 60).
Result<Timing> cvt(int width, int height, double refreshHz, const CvtOptions& options = {});

/// The GTF curve's parameters; the defaults are the standard's default curve.
struct GtfCurve {
  double c = 40;
  double m = 600;
  double k = 128;
  double j = 20;
};

/// The secondary curve a range limits descriptor advertises, used from a
/// horizontal frequency on.
struct GtfSecondary {
  double startKHz = 0;
  GtfCurve curve;
};

struct GtfOptions {
  bool interlaced = false;
  bool margins = false;
  std::optional<GtfSecondary> secondary;
};

/// VESA GTF from the field rate. With a secondary curve, a timing whose default
/// curve's line rate reaches the start frequency is made on the secondary curve
/// instead (and then has +H -V sync).
Result<Timing> gtf(int width, int height, double refreshHz, const GtfOptions& options = {});

/// The secondary GTF curve of an 18-byte range limits descriptor (tag FD, byte 10
/// = 02); refused when the block advertises none.
Result<GtfSecondary> gtfSecondaryOf(const std::array<std::uint8_t, 18>& descriptor);

/// The VESA DMT timing of a DMT ID (0x01 to 0x58).
Result<Timing> dmt(int id);
/// The DMT timing of a size whose refresh rounds to refreshHz; reduced picks the
/// reduced-blanking one where the size has both.
Result<Timing> dmt(int width, int height, double refreshHz, bool reduced = false);

/// The timing of a CTA-861 Video Identification Code (1-127, 193-219).
Result<Timing> vic(int code);

/// dmt(width, height, refreshHz, reduced) and vic(code) without the name or the
/// reason there is none, for callers that only need the counts and rates.
std::optional<Timing> findDmt(int width, int height, double refreshHz, bool reduced = false);
std::optional<Timing> findVic(int code);

using Descriptor = std::array<std::uint8_t, 18>;

/// The 18-byte detailed timing descriptor of t: digital separate sync with t's
/// polarities, no stereo, the image size in mm as given. The clock is stored in
/// 10 kHz units (rounded). Refused, saying what would hold it, when the clock is above
/// 655.35 MHz or a count does not fit its bits.
Result<Descriptor> encodeDescriptor(const Timing& t, int hImageMm = 0, int vImageMm = 0);

/// The pixel clock as the descriptor stores it, in kHz (a multiple of 10).
int storedPixelClockKHz(const Timing& t);

}  // namespace edid::timing
