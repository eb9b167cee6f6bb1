// What keeps a user's work: Cancel at "Save Changes?", no file dialog started in
// a kernel folder, a dismissing Enter not submitted twice, and the section frame
// following the focused cell.
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QStandardPaths>

#include "editor_fixture.h"
#include "gui/shell/child_sub_window.h"
#include "gui/shell/editor_settings.h"

namespace edid::gui::test {
namespace {

class UnsavedWorkTest : public EditorTest {
 protected:
  // Presses Escape in the next modal box, as a user would.
  void escapeNextBox() {
    auto* poll = new QTimer(window.get());
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        QTest::keyClick(box, Qt::Key_Escape);
        poll->deleteLater();
      }
    });
    poll->start(10);
  }
  void editCell20() {
    clickCell(20);
    QTest::keyClicks(cell(20), QStringLiteral("AB"));
    ASSERT_TRUE(program().common().UnsavedChanges);
  }
  QString documents() const {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  }
};

TEST_F(UnsavedWorkTest, EscapeAtSaveChangesKeepsTheEditsAndTheWindows) {
  dialogs.realYesNoCancel = true;
  loadCorpus(kCorpusId);
  modifyOn();
  editCell20();

  escapeNextBox();
  window->screenSubWindow()->close();
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0].text, QStringLiteral("Save Changes?"));
  ASSERT_NE(screen(), nullptr);
  EXPECT_EQ(cell(20)->text(), QStringLiteral("AB"));
  EXPECT_TRUE(program().common().UnsavedChanges);

  escapeNextBox();
  EXPECT_FALSE(window->close());
  EXPECT_EQ(dialogs.questions.size(), 2u);
  EXPECT_TRUE(window->isVisible());
  ASSERT_NE(screen(), nullptr);
  EXPECT_EQ(model().image.cell(20), "AB");

  // File New asks too, and Cancel keeps the image.
  dialogs.realYesNoCancel = false;
  dialogs.choices = {Answer::Cancel};
  trigger("mnuFileNew");
  EXPECT_EQ(dialogs.questions.size(), 3u);
  EXPECT_EQ(model().image.cell(20), "AB");
}

TEST_F(UnsavedWorkTest, AFailedSaveLeavesNoKernelFolderForTheNextDialog) {
  window->settings().setLastFolder(QStringLiteral("/proc"));
  loadCorpus(kCorpusId);
  dialogs.fileNames = {QStringLiteral("/proc/test.DAT")};
  trigger("mnuFileSaveAs");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Cannot save /proc/test.DAT")));
  EXPECT_EQ(dialogs.fileRequests[0].folder, QDir(documents()).filePath("VSC7D20.DAT"));

  trigger("mnuFileSaveAs");  // cancelled
  EXPECT_EQ(dialogs.fileRequests[1].folder, QDir(documents()).filePath("VSC7D20.DAT"));
  window->settings().setLastFolder(path(QStringLiteral("missing")));
  trigger("mnuFileOpen");
  EXPECT_EQ(dialogs.fileRequests[2].folder, documents());

  // A save that fails in a usable folder does not make it the next start either.
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.DAT")));
  dialogs.fileNames = {path(QStringLiteral("taken.DAT"))};
  dialogs.answers = {true};  // replace it
  trigger("mnuFileSaveAs");
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_NE(window->settings().lastFolder(), dir.path());

  // A save that succeeds is remembered.
  dialogs.fileNames = {path(QStringLiteral("good.DAT"))};
  trigger("mnuFileSaveAs");
  EXPECT_EQ(window->settings().lastFolder(), dir.path());
}

TEST_F(UnsavedWorkTest, TheEnterThatDismissesAMessageIsNotSubmittedAgain) {
  loadCorpus(kCorpusId);
  modifyOn();
  auto* info = child<QLineEdit>("VendorInfo");

  clickCell(16);  // week
  QTest::mouseClick(info, Qt::LeftButton);
  info->selectAll();
  QTest::keyClicks(info, QStringLiteral("53"));
  QTest::keyClick(info, Qt::Key_Return);
  ASSERT_EQ(dialogs.messageTexts(), QStringList{"Max value is 52"});
  // The box closes on the press; only the release reaches the entry.
  QTest::keyRelease(info, Qt::Key_Return);
  EXPECT_EQ(dialogs.messages.size(), 1u);

  clickCell(8);  // manufacturer
  const QString byte8 = cell(8)->text(), byte9 = cell(9)->text();
  QTest::mouseClick(info, Qt::LeftButton);
  info->selectAll();
  QTest::keyClicks(info, QStringLiteral("Q1"));
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[1].text, QStringLiteral("A-Z Only"));
  QTest::keyRelease(info, Qt::Key_Return);
  EXPECT_EQ(cell(8)->text(), byte8);
  EXPECT_EQ(cell(9)->text(), byte9);
  EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(UnsavedWorkTest, TheSectionFrameFollowsAFocusThatCameWithActivation) {
  loadCorpus(kCorpusId);
  clickCell(0);
  ASSERT_EQ(visibleFrames(), std::vector<int>{0});

  // A click into the window while a dialog has the activation: the cell gets the
  // focus only when the window becomes active again.
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  cell(36)->setFocus(Qt::MouseFocusReason);
  other.hide();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  ASSERT_EQ(QApplication::focusWidget(), cell(36));
  EXPECT_EQ(visibleFrames(), std::vector<int>{6});  // established timings II
}

}  // namespace
}  // namespace edid::gui::test
