#include "core/sections/color_management.h"

#include "core/common/numbers.h"
#include "core/common/text.h"

namespace edid::color_management {

namespace {

const std::array<const char*, 6> kNames = {"Red a3",   "Red a2",  "Green a3",
                                           "Green a2", "Blue a3", "Blue a2"};

std::string line(std::string_view text) {
  return IndentText(text, 9) + kCrLf;
}

}  // namespace

Decoded decode(const Image& image, int s) {
  Decoded d;
  d.version = image.byte(s + 5);
  d.reportText = line("Color Management Data:") + line("Version - " + std::to_string(d.version));
  for (std::size_t k = 0; k < 6; ++k) {
    const int at = s + 6 + 2 * static_cast<int>(k);
    d.coefficient[k] = (image.byte(at) + 256 * image.byte(at + 1)) / 100.0;
    d.captions[k] = std::string(kNames[k]) + " - " + formatNumber(d.coefficient[k], "0.00");
    d.reportText += line(d.captions[k]);
  }
  return d;
}

}  // namespace edid::color_management
