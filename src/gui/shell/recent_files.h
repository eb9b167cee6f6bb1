#pragma once
// The files opened or saved last, newest first, kept in the editor's settings
// ("Settings/RecentFiles"), for File > Open Recent and the start page.

#include <QStringList>

class QSettings;

namespace edid::gui {

inline constexpr int kMaxRecentFiles = 8;

/// list with path (made absolute) put first and kept once, cut to kMaxRecentFiles;
/// the list is always stored through it.
QStringList withRecentFile(QStringList list, const QString& path);

QStringList recentFiles(const QSettings& store);
void addRecentFile(QSettings& store, const QString& path);
void clearRecentFiles(QSettings& store);

}  // namespace edid::gui
