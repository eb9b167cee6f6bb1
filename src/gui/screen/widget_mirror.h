#pragma once
// Copies the core's plain control structs onto Qt widgets. Every setter only
// touches the widget when the value differs, so a refresh keeps the caret and
// selection of the box being typed in, and signals stay blocked while it copies.

#include <QColor>
#include <QString>
#include <string>

#include "core/screen/controls.h"

class QAbstractButton;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPalette;
class QWidget;

namespace edid::gui {

/// Core text (Windows-1252 bytes) to Qt; the five undefined codes show as U+FFFD.
QString toQt(const std::string& text);
/// Qt text to core text (Windows-1252); characters it cannot hold become "?".
std::string fromQt(const QString& text);

/// The colour of a cell or label background; Normal is the palette's base.
QColor backColour(BackColour colour, const QPalette& palette);

/// Shows or hides a widget without forcing a hidden parent to show.
void mirrorVisible(QWidget* widget, bool visible);
/// Text, read-only state, maximum length, visibility and background of a box.
void mirrorTextBox(QLineEdit* edit, const TextBox& box);
/// Caption, visibility and background of a label; opaque labels fill their background.
void mirrorLabel(QLabel* label, const Label& model);
/// Caption, visibility and enabled state of a frame.
void mirrorFrame(QGroupBox* frame, const Frame& model);
/// Caption, check state, visibility and enabled state of a check box.
void mirrorCheckBox(QAbstractButton* box, const CheckBox& model);
/// Caption, selection, visibility and enabled state of an option button.
void mirrorOptionButton(QAbstractButton* button, const OptionButton& model);
/// Sets the base colour of a box when it changed.
void mirrorBackColour(QWidget* widget, BackColour colour);

/// Gives a label the fill colour that marks it as the selected field.
void prepareOpaqueLabel(QLabel* label);

}  // namespace edid::gui
