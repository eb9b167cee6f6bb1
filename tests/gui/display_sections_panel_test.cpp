// The basic display, chromaticity and standard timing frames: clicks and entries
// on the real widgets reach their editors and the cells. The EDID has byte 20 =
// 18, gamma byte 78, byte 28 = 56 and timing 1 = 81 40 (1280 x 960 at 60 Hz).
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "core/common/text.h"
#include "editor_fixture.h"

namespace edid::gui::test {
namespace {

using DisplaySectionsPanelTest = EditorTest;

TEST_F(DisplaySectionsPanelTest, ControlsWriteTheirBits) {
  loadCorpus(kCorpusId);
  modifyOn();

  clickCell(20);
  EXPECT_TRUE(child<QCheckBox>("Sync_3")->isChecked());
  EXPECT_TRUE(child<QCheckBox>("Sync_4")->isChecked());
  QTest::mouseClick(child<QCheckBox>("Sync_1"), Qt::LeftButton);
  EXPECT_EQ(cell(20)->text(), QStringLiteral("1A"));
  clickOption(child<QRadioButton>("VideoMode_1"));
  EXPECT_EQ(cell(20)->text(), QStringLiteral("80"));
  EXPECT_FALSE(child<QGroupBox>("Analog")->isEnabled());
  EXPECT_FALSE(child<QCheckBox>("Sync_3")->isChecked());
  EXPECT_FALSE(child<QRadioButton>("VideoMode_0")->isChecked());

  clickCell(23);
  QLineEdit* basicInput = child<QLineEdit>("BasicInput");
  EXPECT_EQ(basicInput->text(), QStringLiteral("2.20"));
  enter(basicInput, QStringLiteral("2,4"));
  EXPECT_EQ(cell(23)->text(), QStringLiteral("8C"));
  EXPECT_EQ(child<QRadioButton>("Basic_2")->text(), QStringLiteral("Gamma  2.40"));

  clickCell(40);
  clickOption(child<QRadioButton>("STAOptb_3"));
  EXPECT_EQ(cell(41)->text(), QStringLiteral("C0"));
  EXPECT_EQ(child<QRadioButton>("STOpt_1")->text(), QStringLiteral("1280 X 720 @60Hz"));
  EXPECT_TRUE(child<QRadioButton>("STAOptb_3")->isChecked());
  EXPECT_FALSE(child<QRadioButton>("STAOptb_1")->isChecked());
  clickOption(child<QRadioButton>("STAOpta_1"));
  enter(child<QLineEdit>("STAInput"), QStringLiteral("75"));
  EXPECT_EQ(cell(41)->text(), QStringLiteral("CF"));
  EXPECT_EQ(child<QLineEdit>("STAInput")->text(), QString());

  clickCell(28);
  EXPECT_TRUE(child<QRadioButton>("chkChroma_1")->isChecked());
  QLineEdit* chromaValue = child<QLineEdit>("ChromaValue");
  enter(chromaValue, QStringLiteral("x"));
  EXPECT_EQ(dialogs.messageTexts(), QStringList{"Not a number: x"});
  EXPECT_EQ(cell(28)->text(), QStringLiteral("56"));
  enter(chromaValue, QStringLiteral("0.5"));
  EXPECT_EQ(cell(28)->text(), QStringLiteral("80"));
  EXPECT_EQ(chromaValue->text(), QStringLiteral("0.500"));
  EXPECT_EQ(cell(127)->text(), QString::fromStdString(ByteToHex(model().image.correctChecksum())));
}

}  // namespace
}  // namespace edid::gui::test
