// Retrieve EDID Data and the registry base location dialog in the editor.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>

#include "core/registry/reg_file.h"
#include "editor_fixture.h"
#include "gui/registry/base_location_dialog.h"
#include "gui/shell/editor_settings.h"
#include "support/fake_sources.h"

namespace edid::gui::test {
namespace {

using edid::test::asText;
using edid::test::corpusBytes;

using RetrieveTest = EditorTest;

TEST_F(RetrieveTest, LoadsTheChosenMonitorAsAnUnnamedImage) {
  const std::filesystem::path drm = path(QStringLiteral("drm")).toStdString();
  program().sysfsRoot = drm.string();
  edid::test::writeConnector(drm, "card0-DP-1", "connected", asText(corpusBytes("2725930DC0B4")));
  edid::test::writeConnector(drm, "card0-HDMI-A-1", "disconnected", "");
  edid::test::writeConnector(drm, "card1-DP-2", "connected", asText(corpusBytes(kCorpusId)));
  program().common().CurrentFilePath = "/tmp/old.DAT";
  dialogs.monitorAnswers = {1};

  QTest::keyClick(window.get(), Qt::Key_F5, Qt::ControlModifier);

  // What the list holds and the image's state are the core's; here the rows reach the
  // dialog and the chosen monitor reaches the widgets.
  ASSERT_EQ(dialogs.monitorLists.size(), 1u);
  EXPECT_EQ(dialogs.monitorLists[0][1], (QStringList{"DP-2", "VSC", "7D20", "VA926 Series"}));
  ASSERT_NE(screen(), nullptr);
  EXPECT_EQ(cellTexts(), corpusTexts(kCorpusId));
  EXPECT_EQ(child<QLabel>("lbVendor_0")->text(), QStringLiteral("Manufacturer - VSC"));
}

TEST_F(RetrieveTest, BaseLocationDialogTestsKeepsAndCancels) {
  EXPECT_TRUE(window->findChild<QAction*>(QStringLiteral("Windows2000"))->isVisible());
  const std::string reg = path(QStringLiteral("customer.reg")).toStdString();
  edid::test::writeBytes(
      reg, edid::test::regFileBytes(
               "Windows Registry Editor Version 5.00\r\n\r\n"
               "[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001\\Enum\\DISPLAY\\VSC7D20\\1\\Control]\r\n"
               "[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001\\Enum\\DISPLAY\\VSC7D20\\1\\Device "
               "Parameters]\r\n" +
                   edid::test::regHexValue("EDID", asText(corpusBytes(kCorpusId))),
               true));
  BaseLocationDialog dialog(program(), window->settings(), dialogs, window.get());
  auto* text1 = dialog.findChild<QLineEdit*>(QStringLiteral("Text1"));
  auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("txtRegistryFile"));
  EXPECT_EQ(text1->text(), QStringLiteral("SYSTEM\\CurrentControlSet\\Enum\\Display"));

  text1->setText(QStringLiteral("SYSTEM\\ControlSet001\\Enum\\DISPLAY"));
  dialogs.fileNames = {QString::fromStdString(reg)};
  QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdBrowse")), Qt::LeftButton);
  EXPECT_EQ(file->text().toStdString(), reg);
  QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Command1_2")), Qt::LeftButton);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(
      dialogs.messages[0].text,
      QStringLiteral("EDID found in HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001\\Enum\\DISPLAY"
                     "\\VSC7D20\\1\\Device Parameters\r\n\r\nSize: 128 bytes\r\n"
                     "Manufacturer: VSC\r\nProduct code: 7D20\r\nMonitor name: VA926 Series"));

  // Cancel keeps everything as it was.
  QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Command1_1")), Qt::LeftButton);
  EXPECT_EQ(program().common().RegistryBaseLocation, "SYSTEM\\CurrentControlSet\\Enum\\Display");
  EXPECT_EQ(program().registryFile, "");

  // OK keeps both, for this run and the next; Retrieve then searches the file.
  text1->setText(QStringLiteral("SYSTEM\\ControlSet001"));
  QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Command1_0")), Qt::LeftButton);
  EXPECT_EQ(program().common().RegistryBaseLocation, "SYSTEM\\ControlSet001");
  EXPECT_EQ(program().registryFile, reg);
  QSettings stored(settingsPath(), QSettings::IniFormat);
  EXPECT_EQ(stored.value(QStringLiteral("Settings/Windows2000RegBaseLocation")).toString(),
            QStringLiteral("SYSTEM\\ControlSet001"));
  EXPECT_EQ(stored.value(QStringLiteral("Settings/RegistryFile")).toString().toStdString(), reg);
  trigger("GetEDIDData");
  EXPECT_EQ(cellTexts(), corpusTexts(kCorpusId));
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

}  // namespace
}  // namespace edid::gui::test
