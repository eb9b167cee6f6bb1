#pragma once
// "Generate..." of an 18-byte block's frame: the timing generator opened on the
// selected block, its OK handed to the screen model.

#include <QString>

#include "gui/sections/section_panel.h"

class QPushButton;
class QWidget;

namespace edid::gui {

/// The button named name. A click opens the generator with the block's start values
/// and, on OK, lets the model write the timing into the block.
QPushButton* createGenerateButton(QWidget* parent, const QString& name, ScreenBinder& binder);
/// Copies the model's "Generate..." control onto button.
void mirrorGenerateButton(QPushButton* button, const EdidScreen& screen);

}  // namespace edid::gui
