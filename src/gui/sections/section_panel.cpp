#include "gui/sections/section_panel.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "gui/screen/widget_mirror.h"

namespace edid::gui {

bool isUserFocusChange(const QEvent* event) {
  const auto reason = static_cast<const QFocusEvent*>(event)->reason();
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
         reason != Qt::MenuBarFocusReason;
}

namespace {
constexpr const char* kSelectOnRelease = "edidSelectOnRelease";
constexpr const char* kFrameNumber = "edidFrameNumber";
}  // namespace

void selectAllOnFocus(QLineEdit* edit, const QEvent* focusEvent) {
  edit->selectAll();
  if (static_cast<const QFocusEvent*>(focusEvent)->reason() == Qt::MouseFocusReason)
    edit->setProperty(kSelectOnRelease, true);
}

void trackSelectAll(QLineEdit* edit, const QEvent* event) {
  if (event->type() != QEvent::MouseButtonRelease || !edit->property(kSelectOnRelease).toBool())
    return;
  edit->setProperty(kSelectOnRelease, false);
  edit->selectAll();
}

QGroupBox* createSectionFrame(int index, QWidget* parent) {
  auto* frame = new QGroupBox(parent);
  frame->setObjectName(QStringLiteral("Hints_%1").arg(index));
  frame->setProperty(kFrameNumber, index);
  frame->hide();
  return frame;
}

int frameNumber(const QGroupBox* frame) {
  return frame->property(kFrameNumber).toInt();
}

FocusNoteBinding::FocusNoteBinding(QWidget* widget, ScreenBinder& binder, FocusControl control)
    : QObject(widget), m_binder(binder), m_control(control) {
  widget->installEventFilter(this);
}

bool FocusNoteBinding::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::FocusIn && !m_binder.applyingFocus() && isUserFocusChange(event)) {
    const auto control = m_control;
    m_binder.forward([control](EdidScreen& screen) { screen.noteFocus(control); });
  }
  return false;
}

InputBoxBinding::InputBoxBinding(QLineEdit* edit, ScreenBinder& binder, InputBoxHandlers handlers)
    : QObject(edit), m_edit(edit), m_binder(binder), m_handlers(std::move(handlers)) {
  edit->installEventFilter(this);
}

int InputBoxBinding::keyCode(int qtKey) {
  if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter) return 13;
  if (qtKey == Qt::Key_Backspace) return 8;
  if (qtKey == Qt::Key_Tab) return 9;
  if (qtKey == Qt::Key_Escape) return 27;
  return qtKey < 128 ? qtKey : 0;
}

void InputBoxBinding::pushText(EdidScreen& screen) {
  if (m_handlers.box) m_handlers.box(screen).text = fromQt(m_edit->text());
}

bool InputBoxBinding::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_edit || !m_binder.model()) return false;
  switch (event->type()) {
    case QEvent::FocusIn: {
      m_pressed.clear();
      if (m_binder.applyingFocus() || !isUserFocusChange(event)) break;
      const auto control = m_handlers.control;
      m_binder.forward([control](EdidScreen& screen) { screen.noteFocus(control); });
      selectAllOnFocus(m_edit, event);
      break;
    }
    case QEvent::MouseButtonRelease: {
      trackSelectAll(m_edit, event);
      break;
    }
    case QEvent::FocusOut:
      if (auto* screen = m_binder.model()) pushText(*screen);
      break;
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (!m_resending) m_pressed.press(key->key());
      if (m_resending || !m_handlers.keyPress || key->text().size() != 1) break;
      const char16_t code = key->text().at(0).unicode();
      if (code == 0 || code == 127 || code > 255) break;
      const char typed = char(code);
      char entered = typed;
      bool accepted = true;
      m_binder.forward([&](EdidScreen& screen) {
        pushText(screen);
        accepted = m_handlers.keyPress(screen, entered);
      });
      if (!accepted) return true;
      if (entered != typed) {
        QKeyEvent replaced(key->type(), key->key(), key->modifiers(),
                           QString(QChar(char16_t(static_cast<unsigned char>(entered)))),
                           key->isAutoRepeat(), key->count());
        m_resending = true;
        QCoreApplication::sendEvent(m_edit, &replaced);
        m_resending = false;
        return true;
      }
      break;
    }
    case QEvent::KeyRelease: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->isAutoRepeat() || !m_pressed.release(key->key())) break;
      const int code = keyCode(key->key());
      m_binder.forward([&](EdidScreen& screen) {
        pushText(screen);
        if (m_handlers.keyUp) m_handlers.keyUp(screen, code);
      });
      break;
    }
    default:
      break;
  }
  return false;
}

}  // namespace edid::gui
