#pragma once
// The information window frmHelp: where to read about EDID itself.

#include <QDialog>

namespace edid::gui {

/// The information window; objectName "frmHelp", caption "Help".
class HelpDialog : public QDialog {
  Q_OBJECT
 public:
  explicit HelpDialog(QWidget* parent = nullptr);
};

}  // namespace edid::gui
