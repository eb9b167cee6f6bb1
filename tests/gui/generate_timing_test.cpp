// "Generate..." on a detailed timing's frame through the real widgets: the dialog
// opens on the block's timing, OK writes CVT-RB 1920x1080@75 (the reference decoder's
// --cvt w=1920,h=1080,fps=75,rb=1, worked into bytes by hand) and one Undo takes it back.
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QRadioButton>
#include <QSpinBox>

#include "core/common/text.h"
#include "editor_fixture.h"
#include "gui/timing/timing_generator_dialog.h"

namespace edid::gui::test {
namespace {

using GenerateTimingTest = EditorTest;

TEST_F(GenerateTimingTest, OkReplacesTheBlockInOneUndoStep) {
  // Block 0 of FA6E41896752: 1920x1080 at 60 Hz, 477 x 268 mm.
  loadCorpus("FA6E41896752");
  clickCell(54);
  EXPECT_FALSE(child<QPushButton>("cmdGenerateTiming")->isEnabled());
  modifyOn();
  clickCell(54);
  const QStringList before = cellTexts();

  QString started;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TimingGeneratorDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* refresh = dialog->findChild<QDoubleSpinBox*>(QStringLiteral("txtRefresh"));
    started = QStringLiteral("%1x%2@%3")
                  .arg(dialog->findChild<QSpinBox*>(QStringLiteral("txtWidth"))->value())
                  .arg(dialog->findChild<QSpinBox*>(QStringLiteral("txtHeight"))->value())
                  .arg(refresh->value());
    dialog->findChild<QComboBox*>(QStringLiteral("cboMethod"))
        ->setCurrentIndex(TimingGeneratorDialog::CvtRb);
    refresh->selectAll();
    QTest::keyClicks(refresh, QStringLiteral("75"));
    QTest::keyClick(refresh, Qt::Key_Tab);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
  });
  QTest::mouseClick(child<QPushButton>("cmdGenerateTiming"), Qt::LeftButton);
  EXPECT_EQ(started, QStringLiteral("1920x1080@60"));

  // 174.5 MHz = 0x442A; 1920 + 160 (48/32/80), 1080 + 39 (3/5/31); 477 x 268 mm kept;
  // digital separate +H -V.
  const QStringList generated =
      QStringLiteral("2A 44 80 A0 70 38 27 40 30 20 35 00 DD 0C 11 00 00 1A")
          .split(QLatin1Char(' '));
  EXPECT_EQ(cellTexts().mid(54, 18), generated);
  EXPECT_EQ(cell(127)->text(), QString::fromStdString(ByteToHex(model().image.correctChecksum())));
  EXPECT_EQ(child<QRadioButton>("DT_0")->text(), QStringLiteral("Pixel Clock - 174.50 MHz"));
  EXPECT_EQ(action("mnuEditUndo")->text(), QStringLiteral("&Undo Generate Timing"));

  trigger("mnuEditUndo");
  EXPECT_EQ(cellTexts(), before);
  EXPECT_EQ(action("mnuEditUndo")->text(), QStringLiteral("&Undo"));
}

}  // namespace
}  // namespace edid::gui::test
