// The main window: menus, toolbar, mode buttons, settings and the command line.
#include <map>

#include <QAction>
#include <QFile>
#include <QMdiArea>
#include <QSettings>
#include <QTextEdit>

#include "editor_fixture.h"
#include "gui/report/document_window.h"
#include "gui/shell/child_sub_window.h"
#include "gui/shell/editor.h"
#include "gui/shell/editor_settings.h"

namespace edid::gui::test {
namespace {

using MainWindowTest = EditorTest;

TEST_F(MainWindowTest, ModifyEnablesAutoCellSeekAndOffKeepsItsState) {
  QTest::mouseClick(button("Command3"), Qt::LeftButton);  // disabled: no effect
  EXPECT_FALSE(program().common().AutoCellSeekMode);
  modifyOn();
  // Switching Modify on opens the screen and puts the focus on cell 0.
  EXPECT_EQ(QApplication::focusWidget(), cell(0));
  EXPECT_EQ(visibleFrames(), std::vector<int>{0});
  QTest::mouseClick(button("Command3"), Qt::LeftButton);
  QTest::mouseClick(button("Command2"), Qt::LeftButton);
  EXPECT_FALSE(button("Command3")->isEnabled());
  EXPECT_EQ(button("Command3")->text(), QStringLiteral("Auto Cell Seek (ON)"));
}

TEST_F(MainWindowTest, TranslateShowsOneReportWindowAndClosingItTellsTheCore) {
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  EXPECT_EQ(window->documentWindow(), nullptr);  // no image, no report

  loadCorpus(kCorpusId);
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  ASSERT_NE(window->documentWindow(), nullptr);
  EXPECT_EQ(window->mdiArea()->subWindowList().size(), 2);
  const QString text = window->documentWindow()->textBox()->toPlainText();
  EXPECT_FALSE(text.contains(QLatin1Char('\r')));
  EXPECT_EQ(text.count(QStringLiteral("128 BYTES OF EDID CODE:")), 1);

  ASSERT_NE(window->documentSubWindow(), nullptr) << "frmDocumentWindow";
  window->documentSubWindow()->close();
  flushDeletes();
  EXPECT_FALSE(program().common().DocumentOpen);
}

TEST_F(MainWindowTest, ToolbarKeysRunTheirMenuCommands) {
  const std::pair<const char*, const char*> keys[] = {
      {"New", "mnuFileNew"},      {"Open", "mnuFileOpen"},
      {"Save", "mnuFileSave"},    {"Print Preview", "mnuFilePrintPreview"},
      {"Print", "mnuFilePrint"},  {"Calculator", "HexCalculator"},
      {"GetEDID", "GetEDIDData"},
  };
  for (const auto& key : keys) {
    std::map<QString, int> runs;
    QObject probe;
    for (const auto& other : keys) {
      const QString item = QLatin1String(other.second);
      QObject::connect(action(other.second), &QAction::triggered, &probe,
                       [&runs, item] { ++runs[item]; });
    }
    window->tbToolBar_ButtonClick(QLatin1String(key.first));
    EXPECT_EQ(runs, (std::map<QString, int>{{QLatin1String(key.second), 1}})) << key.first;
  }
}

TEST_F(MainWindowTest, StandardKeysRunTheFileCommandsFromTheGrid) {
  loadCorpus(kCorpusId);
  modifyOn();
  clickCell(20);
  QTest::keyClicks(cell(20), QStringLiteral("5A"));
  ASSERT_TRUE(program().common().UnsavedChanges);

  // Save of an image without a file asks for a name, then writes it.
  const QString file = path(QStringLiteral("keys.DAT"));
  dialogs.fileNames = {file};
  QTest::keyClick(cell(20), Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_TRUE(QFile::exists(file));
  // Once named, Save writes without asking.
  clickCell(21);
  QTest::keyClicks(cell(21), QStringLiteral("5B"));
  QTest::keyClick(cell(21), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_FALSE(program().common().UnsavedChanges);

  QTest::keyClick(cell(20), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(dialogs.fileRequests.size(), 2u);
  EXPECT_EQ(dialogs.fileRequests[1].title, QStringLiteral("Save As"));

  QTest::keyClick(cell(20), Qt::Key_N, Qt::ControlModifier);
  ASSERT_EQ(dialogs.questions.size(), 1u);  // answered No: the image stays
  EXPECT_EQ(dialogs.questions[0].text, QStringLiteral("Are You Sure?"));

  QTest::keyClick(cell(20), Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(dialogs.fileRequests.size(), 3u);
  EXPECT_EQ(dialogs.fileRequests[2].title, QStringLiteral("Open"));

  ASSERT_NE(screen(), nullptr);
  QTest::keyClick(cell(20), Qt::Key_W, Qt::ControlModifier);
  flushDeletes();
  EXPECT_EQ(screen(), nullptr);

  QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(window->isVisible());
}

// ---- Settings ----------------------------------------------------------------

TEST(StoredPositionTest, ReadInTwipsUntilANonNumber) {
  // 15 twips a pixel; after a non-number the rest stays as designed (1000, 6500, 6500).
  const struct {
    QStringList left_top_width_height;
    QRect placed;
    QStringList messages;
  } rows[] = {{{"1500", "3000", "12000", "9000"}, {100, 200, 800, 600}, {}},
              {{"1500", "left edge", "12000"}, {100, 67, 433, 433}, {"Type mismatch"}}};
  for (const auto& row : rows) {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    const char* keys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
    for (int i = 0; i < row.left_top_width_height.size(); ++i)
      QSettings(file, QSettings::IniFormat)
          .setValue(QStringLiteral("Settings/") + keys[i], row.left_top_width_height[i]);
    MainWindow window(&dialogs, file);
    EXPECT_EQ(QRect(window.pos(), window.size()), row.placed);
    EXPECT_EQ(dialogs.messageTexts(), row.messages);
  }
}

// ---- Start-up -----------------------------------------------------------------

TEST(EditorStartTest, ReadsTheCommandLine) {
  EditorOptions options;
  QString error;
  ASSERT_TRUE(parseEditorArguments({"edidedit", "--modify", "--cell", "13", "--geometry",
                                    "1200x800", "--no-splash", "monitor.DAT"},
                                   options, &error))
      << error.toStdString();
  EXPECT_EQ(options.focusCell, 13);
  EXPECT_EQ(options.size, QSize(1200, 800));
  EXPECT_FALSE(options.splash);
  EXPECT_EQ(options.openPath, QStringLiteral("monitor.DAT"));
  EditorOptions seeking;
  ASSERT_TRUE(parseEditorArguments({"edidedit", "--auto-seek"}, seeking, &error));
  EXPECT_TRUE(seeking.autoSeek && seeking.modify && seeking.splash);
  // Several files open in windows of their own, but a PDF is of one file.
  for (const QStringList& refused :
       {QStringList{"edidedit", "--cell", "128"}, QStringList{"edidedit", "--geometry", "big"},
        QStringList{"edidedit", "--print-to-pdf", "o.pdf", "a.DAT", "b.DAT"}})
    EXPECT_FALSE(parseEditorArguments(refused, options, &error)) << refused.join(' ').toStdString();
}

}  // namespace
}  // namespace edid::gui::test
