// Recent files, dropped files and several files at once.
#include <QCommandLinkButton>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

#include "editor_fixture.h"
#include "gui/shell/editor.h"
#include "gui/shell/recent_files.h"
#include "gui/shell/start_page.h"

namespace edid::gui::test {
namespace {

// A 256-byte EDID (SAM, name "C32JG5x").
const std::string kWideId = "038778A50C04";

class DesktopHabitsTest : public EditorTest {
 protected:
  QStringList recentMenuTexts() {
    window->refreshRecentFiles();
    QStringList texts;
    for (QAction* item : window->recentMenu()->actions())
      if (item->isVisible() && item->objectName().startsWith(QStringLiteral("mnuFileRecent_")))
        texts << item->text();
    return texts;
  }
  QCommandLinkButton* startLink(int i) {
    return window->startPage()->findChild<QCommandLinkButton*>(
        QStringLiteral("startRecent_%1").arg(i));
  }
  /// Drops files on a widget as a file manager does, then lets the opening run.
  static void dropFiles(QWidget* target, const QStringList& files) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& file : files) urls << QUrl::fromLocalFile(file);
    data.setUrls(urls);
    const QPointF at(2, 2);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();
  }
  /// Closes the windows a test opened besides the fixture's.
  void closeOtherWindows() {
    for (MainWindow* other : MainWindow::documentWindows()) {
      if (other == window.get()) continue;
      other->program().common().UnsavedChanges = false;
      other->close();
    }
    flushDeletes();
  }
};

TEST_F(DesktopHabitsTest, RecentListKeepsEightNewestFirstInMenuStartPageAndSettings) {
  QStringList files;
  for (int i = 1; i <= 9; ++i) files << corpusFile(kCorpusId, QStringLiteral("m%1.bin").arg(i));
  for (const QString& file : files) ASSERT_TRUE(window->openFile(file));
  // Opened again, m3 moves to the front instead of showing twice; m1 fell off.
  ASSERT_TRUE(window->openFile(files[2]));
  EXPECT_EQ(recentMenuTexts(), (QStringList{"&1 m3.bin", "&2 m9.bin", "&3 m8.bin", "&4 m7.bin",
                                            "&5 m6.bin", "&6 m5.bin", "&7 m4.bin", "&8 m2.bin"}));
  QSettings stored(settingsPath(), QSettings::IniFormat);
  EXPECT_EQ(recentFiles(stored).size(), 8);

  // A file gone since is greyed out, its path the tooltip.
  QFile::remove(files[8]);
  window->refreshRecentFiles();
  QAction* gone = action("mnuFileRecent_1");
  EXPECT_FALSE(gone->isEnabled());
  EXPECT_EQ(gone->toolTip(), QDir::toNativeSeparators(files[8]));
  EXPECT_TRUE(action("mnuFileRecent_0")->isEnabled());

  // With no child window the start page offers the same list; a click opens the file.
  trigger("mnuFileClose");
  QCoreApplication::processEvents();
  ASSERT_TRUE(window->startPage()->isVisible());
  EXPECT_EQ(startLink(0)->text(), QStringLiteral("m3.bin"));
  EXPECT_FALSE(startLink(1)->isEnabled());
  EXPECT_EQ(startLink(7)->text(), QStringLiteral("m2.bin"));
  startLink(3)->click();
  ASSERT_NE(screen(), nullptr);
  EXPECT_EQ(recentMenuTexts().first(), QStringLiteral("&1 m7.bin"));
  QCoreApplication::processEvents();
  EXPECT_FALSE(window->startPage()->isVisible());

  trigger("mnuFileRecentClear");
  EXPECT_TRUE(recentMenuTexts().isEmpty());
  EXPECT_FALSE(window->recentMenu()->menuAction()->isEnabled());
  EXPECT_TRUE(recentFiles(stored).isEmpty());
}

TEST_F(DesktopHabitsTest, DroppedFilesOpenAsFileOpenDoesEachInItsOwnWindow) {
  const QString first = corpusFile(kWideId, QStringLiteral("wide.bin"));
  const QString second = corpusFile(kCorpusId, QStringLiteral("plain.bin"));
  const QString text = path(QStringLiteral("notes.txt"));
  QFile notes(text);
  ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
  notes.write("no EDID in here\n");
  notes.close();

  loadCorpus(kCorpusId);
  program().common().UnsavedChanges = true;
  // Not an EDID: its message, and the image, the unsaved mark and the windows stay.
  dropFiles(cell(8), {text});
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_TRUE(dialogs.questions.empty());
  EXPECT_EQ(cellTexts(), corpusTexts(kCorpusId));
  EXPECT_TRUE(program().common().UnsavedChanges);
  EXPECT_EQ(MainWindow::documentWindows().size(), 1);

  // Two files on a cell: "Save Changes?" first (No), the first replaces this
  // image, the second opens a window of its own; the cell takes no text.
  dialogs.answers = {false};
  dropFiles(cell(8), {first, second});
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0].text, QStringLiteral("Save Changes?"));
  EXPECT_EQ(cellTexts(), corpusTexts(kWideId));
  const QList<MainWindow*> windows = MainWindow::documentWindows();
  ASSERT_EQ(windows.size(), 2);
  ASSERT_NE(windows[1]->screenWidget(), nullptr);
  EXPECT_EQ(windows[1]->screenWidget()->cell(8)->text(), corpusTexts(kCorpusId)[8]);
  EXPECT_EQ(dialogs.messages.size(), 1u);
  closeOtherWindows();
}

TEST_F(DesktopHabitsTest, TwoFilesOnTheCommandLineOpenTwoWindowsAndCtrlTabMoves) {
  const QString first = corpusFile(kWideId, QStringLiteral("A.bin"));
  const QString second = corpusFile(kCorpusId, QStringLiteral("B.bin"));
  EditorOptions options;
  QString error;
  ASSERT_TRUE(parseEditorArguments({"edidedit", "--no-splash", first, second}, options, &error));
  options.dialogs = &dialogs;
  options.settingsFile = path(QStringLiteral("start.ini"));
  const std::unique_ptr<MainWindow> started = startEditor(options);
  const QList<MainWindow*> windows = MainWindow::documentWindows();
  // The fixture's window came first.
  ASSERT_EQ(windows.size(), 3);
  ASSERT_EQ(windows[1], started.get());
  ASSERT_NE(windows[2]->screenWidget(), nullptr);
  EXPECT_EQ(started->screenWidget()->cell(8)->text(), corpusTexts(kWideId)[8]);
  EXPECT_EQ(windows[2]->screenWidget()->cell(8)->text(), corpusTexts(kCorpusId)[8]);

  ASSERT_TRUE(QTest::qWaitForWindowActive(windows[2]));
  QTest::keyClick(windows[2], Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::keyClick(window.get(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(QTest::qWaitForWindowActive(windows[2]));
  closeOtherWindows();
}

}  // namespace
}  // namespace edid::gui::test
