#include "gui/shell/editor_settings.h"

#include <QSettings>
#include <cmath>

#include "core/common/host.h"

namespace edid::gui {

namespace {

constexpr const char* kKeys[4] = {"Settings/MainLeft", "Settings/MainTop", "Settings/MainWidth",
                                  "Settings/MainHeight"};

int pixels(double twips) {
  return int(std::lround(twips / kTwipsPerPixel));
}

}  // namespace

QRect centredIn(const QSize& wanted, const QRect& available) {
  const QSize size = wanted.boundedTo(available.size());
  return QRect(available.x() + (available.width() - size.width()) / 2,
               available.y() + (available.height() - size.height()) / 2, size.width(),
               size.height());
}

QString settingsName() {
  QString name = QString::fromLatin1(kAppTitle).trimmed();
  name.replace(QLatin1Char('/'), QLatin1Char('-'));
  return name;
}

EditorSettings::EditorSettings(const QString& path)
    : m_settings(path.isEmpty() ? std::make_unique<QSettings>(settingsName(), settingsName())
                                : std::make_unique<QSettings>(path, QSettings::IniFormat)) {}

EditorSettings::~EditorSettings() = default;

QRect EditorSettings::mainGeometry(QString* error) const {
  double twips[4];
  for (int i = 0; i < 4; ++i) twips[i] = kDefaultMainTwips[i];
  for (int i = 0; i < 4; ++i) {
    const QVariant value = m_settings->value(QLatin1String(kKeys[i]));
    if (!value.isValid()) continue;
    bool ok = false;
    const double number = value.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number)) {
      if (error) *error = QStringLiteral("Type mismatch");
      break;
    }
    twips[i] = number;
  }
  return QRect(pixels(twips[0]), pixels(twips[1]), std::max(1, pixels(twips[2])),
               std::max(1, pixels(twips[3])));
}

bool EditorSettings::hasMainGeometry() const {
  for (const char* key : kKeys)
    if (m_settings->contains(QLatin1String(key))) return true;
  return false;
}

void EditorSettings::setMainGeometry(const QRect& rect) {
  const int values[4] = {rect.x(), rect.y(), rect.width(), rect.height()};
  for (int i = 0; i < 4; ++i) {
    // Written as the text of a single-precision number.
    const float twips = float(values[i] * kTwipsPerPixel);
    m_settings->setValue(QLatin1String(kKeys[i]), QString::number(twips));
  }
  m_settings->sync();
}

QString EditorSettings::lastFolder() const {
  return m_settings->value(QStringLiteral("Settings/LastFolder")).toString();
}

void EditorSettings::setLastFolder(const QString& folder) {
  m_settings->setValue(QStringLiteral("Settings/LastFolder"), folder);
}

QString EditorSettings::registryBaseLocation() const {
  return m_settings->value(QStringLiteral("Settings/Windows2000RegBaseLocation")).toString();
}

void EditorSettings::setRegistryBaseLocation(const QString& location) {
  m_settings->setValue(QStringLiteral("Settings/Windows2000RegBaseLocation"), location);
  m_settings->sync();
}

QString EditorSettings::registryFile() const {
  return m_settings->value(QStringLiteral("Settings/RegistryFile")).toString();
}

void EditorSettings::setRegistryFile(const QString& path) {
  m_settings->setValue(QStringLiteral("Settings/RegistryFile"), path);
  m_settings->sync();
}

}  // namespace edid::gui
