// Whole reports of real EDIDs against the expected texts in tests/data. With
// EDID_UPDATE_GOLDEN=1 in the environment the expected texts are rewritten instead
// (tests/data/regenerate does that).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/shell/program.h"
#include "support/corpus.h"
#include "support/fake_host.h"

namespace edid {
namespace {

constexpr const char* kGoldenEpoch = "1796478330";  // Sat Dec 05, 2026 13:45:30 UTC

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A unified diff (3 lines of context) of two texts, from their longest common lines.
std::string unifiedDiff(const std::string& expected, const std::string& actual) {
  const auto a = splitLines(expected), b = splitLines(actual);
  const std::size_t n = a.size(), m = b.size();
  std::vector<std::vector<int>> common(n + 1, std::vector<int>(m + 1, 0));
  for (std::size_t i = n; i-- > 0;)
    for (std::size_t j = m; j-- > 0;)
      common[i][j] =
          a[i] == b[j] ? common[i + 1][j + 1] + 1 : std::max(common[i + 1][j], common[i][j + 1]);
  struct Op {
    char kind;
    std::size_t i, j;
  };
  std::vector<Op> ops;
  std::size_t i = 0, j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && a[i] == b[j]) {
      ops.push_back({' ', i++, j++});
    } else if (i < n && (j == m || common[i + 1][j] >= common[i][j + 1])) {
      ops.push_back({'-', i++, j});
    } else {
      ops.push_back({'+', i, j++});
    }
  }
  // Hunks: each change with 3 lines around it, merged where they touch.
  std::vector<std::pair<std::size_t, std::size_t>> hunks;
  for (std::size_t k = 0; k < ops.size(); ++k) {
    if (ops[k].kind == ' ') continue;
    const std::size_t from = k >= 3 ? k - 3 : 0, to = std::min(k + 4, ops.size());
    if (!hunks.empty() && from <= hunks.back().second)
      hunks.back().second = to;
    else
      hunks.emplace_back(from, to);
  }
  std::ostringstream out;
  out << "--- expected\n+++ actual\n";
  for (const auto& [from, to] : hunks) {
    std::size_t oldCount = 0, newCount = 0;
    for (std::size_t h = from; h < to; ++h) {
      oldCount += ops[h].kind != '+';
      newCount += ops[h].kind != '-';
    }
    out << "@@ -" << ops[from].i + 1 << "," << oldCount << " +" << ops[from].j + 1 << ","
        << newCount << " @@\n";
    for (std::size_t h = from; h < to; ++h)
      out << ops[h].kind << (ops[h].kind == '+' ? b[ops[h].j] : a[ops[h].i]) << "\n";
  }
  return out.str();
}

// The report as the editor builds it after loading the image, named from the model
// list of tests/data, with CR LF written as LF.
std::string reportOf(const std::string& binPath) {
  test::FakeHost host;
  Program program(host);
  program.modelListFolders = {EDID_TEST_DATA_DIR};
  EdidScreen& screen = program.showScreen();
  const std::string bytes = test::readFile(binPath);
  screen.image = Image::fromBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  screen.BuildEDIDDefinations();
  program.nameMonitorFromModelLists();
  program.BuildReport();
  std::string text;
  for (const char c : program.reportText())
    if (c != '\r') text += c;
  return text;
}

TEST(ReportGolden, RealMonitorsMatchTheirExpectedReports) {
  ::setenv("SOURCE_DATE_EPOCH", kGoldenEpoch, 1);
  const bool update = std::getenv("EDID_UPDATE_GOLDEN") != nullptr;
  for (const char* name : {"E24B3C9FE3E6", "FA6E41896752"}) {
    const std::string base = std::string(EDID_TEST_DATA_DIR) + "/" + name;
    const std::string actual = reportOf(base + ".bin");
    if (update) {
      std::ofstream(base + ".report", std::ios::binary) << actual;
      continue;
    }
    const std::string expected = test::readFile(base + ".report");
    ASSERT_FALSE(expected.empty()) << base << ".report is missing; run tests/data/regenerate";
    EXPECT_TRUE(expected == actual) << name << " differs from its expected report:\n"
                                    << unifiedDiff(expected, actual);
  }
  ::unsetenv("SOURCE_DATE_EPOCH");
}

}  // namespace
}  // namespace edid
