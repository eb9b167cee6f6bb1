#include "core/sections/range_limits.h"

#include <algorithm>

#include "core/common/format.h"
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

// Lines written onto a text, each between a prefix and an end.
struct Lines {
  std::string& out;
  std::string_view prefix;
  std::string_view end;

  std::string& begin() { return out.append(prefix); }
  void finish() { out.append(end); }
  void line(std::string_view text) {
    begin().append(text);
    finish();
  }
  // "label" then value and unit: "GTF K - 10".
  void number(std::string_view label, int value, std::string_view unit = {}) {
    format::appendInt(begin().append(label), value);
    out.append(unit);
    finish();
  }
  void fixed(std::string_view label, double value, std::string_view pattern,
             std::string_view unit) {
    appendNumber(begin().append(label), value, pattern);
    out.append(unit);
    finish();
  }
  // "label" then the names whose bits are set, comma separated, or none.
  template <std::size_t N>
  void flags(std::string_view label, const std::array<const char*, N>& names,
             const std::array<bool, N>& set, std::string_view none) {
    begin().append(label);
    bool any = false;
    for (std::size_t k = 0; k < N; ++k) {
      if (!set[k]) continue;
      if (any) out += ", ";
      out += names[k];
      any = true;
    }
    if (!any) out += none;
    finish();
  }
};

void secondaryGtfLines(const Image& image, int s, Lines& out) {
  out.number("GTF Start Freq - ", image.byte(s + 12) * 2, " KHz");
  out.fixed("GTF C - ", image.byte(s + 13) / 2.0, "0.0", "%");
  out.number("GTF M - ", image.byte(s + 14) + 256 * image.byte(s + 15), "%/KHz");
  out.number("GTF K - ", image.byte(s + 16));
  out.fixed("GTF J - ", image.byte(s + 17) / 2.0, "0.0", "%");
}

void cvtLines(const Image& image, int s, Lines& out) {
  const int version = image.byte(s + 11);
  format::appendInt(out.begin().append("CVT Version - "), version >> 4);
  out.out += '.';
  format::appendInt(out.out, version & 0x0F);
  out.finish();
  // Bits 7-2 of byte 12 take quarter megahertz off the limit of byte 9.
  const int clock = image.byte(s + 9);
  const int less = image.byte(s + 12) >> 2;
  if (less != 0 && clock != 0xFF)
    out.fixed("CVT Pixel Clock - ", clock * 10 - less * 0.25, "0.00", " MHz");
  const int pixels = 8 * (image.byte(s + 13) + 256 * (image.byte(s + 12) & 0x03));
  if (pixels == 0)
    out.line("Max Active Pixels - No Limit");
  else
    out.number("Max Active Pixels - ", pixels);
  static const std::array<const char*, 5> kAspects = {"4:3", "16:9", "16:10", "5:4", "15:9"};
  const int supported = image.byte(s + 14);
  std::array<bool, 5> aspects{};
  for (std::size_t k = 0; k < 5; ++k) aspects[k] = supported & (0x80 >> k);
  out.flags("Aspect Ratios - ", kAspects, aspects, "None");
  const int preferences = image.byte(s + 15);
  const int preferred = preferences >> 5;
  out.begin()
      .append("Preferred Aspect - ")
      .append(preferred < 5 ? kAspects[static_cast<std::size_t>(preferred)] : "Reserved");
  out.finish();
  static const std::array<const char*, 2> kBlanking = {"Standard", "Reduced"};
  out.flags("CVT Blanking - ", kBlanking,
            std::array<bool, 2>{(preferences & 0x08) != 0, (preferences & 0x10) != 0}, "None");
  static const std::array<const char*, 4> kScaling = {"H Shrink", "H Stretch", "V Shrink",
                                                      "V Stretch"};
  std::array<bool, 4> scaling{};
  for (std::size_t k = 0; k < 4; ++k) scaling[k] = image.byte(s + 16) & (0x80 >> k);
  out.flags("Scaling - ", kScaling, scaling, "None");
  out.number("Preferred Refresh - ", image.byte(s + 17), " Hz");
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

void appendLines(const Image& image, int s, std::string& text, std::string_view prefix,
                 std::string_view end) {
  Lines out{text, prefix, end};
  const Rates r = rates(image, s);
  const auto& v = r.value;
  out.number("Min Vertical Freq - ", v[0], " Hz");
  out.number("Max Vertical Freq - ", v[1], " Hz");
  out.number("Min Horiz. Freq - ", v[2], " KHz");
  out.number("Max Horiz. Freq - ", v[3], " KHz");
  // FF says not specified; 00 is shown as 0 MHz.
  if (image.byte(s + 9) == 0xFF)
    out.line("Pixel Clock - Not Specified");
  else
    out.number("Pixel Clock  - ", maxPixelClockMHz(image, s), " MHz");
  const int support = timingSupport(image, s);
  if (!version::isEdid14(image)) {
    out.line(image.cell(s + 10) == "00" ? "GTF - Not Used" : "GTF - Supported");
    if (support == kSecondaryGtf) secondaryGtfLines(image, s, out);
    return;
  }
  out.begin().append("Timing Support - ").append(timingSupportCaption(support, true));
  out.finish();
  if (support == kSecondaryGtf) secondaryGtfLines(image, s, out);
  if (support == kCvt) cvtLines(image, s, out);
}

int maxPixelClockMHz(const Image& image, int s) {
  const int clock = image.byte(s + 9);
  return clock == 0xFF ? 0 : clock * 10;
}

int timingSupport(const Image& image, int s) {
  return image.byte(s + 10);
}

Decoded decode(const Image& image, int s) {
  Decoded d;
  d.rates = rates(image, s);
  d.maxPixelClockMHz = maxPixelClockMHz(image, s);
  d.timingSupport = timingSupport(image, s);
  std::string text;
  appendLines(image, s, text, {}, "\n");
  std::size_t from = 0;
  for (std::size_t k = 0; from < text.size(); ++k) {
    const std::size_t end = text.find('\n', from);
    std::string line = text.substr(from, end - from);
    if (k < d.captions.size())
      d.captions[k] = std::move(line);
    else
      d.supportLines.push_back(std::move(line));
    from = end + 1;
  }
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
