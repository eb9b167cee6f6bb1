#pragma once
// The choice of monitor when more than one attached monitor reports an EDID.

#include <QDialog>
#include <QList>
#include <QStringList>

class QTreeWidget;

namespace edid::gui {

/// A list of monitors (connector, manufacturer, product code, monitor name) with
/// OK and Cancel; the first is preselected and a double click chooses. objectName
/// "frmConnector", the list "lstMonitors".
class ConnectorDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ConnectorDialog(const QList<QStringList>& monitors, QWidget* parent = nullptr);
  /// The selected row, or -1 when none.
  int chosen() const;
  QTreeWidget* list() const { return m_list; }

 private:
  QTreeWidget* m_list;
};

}  // namespace edid::gui
