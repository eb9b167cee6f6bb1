#include "gui/timing/generate_button.h"

#include <QPushButton>

#include "core/screen/detailed_timing_screen.h"
#include "gui/screen/widget_mirror.h"
#include "gui/timing/timing_generator_dialog.h"

namespace edid::gui {

QPushButton* createGenerateButton(QWidget* parent, const QString& name, ScreenBinder& binder) {
  auto* button = new QPushButton(parent);
  button->setObjectName(name);
  new FocusNoteBinding(button, binder);
  QObject::connect(button, &QPushButton::clicked, button, [button, &binder] {
    EdidScreen* screen = binder.model();
    // "Modify EDID" may have gone off since the block was focused.
    if (!screen || !screen->common().ModifyMode ||
        !screen->section<DetailedTimingScreen>().GenerateTiming.enabled)
      return;
    TimingGeneratorDialog dialog(button->window());
    dialog.setStart(screen->section<DetailedTimingScreen>().generatorStart());
    if (dialog.exec() != QDialog::Accepted || !dialog.timing()) return;
    const timing::Timing made = *dialog.timing();
    const bool keep = dialog.keepImageSize();
    binder.forward([&made, keep](EdidScreen& s) {
      s.section<DetailedTimingScreen>().GenerateTiming_Accept(made, keep);
    });
  });
  return button;
}

void mirrorGenerateButton(QPushButton* button, const EdidScreen& screen) {
  const Button& model = screen.section<DetailedTimingScreen>().GenerateTiming;
  const QString caption = toQt(model.caption);
  if (button->text() != caption) button->setText(caption);
  if (button->isEnabled() != model.enabled) button->setEnabled(model.enabled);
  mirrorVisible(button, model.visible);
}

}  // namespace edid::gui
