#include "gui/sections/button_controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>

namespace edid::gui {

QRadioButton* createOptionButton(QWidget* parent, const QString& name, ScreenBinder& binder,
                                 std::function<void(EdidScreen&)> select,
                                 std::function<void(EdidScreen&)> click) {
  auto* button = new QRadioButton(parent);
  button->setObjectName(name);
  // The model decides which options are on; Qt's exclusivity would fight it.
  button->setAutoExclusive(false);
  new FocusNoteBinding(button, binder);
  QObject::connect(button, &QRadioButton::clicked, button,
                   [&binder, select = std::move(select), click = std::move(click)] {
                     binder.forward([&](EdidScreen& screen) {
                       select(screen);
                       click(screen);
                     });
                   });
  return button;
}

QCheckBox* createCheckButton(QWidget* parent, const QString& name, ScreenBinder& binder,
                             std::function<void(EdidScreen&, bool)> store,
                             std::function<void(EdidScreen&)> click) {
  auto* box = new QCheckBox(parent);
  box->setObjectName(name);
  new FocusNoteBinding(box, binder);
  QObject::connect(box, &QCheckBox::clicked, box,
                   [&binder, store = std::move(store), click = std::move(click)](bool checked) {
                     binder.forward([&](EdidScreen& screen) {
                       store(screen, checked);
                       click(screen);
                     });
                   });
  return box;
}

QGroupBox* createSubFrame(QWidget* parent, const QString& name) {
  auto* frame = new QGroupBox(parent);
  frame->setObjectName(name);
  return frame;
}

}  // namespace edid::gui
