// edidtool for scripts: several files per run, --files-from, hidden serial
// numbers, set and diff.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <numeric>
#include <regex>
#include <sstream>

#include "cli/edidtool.h"
#include "support/corpus.h"
#include "support/run_tool.h"
#include "support/temp_dir.h"

namespace edid::cli {
namespace {

using test::Outcome;
using test::runTool;

// Has every DTD/descriptor kind set uses: FD at 72, FC at 90, FF at 108; a CTA
// block whose video data block (byte 132) lists VICs 16 4 31 19 18 3.
const char* const kSample = "2D2CC11B86E7";

std::string corpusFile(const std::string& id) {
  return test::corpusDir() + "/" + id + ".bin";
}

std::string bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class Scripting : public ::testing::Test {
 protected:
  test::TempDir dir{"scripting"};
};

TEST_F(Scripting, BatchGoesOnPastAnUnreadableFile) {
  const std::string missing = dir.file("missing.bin");
  const Outcome text =
      runTool({"report", corpusFile(kSample), missing, corpusFile("000CCAC2C577")});
  EXPECT_EQ(text.status, 2);
  EXPECT_EQ(text.err, "edidtool: Cannot open " + missing + ": No such file or directory\n");
  EXPECT_NE(text.out.find("==> " + corpusFile("000CCAC2C577") + " <=="), std::string::npos);
  EXPECT_NE(text.out.find("DDCTest For: SAM"), std::string::npos);

  // The same list from standard input, as JSON: an array of the two readable files.
  std::istringstream names(corpusFile(kSample) + "\n" + missing + "\n");
  std::ostringstream out, err;
  EXPECT_EQ(run({"report", "--json", "--files-from", "-"}, names, out, err, {}), 2);
  const std::string json = dir.file("batch.json");
  writeBytes(json, out.str());
  const std::string check =
      "python3 -c 'import json,sys; a=json.load(open(sys.argv[1])); "
      "sys.exit(0 if [o[\"file\"] for o in a] == [sys.argv[2]] else 1)' " +
      json + " " + corpusFile(kSample);
  EXPECT_EQ(std::system(check.c_str()), 0) << out.str();
}

TEST_F(Scripting, JsonOfEveryCorpusFileParsesAndHidesSerials) {
  std::vector<std::string> args = {"report", "--json", "--hide-serial-numbers"};
  for (const std::string& id : test::corpusIds()) args.push_back(corpusFile(id));
  const Outcome all = runTool(args);
  ASSERT_EQ(all.status, 0) << all.err;
  const std::string json = dir.file("all.json");
  writeBytes(json, all.out);
  const std::string check =
      "python3 -c 'import json,sys; a=json.load(open(sys.argv[1])); "
      "sys.exit(0 if len(a) == int(sys.argv[2]) else 1)' " +
      json + " " + std::to_string(test::corpusIds().size());
  EXPECT_EQ(std::system(check.c_str()), 0);

  // No serial of the reference decoder's text in either report of that EDID.
  const std::regex serials(R"((Serial Number: (\d{5,}))|(Serial Number: '([^']{5,})'))");
  int checked = 0;
  for (const std::string& id : test::corpusIds()) {
    const std::string reference = test::readFile(test::corpusDir() + "/" + id + ".txt");
    for (auto m = std::sregex_iterator(reference.begin(), reference.end(), serials);
         m != std::sregex_iterator(); ++m) {
      const std::string serial = (*m)[2].matched ? (*m)[2].str() : (*m)[4].str();
      for (const bool json : {false, true}) {
        std::vector<std::string> one = {"report", "--hide-serial-numbers", corpusFile(id)};
        if (json) one.push_back("--json");
        const Outcome o = runTool(one);
        EXPECT_EQ(o.out.find(serial), std::string::npos) << id << " " << serial << " " << json;
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 100);
}

TEST_F(Scripting, SetEachKeyThroughTheWindowsEditors) {
  struct Row {
    std::string setting;
    int offset, byte;  // worked out from the VESA layout
  };
  const Row rows[] = {
      {"name=TEST", 95, 'T'},                // FC text from byte 5 of the block at 90
      {"name=TEST", 99, 0x0A},               // then the end mark
      {"serial=AB12", 113, 'A'},             // FF block at 108
      {"serial_number=16909060", 12, 0x04},  // 0x01020304 little-endian
      {"serial_number=16909060", 15, 0x01},
      {"manufacturer=ABC", 8, 0x04},  // A=1 B=2 C=3: 00001 00010 00011
      {"manufacturer=ABC", 9, 0x43},
      {"product_code=0x7D20", 10, 0x20},
      {"product_code=0x7D20", 11, 0x7D},
      {"week=12", 16, 12},
      {"year=2024", 17, 34},   // 1990 + 34
      {"gamma=2.4", 23, 140},  // gamma x 100 - 100
      {"size_cm=52x29", 21, 52},
      {"size_cm=52x29", 22, 29},
      {"dtd2=01 1D 00 72 51 D0 1E 20 6E 28 55 00 C4 8E 21 00 00 1E", 72, 0x01},
      {"dtd2=01 1D 00 72 51 D0 1E 20 6E 28 55 00 C4 8E 21 00 00 1E", 89, 0x1E},
      {"range.v=40-75", 77, 40},  // FD block at 72: bytes 5-8 the rates
      {"range.v=40-75", 78, 75},
      {"range.h=30-90", 79, 30},
      {"range.h=30-90", 80, 90},
      {"range.clock=200", 81, 20},  // 10 MHz units
      // CTA block at 128: 02 03 1A F1, VDB 46 90 04 1F 13 12 03, audio 23..., speakers
      // 83..., HDMI 66 03 0C 00 10 00 80, DTDs from 154.
      {"cta.vic+=97", 132, 0x47},                // one more SVD
      {"cta.vic+=97", 139, 0x61},                // after the last one
      {"cta.vic+=97", 130, 0x1B},                // the DTDs move on by one
      {"cta.vic-=4", 134, 0x1F},                 // VIC 31 moves up
      {"cta.audio-=all", 131, 0xB1},             // basic audio cleared
      {"cta.audio-=all", 139, 0x66},             // audio and speaker blocks gone
      {"cta.audio-=all", 130, 0x12},             // 26 - 8
      {"cta.hdmi.max_tmds_mhz=300", 147, 0x67},  // the HDMI block grows by its TMDS byte
      {"cta.hdmi.max_tmds_mhz=300", 154, 60},    // 5 MHz units
      {"cta.freesync=48-144", 154, 0x67},        // a new block: 1A 00 00, 01, 01, min, max
      {"cta.freesync=48-144", 160, 48},
      {"cta.freesync=48-144", 161, 144},
  };
  const std::string out = dir.file("out.bin");
  for (const Row& row : rows) {
    const Outcome o = runTool({"set", corpusFile(kSample), out, row.setting});
    ASSERT_EQ(o.status, 0) << row.setting << ": " << o.err;
    const std::string bytes = bytesOf(out);
    ASSERT_EQ(bytes.size(), 256u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[std::size_t(row.offset)]), row.byte) << row.setting;
    for (std::size_t block = 0; block < bytes.size(); block += 128)
      EXPECT_EQ(
          std::accumulate(bytes.begin() + long(block), bytes.begin() + long(block) + 128, 0,
                          [](int sum, char c) { return sum + static_cast<unsigned char>(c); }) %
              256,
          0)
          << row.setting << ", block " << block / 128;
  }
}

TEST_F(Scripting, SetStopsAtTheFirstRefusalAndReportShowsTheResult) {
  const std::string out = dir.file("OUT.DAT");
  const Outcome refused = runTool({"set", corpusFile(kSample), out, "year=2024", "week=60"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("week=60: Max value is 52"), std::string::npos) << refused.err;
  EXPECT_FALSE(std::ifstream(out).good());

  // Hex text by its extension, read back as File Open reads it.
  const std::string hex = dir.file("out.hex");
  ASSERT_EQ(runTool({"set", corpusFile(kSample), hex, "week=12"}).status, 0);
  const std::string text = bytesOf(hex);
  EXPECT_EQ(text.substr(0, 48), "00 FF FF FF FF FF FF 00 4C 2D 32 0D 56 42 5A 42\n");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 16);  // 256 bytes
  EXPECT_NE(runTool({"report", hex}).out.find("Week of Manufacture _________________  = 12"),
            std::string::npos);

  ASSERT_EQ(runTool({"set", corpusFile(kSample), out, "serial_number=123456"}).status, 0);
  const Outcome report = runTool({"report", out});
  EXPECT_NE(report.out.find("Last 5 Digits of Serial Number ______  = 123456"), std::string::npos)
      << report.out;
  EXPECT_NE(report.out.find("CheckSum OK"), std::string::npos);
}

TEST_F(Scripting, DiffInWordsThenBytes) {
  const Outcome same = runTool({"diff", corpusFile(kSample), corpusFile(kSample)});
  EXPECT_EQ(same.status, 0);
  EXPECT_EQ(same.out, "");

  // Detailed timing 1: 1920 (780) -> 1680 (690) pixels; VIC 4 -> 97 in the CTA block.
  std::string bytes = bytesOf(corpusFile(kSample));
  bytes[56] = '\x90';
  bytes[58] = static_cast<char>((bytes[58] & 0x0F) | 0x60);
  // 80 -> 90 and 71 -> 61 leave the base block's checksum.
  bytes[134] = 97;
  bytes[255] = static_cast<char>(bytes[255] - (97 - 4));
  const std::string changed = dir.file("changed.bin");
  writeBytes(changed, bytes);
  const Outcome diff = runTool({"diff", corpusFile(kSample), changed});
  EXPECT_EQ(diff.status, 1);
  EXPECT_EQ(diff.out,
            "Detailed timing 1: horizontal active 1920 -> 1680\n"
            "CTA block 1: VIC 97 added\n"
            "CTA block 1: VIC 4 removed\n"
            "CTA block 1: checksum 61 -> 04\n"
            "Byte 56: 80 -> 90\n"
            "Byte 58: 71 -> 61\n"
            "Byte 134: 04 -> 61\n"
            "Byte 255: 61 -> 04\n");
}

}  // namespace
}  // namespace edid::cli
