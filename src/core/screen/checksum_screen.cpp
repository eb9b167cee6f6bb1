// The extension flag and checksum frame (bytes 126-127).
#include "core/screen/checksum_screen.h"
#include "core/sections/checksum.h"

namespace edid {

void ChecksumScreen::focusStep(int index) {
  const bool flag = index == kExtensionFlagByte;
  edid.lbEDID[6].opaque = flag;
  edid.lbEDID[7].opaque = !flag;
  ConvertExtCheckSum();
}

int ChecksumScreen::ComputeCheckSum() const {
  return checksum::ComputeCheckSum(image);
}

void ChecksumScreen::ConvertExtCheckSum() {
  const auto decoded = checksum::decode(image);
  edid.lbEDID[6].caption = decoded.extensionFlagCaption;
  edid.lbEDID[7].caption = decoded.checksumCaption;
}

}  // namespace edid
