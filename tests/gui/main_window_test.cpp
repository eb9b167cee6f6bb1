// The main window: menus, toolbar, mode buttons, settings, shut-down and start-up.
#include <map>

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
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

  // File Close closes the active child: the report, then the screen.
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  action("mnuFileClose")->trigger();
  flushDeletes();
  EXPECT_EQ(window->documentWindow(), nullptr);
  ASSERT_NE(window->screenSubWindow(), nullptr) << "frmEDIDWindow";
  window->mdiArea()->setActiveSubWindow(window->screenSubWindow());
  action("mnuFileClose")->trigger();
  flushDeletes();
  EXPECT_EQ(screen(), nullptr);
}

TEST_F(MainWindowTest, AnOpenReportFollowsAChangedImageAtTheNextCellFocus) {
  loadCorpus(kCorpusId);
  modifyOn();
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  clickCell(20);
  QTest::keyClicks(cell(20), QStringLiteral("5A"));
  clickCell(21);
  ASSERT_NE(window->documentWindow(), nullptr) << "frmDocument";
  EXPECT_TRUE(
      window->documentWindow()->textBox()->toPlainText().contains(QStringLiteral(" 20  |  5A")));
}

TEST_F(MainWindowTest, WindowMenuTilesInRowsAndColumnsAndLinesUpIcons) {
  loadCorpus(kCorpusId);
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  QMdiArea* area = window->mdiArea();
  const QRect space = area->viewport()->rect();
  QMdiSubWindow* screenSub = window->screenSubWindow();
  QMdiSubWindow* documentSub = window->documentSubWindow();
  ASSERT_NE(screenSub, nullptr) << "frmEDIDWindow";
  ASSERT_NE(documentSub, nullptr) << "frmDocumentWindow";

  action("mnuWindowTileHorizontal")->trigger();
  EXPECT_EQ(screenSub->width(), space.width());
  EXPECT_EQ(documentSub->width(), space.width());
  EXPECT_EQ(screenSub->geometry().bottom() + 1, documentSub->y());
  EXPECT_EQ(documentSub->geometry().bottom() + 1, space.height());

  action("mnuWindowTileVertical")->trigger();
  EXPECT_EQ(screenSub->height(), space.height());
  EXPECT_EQ(screenSub->geometry().right() + 1, documentSub->x());
  EXPECT_EQ(documentSub->geometry().right() + 1, space.width());

  screenSub->showMinimized();
  documentSub->showMinimized();
  action("mnuWindowArrangeIcons")->trigger();
  EXPECT_EQ(screenSub->geometry().bottom() + 1, space.height());
  EXPECT_EQ(documentSub->geometry().bottom() + 1, space.height());
  EXPECT_EQ(screenSub->x(), 0);
  EXPECT_EQ(documentSub->x(), screenSub->width());
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

TEST_F(MainWindowTest, CancelledSaveChangesStopsTheShutDown) {
  loadCorpus(kCorpusId);
  modifyOn();
  clickCell(20);
  QTest::keyClicks(cell(20), QStringLiteral("5A"));
  ASSERT_TRUE(program().common().UnsavedChanges);

  dialogs.answers = {true};  // Yes, then cancel the Save As dialog
  EXPECT_FALSE(window->close());
  EXPECT_NE(screen(), nullptr);
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_FALSE(QSettings(settingsPath(), QSettings::IniFormat).contains("Settings/MainLeft"));

  dialogs.answers = {false};
  EXPECT_TRUE(window->close());
}

// ---- Settings ----------------------------------------------------------------

class MainWindowSettingsTest : public ::testing::Test {
 protected:
  QString file() const { return dir.filePath(QStringLiteral("settings.ini")); }
  void store(const char* key, const QVariant& value) {
    QSettings(file(), QSettings::IniFormat).setValue(QStringLiteral("Settings/") + key, value);
  }
  QString stored(const char* key) {
    return QSettings(file(), QSettings::IniFormat)
        .value(QStringLiteral("Settings/") + key)
        .toString();
  }
  QTemporaryDir dir;
  ScriptedDialogs dialogs;
};

TEST(FirstStartTest, CentresTheWindowInTheAvailableArea) {
  // Worked by hand: (1280 - 1000) / 2 = 140, (1024 - 700) / 2 = 162.
  EXPECT_EQ(centredIn(QSize(1000, 700), QRect(0, 0, 1280, 1024)), QRect(140, 162, 1000, 700));
  // A second screen right of the first, below a 24-pixel panel.
  EXPECT_EQ(centredIn(QSize(1000, 700), QRect(1280, 24, 1920, 1056)), QRect(1740, 202, 1000, 700));
  // Too large for the screen: cut to it.
  EXPECT_EQ(centredIn(QSize(1000, 700), QRect(0, 0, 800, 600)), QRect(0, 0, 800, 600));
  EXPECT_EQ(centredIn(QSize(1000, 500), QRect(0, 0, 800, 600)), QRect(0, 50, 800, 500));
}

TEST_F(MainWindowSettingsTest, FirstStartFitsTheWholeDecodingScreenCentred) {
  MainWindow window(&dialogs, file());
  EXPECT_TRUE(dialogs.messages.empty());
  ASSERT_NE(window.screen(), nullptr);
  const QRect available = window.screen()->availableGeometry();
  const QRect placed(window.pos(), window.size());
  EXPECT_TRUE(available.contains(placed)) << placed.x() << "," << placed.y();
  EXPECT_LE(std::abs((placed.left() - available.left()) - (available.right() - placed.right())), 1);
  EXPECT_LE(std::abs((placed.top() - available.top()) - (available.bottom() - placed.bottom())), 1);
  // The designed 433 x 433 showed two grid columns; the whole screen is wider.
  EXPECT_GT(window.fullScreenSize().width(), 600);

  // At that size the screen opens whole, and every section frame fits in it.
  window.splashTimer()->stop();
  window.resize(window.fullScreenSize());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.forward([&] { window.program().Command2_Click(); });
  QMdiSubWindow* sub = window.screenSubWindow();
  EdidScreenWidget* screen = window.screenWidget();
  ASSERT_NE(sub, nullptr) << "frmEDIDWindow";
  ASSERT_NE(screen, nullptr) << "frmEDID";
  QWidget* viewport = window.mdiArea()->viewport();
  EXPECT_TRUE(viewport->rect().contains(sub->geometry()));
  EXPECT_FALSE(window.mdiArea()->horizontalScrollBar()->isVisible());
  EXPECT_FALSE(window.mdiArea()->verticalScrollBar()->isVisible());
  const QRect grid(screen->cell(0)->mapTo(sub, QPoint()), QSize(1, 1));
  EXPECT_TRUE(sub->contentsRect().contains(grid));
  const QRect lastCell(screen->cell(129)->mapTo(sub, QPoint()), screen->cell(129)->size());
  EXPECT_TRUE(sub->contentsRect().contains(lastCell));
  // One cell of each section: header, vendor, version, basic, chromaticity,
  // the three timing bitmaps, standard timings, the four blocks, checksum.
  for (int index : {0, 8, 18, 20, 25, 35, 36, 37, 38, 54, 72, 90, 108, 126}) {
    window.forward([&] { window.program().screen()->txtEdit_GotFocus(index); });
    for (int i = 0; i < screen->frameCount(); ++i) {
      QGroupBox* frame = screen->frame(i);
      ASSERT_NE(frame, nullptr) << "Hints_" << i;
      if (frame->isHidden()) continue;
      const QRect inSub(frame->mapTo(sub, QPoint()), frame->size());
      EXPECT_TRUE(sub->contentsRect().contains(inSub)) << "Hints_" << i;
    }
  }
  window.program().common().UnsavedChanges = false;
}

TEST_F(MainWindowSettingsTest, FirstStartGrowsOnceSoTheFirstRealScreenNeedsNoScrollBars) {
  // The first size is measured on a blank screen; a real EDID with an extension
  // block asks for more, and the window grows for it within the screen.
  MainWindow window(&dialogs, file());
  window.splashTimer()->stop();
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QSize first = window.size();
  const QRect available = window.screen()->availableGeometry();
  dialogs.fileNames = {QString::fromStdString(edid::test::corpusDir() + "/032438E297B8.bin")};
  window.findChild<QAction*>(QStringLiteral("mnuFileOpen"))->trigger();
  QCoreApplication::processEvents();
  QMdiSubWindow* sub = window.screenSubWindow();
  ASSERT_NE(sub, nullptr);
  EXPECT_GE(window.width(), first.width());
  EXPECT_GE(window.height(), first.height());
  EXPECT_TRUE(available.contains(QRect(window.pos(), window.size())));
  // The screen's contents scroll only where the window has reached the screen's edge.
  auto* scroll = sub->widget()->findChild<QScrollArea*>(QStringLiteral("scroll"));
  ASSERT_NE(scroll, nullptr);
  const QRect outer = window.frameGeometry();
  const bool across = scroll->horizontalScrollBar()->isVisible();
  EXPECT_TRUE(!across || outer.width() >= available.width()) << outer.width();
  // A horizontal bar takes a line of height, which may bring the vertical one.
  EXPECT_TRUE(!scroll->verticalScrollBar()->isVisible() || across ||
              outer.height() >= available.height())
      << outer.height();
  window.program().common().UnsavedChanges = false;
}

TEST_F(MainWindowSettingsTest, KeepsTheRegistryBaseLocationOfTheLastRun) {
  {
    MainWindow window(&dialogs, file());
    EXPECT_EQ(window.program().common().RegistryBaseLocation,
              "SYSTEM\\CurrentControlSet\\Enum\\Display");
  }
  store("Windows2000RegBaseLocation", "SYSTEM\\ControlSet001\\Enum\\DISPLAY");
  MainWindow window(&dialogs, file());
  EXPECT_EQ(window.program().common().RegistryBaseLocation, "SYSTEM\\ControlSet001\\Enum\\DISPLAY");
}

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

TEST_F(MainWindowSettingsTest, ClosingWritesThePositionUnlessMinimised) {
  {
    MainWindow window(&dialogs, file());
    window.show();
    window.move(120, 90);
    window.resize(640, 480);
    ASSERT_TRUE(window.close());
  }
  // 15 twips a pixel.
  EXPECT_EQ(QStringList(
                {stored("MainLeft"), stored("MainTop"), stored("MainWidth"), stored("MainHeight")}),
            QStringList({"1800", "1350", "9600", "7200"}));
  {
    MainWindow window(&dialogs, file());
    window.show();
    window.resize(300, 300);
    window.showMinimized();
    ASSERT_TRUE(window.close());
  }
  EXPECT_EQ(stored("MainWidth"), QStringLiteral("9600"));
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

TEST(EditorStartTest, SplashShowsUntilTimer1FiresThenTheMainWindow) {
  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  EditorOptions options;
  options.dialogs = &dialogs;
  options.settingsFile = dir.filePath(QStringLiteral("settings.ini"));

  bool splashSeen = false, mainHiddenMeanwhile = false;
  QTimer::singleShot(500, [&] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->objectName() == QStringLiteral("frmSplash") && top->isVisible()) splashSeen = true;
      if (top->objectName() == QStringLiteral("frmMain") && !top->isVisible())
        mainHiddenMeanwhile = true;
    }
  });
  QElapsedTimer clock;
  clock.start();
  const std::unique_ptr<MainWindow> window = startEditor(options);
  EXPECT_GE(clock.elapsed(), 1900);
  EXPECT_TRUE(splashSeen);
  EXPECT_TRUE(mainHiddenMeanwhile);
  EXPECT_TRUE(window->isVisible());
  for (QWidget* top : QApplication::topLevelWidgets())
    EXPECT_FALSE(top->objectName() == QStringLiteral("frmSplash") && top->isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace edid::gui::test
