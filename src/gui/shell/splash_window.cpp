#include "gui/shell/splash_window.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

#include "core/common/host.h"

namespace edid::gui {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("frmSplash"));
  setAttribute(Qt::WA_DeleteOnClose, false);
  setFixedSize(520, 300);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void SplashWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient background(0, 0, 0, height());
  background.setColorAt(0, QColor(0x1d, 0x35, 0x57));
  background.setColorAt(1, QColor(0x0b, 0x16, 0x25));
  painter.fillRect(rect(), background);

  // A faint column of EDID bytes on the right, clear of the title on the left.
  static const char* const kRows[] = {
      "00 FF FF FF FF FF", "FF 00 04 43 1F 05", "D2 04 00 00 05 09", "01 03 68 22 1B 78",
      "EA 85 54 A3 5A 4A", "9E 25 13 50 54 21", "08 00 81 80 01 01", "1A 36 80 A0 70 38",
      "1F 40 30 20 35 00", "00 FC 00 45 44 49",
  };
  QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  mono.setPointSize(11);
  painter.setFont(mono);
  painter.setPen(QColor(255, 255, 255, 40));
  const QFontMetrics monoMetrics(mono);
  const int rowLeft = width() - 24 - monoMetrics.horizontalAdvance(QLatin1String(kRows[0]));
  int y = 34;
  for (const char* row : kRows) {
    painter.drawText(QPoint(rowLeft, y), QLatin1String(row));
    y += monoMetrics.lineSpacing() + 8;
  }

  // The checksum cell, in the screen's field colour.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xFF, 0xFF, 0x80));
  painter.drawRoundedRect(QRect(34, 40, 96, 64), 8, 8);
  painter.setBrush(QColor(0xFF, 0xC0, 0xC0));
  painter.drawRoundedRect(QRect(46, 112, 72, 40), 6, 6);
  QFont cellFont = mono;
  cellFont.setPointSize(28);
  cellFont.setBold(true);
  painter.setFont(cellFont);
  painter.setPen(QColor(0x1d, 0x35, 0x57));
  painter.drawText(QRect(34, 40, 96, 64), Qt::AlignCenter, QStringLiteral("7F"));
  cellFont.setPointSize(16);
  painter.setFont(cellFont);
  painter.drawText(QRect(46, 112, 72, 40), Qt::AlignCenter, QStringLiteral("00"));

  QFont title = font();
  title.setPointSize(20);
  title.setBold(true);
  painter.setFont(title);
  painter.setPen(Qt::white);
  painter.drawText(QRect(30, 170, width() - 60, 40), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("EDID / DDC"));
  QFont subtitle = font();
  subtitle.setPointSize(12);
  painter.setFont(subtitle);
  painter.drawText(QRect(30, 208, width() - 60, 24), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("EnCoding and Decoding Program"));
  painter.setPen(QColor(0xc8, 0xd6, 0xe8));
  QFont small = font();
  small.setPointSize(9);
  painter.setFont(small);
  painter.drawText(QRect(30, 250, width() - 60, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Version %1  -  VESA EDID 1.1 / 1.2")
                       .arg(QCoreApplication::applicationVersion()));
  painter.setPen(QColor(255, 255, 255, 60));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace edid::gui
