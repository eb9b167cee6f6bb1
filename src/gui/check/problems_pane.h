#pragma once
// The Problems pane: the conformance findings of the image on the decoding
// screen, one row each with an icon for its severity. Double-clicking a row asks
// for the finding's first byte.

#include <QDockWidget>
#include <vector>

#include "core/check/conformance.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace edid::gui {

/// objectName "dockProblems"; its list is "lstProblems".
class ProblemsPane : public QDockWidget {
  Q_OBJECT
 public:
  explicit ProblemsPane(QWidget* parent = nullptr);

  /// Shows the findings, replacing the rows; nothing changes when they are the same.
  void setFindings(const std::vector<check::Finding>& findings);
  const std::vector<check::Finding>& findings() const { return m_findings; }
  QTreeWidget* list() const { return m_list; }

 signals:
  /// A row was double-clicked: its block and first byte.
  void byteChosen(int block, int byte);

 private:
  void activate(QTreeWidgetItem* item);

  QTreeWidget* m_list = nullptr;
  std::vector<check::Finding> m_findings;
};

}  // namespace edid::gui
