// The retrieve command over fake sysfs trees and registry export files.
#include <gtest/gtest.h>

#include "core/shell/program.h"
#include "support/corpus.h"
#include "support/fake_host.h"
#include "support/fake_sources.h"
#include "support/temp_dir.h"

namespace edid {
namespace {

using test::asText;
using test::corpusBytes;
using test::writeConnector;

class RetrieveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program.sysfsRoot = (dir.path / "drm").string();
    program.modelListFolders.clear();
  }
  std::vector<std::string> cells() const {
    std::vector<std::string> out;
    if (!program.screen()) return out;
    for (int i = 0; i < kEdidSize; ++i) out.push_back(program.screen()->image.cell(i));
    return out;
  }
  static std::vector<std::string> hexCells(std::vector<std::uint8_t> bytes) {
    static const char* digits = "0123456789ABCDEF";
    bytes.resize(kEdidSize, 0);
    std::vector<std::string> out;
    for (const auto byte : bytes) out.push_back({digits[byte >> 4], digits[byte & 15]});
    return out;
  }

  test::TempDir dir{"retrieve"};
  test::FakeHost host;
  Program program{host};
};

TEST_F(RetrieveTest, ReadsTheChosenMonitorAsAnUnnamedImage) {
  // Nothing attached: one message, no screen.
  program.GetEDIDData_Click();
  EXPECT_EQ(host.messages, std::vector<std::string>{"Unable to locate EDID Data. \r\n\r\n"
                                                    "No connected monitor reports an EDID."});
  EXPECT_EQ(program.screen(), nullptr);

  // One monitor: read without asking.
  const auto drm = dir.path / "drm";
  writeConnector(drm, "card0-DP-1", "connected", asText(corpusBytes("000CCAC2C577")));
  writeConnector(drm, "card0-HDMI-A-1", "disconnected", "");
  host.messages.clear();
  program.GetEDIDData_Click();
  EXPECT_TRUE(host.monitorLists.empty());
  EXPECT_TRUE(host.messages.empty());
  ASSERT_NE(program.screen(), nullptr);
  EXPECT_EQ(cells(), hexCells(corpusBytes("000CCAC2C577")));
  EXPECT_EQ(program.common().ManufacturerText, "VSC");  // decoded

  // Two: the user picks the second, a 256-byte EDID: the base block in the cells,
  // the CTA-861 block beside them.
  writeConnector(drm, "card1-DP-2", "connected", asText(corpusBytes("04963C21B2E3")));
  program.common().CurrentFilePath = "old.DAT";
  host.monitorAnswers = {1};
  program.GetEDIDData_Click();
  ASSERT_EQ(host.monitorLists.size(), 1u);
  const auto& offered = host.monitorLists[0];
  ASSERT_EQ(offered.size(), 2u);
  EXPECT_EQ(offered[0].productCode, "7D20");  // 32032
  EXPECT_EQ(offered[0].name, "VA926 Series");
  EXPECT_EQ(offered[1].connector, "DP-2");
  auto base = corpusBytes("04963C21B2E3");
  base.resize(kEdidSize);
  EXPECT_EQ(cells(), hexCells(base));
  EXPECT_EQ(program.screen()->image.cell(128), "");  // nothing spills past the image
  const auto whole = corpusBytes("04963C21B2E3");
  EXPECT_EQ(program.screen()->image.extension(),
            std::vector<std::uint8_t>(whole.begin() + kEdidSize, whole.end()));
  EXPECT_EQ(program.common().CurrentFilePath, "");
  EXPECT_FALSE(program.common().UnsavedChanges);

  // Cancelling the choice changes nothing.
  host.monitorAnswers = {-1};
  program.GetEDIDData_Click();
  EXPECT_EQ(cells(), hexCells(base));
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(RetrieveTest, ShortAndDamagedDataStillLoad) {
  const auto drm = dir.path / "drm";
  // A truncated file: the missing cells become 00 and the user hears of it.
  auto bytes = corpusBytes("000CCAC2C577");
  bytes.resize(100);
  writeConnector(drm, "card0-DP-1", "connected", asText(bytes));
  program.GetEDIDData_Click();
  EXPECT_EQ(cells(), hexCells(bytes));
  EXPECT_EQ(host.messages,
            std::vector<std::string>{"The EDID read has only 100 bytes; the rest is set to 00."});

  // A broken header is read five times, then loaded all the same.
  auto broken = corpusBytes("000CCAC2C577");
  broken[0] = 0x12;
  writeConnector(drm, "card0-DP-1", "connected", asText(broken));
  host.messages.clear();
  program.GetEDIDData_Click();
  EXPECT_EQ(cells(), hexCells(broken));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_FALSE(program.common().UnsavedChanges);
}

TEST_F(RetrieveTest, SearchesARegistryExportBelowTheBaseLocation) {
  const std::string edid = asText(corpusBytes("000CCAC2C577"));
  const std::string display = "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\VSC7D20";
  const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\" +
                           display + "\\5&1\\Control]\r\n\r\n[HKEY_LOCAL_MACHINE\\" + display +
                           "\\5&1\\Device Parameters]\r\n" +
                           test::regHexValue("edid", edid.substr(0, 60));
  program.registryFile = dir.file("monitor.reg");
  test::writeBytes(program.registryFile, test::regFileBytes(text, true));
  // The sysfs road would find this one; the registry road must not look there.
  writeConnector(dir.path / "drm", "card0-DP-1", "connected", asText(corpusBytes("2725930DC0B4")));

  program.GetEDIDData_Click();
  auto expected = corpusBytes("000CCAC2C577");
  expected.resize(60);
  EXPECT_EQ(cells(), hexCells(expected));
  EXPECT_EQ(host.messages,
            std::vector<std::string>{"The EDID read has only 60 bytes; the rest is set to 00."});

  // A base location without any EDID below it: the two-paragraph message, no change.
  host.messages.clear();
  program.common().RegistryBaseLocation =
      "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\VSC7D20\\5&1\\Control";
  test::writeBytes(program.registryFile,
                   "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\" + display + "\\5&1\\Control]\r\n");
  program.GetEDIDData_Click();
  EXPECT_EQ(host.messages,
            std::vector<std::string>{"Unable to locate EDID Data. \r\n\r\nUsing the Control Panel, "
                                     "please make sure that a Monitor has been Detected by "
                                     "Windows 2000"});
  EXPECT_EQ(cells(), hexCells(expected));

  // A broken file says why and changes nothing.
  host.messages.clear();
  test::writeBytes(program.registryFile, "REGEDIT4\r\n\"EDID\"=hex:00\r\n");
  program.GetEDIDData_Click();
  EXPECT_EQ(host.messages, std::vector<std::string>{"Cannot read " + program.registryFile +
                                                    ": line 2: a value before the first key"});
  EXPECT_EQ(cells(), hexCells(expected));
}

}  // namespace
}  // namespace edid
