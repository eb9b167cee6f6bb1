#pragma once
// A monitor descriptor block's frames: an 18-byte block that is a descriptor
// (detailed_timing::isDescriptor), decoded by its tag and edited through its
// controls: texts, range limits (FD), colour points (FB) and, in a frame of its
// own, the standard timings of FA. The blocks' table row belongs to
// DetailedTimingScreen, which hands descriptor blocks on to this one.

#include "core/screen/frames.h"
#include "core/screen/section_screen.h"
#include "core/sections/monitor_descriptor.h"

namespace edid {

/// The EDID 1.4 controls of Hints(11): the timing support byte of a range limits
/// block, and the frames of tags F7, F8 and F9.
struct Descriptor14Controls {
  /// Byte 10 := 00, 01, 02, 04; shown in place of DTAGTF from 1.4.
  std::array<OptionButton, 4> DTATiming{{{"Default GTF", false, false},
                                         {"Range Limits Only", false, false},
                                         {"Secondary GTF", false, false},
                                         {"CVT", false, false}}};
  /// F7: one box per timing of bytes 6-11.
  Frame ET3Frame;
  std::array<CheckBox, 44> ET3x;
  /// F8: the four codes; the aspect, rate and input controls act on the one selected,
  /// and are disabled while none is.
  Frame CvtFrame;
  std::array<OptionButton, 4> CvtOpt;
  std::array<OptionButton, 4> CvtAspect{{{"4:3"}, {"16:9"}, {"16:10"}, {"15:9"}}};
  std::array<OptionButton, 4> CvtPreferred{{{"50Hz"}, {"60Hz"}, {"75Hz"}, {"85Hz"}}};
  std::array<CheckBox, 5> CvtRate{{{"50Hz"}, {"60Hz"}, {"75Hz"}, {"85Hz"}, {"60Hz RB"}}};
  /// The selected code's lines; Enter writes them.
  TextBox CvtInput;
  std::array<Label, 4> lbCvt{{{"Aspect"}, {"Preferred"}, {"Rates"}, {"Lines"}}};
  /// F9: the version and the six coefficients.
  Frame CmFrame;
  std::array<Label, 7> CmValue;
};

class MonitorDescriptorScreen : public SectionScreen {
 public:
  using SectionScreen::SectionScreen;
  std::vector<Frame*> frames() override { return {&hint, &timingsHint}; }

  Frame hint{"Detailed Timing (54-71)"};
  /// The frame of a block of tag FA.
  Frame timingsHint{"Ext .Standard Timing"};
  DescriptorFrame descriptor;
  ExtStandardFrame extStandard;
  Descriptor14Controls v14;

  /// The focus step inside a descriptor block starting at start: selects the
  /// option of the field at offset, locks or frees the GTF cells.
  void focusDescriptorField(int start, int offset);
  /// The monitor descriptor at SelectedByte/SelectedBlock into its frame or, for
  /// tag FA, the timings frame, and into its DescriptorText entry. Reads only.
  void ConvertDetailedTiminga();
  /// Turns the selected block into descriptor type index (0..7).
  void DTa_Click(int index);
  /// With "Modify EDID" on: GTF support of a range limits block := DTAGTF's state.
  void DTAGTF_Click();
  /// Moves the focus to range limit index's cell, then into DTaInput.
  void DtaOpt_Click(int index);
  /// Moves the focus to the x, y or gamma cell of colour point option index.
  void DtaOptWhite_Click(int index);
  /// Switches white point index (0, 1) on or off as Windex(index) says.
  void Windex_Click(int index);
  /// Enter (13) writes DTaInput into the text, range limit or colour point selected.
  void DTaInput_KeyUp(int keyCode);
  /// With "Modify EDID" on: byte 10 of a 1.4 range limits block := the option's
  /// value (00, 01, 02, 04) with its parameter bytes.
  void DTATiming_Click(int index);
  /// F7: timing index := ET3x(index)'s state.
  void ET3x_Click(int index);
  /// F8: selects code index, showing its aspect, rates and lines.
  void CvtOpt_Click(int index);
  void CvtAspect_Click(int index);
  void CvtPreferred_Click(int index);
  /// F8: supported rate index of the selected code := CvtRate(index)'s state.
  void CvtRate_Click(int index);
  /// Enter (13) writes CvtInput as the selected code's lines.
  void CvtInput_KeyUp(int keyCode);
  /// 0..5: moves the focus to that FA timing; 6: turns the block into a serial number.
  void ExtSTOpt_Click(int index);
  /// Writes aspect ratio index into the selected FA timing.
  void ExtSTAOptb_Click(int index);
  /// Enter (13) writes ExtStaInput into the selected FA timing, read as ExtSTAOpta says.
  void ExtStaInput_KeyUp(int keyCode);

 private:
  void ConvertDetailedTiming();
  bool descriptorEditable() const;
  void show14(const monitor_descriptor::Descriptor& d);
  int selectedCvtCode() const;
};

}  // namespace edid
