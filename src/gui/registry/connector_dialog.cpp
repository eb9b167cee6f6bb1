#include "gui/registry/connector_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace edid::gui {

ConnectorDialog::ConnectorDialog(const QList<QStringList>& monitors, QWidget* parent)
    : QDialog(parent), m_list(new QTreeWidget(this)) {
  setObjectName(QStringLiteral("frmConnector"));
  auto* layout = new QVBoxLayout(this);
  auto* prompt = new QLabel(QStringLiteral("Several monitors report an EDID. Which one to read?"));
  prompt->setObjectName(QStringLiteral("lbPrompt"));
  layout->addWidget(prompt);

  m_list->setObjectName(QStringLiteral("lstMonitors"));
  m_list->setRootIsDecorated(false);
  m_list->setHeaderLabels({QStringLiteral("Connector"), QStringLiteral("Manufacturer"),
                           QStringLiteral("Product code"), QStringLiteral("Monitor name")});
  for (const QStringList& row : monitors) m_list->addTopLevelItem(new QTreeWidgetItem(row));
  if (m_list->topLevelItemCount() > 0) m_list->setCurrentItem(m_list->topLevelItem(0));
  m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_list->setMinimumWidth(460);
  connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
  layout->addWidget(m_list);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->setObjectName(QStringLiteral("buttons"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  m_list->setFocus();
}

int ConnectorDialog::chosen() const {
  QTreeWidgetItem* item = m_list->currentItem();
  return item ? m_list->indexOfTopLevelItem(item) : -1;
}

}  // namespace edid::gui
