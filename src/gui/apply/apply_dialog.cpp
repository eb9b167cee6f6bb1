#include "gui/apply/apply_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/apply/firmware_override.h"
#include "core/common/file_io.h"
#include "core/registry/monitor_identity.h"
#include "gui/shell/dialogs.h"

namespace edid::gui {

namespace {

QString qt(const std::string& text) {
  return QString::fromStdString(text);
}

QString monitorText(const Connector& connector) {
  const MonitorIdentity identity = identifyMonitor(connector.edid);
  if (identity.manufacturer.empty()) return qt(connector.label);
  QString text = qt(identity.manufacturer + " " + identity.productCode);
  if (!identity.name.empty()) text += QStringLiteral(" (%1)").arg(qt(identity.name));
  return text;
}

// edidtool beside the editor (installed, or in the build's tree), else on the PATH.
QString edidtoolPath() {
  const QDir here(QCoreApplication::applicationDirPath());
  for (const QString& candidate : {here.filePath(QStringLiteral("edidtool")),
                                   here.filePath(QStringLiteral("../cli/edidtool"))})
    if (QFileInfo(candidate).isExecutable()) return QDir::cleanPath(candidate);
  return QStringLiteral("edidtool");
}

QString runProcess(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  if (!process.waitForStarted()) return process.errorString();
  process.waitForFinished(-1);
  return QString::fromLocal8Bit(process.readAll());
}

}  // namespace

ApplyDialog::ApplyDialog(std::string edid, const std::string& sysfsRoot, Dialogs& dialogs,
                         QWidget* parent)
    : QDialog(parent),
      runner(runProcess),
      m_edid(std::move(edid)),
      m_dialogs(dialogs),
      m_connectors(listConnectors(sysfsRoot)) {
  setObjectName(QStringLiteral("frmApply"));
  setWindowTitle(QStringLiteral("Apply to This Computer"));
  m_file = m_folder.filePath(QStringLiteral("edid.bin"));
  if (const Status written = writeFileAtomically(m_file.toStdString(), m_edid, "write"); !written)
    m_file.clear();
  const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));

  auto* ways = new QGroupBox(QStringLiteral("Way"), this);
  m_firmware = new QRadioButton(
      QStringLiteral("Firmware override: the kernel loads this EDID at every start"), ways);
  m_live = new QRadioButton(
      QStringLiteral("Live override: the kernel uses it now, until the computer restarts"), ways);
  m_eeprom = new QRadioButton(QStringLiteral("Write it into the monitor's own EEPROM"), ways);
  m_firmware->setObjectName(QStringLiteral("optFirmware"));
  m_live->setObjectName(QStringLiteral("optLive"));
  m_eeprom->setObjectName(QStringLiteral("optEeprom"));
  m_firmware->setChecked(true);
  auto* waysLayout = new QVBoxLayout(ways);
  for (QRadioButton* option : {m_firmware, m_live, m_eeprom}) {
    waysLayout->addWidget(option);
    connect(option, &QRadioButton::toggled, this, [this] { refresh(); });
  }

  m_connector = new QComboBox(this);
  m_connector->setObjectName(QStringLiteral("cboConnector"));
  int first = -1;
  for (const Connector& connector : m_connectors) {
    m_connector->addItem(
        QStringLiteral("%1  %2  %3")
            .arg(qt(connector.label), monitorText(connector), qt(connector.status)));
    if (first < 0 && connector.connected()) first = m_connector->count() - 1;
  }
  m_connector->setCurrentIndex(std::max(first, 0));
  connect(m_connector, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
  m_backup = QDir::home().filePath(QStringLiteral("edid-backup-%1.bin").arg(stamp));

  m_commands = new QPlainTextEdit(this);
  m_commands->setObjectName(QStringLiteral("txtCommands"));
  m_commands->setReadOnly(true);
  // A command broken over two lines would be copied broken.
  m_commands->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_commands->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m_commands->setMinimumSize(640, 320);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  m_apply = buttons->addButton(QStringLiteral("&Apply"), QDialogButtonBox::ActionRole);
  m_apply->setObjectName(QStringLiteral("cmdApply"));
  connect(m_apply, &QPushButton::clicked, this, [this] { applyNow(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Connector:"), m_connector);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ways);
  layout->addLayout(form);
  layout->addWidget(m_commands);
  layout->addWidget(buttons);
  refresh();
}

apply::ApplyWay ApplyDialog::way() const {
  if (m_live->isChecked()) return apply::ApplyWay::Live;
  if (m_eeprom->isChecked()) return apply::ApplyWay::Eeprom;
  return apply::ApplyWay::Firmware;
}

const Connector* ApplyDialog::connector() const {
  const int index = m_connector->currentIndex();
  return index >= 0 && index < int(m_connectors.size()) ? &m_connectors[std::size_t(index)]
                                                        : nullptr;
}

QString ApplyDialog::backupPath() const {
  return m_backup;
}

QStringList ApplyDialog::commandArguments() const {
  const Connector* chosen = connector();
  QStringList arguments;
  if (!chosen) return arguments;
  for (const std::string& argument :
       apply::applyArguments(way(), chosen->label, m_file.toStdString(), m_backup.toStdString()))
    arguments << qt(argument);
  return arguments;
}

void ApplyDialog::refresh() {
  const Connector* chosen = connector();
  QString text;
  bool ready = chosen && !m_file.isEmpty();
  if (!chosen) text = QStringLiteral("No display connector was found.\n");
  if (chosen) {
    text = QStringLiteral("Runs as root:\n  pkexec edidtool %1\n\n")
               .arg(commandArguments().join(QLatin1Char(' ')));
    switch (way()) {
      case apply::ApplyWay::Firmware:
        if (const auto plan = apply::planFirmware(m_edid, chosen->label, {}); plan) {
          text += QStringLiteral("It writes %1 and prints:\n\n").arg(qt(plan->firmwareFile)) +
                  qt(apply::installSteps(*plan));
        } else {
          text += qt(plan.error()) + QLatin1Char('\n');
          ready = false;
        }
        break;
      case apply::ApplyWay::Live:
        text += QStringLiteral(
                    "The kernel reads this EDID for %1 at once, until the computer restarts.\n"
                    "To drop it: pkexec edidtool override --connector %1 --reset\n")
                    .arg(qt(chosen->label));
        break;
      case apply::ApplyWay::Eeprom:
        text += QStringLiteral(
                    "Only over the monitor's own EDID on %1's DDC bus, at 0x50, and only after\n"
                    "saving its old bytes to %2.\n")
                    .arg(qt(chosen->label), m_backup);
        break;
    }
  }
  m_commands->setPlainText(text);
  m_apply->setEnabled(ready);
}

void ApplyDialog::applyNow() {
  const Connector* chosen = connector();
  if (!chosen) return;
  if (way() == apply::ApplyWay::Eeprom &&
      !m_dialogs.ask(this, windowTitle(),
                     QStringLiteral("Write this EDID into the EEPROM of the monitor on %1, %2?\n\n"
                                    "Its old bytes are saved first to %3.")
                         .arg(qt(chosen->label), monitorText(*chosen), m_backup),
                     true))
    return;
  const QString output =
      runner(QStringLiteral("pkexec"), QStringList{edidtoolPath()} + commandArguments());
  m_commands->appendPlainText(QStringLiteral("\n") + output);
}

}  // namespace edid::gui
