// edidtool monitors and read, on fake sysfs trees and registry exports.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/edidtool.h"
#include "core/common/data_file.h"
#include "support/corpus.h"
#include "support/fake_sources.h"
#include "support/run_tool.h"
#include "support/temp_dir.h"

namespace edid::cli {
namespace {

using test::asText;
using test::corpusBytes;

using test::Outcome;
using test::runTool;

class EdidtoolMonitors : public ::testing::Test {
 protected:
  void SetUp() override {
    test::writeConnector(drm, "card0-DP-1", "connected", asText(corpusBytes("000CCAC2C577")));
    test::writeConnector(drm, "card0-HDMI-A-1", "disconnected", "");
    test::writeConnector(drm, "card1-DP-2", "connected", asText(corpusBytes("04963C21B2E3")));
  }
  test::TempDir dir{"edidtool_monitors"};
  std::filesystem::path drmPath = dir.path / "drm";
  const std::filesystem::path& drm = drmPath;
  std::string root = drmPath.string();
};

TEST_F(EdidtoolMonitors, ListsEveryConnector) {
  const Outcome listed = runTool({"monitors", "--sysfs", root});
  EXPECT_EQ(listed.status, 0);
  EXPECT_EQ(listed.err, "");
  // VSC 32032 = 7D20 and its name, from the reference decoder's text of 000CCAC2C577.
  EXPECT_EQ(listed.out,
            "DP-1\tconnected\t128\tVSC\t7D20\tVA926 Series\n"
            "HDMI-A-1\tdisconnected\t0\t\t\t\n"
            // DLM, model 0, 'No Monitor': the reference text of 04963C21B2E3.
            "DP-2\tconnected\t256\tDLM\t0000\tNo Monitor\n");

  const Outcome none = runTool({"monitors", "--sysfs", dir.file("nothing")});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, "edidtool: no display connector in " + dir.file("nothing") + "\n");
  EXPECT_EQ(runTool({"monitors", "extra"}).status, 2);
  EXPECT_EQ(runTool({"monitors", "--sysfs"}).status, 2);
}

TEST_F(EdidtoolMonitors, OddConnectorsKeepOneLineEachAndSayWhatWentWrong) {
  namespace fs = std::filesystem;
  // The reproducer of a crash: an "edid" that is a folder.
  test::writeConnector(drm, "card2-DP-3", "connected", "");
  fs::remove(drm / "card2-DP-3" / "edid");
  fs::create_directory(drm / "card2-DP-3" / "edid");
  test::writeConnector(drm, "card2-odd\nname\t\\", "unknown", "");
  const Outcome listed = runTool({"monitors", "--sysfs", root});
  EXPECT_EQ(listed.status, 1);
  EXPECT_EQ(listed.out.substr(listed.out.find("DP-2\t")),
            "DP-2\tconnected\t256\tDLM\t0000\tNo Monitor\n"
            "DP-3\tconnected\t0\t\t\t\n"
            "odd\\nname\\t\\\\\tunknown\t0\t\t\t\n");
  EXPECT_EQ(listed.err, "edidtool: DP-3: cannot read: Is a directory\n");
  const Outcome read = runTool({"read", "DP-3", dir.file("x.bin"), "--sysfs", root});
  EXPECT_EQ(read.status, 1);
  EXPECT_EQ(read.err, "edidtool: DP-3: cannot read: Is a directory\n");

  // An endless "edid" is read up to 256 blocks, with a word about the rest.
  fs::remove(drm / "card2-DP-3" / "edid");
  fs::create_symlink("/dev/zero", drm / "card2-DP-3" / "edid");
  const Outcome endless = runTool({"read", "DP-3", dir.file("x.bin"), "--sysfs", root});
  EXPECT_EQ(endless.status, 0);
  EXPECT_EQ(endless.err, "edidtool: DP-3: the EDID read stops at 32 KiB (256 blocks)\n");
  EXPECT_EQ(fs::file_size(dir.file("x.bin")), 256u * 128);
}

TEST_F(EdidtoolMonitors, ReadsConnectorsAndRegistryExports) {
  // Raw output keeps every byte the monitor sent, extension block included.
  const std::string raw = dir.file("dp2.bin");
  EXPECT_EQ(runTool({"read", "card1-DP-2", raw, "--sysfs", root}).status, 0);
  EXPECT_EQ(test::readFile(raw), asText(corpusBytes("04963C21B2E3")));
  // Without a connector: the first connected one with an EDID.
  const Outcome first = runTool({"read", "--sysfs", root, dir.file("first.bin")});
  EXPECT_EQ(first.status, 0);
  EXPECT_EQ(first.err, "");
  EXPECT_EQ(test::readFile(dir.file("first.bin")), asText(corpusBytes("000CCAC2C577")));

  // A data file holds the base block's hex dump.
  EXPECT_EQ(runTool({"read", "DP-1", dir.file("dp1.DAT"), "--sysfs", root}).status, 0);
  const auto tokens = parseEdidCodeSection(test::readFile(dir.file("dp1.DAT")));
  ASSERT_TRUE(tokens);
  EXPECT_EQ((*tokens)[8], "5A");    // "VSC"
  EXPECT_EQ((*tokens)[127], "0C");  // the checksum byte of 000CCAC2C577
  // A monitor's extension block goes into the data file too, and back out raw.
  EXPECT_EQ(runTool({"read", "DP-2", dir.file("dp2.DAT"), "--sysfs", root}).status, 0);
  EXPECT_EQ(runTool({"convert", dir.file("dp2.DAT"), dir.file("dp2-back.bin")}).status, 0);
  EXPECT_EQ(test::readFile(dir.file("dp2-back.bin")), asText(corpusBytes("04963C21B2E3")));
  // "-" prints the report.
  const Outcome printed = runTool({"read", "DP-1", "-", "--sysfs", root});
  EXPECT_EQ(printed.status, 0);
  EXPECT_NE(printed.out.find("ID Manufacturer Name ________________  = VSC"), std::string::npos);

  const Outcome off = runTool({"read", "HDMI-A-1", dir.file("x.bin"), "--sysfs", root});
  EXPECT_EQ(off.status, 1);
  EXPECT_EQ(off.err, "edidtool: HDMI-A-1 reports no EDID (disconnected)\n");
  const Outcome unknown = runTool({"read", "VGA-1", dir.file("x.bin"), "--sysfs", root});
  EXPECT_EQ(unknown.err, "edidtool: no connector VGA-1 in " + root + "\n");
  const Outcome empty = runTool({"read", dir.file("x.bin"), "--sysfs", dir.file("nothing")});
  EXPECT_EQ(empty.status, 1);
  EXPECT_EQ(empty.err,
            "edidtool: no connected monitor reports an EDID in " + dir.file("nothing") + "\n");
  EXPECT_FALSE(std::filesystem::exists(dir.file("x.bin")));

  // The registry road: every byte of the value below the base location.
  const std::string reg = dir.file("monitor.reg");
  test::writeBytes(
      reg,
      test::regFileBytes("Windows Registry Editor Version 5.00\r\n\r\n"
                         "[HKEY_LOCAL_MACHINE\\SYSTEM\\Mine\\Monitor\\1\\Control]\r\n"
                         "[HKEY_LOCAL_MACHINE\\SYSTEM\\Mine\\Monitor\\1\\Device Parameters]\r\n" +
                             test::regHexValue("EDID", asText(corpusBytes("04963C21B2E3"))),
                         true));
  EXPECT_EQ(runTool({"read", "--registry", reg, "--base", "SYSTEM\\Mine", raw}).status, 0);
  EXPECT_EQ(test::readFile(raw), asText(corpusBytes("04963C21B2E3")));
  test::writeBytes(reg, "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\SYSTEM\\Mine\\1\\Control]\r\n");
  const Outcome none = runTool({"read", "--registry", reg, "--base", "SYSTEM\\Mine", raw});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.err, "edidtool: no EDID value at or below SYSTEM\\Mine in " + reg + "\n");
  test::writeBytes(reg, "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"EDID\"=hex:zz\r\n");
  const Outcome broken = runTool({"read", "--registry", reg, raw});
  EXPECT_EQ(broken.status, 1);
  EXPECT_EQ(broken.err, "edidtool: Cannot read " + reg +
                            ": line 3: hex data that is not comma-separated bytes\n");
  EXPECT_EQ(runTool({"read", "--registry", reg, "DP-1", raw}).status, 2);
}

}  // namespace
}  // namespace edid::cli
