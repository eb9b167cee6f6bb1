// The VESA formulas: CVT 1.2 (standard and reduced blanking v1 and v2) and GTF.
// Each step follows the standards' spreadsheets, including where they round down
// (CVT) or to nearest (GTF).
#include <cmath>
#include <cstdint>

#include "core/common/format.h"
#include "core/timing/timing.h"

namespace edid::timing {

namespace {

constexpr double kCellGranularity = 8;
constexpr double kMarginPercent = 1.8;
// Both formulas leave at least this much time for vertical sync and back porch (us).
constexpr double kMinVSyncBackPorchUs = 550;

// CVT
constexpr int kCvtMinVFrontPorch = 3;
// CVT 1.2 asks for at least 7 back porch lines (1.1 had 6); v2 fixes them at 6.
constexpr int kCvtMinVBackPorch = 7;
constexpr int kCvtRb2VBackPorch = 6;
constexpr double kCvtCPrime = 30;  // C' and M' of the CVT blanking curve
constexpr double kCvtMPrime = 300;
constexpr double kCvtMinDutyCycle = 20;
constexpr double kCvtHSyncPercent = 8;
constexpr double kCvtRbMinVBlankUs = 460;
constexpr int kCvtRbHSync = 32;

// GTF
constexpr int kGtfVFrontPorch = 1;
constexpr int kGtfVSync = 3;
constexpr double kGtfHSyncPercent = 8;

constexpr int kLargestSize = 32767;
constexpr double kHighestRefresh = 1000;

// Appends value to three places without trailing zeros ("59.94", "60").
void appendNumber(std::string& s, double value) {
  // A whole rate, the usual request, needs no conversion.
  if (value >= 0 && value < 1e9 && value == std::floor(value))
    return format::appendInt(s, static_cast<std::int64_t>(value));
  format::appendFixed(s, value, 3);
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
}

std::string number(double value) {
  std::string s;
  appendNumber(s, value);
  return s;
}

std::string modeName(const char* method, int width, int height, double refreshHz, bool interlaced) {
  std::string name = method;
  name += ' ';
  format::appendInt(name, width);
  name += 'x';
  format::appendInt(name, height);
  if (interlaced) name += 'i';
  name += '@';
  appendNumber(name, refreshHz);
  return name;
}

std::optional<Error> checkRequest(const char* method, int width, int height, double refreshHz) {
  if (width < 1 || height < 1 || width > kLargestSize || height > kLargestSize)
    return failure(std::string(method) + " needs a width and height from 1 to " +
                   std::to_string(kLargestSize));
  if (!(refreshHz > 0 && refreshHz <= kHighestRefresh))
    return failure(std::string(method) + " needs a refresh rate above 0 and at most " +
                   number(kHighestRefresh) + " Hz");
  return std::nullopt;
}

Error tooFast(const std::string& name) {
  return failure(name + ": the refresh rate leaves no time for the vertical blanking");
}

// CVT's vertical sync width tells the aspect ratio; others get 10 lines.
int cvtVSyncForAspect(int width, int height) {
  const long w = width;
  const long h = height;
  if (w * 3 == h * 4) return 4;
  if (w * 9 == h * 16) return 5;
  if (w * 10 == h * 16) return 6;
  if (w * 4 == h * 5 || w * 9 == h * 15) return 7;
  return 10;
}

}  // namespace

double Timing::horizontalKHz() const {
  const int total = hTotal();
  return total > 0 ? static_cast<double>(pixelClockKHz) / total : 0.0;
}

double Timing::verticalHz() const {
  const double lines = vTotalField();
  return lines > 0 ? horizontalKHz() * 1000.0 / lines : 0.0;
}

Result<Timing> cvt(int width, int height, double refreshHz, const CvtOptions& options) {
  if (auto refused = checkRequest("CVT", width, height, refreshHz)) return *refused;
  const bool v2 = options.blanking == CvtBlanking::ReducedV2;
  const bool reduced = options.blanking != CvtBlanking::Standard;
  const char* method = v2 ? "CVT-RB2" : reduced ? "CVT-RB" : "CVT";
  const std::string name = modeName(method, width, height, refreshHz, options.interlaced);
  if (options.videoOptimized && !v2)
    return failure(name + ": only reduced blanking v2 has video-optimized timings");

  // v2 keeps every pixel of the width and steps the clock by 1 kHz, not 250 kHz.
  const double cell = v2 ? 1 : kCellGranularity;
  const double clockStepMHz = v2 ? 0.001 : 0.25;
  const double hPixels = std::floor(width / cell) * cell;
  if (hPixels < 1) return failure(name + ": the width rounds down to no pixels");
  const double vLines = options.interlaced ? std::floor(height / 2.0) : height;
  if (vLines < 1) return failure(name + ": the height leaves no lines in a field");
  const double hMargin =
      options.margins ? std::floor(hPixels * kMarginPercent / 100.0 / cell) * cell : 0;
  const double vMargin = options.margins ? std::floor(vLines * kMarginPercent / 100.0) : 0;
  const double halfLine = options.interlaced ? 0.5 : 0;
  const double activePixels = hPixels + 2 * hMargin;
  const int vSync = v2 ? 8 : cvtVSyncForAspect(width, height);

  Timing t;
  t.name = name;
  t.hActive = static_cast<int>(hPixels);
  t.hBorder = static_cast<int>(hMargin);
  t.vActive = height;
  t.vBorder = static_cast<int>(vMargin);
  t.vSync = vSync;
  t.interlaced = options.interlaced;
  double hBlank = 0;
  double clockMHz = 0;
  if (!reduced) {
    const double hPeriodEst = (1.0 / refreshHz - kMinVSyncBackPorchUs / 1e6) /
                              (vLines + 2 * vMargin + kCvtMinVFrontPorch + halfLine) * 1e6;
    if (hPeriodEst <= 0) return tooFast(name);
    double syncAndBackPorch = std::floor(kMinVSyncBackPorchUs / hPeriodEst) + 1;
    if (syncAndBackPorch < vSync + kCvtMinVBackPorch) syncAndBackPorch = vSync + kCvtMinVBackPorch;
    const double dutyCycle =
        std::max(kCvtCPrime - kCvtMPrime * hPeriodEst / 1000.0, kCvtMinDutyCycle);
    hBlank = std::floor(activePixels * dutyCycle / (100.0 - dutyCycle) / (2 * kCellGranularity)) *
             2 * kCellGranularity;
    const double totalPixels = activePixels + hBlank;
    t.hSync = static_cast<int>(
        std::floor(totalPixels * kCvtHSyncPercent / 100.0 / kCellGranularity) * kCellGranularity);
    clockMHz = std::floor(totalPixels / hPeriodEst / clockStepMHz) * clockStepMHz;
    t.vFrontPorch = kCvtMinVFrontPorch;
    t.vBackPorch = static_cast<int>(syncAndBackPorch) - vSync;
    t.hSyncPositive = false;
    t.vSyncPositive = true;
  } else {
    const double vFrontPorchMin = v2 ? 1 : 3;
    hBlank = v2 ? 80 : 160;
    const double hPeriodEst = (1e6 / refreshHz - kCvtRbMinVBlankUs) / (vLines + 2 * vMargin);
    if (hPeriodEst <= 0) return tooFast(name);
    const int vBackPorchMin = v2 ? kCvtRb2VBackPorch : kCvtMinVBackPorch;
    const double vbiLines = std::max(std::floor(kCvtRbMinVBlankUs / hPeriodEst) + 1,
                                     vFrontPorchMin + vSync + vBackPorchMin);
    const double totalLines = vbiLines + vLines + 2 * vMargin + halfLine;
    const double multiplier = options.videoOptimized ? 1000.0 / 1001.0 : 1.0;
    clockMHz = std::floor(refreshHz * totalLines * (hBlank + activePixels) / 1e6 * multiplier /
                          clockStepMHz) *
               clockStepMHz;
    t.hSync = kCvtRbHSync;
    // v1 puts the rest of the blanking into the back porch, v2 into the front porch.
    t.vBackPorch = v2 ? kCvtRb2VBackPorch : static_cast<int>(vbiLines - vFrontPorchMin) - vSync;
    t.vFrontPorch = static_cast<int>(vbiLines) - vSync - t.vBackPorch;
    t.hSyncPositive = true;
    t.vSyncPositive = false;
  }
  // The back porch is half the blanking; sync ends there.
  t.hBackPorch = static_cast<int>(hBlank / 2);
  t.hFrontPorch = static_cast<int>(hBlank) - t.hBackPorch - t.hSync;
  t.pixelClockKHz = static_cast<int>(std::lround(clockMHz * 1000.0));
  if (t.pixelClockKHz <= 0) return failure(name + ": the pixel clock rounds down to 0");
  return t;
}

namespace {

struct GtfResult {
  Timing timing;
  double lineKHz = 0;
};

Result<GtfResult> gtfOnCurve(int width, int height, double refreshHz, const GtfOptions& options,
                             const GtfCurve& curve, const std::string& name) {
  const double cPrime = (curve.c - curve.j) * curve.k / 256.0 + curve.j;
  const double mPrime = curve.k / 256.0 * curve.m;
  const double hPixels = std::round(width / kCellGranularity) * kCellGranularity;
  if (hPixels < 1) return failure(name + ": the width rounds to no pixels");
  const double vLines = options.interlaced ? std::round(height / 2.0) : height;
  const double hMargin =
      options.margins
          ? std::round(hPixels * kMarginPercent / 100.0 / kCellGranularity) * kCellGranularity
          : 0;
  const double vMargin = options.margins ? std::round(kMarginPercent / 100.0 * vLines) : 0;
  const double halfLine = options.interlaced ? 0.5 : 0;
  const double activePixels = hPixels + 2 * hMargin;

  const double hPeriodEst = (1.0 / refreshHz - kMinVSyncBackPorchUs / 1e6) /
                            (vLines + 2 * vMargin + kGtfVFrontPorch + halfLine) * 1e6;
  if (hPeriodEst <= 0) return tooFast(name);
  const double syncAndBackPorch = std::round(kMinVSyncBackPorchUs / hPeriodEst);
  const double totalLines = vLines + 2 * vMargin + syncAndBackPorch + halfLine + kGtfVFrontPorch;
  const double fieldRateEst = 1e6 / hPeriodEst / totalLines;
  const double hPeriod = hPeriodEst / (refreshHz / fieldRateEst);
  const double dutyCycle = cPrime - mPrime * hPeriod / 1000.0;
  if (dutyCycle <= 0 || dutyCycle >= 100)
    return failure(name + ": the GTF curve gives no horizontal blanking at this line rate");
  const double hBlank =
      std::round(activePixels * dutyCycle / (100.0 - dutyCycle) / (2 * kCellGranularity)) * 2 *
      kCellGranularity;
  const double totalPixels = activePixels + hBlank;

  GtfResult r;
  Timing& t = r.timing;
  t.name = name;
  t.hActive = static_cast<int>(hPixels);
  t.hBorder = static_cast<int>(hMargin);
  // GTF rounds an odd frame's half to nearest: the fields then hold one line more.
  t.vActive = options.interlaced ? static_cast<int>(vLines) * 2 : height;
  t.vBorder = static_cast<int>(vMargin);
  t.interlaced = options.interlaced;
  t.pixelClockKHz = static_cast<int>(std::lround(totalPixels / hPeriod * 1000.0));
  t.hSync = static_cast<int>(std::round(kGtfHSyncPercent / 100.0 * totalPixels / kCellGranularity) *
                             kCellGranularity);
  t.hBackPorch = static_cast<int>(hBlank / 2);
  t.hFrontPorch = static_cast<int>(hBlank) - t.hBackPorch - t.hSync;
  t.vFrontPorch = kGtfVFrontPorch;
  t.vSync = kGtfVSync;
  t.vBackPorch = static_cast<int>(syncAndBackPorch) - kGtfVSync;
  t.hSyncPositive = false;
  t.vSyncPositive = true;
  if (t.pixelClockKHz <= 0 || t.vBackPorch < 0 || t.hFrontPorch < 0)
    return failure(name + ": GTF gives no usable timing for this size and rate");
  r.lineKHz = 1000.0 / hPeriod;
  return r;
}

}  // namespace

Result<Timing> gtf(int width, int height, double refreshHz, const GtfOptions& options) {
  if (auto refused = checkRequest("GTF", width, height, refreshHz)) return *refused;
  const std::string name = modeName("GTF", width, height, refreshHz, options.interlaced);
  auto primary = gtfOnCurve(width, height, refreshHz, options, GtfCurve{}, name);
  if (!primary || !options.secondary || primary->lineKHz < options.secondary->startKHz) {
    if (!primary) return Error{primary.error()};
    return primary->timing;
  }
  auto secondary =
      gtfOnCurve(width, height, refreshHz, options, options.secondary->curve, name + " secondary");
  if (!secondary) return Error{secondary.error()};
  Timing t = secondary->timing;
  t.hSyncPositive = true;
  t.vSyncPositive = false;
  return t;
}

Result<GtfSecondary> gtfSecondaryOf(const Descriptor& d) {
  if (d[0] != 0 || d[1] != 0 || d[2] != 0 || d[3] != 0xFD)
    return failure("The block is no range limits descriptor (tag FD)");
  if (d[10] != 0x02) return failure("The range limits descriptor names no secondary GTF curve");
  GtfSecondary s;
  s.startKHz = d[12] * 2.0;
  s.curve.c = d[13] / 2.0;
  s.curve.m = d[14] + d[15] * 256.0;
  s.curve.k = d[16];
  s.curve.j = d[17] / 2.0;
  if (s.curve.k == 0) return failure("The secondary GTF curve has K = 0");
  return s;
}

}  // namespace edid::timing
