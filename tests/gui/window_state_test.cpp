// What the windows show about the state: unsaved changes in the title, the
// Window menu's list, and texts in Windows-1252.
#include <QLabel>
#include <QMenu>

#include "editor_fixture.h"
#include "gui/report/document_window.h"
#include "gui/shell/child_sub_window.h"

namespace edid::gui::test {
namespace {

class WindowStateTest : public EditorTest {
 protected:
  QAction* action(const QString& name) { return window->findChild<QAction*>(name); }
  QMenu* windowMenu() { return window->findChild<QMenu*>(QStringLiteral("mnuWindow")); }
};

TEST_F(WindowStateTest, TitleMarksUnsavedChangesAndTheStatusBarTheSave) {
  loadCorpus(kCorpusId);
  modifyOn();
  EXPECT_FALSE(screen()->isWindowModified());
  clickCell(20);
  QTest::keyClicks(cell(20), QStringLiteral("AB"));
  EXPECT_TRUE(screen()->isWindowModified());

  dialogs.fileNames = {path(QStringLiteral("state.DAT"))};
  action(QStringLiteral("mnuFileSaveAs"))->trigger();
  EXPECT_FALSE(screen()->isWindowModified());
  auto* status = window->findChild<QLabel*>(QStringLiteral("sbStatusBar_1"));
  EXPECT_EQ(status->text(), QStringLiteral("Saved ") + path(QStringLiteral("state.DAT")));

  // The note goes with the next edit, and with the next file opened.
  clickCell(21);
  QTest::keyClicks(cell(21), QStringLiteral("CD"));
  EXPECT_EQ(status->text(), QString());
  trigger("mnuFileSave");
  EXPECT_EQ(status->text(), QStringLiteral("Saved ") + path(QStringLiteral("state.DAT")));
  dialogs.fileNames = {QString::fromStdString(edid::test::corpusDir() + "/" + kCorpusId + ".bin")};
  trigger("mnuFileOpen");
  EXPECT_EQ(status->text(), QString());
}

TEST_F(WindowStateTest, TheWindowMenuListsTheChildrenWithTheActiveOneChecked) {
  loadCorpus(kCorpusId);
  QTest::mouseClick(button("Command1"), Qt::LeftButton);  // the report
  ASSERT_NE(window->documentWindow(), nullptr);
  emit windowMenu()->aboutToShow();
  QAction* first = action(QStringLiteral("mnuWindowList_0"));
  QAction* second = action(QStringLiteral("mnuWindowList_1"));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->text(), QStringLiteral("&2 frmDocument"));
  EXPECT_TRUE(second->isChecked() && !first->isChecked());

  first->trigger();
  EXPECT_EQ(window->mdiArea()->activeSubWindow(), window->screenSubWindow());
  emit windowMenu()->aboutToShow();  // rebuilt, not appended
  EXPECT_TRUE(action(QStringLiteral("mnuWindowList_0"))->isChecked());
  EXPECT_EQ(window->findChildren<QAction*>(QStringLiteral("mnuWindowList_1")).size(), 1);
}

TEST_F(WindowStateTest, HighBytesShowAsWindows1252Characters) {
  // Product code bytes 10-11 = 99 41 are also the letters 0x99 "™" and "A".
  Image image = edid::test::corpusImage(kCorpusId);
  image.setByte(10, 0x99);
  image.setByte(11, 0x41);
  loadImage(image);
  clickCell(10);
  QStringList shown;
  for (const QLabel* label : frame(1)->findChildren<QLabel*>()) shown << label->text();
  const QString all = shown.join(QLatin1Char('|'));
  EXPECT_TRUE(all.contains(QStringLiteral("(\u2122A)"))) << all.toStdString();
  EXPECT_FALSE(all.contains(QChar(0x99)));
}

}  // namespace
}  // namespace edid::gui::test
