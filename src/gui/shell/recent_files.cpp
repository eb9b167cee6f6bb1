#include "gui/shell/recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace edid::gui {

namespace {
const QString kRecentKey = QStringLiteral("Settings/RecentFiles");
}

QStringList withRecentFile(QStringList list, const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  list.removeAll(absolute);
  list.prepend(absolute);
  if (list.size() > kMaxRecentFiles) list.resize(kMaxRecentFiles);
  return list;
}

QStringList recentFiles(const QSettings& store) {
  QStringList list = store.value(kRecentKey).toStringList();
  list.removeAll(QString());
  return list;
}

void addRecentFile(QSettings& store, const QString& path) {
  store.setValue(kRecentKey, withRecentFile(recentFiles(store), path));
}

void clearRecentFiles(QSettings& store) {
  store.remove(kRecentKey);
}

}  // namespace edid::gui
