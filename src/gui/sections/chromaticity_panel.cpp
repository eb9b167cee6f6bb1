#include "gui/sections/chromaticity_panel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/screen/option_groups.h"
#include "gui/screen/widget_mirror.h"
#include "gui/sections/button_controls.h"
#include "gui/sections/identification_panels.h"

namespace edid::gui {

ChromaticityPanel::ChromaticityPanel(const PanelFrames& frames, ScreenBinder& binder) {
  QGroupBox* frame = frames.at(0);
  auto* layout = new QVBoxLayout(frame);
  layout->setSpacing(2);
  auto* grid = new QGridLayout;
  // x beside y, one colour per row.
  for (int i = 0; i < 8; ++i) {
    m_chkChroma[std::size_t(i)] = createOptionButton(
        frame, QStringLiteral("chkChroma_%1").arg(i), binder,
        [i](EdidScreen& s) { selectOption(s.section<ChromaticityScreen>().chroma.chkChroma, i); },
        [i](EdidScreen& s) { s.section<ChromaticityScreen>().chkChroma_Click(i); });
    grid->addWidget(m_chkChroma[std::size_t(i)], i / 2, i % 2);
  }
  layout->addLayout(grid);
  layout->addSpacing(8);
  for (int i = 0; i < 2; ++i) {
    m_lbChromaChange[std::size_t(i)] =
        createSectionLabel(frame, QStringLiteral("lbChromaChange_%1").arg(i));
    m_lbChromaChange[std::size_t(i)]->setWordWrap(true);
    layout->addWidget(m_lbChromaChange[std::size_t(i)]);
  }
  m_chromaValue = createInputBox(frame, QStringLiteral("ChromaValue"));
  layout->addWidget(m_chromaValue);
  layout->addStretch();

  InputBoxHandlers handlers;
  handlers.control = FocusControl::ChromaValue;
  handlers.box = [](EdidScreen& s) -> TextBox& {
    return s.section<ChromaticityScreen>().chroma.ChromaValue;
  };
  handlers.keyUp = [](EdidScreen& s, int code) {
    s.section<ChromaticityScreen>().ChromaValue_KeyUp(code);
  };
  new InputBoxBinding(m_chromaValue, binder, std::move(handlers));
}

void ChromaticityPanel::mirror(const EdidScreen& screen) {
  const ChromaFrame& chroma = screen.section<ChromaticityScreen>().chroma;
  for (std::size_t i = 0; i < m_chkChroma.size(); ++i)
    mirrorOptionButton(m_chkChroma[i], chroma.chkChroma[i]);
  for (std::size_t i = 0; i < m_lbChromaChange.size(); ++i)
    mirrorLabel(m_lbChromaChange[i], chroma.lbChromaChange[i]);
  mirrorTextBox(m_chromaValue, chroma.ChromaValue);
}

}  // namespace edid::gui
