#pragma once
// Every section of an image decoded at once: what the report prints. A pure
// function of the cells, so the report cannot drift from the image it shows.

#include <array>
#include <string>

#include "core/common/image.h"
#include "core/common/layout.h"
#include "core/sections/basic_display.h"
#include "core/sections/checksum.h"
#include "core/sections/chromaticity.h"
#include "core/sections/established.h"
#include "core/sections/standard_timing.h"
#include "core/sections/vendor.h"
#include "core/sections/version.h"

namespace edid {

struct DecodedEdid {
  vendor::Decoded vendor;
  version::Decoded version;
  basic_display::BasicDisplay basicDisplay;
  chromaticity::Chromaticity chromaticity;
  established::Decoded established;
  standard_timing::StandardTimings standardTimings;
  checksum::Decoded checksum;

  /// Report texts of the 18-byte blocks, one per block: a detailed timing's or a
  /// monitor descriptor's. An empty one is left out of the report.
  std::array<std::string, layout::kBlockCount> blocks{};
};

/// The report text of 18-byte block k (0..3): a monitor descriptor when its first
/// three bytes are 00, otherwise a detailed timing.
std::string blockReportText(const Image& image, int block);

/// Decodes every section from the cells. Never changes the image; malformed cells
/// read by the HexToChr rules.
DecodedEdid decodeEdid(const Image& image);

}  // namespace edid
