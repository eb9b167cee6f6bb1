// The timing generator dialog driven through its controls: a CVT-RB2 timing whose
// 18 bytes were worked out by hand, with the image size kept, and a refused timing.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "gui/timing/timing_generator_dialog.h"

namespace edid::gui::test {
namespace {

template <typename T>
T* child(QWidget& parent, const char* name) {
  T* w = parent.findChild<T*>(QLatin1String(name));
  EXPECT_NE(w, nullptr) << name;
  return w;
}

void typeInto(QAbstractSpinBox* box, const QString& text) {
  box->selectAll();
  QTest::keyClicks(box, text);
  QTest::keyClick(box, Qt::Key_Tab);
}

TEST(TimingGeneratorDialogTest, MakesTheBytesPreviewsThemAndRefusesWhatDoesNotFit) {
  TimingGeneratorDialog dialog;
  dialog.setImageSize(600, 340);  // 0x258 x 0x154
  dialog.show();
  auto* method = child<QComboBox>(dialog, "cboMethod");
  auto* ok = child<QPushButton>(dialog, "cmdOK");
  auto* preview = child<QPlainTextEdit>(dialog, "txtPreview");
  auto* frequencies = child<QLabel>(dialog, "lblFrequencies");

  method->setCurrentIndex(TimingGeneratorDialog::CvtRb2);
  typeInto(child<QSpinBox>(dialog, "txtWidth"), QStringLiteral("1920"));
  typeInto(child<QSpinBox>(dialog, "txtHeight"), QStringLiteral("1080"));
  typeInto(child<QDoubleSpinBox>(dialog, "txtRefresh"), QStringLiteral("60"));
  // 133.32 MHz = 0x3414; 1920 + 80, 1080 + 31; 8/32 and 17/8; 600 x 340 mm; +H -V.
  const timing::Descriptor expected = {0x14, 0x34, 0x80, 0x50, 0x70, 0x38, 0x1F, 0x40, 0x08,
                                       0x20, 0x18, 0x04, 0x58, 0x54, 0x21, 0x00, 0x00, 0x1A};
  ASSERT_TRUE(dialog.descriptor().ok()) << dialog.descriptor().error();
  EXPECT_EQ(*dialog.descriptor(), expected);
  EXPECT_TRUE(ok->isEnabled());
  EXPECT_TRUE(preview->toPlainText().contains(QStringLiteral("Pixel Clock: 133.32 MHz")));
  EXPECT_EQ(frequencies->text(), QStringLiteral("CVT-RB2 1920x1080@60\nPixel clock 133.320 MHz, "
                                                "horizontal 66.660 kHz, vertical 60.000 Hz"));

  // 7680x4320 at 60 Hz on standard CVT needs more than 655.35 MHz.
  method->setCurrentIndex(TimingGeneratorDialog::Cvt);
  typeInto(child<QSpinBox>(dialog, "txtWidth"), QStringLiteral("7680"));
  typeInto(child<QSpinBox>(dialog, "txtHeight"), QStringLiteral("4320"));
  EXPECT_FALSE(ok->isEnabled());
  EXPECT_TRUE(preview->toPlainText().contains(QStringLiteral("above 655.35 MHz")));
}

}  // namespace
}  // namespace edid::gui::test
