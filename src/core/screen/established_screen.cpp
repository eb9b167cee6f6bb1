// The established timing frames (bytes 35, 36, 37): check boxes, one per bit.
#include "core/screen/edid_screen.h"
#include "core/screen/focus_map.h"
#include "core/sections/established.h"

namespace edid {

void EdidScreen::focusEstablished(int index) {
  convertEstablishedByte(index);
}

void EdidScreen::convertEstablishedByte(int byteIndex) {
  if (byteIndex == established::kTimingsIByte) ConvertEstablishedTimingsI();
  if (byteIndex == established::kTimingsIIByte) ConvertEstablishedTimingsII();
  if (byteIndex == established::kManufacturerByte) ConvertManufacturerTimings();
}

// The check boxes set here raise Click events; DecodeInProgress keeps them from re-encoding.
void EdidScreen::ConvertEstablishedTimingsI() {
  const bool outer = DecodeInProgress;
  DecodeInProgress = true;
  const auto decoded = established::decode(image);
  for (std::size_t i = 0; i < 8; ++i) established.ET1[i].value = decoded.timingsI[i];
  m_common.EstablishedTimingsIText = decoded.timingsIText;
  recompute();
  DecodeInProgress = outer;
}

void EdidScreen::ConvertEstablishedTimingsII() {
  const bool outer = DecodeInProgress;
  DecodeInProgress = true;
  const auto decoded = established::decode(image);
  for (std::size_t i = 0; i < 8; ++i) established.ET2[i].value = decoded.timingsII[i];
  m_common.EstablishedTimingsIIText = decoded.timingsIIText;
  recompute();
  DecodeInProgress = outer;
}

void EdidScreen::ConvertManufacturerTimings() {
  const bool outer = DecodeInProgress;
  DecodeInProgress = true;
  const auto decoded = established::decode(image);
  established.ET3[7].value = decoded.manufacturerTiming;
  m_common.ManufacturerTimingsText = decoded.manufacturerTimingsText;
  recompute();
  DecodeInProgress = outer;
}

void EdidScreen::clickEstablished(int byteIndex, std::array<CheckBox, 8>& boxes, int index) {
  if (DecodeInProgress || index < 0 || index > 7 ||
      !Hints[static_cast<std::size_t>(focus::hintOfByte(byteIndex))].enabled)
    return;
  document.write(
      established::setBit(image, byteIndex, index, boxes[static_cast<std::size_t>(index)].value),
      boxes[static_cast<std::size_t>(index)].caption);
  convertEstablishedByte(byteIndex);
  recompute();
}

void EdidScreen::ET1_Click(int index) {
  clickEstablished(established::kTimingsIByte, established.ET1, index);
}
void EdidScreen::ET2_Click(int index) {
  clickEstablished(established::kTimingsIIByte, established.ET2, index);
}
void EdidScreen::ET3_Click(int index) {
  if (index == 7) clickEstablished(established::kManufacturerByte, established.ET3, index);
}

}  // namespace edid
