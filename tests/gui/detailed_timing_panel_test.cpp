// The start with --auto-seek --cell 56 puts the caret straight into DTInput (the
// controls themselves: controls_table_test). 000CCAC2C577's block 0 is 1280 x 1024
// (bytes 56 = 00, 58 = 51).
#include <QLineEdit>

#include "core/common/data_file.h"
#include "editor_fixture.h"
#include "gui/shell/editor.h"

namespace edid::gui::test {
namespace {

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
  EXPECT_FALSE(window->screenWidget()->cell(56)->isReadOnly());
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
