#pragma once
// The version frame (bytes 18-19): the version and revision labels and their entry box.

#include "core/screen/frames.h"
#include "core/screen/section_screen.h"

namespace edid {

class VersionScreen : public SectionScreen {
 public:
  using SectionScreen::SectionScreen;
  std::vector<Frame*> frames() override { return {&hint}; }
  void fullDecode() override;
  void keyUpDecode(int index) override;
  void focusStep(int index) override;

  Frame hint{"EDID Version/Revision (18-19)"};
  /// lbEDID(0..3) and VerRev; lbEDID(6..7) belong to the checksum frame.
  VersionChecksumLabels edid;

  void VerRev_KeyUp(int keyCode);
  void ConvertVersion();
  void ConvertRevision();
  void ConvertCompleteVersion();

 private:
  int selectedVersionByte() const;
};

}  // namespace edid
