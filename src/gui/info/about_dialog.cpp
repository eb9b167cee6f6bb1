#include "gui/info/about_dialog.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include "core/common/host.h"
#include "core/program_version.h"
#include "gui/info/program_icon.h"
#include "gui/shell/dialogs.h"

namespace edid::gui {

AboutDialog::AboutDialog(Dialogs& dialogs, QWidget* parent) : QDialog(parent), m_dialogs(dialogs) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About"));
  setWindowIcon(programIcon());

  auto* image = new QLabel(this);
  image->setObjectName(QStringLiteral("Image1"));
  image->setPixmap(programIcon().pixmap(64, 64));
  image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  auto* version = new QLabel(this);
  version->setObjectName(QStringLiteral("lblVersion"));
  version->setText(QLatin1String(kAppTitle) + QStringLiteral("\nVersion ") +
                   QLatin1String(kProgramVersion));
  QFont bold = version->font();
  bold.setBold(true);
  version->setFont(bold);

  auto* writtenBy = new QLabel(this);
  writtenBy->setObjectName(QStringLiteral("lblWrittenby"));
  writtenBy->setText(
      QStringLiteral("Written By\n"
                     "The edidedit project contributors\n"
                     "Free software under the MIT License"));

  auto* ok = new QPushButton(QStringLiteral("&OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* sysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
  sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
  connect(sysInfo, &QPushButton::clicked, this, &AboutDialog::StartSysInfo);

  auto* layout = new QGridLayout(this);
  layout->setHorizontalSpacing(16);
  layout->addWidget(image, 0, 0, 2, 1);
  layout->addWidget(version, 0, 1);
  layout->addWidget(writtenBy, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(sysInfo);
  layout->addLayout(buttons, 2, 0, 1, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QStringList AboutDialog::systemInfoPrograms() {
  return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
          QStringLiteral("gnome-system-monitor"), QStringLiteral("mate-system-monitor")};
}

QString AboutDialog::findOnPath(const QString& name) {
  // A relative entry ("." or an empty one) names whatever folder is current, which
  // may hold anything; only folders that name a place are searched.
  QStringList folders;
  for (const QString& folder :
       qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts))
    if (QDir::isAbsolutePath(folder)) folders << folder;
  // No folders at all would make findExecutable search the whole PATH again.
  return folders.isEmpty() ? QString() : QStandardPaths::findExecutable(name, folders);
}

void AboutDialog::StartSysInfo() {
  for (const QString& name : systemInfoPrograms()) {
    const QString path = findOnPath(name);
    if (!path.isEmpty() && QProcess::startDetached(path, {})) return;
  }
  m_dialogs.message(this, QLatin1String(kAppTitle),
                    QStringLiteral("System Information Is Unavailable At This Time"));
}

}  // namespace edid::gui
