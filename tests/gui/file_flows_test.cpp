// The File menu flows through the editor, with scripted dialogs and answers.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "editor_fixture.h"

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

}  // namespace
}  // namespace edid::gui::test
