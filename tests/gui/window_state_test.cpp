// What the windows show about the state: unsaved changes in the title and the
// status bar's note of the save.
#include <QLabel>

#include "editor_fixture.h"
#include "gui/shell/child_sub_window.h"

namespace edid::gui::test {
namespace {

class WindowStateTest : public EditorTest {
 protected:
  QAction* action(const QString& name) { return window->findChild<QAction*>(name); }
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

}  // namespace
}  // namespace edid::gui::test
