#include "gui/registry/base_location_dialog.h"

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/registry/base_location.h"
#include "core/shell/program.h"
#include "gui/screen/widget_mirror.h"
#include "gui/shell/dialogs.h"
#include "gui/shell/editor_settings.h"

namespace edid::gui {

namespace {

const char* const kPrompt =
    "Please enter in the base location for the Registry setting.\r\n\r\n"
    "An example of a valid entry might look like this(without the quotes)\r\n\r\n"
    "\"SYSTEM\\CurentControlSet\\Enum\\Display\".\r\n\r\n"
    "Note: The program will automatically search all sub keys from this root position and "
    "the default Windows key is preset to (HKEY_LOCAL_MACHINE), so there is no need to add "
    "this to the base location";

}  // namespace

BaseLocationDialog::BaseLocationDialog(Program& program, EditorSettings& settings, Dialogs& dialogs,
                                       QWidget* parent)
    : QDialog(parent), m_program(program), m_settings(settings), m_dialogs(dialogs) {
  setObjectName(QStringLiteral("frmEDIDREG"));
  setWindowTitle(QStringLiteral("Windows 2000 EDID Base Location"));
  auto* layout = new QGridLayout(this);

  m_label = new QLabel(messageText(QString::fromLatin1(kPrompt)), this);
  m_label->setObjectName(QStringLiteral("Label2"));
  m_label->setWordWrap(true);
  // 7215 twips wide.
  m_label->setFixedWidth(481);
  layout->addWidget(m_label, 0, 0, 1, 3);

  m_base = new QLineEdit(toQt(program.common().RegistryBaseLocation), this);
  m_base->setObjectName(QStringLiteral("Text1"));
  layout->addWidget(m_base, 1, 0, 1, 3);

  auto* fileLabel = new QLabel(QStringLiteral("Registry file:"), this);
  fileLabel->setObjectName(QStringLiteral("lbRegistryFile"));
  layout->addWidget(fileLabel, 2, 0);
  m_file = new QLineEdit(QFile::decodeName(program.registryFile.c_str()), this);
  m_file->setObjectName(QStringLiteral("txtRegistryFile"));
  m_file->setPlaceholderText(QStringLiteral("none: read the attached monitor"));
  m_file->setClearButtonEnabled(true);
  fileLabel->setBuddy(m_file);
  layout->addWidget(m_file, 2, 1);
  auto* browse = new QPushButton(QStringLiteral("&Browse..."), this);
  browse->setObjectName(QStringLiteral("cmdBrowse"));
  connect(browse, &QPushButton::clicked, this, &BaseLocationDialog::cmdBrowse_Click);
  layout->addWidget(browse, 2, 2);

  auto* row = new QHBoxLayout;
  const char* const captions[3] = {"OK", "Cancel", "Test"};
  for (int i = 0; i < 3; ++i) {
    auto* button = new QPushButton(QLatin1String(captions[i]), this);
    button->setObjectName(QStringLiteral("Command1_%1").arg(i));
    connect(button, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    if (i == 0) button->setDefault(true);
    if (i == 2) row->addStretch();
    row->addWidget(button);
  }
  layout->addLayout(row, 3, 0, 1, 3);
}

void BaseLocationDialog::Command1_Click(int index) {
  switch (index) {
    case 0:
      m_settings.setRegistryBaseLocation(m_base->text());
      m_settings.setRegistryFile(m_file->text());
      m_program.common().RegistryBaseLocation = fromQt(m_base->text());
      m_program.registryFile = QFile::encodeName(m_file->text()).toStdString();
      accept();
      break;
    case 1:
      reject();
      break;
    case 2:
      m_dialogs.message(this, QString::fromLatin1(kAppTitle),
                        toQt(testBaseLocation(QFile::encodeName(m_file->text()).toStdString(),
                                              fromQt(m_base->text()), m_program.host())));
      break;
    default:
      break;
  }
}

void BaseLocationDialog::cmdBrowse_Click() {
  const QString folder =
      m_file->text().isEmpty() ? m_settings.lastFolder() : QFileInfo(m_file->text()).absolutePath();
  const QString name =
      m_dialogs.openFileName(this, QStringLiteral("Registry File"), folder,
                             QStringLiteral("Registry Files (*.reg *.REG);;All Files (*)"));
  if (!name.isEmpty()) m_file->setText(name);
}

}  // namespace edid::gui
