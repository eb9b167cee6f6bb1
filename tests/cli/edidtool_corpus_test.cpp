// edidtool over every corpus EDID: report, convert there and back, hidden serials.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <sstream>

#include "cli/edidtool.h"
#include "core/common/data_file.h"
#include "core/common/text.h"
#include "support/corpus.h"
#include "support/fake_sources.h"
#include "support/temp_dir.h"

namespace edid::cli {
namespace {

struct Outcome {
  int status;
  std::string out, err;
};

Outcome runTool(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = run(args, out, err, {});
  return {status, out.str(), err.str()};
}

std::string corpusFile(const std::string& id) {
  return test::corpusDir() + "/" + id + ".bin";
}

TEST(EdidtoolCorpus, ReportAndConvertOfEveryFile) {
  test::TempDir dir("edidtool_corpus");
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
    const auto bytes = test::corpusBytes(id);
    ASSERT_TRUE(tokens.ok()) << id;
    for (int i = 0; i < kEdidSize; ++i)
      ASSERT_EQ((*tokens)[std::size_t(i)], ByteToHex(bytes[std::size_t(i)])) << id << " " << i;

    // To a data file and back: every corpus EDID is whole blocks, so all of them return.
    ASSERT_EQ(runTool({"convert", corpusFile(id), dir.file("e.DAT")}).status, 0) << id;
    ASSERT_EQ(runTool({"convert", dir.file("e.DAT"), dir.file("e.bin")}).status, 0) << id;
    ASSERT_EQ(test::readFile(dir.file("e.bin")), test::asText(bytes)) << id;
  }
  EXPECT_GT(namesChecked, 300);
  ::unsetenv("SOURCE_DATE_EPOCH");
}

TEST(EdidtoolCorpus, JsonOfEveryFileParsesAndSerialsStayHidden) {
  test::TempDir dir("edidtool_corpus");
  std::vector<std::string> args = {"report", "--json", "--hide-serial-numbers"};
  for (const std::string& id : test::corpusIds()) args.push_back(corpusFile(id));
  const Outcome all = runTool(args);
  ASSERT_EQ(all.status, 0) << all.err;
  test::writeBytes(dir.file("all.json"), all.out);
  const std::string check =
      "python3 -c 'import json,sys; a=json.load(open(sys.argv[1])); "
      "sys.exit(0 if len(a) == int(sys.argv[2]) else 1)' " +
      dir.file("all.json") + " " + std::to_string(test::corpusIds().size());
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
        EXPECT_EQ(runTool(one).out.find(serial), std::string::npos) << id << " " << serial;
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 100);
}

}  // namespace
}  // namespace edid::cli
