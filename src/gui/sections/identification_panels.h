#pragma once
// The frames of the identification sections: header (Hints_0), vendor (Hints_1),
// version and revision (Hints_2), extension flag and checksum (Hints_13).

#include <array>

#include "core/screen/checksum_screen.h"
#include "core/screen/header_screen.h"
#include "core/screen/vendor_screen.h"
#include "core/screen/version_screen.h"
#include "gui/sections/section_panel.h"

class QLabel;
class QLineEdit;

namespace edid::gui {

/// Creates a label named name inside parent, ready to show an opaque background.
QLabel* createSectionLabel(QWidget* parent, const QString& name);
/// Creates a section's input box named name inside parent.
QLineEdit* createInputBox(QWidget* parent, const QString& name);

/// Hints_0: the header explanation Label3.
class HeaderPanel : public SectionPanel {
 public:
  /// Fills frame with Label3.
  HeaderPanel(const PanelFrames& frames, ScreenBinder& binder);
  void mirror(const EdidScreen& screen) override;

 private:
  QLabel* m_label3;
};

/// Hints_1: lbVendor_0..6 and the input box VendorInfo.
class VendorPanel : public SectionPanel {
 public:
  /// Fills frame with the vendor labels and binds VendorInfo to the model.
  VendorPanel(const PanelFrames& frames, ScreenBinder& binder);
  void mirror(const EdidScreen& screen) override;

 private:
  std::array<QLabel*, 7> m_lbVendor{};
  QLineEdit* m_vendorInfo;
};

/// Hints_2: lbEDID_0..3 and the input box VerRev.
class VersionPanel : public SectionPanel {
 public:
  /// Fills frame with the version labels and binds VerRev to the model.
  VersionPanel(const PanelFrames& frames, ScreenBinder& binder);
  void mirror(const EdidScreen& screen) override;

 private:
  std::array<QLabel*, 4> m_lbEDID{};
  QLineEdit* m_verRev;
};

/// Hints_13: lbEDID_6 (extension flag) and lbEDID_7 (checksum status).
class ChecksumPanel : public SectionPanel {
 public:
  /// Fills frame with the two labels.
  ChecksumPanel(const PanelFrames& frames, ScreenBinder& binder);
  void mirror(const EdidScreen& screen) override;

 private:
  std::array<QLabel*, 2> m_lbEDID{};
};

}  // namespace edid::gui
