// The vendor frame (bytes 8-17): its decoders, focus step and entry box.
#include "core/screen/vendor_screen.h"
#include "core/common/text.h"
#include "core/screen/step_labels.h"
#include "core/sections/vendor.h"

namespace edid {

void VendorScreen::fullDecode() {
  ConvertManufacturer();
  ConvertProductCode();
  ConvertSerialNumber();
  ConvertWeek();
  ConvertYear();
}

void VendorScreen::keyUpDecode(int index) {
  convertVendorField(static_cast<int>(vendor::fieldOfByte(index)));
}

void VendorScreen::focusStep(int index) {
  for (int i = 0; i < 5; ++i) vendor.lbVendor[static_cast<std::size_t>(i)].opaque = false;
  const vendor::Field field = vendor::fieldOfByte(index);
  vendor.lbVendor[static_cast<std::size_t>(field)].opaque = true;
  ConvertManufacturer();
  ConvertProductCode();
  ConvertSerialNumber();
  ConvertWeek();
  ConvertYear();
  vendor.VendorInfo.maxLength = vendor::entryMaxLength(field);
  // Decoded once more so that the entry box shows the focused field.
  convertVendorField(static_cast<int>(field));
  if (autoCellSeek()) requestFocus(FocusControl::VendorInfo);
}

void VendorScreen::convertVendorField(int field) {
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

int VendorScreen::selectedVendorField() const {
  for (int i = 0; i < 5; ++i) {
    if (vendor.lbVendor[static_cast<std::size_t>(i)].opaque) return i;
  }
  return -1;
}

bool VendorScreen::VendorInfo_KeyPress(char& key) {
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

void VendorScreen::VendorInfo_KeyUp(int keyCode) {
  if (keyCode != 13 || !hint.enabled) return;
  const int field = selectedVendorField();
  if (field < 0) return;
  const auto writes =
      vendor::encode(image, static_cast<vendor::Field>(field), vendor.VendorInfo.text);
  if (!writes) {
    m_host.message(writes.error());
    return;
  }
  document.write(*writes, step_label::kVendorFields[static_cast<std::size_t>(field)]);
  convertVendorField(field);
}

std::string VendorScreen::GetManufacturer() const {
  return vendor::manufacturerLetters(image);
}

std::string VendorScreen::GetProductCode() {
  const auto code = vendor::productCode(image);
  m_common.ProductLetters = code.letters;
  return code.text;
}

void VendorScreen::CompleteSerialNumber() {
  // From the shared texts, as the last decoders left them, not from the cells.
  vendor.lbVendor[6].caption = vendor::completeSerial(m_common.ProductLetters, m_common.YearText,
                                                      m_common.WeekText, m_common.SerialNumberText);
}

void VendorScreen::ConvertManufacturer() {
  m_common.ManufacturerText = vendor::decode(image).manufacturer;
  vendor.VendorInfo.text = m_common.ManufacturerText;
  vendor.lbVendor[0].caption = "Manufacturer - " + m_common.ManufacturerText;
  recompute();
}

void VendorScreen::ConvertProductCode() {
  const std::string code = GetProductCode();
  vendor.lbVendor[1].caption = "Product Code - " + code;
  vendor.VendorInfo.text = m_common.ProductLetters;
  CompleteSerialNumber();
  recompute();
}

void VendorScreen::ConvertSerialNumber() {
  m_common.SerialNumberText = vendor::decode(image).serialNumber;
  vendor.lbVendor[2].caption = "Serial Number - " + m_common.SerialNumberText;
  vendor.VendorInfo.text = m_common.SerialNumberText;
  CompleteSerialNumber();
  recompute();
}

void VendorScreen::ConvertWeek() {
  m_common.WeekText = vendor::decode(image).week;
  vendor.lbVendor[3].caption = "Week Manufacture - " + m_common.WeekText;
  vendor.VendorInfo.text = m_common.WeekText;
  CompleteSerialNumber();
  recompute();
}

void VendorScreen::ConvertYear() {
  m_common.YearText = vendor::decode(image).year;
  vendor.VendorInfo.text = m_common.YearText;
  vendor.lbVendor[4].caption = "Year Manufacture - " + m_common.YearText;
  CompleteSerialNumber();
  recompute();
}

}  // namespace edid
