#include "core/sections/monitor_descriptor.h"

#include "core/common/format.h"
#include "core/common/numbers.h"
#include "core/common/text.h"
#include "core/sections/chromaticity.h"
#include "core/sections/range_limits.h"
#include "core/sections/version.h"

namespace edid::monitor_descriptor {

namespace {

const std::array<const char*, kTypes> kCaptions = {
    "Monitor Serial Number",   "ASCII String",
    "Monitor Range Limits",    "Monitor Name",
    "Color Point Data",        "Standard Timing Data",
    "Currently Undefined",     "Defined by Manufacturer",
    "Established Timings III", "CVT 3 Byte Codes",
    "Color Management Data",
};

constexpr std::array<std::string_view, kTypesBefore14> kHeadings = {
    "Monitor Serial Number:", "ASCII Data:",
    "Monitor Range Limits:",  "Monitor Name:",
    "Color Point:",           "Standard Timing Identifiers:",
    "Currently Undefined:",   "Defined by Manufacturer:",
};

constexpr int kTextEnd = 0x0A;

RangeLimits rangeLimits(const Image& image, int s) {
  const range_limits::Decoded limits = range_limits::decode(image, s);
  RangeLimits r;
  r.minVerticalHz = limits.rates.value[0];
  r.maxVerticalHz = limits.rates.value[1];
  r.minHorizontalKHz = limits.rates.value[2];
  r.maxHorizontalKHz = limits.rates.value[3];
  r.maxPixelClockMHz = limits.maxPixelClockMHz;
  r.captions = limits.captions;
  r.gtfSupported = image.cell(s + 10) != "00";
  r.timingSupport = limits.timingSupport;
  r.supportLines = limits.supportLines;
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

void appendDataBytesAsHex(std::string& out, const Image& image, int s) {
  for (int offset = 5; offset <= 17; ++offset) {
    if (offset > 5) out += ' ';
    format::appendHex2(out, image.byte(s + offset));
  }
}

}  // namespace

const std::array<const char*, kTypes>& typeCaptions() {
  return kCaptions;
}

Type typeOfTag(const std::string& tagText, bool edid14) {
  if (tagText.size() != 2) return Type::Undefined;
  const char high = toUpper(tagText[0]);
  const char low = toUpper(tagText[1]);
  if (high == 'F') {
    switch (low) {
      case 'F':
        return Type::SerialNumber;
      case 'E':
        return Type::AsciiString;
      case 'D':
        return Type::RangeLimits;
      case 'C':
        return Type::MonitorName;
      case 'B':
        return Type::ColorPoint;
      case 'A':
        return Type::StandardTimings;
      case '9':
        return edid14 ? Type::ColorManagement : Type::Undefined;
      case '8':
        return edid14 ? Type::CvtCodes : Type::Undefined;
      case '7':
        return edid14 ? Type::EstablishedIII : Type::Undefined;
      default:
        return Type::Undefined;
    }
  }
  if (high == '0' && HexToChr(std::string{high, low}).has_value()) return Type::ManufacturerDefined;
  return Type::Undefined;
}

void appendTextOf(std::string& text, const Image& image, int s) {
  char chars[13];
  std::size_t size = 0;
  for (int offset = 5; offset <= 17; ++offset) {
    const int value = image.byte(s + offset);
    if (value == kTextEnd) break;
    // A control byte would break printing and every tool that reads the report.
    chars[size++] = value < 0x20 || value == 0x7F ? '.' : static_cast<char>(value);
  }
  text.append(chars, size);
}

std::string textOf(const Image& image, int s) {
  std::string text;
  appendTextOf(text, image, s);
  return text;
}

Type typeOf(const Image& image, int s) {
  return typeOfTag(image.cell(s + 3), version::isEdid14(image));
}

void appendReportText(const Image& image, int s, std::string& out, std::string_view lineEnd) {
  const Type type = typeOf(image, s);
  const auto index = static_cast<std::size_t>(type);
  const std::string_view pad9 = "         ";
  // The 1.4 types bring their own heading with their lines.
  out += lineEnd;
  if (index < kHeadings.size()) out.append(pad9).append(kHeadings[index]).append(lineEnd);
  switch (type) {
    case Type::SerialNumber:
    case Type::AsciiString:
    case Type::MonitorName:
      out += pad9;
      appendTextOf(out, image, s);
      out.append(lineEnd).append(lineEnd);
      break;
    case Type::RangeLimits:
      range_limits::appendLines(image, s, out, pad9, lineEnd);
      break;
    case Type::EstablishedIII:
      appendLines(out, established_iii::decode(image, s).reportText, lineEnd);
      break;
    case Type::CvtCodes:
      appendLines(out, cvt_codes::decode(image, s).reportText, lineEnd);
      break;
    case Type::ColorManagement:
      appendLines(out, color_management::decode(image, s).reportText, lineEnd);
      break;
    case Type::Undefined:
    case Type::ManufacturerDefined:
      out += pad9;
      appendDataBytesAsHex(out, image, s);
      out.append(lineEnd).append(lineEnd);
      break;
    case Type::ColorPoint:
      appendLines(out, colorPointReport({whitePoint(image, s, 0), whitePoint(image, s, 1)}),
                  lineEnd);
      break;
    case Type::StandardTimings:
      for (const auto& timing : extraTimings(image, s).timings)
        out.append(pad9).append(timing.text).append(lineEnd);
      break;
  }
}

Descriptor decode(const Image& image, int s) {
  Descriptor d;
  d.tag = toUpper(image.cell(s + 3));
  d.type = typeOfTag(d.tag, version::isEdid14(image));
  switch (d.type) {
    case Type::SerialNumber:
    case Type::AsciiString:
    case Type::MonitorName:
      d.inputText = textOf(image, s);
      break;
    case Type::RangeLimits:
      d.range = rangeLimits(image, s);
      break;
    case Type::EstablishedIII:
      d.establishedIII = established_iii::decode(image, s);
      break;
    case Type::CvtCodes:
      d.cvtCodes = cvt_codes::decode(image, s);
      break;
    case Type::ColorManagement:
      d.colorManagement = color_management::decode(image, s);
      break;
    case Type::Undefined:
    case Type::ManufacturerDefined:
      appendDataBytesAsHex(d.inputText, image, s);
      break;
    case Type::ColorPoint:
      d.whitePoints = {whitePoint(image, s, 0), whitePoint(image, s, 1)};
      break;
    case Type::StandardTimings:
      d.extraTimings = extraTimings(image, s);
      break;
  }
  appendReportText(image, s, d.reportText);
  return d;
}

std::string valueOfCaption(std::string_view caption) {
  const auto dash = caption.find('-');
  if (dash == std::string_view::npos) return {};
  const auto value = caption.find_first_not_of(' ', dash + 1);
  return value == std::string_view::npos ? std::string() : std::string(caption.substr(value));
}

}  // namespace edid::monitor_descriptor
