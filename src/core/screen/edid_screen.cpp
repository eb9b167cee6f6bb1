#include "core/screen/edid_screen.h"

#include "core/common/numbers.h"
#include "core/common/text.h"
#include "core/sections/checksum.h"
#include "core/sections/established.h"
#include "core/sections/vendor.h"
#include "core/sections/version.h"

namespace edid {

namespace {

constexpr const char* kHintCaptions[kSectionCount] = {
    "Header (0 - 7)",
    "Vendor (8-17)",
    "EDID Version/Revision (18-19)",
    "Basic Display Parameters(20-24)",
    "Chromaticity (25-34)",
    "Established Timing I: (35)",
    "Established Timing II: (36)",
    "Manufacturer's Timings: (37)",
    "Standard Timing (38-53)",
    "Detailed Timing (54-71)",
    "Detailed Timing (54-71)",
    "Detailed Timing (54-71)",
    "Ext .Standard Timing",
    "Extension Flag and CheckSum",
};

constexpr int kVendorMaxLength[5] = {3, 2, 20, 2, 4};

}  // namespace

EdidScreen::EdidScreen(Common& common, Host& host) : m_common(common), m_host(host) {
  for (int i = 0; i < kSectionCount; ++i) Hints[static_cast<std::size_t>(i)].caption = kHintCaptions[i];
  image.setCell(128, "");
  image.setCell(129, "");
  for (int i = 0; i < 8; ++i) {
    const auto k = static_cast<std::size_t>(i);
    established.ET1[k].caption = established::table(35)[k].caption;
    established.ET2[k].caption = established::table(36)[k].caption;
  }
  established.ET3[7].caption = established::manufacturerTiming().caption;
  m_common.UnsavedChanges = false;
  m_common.ReportRefreshPending = false;
  m_common.EdidScreenOpen = true;
  m_common.DescriptorText = {};
}

void EdidScreen::recompute() { RecomputeChecksum(image, m_common); }

void EdidScreen::requestFocus(FocusControl control, int cell) {
  focus = {control, cell};
  focusRequested = true;
}

void EdidScreen::noteFocus(FocusControl control) { focus = {control, 0}; }

void EdidScreen::setFocusToCell(int index) {
  requestFocus(FocusControl::Cell, index);
  txtEdit_GotFocus(index);
}

// ---------------------------------------------------------------------------
// Full decode

void EdidScreen::BuildEDIDDefinations() {
  ConvertManufacturer();
  ConvertProductCode();
  ConvertRevision();
  ConvertSerialNumber();
  ConvertEstablishedTimingsI();
  ConvertEstablishedTimingsII();
  ConvertManufacturerTimings();
  ConvertVersion();
  ConvertWeek();
  ConvertYear();
  ConvertExtCheckSum();
}

// ---------------------------------------------------------------------------
// Cell events

char EdidScreen::txtEdit_KeyPress(char key) {
  return (key >= 'a' && key <= 'z') ? static_cast<char>(key - 'a' + 'A') : key;
}

void EdidScreen::txtEdit_KeyUp(int index) {
  if (index < 0 || index >= kEdidSize || image.cell(index).size() != 2) return;
  decodeByteField(index);
}

void EdidScreen::decodeByteField(int index) {
  if (index >= 8 && index <= 9) return ConvertManufacturer();
  if (index >= 10 && index <= 11) return ConvertProductCode();
  if (index >= 12 && index <= 15) return ConvertSerialNumber();
  if (index == 16) return ConvertWeek();
  if (index == 17) return ConvertYear();
  if (index == 18) return ConvertVersion();
  if (index == 19) return ConvertRevision();
  if (index == 35) return ConvertEstablishedTimingsI();
  if (index == 36) return ConvertEstablishedTimingsII();
  if (index == 37) return ConvertManufacturerTimings();
  // Sections without a decoder yet still keep the checksum current.
  if (index >= 20 && index <= 125) recompute();
}

bool EdidScreen::txtEdit_LostFocus(int index) {
  if (index < 0 || index >= kGridCells || image.cell(index).size() < 3) return true;
  m_host.message("Please Make Your Values In Hex");
  requestFocus(FocusControl::Cell, index);
  return false;
}

void EdidScreen::applyModes() {
  const bool modify = m_common.ModifyMode;
  txtBrand.locked = !modify;
  txtModel.locked = !modify;
  DTHelp.visible = false;
  for (auto& frame : Hints) frame.enabled = modify;
  for (int i = 0; i < kEdidSize; ++i) cellLocked[static_cast<std::size_t>(i)] = !modify;
}

void EdidScreen::txtEdit_GotFocus(int index) {
  if (index < 0 || index >= kGridCells) return;
  focus = {FocusControl::Cell, index};
  DecodeInProgress = true;
  applyModes();
  for (auto& frame : Hints) frame.visible = false;
  for (int i = 0; i < kEdidSize; ++i) cellColour[static_cast<std::size_t>(i)] = BackColour::Normal;

  auto paint = [this](int from, int to, BackColour colour) {
    for (int i = from; i <= to; ++i) cellColour[static_cast<std::size_t>(i)] = colour;
  };
  auto show = [this](int hint) { Hints[static_cast<std::size_t>(hint)].visible = true; };

  if (index <= 7) {
    show(0);
    paint(0, 7, BackColour::Field);
  } else if (index <= 17) {
    focusVendor(index);
  } else if (index <= 19) {
    focusVersion(index);
  } else if (index <= 24) {
    show(3);
    paint(20, 24, BackColour::Section);
    paint(index, index, BackColour::Field);
  } else if (index <= 34) {
    show(4);
    paint(25, 34, BackColour::Section);
    paint(index, index, BackColour::Field);
  } else if (index <= 37) {
    focusEstablished(index);
  } else if (index <= 53) {
    show(8);
    paint(38, 53, BackColour::Section);
    const int first = index - (index - 38) % 2;
    paint(first, first + 1, BackColour::Field);
  } else if (index <= 125) {
    const int block = (index - 54) / 18;
    const int start = 54 + 18 * block;
    SelectedByte = start;
    SelectedBlock = block;
    show(9);
    paint(start, start + 17, BackColour::Section);
    paint(index, index, BackColour::Field);
  } else if (index <= 127) {
    focusChecksum(index);
  }

  recompute();
  DecodeInProgress = false;

  if (m_common.DocumentOpen && m_common.ReportRefreshPending) {
    if (refreshReport) refreshReport();
    m_common.ReportRefreshPending = false;
  }
}

// ---------------------------------------------------------------------------
// Vendor section

void EdidScreen::focusVendor(int index) {
  Hints[1].visible = true;
  for (int i = 0; i < 5; ++i) vendor.lbVendor[static_cast<std::size_t>(i)].opaque = false;
  for (int i = 8; i <= 17; ++i) cellColour[static_cast<std::size_t>(i)] = BackColour::Section;
  const int field = static_cast<int>(vendor::fieldOfByte(index));
  vendor.lbVendor[static_cast<std::size_t>(field)].opaque = true;
  ConvertManufacturer();
  ConvertProductCode();
  ConvertSerialNumber();
  ConvertWeek();
  ConvertYear();
  static constexpr int kFieldCells[5][2] = {{8, 9}, {10, 11}, {12, 15}, {16, 16}, {17, 17}};
  for (int i = kFieldCells[field][0]; i <= kFieldCells[field][1]; ++i)
    cellColour[static_cast<std::size_t>(i)] = BackColour::Field;
  vendor.VendorInfo.maxLength = kVendorMaxLength[field];
  switch (static_cast<vendor::Field>(field)) {
    case vendor::Field::Manufacturer:
      ConvertManufacturer();
      break;
    case vendor::Field::ProductCode:
      ConvertProductCode();
      break;
    case vendor::Field::SerialNumber:
      ConvertSerialNumber();
      break;
    case vendor::Field::Week:
      ConvertWeek();
      break;
    case vendor::Field::Year:
      ConvertYear();
      break;
  }
  if (m_common.ModifyMode && m_common.AutoCellSeekMode) requestFocus(FocusControl::VendorInfo);
}

int EdidScreen::selectedVendorField() const {
  for (int i = 0; i < 5; ++i) {
    if (vendor.lbVendor[static_cast<std::size_t>(i)].opaque) return i;
  }
  return -1;
}

bool EdidScreen::VendorInfo_KeyPress(char& key) {
  const int field = selectedVendorField();
  if (field < 0) return true;
  const auto filtered = vendor::filterKey(static_cast<vendor::Field>(field), key);
  if (!filtered) {
    m_host.message(filtered.error());
    return false;
  }
  key = *filtered;
  return true;
}

void EdidScreen::VendorInfo_KeyUp(int keyCode) {
  if (keyCode != 13 || !Hints[1].enabled) return;
  const int field = selectedVendorField();
  if (field < 0) return;
  const auto writes =
      vendor::encode(image, static_cast<vendor::Field>(field), vendor.VendorInfo.text);
  if (!writes) {
    m_host.message(writes.error());
    return;
  }
  image.apply(*writes);
  switch (static_cast<vendor::Field>(field)) {
    case vendor::Field::Manufacturer:
      return ConvertManufacturer();
    case vendor::Field::ProductCode:
      return ConvertProductCode();
    case vendor::Field::SerialNumber:
      return ConvertSerialNumber();
    case vendor::Field::Week:
      return ConvertWeek();
    case vendor::Field::Year:
      return ConvertYear();
  }
}

std::string EdidScreen::GetManufacturer() const { return vendor::manufacturerLetters(image); }

std::string EdidScreen::GetProductCode() {
  const auto code = vendor::productCode(image);
  m_common.ProductLetters = code.letters;
  m_common.ProductCodeText = code.text;
  return code.text;
}

void EdidScreen::CompleteSerialNumber() {
  m_common.CompleteSerialText = vendor::completeSerial(m_common.ProductLetters, m_common.YearText,
                                                       m_common.WeekText, m_common.SerialNumberText);
  vendor.lbVendor[6].caption = m_common.CompleteSerialText;
}

void EdidScreen::ConvertManufacturer() {
  m_common.ManufacturerText = GetManufacturer();
  vendor.VendorInfo.text = m_common.ManufacturerText;
  vendor.lbVendor[0].caption = "Manufacturer - " + m_common.ManufacturerText;
  recompute();
}

void EdidScreen::ConvertProductCode() {
  const std::string code = GetProductCode();
  vendor.lbVendor[1].caption = "Product Code - " + code;
  vendor.VendorInfo.text = m_common.ProductLetters;
  CompleteSerialNumber();
  recompute();
}

void EdidScreen::ConvertSerialNumber() {
  m_common.SerialNumberText = vendor::serialNumberText(image);
  vendor.lbVendor[2].caption = "Serial Number - " + m_common.SerialNumberText;
  vendor.VendorInfo.text = m_common.SerialNumberText;
  CompleteSerialNumber();
  recompute();
}

void EdidScreen::ConvertWeek() {
  m_common.WeekText = vendor::weekText(image);
  vendor.lbVendor[3].caption = "Week Manufacture - " + m_common.WeekText;
  vendor.VendorInfo.text = m_common.WeekText;
  CompleteSerialNumber();
  recompute();
}

void EdidScreen::ConvertYear() {
  m_common.YearText = vendor::yearText(image);
  vendor.VendorInfo.text = m_common.YearText;
  vendor.lbVendor[4].caption = "Year Manufacture - " + m_common.YearText;
  CompleteSerialNumber();
  recompute();
}

// ---------------------------------------------------------------------------
// Version and revision

void EdidScreen::focusVersion(int index) {
  ConvertVersion();
  ConvertRevision();
  Hints[2].visible = true;
  const bool version = index == version::kVersionByte;
  edid.lbEDID[0].opaque = version;
  edid.lbEDID[1].opaque = !version;
  const int other = version ? version::kRevisionByte : version::kVersionByte;
  cellColour[static_cast<std::size_t>(other)] = BackColour::Section;
  cellColour[static_cast<std::size_t>(index)] = BackColour::Field;
  edid.VerRev.text = formatNumber(image.byte(index), "0");
  if (m_common.ModifyMode && m_common.AutoCellSeekMode) requestFocus(FocusControl::VerRev);
}

int EdidScreen::selectedVersionByte() const {
  return edid.lbEDID[0].opaque ? version::kVersionByte : version::kRevisionByte;
}

void EdidScreen::VerRev_KeyUp(int keyCode) {
  if (keyCode != 13 || !Hints[2].enabled) return;
  const auto writes = version::encode(selectedVersionByte(), edid.VerRev.text);
  if (!writes) {
    m_host.message(writes.error());
    return;
  }
  image.apply(*writes);
  ConvertVersion();
  ConvertRevision();
}

void EdidScreen::ConvertVersion() {
  m_common.VersionText = version::versionText(image);
  edid.lbEDID[0].caption = "Version Number - " + m_common.VersionText;
  txtVersion.text = m_common.VersionText;
  edid.VerRev.text = m_common.VersionText;
  ConvertCompleteVersion();
  recompute();
}

void EdidScreen::ConvertRevision() {
  m_common.RevisionText = version::revisionText(image);
  edid.lbEDID[1].caption = "Revision Number - " + m_common.RevisionText;
  txtRevision.text = m_common.RevisionText;
  edid.VerRev.text = m_common.RevisionText;
  ConvertCompleteVersion();
  recompute();
}

void EdidScreen::ConvertCompleteVersion() {
  m_common.CompleteVersionText = m_common.VersionText + "." + m_common.RevisionText;
  edid.lbEDID[3].caption = m_common.CompleteVersionText;
}

// ---------------------------------------------------------------------------
// Established timings

void EdidScreen::focusEstablished(int index) {
  Hints[static_cast<std::size_t>(5 + index - established::kTimingsIByte)].visible = true;
  if (index == established::kTimingsIByte) ConvertEstablishedTimingsI();
  if (index == established::kTimingsIIByte) ConvertEstablishedTimingsII();
  if (index == established::kManufacturerByte) ConvertManufacturerTimings();
  cellColour[static_cast<std::size_t>(index)] = BackColour::Field;
}

void EdidScreen::ConvertEstablishedTimingsI() {
  const bool outer = DecodeInProgress;
  DecodeInProgress = true;
  const auto bits = established::checks(image, established::kTimingsIByte);
  for (std::size_t i = 0; i < 8; ++i) established.ET1[i].value = bits[i];
  m_common.EstablishedTimingsIText = established::reportText(image, established::kTimingsIByte);
  recompute();
  DecodeInProgress = outer;
}

void EdidScreen::ConvertEstablishedTimingsII() {
  const bool outer = DecodeInProgress;
  DecodeInProgress = true;
  const auto bits = established::checks(image, established::kTimingsIIByte);
  for (std::size_t i = 0; i < 8; ++i) established.ET2[i].value = bits[i];
  m_common.EstablishedTimingsIIText = established::reportText(image, established::kTimingsIIByte);
  recompute();
  DecodeInProgress = outer;
}

void EdidScreen::ConvertManufacturerTimings() {
  const bool outer = DecodeInProgress;
  DecodeInProgress = true;
  established.ET3[7].value = (image.byte(established::kManufacturerByte) & 0x80) != 0;
  m_common.ManufacturerTimingsText =
      established::reportText(image, established::kManufacturerByte);
  recompute();
  DecodeInProgress = outer;
}

void EdidScreen::clickEstablished(int byteIndex, std::array<CheckBox, 8>& boxes, int index) {
  if (DecodeInProgress || index < 0 || index > 7 || !Hints[static_cast<std::size_t>(5 + byteIndex - 35)].enabled)
    return;
  image.apply(established::setBit(image, byteIndex, index, boxes[static_cast<std::size_t>(index)].value));
  if (byteIndex == established::kTimingsIByte) ConvertEstablishedTimingsI();
  if (byteIndex == established::kTimingsIIByte) ConvertEstablishedTimingsII();
  if (byteIndex == established::kManufacturerByte) ConvertManufacturerTimings();
  recompute();
}

void EdidScreen::ET1_Click(int index) { clickEstablished(35, established.ET1, index); }
void EdidScreen::ET2_Click(int index) { clickEstablished(36, established.ET2, index); }
void EdidScreen::ET3_Click(int index) {
  if (index == 7) clickEstablished(37, established.ET3, index);
}

// ---------------------------------------------------------------------------
// Extension flag and checksum

void EdidScreen::focusChecksum(int index) {
  Hints[13].visible = true;
  const bool flag = index == kExtensionFlagByte;
  edid.lbEDID[6].opaque = flag;
  edid.lbEDID[7].opaque = !flag;
  cellColour[static_cast<std::size_t>(flag ? kChecksumByte : kExtensionFlagByte)] = BackColour::Section;
  cellColour[static_cast<std::size_t>(index)] = BackColour::Field;
  ConvertExtCheckSum();
}

int EdidScreen::ComputeCheckSum() const { return checksum::ComputeCheckSum(image); }

void EdidScreen::ConvertExtCheckSum() {
  edid.lbEDID[6].caption = checksum::extensionFlagCaption(image);
  edid.lbEDID[7].caption = checksum::checksumCaption(image);
  m_common.ExtensionBlocksText = checksum::extensionBlocksText(image);
  m_common.ChecksumStatusText = edid.lbEDID[7].caption + std::string(kCrLf);
}

// ---------------------------------------------------------------------------

void EdidScreen::clearIdentification() {
  txtModel.text.clear();
  txtBrand.text.clear();
  txtVersion.text.clear();
  txtRevision.text.clear();
}

void EdidScreen::resetToNewImage() {
  for (int i = 0; i < kEdidSize; ++i) image.setCell(i, "00");
  for (int i = 1; i <= 6; ++i) image.setCell(i, "FF");
  clearIdentification();
  setFocusToCell(0);
}

}  // namespace edid
