#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "core/check/conformance.h"
#include "core/rows.h"
#include "support/corpus.h"

namespace edid {
namespace {

// The rows of tests/data/conformance.txt: an EDID of the corpus, patched, against the
// one finding line of the rule it breaks or keeps.
std::vector<std::uint8_t> patched(const test::Row& row) {
  const std::string a = "06F840044FF3", b = "5DCA474195F3";
  std::vector<std::uint8_t> edid = test::corpusBytes(row.fields[0] == "A" ? a : b);
  const std::vector<std::uint8_t> ctaOfB = test::corpusBytes(b);
  std::istringstream patches(row.fields[1]);
  std::size_t at = 0;
  for (std::string token; patches >> token;) {
    if (token == "keep" || token == "-") continue;
    std::vector<std::uint8_t> bytes;
    if (const auto eq = token.find('='); eq != std::string::npos) {
      at = std::stoul(token.substr(0, eq));
      token = token.substr(eq + 1);
    }
    if (token == "zero18")
      bytes.assign(18, 0);
    else if (token == "ctaB")
      bytes.assign(ctaOfB.begin() + 128, ctaOfB.end());
    else
      bytes = test::hexBytes(token);
    if (at + bytes.size() > edid.size()) edid.resize(at + bytes.size());
    std::copy(bytes.begin(), bytes.end(), edid.begin() + static_cast<std::ptrdiff_t>(at));
    at += bytes.size();
  }
  if (row.fields[1].find("keep") == std::string::npos)
    for (std::size_t b = 0; b + 128 <= edid.size(); b += 128) {
      int sum = 0;
      for (std::size_t i = b; i < b + 127; ++i) sum += edid[i];
      edid[b + 127] = static_cast<std::uint8_t>((256 - sum % 256) % 256);
    }
  return edid;
}

std::vector<std::string> linesOfRule(const std::vector<check::Finding>& findings,
                                     const std::string& rule) {
  std::vector<std::string> lines;
  for (const check::Finding& f : findings)
    if (f.message.rfind(rule, 0) == 0) lines.push_back(check::findingLine(f));
  return lines;
}

TEST(Conformance, EachRuleBrokenAndKept) {
  const auto rows = test::readRows("conformance.txt");
  ASSERT_GT(rows.size(), 80u);
  for (const test::Row& row : rows) {
    const auto findings = check::checkEdid(patched(row), {.currentYear = 2026});
    const std::string& expected = row.fields.at(3);
    EXPECT_EQ(linesOfRule(findings, row.fields[2]),
              expected == "-" ? std::vector<std::string>{} : std::vector{expected})
        << row.text;
  }
}

// The corpus's reference texts end in the reference decoder's verdict ("EDID
// conformity: PASS" or "FAIL"); the checker's failures should give the same one.
TEST(Conformance, AgreesWithTheReferenceVerdicts) {
  int compared = 0, same = 0, conformant = 0, conformantSame = 0;
  for (const std::string& id : test::corpusIds()) {
    const std::string text = test::readFile(test::corpusDir() + "/" + id + ".txt");
    const bool pass = text.find("EDID conformity: PASS") != std::string::npos;
    if (!pass && text.find("EDID conformity: FAIL") == std::string::npos) continue;
    const bool ours = !check::hasFailure(check::checkEdid(test::corpusBytes(id)));
    ++compared;
    same += ours == pass;
    conformant += pass;
    conformantSame += pass && ours;
  }
  ASSERT_GT(conformant, 0);
  EXPECT_GE(same * 100, compared * 90) << same << " of " << compared;
  EXPECT_GE(conformantSame * 100, conformant * 85) << conformantSame << " of " << conformant;
}

TEST(Conformance, SummaryCountsBySeverity) {
  using check::Severity;
  const check::Finding failure{Severity::Failure, 0, 1, 1, "x"};
  const check::Finding warning{Severity::Warning, 0, 1, 1, "x"};
  EXPECT_EQ(check::summaryText({}), "No problems found");
  EXPECT_EQ(check::summaryText({failure, failure, warning}), "2 failures, 1 warning");
  EXPECT_EQ(check::summaryText({warning, warning}), "2 warnings");
}

}  // namespace
}  // namespace edid
