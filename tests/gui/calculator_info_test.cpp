// The hex calculator's window beside the decoding screen, the About box and --version.
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiSubWindow>

#include "editor_fixture.h"
#include "gui/calculator/hex_calculator_window.h"
#include "gui/shell/child_sub_window.h"
#include "gui/shell/editor.h"
#include "support/project_version.h"

namespace edid::gui::test {
namespace {

using CalculatorWindowTest = EditorTest;

TEST_F(CalculatorWindowTest, F9OpensItBesideTheScreenOnce) {
  loadCorpus(kCorpusId);
  QTest::keyClick(window.get(), Qt::Key_F9);
  HexCalculatorWindow* calc = window->calculatorWindow();
  ASSERT_NE(calc, nullptr);
  EXPECT_TRUE(program().common().CalculatorOpen);
  EXPECT_EQ(calc->windowTitle(), QStringLiteral("Hex Calculator"));
  // Tiled side by side: the screen on the left, the calculator active on the right.
  const QRect left = window->screenSubWindow()->geometry();
  const QRect right = window->calculatorSubWindow()->geometry();
  EXPECT_EQ(left.left(), 0);
  EXPECT_EQ(left.top(), right.top());
  EXPECT_GE(right.left(), left.right());
  EXPECT_EQ(window->mdiArea()->activeSubWindow(), window->calculatorSubWindow());

  // F9 again keeps the one calculator; File Close on it closes it.
  QTest::keyClick(window.get(), Qt::Key_F9);
  EXPECT_EQ(window->mdiArea()->subWindowList().size(), 2);
  window->findChild<QAction*>(QStringLiteral("mnuFileClose"))->trigger();
  EXPECT_EQ(window->calculatorWindow(), nullptr);
  EXPECT_FALSE(program().common().CalculatorOpen);
  EXPECT_EQ(program().calculator(), nullptr);
}

// Runs a Help menu item and hands its modal window to inspect before it closes.
void runModal(MainWindow& window, const char* item, const std::function<void(QDialog&)>& inspect) {
  bool seen = false;
  QTimer::singleShot(0, &window, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    seen = true;
    inspect(*dialog);
    dialog->reject();
  });
  window.findChild<QAction*>(QLatin1String(item))->trigger();
  EXPECT_TRUE(seen) << item;
}

TEST_F(CalculatorWindowTest, AboutShowsTheProjectVersionAndStartsSystemInfo) {
  const std::string version = edid::test::projectVersion();
  ASSERT_FALSE(version.empty());
  const QByteArray oldPath = qgetenv("PATH");
  QDir(dir.path()).mkdir(QStringLiteral("bin"));
  const QString bin = dir.filePath(QStringLiteral("bin"));
  QString versionLine;
  bool started = false;
  runModal(*window, "mnuHelpAbout", [&](QDialog& about) {
    versionLine = about.findChild<QLabel*>(QStringLiteral("lblVersion"))->text();
    auto* sysInfo = about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
    qputenv("PATH", bin.toLocal8Bit());
    QTest::mouseClick(sysInfo, Qt::LeftButton);  // nothing installed
    // A stand-in system information program that leaves a mark when it runs.
    QFile script(bin + QStringLiteral("/kinfocenter"));
    script.open(QIODevice::WriteOnly);
    script.write("#!/bin/sh\n: > \"$0.ran\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QTest::mouseClick(sysInfo, Qt::LeftButton);
    started =
        QTest::qWaitFor([&] { return QFile::exists(bin + QStringLiteral("/kinfocenter.ran")); });
    qputenv("PATH", oldPath);
  });
  EXPECT_EQ(versionLine, kTitle + QStringLiteral("\nVersion ") + QString::fromStdString(version));
  EXPECT_EQ(dialogs.messageTexts(), QStringList{"System Information Is Unavailable At This Time"});
  EXPECT_TRUE(started);

  EditorOptions options;
  QString error;
  ASSERT_TRUE(parseEditorArguments({"edidedit", "--version"}, options, &error));
  EXPECT_EQ(options.printText,
            QStringLiteral("edidedit %1\n").arg(QString::fromStdString(version)));
}

}  // namespace
}  // namespace edid::gui::test
