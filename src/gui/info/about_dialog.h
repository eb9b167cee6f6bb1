#pragma once
// The About box frmAbout: title and version, the author block, the icon, OK, and
// "System Info..." which starts the desktop's system information program.

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;

namespace edid::gui {

class Dialogs;

/// The About box; objectName "frmAbout", caption "About".
class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  /// dialogs shows the message when no system information program is found.
  explicit AboutDialog(Dialogs& dialogs, QWidget* parent = nullptr);

  /// System information programs looked for on PATH, the first found is started.
  static QStringList systemInfoPrograms();
  /// The program name in the absolute folders of PATH; "" when there is none.
  static QString findOnPath(const QString& name);
  /// Starts the first system information program on PATH, detached; shows
  /// "System Information Is Unavailable At This Time" when none can be started.
  void StartSysInfo();

 private:
  Dialogs& m_dialogs;
};

}  // namespace edid::gui
