#pragma once
// What the main window shows while no child window is open: the recent files
// as links, so the first click opens yesterday's file.

#include <QFrame>
#include <QStringList>

class QVBoxLayout;

namespace edid::gui {

/// objectName "startPage"; its links are "startRecent_0", "startRecent_1", ...
class StartPage : public QFrame {
  Q_OBJECT
 public:
  explicit StartPage(QWidget* parent = nullptr);

  /// Shows one link per file, newest first; a missing file's link is disabled.
  void setFiles(const QStringList& files);

 signals:
  void fileChosen(const QString& path);

 private:
  QVBoxLayout* m_links = nullptr;
};

}  // namespace edid::gui
