#pragma once
// The standard timings frame (bytes 38-53): eight timings, their aspect ratio and
// the entry box.

#include "core/screen/frames.h"
#include "core/screen/section_screen.h"

namespace edid {

class StandardTimingScreen : public SectionScreen {
 public:
  using SectionScreen::SectionScreen;
  std::vector<Frame*> frames() override { return {&hint}; }
  void fullDecode() override { ConvertStandardTimings(); }
  void keyUpDecode(int) override { ConvertStandardTimings(); }
  void focusStep(int index) override;

  Frame hint{"Standard Timing (38-53)"};
  StandardFrame standard;

  /// Moves the focus to the first cell of timing index.
  void STOpt_Click(int index);
  /// Writes aspect ratio index into the selected timing.
  void STAOptb_Click(int index);
  /// Enter (13) writes STAInput into the selected timing, read as STAOpta says.
  void STAInput_KeyUp(int keyCode);
  /// Bytes 38-53, into the STOpt captions and StandardTimingTexts; STAOptb shows
  /// the aspect ratio of the pair whose second byte is SelectedByte.
  void ConvertStandardTimings();

 private:
  int selectedStandardPair() const;
};

}  // namespace edid
