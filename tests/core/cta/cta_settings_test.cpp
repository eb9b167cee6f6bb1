#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <set>
#include <sstream>

#include <unistd.h>

#include "core/cta/cta_settings.h"
#include "core/rows.h"
#include "support/corpus.h"

namespace edid::cta {
namespace {

using Bytes = std::vector<std::uint8_t>;

int blockSum(const Bytes& edid, std::size_t block) {
  return std::accumulate(edid.begin() + static_cast<std::ptrdiff_t>(block * 128),
                         edid.begin() + static_cast<std::ptrdiff_t>(block * 128 + 128), 0) %
         256;
}

// The rows of tests/data/cta_settings.txt, in order on one EDID.
TEST(CtaSettings, KeysEditTheEdid) {
  Bytes edid = test::corpusBytes("1031763B91D4");
  for (const test::Row& row : test::readRows("cta_settings.txt")) {
    SCOPED_TRACE(row.text);
    const Bytes before = edid;
    const auto result = applyCtaSetting(edid, row.fields.at(0), row.fields.at(1));
    ASSERT_TRUE(result.has_value());
    const std::string& expected = row.fields.at(2);
    if (expected.starts_with("refused: ")) {
      EXPECT_EQ("refused: " + result->error(), expected);
      EXPECT_EQ(edid, before);
      continue;
    }
    EXPECT_EQ(result->error(), "");
    std::istringstream bytes(expected);
    for (std::string byte; bytes >> byte;)
      EXPECT_EQ(edid.at(std::stoul(byte)), test::hexBytes(byte.substr(byte.find('=') + 1))[0])
          << byte;
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
