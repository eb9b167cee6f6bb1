#include "core/common/data_file.h"

#include <gtest/gtest.h>

#include "core/shell/program.h"
#include "support/corpus.h"
#include "support/fake_host.h"

namespace edid {
namespace {

TEST(DataFileText, StripsOneCrLfSkipsEmptyElementsAndStopsAtTheEnd) {
  const std::vector<std::string> lines = {"\r\n",      "",         "first\r\n",  "two\r\nlines\r\n",
                                          "no ending", "\r\n\r\n", "END REPORT", "after\r\n"};
  EXPECT_EQ(dataFileText(lines), "first\r\ntwo\r\nlines\r\nno ending\r\n\r\n\r\n");
  EXPECT_EQ(dataFileText({}), "");
}

TEST(DataFileLines, CrLfAndLfEndLinesAlike) {
  EXPECT_EQ(splitFileLines("a\r\nb\nc"), (std::vector<std::string_view>{"a", "b", "c"}));
  EXPECT_EQ(splitFileLines("a\r\n\r\n"), (std::vector<std::string_view>{"a", ""}));
  EXPECT_EQ(splitFileLines("x\ry\n"), (std::vector<std::string_view>{"x\ry"}));
  EXPECT_TRUE(splitFileLines("").empty());
}

TEST(DataFileTokens, PairsAfterTheBarIgnoringSpacing) {
  std::vector<std::string> tokens(kEdidTokenCount);
  int index = 0;
  SplitHexTokens(" 10  |  00  F F\t1a  7", tokens, index);  // "7" stays open: dropped
  EXPECT_EQ(index, 3);
  EXPECT_EQ(tokens[0], "00");
  EXPECT_EQ(tokens[1], "FF");  // a pair split by a space
  EXPECT_EQ(tokens[2], "1a");
  EXPECT_EQ(tokens[3], "");
  SplitHexTokens("no bar 12 34", tokens, index);
  EXPECT_EQ(index, 3);
  SplitHexTokens("a|b|c", tokens, index);  // every later bar is skipped
  EXPECT_EQ(tokens[3], "bc");

  // Past the last token nothing is stored and nothing fails.
  index = kEdidTokenCount - 1;
  SplitHexTokens("|AA BB CC", tokens, index);
  EXPECT_EQ(tokens[kEdidTokenCount - 1], "AA");
  EXPECT_EQ(index, kEdidTokenCount);
}

TEST(DataFileSection, HandEditedFilesStayReadable) {
  const std::string edited =
      "some heading\n"
      "128 bytes of edid code:\r\n"
      "  0 1 2\r\n"
      "  |  12  34\r\n"  // taken as the rule line: skipped
      "  0  |00 ff\r\n"
      "rows  |  0 1   2 3\n"
      "  x\n";
  const auto tokens = parseEdidCodeSection(edited);
  ASSERT_TRUE(tokens.ok()) << tokens.error();
  ASSERT_EQ(tokens->size(), static_cast<std::size_t>(kEdidTokenCount));
  EXPECT_EQ((*tokens)[0], "00");
  EXPECT_EQ((*tokens)[1], "ff");
  EXPECT_EQ((*tokens)[2], "01");
  EXPECT_EQ((*tokens)[3], "23");
  EXPECT_EQ((*tokens)[4], "");  // a short section leaves the rest empty

  const auto refused = parseEdidCodeSection("128 BYTES OF EDID\r\n  0  |  00 FF\r\n");
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.error(), "This File is not a Valid EDID/DDC File");
  EXPECT_FALSE(parseEdidCodeSection("").ok());
}

// The data file of every real EDID gives back its 128 cells.
TEST(DataFileSection, EveryCorpusReportReadsBackItsCells) {
  for (const std::string& id : test::corpusIds()) {
    test::FakeHost host;
    Program program(host);
    EdidScreen& screen = program.showScreen();
    screen.document.load(test::corpusImage(id));
    screen.BuildEDIDDefinations();
    program.BuildReport();
    const auto tokens = parseEdidCodeSection(dataFileText(program.common().ReportLines));
    ASSERT_TRUE(tokens.ok()) << id;
    for (int i = 0; i < kEdidSize; ++i)
      ASSERT_EQ((*tokens)[static_cast<std::size_t>(i)], screen.image.cell(i))
          << id << " byte " << i;
  }
}

}  // namespace
}  // namespace edid
