#pragma once
// Colour management data (descriptor tag F9, EDID 1.4): byte 5 the version (03),
// then the a3 and a2 coefficients of red, green and blue, two bytes each, low
// byte first, in hundredths (VESA E-EDID 1.4, section 3.10.3.7).

#include <array>
#include <string>

#include "core/common/image.h"

namespace edid::color_management {

struct Decoded {
  int version = 0;                      ///< byte 5
  std::array<double, 6> coefficient{};  ///< red a3, red a2, green a3, green a2, blue a3, blue a2
  /// "Red a3 - 0.45" ...: the report lines and the screen's texts.
  std::array<std::string, 6> captions;
  /// "Color Management Data:", the version and the six values, with CR LF.
  std::string reportText;
};
Decoded decode(const Image& image, int blockStart);

}  // namespace edid::color_management
