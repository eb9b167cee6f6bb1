#include "gui/shell/mdi_arrange.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace edid::gui {

namespace {

QList<QMdiSubWindow*> tiledWindows(QMdiArea* area) {
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* window : area->subWindowList(QMdiArea::CreationOrder)) {
    if (!window->isHidden() && !window->isMinimized()) windows.append(window);
  }
  return windows;
}

void tile(QMdiArea* area, bool rows) {
  const QList<QMdiSubWindow*> windows = tiledWindows(area);
  if (windows.isEmpty()) return;
  const QRect space = area->viewport()->rect();
  const int n = int(windows.size());
  for (int i = 0; i < n; ++i) {
    QMdiSubWindow* window = windows[i];
    if (window->isMaximized()) window->showNormal();
    if (rows) {
      const int top = space.height() * i / n;
      const int bottom = space.height() * (i + 1) / n;
      window->setGeometry(0, top, space.width(), bottom - top);
    } else {
      const int left = space.width() * i / n;
      const int right = space.width() * (i + 1) / n;
      window->setGeometry(left, 0, right - left, space.height());
    }
  }
}

}  // namespace

void tileInRows(QMdiArea* area) {
  tile(area, true);
}

void tileInColumns(QMdiArea* area) {
  tile(area, false);
}

void arrangeIcons(QMdiArea* area) {
  const QRect space = area->viewport()->rect();
  int x = 0;
  int bottom = space.height();
  int rowHeight = 0;
  for (QMdiSubWindow* window : area->subWindowList(QMdiArea::CreationOrder)) {
    if (window->isHidden() || !window->isMinimized()) continue;
    const QSize size = window->size();
    if (x > 0 && x + size.width() > space.width()) {
      x = 0;
      bottom -= rowHeight;
      rowHeight = 0;
    }
    window->move(x, bottom - size.height());
    x += size.width();
    rowHeight = std::max(rowHeight, size.height());
  }
}

}  // namespace edid::gui
