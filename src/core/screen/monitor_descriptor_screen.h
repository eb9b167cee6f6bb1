#pragma once
// A monitor descriptor block's frames: an 18-byte block that is a descriptor
// (detailed_timing::isDescriptor), decoded by its tag and edited through its
// controls: texts, range limits (FD), colour points (FB) and, in a frame of its
// own, the standard timings of FA. The blocks' table row belongs to
// DetailedTimingScreen, which hands descriptor blocks on to this one.

#include "core/screen/frames.h"
#include "core/screen/section_screen.h"

namespace edid {

class MonitorDescriptorScreen : public SectionScreen {
 public:
  using SectionScreen::SectionScreen;
  std::vector<Frame*> frames() override { return {&hint, &timingsHint}; }

  Frame hint{"Detailed Timing (54-71)"};
  /// The frame of a block of tag FA.
  Frame timingsHint{"Ext .Standard Timing"};
  DescriptorFrame descriptor;
  ExtStandardFrame extStandard;

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
  /// 0..5: moves the focus to that FA timing; 6: turns the block into a serial number.
  void ExtSTOpt_Click(int index);
  /// Writes aspect ratio index into the selected FA timing.
  void ExtSTAOptb_Click(int index);
  /// Enter (13) writes ExtStaInput into the selected FA timing, read as ExtSTAOpta says.
  void ExtStaInput_KeyUp(int keyCode);

 private:
  void ConvertDetailedTiming();
  bool descriptorEditable() const;
};

}  // namespace edid
