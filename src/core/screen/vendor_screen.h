#pragma once
// The vendor frame (bytes 8-17): manufacturer, product code, serial number, week
// and year, and the entry box that encodes the selected field.

#include <string>

#include "core/screen/frames.h"
#include "core/screen/section_screen.h"

namespace edid {

class VendorScreen : public SectionScreen {
 public:
  using SectionScreen::SectionScreen;
  std::vector<Frame*> frames() override { return {&hint}; }
  void fullDecode() override;
  void keyUpDecode(int index) override;
  void focusStep(int index) override;

  Frame hint{"Vendor (8-17)"};
  VendorFrame vendor;

  /// Filters a character typed into VendorInfo; false when it was refused (after the message).
  bool VendorInfo_KeyPress(char& key);
  /// Enter (13) encodes VendorInfo's text into the selected field's bytes.
  void VendorInfo_KeyUp(int keyCode);
  std::string GetManufacturer() const;
  std::string GetProductCode();
  void CompleteSerialNumber();

  void ConvertManufacturer();
  void ConvertProductCode();
  void ConvertSerialNumber();
  void ConvertWeek();
  void ConvertYear();

 private:
  void convertVendorField(int field);
  int selectedVendorField() const;
};

}  // namespace edid
