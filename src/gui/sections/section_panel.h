#pragma once
// What every section frame of the decoding screen shares: the binder through
// which it forwards user events to the screen model, the panel interface that
// mirrors the model onto its widgets, and the binding of a section's input box.

#include <QObject>
#include <QSet>
#include <functional>
#include <vector>

#include "core/screen/edid_screen.h"

class QEvent;
class QGroupBox;
class QLineEdit;

namespace edid::gui {

/// The decoding screen widget as its sections see it.
class ScreenBinder {
 public:
  virtual ~ScreenBinder() = default;
  /// The screen model, or nullptr once the screen has been closed.
  virtual EdidScreen* model() = 0;
  /// Runs a handler on the model, then mirrors the whole model onto the widgets
  /// and applies the focus move the model asked for. Does nothing without a model.
  virtual void forward(const std::function<void(EdidScreen&)>& handler) = 0;
  /// True while the editor itself moves the focus (focus events are not user events then).
  virtual bool applyingFocus() const = 0;
};

/// The frames of one section object's Hints, in its order, as the panel fills them.
using PanelFrames = std::vector<QGroupBox*>;

/// The widgets of one section object's frames.
class SectionPanel {
 public:
  virtual ~SectionPanel() = default;
  /// Copies the section's controls from the model onto the widgets.
  virtual void mirror(const EdidScreen& screen) = 0;
};

/// True for focus changes the user made inside the window (mouse, keyboard, code),
/// false for those that only follow a window, menu or popup being activated.
bool isUserFocusChange(const QEvent* event);

/// Selects the whole text of a box that just got the focus. A mouse click places
/// the caret after the focus event, so then the text is selected again when the
/// button is released; call trackSelectAll from the box's event filter for that.
void selectAllOnFocus(QLineEdit* edit, const QEvent* focusEvent);
/// Completes selectAllOnFocus for a focus that came with a mouse click.
void trackSelectAll(QLineEdit* edit, const QEvent* event);

/// The keys whose press reached one box and that are still down. A key release
/// counts only when its press came to the same box: the release of the Enter that
/// dismissed a message box lands in the box that had the focus before it.
class PressedKeys {
 public:
  void press(int key) { m_keys.insert(key); }
  /// True when the press of key reached the box; forgets the key.
  bool release(int key) { return m_keys.remove(key); }
  void clear() { m_keys.clear(); }

 private:
  QSet<int> m_keys;
};

/// How a section's input box talks to the model.
struct InputBoxHandlers {
  /// The control the model is told has the focus when the box gets it.
  FocusControl control = FocusControl::Other;
  /// The model's box that receives the typed text.
  std::function<TextBox&(EdidScreen&)> box;
  /// Filters a typed character; returning false discards the key. Optional.
  std::function<bool(EdidScreen&, char&)> keyPress;
  /// Runs on every key release with the key code (13 for Enter). Optional.
  std::function<void(EdidScreen&, int)> keyUp;
};

/// Forwards an input box's focus and key events to the model: focus-in tells the
/// model and selects the text; key press goes through the filter; key release
/// pushes the text into the model and runs the key-up handler (only for a key
/// whose press reached this box).
class InputBoxBinding : public QObject {
  Q_OBJECT
 public:
  /// Binds edit to the model through binder; the binding is owned by edit.
  InputBoxBinding(QLineEdit* edit, ScreenBinder& binder, InputBoxHandlers handlers);

  /// The key code a key release reports to the model: 13 for Return and Enter.
  static int keyCode(int qtKey);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void pushText(EdidScreen& screen);

  QLineEdit* m_edit;
  ScreenBinder& m_binder;
  InputBoxHandlers m_handlers;
  bool m_resending = false;
  PressedKeys m_pressed;
};

/// Tells the model which control took the focus when the user moves it to widget
/// (check boxes, option buttons and other controls without a handler of their own).
class FocusNoteBinding : public QObject {
  Q_OBJECT
 public:
  /// Watches widget; the binding is owned by widget.
  FocusNoteBinding(QWidget* widget, ScreenBinder& binder,
                   FocusControl control = FocusControl::Other);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ScreenBinder& m_binder;
  FocusControl m_control;
};

/// Creates a frame Hints_<index> for a section.
QGroupBox* createSectionFrame(int index, QWidget* parent);
/// The index of a frame made by createSectionFrame.
int frameNumber(const QGroupBox* frame);

}  // namespace edid::gui
