#include "cli/edidtool.h"
#include "support/run_tool.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "core/common/data_file.h"
#include "core/common/text.h"
#include "support/corpus.h"
#include "support/project_version.h"
#include "support/temp_dir.h"

namespace edid::cli {
namespace {

namespace fs = std::filesystem;

using test::Outcome;
using test::runTool;

Outcome runWithInput(const std::vector<std::string>& args, const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = run(args, in, out, err, {});
  return {status, out.str(), err.str()};
}

class Edidtool : public ::testing::Test {
 protected:
  std::string file(const std::string& name) const { return m_dir.file(name); }
  static std::string corpusFile(const std::string& id) {
    return test::corpusDir() + "/" + id + ".bin";
  }

  test::TempDir m_dir{"edidtool"};
  const fs::path& folder = m_dir.path;
};

TEST_F(Edidtool, UsageAndErrors) {
  const Outcome help = runTool({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: edidtool COMMAND", 0), 0u);
  EXPECT_TRUE(help.err.empty());
  const Outcome version = runTool({"--version"});
  EXPECT_EQ(version.status, 0);
  ASSERT_FALSE(test::projectVersion().empty());
  EXPECT_EQ(version.out, "edidtool " + test::projectVersion() + "\n");
  for (const auto& args :
       std::vector<std::vector<std::string>>{{}, {"frobnicate"}, {"report"}, {"convert", "a"}}) {
    const Outcome bad = runTool(args);
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.out.empty());
    EXPECT_NE(bad.err.find("Try 'edidtool --help'."), std::string::npos);
  }

  const Outcome missing = runTool({"report", file("missing.bin")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err,
            "edidtool: Cannot open " + file("missing.bin") + ": No such file or directory\n");

  // A raw EDID cut short still reports, saying what is missing.
  const std::string bytes = test::readFile(corpusFile("000CCAC2C577"));
  std::ofstream(file("short.bin"), std::ios::binary) << bytes.substr(0, 127);
  const Outcome shortened = runTool({"report", file("short.bin")});
  EXPECT_EQ(shortened.status, 0);
  EXPECT_EQ(shortened.err, "edidtool: " + file("short.bin") +
                               ": Only 127 bytes of the 128-byte base block were found; the "
                               "others are set to 00.\n");

  // No EDID at all: a text, an empty file, a short file that does not start like one.
  std::ofstream(file("text.DAT"), std::ios::binary) << "just text\r\n";
  std::ofstream(file("empty.bin"), std::ios::binary);
  std::ofstream(file("junk.bin"), std::ios::binary) << bytes.substr(1, 100);
  for (const char* name : {"text.DAT", "empty.bin", "junk.bin"}) {
    const Outcome refused = runTool({"report", file(name)});
    EXPECT_EQ(refused.status, 1) << name;
    EXPECT_TRUE(refused.out.empty()) << name;
    EXPECT_EQ(refused.err, "edidtool: " + file(name) + ": This File is not a Valid EDID/DDC File\n")
        << name;
  }
}

TEST_F(Edidtool, ReportOfEveryCorpusFile) {
  ::setenv("SOURCE_DATE_EPOCH", "1796478330", 1);
  const std::regex kMaker(R"(\n    Manufacturer: (\S{3})\n)");
  const std::regex kPlainName(R"(\n    Display Product Name: '([ -~]{0,12})'\n)");
  int namesChecked = 0;
  for (const std::string& id : test::corpusIds()) {
    const Outcome report = runTool({"report", corpusFile(id)});
    ASSERT_EQ(report.status, 0) << id << ": " << report.err;
    EXPECT_TRUE(report.err.empty()) << id;
    // Without a model list the monitor is named by its maker code and name block, as
    // the reference decoder reads them (a name of 13 characters has no end mark).
    const std::string reference = test::readFile(test::corpusDir() + "/" + id + ".txt");
    std::smatch maker, name;
    if (std::regex_search(reference, maker, kMaker) &&
        std::regex_search(reference, name, kPlainName) &&
        reference.find("Non-printable") == std::string::npos) {
      EXPECT_NE(report.out.find("DDCTest For: " + maker[1].str() + " " + name[1].str() + "\n"),
                std::string::npos)
          << id;
      ++namesChecked;
    }
    ASSERT_EQ(report.out.find('\r'), std::string::npos) << id;
    EXPECT_EQ(report.out.rfind("\n\n\n                            Time:  13:45:30\n", 0), 0u) << id;
    // The hex dump holds the base block.
    const auto tokens = parseEdidCodeSection(report.out);
    ASSERT_TRUE(tokens.ok()) << id;
    const auto bytes = test::corpusBytes(id);
    for (int i = 0; i < kEdidSize; ++i)
      ASSERT_EQ((*tokens)[static_cast<std::size_t>(i)],
                ByteToHex(bytes[static_cast<std::size_t>(i)]))
          << id << " byte " << i;
  }
  EXPECT_GT(namesChecked, 300);
  ::unsetenv("SOURCE_DATE_EPOCH");
}

TEST_F(Edidtool, ReportMatchesTheGoldenFiles) {
  ::setenv("SOURCE_DATE_EPOCH", "1796478330", 1);
  for (const char* name : {"E24B3C9FE3E6", "FA6E41896752"}) {
    const std::string base = std::string(EDID_TEST_DATA_DIR) + "/" + name;
    const Outcome raw = runTool({"report", base + ".bin"}, {EDID_TEST_DATA_DIR});
    EXPECT_EQ(raw.status, 0);
    EXPECT_TRUE(raw.out == test::readFile(base + ".report")) << name;

    // The same report read back from the tool's own data file.
    ASSERT_EQ(runTool({"convert", base + ".bin", file("x.dat")}, {EDID_TEST_DATA_DIR}).status, 0);
    const Outcome fromData = runTool({"report", file("x.dat")}, {EDID_TEST_DATA_DIR});
    EXPECT_TRUE(fromData.out == raw.out) << name;
  }
  ::unsetenv("SOURCE_DATE_EPOCH");
}

TEST_F(Edidtool, ConvertEveryCorpusFileThereAndBack) {
  for (const std::string& id : test::corpusIds()) {
    const std::string bytes = test::readFile(corpusFile(id));
    const Outcome toData = runTool({"convert", corpusFile(id), file("e.DAT")});
    ASSERT_EQ(toData.status, 0) << id << ": " << toData.err;
    const std::string data = test::readFile(file("e.DAT"));
    ASSERT_NE(data.find("\r\n128 BYTES OF EDID CODE:\r\n"), std::string::npos) << id;

    const Outcome toRaw = runTool({"convert", file("e.DAT"), file("e.bin")});
    ASSERT_EQ(toRaw.status, 0) << id << ": " << toRaw.err;
    // Every corpus EDID is whole blocks: the extension blocks come back too.
    const std::string raw = test::readFile(file("e.bin"));
    ASSERT_EQ(raw, bytes) << id;
  }
}

TEST_F(Edidtool, ReadsHexTextAndKeepsTheExtensionThroughConvert) {
  // xrandr --verbose's EDID block of a 256-byte EDID, from standard input.
  const std::string bytes = test::readFile(corpusFile("FA6E41896752"));
  std::string text = "HDMI-1 connected 1920x1080+0+0 (0x47) normal\n\tEDID: \n";
  static const char* digits = "0123456789abcdef";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i % 16 == 0) text += "\t\t";
    text += digits[static_cast<unsigned char>(bytes[i]) >> 4];
    text += digits[static_cast<unsigned char>(bytes[i]) & 15];
    if (i % 16 == 15) text += "\n";
  }
  text += "\tCONNECTOR_ID: 95 \n";
  const Outcome raw = runWithInput({"convert", "-", "-"}, text);
  EXPECT_EQ(raw.status, 0);
  EXPECT_EQ(raw.err, "");
  EXPECT_TRUE(raw.out == bytes);
  const Outcome report = runWithInput({"report", "-"}, text);
  EXPECT_EQ(report.status, 0);
  EXPECT_NE(report.out.find("\n128 BYTES OF EDID CODE:\n"), std::string::npos);

  // A data file keeps the block after its report, where the base block's reader never looks.
  ASSERT_EQ(runTool({"convert", corpusFile("FA6E41896752"), file("x.DAT")}).status, 0);
  const std::string saved = test::readFile(file("x.DAT"));
  const std::size_t section = saved.find(
      "\r\nEXTENSION BLOCKS OF EDID CODE:\r\nBlock 1: CTA-861 (02)\r\n"
      "  128: 02 03 1E F1 4B 10 1F 05 14 04 13 03 12 02 11 01\r\n");
  ASSERT_NE(section, std::string::npos);
  EXPECT_LT(saved.find("128 BYTES OF EDID CODE:"), section);
}

TEST_F(Edidtool, FailedConvertLeavesTheTargetAlone) {
  const std::string in = corpusFile("000CCAC2C577");
  std::ofstream(file("old.bin"), std::ios::binary) << "old";
  std::ofstream(file("bad.DAT"), std::ios::binary) << "nothing here";

  const Outcome invalid = runTool({"convert", file("bad.DAT"), file("old.bin")});
  EXPECT_EQ(invalid.status, 1);
  EXPECT_EQ(invalid.err,
            "edidtool: " + file("bad.DAT") + ": This File is not a Valid EDID/DDC File\n");
  EXPECT_EQ(test::readFile(file("old.bin")), "old");

  // Bytes the copy would lose: a partial last block, an extension row that is not hex.
  const std::string bytes = test::readFile(corpusFile("FA6E41896752"));
  std::ofstream(file("long.bin"), std::ios::binary) << bytes << "\x01\x02\x03";
  ASSERT_EQ(runTool({"convert", corpusFile("FA6E41896752"), file("x.DAT")}).status, 0);
  std::string damaged = test::readFile(file("x.DAT"));
  damaged.replace(damaged.find("  128:") + 7, 2, "GG");
  std::ofstream(file("x.DAT"), std::ios::binary) << damaged;
  for (const auto& [source, message] :
       {std::pair{file("long.bin"),
                  "The last 3 bytes do not fill a 128-byte block and are left out.\n"
                  "edidtool: " +
                      file("long.bin") +
                      ": Nothing is written, as bytes of the file would be lost."},
        std::pair{
            file("x.DAT"),
            std::string("The extension row 128 holds \"GG\" in cell 128, not two hex digits")}}) {
    const Outcome lossy = runTool({"convert", source, file("old.bin")});
    EXPECT_EQ(lossy.status, 1) << source;
    EXPECT_EQ(lossy.err, "edidtool: " + source + ": " + message + "\n");
    EXPECT_EQ(test::readFile(file("old.bin")), "old");
  }

  const Outcome noFolder = runTool({"convert", in, file("none/out.bin")});
  EXPECT_EQ(noFolder.status, 1);
  EXPECT_EQ(noFolder.err,
            "edidtool: Cannot save " + file("none/out.bin") + ": No such file or directory\n");
  EXPECT_FALSE(fs::exists(file("none")));

  const Outcome replaced = runTool({"convert", in, file("old.bin")});
  EXPECT_EQ(replaced.status, 0);
  EXPECT_EQ(test::readFile(file("old.bin")), test::readFile(in).substr(0, 128));
}

TEST_F(Edidtool, DashIsStandardInputAndOutput) {
  const std::string bytes = test::readFile(corpusFile("000CCAC2C577"));
  const Outcome fromFile = runTool({"report", corpusFile("000CCAC2C577")});
  const Outcome fromStdin = runWithInput({"report", "-"}, bytes);
  EXPECT_EQ(fromStdin.status, 0) << fromStdin.err;
  // The report names its file only through the data it decodes.
  EXPECT_EQ(fromStdin.out, fromFile.out);

  const Outcome raw = runWithInput({"convert", "-", "-"}, bytes);
  EXPECT_EQ(raw.status, 0) << raw.err;
  EXPECT_EQ(raw.out, bytes.substr(0, 128));
  EXPECT_TRUE(raw.err.empty());

  const Outcome refused = runWithInput({"convert", "-", file("out.bin")}, "not an EDID");
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, "edidtool: standard input: This File is not a Valid EDID/DDC File\n");
  EXPECT_FALSE(fs::exists(file("out.bin")));
}

// The program itself, for what only a real process has: its own standard input and
// output. Each row is a shell command line; EDIDTOOL stands for the program.
TEST_F(Edidtool, StandardStreamsThatAreNoFilesSayWhatTheyAre) {
  ::mkfifo(file("fifo").c_str(), 0600);
  const std::string in = corpusFile("000CCAC2C577");
  const struct {
    std::string command, err;
  } rows[] = {
      {"EDIDTOOL report - < " + folder.string(),
       "edidtool: Cannot read standard input: Is a directory\n"},
      {"head -c 67108865 /dev/zero | EDIDTOOL report -",
       "edidtool: Cannot read standard input: the file is too large\n"},
      // A FIFO with no writer would wait for ever; timeout ends it with 124.
      {"timeout 10 EDIDTOOL report " + file("fifo"),
       "edidtool: Cannot read " + file("fifo") + ": not a regular file\n"},
      {"EDIDTOOL report " + in + " > /dev/full",
       "edidtool: Cannot write standard output: No space left on device\n"},
  };
  for (const auto& row : rows) {
    std::string command = row.command;
    command.replace(command.find("EDIDTOOL"), 8, EDIDTOOL_PATH);
    const int status = std::system((command + " 2> " + file("err")).c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1) << row.command;
    EXPECT_EQ(test::readFile(file("err")), row.err);
  }

  // /dev/stdout is standard output, as "-" is.
  const Outcome raw = runTool({"convert", in, "/dev/stdout"});
  EXPECT_EQ(raw.status, 0);
  EXPECT_EQ(raw.out, test::readFile(in).substr(0, 128));
}

TEST_F(Edidtool, ReportTextsAreUtf8AndDataFilesKeepTheirBytes) {
  // Product code bytes 10-11 = 99 E9: the code E999 and the letters 0x99 0xE9.
  Image image = test::corpusImage("000CCAC2C577");
  image.setByte(10, 0x99);
  image.setByte(11, 0xE9);
  image.setByte(kChecksumByte, image.correctChecksum());
  const auto bytes = image.bytes();
  std::ofstream(file("tm.bin"), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), 128);

  const Outcome report = runTool({"report", file("tm.bin")});
  ASSERT_EQ(report.status, 0) << report.err;
  // U+2122 is E2 84 A2 and U+00E9 is C3 A9 in UTF-8.
  EXPECT_NE(report.out.find("E999(\xE2\x84\xA2\xC3\xA9)"), std::string::npos) << report.out;

  ASSERT_EQ(runTool({"convert", file("tm.bin"), file("tm.DAT")}).status, 0);
  const std::string data = test::readFile(file("tm.DAT"));
  EXPECT_NE(data.find("E999(\x99\xE9)"), std::string::npos);
  EXPECT_EQ(data.find("\xE2\x84\xA2"), std::string::npos);
}

}  // namespace
}  // namespace edid::cli
