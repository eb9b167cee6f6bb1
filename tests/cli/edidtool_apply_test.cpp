// edidtool install, uninstall, override and write on fake trees and a simulated EEPROM.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <set>
#include <sstream>

#include "cli/edidtool.h"
#include "core/apply/eeprom_write.h"
#include "support/as_user.h"
#include "support/corpus.h"
#include "support/fake_sources.h"
#include "support/run_tool.h"
#include "support/simulated_eeprom.h"
#include "support/temp_dir.h"

namespace edid::cli {
namespace {

namespace fs = std::filesystem;
using test::asText;
using test::corpusBytes;
using test::readFile;

using test::Outcome;
using test::runTool;

// Every file below root, relative to it.
std::set<std::string> filesBelow(const fs::path& root) {
  std::set<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (!entry.is_directory()) files.insert(fs::relative(entry.path(), root).string());
  return files;
}

// VSC 7D20 (model 32032 in the reference text), 128 bytes.
const std::string kVsc = "000CCAC2C577";
// VSC E735 (model 59189), 256 bytes.
const std::string kVscOther = "074A79D7A7DE";

class EdidtoolApply : public ::testing::Test {
 protected:
  std::string corpusFile(const std::string& id) { return test::corpusDir() + "/" + id + ".bin"; }
  test::TempDir dir{"edidtool_apply"};
};

TEST_F(EdidtoolApply, InstallAndUninstallLeaveExactlyTheirFiles) {
  const std::string root = dir.file("root");
  const std::string vsc = "lib/firmware/edid/VSC-7D20.bin", own = "lib/firmware/edid/desk.bin";
  struct Step {
    std::vector<std::string> args;
    int status;
    std::set<std::string> files;
  } steps[] = {
      {{"install", corpusFile(kVsc), "--connector", "DP-1", "--root", root},
       0,
       {vsc, "var/lib/edidedit/DP-1.firmware"}},
      {{"install", corpusFile(kVscOther), "--connector", "card1-HDMI-A-1", "--name", "desk",
        "--root", root},
       0,
       {vsc, own, "var/lib/edidedit/DP-1.firmware", "var/lib/edidedit/HDMI-A-1.firmware"}},
      // Refused: a name that is a path, a connector that is a path.
      {{"install", corpusFile(kVsc), "--connector", "DP-2", "--name", "../x", "--root", root},
       1,
       {vsc, own, "var/lib/edidedit/DP-1.firmware", "var/lib/edidedit/HDMI-A-1.firmware"}},
      {{"install", corpusFile(kVsc), "--connector", "../DP-2", "--root", root},
       1,
       {vsc, own, "var/lib/edidedit/DP-1.firmware", "var/lib/edidedit/HDMI-A-1.firmware"}},
      {{"uninstall", "--connector", "DP-1", "--root", root},
       0,
       {own, "var/lib/edidedit/HDMI-A-1.firmware"}},
      {{"uninstall", "--connector", "DP-1", "--root", root},
       1,
       {own, "var/lib/edidedit/HDMI-A-1.firmware"}},
      {{"uninstall", "--connector", "HDMI-A-1", "--root", root}, 0, {}},
  };
  for (const Step& step : steps) {
    const Outcome done = runTool(step.args);
    SCOPED_TRACE(step.args[0] + " " + step.args[2] + " " + done.err);
    EXPECT_EQ(done.status, step.status);
    EXPECT_EQ(filesBelow(root), step.files);
  }
  // The firmware file is the EDID, every block.
  runTool({"install", corpusFile(kVscOther), "--connector", "DP-1", "--root", root});
  EXPECT_EQ(readFile(root + "/lib/firmware/edid/VSC-E735.bin"), asText(corpusBytes(kVscOther)));
}

TEST_F(EdidtoolApply, InstallPrintsTheParameterAndTheBootSteps) {
  const Outcome done =
      runTool({"install", corpusFile(kVsc), "--connector", "DP-1", "--root", dir.file("r")});
  ASSERT_EQ(done.status, 0) << done.err;
  for (const char* line :
       {"  drm.edid_firmware=DP-1:edid/VSC-7D20.bin\n", "/etc/default/grub",
        "    sudo update-grub\n", "sudo kernelstub -a \"drm.edid_firmware=DP-1:edid/VSC-7D20.bin\"",
        "copy_file firmware /lib/firmware/edid/VSC-7D20.bin\n", "    sudo update-initramfs -u\n",
        "install_items+=\" /lib/firmware/edid/VSC-7D20.bin \"\n", "    sudo dracut --force\n"})
    EXPECT_NE(done.out.find(line), std::string::npos) << line;
}

TEST_F(EdidtoolApply, OverrideWritesInPlaceAndTriggersAHotplug) {
  const fs::path folder = dir.path / "debug/dri/0/DP-1";
  fs::create_directories(folder);
  test::writeText((folder / "edid_override").string(), std::string(300, 'x'));
  test::writeText((folder / "trigger_hotplug").string(), "");
  const std::string debugfs = dir.file("debug");
  const std::string edid = asText(corpusBytes(kVsc));

  Outcome done =
      runTool({"override", "--connector", "DP-1", corpusFile(kVsc), "--debugfs", debugfs});
  EXPECT_EQ(done.status, 0) << done.err;
  EXPECT_EQ(readFile((folder / "edid_override").string()), edid);
  EXPECT_EQ(readFile((folder / "trigger_hotplug").string()), "1");

  done = runTool({"override", "--connector", "DP-1", "--reset", "--debugfs", debugfs});
  EXPECT_EQ(done.status, 0) << done.err;
  EXPECT_EQ(readFile((folder / "edid_override").string()), "reset");

  done = runTool({"override", "--connector", "DP-2", corpusFile(kVsc), "--debugfs", debugfs});
  EXPECT_EQ(done.status, 1);
  EXPECT_EQ(done.err, "edidtool: no connector DP-2 with an edid_override in " + debugfs + "/dri\n");

  // debugfs is root's alone.
  ::chmod(debugfs.c_str(), 0700);
  const std::string said = test::asOrdinaryUser([&] {
    const Outcome refused =
        runTool({"override", "--connector", "DP-1", corpusFile(kVsc), "--debugfs", debugfs});
    return std::to_string(refused.status) + refused.err;
  });
  const std::string line =
      "edidtool override --connector DP-1 " + corpusFile(kVsc) + " --debugfs " + debugfs;
  EXPECT_EQ(said, "1edidtool: override needs root (Cannot read " + debugfs +
                      "/dri: Permission denied). Run it as root:\n  sudo " + line +
                      "\nor, from a desktop session:\n  pkexec " + line + "\n");
  EXPECT_EQ(readFile((folder / "edid_override").string()), "reset");
}

class EdidtoolWrite : public EdidtoolApply {
 protected:
  void SetUp() override {
    test::writeConnector(dir.path / "drm", "card0-DP-1", "connected", "");
    test::writeConnector(dir.path / "drm", "card0-HDMI-A-1", "connected", "");
    fs::create_directory_symlink("../../i2c-5", dir.path / "drm/card0-DP-1/ddc");
    test::writeConnector(dir.path / "drm", "card0-DP-2", "connected", "");
    fs::create_directory_symlink("../card0-HDMI-A-1", dir.path / "drm/card0-DP-2/ddc");
    chip.memory.replace(0, 128, asText(corpusBytes(kVsc)));
    previous = apply::setI2cOpener(
        [this](const std::string& device) -> Result<std::shared_ptr<apply::I2cBus>> {
          if (device != dir.file("dev/i2c-5")) return failure("no bus " + device);
          return std::shared_ptr<apply::I2cBus>(std::make_shared<test::SimulatedBus>(chip));
        });
  }
  void TearDown() override { apply::setI2cOpener(previous); }
  Outcome write(const std::string& file, std::vector<std::string> more = {}) {
    std::vector<std::string> args{"write",    "--connector",   "DP-1",      file,
                                  "--sysfs",  dir.file("drm"), "--i2c-dev", dir.file("dev"),
                                  "--backup", backup};
    args.insert(args.end(), more.begin(), more.end());
    return runTool(args);
  }
  test::SimulatedEeprom chip;
  apply::I2cOpener previous;
  std::string backup = dir.file("old.bin");
};

TEST_F(EdidtoolWrite, RefusesBeforeWritingAByte) {
  const std::string vsc = asText(corpusBytes(kVsc));
  std::string broken = vsc;
  broken[20] ^= 1;
  test::writeText(dir.file("broken.bin"), broken);
  const std::string kept = dir.file("kept.bin");
  test::writeText(kept, "kept");
  struct Case {
    const char* what;
    std::string file;
    std::vector<std::string> more;
    std::string memory;  // the EEPROM's first bytes
    std::string message;
  } cases[] = {
      {"other device",
       corpusFile(kVsc),
       {"--force"},
       std::string(128, '\x12'),
       "The device at 0x50 on i2c-5 holds no EDID, so it is no monitor's EEPROM; nothing was "
       "written."},
      {"other monitor",
       corpusFile(kVscOther),
       {},
       vsc,
       "The monitor on DP-1 is VSC 7D20 (VA926 Series), the EDID to write is for VSC E735 "
       "(VX3276-FHD); "
       "nothing was written. --force writes it all the same."},
      {"checksum",
       dir.file("broken.bin"),
       {"--force"},
       vsc,
       "The EDID to write is not valid: block 0's checksum is wrong (its bytes add up to 01); "
       "nothing was written."},
      {"no ddc link",
       corpusFile(kVsc),
       {"--connector", "HDMI-A-1"},
       vsc,
       "HDMI-A-1 names no DDC bus (no link " + dir.file("drm") +
           "/card0-HDMI-A-1/ddc); nothing was written."},
      {"ddc link to no bus",
       corpusFile(kVsc),
       {"--connector", "DP-2"},
       vsc,
       dir.file("drm") + "/card0-DP-2/ddc leads to ../card0-HDMI-A-1, no I2C bus; nothing was "
                         "written."},
      {"earlier backup",
       corpusFile(kVsc),
       {"--backup", kept},
       vsc,
       "The backup " + kept + " exists already: name another with --backup; nothing was written."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    chip.memory.replace(0, c.memory.size(), c.memory);
    const std::string before = chip.memory;
    const Outcome done = write(c.file, c.more);
    EXPECT_EQ(done.status, 1);
    EXPECT_EQ(done.err, "edidtool: " + c.message + "\n");
    EXPECT_EQ(chip.pagesWritten, 0);
    EXPECT_EQ(chip.memory, before);
    EXPECT_FALSE(fs::exists(backup));
  }
  EXPECT_EQ(readFile(kept), "kept");
}

TEST_F(EdidtoolWrite, WritesPageByPageAndChecksWhatTheChipKept) {
  const std::string vsc = asText(corpusBytes(kVsc)), other = asText(corpusBytes(kVscOther));
  const std::string restore = "Its old bytes are in " + backup +
                              "; to put them back, run:\n  edidtool write --connector DP-1 "
                              "--force " +
                              backup + "\n";
  struct Case {
    const char* what;
    int cycleMs, pagesBeforeFailure;
    bool writeProtected;
    int status;
    std::string memory;  // the EEPROM's first 256 bytes after the write
    std::string message;
  } cases[] = {
      {"slow chip", 20, -1, false, 0, other, ""},
      {"write-protected", 5, -1, true, 1, vsc + std::string(128, '\xFF'),
       "edidtool: The monitor kept its old bytes: its EEPROM is probably write-protected. Nothing "
       "else was changed.\n"},
      {"dies after 4 pages", 5, 4, false, 1,
       other.substr(0, 32) + vsc.substr(32) + std::string(128, '\xFF'),
       "edidtool: Writing stopped at byte 32 of 256 (Remote I/O error): the monitor's EDID is "
       "now partly new, partly old. " +
           restore},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    chip = {};
    chip.memory.replace(0, 128, vsc);
    chip.cycleMs = c.cycleMs;
    chip.pagesBeforeFailure = c.pagesBeforeFailure;
    chip.writeProtected = c.writeProtected;
    fs::remove(backup);
    const Outcome done = write(corpusFile(kVscOther), {"--force"});
    EXPECT_EQ(done.status, c.status);
    EXPECT_EQ(done.err, c.message);
    EXPECT_EQ(chip.memory, c.memory);
    EXPECT_EQ(readFile(backup), vsc);
    EXPECT_EQ(done.out.rfind("Saved the monitor's old EDID to " + backup + "\n", 0), 0u);
  }
}

}  // namespace
}  // namespace edid::cli
