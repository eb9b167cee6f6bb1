#include "core/report/decoded_edid.h"

#include "core/sections/detailed_timing.h"
#include "core/sections/monitor_descriptor.h"

namespace edid {

std::string blockReportText(const Image& image, int block) {
  const int start = layout::blockStart(block);
  return detailed_timing::isDescriptor(image, start)
             ? monitor_descriptor::decode(image, start).reportText
             : detailed_timing::decode(image, start).reportText;
}

DecodedEdid decodeEdid(const Image& image) {
  DecodedEdid d;
  d.vendor = vendor::decode(image);
  d.version = version::decode(image);
  d.basicDisplay = basic_display::decode(image);
  d.chromaticity = chromaticity::decode(image);
  d.established = established::decode(image);
  d.standardTimings = standard_timing::decode(image);
  d.checksum = checksum::decode(image);
  for (int k = 0; k < layout::kBlockCount; ++k)
    d.blocks[static_cast<std::size_t>(k)] = blockReportText(image, k);
  return d;
}

}  // namespace edid
