#include "gui/screen/widget_mirror.h"

#include "core/common/text.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QSignalBlocker>

namespace edid::gui {

namespace {

// Remembers the colour last applied, so a refresh does not rebuild palettes.
constexpr const char* kColourProperty = "edidBackColour";

QColor rgb(std::uint32_t value) {
  return QColor(int((value >> 16) & 0xFF), int((value >> 8) & 0xFF), int(value & 0xFF));
}

}  // namespace

QString toQt(const std::string& text) {
  QString out;
  out.reserve(qsizetype(text.size()));
  for (const char c : text)
    out.append(QChar(char16_t(windows1252ToUnicode(static_cast<unsigned char>(c)))));
  return out;
}

std::string fromQt(const QString& text) {
  std::string out;
  out.reserve(std::size_t(text.size()));
  for (const QChar c : text) {
    const auto byte = unicodeToWindows1252(c.unicode());
    out += byte ? static_cast<char>(*byte) : '?';
  }
  return out;
}

QColor backColour(BackColour colour, const QPalette& palette) {
  switch (colour) {
    case BackColour::Section:
      return rgb(kSectionColourRgb);
    case BackColour::Field:
      return rgb(kFieldColourRgb);
    case BackColour::Normal:
      break;
  }
  return palette.color(QPalette::Base);
}

void mirrorVisible(QWidget* widget, bool visible) {
  if (widget->isHidden() == visible) widget->setHidden(!visible);
}

void mirrorBackColour(QWidget* widget, BackColour colour) {
  const QVariant last = widget->property(kColourProperty);
  if (last.isValid() && last.toInt() == int(colour)) return;
  widget->setProperty(kColourProperty, int(colour));
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, backColour(colour, QApplication::palette(widget)));
  widget->setPalette(palette);
}

void mirrorTextBox(QLineEdit* edit, const TextBox& box) {
  const QSignalBlocker blocker(edit);
  const QString text = toQt(box.text);
  // A box may show a decoded value longer than what may be typed into it; Qt
  // would cut such a text, so the limit never goes below the text's length.
  const int limit = box.maxLength > 0 ? std::max<int>(box.maxLength, int(text.size())) : 32767;
  if (edit->maxLength() != limit) edit->setMaxLength(limit);
  if (edit->text() != text) edit->setText(text);
  if (edit->isReadOnly() != box.locked) edit->setReadOnly(box.locked);
  mirrorVisible(edit, box.visible);
  mirrorBackColour(edit, box.backColour);
}

void prepareOpaqueLabel(QLabel* label) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, rgb(kFieldColourRgb));
  label->setPalette(palette);
  label->setAutoFillBackground(false);
}

void mirrorLabel(QLabel* label, const Label& model) {
  const QString caption = toQt(model.caption);
  if (label->text() != caption) label->setText(caption);
  if (label->autoFillBackground() != model.opaque) {
    label->setAutoFillBackground(model.opaque);
    label->update();
  }
  mirrorVisible(label, model.visible);
}

void mirrorFrame(QGroupBox* frame, const Frame& model) {
  const QString caption = toQt(model.caption);
  if (frame->title() != caption) frame->setTitle(caption);
  if (frame->isEnabled() != model.enabled) frame->setEnabled(model.enabled);
  mirrorVisible(frame, model.visible);
}

void mirrorCheckBox(QAbstractButton* box, const CheckBox& model) {
  const QSignalBlocker blocker(box);
  const QString caption = toQt(model.caption);
  if (box->text() != caption) box->setText(caption);
  if (box->isChecked() != model.value) box->setChecked(model.value);
  if (box->isEnabled() != model.enabled) box->setEnabled(model.enabled);
  mirrorVisible(box, model.visible);
}

void mirrorOptionButton(QAbstractButton* button, const OptionButton& model) {
  const QSignalBlocker blocker(button);
  const QString caption = toQt(model.caption);
  if (button->text() != caption) button->setText(caption);
  // Option buttons may all be unselected, which an exclusive group would refuse.
  const bool exclusive = button->autoExclusive();
  button->setAutoExclusive(false);
  if (button->isChecked() != model.value) button->setChecked(model.value);
  button->setAutoExclusive(exclusive);
  if (button->isEnabled() != model.enabled) button->setEnabled(model.enabled);
  mirrorVisible(button, model.visible);
}

}  // namespace edid::gui
