#pragma once
// The basic display parameters frame Hints_3 (bytes 20-24): VideoInput with
// VideoMode_0..1 and the Analog frame (Sync_0..4, Signal_0..3), Basic_0..2 with
// BasicInput, DPMS with Frame3 (DisplayType_0..3) and FSupport_0..5, lbBasic_0..1;
// for a 1.4 digital input Digital14 (ColorDepth_0..7, Interface_0..5).

#include <array>

#include "core/screen/basic_display_screen.h"
#include "gui/sections/section_panel.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace edid::gui {

class BasicDisplayPanel : public SectionPanel {
 public:
  BasicDisplayPanel(const PanelFrames& frames, ScreenBinder& binder);
  void mirror(const EdidScreen& screen) override;

 private:
  void createDigital14(ScreenBinder& binder);

  QGroupBox* m_videoInput = nullptr;
  QGroupBox* m_analog = nullptr;
  QGroupBox* m_dpms = nullptr;
  QGroupBox* m_frame3 = nullptr;
  std::array<QRadioButton*, 2> m_videoMode{};
  std::array<QCheckBox*, 5> m_sync{};
  std::array<QRadioButton*, 4> m_signal{};
  std::array<QRadioButton*, 3> m_basic{};
  QLineEdit* m_basicInput = nullptr;
  std::array<QRadioButton*, 4> m_displayType{};
  std::array<QCheckBox*, 6> m_fsupport{};
  std::array<QLabel*, 2> m_lbBasic{};
  QGroupBox* m_digital14 = nullptr;
  std::array<QRadioButton*, 8> m_colorDepth{};
  std::array<QRadioButton*, 6> m_interface{};
};

}  // namespace edid::gui
