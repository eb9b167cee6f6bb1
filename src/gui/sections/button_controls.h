#pragma once
// Option buttons and check boxes bound to a handler of the screen model. The click
// (a user action, never a refresh from the model) hands the new state to the model
// first, as the toolkit does before it raises Click, then runs the handler.

#include <QString>
#include <functional>

#include "gui/sections/section_panel.h"

class QCheckBox;
class QGroupBox;
class QRadioButton;
class QWidget;

namespace edid::gui {

/// An option button named name; a click selects the model's option through select
/// and then runs click.
QRadioButton* createOptionButton(QWidget* parent, const QString& name, ScreenBinder& binder,
                                 std::function<void(EdidScreen&)> select,
                                 std::function<void(EdidScreen&)> click);
/// A check box named name; a click stores the new state through store and then runs click.
QCheckBox* createCheckButton(QWidget* parent, const QString& name, ScreenBinder& binder,
                             std::function<void(EdidScreen&, bool)> store,
                             std::function<void(EdidScreen&)> click);

/// A plain group box named name, for a frame inside a section's frame.
QGroupBox* createSubFrame(QWidget* parent, const QString& name);

}  // namespace edid::gui
