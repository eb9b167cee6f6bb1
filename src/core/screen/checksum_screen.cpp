// The extension flag and checksum frame (bytes 126-127).
#include "core/screen/edid_screen.h"
#include "core/sections/checksum.h"

namespace edid {

void EdidScreen::focusChecksum(int index) {
  const bool flag = index == kExtensionFlagByte;
  edid.lbEDID[6].opaque = flag;
  edid.lbEDID[7].opaque = !flag;
  ConvertExtCheckSum();
}

int EdidScreen::ComputeCheckSum() const {
  return checksum::ComputeCheckSum(image);
}

void EdidScreen::ConvertExtCheckSum() {
  const auto decoded = checksum::decode(image);
  edid.lbEDID[6].caption = decoded.extensionFlagCaption;
  edid.lbEDID[7].caption = decoded.checksumCaption;
}

}  // namespace edid
