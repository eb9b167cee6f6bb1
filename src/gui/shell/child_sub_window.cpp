#include "gui/shell/child_sub_window.h"

#include <QCloseEvent>
#include <QScopedValueRollback>

namespace edid::gui {

ChildSubWindow::ChildSubWindow(QWidget* parent) : QMdiSubWindow(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
}

void ChildSubWindow::closeWithoutAsking() {
  // Inside the close question the answer already closes the window.
  if (m_asking) return;
  m_force = true;
  close();
}

void ChildSubWindow::closeEvent(QCloseEvent* event) {
  if (!m_force && canClose) {
    bool allowed = false;
    {
      const QScopedValueRollback guard(m_asking, true);
      allowed = canClose();
    }
    if (!allowed) {
      event->ignore();
      return;
    }
  }
  if (auto notify = std::exchange(closed, nullptr)) notify();
  QMdiSubWindow::closeEvent(event);
}

}  // namespace edid::gui
