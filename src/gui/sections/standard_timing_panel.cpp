#include "gui/sections/standard_timing_panel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/screen/option_groups.h"
#include "gui/screen/widget_mirror.h"
#include "gui/sections/button_controls.h"
#include "gui/sections/identification_panels.h"

namespace edid::gui {

StandardTimingPanel::StandardTimingPanel(const PanelFrames& frames, ScreenBinder& binder) {
  QGroupBox* frame = frames.at(0);
  auto* layout = new QVBoxLayout(frame);
  layout->setSpacing(2);
  for (int i = 0; i < 8; ++i) {
    m_stOpt[std::size_t(i)] = createOptionButton(
        frame, QStringLiteral("STOpt_%1").arg(i), binder,
        [i](EdidScreen& s) { selectOption(s.section<StandardTimingScreen>().standard.STOpt, i); },
        [i](EdidScreen& s) { s.section<StandardTimingScreen>().STOpt_Click(i); });
    layout->addWidget(m_stOpt[std::size_t(i)]);
  }
  layout->addSpacing(8);
  auto* ways = new QHBoxLayout;
  for (int i = 0; i < 2; ++i) {
    // Choosing how the entry is read writes nothing.
    m_staOpta[std::size_t(i)] = createOptionButton(
        frame, QStringLiteral("STAOpta_%1").arg(i), binder,
        [i](EdidScreen& s) { selectOption(s.section<StandardTimingScreen>().standard.STAOpta, i); },
        [](EdidScreen&) {});
    ways->addWidget(m_staOpta[std::size_t(i)]);
  }
  layout->addLayout(ways);
  m_staInput = createInputBox(frame, QStringLiteral("STAInput"));
  layout->addWidget(m_staInput);
  auto* aspects = new QGridLayout;
  for (int i = 0; i < 4; ++i) {
    m_staOptb[std::size_t(i)] = createOptionButton(
        frame, QStringLiteral("STAOptb_%1").arg(i), binder,
        [i](EdidScreen& s) { selectOption(s.section<StandardTimingScreen>().standard.STAOptb, i); },
        [i](EdidScreen& s) { s.section<StandardTimingScreen>().STAOptb_Click(i); });
    aspects->addWidget(m_staOptb[std::size_t(i)], i / 2, i % 2);
  }
  layout->addLayout(aspects);
  layout->addStretch();

  InputBoxHandlers handlers;
  handlers.control = FocusControl::STAInput;
  handlers.box = [](EdidScreen& s) -> TextBox& {
    return s.section<StandardTimingScreen>().standard.STAInput;
  };
  handlers.keyUp = [](EdidScreen& s, int code) {
    s.section<StandardTimingScreen>().STAInput_KeyUp(code);
  };
  new InputBoxBinding(m_staInput, binder, std::move(handlers));
}

void StandardTimingPanel::mirror(const EdidScreen& screen) {
  const StandardFrame& f = screen.section<StandardTimingScreen>().standard;
  for (std::size_t i = 0; i < m_stOpt.size(); ++i) mirrorOptionButton(m_stOpt[i], f.STOpt[i]);
  for (std::size_t i = 0; i < m_staOpta.size(); ++i) mirrorOptionButton(m_staOpta[i], f.STAOpta[i]);
  for (std::size_t i = 0; i < m_staOptb.size(); ++i) mirrorOptionButton(m_staOptb[i], f.STAOptb[i]);
  mirrorTextBox(m_staInput, f.STAInput);
}

}  // namespace edid::gui
