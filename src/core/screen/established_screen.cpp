// The established timing frames (bytes 35, 36, 37): check boxes, one per bit.
#include "core/screen/established_screen.h"
#include "core/sections/established.h"

namespace edid {

EstablishedScreen::EstablishedScreen(SectionContext& context) : SectionScreen(context) {
  for (int i = 0; i < 8; ++i) {
    const auto k = static_cast<std::size_t>(i);
    established.ET1[k].caption = established::table(established::kTimingsIByte)[k].caption;
    established.ET2[k].caption = established::table(established::kTimingsIIByte)[k].caption;
  }
  established.ET3[7].caption = established::manufacturerTiming().caption;
}

void EstablishedScreen::fullDecode() {
  ConvertEstablishedTimingsI();
  ConvertEstablishedTimingsII();
  ConvertManufacturerTimings();
}

void EstablishedScreen::convertEstablishedByte(int byteIndex) {
  if (byteIndex == established::kTimingsIByte) ConvertEstablishedTimingsI();
  if (byteIndex == established::kTimingsIIByte) ConvertEstablishedTimingsII();
  if (byteIndex == established::kManufacturerByte) ConvertManufacturerTimings();
}

// The check boxes set here raise Click events; DecodeInProgress keeps them from re-encoding.
void EstablishedScreen::ConvertEstablishedTimingsI() {
  const bool outer = DecodeInProgress;
  DecodeInProgress = true;
  const auto decoded = established::decode(image);
  for (std::size_t i = 0; i < 8; ++i) established.ET1[i].value = decoded.timingsI[i];
  recompute();
  DecodeInProgress = outer;
}

void EstablishedScreen::ConvertEstablishedTimingsII() {
  const bool outer = DecodeInProgress;
  DecodeInProgress = true;
  const auto decoded = established::decode(image);
  for (std::size_t i = 0; i < 8; ++i) established.ET2[i].value = decoded.timingsII[i];
  recompute();
  DecodeInProgress = outer;
}

void EstablishedScreen::ConvertManufacturerTimings() {
  const bool outer = DecodeInProgress;
  DecodeInProgress = true;
  const auto decoded = established::decode(image);
  established.ET3[7].value = decoded.manufacturerTiming;
  recompute();
  DecodeInProgress = outer;
}

void EstablishedScreen::clickEstablished(int byteIndex, std::array<CheckBox, 8>& boxes, int index) {
  if (DecodeInProgress || index < 0 || index > 7 ||
      !hints[static_cast<std::size_t>(byteIndex - established::kTimingsIByte)].enabled)
    return;
  document.write(
      established::setBit(image, byteIndex, index, boxes[static_cast<std::size_t>(index)].value),
      boxes[static_cast<std::size_t>(index)].caption);
  convertEstablishedByte(byteIndex);
  recompute();
}

void EstablishedScreen::ET1_Click(int index) {
  clickEstablished(established::kTimingsIByte, established.ET1, index);
}
void EstablishedScreen::ET2_Click(int index) {
  clickEstablished(established::kTimingsIIByte, established.ET2, index);
}
void EstablishedScreen::ET3_Click(int index) {
  if (index == 7) clickEstablished(established::kManufacturerByte, established.ET3, index);
}

}  // namespace edid
