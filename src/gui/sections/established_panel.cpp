#include "gui/sections/established_panel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/screen/widget_mirror.h"

namespace edid::gui {

namespace {

using Boxes = std::array<CheckBox, 8>;

/// A check box whose click hands its new state to the model and runs the editor.
QCheckBox* createTimingBox(QWidget* frame, const QString& name, ScreenBinder& binder,
                           Boxes EstablishedFrames::*boxes, void (EstablishedScreen::*click)(int),
                           int index) {
  auto* box = new QCheckBox(frame);
  box->setObjectName(name);
  new FocusNoteBinding(box, binder);
  QObject::connect(box, &QCheckBox::clicked, box, [&binder, boxes, click, index](bool checked) {
    binder.forward([&](EdidScreen& screen) {
      (screen.section<EstablishedScreen>().established.*boxes)[std::size_t(index)].value = checked;
      (screen.section<EstablishedScreen>().*click)(index);
    });
  });
  return box;
}

}  // namespace

EstablishedPanel::EstablishedPanel(const PanelFrames& frames, ScreenBinder& binder) {
  QGroupBox* timingsI = frames.at(0);
  QGroupBox* timingsII = frames.at(1);
  QGroupBox* manufacturer = frames.at(2);
  auto* layoutI = new QVBoxLayout(timingsI);
  auto* layoutII = new QVBoxLayout(timingsII);
  for (int i = 0; i < 8; ++i) {
    m_et1[std::size_t(i)] =
        createTimingBox(timingsI, QStringLiteral("ET1_%1").arg(i), binder, &EstablishedFrames::ET1,
                        &EstablishedScreen::ET1_Click, i);
    layoutI->addWidget(m_et1[std::size_t(i)]);
    m_et2[std::size_t(i)] =
        createTimingBox(timingsII, QStringLiteral("ET2_%1").arg(i), binder, &EstablishedFrames::ET2,
                        &EstablishedScreen::ET2_Click, i);
    layoutII->addWidget(m_et2[std::size_t(i)]);
  }
  layoutI->addStretch();
  layoutII->addStretch();

  auto* layoutM = new QVBoxLayout(manufacturer);
  m_et3 = createTimingBox(manufacturer, QStringLiteral("ET3_7"), binder, &EstablishedFrames::ET3,
                          &EstablishedScreen::ET3_Click, 7);
  layoutM->addWidget(m_et3);
  m_reserved = new QLabel(manufacturer);
  m_reserved->setObjectName(QStringLiteral("lbReserved"));
  layoutM->addWidget(m_reserved);
  layoutM->addStretch();
}

void EstablishedPanel::mirror(const EdidScreen& screen) {
  const EstablishedFrames& established = screen.section<EstablishedScreen>().established;
  for (std::size_t i = 0; i < 8; ++i) {
    mirrorCheckBox(m_et1[i], established.ET1[i]);
    mirrorCheckBox(m_et2[i], established.ET2[i]);
  }
  mirrorCheckBox(m_et3, established.ET3[7]);
  mirrorLabel(m_reserved, established.reservedNote);
}

}  // namespace edid::gui
