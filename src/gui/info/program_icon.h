#pragma once
// The program's icon: a monitor showing the byte grid with one cell in focus,
// the same pictures the installed menu entry shows.

#include <QIcon>

namespace edid::gui {

/// The program's icon at any size.
QIcon programIcon();

}  // namespace edid::gui
