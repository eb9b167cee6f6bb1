#pragma once
// The Window menu's arrangements that QMdiArea lacks.

class QMdiArea;

namespace edid::gui {

/// "Tile Horizontal": the visible, non-minimised children one above another, each
/// as wide as the area.
void tileInRows(QMdiArea* area);
/// "Tile Vertical": the children side by side, each as tall as the area.
void tileInColumns(QMdiArea* area);
/// "Arrange Icons": the minimised children in a row along the bottom edge,
/// continuing in rows above when the area is too narrow.
void arrangeIcons(QMdiArea* area);

}  // namespace edid::gui
