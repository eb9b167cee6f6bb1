// The section controls through the real widgets, as table rows: the focused cell,
// the widget and what is done with it -> the cells the grid shows afterwards (the
// checksum always follows) or the message of a refusal, which changes no cell. The
// editors' edge cases belong to the core tests; these rows check the wiring, over
// every index a control serves where it has several.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <sstream>

#include "core/common/text.h"
#include "editor_fixture.h"
#include "gui/calculator/hex_calculator_window.h"

namespace edid::gui::test {
namespace {

enum class Do { Click, Option, Enter, DoubleClick };

// 000CCAC2C577: byte 20 18, 23 78 (gamma 2.20), 25 1F, 28 56, timing 1 at 40 = 81 40.
constexpr const char* kIdentified = "000CCAC2C577";
// Block 54: 1920 x 1080, 148.50 MHz, flags 1E (digital separate, both +).
constexpr const char* kDigital = "FA6E41896752";
// Block 90 range limits (max horizontal 83 kHz at 98), 108 the name TFT1780.
constexpr const char* kDescriptors = "1953CCF64283";
// kDescriptors with block 72 rewritten: point #1 0.313/0.329/2.20 only; or extra
// timings 1024x768@75 and 1280x1024@60 (61 4F 81 80).
constexpr const char* kColourPoint = "point";
constexpr const char* kExtraTimings = "extra";

struct Row {
  const char* image;
  int cell;
  const char* widget;
  Do act;
  const char* text;
  const char* expected;  // "C=XX", "A-B=XX" cells shown afterwards; "! message" refused
};

// Worked by hand from the VESA layout and the bytes above.
const Row kRows[] = {
    {kIdentified, 8, "VendorInfo", Do::Enter, "ABC", "8=04 9=43"},  // 0 00001 00010 00011
    {kIdentified, 16, "VendorInfo", Do::Enter, "53", "! Max value is 52"},
    {kIdentified, 19, "VerRev", Do::Enter, "4", "19=04"},
    {kIdentified, 20, "Sync_1", Do::Click, nullptr, "20=1A"},  // sync on green: bit 1
    {kIdentified, 20, "VideoMode_1", Do::Option, nullptr, "20=80"},
    {kIdentified, 23, "BasicInput", Do::Enter, "2,4", "23=8C"},  // 2.40 * 100 - 100
    {kIdentified, 28, "ChromaValue", Do::Enter, "x", "! Not a number: x"},
    {kIdentified, 28, "ChromaValue", Do::Enter, "0.5", "25=0F 28=80"},  // red y 512: low pair 00
    {kIdentified, 40, "STAOptb_3", Do::Option, nullptr, "41=C0"},       // 16:9 is 11
    {kIdentified, 40, "STAInput", Do::Enter, "1920", "40=D1"},          // 1920 / 8 - 31
    {kDigital, 56, "DTInput", Do::Enter, "2560", "56=00 58=A1"},  // 0xA00, blanking nibble kept
    {kDigital, 56, "DTInput", Do::Enter, "4096", "! Invalid Value"},
    {kDigital, 54, "DTInput", Do::Enter, "abc", "! Not a number: abc"},
    // Flags 1E: bit 7 interlace, 6-5 and 0 stereo, 4-3 sync type, 2-1 polarities.
    {kDigital, 71, "DT1", Do::Option, nullptr, "71=9E"},
    {kDigital, 71, "DTStereo_4", Do::Option, nullptr, "71=7E"},  // 4-way: 110
    {kDigital, 71, "DTSync_0", Do::Option, nullptr, "71=06"},
    {kDigital, 71, "SyncLine", Do::Click, nullptr, "71=1C"},
    {kDigital, 71, "VSyncLine", Do::Click, nullptr, "71=1A"},
    {kDigital, 71, "Hints_10", Do::DoubleClick, nullptr, "54-71=00 57=FF"},  // empty, tag FF
    // "NEW NAME", its end mark and padding from byte 5 of block 108.
    {kDescriptors, 110, "DTaInput", Do::Enter, "NEW NAME",
     "113=4E 114=45 115=57 116=20 117=4E 118=41 119=4D 120=45 121=0A 122-125=20"},
    {kDescriptors, 98, "DTaInput", Do::Enter, "96", "98=60"},
    // EDID 1.4: 256 kHz is 1 plus the offset of bits 3-2 of byte 4 = 10 (maximum).
    {kDescriptors, 98, "DTaInput", Do::Enter, "256", "94=08 98=01"},
    {kDescriptors, 98, "DTaInput", Do::Enter, "511", "! Value entered must be between 0 - 510"},
    // Byte 10 01: range limits only; the padding after it is already 0A 20 ...
    {kDescriptors, 95, "DTATiming_1", Do::Option, nullptr, "100=01"},
    {kDescriptors, 75, "DTa_4", Do::Option, nullptr, "75=FB 76=00"},
    {kColourPoint, 81, "DTaInput", Do::Enter, "2,4", "81=8C"},
    {kColourPoint, 79, "Windex_1", Do::Click, nullptr, "82=02"},
    {kExtraTimings, 79, "ExtSTAOptb_3", Do::Option, nullptr, "80=C0"},
    {kExtraTimings, 79, "ExtStaInput", Do::Enter, "1920", "79=D1"},
    {kExtraTimings, 79, "ExtSTOpt_6", Do::Option, nullptr, "75=FF"},  // back to a serial number
};

class ControlsTable : public EditorTest {
 protected:
  void load(const std::string& name) {
    const bool variant = name == kColourPoint || name == kExtraTimings;
    loadCorpus(variant ? kDescriptors : name);
    if (!program().common().ModifyMode) modifyOn();
    if (!variant) return;
    const std::vector<int> block = name == kColourPoint
                                       ? std::vector<int>{0,    0, 0, 0xFB, 0, 1, 0x05, 0x50, 0x54,
                                                          0x78, 0, 0, 0,    0, 0, 0x0A, 0x20, 0x20}
                                       : std::vector<int>{0, 0, 0, 0xFA, 0, 0x61, 0x4F, 0x81, 0x80,
                                                          1, 1, 1, 1,    1, 1,    1,    1,    0x0A};
    Image image = model().image;
    for (std::size_t i = 0; i < block.size(); ++i)
      image.setByte(72 + static_cast<int>(i), block[i]);
    image.setByte(kChecksumByte, image.correctChecksum());
    model().document.load(image);
    model().BuildEDIDDefinations();
    program().common().markSaved(model().image);
    window->sync();
  }
  void act(const Row& row) {
    const std::string name = row.widget;
    if (row.act == Do::DoubleClick) {
      QGroupBox* box = frame(std::stoi(name.substr(name.find('_') + 1)));
      QTest::mouseDClick(box, Qt::LeftButton, {}, QPoint(4, box->height() - 4));
    } else if (row.act == Do::Enter) {
      enter(child<QLineEdit>(name.c_str()), QString::fromLatin1(row.text));
    } else if (row.act == Do::Option) {
      clickOption(child<QAbstractButton>(name.c_str()));
    } else {
      auto* button = child<QAbstractButton>(name.c_str());
      QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
  }
};

TEST_F(ControlsTable, EachControlWritesItsCellsOrRefusesWithItsMessage) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(std::string(row.image) + " cell " + std::to_string(row.cell) + " " + row.widget);
    load(row.image);
    clickCell(row.cell);
    dialogs.messages.clear();
    QStringList expected = cellTexts();
    act(row);
    const std::string outcome = row.expected;
    if (outcome.starts_with("! ")) {
      EXPECT_EQ(dialogs.messageTexts(), QStringList{QString::fromStdString(outcome.substr(2))});
      EXPECT_EQ(cellTexts(), expected);
      continue;
    }
    EXPECT_TRUE(dialogs.messages.empty());
    std::istringstream writes(outcome);
    for (std::string write; writes >> write;) {
      const auto equals = write.find('='), dash = write.find('-');
      const int first = std::stoi(write.substr(0, std::min(dash, equals)));
      const int last = dash < equals ? std::stoi(write.substr(dash + 1)) : first;
      for (int i = first; i <= last; ++i)
        expected[i] = QString::fromStdString(write.substr(equals + 1));
    }
    int sum = 0;
    for (int i = 0; i < kChecksumByte; ++i) sum += expected[i].toInt(nullptr, 16);
    expected[kChecksumByte] = QString::fromStdString(ByteToHex((256 - sum % 256) % 256));
    EXPECT_EQ(cellTexts(), expected);
  }
}

// Established timings I (35) and II (36): box i is bit 7 - i by the VESA layout;
// the manufacturer's frame (37) has one box, ET3_7, for bit 7.
TEST_F(ControlsTable, EveryTimingBoxFlipsItsOwnBit) {
  struct Box {
    int byte;
    const char* prefix;
    int first;
  };
  for (const Box& row : {Box{35, "ET1_", 0}, Box{36, "ET2_", 0}, Box{37, "ET3_", 7}}) {
    for (int i = row.first; i < 8; ++i) {
      const std::string name = row.prefix + std::to_string(i);
      SCOPED_TRACE(name);
      load(kIdentified);
      clickCell(row.byte);
      const int before = cell(row.byte)->text().toInt(nullptr, 16);
      act({kIdentified, row.byte, name.c_str(), Do::Click, nullptr, ""});
      EXPECT_EQ(cell(row.byte)->text().toInt(nullptr, 16),
                before ^ (row.byte == 37 ? 0x80 : 0x80 >> i));
    }
  }
}

// Standard timing i is the pair at 38 + 2i; its option puts the caret there.
TEST_F(ControlsTable, EveryStandardTimingOptionSelectsItsPair) {
  load(kIdentified);
  clickCell(38);
  for (int i = 7; i >= 0; --i) {
    clickOption(child<QRadioButton>(("STOpt_" + std::to_string(i)).c_str()));
    EXPECT_EQ(QApplication::focusWidget(), cell(38 + 2 * i)) << i;
  }
}

// 421 is 1A5 in hexadecimal, 421 in decimal and 110100101 in binary.
TEST_F(ControlsTable, EveryCalculatorModeShowsTheEntryInItsBase) {
  QTest::keyClick(window.get(), Qt::Key_F9);
  HexCalculatorWindow* calc = window->calculatorWindow();
  ASSERT_NE(calc, nullptr);
  QTest::keyClicks(calc, QStringLiteral("421"));
  const std::pair<int, QString> modes[] = {
      {2, QStringLiteral("110100101")}, {0, QStringLiteral("1A5")}, {1, QStringLiteral("421")}};
  for (const auto& [option, shown] : modes) {
    QTest::mouseClick(calc->option(option), Qt::LeftButton);
    EXPECT_EQ(calc->display()->text(), shown) << option;
  }
}

}  // namespace
}  // namespace edid::gui::test
