#include "gui/shell/start_page.h"

#include <QCommandLinkButton>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>

namespace edid::gui {

StartPage::StartPage(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("startPage"));
  // It lies on the MDI area's dark background; a panel of its own keeps it legible.
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Window);
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(QStringLiteral("<b>Recent Files</b>"), this);
  layout->addWidget(heading);
  m_links = new QVBoxLayout;
  m_links->setSpacing(0);
  layout->addLayout(m_links);
}

void StartPage::setFiles(const QStringList& files) {
  // The links are made once and relabelled: the one clicked may be the one
  // whose click brought the new list.
  for (int i = static_cast<int>(m_links->count()); i < files.size(); ++i) {
    auto* link = new QCommandLinkButton(this);
    link->setObjectName(QStringLiteral("startRecent_%1").arg(i));
    connect(link, &QCommandLinkButton::clicked, this,
            [this, link] { emit fileChosen(link->property("path").toString()); });
    m_links->addWidget(link);
  }
  for (int i = 0; i < m_links->count(); ++i) {
    auto* link = static_cast<QCommandLinkButton*>(m_links->itemAt(i)->widget());
    link->setVisible(i < files.size());
    if (i >= files.size()) continue;
    const QFileInfo info(files[i]);
    link->setText(info.fileName());
    link->setDescription(QDir::toNativeSeparators(info.path()));
    link->setToolTip(QDir::toNativeSeparators(files[i]));
    link->setProperty("path", files[i]);
    link->setEnabled(info.exists());
  }
  adjustSize();
}

}  // namespace edid::gui
