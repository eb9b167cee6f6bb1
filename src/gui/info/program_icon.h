#pragma once
// The program's icon, drawn in code: a byte cell on a monitor, in the colours the
// decoding screen gives a field and its section.

#include <QIcon>

namespace edid::gui {

/// The program's icon at any size.
QIcon programIcon();

}  // namespace edid::gui
