// The EDID 1.4 widgets of the decoding screen through real clicks, on a real 1.4
// monitor (1953CCF64283: block 72 a serial number, block 90 range limits).
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "editor_fixture.h"

namespace edid::gui::test {
namespace {

class Edid14PanelTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    loadCorpus("1953CCF64283");
    modifyOn();
  }
};

TEST_F(Edid14PanelTest, TimingSupportF7AndF8ControlsWriteTheirBytes) {
  clickCell(100);
  EXPECT_TRUE(child<QCheckBox>("DTAGTF")->isHidden());
  clickOption(child<QRadioButton>("DTATiming_1"));
  EXPECT_EQ(cell(100)->text(), QStringLiteral("01"));
  EXPECT_TRUE(child<QRadioButton>("DTATiming_1")->isChecked());
  // Picking a timing support value leaves the block's type chosen.
  EXPECT_TRUE(child<QRadioButton>("DTa_2")->isChecked());

  clickCell(75);
  clickOption(child<QRadioButton>("DTa_8"));
  EXPECT_EQ(cell(75)->text(), QStringLiteral("F7"));
  EXPECT_TRUE(child<QGroupBox>("ET3Frame")->isVisible());
  QTest::mouseClick(child<QCheckBox>("ET3x_4"), Qt::LeftButton);  // 848 X 480 @ 60Hz
  EXPECT_EQ(cell(78)->text(), QStringLiteral("3F"));              // "7" (37) gains bit 3

  clickOption(child<QRadioButton>("DTa_9"));
  EXPECT_TRUE(child<QGroupBox>("CvtFrame")->isVisible());
  EXPECT_FALSE(child<QRadioButton>("CvtAspect_2")->isEnabled());  // no code chosen yet
  clickCell(81);  // the second code's first byte chooses it
  EXPECT_TRUE(child<QRadioButton>("CvtOpt_1")->isChecked());
  enter(child<QLineEdit>("CvtInput"), QStringLiteral("1200"));
  EXPECT_EQ(cell(81)->text(), QStringLiteral("57"));
  clickOption(child<QRadioButton>("CvtAspect_2"));
  EXPECT_EQ(child<QRadioButton>("CvtOpt_1")->text().left(19),
            QStringLiteral("1920 X 1200 (16:10)"));
  EXPECT_TRUE(child<QRadioButton>("CvtOpt_1")->isChecked());
}

TEST_F(Edid14PanelTest, DigitalDepthAndInterfaceReplaceTheSyncLevels) {
  clickCell(20);  // 68: analog, so the hidden depth options write nothing
  QTest::mouseClick(child<QRadioButton>("ColorDepth_2"), Qt::LeftButton);
  EXPECT_EQ(cell(20)->text(), QStringLiteral("68"));

  loadCorpus("15D74971BE86");  // digital: the depth and interface (rows of gui_controls.txt)
  clickCell(20);
  EXPECT_TRUE(child<QGroupBox>("Analog")->isHidden());
}

}  // namespace
}  // namespace edid::gui::test
