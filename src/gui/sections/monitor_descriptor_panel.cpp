#include "gui/sections/monitor_descriptor_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "core/screen/option_groups.h"
#include "gui/screen/widget_mirror.h"
#include "gui/sections/button_controls.h"
#include "gui/sections/detailed_timing_panel.h"
#include "gui/sections/identification_panels.h"
#include "gui/timing/generate_button.h"

namespace edid::gui {

MonitorDescriptorPanel::MonitorDescriptorPanel(const PanelFrames& frames, ScreenBinder& binder) {
  createDescriptor(frames.at(0), binder);
  createExtStandard(frames.at(1), binder);
  // A double click on a descriptor's frame resets the block as on a timing's.
  for (QGroupBox* frame : frames) new FrameDoubleClickBinding(frame, binder);
}

void MonitorDescriptorPanel::createDescriptor(QGroupBox* frame, ScreenBinder& binder) {
  auto* layout = new QVBoxLayout(frame);
  layout->setSpacing(2);
  // Two tight columns of types leave the height to the range and colour point options.
  layout->setContentsMargins(4, layout->contentsMargins().top(), 4, 4);
  auto* types = new QGridLayout;
  types->setHorizontalSpacing(0);
  types->setVerticalSpacing(0);
  for (int i = 0; i < int(m_dta.size()); ++i) {
    m_dta[std::size_t(i)] = createOptionButton(
        frame, QStringLiteral("DTa_%1").arg(i), binder,
        [i](EdidScreen& s) {
          selectOption(s.section<MonitorDescriptorScreen>().descriptor.DTa, i);
        },
        [i](EdidScreen& s) { s.section<MonitorDescriptorScreen>().DTa_Click(i); });
    types->addWidget(m_dta[std::size_t(i)], i / 2, i % 2);
  }
  layout->addLayout(types);
  // The range limit and colour point frames never show together: they share a place.
  auto* options = new QGridLayout;
  options->setContentsMargins(0, 0, 0, 0);

  // Range limits.
  m_dtaFrame[0] = createSubFrame(frame, QStringLiteral("DTAFrame_0"));
  auto* limits = new QVBoxLayout(m_dtaFrame[0]);
  limits->setSpacing(2);
  for (int i = 0; i < 5; ++i) {
    m_dtaOpt[std::size_t(i)] = createOptionButton(
        m_dtaFrame[0], QStringLiteral("DtaOpt_%1").arg(i), binder,
        [i](EdidScreen& s) {
          selectOption(s.section<MonitorDescriptorScreen>().descriptor.DtaOpt, i);
        },
        [i](EdidScreen& s) { s.section<MonitorDescriptorScreen>().DtaOpt_Click(i); });
    limits->addWidget(m_dtaOpt[std::size_t(i)]);
  }
  options->addWidget(m_dtaFrame[0], 0, 0, Qt::AlignTop);

  // Colour points: each point's three values, or "Not Used" in their place.
  m_dtaFrame[1] = createSubFrame(frame, QStringLiteral("DTAFrame_1"));
  auto* points = new QGridLayout(m_dtaFrame[1]);
  points->setVerticalSpacing(2);
  for (int n = 0; n < 2; ++n) {
    m_whitePoint[std::size_t(n)] =
        createSectionLabel(m_dtaFrame[1], QStringLiteral("lbWhitePoint_%1").arg(n));
    points->addWidget(m_whitePoint[std::size_t(n)], 0, n);
    m_notUsed[std::size_t(n)] =
        createSectionLabel(m_dtaFrame[1], QStringLiteral("NotUsed_%1").arg(n));
    points->addWidget(m_notUsed[std::size_t(n)], 1, n, Qt::AlignTop);
    for (int k = 0; k < 3; ++k) {
      const int j = 3 * n + k;
      m_dtaOptWhite[std::size_t(j)] = createOptionButton(
          m_dtaFrame[1], QStringLiteral("DtaOptWhite_%1").arg(j), binder,
          [j](EdidScreen& s) {
            selectOption(s.section<MonitorDescriptorScreen>().descriptor.DtaOptWhite, j);
          },
          [j](EdidScreen& s) { s.section<MonitorDescriptorScreen>().DtaOptWhite_Click(j); });
      points->addWidget(m_dtaOptWhite[std::size_t(j)], k + 1, n);
    }
  }
  options->addWidget(m_dtaFrame[1], 0, 0, Qt::AlignTop);
  create14(frame, options, binder);
  layout->addLayout(options);

  auto* boxes = new QHBoxLayout;
  m_gtf = createCheckButton(
      frame, QStringLiteral("DTAGTF"), binder,
      [](EdidScreen& s, bool checked) {
        s.section<MonitorDescriptorScreen>().descriptor.DTAGTF.value = checked;
      },
      [](EdidScreen& s) { s.section<MonitorDescriptorScreen>().DTAGTF_Click(); });
  boxes->addWidget(m_gtf);
  for (int i = 0; i < 2; ++i) {
    m_windex[std::size_t(i)] = createCheckButton(
        frame, QStringLiteral("Windex_%1").arg(i), binder,
        [i](EdidScreen& s, bool checked) {
          s.section<MonitorDescriptorScreen>().descriptor.Windex[std::size_t(i)].value = checked;
        },
        [i](EdidScreen& s) { s.section<MonitorDescriptorScreen>().Windex_Click(i); });
    boxes->addWidget(m_windex[std::size_t(i)]);
  }
  // Byte 10's options in a widget of their own, apart from the type options.
  auto* timing = new QWidget(frame);
  // Two by two: four in a row would not fit their captions into the frame.
  auto* timingGrid = new QGridLayout(timing);
  timingGrid->setContentsMargins(0, 0, 0, 0);
  timingGrid->setVerticalSpacing(0);
  for (int i = 0; i < 4; ++i) {
    m_timing[std::size_t(i)] = createOptionButton(
        timing, QStringLiteral("DTATiming_%1").arg(i), binder,
        [i](EdidScreen& s) { selectOption(s.section<MonitorDescriptorScreen>().v14.DTATiming, i); },
        [i](EdidScreen& s) { s.section<MonitorDescriptorScreen>().DTATiming_Click(i); });
    timingGrid->addWidget(m_timing[std::size_t(i)], i / 2, i % 2);
  }
  boxes->addWidget(timing);
  boxes->addStretch();
  layout->addLayout(boxes);

  m_dtaInput = createInputBox(frame, QStringLiteral("DTaInput"));
  layout->addWidget(m_dtaInput);
  // The user may replace a descriptor or an unused block with a timing.
  m_generate = createGenerateButton(frame, QStringLiteral("cmdGenerateTimingDescriptor"), binder);
  layout->addWidget(m_generate, 0, Qt::AlignRight);
  layout->addStretch();

  InputBoxHandlers handlers;
  handlers.control = FocusControl::DTaInput;
  handlers.box = [](EdidScreen& s) -> TextBox& {
    return s.section<MonitorDescriptorScreen>().descriptor.DTaInput;
  };
  handlers.keyUp = [](EdidScreen& s, int code) {
    s.section<MonitorDescriptorScreen>().DTaInput_KeyUp(code);
  };
  new InputBoxBinding(m_dtaInput, binder, std::move(handlers));
}

void MonitorDescriptorPanel::createExtStandard(QGroupBox* frame, ScreenBinder& binder) {
  auto* layout = new QVBoxLayout(frame);
  layout->setSpacing(2);
  // Two columns of three timings keep the frame as low as the others.
  auto* timings = new QGridLayout;
  timings->setVerticalSpacing(2);
  for (int i = 0; i < 7; ++i) {
    m_extStOpt[std::size_t(i)] = createOptionButton(
        frame, QStringLiteral("ExtSTOpt_%1").arg(i), binder,
        [i](EdidScreen& s) {
          selectOption(s.section<MonitorDescriptorScreen>().extStandard.ExtSTOpt, i);
        },
        [i](EdidScreen& s) { s.section<MonitorDescriptorScreen>().ExtSTOpt_Click(i); });
    if (i < 6) timings->addWidget(m_extStOpt[std::size_t(i)], i % 3, i / 3);
  }
  layout->addLayout(timings);
  layout->addWidget(m_extStOpt[6]);

  m_extStaFrame = createSubFrame(frame, QStringLiteral("ExtStaFrame"));
  auto* entry = new QVBoxLayout(m_extStaFrame);
  entry->setSpacing(2);
  auto* ways = new QHBoxLayout;
  for (int i = 0; i < 2; ++i) {
    // Choosing how the entry is read writes nothing.
    m_extStaOpta[std::size_t(i)] = createOptionButton(
        m_extStaFrame, QStringLiteral("ExtSTAOpta_%1").arg(i), binder,
        [i](EdidScreen& s) {
          selectOption(s.section<MonitorDescriptorScreen>().extStandard.ExtSTAOpta, i);
        },
        [](EdidScreen&) {});
    ways->addWidget(m_extStaOpta[std::size_t(i)]);
  }
  entry->addLayout(ways);
  m_extStaInput = createInputBox(m_extStaFrame, QStringLiteral("ExtStaInput"));
  entry->addWidget(m_extStaInput);
  auto* aspects = new QGridLayout;
  for (int i = 0; i < 4; ++i) {
    m_extStaOptb[std::size_t(i)] = createOptionButton(
        m_extStaFrame, QStringLiteral("ExtSTAOptb_%1").arg(i), binder,
        [i](EdidScreen& s) {
          selectOption(s.section<MonitorDescriptorScreen>().extStandard.ExtSTAOptb, i);
        },
        [i](EdidScreen& s) { s.section<MonitorDescriptorScreen>().ExtSTAOptb_Click(i); });
    aspects->addWidget(m_extStaOptb[std::size_t(i)], i / 2, i % 2);
  }
  entry->addLayout(aspects);
  layout->addWidget(m_extStaFrame);
  layout->addStretch();

  InputBoxHandlers handlers;
  handlers.control = FocusControl::ExtStaInput;
  handlers.box = [](EdidScreen& s) -> TextBox& {
    return s.section<MonitorDescriptorScreen>().extStandard.ExtStaInput;
  };
  handlers.keyUp = [](EdidScreen& s, int code) {
    s.section<MonitorDescriptorScreen>().ExtStaInput_KeyUp(code);
  };
  new InputBoxBinding(m_extStaInput, binder, std::move(handlers));
}

void MonitorDescriptorPanel::create14(QGroupBox* frame, QGridLayout* options,
                                      ScreenBinder& binder) {
  using Screen = MonitorDescriptorScreen;
  m_et3Frame = createSubFrame(frame, QStringLiteral("ET3Frame"));
  auto* et3Layout = new QVBoxLayout(m_et3Frame);
  et3Layout->setContentsMargins(2, 2, 2, 2);
  // 44 timings are more than the frame holds: two columns in byte order, in a
  // slightly smaller type, that scroll.
  auto* scroll = new QScrollArea(m_et3Frame);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setWidgetResizable(true);
  auto* boxes = new QWidget(scroll);
  QFont small = boxes->font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  boxes->setFont(small);
  auto* et3 = new QGridLayout(boxes);
  et3->setContentsMargins(0, 0, 0, 0);
  et3->setVerticalSpacing(0);
  for (int i = 0; i < int(m_et3.size()); ++i) {
    m_et3[std::size_t(i)] = createCheckButton(
        boxes, QStringLiteral("ET3x_%1").arg(i), binder,
        [i](EdidScreen& s, bool on) { s.section<Screen>().v14.ET3x[std::size_t(i)].value = on; },
        [i](EdidScreen& s) { s.section<Screen>().ET3x_Click(i); });
    et3->addWidget(m_et3[std::size_t(i)], i % 22, i / 22);
  }
  scroll->setWidget(boxes);
  // About half the rows show; the frame's hint sits below them.
  scroll->setFixedHeight(boxes->sizeHint().height() * 12 / 22);
  et3Layout->addWidget(scroll);
  options->addWidget(m_et3Frame, 0, 0, Qt::AlignTop);

  m_cvtFrame = createSubFrame(frame, QStringLiteral("CvtFrame"));
  auto* cvt = new QGridLayout(m_cvtFrame);
  cvt->setVerticalSpacing(2);
  // One widget per option group, so that each group keeps its own choice; the
  // groups that edit the selected code get a label on their left.
  const auto group = [this, cvt](QGridLayout*& grid, int row, int label) {
    auto* box = new QWidget(m_cvtFrame);
    grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(0);
    if (label < 0) {
      cvt->addWidget(box, row, 0, 1, 2);
    } else {
      m_cvtLabel[std::size_t(label)] =
          createSectionLabel(m_cvtFrame, QStringLiteral("lbCvt_%1").arg(label));
      cvt->addWidget(m_cvtLabel[std::size_t(label)], row, 0, Qt::AlignTop);
      cvt->addWidget(box, row, 1);
    }
    return box;
  };
  QGridLayout* grid = nullptr;
  QWidget* codes = group(grid, 0, -1);
  for (int i = 0; i < 4; ++i) {
    m_cvtOpt[std::size_t(i)] = createOptionButton(
        codes, QStringLiteral("CvtOpt_%1").arg(i), binder,
        [i](EdidScreen& s) { selectOption(s.section<Screen>().v14.CvtOpt, i); },
        [i](EdidScreen& s) { s.section<Screen>().CvtOpt_Click(i); });
    grid->addWidget(m_cvtOpt[std::size_t(i)], i, 0);
  }
  QWidget* aspects = group(grid, 1, 0);
  for (int i = 0; i < 4; ++i) {
    m_cvtAspect[std::size_t(i)] = createOptionButton(
        aspects, QStringLiteral("CvtAspect_%1").arg(i), binder,
        [i](EdidScreen& s) { selectOption(s.section<Screen>().v14.CvtAspect, i); },
        [i](EdidScreen& s) { s.section<Screen>().CvtAspect_Click(i); });
    grid->addWidget(m_cvtAspect[std::size_t(i)], 0, i);
  }
  QWidget* preferred = group(grid, 2, 1);
  for (int i = 0; i < 4; ++i) {
    m_cvtPreferred[std::size_t(i)] = createOptionButton(
        preferred, QStringLiteral("CvtPreferred_%1").arg(i), binder,
        [i](EdidScreen& s) { selectOption(s.section<Screen>().v14.CvtPreferred, i); },
        [i](EdidScreen& s) { s.section<Screen>().CvtPreferred_Click(i); });
    grid->addWidget(m_cvtPreferred[std::size_t(i)], 0, i);
  }
  QWidget* rates = group(grid, 3, 2);
  for (int i = 0; i < 5; ++i) {
    m_cvtRate[std::size_t(i)] = createCheckButton(
        rates, QStringLiteral("CvtRate_%1").arg(i), binder,
        [i](EdidScreen& s, bool on) { s.section<Screen>().v14.CvtRate[std::size_t(i)].value = on; },
        [i](EdidScreen& s) { s.section<Screen>().CvtRate_Click(i); });
    // Under the preferred rates; reduced blanking on a line of its own.
    grid->addWidget(m_cvtRate[std::size_t(i)], i / 4, i % 4, 1, i == 4 ? 2 : 1);
  }
  m_cvtInput = createInputBox(m_cvtFrame, QStringLiteral("CvtInput"));
  m_cvtLabel[3] = createSectionLabel(m_cvtFrame, QStringLiteral("lbCvt_3"));
  cvt->addWidget(m_cvtLabel[3], 4, 0);
  cvt->addWidget(m_cvtInput, 4, 1, Qt::AlignLeft);
  InputBoxHandlers handlers;
  handlers.box = [](EdidScreen& s) -> TextBox& { return s.section<Screen>().v14.CvtInput; };
  handlers.keyUp = [](EdidScreen& s, int code) { s.section<Screen>().CvtInput_KeyUp(code); };
  new InputBoxBinding(m_cvtInput, binder, std::move(handlers));
  options->addWidget(m_cvtFrame, 0, 0, Qt::AlignTop);

  m_cmFrame = createSubFrame(frame, QStringLiteral("CmFrame"));
  auto* cm = new QVBoxLayout(m_cmFrame);
  for (int i = 0; i < int(m_cmValue.size()); ++i) {
    m_cmValue[std::size_t(i)] = createSectionLabel(m_cmFrame, QStringLiteral("CmValue_%1").arg(i));
    cm->addWidget(m_cmValue[std::size_t(i)]);
  }
  options->addWidget(m_cmFrame, 0, 0, Qt::AlignTop);
}

void MonitorDescriptorPanel::mirror14(const Descriptor14Controls& v) {
  for (std::size_t i = 0; i < m_timing.size(); ++i) mirrorOptionButton(m_timing[i], v.DTATiming[i]);
  mirrorFrame(m_et3Frame, v.ET3Frame);
  for (std::size_t i = 0; i < m_et3.size(); ++i) mirrorCheckBox(m_et3[i], v.ET3x[i]);
  mirrorFrame(m_cvtFrame, v.CvtFrame);
  for (std::size_t i = 0; i < m_cvtOpt.size(); ++i) mirrorOptionButton(m_cvtOpt[i], v.CvtOpt[i]);
  for (std::size_t i = 0; i < m_cvtAspect.size(); ++i)
    mirrorOptionButton(m_cvtAspect[i], v.CvtAspect[i]);
  for (std::size_t i = 0; i < m_cvtPreferred.size(); ++i)
    mirrorOptionButton(m_cvtPreferred[i], v.CvtPreferred[i]);
  for (std::size_t i = 0; i < m_cvtRate.size(); ++i) mirrorCheckBox(m_cvtRate[i], v.CvtRate[i]);
  mirrorTextBox(m_cvtInput, v.CvtInput);
  for (std::size_t i = 0; i < m_cvtLabel.size(); ++i) mirrorLabel(m_cvtLabel[i], v.lbCvt[i]);
  mirrorFrame(m_cmFrame, v.CmFrame);
  for (std::size_t i = 0; i < m_cmValue.size(); ++i) mirrorLabel(m_cmValue[i], v.CmValue[i]);
}

void MonitorDescriptorPanel::mirror(const EdidScreen& screen) {
  const DescriptorFrame& f = screen.section<MonitorDescriptorScreen>().descriptor;
  for (std::size_t i = 0; i < m_dta.size(); ++i) mirrorOptionButton(m_dta[i], f.DTa[i]);
  mirrorCheckBox(m_gtf, f.DTAGTF);
  for (std::size_t i = 0; i < m_dtaFrame.size(); ++i) mirrorFrame(m_dtaFrame[i], f.DTAFrame[i]);
  for (std::size_t i = 0; i < m_dtaOpt.size(); ++i) mirrorOptionButton(m_dtaOpt[i], f.DtaOpt[i]);
  for (std::size_t i = 0; i < m_dtaOptWhite.size(); ++i)
    mirrorOptionButton(m_dtaOptWhite[i], f.DtaOptWhite[i]);
  for (std::size_t i = 0; i < 2; ++i) {
    mirrorLabel(m_whitePoint[i], f.lbWhitePoint[i]);
    mirrorLabel(m_notUsed[i], f.NotUsed[i]);
    mirrorCheckBox(m_windex[i], f.Windex[i]);
  }
  mirrorTextBox(m_dtaInput, f.DTaInput);
  mirrorGenerateButton(m_generate, screen);

  const ExtStandardFrame& e = screen.section<MonitorDescriptorScreen>().extStandard;
  for (std::size_t i = 0; i < m_extStOpt.size(); ++i)
    mirrorOptionButton(m_extStOpt[i], e.ExtSTOpt[i]);
  mirrorFrame(m_extStaFrame, e.ExtStaFrame);
  for (std::size_t i = 0; i < m_extStaOpta.size(); ++i)
    mirrorOptionButton(m_extStaOpta[i], e.ExtSTAOpta[i]);
  for (std::size_t i = 0; i < m_extStaOptb.size(); ++i)
    mirrorOptionButton(m_extStaOptb[i], e.ExtSTAOptb[i]);
  mirrorTextBox(m_extStaInput, e.ExtStaInput);
  mirror14(screen.section<MonitorDescriptorScreen>().v14);
}

}  // namespace edid::gui
