#pragma once
// The frames of the established timings: Hints_5 (ET1_0..7, byte 35), Hints_6
// (ET2_0..7, byte 36) and Hints_7 (ET3_7, byte 37, and the reserved-bits note).

#include <array>

#include "core/screen/established_screen.h"
#include "gui/sections/section_panel.h"

class QCheckBox;
class QLabel;

namespace edid::gui {

/// The three established timing frames; a click on a box runs its editor.
class EstablishedPanel : public SectionPanel {
 public:
  /// Fills the frames Hints_5, Hints_6 and Hints_7 and binds their check boxes.
  EstablishedPanel(const PanelFrames& frames, ScreenBinder& binder);
  void mirror(const EdidScreen& screen) override;

 private:
  std::array<QCheckBox*, 8> m_et1{};
  std::array<QCheckBox*, 8> m_et2{};
  QCheckBox* m_et3 = nullptr;
  QLabel* m_reserved = nullptr;
};

}  // namespace edid::gui
