// The detailed timing frames through the real widgets: an entry typed into DTInput,
// the flag controls, a double click on the block frame, and the start with
// --auto-seek --cell 56 that puts the caret straight into DTInput.
// FA6E41896752's block 0 is 1920 x 1080 at 148.50 MHz, flags 1E; 000CCAC2C577's
// is 1280 x 1024 (bytes 56 = 00, 58 = 51).
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/common/data_file.h"
#include "core/common/text.h"
#include "editor_fixture.h"
#include "gui/shell/editor.h"

namespace edid::gui::test {
namespace {

using DetailedTimingPanelTest = EditorTest;

TEST_F(DetailedTimingPanelTest, EntryFlagsAndResetGoThroughTheWidgets) {
  loadCorpus("FA6E41896752");
  modifyOn();
  const auto checksumValid = [&] {
    return cell(127)->text() == QString::fromStdString(ByteToHex(model().image.correctChecksum()));
  };

  clickCell(56);
  EXPECT_EQ(visibleFrames(), std::vector<int>{9});
  EXPECT_TRUE(child<QRadioButton>("DT_1")->isChecked());
  EXPECT_EQ(child<QLabel>("Freq_0")->text(), QStringLiteral("Horizontal - 67.50 KHz"));
  enter(child<QLineEdit>("DTInput"), QStringLiteral("2560"));
  EXPECT_EQ(cell(56)->text(), QStringLiteral("00"));
  EXPECT_EQ(cell(58)->text(), QStringLiteral("A1"));
  EXPECT_EQ(child<QRadioButton>("DT_1")->text(), QStringLiteral("Active Time - 2560 pixels"));
  EXPECT_TRUE(checksumValid());
  enter(child<QLineEdit>("DTInput"), QStringLiteral("4096"));
  EXPECT_EQ(dialogs.messageTexts(), QStringList{"Invalid Value"});
  EXPECT_EQ(cell(58)->text(), QStringLiteral("A1"));
  // Letters in the pixel clock are refused, not written as 00 00.
  clickCell(54);
  const QStringList block = cellTexts().mid(54, 18);
  enter(child<QLineEdit>("DTInput"), QStringLiteral("abc"));
  EXPECT_EQ(dialogs.messageTexts().last(), QStringLiteral("Not a number: abc"));
  EXPECT_EQ(cellTexts().mid(54, 18), block);

  clickCell(71);
  EXPECT_EQ(visibleFrames(), std::vector<int>{10});
  EXPECT_TRUE(child<QRadioButton>("DTSync_3")->isChecked());
  EXPECT_FALSE(child<QPushButton>("VSyncLine")->isHidden());
  clickOption(child<QRadioButton>("DTSync_0"));
  EXPECT_EQ(cell(71)->text(), QStringLiteral("06"));
  EXPECT_FALSE(child<QRadioButton>("DTSync_3")->isChecked());
  EXPECT_TRUE(child<QPushButton>("VSyncLine")->isHidden());
  EXPECT_TRUE(child<QCheckBox>("SyncSerrate")->isChecked());
  EXPECT_EQ(child<QPushButton>("SyncLine")->text(), QStringLiteral("Sync on RGB"));
  QTest::mouseClick(child<QPushButton>("SyncLine"), Qt::LeftButton);
  EXPECT_EQ(cell(71)->text(), QStringLiteral("04"));
  EXPECT_EQ(child<QPushButton>("SyncLine")->text(), QStringLiteral("Sync On Green"));
  clickOption(child<QCheckBox>("DT1"));
  EXPECT_EQ(cell(71)->text(), QStringLiteral("84"));
  clickOption(child<QRadioButton>("DTStereo_4"));
  EXPECT_EQ(cell(71)->text(), QStringLiteral("E4"));
  EXPECT_EQ(child<QGroupBox>("frmStereo")->title(), QStringLiteral("Stereo"));
  EXPECT_TRUE(checksumValid());

  QTest::mouseDClick(frame(10), Qt::LeftButton, {}, QPoint(4, frame(10)->height() - 4));
  EXPECT_EQ(cell(54)->text(), QStringLiteral("00"));
  EXPECT_EQ(cell(57)->text(), QStringLiteral("FF"));
  EXPECT_EQ(cell(71)->text(), QStringLiteral("00"));
  EXPECT_EQ(visibleFrames(), std::vector<int>{11});
  EXPECT_TRUE(checksumValid());
}

TEST(DetailedTimingStartTest, AutoSeekPutsTheCaretIntoDTInputAndASaveKeepsTheEntry) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("seek.DAT"));
  ScriptedDialogs dialogs;
  saveCorpusDataFile(kCorpusId, file, dir, dialogs);
  EditorOptions options;
  ASSERT_TRUE(parseEditorArguments(
      {"edidedit", file, "--modify", "--auto-seek", "--cell", "56", "--no-splash"}, options,
      nullptr));
  options.dialogs = &dialogs;
  options.settingsFile = dir.filePath(QStringLiteral("settings.ini"));
  const std::unique_ptr<MainWindow> window = startEditor(options);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  auto* input = window->screenWidget()->findChild<QLineEdit*>(QStringLiteral("DTInput"));
  ASSERT_NE(input, nullptr);
  EXPECT_EQ(QApplication::focusWidget(), input);
  QTest::keyClicks(input, QStringLiteral("1920"));
  QTest::keyClick(input, Qt::Key_Return);
  window->findChild<QAction*>(QStringLiteral("mnuFileSave"))->trigger();
  EXPECT_TRUE(dialogs.messages.empty());

  const auto content = readFileBytes(file.toStdString());
  ASSERT_TRUE(content.ok());
  const auto tokens = parseEdidCodeSection(*content);
  ASSERT_TRUE(tokens.ok()) << tokens.error();
  ASSERT_GE(tokens->size(), 128u);
  EXPECT_EQ((*tokens)[56], "80");  // 1920 = 0x780
  EXPECT_EQ((*tokens)[58], "71");  // HB's nibble 1 kept
  int sum = 0;
  for (int i = 0; i < 128; ++i) sum += std::stoi((*tokens)[std::size_t(i)], nullptr, 16);
  EXPECT_EQ(sum % 256, 0);
  window->program().common().UnsavedChanges = false;
}

}  // namespace
}  // namespace edid::gui::test
