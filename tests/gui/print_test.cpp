// Printing through the printer dialog and Page Setup, and --print-to-pdf of the
// real editor.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextEdit>

#include "editor_fixture.h"
#include "gui/report/document_window.h"

namespace edid::gui::test {
namespace {

const QString kDataDir = QStringLiteral(EDID_TEST_DATA_DIR);
// A data file is the report text itself, so an expected report opens as a data file.
const QString kDataFile = kDataDir + QStringLiteral("/E24B3C9FE3E6.report");
const QByteArray kGoldenEpoch = "1796478330";

QString readText(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

// The text of a PDF, laid out as printed; empty when poppler is missing.
QString pdfTool(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

// Every non-blank line of expected appears in actual, in order, spacing aside.
std::string missingLine(const QString& expected, const QString& actual) {
  const QStringList have = actual.split(QLatin1Char('\n'));
  qsizetype at = 0;
  for (const QString& line : expected.split(QLatin1Char('\n'))) {
    const QString want = line.simplified();
    if (want.isEmpty()) continue;
    while (at < have.size() && have[at].simplified() != want) ++at;
    if (at == have.size()) return line.toStdString();
    ++at;
  }
  return {};
}

bool havePoppler() {
  return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
         !QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty();
}

class PrintTest : public EditorTest {
 protected:
  void SetUp() override {
    m_epoch = qgetenv("SOURCE_DATE_EPOCH");
    qputenv("SOURCE_DATE_EPOCH", kGoldenEpoch);
    EditorTest::SetUp();
  }
  void TearDown() override {
    EditorTest::TearDown();
    if (m_epoch.isEmpty())
      qunsetenv("SOURCE_DATE_EPOCH");
    else
      qputenv("SOURCE_DATE_EPOCH", m_epoch);
  }
  // Opens the expected report's data file, naming the monitor from the test model list.
  void openDataFile() {
    program().modelListFolders = {kDataDir.toStdString()};
    dialogs.fileNames = {kDataFile};
    trigger("mnuFileOpen");
    ASSERT_TRUE(dialogs.messages.empty())
        << dialogs.messageTexts().join(QLatin1Char('\n')).toStdString();
  }
  QByteArray m_epoch;
};

TEST_F(PrintTest, PrintOffersTheSelectionPrintsItAndClosesTheReport) {
  if (!havePoppler()) GTEST_SKIP() << "pdftotext/pdffonts (poppler-utils) are not installed";
  openDataFile();
  trigger("mnuFilePrint");  // cancelled: nothing built
  ASSERT_EQ(dialogs.printRequests.size(), 1u);
  EXPECT_FALSE(dialogs.printRequests[0].selection);
  EXPECT_EQ(window->documentWindow(), nullptr);

  // Page Setup's choice holds for the next print.
  trigger("mnuFilePageSetup");

  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  QTextEdit* box = window->documentWindow()->textBox();
  const QString heading = QStringLiteral("128 BYTES OF EDID CODE:");
  QTextCursor cursor = box->document()->find(heading);
  ASSERT_FALSE(cursor.isNull());
  cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, 4);
  cursor.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
  box->setTextCursor(cursor);
  const QString selected = window->documentWindow()->selectedText();

  const QString pdf = path(QStringLiteral("selection.pdf"));
  dialogs.printToFile = pdf;
  trigger("mnuFilePrint");
  ASSERT_EQ(dialogs.printRequests.size(), 2u);
  EXPECT_TRUE(dialogs.printRequests[1].selection);
  EXPECT_EQ(dialogs.printRequests[1].printer->pageLayout().orientation(), QPageLayout::Landscape);
  EXPECT_FALSE(program().common().DocumentOpen);

  const QString printed =
      pdfTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  EXPECT_EQ(missingLine(selected, printed), "");
  EXPECT_FALSE(printed.contains(QStringLiteral("Time:")));

  // A printer that cannot start says so.
  dialogs.printToFile = path(QStringLiteral("no/such/folder/out.pdf"));
  trigger("mnuFilePrint");
  EXPECT_EQ(dialogs.messageTexts(), QStringList{"Cannot print: the printer did not start"});
}

// The editor binary itself, as a script runs it: no display, no window.
class PrintToPdf : public ::testing::Test {
 protected:
  int run(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("SOURCE_DATE_EPOCH"), QString::fromLatin1(kGoldenEpoch));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(EDIDEDIT_PATH), arguments);
    if (!process.waitForFinished(60000)) return -1;
    standardOutput = process.readAllStandardOutput().toStdString();
    standardError = process.readAllStandardError().toStdString();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  }
  QTemporaryDir dir, runtime;
  std::string standardOutput, standardError;
};

TEST_F(PrintToPdf, WritesTheReportInAFixedPitchFontOrSaysWhyNot) {
  if (!havePoppler()) GTEST_SKIP() << "pdftotext/pdffonts (poppler-utils) are not installed";
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("edidedit")));
  ASSERT_TRUE(QFile::copy(kDataDir + QStringLiteral("/models.inf"),
                          dir.filePath(QStringLiteral("edidedit/models.inf"))));
  const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
  ASSERT_EQ(run({QStringLiteral("--print-to-pdf"), pdf, kDataFile}), 0) << standardError;
  EXPECT_EQ(standardOutput + standardError, "");
  const QString printed =
      pdfTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  EXPECT_EQ(missingLine(readText(kDataFile), printed), "");
  const QStringList fonts =
      pdfTool(QStringLiteral("pdffonts"), {pdf}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(fonts.size(), 3)
      << fonts.join(QLatin1Char('\n')).toStdString();  // heading, rule, one font
  EXPECT_TRUE(fonts[2].contains(QStringLiteral("Mono")) ||
              fonts[2].contains(QStringLiteral("Courier")))
      << fonts[2].toStdString();

  // The creation date is SOURCE_DATE_EPOCH's moment, Sat Dec 05, 2026 13:45:30 UTC.
  QFile written(pdf);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_TRUE(written.readAll().contains("/CreationDate (D:20261205134530Z)"));

  // Each failure names the program and the file, and writes nothing.
  const QString text = dir.filePath(QStringLiteral("notes.txt"));
  QFile notes(text);
  ASSERT_TRUE(notes.open(QIODevice::WriteOnly) && notes.write("no EDID here\n") > 0);
  notes.close();
  const QString nowhere = dir.filePath(QStringLiteral("none/report.pdf"));
  const std::string nothing = ": No such file or directory\n";
  struct Row {
    QString out, in;
    std::string error;
  };
  for (const Row& row : {
           Row{nowhere, kDataFile, "edidedit: Cannot print to " + nowhere.toStdString() + nothing},
           Row{dir.path() + QStringLiteral("/./notes.txt"), text,
               "edidedit: " + dir.path().toStdString() +
                   "/./notes.txt: is the EDID file itself; the PDF needs another name\n"},
       }) {
    EXPECT_NE(run({QStringLiteral("--print-to-pdf"), row.out, row.in}), 0);
    EXPECT_EQ(standardError, row.error);
  }
  EXPECT_EQ(readText(text), QStringLiteral("no EDID here\n"));
}

}  // namespace
}  // namespace edid::gui::test
