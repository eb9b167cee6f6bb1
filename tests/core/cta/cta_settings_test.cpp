#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <set>
#include <sstream>

#include <unistd.h>

#include "core/cta/cta_settings.h"
#include "support/corpus.h"

namespace edid::cta {
namespace {

using Bytes = std::vector<std::uint8_t>;

int blockSum(const Bytes& edid, std::size_t block) {
  return std::accumulate(edid.begin() + static_cast<std::ptrdiff_t>(block * 128),
                         edid.begin() + static_cast<std::ptrdiff_t>(block * 128 + 128), 0) %
         256;
}

// Keys in order on a real 256-byte EDID (1031763B91D4: its CTA block has a video block
// at 4 with 10 VICs, FreeSync 48-75 at 28, 4 DTDs and 17 bytes free), with the bytes
// worked out by hand; a refusal leaves the EDID as it was.
TEST(CtaSettings, KeysEditTheEdid) {
  struct Row {
    const char* key;
    const char* value;
    const char* refusal;                     // "" for success
    std::vector<std::pair<int, int>> bytes;  // (offset in the EDID, value) after the key
  };
  const Row rows[] = {
      {"cta.vic+", "97", "", {{126, 1}, {130, 0x27}, {132, 0x4B}, {143, 97}}},
      {"cta.freesync", "48-144", "", {{164, 48}, {165, 144}}},
      {"cta.audio-", "all", "", {{130, 0x1F}, {131, 0xB4}, {144, 0x65}}},
      {"cta.hdmi.max_tmds_mhz", "300", "", {{130, 0x21}, {144, 0x67}, {150, 0}, {151, 60}}},
      {"cta.hf.max_tmds_mhz", "600", "Block 1 has no HDMI Forum data block.", {}},
      {"cta2.vic+", "1", "There is no CTA-861 block 2.", {}},
      {"cta.dtd-", "5", "There is no detailed timing 5.", {}},
      {"cta.dtd-", "1", "", {{128 + 0x21, 0x01}, {128 + 0x22, 0x1D}}},
      {"cta.dtd+", "011D8018711C1620582C250012222100009E", "", {{128 + 0x21 + 54, 0x01}}},
      {"cta.dtd+", "00", "A detailed timing is 18 bytes in hex, not \"00\".", {}},
      {"ext+", "cta", "", {{126, 2}, {256, 2}, {257, 3}, {258, 4}, {383, 0xF7}}},
      {"ext-", "3", "There is no extension block 3.", {}},
      {"ext-", "2", "", {{126, 1}}},
      {"cta.colour", "1", "Unknown key \"cta.colour\".", {}},
  };
  Bytes edid = test::corpusBytes("1031763B91D4");
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.key) + "=" + row.value);
    const Bytes before = edid;
    const auto result = applyCtaSetting(edid, row.key, row.value);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->error(), row.refusal);
    if (*row.refusal) {
      EXPECT_EQ(edid, before);
    }
    for (const auto& [offset, value] : row.bytes) EXPECT_EQ(edid.at(offset), value) << offset;
    for (std::size_t b = 0; b < edid.size() / 128; ++b) EXPECT_EQ(blockSum(edid, b), 0) << b;
  }
  EXPECT_EQ(edid.size(), 256u);
  EXPECT_FALSE(applyCtaSetting(edid, "vendor.product", "1").has_value());
}

std::string run(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

// The failures edid-decode --check reports, one line each.
std::set<std::string> failures(const std::string& text) {
  std::set<std::string> out;
  std::istringstream in(text.substr(std::min(text.find("\nFailures:"), text.size())));
  for (std::string line; std::getline(in, line);)
    if (line.starts_with("  ")) out.insert(line);
  return out;
}

// On two real EDIDs whose range limits allow VIC 97 (none are given), the reference
// decoder reads VIC 97, FreeSync 48-144 and no audio from the result,
// and finds no failure the original did not have.
TEST(CtaSettings, ReferenceDecoderReadsTheEdits) {
  if (run("command -v edid-decode").empty()) GTEST_SKIP() << "edid-decode is not installed";
  const auto path = std::filesystem::temp_directory_path() /
                    ("cta_settings_test_" + std::to_string(getpid()) + ".bin");
  const auto check = [&](const Bytes& edid) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(edid.data()),
               static_cast<std::streamsize>(edid.size()));
    return run("edid-decode --check " + path.string() + " 2>&1");
  };
  for (const char* id : {"0D4CDD1D1699", "C09FEE062311"}) {
    SCOPED_TRACE(id);
    Bytes edid = test::corpusBytes(id);
    const std::string before = check(edid);
    for (const auto& [key, value] :
         {std::pair{"cta.vic+", "97"}, {"cta.freesync", "48-144"}, {"cta.audio-", "all"}})
      ASSERT_EQ(applyCtaSetting(edid, key, value)->error(), "");
    const std::string after = check(edid);
    EXPECT_NE(after.find("VIC  97:"), std::string::npos);
    EXPECT_NE(after.find("Minimum Refresh Rate: 48 Hz"), std::string::npos);
    EXPECT_NE(after.find("Maximum Refresh Rate: 144 Hz"), std::string::npos);
    EXPECT_EQ(after.find("Audio Data Block"), std::string::npos);
    const auto old = failures(before);
    for (const std::string& line : failures(after)) EXPECT_TRUE(old.contains(line)) << line;
  }
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace edid::cta
