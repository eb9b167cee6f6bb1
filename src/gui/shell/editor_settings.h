#pragma once
// The editor's per-user settings, group "Settings": the main window's position
// in twips ("MainLeft", "MainTop", "MainWidth", "MainHeight") and the folder the
// file dialogs last used ("LastFolder").

#include <QRect>
#include <QString>
#include <memory>

class QSettings;

namespace edid::gui {

/// Twips per pixel (1440 twips an inch, 96 pixels an inch).
inline constexpr double kTwipsPerPixel = 15.0;

/// The main window's designed position and size in twips: left, top, width, height.
inline constexpr int kDefaultMainTwips[4] = {1000, 1000, 6500, 6500};

/// A window of the wanted size (bounded by available) centred in available.
QRect centredIn(const QSize& wanted, const QRect& available);

/// The settings store name: the application title with its slash and trailing
/// space made safe for a file name ("EDID - DDC EnCoding and Decoding Program").
QString settingsName();

/// Reads and writes the editor's settings.
class EditorSettings {
 public:
  /// The platform's per-user store, or the INI file at path when path is not empty.
  explicit EditorSettings(const QString& path = {});
  ~EditorSettings();

  /// The saved main window geometry in pixels. Missing keys take their defaults.
  /// A value that is not a number stops the reading there: the keys read before it
  /// apply, the rest keep the designed geometry, and error says so.
  QRect mainGeometry(QString* error = nullptr) const;
  /// True when any of the four position keys is stored (not a first start).
  bool hasMainGeometry() const;
  /// Writes the main window geometry (pixels) as twips.
  void setMainGeometry(const QRect& pixels);

  /// The folder the file dialogs last used; "" when none.
  QString lastFolder() const;
  void setLastFolder(const QString& folder);

  /// The registry base location the user last kept in its dialog; "" when none.
  QString registryBaseLocation() const;
  void setRegistryBaseLocation(const QString& location);
  /// The registry export file Retrieve searches ("RegistryFile"); "" reads the monitor.
  QString registryFile() const;
  void setRegistryFile(const QString& path);

  /// The underlying store.
  QSettings& store() { return *m_settings; }

 private:
  std::unique_ptr<QSettings> m_settings;
};

}  // namespace edid::gui
