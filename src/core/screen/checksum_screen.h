#pragma once
// The extension flag and checksum frame (bytes 126-127).

#include "core/screen/frames.h"
#include "core/screen/section_screen.h"

namespace edid {

class ChecksumScreen : public SectionScreen {
 public:
  using SectionScreen::SectionScreen;
  std::vector<Frame*> frames() override { return {&hint}; }
  /// Typing into 126-127 re-decodes nothing: the frame catches up at the next focus.
  void fullDecode() override { ConvertExtCheckSum(); }
  void focusStep(int index) override;

  Frame hint{"Extension Flag and CheckSum"};
  /// lbEDID(6..7); lbEDID(0..3) belong to the version frame.
  VersionChecksumLabels edid;

  int ComputeCheckSum() const;
  void ConvertExtCheckSum();
};

}  // namespace edid
