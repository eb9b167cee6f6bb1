#include "core/sections/range_limits.h"

#include <algorithm>

#include "core/common/numbers.h"
#include "core/common/text.h"
#include "core/sections/version.h"

namespace edid::range_limits {

namespace {

constexpr int kOffset = 255;

CellWrite write(int index, int value) {
  return {index, ByteToHex(value)};
}

CellWrites textEnd(int s) {
  CellWrites out{write(s + 11, 0x0A)};
  for (int offset = 12; offset <= 17; ++offset) out.push_back(write(s + offset, 0x20));
  return out;
}

// Byte 4: bit 1 adds 255 to the maximum vertical rate, bits 1-0 both set to the
// minimum as well; bits 3-2 do the same for the horizontal rates.
std::array<bool, 4> offsets(int flags) {
  const bool maxV = (flags & 0x02) != 0;
  const bool maxH = (flags & 0x08) != 0;
  return {maxV && (flags & 0x01) != 0, maxV, maxH && (flags & 0x04) != 0, maxH};
}

std::string joined(const std::vector<std::string>& items, const char* none) {
  if (items.empty()) return none;
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : ", ") + item;
  return out;
}

void secondaryGtfLines(const Image& image, int s, std::vector<std::string>& out) {
  out.push_back("GTF Start Freq - " + std::to_string(image.byte(s + 12) * 2) + " KHz");
  out.push_back("GTF C - " + formatNumber(image.byte(s + 13) / 2.0, "0.0") + "%");
  out.push_back("GTF M - " + std::to_string(image.byte(s + 14) + 256 * image.byte(s + 15)) +
                "%/KHz");
  out.push_back("GTF K - " + std::to_string(image.byte(s + 16)));
  out.push_back("GTF J - " + formatNumber(image.byte(s + 17) / 2.0, "0.0") + "%");
}

void cvtLines(const Image& image, int s, std::vector<std::string>& out) {
  const int version = image.byte(s + 11);
  out.push_back("CVT Version - " + std::to_string(version >> 4) + "." +
                std::to_string(version & 0x0F));
  // Bits 7-2 of byte 12 take quarter megahertz off the limit of byte 9.
  const int clock = image.byte(s + 9);
  const int less = image.byte(s + 12) >> 2;
  if (less != 0 && clock != 0xFF)
    out.push_back("CVT Pixel Clock - " + formatNumber(clock * 10 - less * 0.25, "0.00") + " MHz");
  const int pixels = 8 * (image.byte(s + 13) + 256 * (image.byte(s + 12) & 0x03));
  out.push_back("Max Active Pixels - " +
                (pixels == 0 ? std::string("No Limit") : std::to_string(pixels)));
  static const std::array<const char*, 5> kAspects = {"4:3", "16:9", "16:10", "5:4", "15:9"};
  std::vector<std::string> aspects;
  const int supported = image.byte(s + 14);
  for (int k = 0; k < 5; ++k)
    if (supported & (0x80 >> k)) aspects.emplace_back(kAspects[static_cast<std::size_t>(k)]);
  out.push_back("Aspect Ratios - " + joined(aspects, "None"));
  const int preferences = image.byte(s + 15);
  const int preferred = preferences >> 5;
  out.push_back(
      "Preferred Aspect - " +
      std::string(preferred < 5 ? kAspects[static_cast<std::size_t>(preferred)] : "Reserved"));
  std::vector<std::string> blanking;
  if (preferences & 0x08) blanking.emplace_back("Standard");
  if (preferences & 0x10) blanking.emplace_back("Reduced");
  out.push_back("CVT Blanking - " + joined(blanking, "None"));
  static const std::array<const char*, 4> kScaling = {"H Shrink", "H Stretch", "V Shrink",
                                                      "V Stretch"};
  std::vector<std::string> scaling;
  for (int k = 0; k < 4; ++k)
    if (image.byte(s + 16) & (0x80 >> k))
      scaling.emplace_back(kScaling[static_cast<std::size_t>(k)]);
  out.push_back("Scaling - " + joined(scaling, "None"));
  out.push_back("Preferred Refresh - " + std::to_string(image.byte(s + 17)) + " Hz");
}

}  // namespace

std::vector<int> timingSupportValues(const Image& image) {
  if (version::isEdid14(image)) return {kDefaultGtf, kRangeLimitsOnly, kSecondaryGtf, kCvt};
  return {kDefaultGtf, kSecondaryGtf};
}

std::string timingSupportCaption(int value, bool edid14) {
  switch (value) {
    case kDefaultGtf:
      return edid14 ? "Default GTF" : "No Secondary GTF";
    case kRangeLimitsOnly:
      return edid14 ? "Range Limits Only" : "Reserved (01)";
    case kSecondaryGtf:
      return "Secondary GTF";
    case kCvt:
      return edid14 ? "CVT" : "Reserved (04)";
  }
  return "Reserved (" + ByteToHex(value) + ")";
}

Rates rates(const Image& image, int s) {
  Rates r;
  if (version::isEdid14(image)) r.offset = offsets(image.byte(s + 4));
  for (std::size_t k = 0; k < 4; ++k)
    r.value[k] = image.byte(s + 5 + static_cast<int>(k)) + (r.offset[k] ? kOffset : 0);
  return r;
}

Decoded decode(const Image& image, int s) {
  Decoded d;
  d.rates = rates(image, s);
  const auto& v = d.rates.value;
  const int clock = image.byte(s + 9);
  d.maxPixelClockMHz = clock == 0xFF ? 0 : clock * 10;
  d.captions[0] = "Min Vertical Freq - " + std::to_string(v[0]) + " Hz";
  d.captions[1] = "Max Vertical Freq - " + std::to_string(v[1]) + " Hz";
  d.captions[2] = "Min Horiz. Freq - " + std::to_string(v[2]) + " KHz";
  d.captions[3] = "Max Horiz. Freq - " + std::to_string(v[3]) + " KHz";
  d.captions[4] = clock == 0xFF ? "Pixel Clock - Not Specified"
                                : "Pixel Clock  - " + std::to_string(d.maxPixelClockMHz) + " MHz";
  d.timingSupport = image.byte(s + 10);
  if (!version::isEdid14(image)) {
    d.supportLines.emplace_back(image.cell(s + 10) == "00" ? "GTF - Not Used" : "GTF - Supported");
    if (d.timingSupport == kSecondaryGtf) secondaryGtfLines(image, s, d.supportLines);
    return d;
  }
  d.supportLines.push_back("Timing Support - " + timingSupportCaption(d.timingSupport, true));
  if (d.timingSupport == kSecondaryGtf) secondaryGtfLines(image, s, d.supportLines);
  if (d.timingSupport == kCvt) cvtLines(image, s, d.supportLines);
  return d;
}

Result<CellWrites> encodeRate(const Image& image, int s, int k, std::string_view text) {
  if (k < 0 || k > 3) return CellWrites{};
  const auto number = enteredNumber(text);
  if (!number) return failure(number.error());
  const bool edid14 = version::isEdid14(image);
  const int limit = edid14 ? 2 * kOffset : kOffset;
  double v = *number;
  if (v > limit || v < 0)
    return failure("Value entered must be between 0 - " + std::to_string(limit));
  // 0 stands for "not specified"; a fraction that rounds to 0 stays 0.
  const int value = v == 0 ? 0xFF : std::stoi(formatNumber(v, "0"));
  if (!edid14) return CellWrites{write(s + 5 + k, value)};

  Rates r = rates(image, s);
  r.value[static_cast<std::size_t>(k)] = value;
  const int pair = k / 2;  // 0 vertical, 1 horizontal
  const int min = r.value[static_cast<std::size_t>(2 * pair)];
  const int max = r.value[static_cast<std::size_t>(2 * pair + 1)];
  const bool maxOffset = max > kOffset;
  const bool minOffset = min > kOffset;
  if (minOffset && !maxOffset)
    return failure("The minimum can only pass 255 when the maximum does");
  const int shift = 2 * pair;
  int flags = image.byte(s + 4) & ~(0x03 << shift);
  if (maxOffset) flags |= (minOffset ? 0x03 : 0x02) << shift;
  return CellWrites{write(s + 4, flags), write(s + 5 + 2 * pair, min - (minOffset ? kOffset : 0)),
                    write(s + 6 + 2 * pair, max - (maxOffset ? kOffset : 0))};
}

Result<CellWrites> setTimingSupport(const Image& image, int s, int value) {
  const auto values = timingSupportValues(image);
  if (std::find(values.begin(), values.end(), value) == values.end())
    return failure("Not defined for this EDID version");
  CellWrites out{write(s + 10, value)};
  if (value == kDefaultGtf || value == kRangeLimitsOnly) {
    for (auto& w : textEnd(s)) out.push_back(std::move(w));
    return out;
  }
  if (image.byte(s + 10) == value) return out;
  // A secondary curve starts as the GTF default curve from 64 kHz; CVT as 1.1
  // with every aspect ratio, 16:9 preferred, both blankings and 60 Hz.
  static const std::array<int, 7> kSecondary = {0x00, 0x20, 0x50, 0x58, 0x02, 0x80, 0x28};
  static const std::array<int, 7> kCvtStart = {0x11, 0x00, 0x00, 0xF8, 0x38, 0x00, 60};
  const auto& bytes = value == kSecondaryGtf ? kSecondary : kCvtStart;
  for (int k = 0; k < 7; ++k) out.push_back(write(s + 11 + k, bytes[static_cast<std::size_t>(k)]));
  return out;
}

}  // namespace edid::range_limits
