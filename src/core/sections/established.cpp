#include "core/sections/established.h"

#include <algorithm>
#include <string_view>

#include "core/common/text.h"

namespace edid::established {

namespace {

const std::array<Timing, 8> kTimingsI = {{
    {"720 X 400 @ 70Hz", "720 X 400 @ 70Hz (IBM,VGA)"},
    {"720 X 400 @ 88Hz", "720 X 400 @ 88Hz (IBM,XGA2)"},
    {"640 X 480 @ 60Hz", "640 X 480 @ 60Hz (IBM,VGA)"},
    {"640 X 480 @ 67Hz", "640 X 480 @ 67Hz (Apple,Mac II)"},
    {"640 X 480 @ 72Hz", "640 X 480 @ 72Hz (VESA)"},
    {"640 X 480 @ 75Hz", "640 X 480 @ 75Hz (VESA)"},
    {"800 X 600 @ 56Hz", "800 X 600 @ 56Hz (VESA)"},
    {"800 X 600 @ 60Hz", "800 X 600 @ 60Hz (VESA)"},
}};

const std::array<Timing, 8> kTimingsII = {{
    {"800 X 600 @ 72Hz", "800 X 600 @ 72Hz (VESA)"},
    {"800 X 600 @ 75Hz", "800 X 600 @ 75Hz (VESA)"},
    {"832 X 624 @ 75Hz", "832 X 624 @ 75Hz (Apple,Mac II)"},
    {"1024 X 768 @ 87Hz(I)", "1024 X 768 @ 87Hz(Interlaced 8514a, IBM)"},
    {"1024 X 768 @ 60Hz", "1024 X 768 @ 60Hz (VESA)"},
    {"1024 X 768 @ 70Hz", "1024 X 768 @ 70Hz (VESA)"},
    {"1024 X 768 @ 75Hz", "1024 X 768 @ 75Hz (VESA)"},
    {"1280 X 1024 @ 75Hz", "1280 X 1024 @ 75Hz (VESA)"},
}};

const Timing kManufacturer = {"1152 X 870 @ 75Hz", "1152 X 870 @ 75Hz (Apple,Mac II)"};

}  // namespace

const std::array<Timing, 8>& table(int byteIndex) {
  return byteIndex == kTimingsIIByte ? kTimingsII : kTimingsI;
}

const Timing& manufacturerTiming() {
  return kManufacturer;
}

std::array<bool, 8> checks(const Image& image, int byteIndex) {
  std::array<bool, 8> out{};
  const int value = image.byte(byteIndex);
  for (int i = 0; i < 8; ++i) out[static_cast<std::size_t>(i)] = (value >> (7 - i)) & 1;
  return out;
}

void appendReportText(std::string& out, const Image& image, int byteIndex,
                      std::string_view lineEnd) {
  // Each line indented by 9, the lines parted by lineEnd: laid out, then written once.
  char text[8 * 64];
  char* at = text;
  const auto line = [&](std::string_view row) {
    if (at != text) at = std::copy(lineEnd.begin(), lineEnd.end(), at);
    at = std::fill_n(at, 9, ' ');
    at = std::copy(row.begin(), row.end(), at);
  };
  if (byteIndex == kManufacturerByte) {
    if (image.byte(kManufacturerByte) & 0x80) line(kManufacturer.reportText);
  } else {
    const auto bits = checks(image, byteIndex);
    const auto& rows = table(byteIndex);
    for (std::size_t i = 0; i < 8; ++i)
      if (bits[i]) line(rows[i].reportText);
  }
  out.append(text, static_cast<std::size_t>(at - text));
}

std::string reportText(const Image& image, int byteIndex) {
  std::string text;
  appendReportText(text, image, byteIndex);
  return text;
}

Decoded decode(const Image& image) {
  Decoded d;
  d.timingsI = checks(image, kTimingsIByte);
  d.timingsII = checks(image, kTimingsIIByte);
  d.manufacturerTiming = (image.byte(kManufacturerByte) & 0x80) != 0;
  d.timingsIText = reportText(image, kTimingsIByte);
  d.timingsIIText = reportText(image, kTimingsIIByte);
  d.manufacturerTimingsText = reportText(image, kManufacturerByte);
  return d;
}

CellWrites setBit(const Image& image, int byteIndex, int checkIndex, bool checked) {
  // Byte 37 has one box, ET3(7), and it stands for bit 7.
  const int mask = byteIndex == kManufacturerByte ? 0x80 : 1 << (7 - checkIndex);
  int value = image.byte(byteIndex) & ~mask;
  if (checked) value |= mask;
  return {{byteIndex, ByteToHex(value)}};
}

}  // namespace edid::established
