#pragma once
// File > Apply to This Computer: the three ways of putting the edited EDID to use
// (firmware override, live override, the monitor's EEPROM), the connector, and the
// edidtool command run as root through pkexec, with what it will print.

#include <QDialog>
#include <QTemporaryDir>
#include <functional>
#include <string>
#include <vector>

#include "core/apply/apply_commands.h"
#include "core/registry/sysfs_ddc.h"

class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace edid::gui {

class Dialogs;

/// objectName "frmApply"; the ways "optFirmware", "optLive", "optEeprom", the
/// connectors "cboConnector", the commands and their output "txtCommands", the
/// button "cmdApply".
class ApplyDialog : public QDialog {
  Q_OBJECT
 public:
  /// Runs a program with its arguments and returns its output (standard output and
  /// error); the tests put a recorder here instead of pkexec.
  using Runner = std::function<QString(const QString& program, const QStringList& arguments)>;

  /// edid: the image's raw bytes (all blocks); sysfsRoot: where the connectors are.
  ApplyDialog(std::string edid, const std::string& sysfsRoot, Dialogs& dialogs,
              QWidget* parent = nullptr);

  Runner runner;
  /// Where an EEPROM write saves the old bytes.
  QString backupPath() const;
  /// The edidtool command line shown and run, without pkexec.
  QStringList commandArguments() const;

 private:
  apply::ApplyWay way() const;
  const Connector* connector() const;
  void refresh();
  void applyNow();

  std::string m_edid;
  Dialogs& m_dialogs;
  std::vector<Connector> m_connectors;
  QTemporaryDir m_folder;
  QString m_file, m_backup;
  QRadioButton* m_firmware;
  QRadioButton* m_live;
  QRadioButton* m_eeprom;
  QComboBox* m_connector;
  QPlainTextEdit* m_commands;
  QPushButton* m_apply;
};

}  // namespace edid::gui
