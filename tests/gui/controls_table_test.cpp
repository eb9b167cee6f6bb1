// The section controls through the real widgets: the rows of tests/data/gui_controls.txt,
// then every index of the controls that serve several.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <fstream>
#include <map>
#include <sstream>

#include "core/common/text.h"
#include "editor_fixture.h"
#include "gui/calculator/hex_calculator_window.h"

namespace edid::gui::test {
namespace {

// A row of tests/data/gui_controls.txt (its head says the columns).
struct Row {
  std::string image, widget, action, text, expected;
  int cell = 0;
};

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' '), last = text.find_last_not_of(' ');
  return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

class ControlsTable : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    std::ifstream file(std::string(EDID_TEST_DATA_DIR) + "/gui_controls.txt");
    ASSERT_TRUE(file) << "gui_controls.txt";
    for (std::string line; std::getline(file, line);) {
      if (line.empty() || line[0] == '#') continue;
      if (line.starts_with("image ")) {  // image NAME = ID OFFSET: XX ...
        std::istringstream in(line.substr(6));
        std::string name, equals, id, offset;
        in >> name >> equals >> id >> offset;
        Image& image = m_images.emplace(name, edid::test::corpusImage(id)).first->second;
        int at = std::stoi(offset);
        for (std::string byte; in >> byte;) image.setByte(at++, std::stoi(byte, nullptr, 16));
        image.setByte(kChecksumByte, image.correctChecksum());
        continue;
      }
      std::vector<std::string> fields;
      std::istringstream in(line);
      for (std::string field; std::getline(in, field, '|');) fields.push_back(trimmed(field));
      ASSERT_EQ(fields.size(), 5u) << line;
      const auto blank = fields[3].find(' ');
      m_rows.push_back({fields[0], fields[2], fields[3].substr(0, blank),
                        blank == std::string::npos ? "" : fields[3].substr(blank + 1), fields[4],
                        std::stoi(fields[1])});
    }
    ASSERT_GT(m_rows.size(), 20u);
  }
  void load(const std::string& name) {
    const auto variant = m_images.find(name);
    loadImage(variant != m_images.end() ? variant->second : edid::test::corpusImage(name));
    if (!program().common().ModifyMode) modifyOn();
  }
  void act(const Row& row) {
    const std::string& name = row.widget;
    if (row.action == "dclick") {
      QGroupBox* box = frame(std::stoi(name.substr(name.find('_') + 1)));
      QTest::mouseDClick(box, Qt::LeftButton, {}, QPoint(4, box->height() - 4));
    } else if (row.action == "enter") {
      enter(child<QLineEdit>(name.c_str()), QString::fromStdString(row.text));
    } else if (row.action == "option") {
      clickOption(child<QAbstractButton>(name.c_str()));
    } else {
      auto* button = child<QAbstractButton>(name.c_str());
      QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
  }
  std::map<std::string, Image> m_images;
  std::vector<Row> m_rows;
};

TEST_F(ControlsTable, EachControlWritesItsCellsOrRefusesWithItsMessage) {
  for (const Row& row : m_rows) {
    SCOPED_TRACE(row.image + " cell " + std::to_string(row.cell) + " " + row.widget);
    load(row.image);
    clickCell(row.cell);
    dialogs.messages.clear();
    QStringList expected = cellTexts();
    act(row);
    if (row.expected.starts_with("! ")) {
      EXPECT_EQ(dialogs.messageTexts(),
                QStringList{QString::fromStdString(row.expected.substr(2))});
      EXPECT_EQ(cellTexts(), expected);
      continue;
    }
    EXPECT_TRUE(dialogs.messages.empty());
    std::istringstream writes(row.expected);
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
      load(kCorpusId);
      clickCell(row.byte);
      const int before = cell(row.byte)->text().toInt(nullptr, 16);
      act({kCorpusId, name, "click", "", "", row.byte});
      EXPECT_EQ(cell(row.byte)->text().toInt(nullptr, 16),
                before ^ (row.byte == 37 ? 0x80 : 0x80 >> i));
    }
  }
}

// Standard timing i is the pair at 38 + 2i; its option puts the caret there.
TEST_F(ControlsTable, EveryStandardTimingOptionSelectsItsPair) {
  load(kCorpusId);
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
