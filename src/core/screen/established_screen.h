#pragma once
// The established timing frames (bytes 35, 36, 37): one frame per byte, one
// check box per bit.

#include <array>

#include "core/screen/frames.h"
#include "core/screen/section_screen.h"

namespace edid {

class EstablishedScreen : public SectionScreen {
 public:
  /// Captions the check boxes with their timings.
  explicit EstablishedScreen(SectionContext& context);
  std::vector<Frame*> frames() override { return {&hints[0], &hints[1], &hints[2]}; }
  void fullDecode() override;
  void keyUpDecode(int index) override { convertEstablishedByte(index); }
  void focusStep(int index) override { convertEstablishedByte(index); }

  /// The frames of bytes 35, 36 and 37.
  std::array<Frame, 3> hints{{{"Established Timing I: (35)"},
                              {"Established Timing II: (36)"},
                              {"Manufacturer's Timings: (37)"}}};
  EstablishedFrames established;

  void ET1_Click(int index);
  void ET2_Click(int index);
  void ET3_Click(int index);
  void ConvertEstablishedTimingsI();
  void ConvertEstablishedTimingsII();
  void ConvertManufacturerTimings();

 private:
  void convertEstablishedByte(int byteIndex);
  void clickEstablished(int byteIndex, std::array<CheckBox, 8>& boxes, int index);
};

}  // namespace edid
