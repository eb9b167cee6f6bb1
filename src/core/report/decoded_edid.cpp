#include "core/report/decoded_edid.h"

namespace edid {

DecodedEdid decodeEdid(const Image& image) {
  DecodedEdid d;
  d.vendor = vendor::decode(image);
  d.version = version::decode(image);
  d.basicDisplay = basic_display::decode(image);
  d.chromaticity = chromaticity::decode(image);
  d.established = established::decode(image);
  d.standardTimings = standard_timing::decode(image);
  d.checksum = checksum::decode(image);
  return d;
}

}  // namespace edid
