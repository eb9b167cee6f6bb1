// The File menu flows through the editor, with scripted dialogs and answers.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "editor_fixture.h"
#include "gui/shell/editor.h"

namespace edid::gui::test {
namespace {

class FileFlowsTest : public EditorTest {
 protected:
  QByteArray contents(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
  }
};

TEST_F(FileFlowsTest, SaveAsThenOpenBringsBackTheSameCells) {
  const QString file = path(QStringLiteral("monitor.DAT"));
  loadCorpus(kCorpusId);
  dialogs.fileNames = {file};
  trigger("mnuFileSaveAs");
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  // The name comes from the manufacturer VSC and product code 32032 = 0x7D20 (bytes
  // 10-11 are 20 7D, little-endian).
  EXPECT_EQ(dialogs.fileRequests[0].folder,
            QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                .filePath(QStringLiteral("VSC7D20.DAT")));
  ASSERT_TRUE(contents(file).contains("128 BYTES OF EDID CODE:"));
  trigger("mnuFileClose");

  dialogs.fileNames = {file};
  trigger("mnuFileOpen");
  ASSERT_NE(screen(), nullptr);
  ASSERT_EQ(dialogs.fileRequests.size(), 2u);
  EXPECT_EQ(dialogs.fileRequests[1].folder, dir.path());  // the folder last used
  EXPECT_EQ(screen()->windowTitle(), file + QStringLiteral("[*]"));
  EXPECT_EQ(cellTexts(), corpusTexts(kCorpusId));
  EXPECT_EQ(QApplication::focusWidget(), cell(0));
}

TEST(EditorStartFileTest, OpensTheDataFileGivenAtStartWithModifyAndCell) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("start.DAT"));
  ScriptedDialogs dialogs;
  saveCorpusDataFile(kCorpusId, file, dir, dialogs);
  EditorOptions options;
  options.splash = false;
  options.dialogs = &dialogs;
  options.settingsFile = dir.filePath(QStringLiteral("settings.ini"));
  options.openPath = file;
  options.modify = true;
  options.focusCell = 13;
  options.size = QSize(1000, 700);
  const std::unique_ptr<MainWindow> window = startEditor(options);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  EdidScreenWidget* screen = window->screenWidget();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(window->size(), QSize(1000, 700));
  EXPECT_EQ(screen->cell(8)->text(),
            QString::fromStdString(edid::test::corpusImage(kCorpusId).cell(8)));
  EXPECT_FALSE(screen->frame(1)->isHidden());
  EXPECT_FALSE(screen->cell(13)->isReadOnly());
  EXPECT_EQ(dialogs.fileRequests.size(), 1u);  // only the writer's Save As
  window->program().common().UnsavedChanges = false;
}

}  // namespace
}  // namespace edid::gui::test
