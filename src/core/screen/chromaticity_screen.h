#pragma once
// The chromaticity frame (bytes 25-34): the eight coordinates and their entry box.

#include "core/screen/frames.h"
#include "core/screen/section_screen.h"

namespace edid {

class ChromaticityScreen : public SectionScreen {
 public:
  using SectionScreen::SectionScreen;
  std::vector<Frame*> frames() override { return {&hint}; }
  void fullDecode() override { ConvertChromaticity(); }
  void keyUpDecode(int) override { ConvertChromaticity(); }
  void focusStep(int index) override;

  Frame hint{"Chromaticity (25-34)"};
  ChromaFrame chroma;

  /// Moves the focus to cell 27 + index.
  void chkChroma_Click(int index);
  /// Enter (13) writes ChromaValue into the selected coordinate.
  void ChromaValue_KeyUp(int keyCode);
  /// Bytes 25-34, into the chkChroma captions, ChromaValue and ChromaXText/ChromaYText.
  void ConvertChromaticity();
};

}  // namespace edid
