// Whole reports of real EDIDs against the expected texts in tests/data, and their
// decoded lines against the reference decoder's texts. With EDID_UPDATE_GOLDEN=1
// (exactly) in the environment the expected texts are rewritten instead and the test
// fails, so a run can never pass by rewriting (tests/data/regenerate does that).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/shell/program.h"
#include "support/corpus.h"
#include "support/fake_host.h"
#include "support/reference.h"

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

// The value after "= " on the report line that starts with label.
std::string valueOf(const std::string& report, const std::string& label) {
  for (const std::string& line : splitLines(report)) {
    if (line.rfind(label, 0) != 0) continue;
    const auto equals = line.find("= ");
    return equals == std::string::npos ? line : line.substr(equals + 2);
  }
  return "(no line " + label + ")";
}

// What the reference decoder says about the same EDID, line by line of the report.
void expectReferenceAgrees(const std::string& id, const std::string& report) {
  SCOPED_TRACE(id);
  const std::string text = test::referenceText(id);
  const auto field = [&text](const char* pattern) {
    const auto value = test::referenceField(text, pattern);
    EXPECT_TRUE(value.has_value()) << pattern;
    return value.value_or("");
  };
  EXPECT_EQ(valueOf(report, "(08-09)"), field(R"(Manufacturer: (\S+)\n)"));
  EXPECT_EQ(std::stoul(valueOf(report, "(10-11)").substr(0, 4), nullptr, 16),
            std::stoul(field(R"(Model: (\d+)\n)")));
  // Some reference texts hide the serial number ("...").
  if (const auto serial = test::referenceField(text, R"(Serial Number: (\d+)\n)")) {
    EXPECT_EQ(std::stoul(valueOf(report, "(12-15)")), std::stoul(*serial));
  }
  EXPECT_EQ(std::stoi(valueOf(report, "(16)")), std::stoi(field(R"(Made in: week (\d+) of)")));
  EXPECT_EQ(valueOf(report, "(17)"), field(R"(Made in: week \d+ of (\d+)\n)"));
  EXPECT_EQ(valueOf(report, "(18)") + "." + valueOf(report, "(19)"),
            field(R"(EDID Structure Version & Revision: (\d+\.\d+)\n)"));
  const auto from = report.find("(35) "), to = report.find("(38-53)");
  ASSERT_NE(from, std::string::npos);
  const auto named = test::namedTimings(report.substr(from, to - from));
  const auto reference = test::referenceEstablished(text);
  EXPECT_TRUE(test::sameTimings(named, reference))
      << "ours: " << test::describe(named) << "\nreference: " << test::describe(reference);
  EXPECT_EQ(valueOf(report, "(127)"), "(127)    CheckSum OK");
}

TEST(ReportGolden, RealMonitorsMatchTheirExpectedReports) {
  ::setenv("SOURCE_DATE_EPOCH", kGoldenEpoch, 1);
  const char* mode = std::getenv("EDID_UPDATE_GOLDEN");
  const bool update = mode != nullptr && std::string(mode) == "1";
  for (const char* name : {"E24B3C9FE3E6", "FA6E41896752"}) {
    const std::string base = std::string(EDID_TEST_DATA_DIR) + "/" + name;
    const std::string actual = reportOf(base + ".bin");
    expectReferenceAgrees(name, actual);
    if (update) {
      std::ofstream(base + ".report", std::ios::binary) << actual;
      ADD_FAILURE() << "rewrote " << base << ".report; review it and run the tests again";
      continue;
    }
    const std::string expected = test::readFile(base + ".report");
    ASSERT_FALSE(expected.empty()) << base << ".report is missing; run tests/data/regenerate";
    EXPECT_TRUE(expected == actual) << name << " differs from its expected report:\n"
                                    << unifiedDiff(expected, actual);
  }
  ::unsetenv("SOURCE_DATE_EPOCH");
}

// Without a model list entry the report names the monitor by its name descriptor,
// whose text must be the reference's name exactly, up to its closing quote.
TEST(ReportGolden, UnlistedMonitorIsNamedByItsNameDescriptor) {
  ::setenv("SOURCE_DATE_EPOCH", kGoldenEpoch, 1);
  const auto lines = splitLines(reportOf(std::string(EDID_TEST_DATA_DIR) + "/FA6E41896752.bin"));
  ::unsetenv("SOURCE_DATE_EPOCH");
  const auto name = test::referenceField(test::referenceText("FA6E41896752"),
                                         R"(Display Product Name: '([^'\n]*)'\n)");
  ASSERT_TRUE(name.has_value());
  ASSERT_GT(lines.size(), 10u);
  const std::string& line = lines[10];
  EXPECT_EQ(line.substr(line.find_first_not_of(' ')), "DDCTest For: AOC " + *name);
}

}  // namespace
}  // namespace edid
