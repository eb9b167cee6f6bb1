#include "gui/shell/child_sub_window.h"

#include <QCloseEvent>
#include <QKeySequence>
#include <QMenu>
#include <QScopedValueRollback>

namespace edid::gui {

ChildSubWindow::ChildSubWindow(QWidget* parent) : QMdiSubWindow(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
  // File Close owns the close keys; the same keys here would make both ambiguous
  // and neither would run.
  if (QMenu* menu = systemMenu()) {
    const QList<QKeySequence> closeKeys = QKeySequence::keyBindings(QKeySequence::Close);
    for (QAction* item : menu->actions()) {
      for (const QKeySequence& key : item->shortcuts()) {
        if (closeKeys.contains(key) || key == QKeySequence(Qt::CTRL | Qt::Key_W)) {
          item->setShortcuts({});
          break;
        }
      }
    }
  }
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
