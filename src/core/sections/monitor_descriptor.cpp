#include "core/sections/monitor_descriptor.h"

#include "core/common/numbers.h"
#include "core/common/text.h"
#include "core/sections/chromaticity.h"

namespace edid::monitor_descriptor {

namespace {

const std::array<const char*, 8> kCaptions = {
    "Monitor Serial Number", "ASCII String",
    "Monitor Range Limits",  "Monitor Name",
    "Color Point Data",      "Standard Timing Data",
    "Currently Undefined",   "Defined by Manufacturer",
};

const std::array<const char*, 8> kHeadings = {
    "Monitor Serial Number:", "ASCII Data:",
    "Monitor Range Limits:",  "Monitor Name:",
    "Color Point:",           "Standard Timing Identifiers:",
    "Currently Undefined:",   "Defined by Manufacturer:",
};

constexpr int kTextEnd = 0x0A;

std::string line(std::string_view text) {
  return std::string(9, ' ') + std::string(text) + std::string(kCrLf);
}

RangeLimits rangeLimits(const Image& image, int s) {
  RangeLimits r;
  r.minVerticalHz = image.byte(s + 5);
  r.maxVerticalHz = image.byte(s + 6);
  r.minHorizontalKHz = image.byte(s + 7);
  r.maxHorizontalKHz = image.byte(s + 8);
  const int clock = image.byte(s + 9);
  r.maxPixelClockMHz = clock == 0xFF ? 0 : clock * 10;
  r.captions[0] = "Min Vertical Freq - " + std::to_string(r.minVerticalHz) + " Hz";
  r.captions[1] = "Max Vertical Freq - " + std::to_string(r.maxVerticalHz) + " Hz";
  r.captions[2] = "Min Horiz. Freq - " + std::to_string(r.minHorizontalKHz) + " KHz";
  r.captions[3] = "Max Horiz. Freq - " + std::to_string(r.maxHorizontalKHz) + " KHz";
  r.captions[4] = clock == 0xFF ? "Pixel Clock - Not Specified"
                                : "Pixel Clock  - " + std::to_string(r.maxPixelClockMHz) + " MHz";
  r.gtfSupported = image.cell(s + 10) != "00";
  return r;
}

// Offsets of white point n's index byte; low bits, x, y and gamma follow it.
constexpr std::array<int, 2> kWhiteIndex = {5, 10};

WhitePoint whitePoint(const Image& image, int s, int n) {
  WhitePoint p;
  const int at = s + kWhiteIndex[static_cast<std::size_t>(n)];
  p.index = image.byte(at);
  p.used = p.index > 0;
  if (!p.used) return p;
  const int low = image.byte(at + 1);
  p.x = chromaticity::ChromaCodeToFraction(image.byte(at + 2), (low & 0x0C) / 4);
  p.y = chromaticity::ChromaCodeToFraction(image.byte(at + 3), low & 0x03);
  p.gamma = (image.byte(at + 4) + 100) / 100.0;
  p.captions[0] = "White X - " + formatNumber(p.x, "##0.000");
  p.captions[1] = "White Y - " + formatNumber(p.y, "##0.000");
  p.captions[2] = "Gamma  - " + formatNumber(p.gamma, "##0.00");
  return p;
}

std::string colorPointReport(const std::array<WhitePoint, 2>& points) {
  std::string out;
  for (std::size_t n = 0; n < points.size(); ++n) {
    out += IndentText("White Point #" + std::to_string(n + 1), 15) + std::string(kCrLf);
    if (!points[n].used) {
      out += IndentText("Not Used", 20) + std::string(kCrLf);
      continue;
    }
    for (const auto& caption : points[n].captions)
      out += IndentText(caption, 20) + std::string(kCrLf);
  }
  return out;
}

ExtraTimings extraTimings(const Image& image, int s) {
  ExtraTimings out;
  const bool zeroIs16By10 = standard_timing::zeroAspectIs16By10(image);
  for (int t = 0; t < 6; ++t) {
    const auto k = static_cast<std::size_t>(t);
    const int first = image.byte(extraSlotByte(s, t));
    out.timings[k] =
        standard_timing::decodeCode(first, image.byte(extraSlotByte(s, t) + 1), zeroIs16By10);
    // 01 01 is the VESA fill of an unused slot; 00 cannot name a size at all.
    if (first <= 1) {
      out.timings[k].used = false;
      out.timings[k].text = "Not Used";
    }
  }
  return out;
}

std::string dataBytesAsHex(const Image& image, int s) {
  std::string out;
  for (int offset = 5; offset <= 17; ++offset) {
    if (!out.empty()) out += ' ';
    out += ByteToHex(image.byte(s + offset));
  }
  return out;
}

}  // namespace

const std::array<const char*, 8>& typeCaptions() {
  return kCaptions;
}

Type typeOfTag(const std::string& tagText) {
  const std::string tag = toUpper(tagText);
  if (tag == "FF") return Type::SerialNumber;
  if (tag == "FE") return Type::AsciiString;
  if (tag == "FD") return Type::RangeLimits;
  if (tag == "FC") return Type::MonitorName;
  if (tag == "FB") return Type::ColorPoint;
  if (tag == "FA") return Type::StandardTimings;
  if (tag.size() == 2 && tag[0] == '0' && HexToChr(tag).has_value())
    return Type::ManufacturerDefined;
  return Type::Undefined;
}

std::string textOf(const Image& image, int s) {
  std::string text;
  for (int offset = 5; offset <= 17; ++offset) {
    const int value = image.byte(s + offset);
    if (value == kTextEnd) break;
    // A control byte would break printing and every tool that reads the report.
    text += value < 0x20 || value == 0x7F ? '.' : static_cast<char>(value);
  }
  return text;
}

Descriptor decode(const Image& image, int s) {
  Descriptor d;
  d.tag = toUpper(image.cell(s + 3));
  d.type = typeOfTag(d.tag);
  const auto type = static_cast<std::size_t>(d.type);
  d.reportText = std::string(kCrLf) + line(kHeadings[type]);
  switch (d.type) {
    case Type::SerialNumber:
    case Type::AsciiString:
    case Type::MonitorName:
      d.inputText = textOf(image, s);
      d.reportText += line(d.inputText) + std::string(kCrLf);
      break;
    case Type::RangeLimits:
      d.range = rangeLimits(image, s);
      for (const auto& caption : d.range.captions) d.reportText += line(caption);
      d.reportText += line(d.range.gtfSupported ? "GTF - Supported" : "GTF - Not Used");
      break;
    case Type::Undefined:
    case Type::ManufacturerDefined:
      d.inputText = dataBytesAsHex(image, s);
      d.reportText += line(d.inputText) + std::string(kCrLf);
      break;
    case Type::ColorPoint:
      d.whitePoints = {whitePoint(image, s, 0), whitePoint(image, s, 1)};
      d.reportText += colorPointReport(d.whitePoints);
      break;
    case Type::StandardTimings:
      d.extraTimings = extraTimings(image, s);
      for (const auto& timing : d.extraTimings.timings) d.reportText += line(timing.text);
      break;
  }
  return d;
}

std::string valueOfCaption(std::string_view caption) {
  const auto dash = caption.find('-');
  if (dash == std::string_view::npos) return {};
  const auto value = caption.find_first_not_of(' ', dash + 1);
  return value == std::string_view::npos ? std::string() : std::string(caption.substr(value));
}

}  // namespace edid::monitor_descriptor
