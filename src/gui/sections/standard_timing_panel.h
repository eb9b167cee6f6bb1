#pragma once
// The standard timings frame Hints_8 (bytes 38-53): STOpt_0..7, STAOpta_0..1,
// STAInput and STAOptb_0..3.

#include <array>

#include "core/screen/standard_timing_screen.h"
#include "gui/sections/section_panel.h"

class QLineEdit;
class QRadioButton;

namespace edid::gui {

class StandardTimingPanel : public SectionPanel {
 public:
  StandardTimingPanel(const PanelFrames& frames, ScreenBinder& binder);
  void mirror(const EdidScreen& screen) override;

 private:
  std::array<QRadioButton*, 8> m_stOpt{};
  std::array<QRadioButton*, 2> m_staOpta{};
  std::array<QRadioButton*, 4> m_staOptb{};
  QLineEdit* m_staInput = nullptr;
};

}  // namespace edid::gui
