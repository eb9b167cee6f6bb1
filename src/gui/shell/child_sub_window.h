#pragma once
// An MDI child window that asks before it closes (the decoding screen asks the
// core, which may ask "Save Changes?") and can be closed from code without asking.

#include <QMdiSubWindow>
#include <functional>

namespace edid::gui {

/// A QMdiSubWindow with a close question and a close notification.
class ChildSubWindow : public QMdiSubWindow {
  Q_OBJECT
 public:
  explicit ChildSubWindow(QWidget* parent = nullptr);

  /// Asked when the user closes the window; false keeps it open.
  std::function<bool()> canClose;
  /// Called once the window is closing, whoever closed it.
  std::function<void()> closed;

  /// Closes the window without asking (the core already decided).
  void closeWithoutAsking();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  bool m_asking = false;
  bool m_force = false;
};

}  // namespace edid::gui
