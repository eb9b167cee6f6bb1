#pragma once
// The monitor descriptor frames: Hints_11 (DTa_0..7, DTAGTF, DTAFrame_0 with
// DtaOpt_0..4, DTAFrame_1 with DtaOptWhite_0..5, lbWhitePoint_0..1 and
// NotUsed_0..1, Windex_0..1, DTaInput) and Hints_12 (ExtSTOpt_0..6, ExtStaFrame
// with ExtSTAOpta_0..1, ExtStaInput and ExtSTAOptb_0..3). From EDID 1.4 Hints_11
// also holds DTa_8..10, DTATiming_0..3, ET3Frame (ET3x_0..43), CvtFrame (CvtOpt_0..3,
// CvtAspect_0..3, CvtPreferred_0..3, CvtRate_0..4, CvtInput, lbCvt_0..3) and CmFrame
// (CmValue_0..6).

#include <array>

#include "core/screen/monitor_descriptor_screen.h"
#include "gui/sections/section_panel.h"

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace edid::gui {

class MonitorDescriptorPanel : public SectionPanel {
 public:
  MonitorDescriptorPanel(const PanelFrames& frames, ScreenBinder& binder);
  void mirror(const EdidScreen& screen) override;

 private:
  void createDescriptor(QGroupBox* frame, ScreenBinder& binder);
  void createExtStandard(QGroupBox* frame, ScreenBinder& binder);
  void create14(QGroupBox* frame, QGridLayout* options, ScreenBinder& binder);
  void mirror14(const Descriptor14Controls& v);

  std::array<QRadioButton*, 11> m_dta{};
  QCheckBox* m_gtf = nullptr;
  std::array<QGroupBox*, 2> m_dtaFrame{};
  std::array<QRadioButton*, 5> m_dtaOpt{};
  std::array<QRadioButton*, 6> m_dtaOptWhite{};
  std::array<QLabel*, 2> m_whitePoint{};
  std::array<QLabel*, 2> m_notUsed{};
  std::array<QCheckBox*, 2> m_windex{};
  QLineEdit* m_dtaInput = nullptr;
  QPushButton* m_generate = nullptr;

  std::array<QRadioButton*, 7> m_extStOpt{};
  QGroupBox* m_extStaFrame = nullptr;
  std::array<QRadioButton*, 2> m_extStaOpta{};
  std::array<QRadioButton*, 4> m_extStaOptb{};
  QLineEdit* m_extStaInput = nullptr;

  std::array<QRadioButton*, 4> m_timing{};
  QGroupBox* m_et3Frame = nullptr;
  std::array<QCheckBox*, 44> m_et3{};
  QGroupBox* m_cvtFrame = nullptr;
  std::array<QRadioButton*, 4> m_cvtOpt{};
  std::array<QRadioButton*, 4> m_cvtAspect{};
  std::array<QRadioButton*, 4> m_cvtPreferred{};
  std::array<QCheckBox*, 5> m_cvtRate{};
  QLineEdit* m_cvtInput = nullptr;
  std::array<QLabel*, 4> m_cvtLabel{};
  QGroupBox* m_cmFrame = nullptr;
  std::array<QLabel*, 7> m_cmValue{};
};

}  // namespace edid::gui
