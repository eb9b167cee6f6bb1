// The hex calculator's window beside the decoding screen, the About box and --version.
#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiSubWindow>
#include <QRadioButton>

#include "editor_fixture.h"
#include "gui/calculator/hex_calculator_window.h"
#include "gui/shell/child_sub_window.h"
#include "gui/shell/editor.h"
#include "support/project_version.h"

namespace edid::gui::test {
namespace {

using CalculatorWindowTest = EditorTest;

TEST_F(CalculatorWindowTest, F9OpensItBesideTheScreenAndItComputes) {
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

  // 26 in decimal, shown as 1A in hex; the key 5 appends a hex digit.
  QTest::mouseClick(calc->key(2), Qt::LeftButton);
  QTest::mouseClick(calc->key(6), Qt::LeftButton);
  EXPECT_FALSE(calc->key(HexCalculator::kDigitA)->isEnabled());
  QTest::mouseClick(calc->option(0), Qt::LeftButton);
  EXPECT_EQ(calc->display()->text(), QStringLiteral("1A"));
  EXPECT_TRUE(calc->key(HexCalculator::kDigitA)->isEnabled());
  EXPECT_FALSE(calc->key(HexCalculator::kPoint)->isEnabled());
  QTest::keyClick(calc, Qt::Key_5);
  EXPECT_EQ(calc->display()->text(), QStringLiteral("1A5"));
  QTest::keyClick(calc, Qt::Key_Slash, Qt::KeypadModifier);
  QTest::keyClick(calc, Qt::Key_0, Qt::KeypadModifier);
  EXPECT_TRUE(dialogs.messages.empty());
  QTest::mouseClick(calc->key(HexCalculator::kEnter), Qt::LeftButton);
  ASSERT_EQ(dialogs.messageTexts(), QStringList{QStringLiteral("Division by zero")});
  EXPECT_EQ(dialogs.messages[0].title, kTitle);
  EXPECT_EQ(program().calculator()->ResultsCell.text, "421");

  // The keyboard's operators, Enter, Escape and Backspace act as their buttons do.
  QTest::keyClick(calc, Qt::Key_Escape);
  QTest::keyClicks(calc, QStringLiteral("12+30"));
  QTest::keyClick(calc, Qt::Key_Return);
  EXPECT_EQ(calc->display()->text(), QStringLiteral("42"));
  QTest::keyClick(calc, Qt::Key_Backspace);
  EXPECT_EQ(calc->display()->text(), QStringLiteral("4"));

  // F9 again keeps the one calculator; File Close on it closes it.
  QTest::keyClick(window.get(), Qt::Key_F9);
  EXPECT_EQ(window->mdiArea()->subWindowList().size(), 2);
  window->findChild<QAction*>(QStringLiteral("mnuFileClose"))->trigger();
  EXPECT_EQ(window->calculatorWindow(), nullptr);
  EXPECT_FALSE(program().common().CalculatorOpen);
  EXPECT_EQ(program().calculator(), nullptr);
}

TEST_F(CalculatorWindowTest, BesideItTheScreenScrollsRatherThanCutACaption) {
  loadCorpus(kCorpusId);
  QTest::keyClick(window.get(), Qt::Key_F9);
  ASSERT_NE(window->calculatorWindow(), nullptr);
  // The screen keeps to its tile, beside the calculator and inside the area.
  const QRect tile = window->screenSubWindow()->geometry();
  EXPECT_TRUE(window->mdiArea()->viewport()->rect().contains(tile));
  EXPECT_FALSE(tile.intersects(window->calculatorSubWindow()->geometry()));
  EXPECT_LT(tile.width(), screen()->sizeHint().width());  // so it must scroll

  // Every caption at its full width, inside each frame around it: what does not fit
  // the tile is scrolled, not cut. One cell of each section shows every frame.
  const QWidget* content = screen()->findChild<QWidget*>(QStringLiteral("content"));
  ASSERT_NE(content, nullptr);
  for (int index : {0, 8, 18, 20, 25, 35, 36, 37, 38, 54, 72, 90, 108, 126}) {
    window->forward([&] { program().screen()->txtEdit_GotFocus(index); });
    QCoreApplication::processEvents();
    for (QWidget* widget : content->findChildren<QWidget*>()) {
      auto* label = qobject_cast<QLabel*>(widget);
      const bool caption = (label && !label->wordWrap()) || qobject_cast<QAbstractButton*>(widget);
      if (!caption || !widget->isVisible()) continue;
      const std::string name = widget->objectName().toStdString();
      EXPECT_LE(widget->sizeHint().width(), widget->width()) << name << " at cell " << index;
      for (const QWidget* inner = widget; inner != content; inner = inner->parentWidget())
        EXPECT_TRUE(inner->parentWidget()->rect().contains(inner->geometry()))
            << name << " cut by " << inner->parentWidget()->objectName().toStdString();
    }
  }
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
    // Relative PATH entries name the current folder, whatever it holds: never searched.
    const QString current = QDir::currentPath();
    QDir::setCurrent(bin);
    qputenv("PATH", ".::bin");
    QTest::mouseClick(sysInfo, Qt::LeftButton);
    QDir::setCurrent(current);
    qputenv("PATH", bin.toLocal8Bit());
    QTest::mouseClick(sysInfo, Qt::LeftButton);
    started =
        QTest::qWaitFor([&] { return QFile::exists(bin + QStringLiteral("/kinfocenter.ran")); });
    qputenv("PATH", oldPath);
  });
  EXPECT_EQ(versionLine, kTitle + QStringLiteral("\nVersion ") + QString::fromStdString(version));
  EXPECT_EQ(dialogs.messageTexts(),
            QStringList(2, QStringLiteral("System Information Is Unavailable At This Time")));
  EXPECT_TRUE(started);

  EditorOptions options;
  QString error;
  ASSERT_TRUE(parseEditorArguments({"edidedit", "--version"}, options, &error));
  EXPECT_EQ(options.printText,
            QStringLiteral("edidedit %1\n").arg(QString::fromStdString(version)));
}

}  // namespace
}  // namespace edid::gui::test
