#include "gui/sections/identification_panels.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QVBoxLayout>

#include "gui/screen/widget_mirror.h"

namespace edid::gui {

QLabel* createSectionLabel(QWidget* parent, const QString& name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setMargin(2);
  prepareOpaqueLabel(label);
  // With "Modify EDID" off the frames are disabled but only display: keep them readable.
  QPalette palette = label->palette();
  palette.setColor(QPalette::Disabled, QPalette::WindowText,
                   palette.color(QPalette::Active, QPalette::WindowText));
  label->setPalette(palette);
  return label;
}

QLineEdit* createInputBox(QWidget* parent, const QString& name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 22);
  return edit;
}

HeaderPanel::HeaderPanel(const PanelFrames& frames, ScreenBinder&) {
  QGroupBox* frame = frames.at(0);
  auto* layout = new QVBoxLayout(frame);
  m_label3 = createSectionLabel(frame, QStringLiteral("Label3"));
  m_label3->setWordWrap(true);
  layout->addWidget(m_label3);
  layout->addStretch();
}

void HeaderPanel::mirror(const EdidScreen& screen) {
  mirrorLabel(m_label3, screen.section<HeaderScreen>().header.Label3);
}

VendorPanel::VendorPanel(const PanelFrames& frames, ScreenBinder& binder) {
  QGroupBox* frame = frames.at(0);
  auto* layout = new QVBoxLayout(frame);
  layout->setSpacing(2);
  for (std::size_t i = 0; i < m_lbVendor.size(); ++i) {
    m_lbVendor[i] = createSectionLabel(frame, QStringLiteral("lbVendor_%1").arg(i));
    if (i == 5) layout->addSpacing(8);
    layout->addWidget(m_lbVendor[i]);
  }
  layout->addSpacing(8);
  m_vendorInfo = createInputBox(frame, QStringLiteral("VendorInfo"));
  layout->addWidget(m_vendorInfo);
  layout->addStretch();

  InputBoxHandlers handlers;
  handlers.control = FocusControl::VendorInfo;
  handlers.box = [](EdidScreen& screen) -> TextBox& {
    return screen.section<VendorScreen>().vendor.VendorInfo;
  };
  handlers.keyPress = [](EdidScreen& screen, char& key) {
    return screen.section<VendorScreen>().VendorInfo_KeyPress(key);
  };
  handlers.keyUp = [](EdidScreen& screen, int code) {
    screen.section<VendorScreen>().VendorInfo_KeyUp(code);
  };
  new InputBoxBinding(m_vendorInfo, binder, std::move(handlers));
}

void VendorPanel::mirror(const EdidScreen& screen) {
  const VendorFrame& vendor = screen.section<VendorScreen>().vendor;
  for (std::size_t i = 0; i < m_lbVendor.size(); ++i)
    mirrorLabel(m_lbVendor[i], vendor.lbVendor[i]);
  mirrorTextBox(m_vendorInfo, vendor.VendorInfo);
}

VersionPanel::VersionPanel(const PanelFrames& frames, ScreenBinder& binder) {
  QGroupBox* frame = frames.at(0);
  auto* layout = new QVBoxLayout(frame);
  layout->setSpacing(2);
  for (std::size_t i = 0; i < m_lbEDID.size(); ++i) {
    m_lbEDID[i] = createSectionLabel(frame, QStringLiteral("lbEDID_%1").arg(i));
    if (i == 2) layout->addSpacing(8);
    layout->addWidget(m_lbEDID[i]);
  }
  layout->addSpacing(8);
  m_verRev = createInputBox(frame, QStringLiteral("VerRev"));
  layout->addWidget(m_verRev);
  layout->addStretch();

  InputBoxHandlers handlers;
  handlers.control = FocusControl::VerRev;
  handlers.box = [](EdidScreen& screen) -> TextBox& {
    return screen.section<VersionScreen>().edid.VerRev;
  };
  handlers.keyUp = [](EdidScreen& screen, int code) {
    screen.section<VersionScreen>().VerRev_KeyUp(code);
  };
  new InputBoxBinding(m_verRev, binder, std::move(handlers));
}

void VersionPanel::mirror(const EdidScreen& screen) {
  const VersionChecksumLabels& edid = screen.section<VersionScreen>().edid;
  for (std::size_t i = 0; i < m_lbEDID.size(); ++i) mirrorLabel(m_lbEDID[i], edid.lbEDID[i]);
  mirrorTextBox(m_verRev, edid.VerRev);
}

ChecksumPanel::ChecksumPanel(const PanelFrames& frames, ScreenBinder&) {
  QGroupBox* frame = frames.at(0);
  auto* layout = new QVBoxLayout(frame);
  layout->setSpacing(2);
  for (std::size_t i = 0; i < m_lbEDID.size(); ++i) {
    m_lbEDID[i] = createSectionLabel(frame, QStringLiteral("lbEDID_%1").arg(i + 6));
    layout->addWidget(m_lbEDID[i]);
  }
  layout->addStretch();
}

void ChecksumPanel::mirror(const EdidScreen& screen) {
  for (std::size_t i = 0; i < m_lbEDID.size(); ++i)
    mirrorLabel(m_lbEDID[i], screen.section<ChecksumScreen>().edid.lbEDID[i + 6]);
}

}  // namespace edid::gui
