// Whole reports of real EDIDs against the expected texts in tests/data, and their
// decoded lines against the reference decoder's texts. With EDID_UPDATE_GOLDEN=1
// (exactly) in the environment the expected texts are rewritten instead and the test
// fails, so a run can never pass by rewriting (tests/data/regenerate does that).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/report/report.h"
#include "core/shell/program.h"
#include "support/corpus.h"
#include "support/fake_host.h"
#include "support/reference.h"
#include "support/unified_diff.h"

namespace edid {
namespace {

constexpr const char* kGoldenEpoch = "1796478330";  // Sat Dec 05, 2026 13:45:30 UTC

// The golden EDIDs: the first column of tests/data/golden.tsv, where each row also
// says where the EDID came from.
std::vector<std::string> goldenNames() {
  std::vector<std::string> names;
  std::istringstream in(test::readFile(std::string(EDID_TEST_DATA_DIR) + "/golden.tsv"));
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    names.push_back(line.substr(0, line.find('\t')));
  }
  return names;
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string withoutCr(const std::string& text) {
  std::string out;
  for (const char c : text)
    if (c != '\r') out += c;
  return out;
}

// The report as the editor builds it after loading the image, named from the model
// list of tests/data, with CR LF written as LF.
std::string reportOf(const std::string& binPath) {
  test::FakeHost host;
  Program program(host);
  program.modelListFolders = {EDID_TEST_DATA_DIR};
  EdidScreen& screen = program.showScreen();
  const std::string bytes = test::readFile(binPath);
  screen.document.load(Image::fromEdid(bytes));
  screen.BuildEDIDDefinations();
  program.nameMonitorFromModelLists();
  program.BuildReport();
  return withoutCr(program.reportText());
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
  const auto names = goldenNames();
  ASSERT_GE(names.size(), 2u);
  for (const std::string& name : names) {
    const std::string base = std::string(EDID_TEST_DATA_DIR) + "/" + name;
    const std::string actual = reportOf(base + ".bin");
    // An EDID edited for these tests has no reference text of its own.
    if (std::filesystem::exists(test::corpusDir() + "/" + name + ".txt"))
      expectReferenceAgrees(name, actual);
    if (update) {
      // A scratch folder lets a check regenerate without touching the committed files.
      const char* into = std::getenv("EDID_GOLDEN_DIR");
      const std::string out = (into && *into ? std::string(into) + "/" + name : base) + ".report";
      std::ofstream(out, std::ios::binary) << actual;
      ADD_FAILURE() << "rewrote " << out << "; review it and run the tests again";
      continue;
    }
    const std::string expected = test::readFile(base + ".report");
    ASSERT_FALSE(expected.empty()) << base << ".report is missing; run tests/data/regenerate";
    EXPECT_TRUE(expected == actual) << name << " differs from its expected report:\n"
                                    << test::unifiedDiff(expected, actual);
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
