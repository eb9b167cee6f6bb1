#pragma once
// The splash window frmSplash: a borderless picture with the program's title and
// version, shown while the main window loads.

#include <QWidget>

namespace edid::gui {

/// The start-up picture; objectName "frmSplash".
class SplashWindow : public QWidget {
  Q_OBJECT
 public:
  explicit SplashWindow(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace edid::gui
