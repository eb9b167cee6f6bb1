#pragma once
// frmEDIDREG: where the registry search for the monitor's EDID starts, and which
// registry export file it searches (none: Retrieve reads the attached monitor).

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace edid {
class Program;
}

namespace edid::gui {

class Dialogs;
class EditorSettings;

/// The modal base location dialog. Its controls are named Label2, Text1,
/// Command1_0 (OK), Command1_1 (Cancel), Command1_2 (Test), txtRegistryFile and
/// cmdBrowse.
class BaseLocationDialog : public QDialog {
  Q_OBJECT
 public:
  BaseLocationDialog(Program& program, EditorSettings& settings, Dialogs& dialogs,
                     QWidget* parent = nullptr);

  /// OK, Cancel and Test by index.
  void Command1_Click(int index);
  /// Asks for a registry export file to search.
  void cmdBrowse_Click();

 private:
  Program& m_program;
  EditorSettings& m_settings;
  Dialogs& m_dialogs;
  QLabel* m_label;
  QLineEdit* m_base;
  QLineEdit* m_file;
};

}  // namespace edid::gui
