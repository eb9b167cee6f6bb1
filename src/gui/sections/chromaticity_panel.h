#pragma once
// The chromaticity frame Hints_4 (bytes 25-34): chkChroma_0..7, ChromaValue and
// the two hint labels lbChromaChange_0..1.

#include <array>

#include "core/screen/chromaticity_screen.h"
#include "gui/sections/section_panel.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace edid::gui {

class ChromaticityPanel : public SectionPanel {
 public:
  ChromaticityPanel(const PanelFrames& frames, ScreenBinder& binder);
  void mirror(const EdidScreen& screen) override;

 private:
  std::array<QRadioButton*, 8> m_chkChroma{};
  QLineEdit* m_chromaValue = nullptr;
  std::array<QLabel*, 2> m_lbChromaChange{};
};

}  // namespace edid::gui
