#include "gui/sections/basic_display_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/screen/option_groups.h"
#include "gui/screen/widget_mirror.h"
#include "gui/sections/button_controls.h"
#include "gui/sections/identification_panels.h"

namespace edid::gui {

BasicDisplayPanel::BasicDisplayPanel(const PanelFrames& frames, ScreenBinder& binder) {
  QGroupBox* frame = frames.at(0);
  auto* layout = new QVBoxLayout(frame);
  layout->setSpacing(2);

  m_lbBasic[0] = createSectionLabel(frame, QStringLiteral("lbBasic_0"));
  layout->addWidget(m_lbBasic[0]);
  m_videoInput = createSubFrame(frame, QStringLiteral("VideoInput"));
  auto* video = new QVBoxLayout(m_videoInput);
  auto* modes = new QHBoxLayout;
  for (int i = 0; i < 2; ++i) {
    m_videoMode[std::size_t(i)] = createOptionButton(
        m_videoInput, QStringLiteral("VideoMode_%1").arg(i), binder,
        [i](EdidScreen& s) { selectOption(s.section<BasicDisplayScreen>().basic.VideoMode, i); },
        [i](EdidScreen& s) { s.section<BasicDisplayScreen>().VideoMode_Click(i); });
    modes->addWidget(m_videoMode[std::size_t(i)]);
  }
  video->addLayout(modes);
  m_analog = createSubFrame(m_videoInput, QStringLiteral("Analog"));
  auto* analog = new QGridLayout(m_analog);
  for (int i = 0; i < 5; ++i) {
    m_sync[std::size_t(i)] = createCheckButton(
        m_analog, QStringLiteral("Sync_%1").arg(i), binder,
        [i](EdidScreen& s, bool on) {
          s.section<BasicDisplayScreen>().basic.Sync[std::size_t(i)].value = on;
        },
        [i](EdidScreen& s) { s.section<BasicDisplayScreen>().Sync_Click(i); });
    analog->addWidget(m_sync[std::size_t(i)], i, 0);
  }
  for (int i = 0; i < 4; ++i) {
    m_signal[std::size_t(i)] = createOptionButton(
        m_analog, QStringLiteral("Signal_%1").arg(i), binder,
        [i](EdidScreen& s) { selectOption(s.section<BasicDisplayScreen>().basic.Signal, i); },
        [i](EdidScreen& s) { s.section<BasicDisplayScreen>().Signal_Click(i); });
    analog->addWidget(m_signal[std::size_t(i)], i, 1);
  }
  video->addWidget(m_analog);
  createDigital14(binder);
  video->addWidget(m_digital14);
  layout->addWidget(m_videoInput);

  for (int i = 0; i < 3; ++i) {
    m_basic[std::size_t(i)] = createOptionButton(
        frame, QStringLiteral("Basic_%1").arg(i), binder,
        [i](EdidScreen& s) { selectOption(s.section<BasicDisplayScreen>().basic.Basic, i); },
        [i](EdidScreen& s) { s.section<BasicDisplayScreen>().Basic_Click(i); });
    layout->addWidget(m_basic[std::size_t(i)]);
  }
  m_basicInput = createInputBox(frame, QStringLiteral("BasicInput"));
  layout->addWidget(m_basicInput);
  InputBoxHandlers handlers;
  handlers.control = FocusControl::BasicInput;
  handlers.box = [](EdidScreen& s) -> TextBox& {
    return s.section<BasicDisplayScreen>().basic.BasicInput;
  };
  handlers.keyUp = [](EdidScreen& s, int code) {
    s.section<BasicDisplayScreen>().BasicInput_KeyUp(code);
  };
  new InputBoxBinding(m_basicInput, binder, std::move(handlers));

  m_lbBasic[1] = createSectionLabel(frame, QStringLiteral("lbBasic_1"));
  layout->addWidget(m_lbBasic[1]);
  m_dpms = createSubFrame(frame, QStringLiteral("DPMS"));
  // The display types above the features, two columns each: side by side the
  // longer captions would be cut, one column would not fit the frame's height.
  auto* dpms = new QGridLayout(m_dpms);
  m_frame3 = createSubFrame(m_dpms, QStringLiteral("Frame3"));
  auto* types = new QGridLayout(m_frame3);
  for (int i = 0; i < 4; ++i) {
    m_displayType[std::size_t(i)] = createOptionButton(
        m_frame3, QStringLiteral("DisplayType_%1").arg(i), binder,
        [i](EdidScreen& s) { selectOption(s.section<BasicDisplayScreen>().basic.DisplayType, i); },
        [i](EdidScreen& s) { s.section<BasicDisplayScreen>().DisplayType_Click(i); });
    types->addWidget(m_displayType[std::size_t(i)], i / 2, i % 2);
  }
  dpms->addWidget(m_frame3, 0, 0, 1, 2);
  for (int i = 0; i < 6; ++i) {
    m_fsupport[std::size_t(i)] = createCheckButton(
        m_dpms, QStringLiteral("FSupport_%1").arg(i), binder,
        [i](EdidScreen& s, bool on) {
          s.section<BasicDisplayScreen>().basic.FSupport[std::size_t(i)].value = on;
        },
        [i](EdidScreen& s) { s.section<BasicDisplayScreen>().FSupport_Click(i); });
    dpms->addWidget(m_fsupport[std::size_t(i)], 1 + i % 3, i / 3);
  }
  layout->addWidget(m_dpms);
  layout->addStretch();
}

void BasicDisplayPanel::createDigital14(ScreenBinder& binder) {
  m_digital14 = createSubFrame(m_videoInput, QStringLiteral("Digital14"));
  auto* grid = new QGridLayout(m_digital14);
  grid->setVerticalSpacing(0);
  // Each group in a widget of its own, so picking a depth leaves the interface on.
  auto* depths = new QWidget(m_digital14);
  auto* depthGrid = new QGridLayout(depths);
  depthGrid->setContentsMargins(0, 0, 0, 0);
  for (int i = 0; i < 8; ++i) {
    m_colorDepth[std::size_t(i)] = createOptionButton(
        depths, QStringLiteral("ColorDepth_%1").arg(i), binder,
        [i](EdidScreen& s) {
          selectOption(s.section<BasicDisplayScreen>().digital14.ColorDepth, i);
        },
        [i](EdidScreen& s) { s.section<BasicDisplayScreen>().ColorDepth_Click(i); });
    depthGrid->addWidget(m_colorDepth[std::size_t(i)], i / 3, i % 3);
  }
  grid->addWidget(depths, 0, 0);
  auto* interfaces = new QWidget(m_digital14);
  auto* interfaceGrid = new QGridLayout(interfaces);
  interfaceGrid->setContentsMargins(0, 0, 0, 0);
  for (int i = 0; i < 6; ++i) {
    m_interface[std::size_t(i)] = createOptionButton(
        interfaces, QStringLiteral("Interface_%1").arg(i), binder,
        [i](EdidScreen& s) {
          selectOption(s.section<BasicDisplayScreen>().digital14.Interface, i);
        },
        [i](EdidScreen& s) { s.section<BasicDisplayScreen>().Interface_Click(i); });
    interfaceGrid->addWidget(m_interface[std::size_t(i)], i / 3, i % 3);
  }
  grid->addWidget(interfaces, 1, 0);
}

void BasicDisplayPanel::mirror(const EdidScreen& screen) {
  const BasicFrame& b = screen.section<BasicDisplayScreen>().basic;
  mirrorFrame(m_videoInput, b.VideoInput);
  mirrorFrame(m_analog, b.Analog);
  mirrorFrame(m_dpms, b.DPMS);
  mirrorFrame(m_frame3, b.Frame3);
  for (std::size_t i = 0; i < m_videoMode.size(); ++i)
    mirrorOptionButton(m_videoMode[i], b.VideoMode[i]);
  for (std::size_t i = 0; i < m_sync.size(); ++i) mirrorCheckBox(m_sync[i], b.Sync[i]);
  for (std::size_t i = 0; i < m_signal.size(); ++i) mirrorOptionButton(m_signal[i], b.Signal[i]);
  for (std::size_t i = 0; i < m_basic.size(); ++i) mirrorOptionButton(m_basic[i], b.Basic[i]);
  mirrorTextBox(m_basicInput, b.BasicInput);
  for (std::size_t i = 0; i < m_displayType.size(); ++i)
    mirrorOptionButton(m_displayType[i], b.DisplayType[i]);
  for (std::size_t i = 0; i < m_fsupport.size(); ++i) mirrorCheckBox(m_fsupport[i], b.FSupport[i]);
  for (std::size_t i = 0; i < m_lbBasic.size(); ++i) mirrorLabel(m_lbBasic[i], b.lbBasic[i]);
  const Digital14Frame& d = screen.section<BasicDisplayScreen>().digital14;
  mirrorFrame(m_digital14, d.Digital14);
  for (std::size_t i = 0; i < m_colorDepth.size(); ++i)
    mirrorOptionButton(m_colorDepth[i], d.ColorDepth[i]);
  for (std::size_t i = 0; i < m_interface.size(); ++i)
    mirrorOptionButton(m_interface[i], d.Interface[i]);
}

}  // namespace edid::gui
