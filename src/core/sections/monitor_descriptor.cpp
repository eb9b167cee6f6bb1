#include "core/sections/monitor_descriptor.h"

#include "core/common/text.h"

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
  const auto v = [&](int offset) { return std::to_string(image.byte(s + offset)); };
  r.captions[0] = "Min Vertical Freq - " + v(5) + " Hz";
  r.captions[1] = "Max Vertical Freq - " + v(6) + " Hz";
  r.captions[2] = "Min Horiz. Freq - " + v(7) + " KHz";
  r.captions[3] = "Max Horiz. Freq - " + v(8) + " KHz";
  const int clock = image.byte(s + 9);
  r.captions[4] = clock == 0xFF ? "Pixel Clock - Not Specified"
                                : "Pixel Clock  - " + std::to_string(clock * 10) + " MHz";
  r.gtfSupported = image.cell(s + 10) != "00";
  return r;
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
      d.gtfEnabled = true;
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
    case Type::StandardTimings:
      break;
  }
  return d;
}

}  // namespace edid::monitor_descriptor
