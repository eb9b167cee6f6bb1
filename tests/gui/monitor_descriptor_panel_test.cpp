// The monitor descriptor frames through the real widgets: typing into DTaInput,
// clicking the type, range limit, GTF and white point controls, and the FA frame.
// The EDID is a real monitor's: block 90 range limits, block 108 the name TFT1780.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "core/common/text.h"
#include "editor_fixture.h"

namespace edid::gui::test {
namespace {

class MonitorDescriptorPanelTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    loadCorpus("1953CCF64283");
    modifyOn();
  }
  // Rewrites block 72 and decodes the image again, as opening such a file does.
  void putBlock72(const std::vector<int>& bytes) {
    Image image = model().image;
    for (std::size_t i = 0; i < bytes.size(); ++i)
      image.setByte(72 + static_cast<int>(i), bytes[i]);
    image.setByte(kChecksumByte, image.correctChecksum());
    model().document.load(image);
    model().BuildEDIDDefinations();
    window->sync();
  }
  bool checksumValid() { return model().image.checksumTest() == 0; }
};

TEST_F(MonitorDescriptorPanelTest, TheNameAndTheRangeLimitsAreEditedInTheirBox) {
  clickCell(110);
  EXPECT_EQ(visibleFrames(), std::vector<int>{11});
  QLineEdit* input = child<QLineEdit>("DTaInput");
  EXPECT_EQ(input->text(), QStringLiteral("TFT1780"));
  EXPECT_TRUE(child<QRadioButton>("DTa_3")->isChecked());
  enter(input, QStringLiteral("NEW NAME"));
  EXPECT_EQ(cell(113)->text(), QStringLiteral("4E"));
  EXPECT_EQ(cell(121)->text(), QStringLiteral("0A"));
  EXPECT_TRUE(checksumValid());
  EXPECT_EQ(cell(127)->text(), QString::fromStdString(model().image.cell(127)));

  // Read as EDID 1.3: rates up to 255 and the GTF box.
  Image image = model().image;
  image.setByte(19, 3);
  image.setByte(kChecksumByte, image.correctChecksum());
  model().document.load(image);
  model().BuildEDIDDefinations();
  window->sync();
  clickCell(95);
  EXPECT_TRUE(child<QGroupBox>("DTAFrame_0")->isVisible());
  EXPECT_FALSE(child<QGroupBox>("DTAFrame_1")->isVisible());
  clickOption(child<QRadioButton>("DtaOpt_3"));
  EXPECT_TRUE(child<QRadioButton>("DtaOpt_3")->isChecked());
  enter(child<QLineEdit>("DTaInput"), QStringLiteral("256"));
  EXPECT_EQ(dialogs.messageTexts(), QStringList{"Value entered must be between 0 - 255"});
  EXPECT_EQ(cell(98)->text(), QStringLiteral("53"));
  enter(child<QLineEdit>("DTaInput"), QStringLiteral("96"));
  EXPECT_EQ(cell(98)->text(), QStringLiteral("60"));
  EXPECT_EQ(child<QRadioButton>("DtaOpt_3")->text(), QStringLiteral("Max Horiz. Freq - 96 KHz"));

  QCheckBox* gtf = child<QCheckBox>("DTAGTF");
  EXPECT_FALSE(gtf->isChecked());
  QTest::mouseClick(gtf, Qt::LeftButton);
  EXPECT_EQ(cell(100)->text(), QStringLiteral("02"));  // a secondary curve; 01 is reserved
  EXPECT_FALSE(cell(104)->isReadOnly());
  EXPECT_TRUE(checksumValid());
}

TEST_F(MonitorDescriptorPanelTest, TypeColourPointsAndWhitePointSwitches) {
  clickCell(75);  // the serial number's tag
  clickOption(child<QRadioButton>("DTa_4"));
  EXPECT_EQ(cell(75)->text(), QStringLiteral("FB"));
  EXPECT_TRUE(child<QGroupBox>("DTAFrame_1")->isVisible());
  EXPECT_TRUE(checksumValid());

  putBlock72({0, 0, 0, 0xFB, 0, 0x01, 0x05, 0x50, 0x54, 0x78, 0, 0, 0, 0, 0, 0x0A, 0x20, 0x20});
  clickCell(79);  // x of point #1
  EXPECT_TRUE(child<QRadioButton>("DtaOptWhite_0")->isChecked());
  EXPECT_EQ(child<QLineEdit>("DTaInput")->text(), QStringLiteral("0.313"));
  EXPECT_TRUE(child<QLabel>("NotUsed_1")->isVisible());
  EXPECT_FALSE(child<QRadioButton>("DtaOptWhite_3")->isVisible());

  QTest::mouseClick(child<QCheckBox>("Windex_1"), Qt::LeftButton);
  EXPECT_EQ(cell(82)->text(), QStringLiteral("02"));
  EXPECT_TRUE(child<QRadioButton>("DtaOptWhite_3")->isVisible());
  EXPECT_TRUE(child<QRadioButton>("DtaOptWhite_3")->isChecked());
  EXPECT_FALSE(child<QLabel>("NotUsed_1")->isVisible());
  EXPECT_TRUE(checksumValid());
}

TEST_F(MonitorDescriptorPanelTest, TheExtraTimingsFrame) {
  putBlock72({0, 0, 0, 0xFA, 0, 0x61, 0x4F, 0x81, 0x80, 1, 1, 1, 1, 1, 1, 1, 1, 0x0A});
  clickCell(79);
  EXPECT_EQ(visibleFrames(), std::vector<int>{12});
  EXPECT_EQ(child<QRadioButton>("ExtSTOpt_0")->text(), QStringLiteral("1024 X 768 @75Hz"));
  EXPECT_TRUE(child<QRadioButton>("ExtSTOpt_1")->isChecked());
  EXPECT_TRUE(child<QRadioButton>("ExtSTAOptb_2")->isChecked());

  clickOption(child<QRadioButton>("ExtSTAOptb_3"));
  EXPECT_EQ(cell(80)->text(), QStringLiteral("C0"));
  enter(child<QLineEdit>("ExtStaInput"), QStringLiteral("1920"));
  EXPECT_EQ(cell(79)->text(), QStringLiteral("D1"));
  EXPECT_EQ(child<QRadioButton>("ExtSTOpt_1")->text(), QStringLiteral("1920 X 1080 @60Hz"));
  EXPECT_TRUE(checksumValid());

  clickOption(child<QRadioButton>("ExtSTOpt_6"));
  EXPECT_EQ(cell(75)->text(), QStringLiteral("FF"));
  EXPECT_EQ(visibleFrames(), std::vector<int>{11});
}

}  // namespace
}  // namespace edid::gui::test
