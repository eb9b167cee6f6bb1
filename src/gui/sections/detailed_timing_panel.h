#pragma once
// The detailed timing frames of an 18-byte block: Hints_9 with the thirteen
// fields DT_0..12, Freq_0..1 and DTInput; Hints_10 with the flags byte: DT1,
// frmStereo with DTStereo_0..6, Frame2 with DTSync_0..3, SyncSerrate, SyncLine and
// VSyncLine. A double click on a block frame (Hints_9..12) resets the block.

#include <QObject>
#include <array>

#include "core/screen/detailed_timing_screen.h"
#include "gui/sections/section_panel.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace edid::gui {

class DetailedTimingPanel : public SectionPanel {
 public:
  /// Fills the field frame and the flags frame and binds their controls to the
  /// model; a double click on either resets the block.
  DetailedTimingPanel(const PanelFrames& frames, ScreenBinder& binder);
  void mirror(const EdidScreen& screen) override;

 private:
  std::array<QRadioButton*, 13> m_dt{};
  std::array<QLabel*, 2> m_freq{};
  QLineEdit* m_dtInput = nullptr;
  QPushButton* m_generate = nullptr;
  QCheckBox* m_dt1 = nullptr;
  QGroupBox* m_frmStereo = nullptr;
  std::array<QRadioButton*, 7> m_dtStereo{};
  QGroupBox* m_frame2 = nullptr;
  std::array<QRadioButton*, 4> m_dtSync{};
  QCheckBox* m_syncSerrate = nullptr;
  QPushButton* m_syncLine = nullptr;
  QPushButton* m_vSyncLine = nullptr;
};

/// Forwards a double click on a section frame to Hints_DblClick with its number.
class FrameDoubleClickBinding : public QObject {
  Q_OBJECT
 public:
  /// Watches frame; the binding is owned by frame.
  FrameDoubleClickBinding(QGroupBox* frame, ScreenBinder& binder);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QGroupBox* m_frame;
  ScreenBinder& m_binder;
};

}  // namespace edid::gui
