#include "gui/sections/detailed_timing_panel.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/screen/option_groups.h"
#include "gui/screen/widget_mirror.h"
#include "gui/sections/button_controls.h"
#include "gui/sections/identification_panels.h"
#include "gui/timing/generate_button.h"

namespace edid::gui {

namespace {

// The fields under their frequency label: horizontal ones, then vertical ones.
constexpr std::array<int, 6> kHorizontalFields = {1, 2, 5, 6, 9, 11};
constexpr std::array<int, 6> kVerticalFields = {3, 4, 7, 8, 10, 12};

QPushButton* createPushButton(QWidget* parent, const QString& name, ScreenBinder& binder,
                              std::function<void(EdidScreen&)> click) {
  auto* button = new QPushButton(parent);
  button->setObjectName(name);
  new FocusNoteBinding(button, binder);
  QObject::connect(button, &QPushButton::clicked, button,
                   [&binder, click = std::move(click)] { binder.forward(click); });
  return button;
}

void mirrorButton(QPushButton* button, const Button& model) {
  const QString caption = toQt(model.caption);
  if (button->text() != caption) button->setText(caption);
  if (button->isEnabled() != model.enabled) button->setEnabled(model.enabled);
  mirrorVisible(button, model.visible);
}

}  // namespace

DetailedTimingPanel::DetailedTimingPanel(const PanelFrames& frames, ScreenBinder& binder) {
  QGroupBox* fieldFrame = frames.at(0);
  QGroupBox* flagsFrame = frames.at(1);
  for (QGroupBox* frame : frames) new FrameDoubleClickBinding(frame, binder);
  auto* fields = new QVBoxLayout(fieldFrame);
  fields->setSpacing(2);
  for (int i = 0; i < 13; ++i) {
    m_dt[std::size_t(i)] = createOptionButton(
        fieldFrame, QStringLiteral("DT_%1").arg(i), binder,
        [i](EdidScreen& s) { selectOption(s.section<DetailedTimingScreen>().detailed.DT, i); },
        [i](EdidScreen& s) { s.section<DetailedTimingScreen>().DT_Click(i); });
  }
  for (int i = 0; i < 2; ++i)
    m_freq[std::size_t(i)] = createSectionLabel(fieldFrame, QStringLiteral("Freq_%1").arg(i));
  fields->addWidget(m_dt[0]);
  fields->addSpacing(6);
  fields->addWidget(m_freq[0]);
  for (int i : kHorizontalFields) fields->addWidget(m_dt[std::size_t(i)]);
  fields->addSpacing(6);
  fields->addWidget(m_freq[1]);
  for (int i : kVerticalFields) fields->addWidget(m_dt[std::size_t(i)]);
  fields->addSpacing(6);
  m_dtInput = createInputBox(fieldFrame, QStringLiteral("DTInput"));
  fields->addWidget(m_dtInput);
  m_generate = createGenerateButton(fieldFrame, QStringLiteral("cmdGenerateTiming"), binder);
  fields->addWidget(m_generate, 0, Qt::AlignRight);
  fields->addStretch();
  InputBoxHandlers handlers;
  handlers.control = FocusControl::DTInput;
  handlers.box = [](EdidScreen& s) -> TextBox& {
    return s.section<DetailedTimingScreen>().detailed.DTInput;
  };
  handlers.keyUp = [](EdidScreen& s, int code) {
    s.section<DetailedTimingScreen>().DTInput_KeyUp(code);
  };
  new InputBoxBinding(m_dtInput, binder, std::move(handlers));

  auto* flags = new QVBoxLayout(flagsFrame);
  flags->setSpacing(2);
  m_dt1 = createCheckButton(
      flagsFrame, QStringLiteral("DT1"), binder,
      [](EdidScreen& s, bool on) { s.section<DetailedTimingScreen>().detailed.DT1.value = on; },
      [](EdidScreen& s) { s.section<DetailedTimingScreen>().DT1_Click(); });
  flags->addWidget(m_dt1);
  m_frmStereo = createSubFrame(flagsFrame, QStringLiteral("frmStereo"));
  // One column: two of these long captions side by side would widen the screen.
  auto* stereo = new QVBoxLayout(m_frmStereo);
  stereo->setSpacing(2);
  for (int i = 0; i < 7; ++i) {
    m_dtStereo[std::size_t(i)] = createOptionButton(
        m_frmStereo, QStringLiteral("DTStereo_%1").arg(i), binder,
        [i](EdidScreen& s) {
          selectOption(s.section<DetailedTimingScreen>().detailed.DTStereo, i);
        },
        [i](EdidScreen& s) { s.section<DetailedTimingScreen>().DTStereo_Click(i); });
    stereo->addWidget(m_dtStereo[std::size_t(i)]);
  }
  flags->addWidget(m_frmStereo);
  m_frame2 = createSubFrame(flagsFrame, QStringLiteral("Frame2"));
  auto* sync = new QGridLayout(m_frame2);
  for (int i = 0; i < 4; ++i) {
    m_dtSync[std::size_t(i)] = createOptionButton(
        m_frame2, QStringLiteral("DTSync_%1").arg(i), binder,
        [i](EdidScreen& s) { selectOption(s.section<DetailedTimingScreen>().detailed.DTSync, i); },
        [i](EdidScreen& s) { s.section<DetailedTimingScreen>().DTSync_Click(i); });
    sync->addWidget(m_dtSync[std::size_t(i)], i / 2, i % 2);
  }
  m_syncSerrate = createCheckButton(
      m_frame2, QStringLiteral("SyncSerrate"), binder,
      [](EdidScreen& s, bool on) {
        s.section<DetailedTimingScreen>().detailed.SyncSerrate.value = on;
      },
      [](EdidScreen& s) { s.section<DetailedTimingScreen>().SyncSerrate_Click(); });
  sync->addWidget(m_syncSerrate, 2, 0, 1, 2);
  m_syncLine = createPushButton(m_frame2, QStringLiteral("SyncLine"), binder, [](EdidScreen& s) {
    s.section<DetailedTimingScreen>().SyncLine_Click();
  });
  sync->addWidget(m_syncLine, 3, 0, 1, 2);
  m_vSyncLine = createPushButton(m_frame2, QStringLiteral("VSyncLine"), binder, [](EdidScreen& s) {
    s.section<DetailedTimingScreen>().VSyncLine_Click();
  });
  sync->addWidget(m_vSyncLine, 4, 0, 1, 2);
  flags->addWidget(m_frame2);
  flags->addStretch();
}

void DetailedTimingPanel::mirror(const EdidScreen& screen) {
  const DetailedFrame& d = screen.section<DetailedTimingScreen>().detailed;
  for (std::size_t i = 0; i < m_dt.size(); ++i) mirrorOptionButton(m_dt[i], d.DT[i]);
  for (std::size_t i = 0; i < m_freq.size(); ++i) mirrorLabel(m_freq[i], d.Freq[i]);
  mirrorTextBox(m_dtInput, d.DTInput);
  mirrorCheckBox(m_dt1, d.DT1);
  mirrorFrame(m_frmStereo, d.frmStereo);
  for (std::size_t i = 0; i < m_dtStereo.size(); ++i)
    mirrorOptionButton(m_dtStereo[i], d.DTStereo[i]);
  mirrorFrame(m_frame2, d.Frame2);
  for (std::size_t i = 0; i < m_dtSync.size(); ++i) mirrorOptionButton(m_dtSync[i], d.DTSync[i]);
  mirrorCheckBox(m_syncSerrate, d.SyncSerrate);
  mirrorButton(m_syncLine, d.SyncLine);
  mirrorButton(m_vSyncLine, d.VSyncLine);
  mirrorGenerateButton(m_generate, screen);
}

FrameDoubleClickBinding::FrameDoubleClickBinding(QGroupBox* frame, ScreenBinder& binder)
    : QObject(frame), m_frame(frame), m_binder(binder) {
  frame->installEventFilter(this);
}

bool FrameDoubleClickBinding::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    const int index = frameNumber(m_frame);
    m_binder.forward(
        [index](EdidScreen& s) { s.section<DetailedTimingScreen>().Hints_DblClick(index); });
  }
  return false;
}

}  // namespace edid::gui
