#include "gui/info/program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace edid::gui {

namespace {

QPixmap drawIcon(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal unit = size / 64.0;
  painter.scale(unit, unit);
  // The monitor: a dark screen on a small stand.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x1d, 0x35, 0x57));
  painter.drawRoundedRect(QRectF(2, 4, 60, 44), 5, 5);
  painter.drawRect(QRectF(26, 48, 12, 6));
  painter.drawRoundedRect(QRectF(16, 54, 32, 6), 2, 2);
  // Two byte cells, section and field colours.
  painter.setBrush(QColor(0xFF, 0xC0, 0xC0));
  painter.drawRoundedRect(QRectF(8, 10, 22, 32), 3, 3);
  painter.setBrush(QColor(0xFF, 0xFF, 0x80));
  painter.drawRoundedRect(QRectF(34, 10, 22, 32), 3, 3);
  QFont font(QStringLiteral("monospace"));
  font.setStyleHint(QFont::Monospace);
  font.setBold(true);
  font.setPixelSize(14);
  painter.setFont(font);
  painter.setPen(QColor(0x1d, 0x35, 0x57));
  painter.drawText(QRectF(8, 10, 22, 32), Qt::AlignCenter, QStringLiteral("00"));
  painter.drawText(QRectF(34, 10, 22, 32), Qt::AlignCenter, QStringLiteral("FF"));
  return pixmap;
}

}  // namespace

QIcon programIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128}) icon.addPixmap(drawIcon(size));
  return icon;
}

}  // namespace edid::gui
