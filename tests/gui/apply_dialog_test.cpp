// File > Apply to This Computer: the commands shown, and the EEPROM write's confirmation.
#include <QPlainTextEdit>
#include <QRadioButton>

#include "editor_fixture.h"
#include "gui/apply/apply_dialog.h"
#include "support/fake_sources.h"

namespace edid::gui::test {
namespace {

using edid::test::asText;
using edid::test::corpusBytes;

using ApplyTest = EditorTest;

TEST_F(ApplyTest, ShowsTheCommandsAndConfirmsTheEepromWrite) {
  const std::filesystem::path drm = path(QStringLiteral("drm")).toStdString();
  program().sysfsRoot = drm.string();
  edid::test::writeConnector(drm, "card0-HDMI-A-1", "disconnected", "");
  edid::test::writeConnector(drm, "card1-DP-1", "connected", asText(corpusBytes(kCorpusId)));
  loadCorpus(kCorpusId);

  trigger("ApplyToComputer");
  auto* dialog = window->findChild<ApplyDialog*>(QStringLiteral("frmApply"));
  ASSERT_NE(dialog, nullptr);
  std::vector<QStringList> ran;
  dialog->runner = [&ran](const QString& program, const QStringList& arguments) {
    ran.push_back(QStringList{program} + arguments);
    return QStringLiteral("ran");
  };
  auto* commands = dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtCommands"));
  // The connected monitor is chosen; the file handed over holds the image.
  const QStringList firmware = dialog->commandArguments();
  ASSERT_EQ(firmware.size(), 4);
  EXPECT_EQ(firmware.mid(0, 3), (QStringList{"install", "--connector", "DP-1"}));
  EXPECT_EQ(edid::test::readFile(firmware[3].toStdString()), asText(corpusBytes(kCorpusId)));
  EXPECT_TRUE(commands->toPlainText().startsWith(
      "Runs as root:\n  pkexec edidtool install --connector DP-1 " + firmware[3]));
  EXPECT_TRUE(commands->toPlainText().contains("  drm.edid_firmware=DP-1:edid/VSC-7D20.bin\n"));

  dialog->findChild<QRadioButton*>(QStringLiteral("optEeprom"))->click();
  const QStringList write{"write",     "--connector", "DP-1",
                          firmware[3], "--backup",    dialog->backupPath()};
  EXPECT_EQ(dialog->commandArguments(), write);
  QPushButton* apply = dialog->findChild<QPushButton*>(QStringLiteral("cmdApply"));
  dialogs.answers = {false};
  apply->click();
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0].text,
            "Write this EDID into the EEPROM of the monitor on DP-1, VSC 7D20 (VA926 Series)?\n\n"
            "Its old bytes are saved first to " +
                dialog->backupPath() + ".");
  EXPECT_TRUE(ran.empty());
  dialogs.answers = {true};
  apply->click();
  ASSERT_EQ(ran.size(), 1u);
  EXPECT_EQ(ran[0].first(), QStringLiteral("pkexec"));
  EXPECT_EQ(ran[0].mid(2), write);
  EXPECT_TRUE(commands->toPlainText().endsWith("\nran"));
  dialog->close();
}

}  // namespace
}  // namespace edid::gui::test
