// The whole-image decode the report prints from, against the reference decoder's
// text of every corpus EDID, and the report built from it against the editor's.
#include "core/report/decoded_edid.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>

#include "core/report/monitor_name.h"
#include "core/report/report.h"
#include "core/shell/program.h"
#include "support/corpus.h"
#include "support/fake_host.h"

namespace edid {
namespace {

std::string match(const std::string& text, const std::regex& pattern) {
  std::smatch m;
  return std::regex_search(text, m, pattern) ? m[1].str() : std::string();
}

TEST(DecodedEdid, SectionsAgreeWithTheReferenceDecoder) {
  const std::regex manufacturer(R"(\n\s+Manufacturer: (\S{3})\n)");
  const std::regex version(R"(EDID Structure Version & Revision: (\d+\.\d+))");
  const std::regex madeIn(R"(\n\s+Made in: week (\d+) of)");
  const std::regex imageSize(R"(\n\s+Maximum image size: (\d+) cm x (\d+) cm\n)");
  const std::regex gamma(R"(\n\s+Gamma: (\d\.\d\d)\n)");
  // id -> (extensions, checksum_ok) of tests/data/corpus/index.tsv.
  std::map<std::string, std::pair<std::string, std::string>> index;
  std::istringstream rows(test::readFile(test::corpusDir() + "/index.tsv"));
  for (std::string line; std::getline(rows, line);) {
    std::vector<std::string> cells;
    std::istringstream fields(line);
    for (std::string cell; std::getline(fields, cell, '\t');) cells.push_back(cell);
    if (cells.size() >= 8) index[cells[0]] = {cells[5], cells[7]};
  }
  int checked = 0;
  for (const auto& id : test::corpusIds()) {
    const std::string text = test::readFile(test::corpusDir() + "/" + id + ".txt");
    const Image image = test::corpusImage(id);
    const Image before = image;
    const DecodedEdid d = decodeEdid(image);
    ASSERT_EQ(image, before);
    if (const auto m = match(text, manufacturer); !m.empty()) {
      EXPECT_EQ(d.vendor.manufacturer, m) << id;
    }
    if (const auto v = match(text, version); !v.empty()) {
      EXPECT_EQ(d.version.complete, v) << id;
    }
    if (const auto week = match(text, madeIn); !week.empty() && std::stoi(week) < 10) {
      EXPECT_EQ(d.vendor.week, "0" + week) << id;
    }
    if (std::smatch m; std::regex_search(text, m, imageSize)) {
      EXPECT_EQ(d.basicDisplay.horizSizeText, m[1].str() + "0 mm") << id;
      EXPECT_EQ(d.basicDisplay.vertSizeText, m[2].str() + "0 mm") << id;
    }
    if (const auto g = match(text, gamma); !g.empty()) {
      EXPECT_EQ(d.basicDisplay.gammaText, g) << id;
    }
    // Extension count and checksum state from the corpus index.
    const auto row = index.find(id);
    ASSERT_NE(row, index.end()) << id;
    const int blocks = std::stoi(row->second.first);
    if (blocks == 0) {
      EXPECT_EQ(d.checksum.extensionBlocksText, "No Extension EDID Block(s)\r\n") << id;
    } else {
      EXPECT_EQ(d.checksum.extensionBlocksText,
                "(0" + std::to_string(blocks) + ") Extension EDID Block(s)\r\n")
          << id;
    }
    EXPECT_EQ(d.checksum.checksumStatusText,
              row->second.second == "1" ? "CheckSum OK\r\n" : "CheckSum Is Invalid\r\n")
        << id;
    ++checked;
  }
  EXPECT_GE(checked, 300);
}

// The editor decodes through its screen, edidtool from the image alone: for every
// corpus EDID both print the same report, named from the same model list.
TEST(DecodedEdid, EditorAndToolPrintTheSameReport) {
  const ReportMoment moment = momentFromEpoch(1796478330);
  for (const auto& id : test::corpusIds()) {
    test::FakeHost host;
    Program program(host);
    program.modelListFolders = {EDID_TEST_DATA_DIR};
    EdidScreen& screen = program.showScreen();
    screen.image = test::corpusImage(id);
    screen.BuildEDIDDefinations();
    program.nameMonitorFromModelLists();
    const auto editor = buildReportLines({.decoded = decodeEdid(screen.image),
                                          .brand = screen.txtBrand.text,
                                          .model = screen.txtModel.text,
                                          .cells = screen.image,
                                          .moment = moment});

    std::vector<std::string> lines;
    const Image image = test::corpusImage(id);
    const auto name = nameFromModelLists(image, {EDID_TEST_DATA_DIR}, lines, nullptr);
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(name->brand, screen.txtBrand.text) << id;
    EXPECT_EQ(name->model, screen.txtModel.text) << id;
    EXPECT_EQ(reportLinesOf(image, name->brand, name->model, moment), editor) << id;

    // The shared texts the screen leaves for other readers match the decode.
    const Common& c = program.common();
    const DecodedEdid d = decodeEdid(image);
    EXPECT_EQ(c.CompleteSerialText, d.vendor.completeSerial) << id;
    EXPECT_EQ(c.EstablishedTimingsIIText, d.established.timingsIIText) << id;
    EXPECT_EQ(c.ChecksumStatusText, d.checksum.checksumStatusText) << id;
    EXPECT_EQ(c.VideoInputText, d.basicDisplay.video.text) << id;
    EXPECT_EQ(c.GammaText, d.basicDisplay.gammaText) << id;
    EXPECT_EQ(c.DisplayTypeText, d.basicDisplay.features.displayTypeText) << id;
    EXPECT_EQ(c.ChromaYText, d.chromaticity.yText) << id;
    for (std::size_t k = 0; k < d.standardTimings.timings.size(); ++k)
      EXPECT_EQ(c.StandardTimingTexts[k], d.standardTimings.timings[k].text) << id << " " << k;
  }
}

// The report reads the cells, not what the screen decoded last: after the checksum
// is mended, or byte 126 typed without a re-decode, it says what the cells hold.
TEST(DecodedEdid, ReportFollowsTheCellsNotTheLastDecode) {
  test::FakeHost host;
  Program program(host);
  EdidScreen& screen = program.showScreen();
  Image image = test::corpusImage("000CCAC2C577");  // no extension, checksum 0C
  image.setByte(127, 0x0D);
  screen.image = image;
  screen.BuildEDIDDefinations();
  const auto trailer = [&program] {
    program.BuildReport();
    const auto& lines = program.common().ReportLines;
    return lines[lines.size() - 3] + lines[lines.size() - 2];
  };
  EXPECT_EQ(trailer(), "(126)    No Extension EDID Block(s)\r\n(127)    CheckSum Is Invalid\r\n");

  program.Command2_Click();  // "Modify EDID" on: focusing cell 0 mends byte 127
  ASSERT_EQ(screen.image.cell(127), "0C");
  EXPECT_EQ(trailer(), "(126)    No Extension EDID Block(s)\r\n(127)    CheckSum OK\r\n");

  // Typing into 126 re-decodes nothing and leaves 127 as it was.
  screen.image.setCell(126, "02");
  screen.txtEdit_KeyUp(126);
  ASSERT_EQ(screen.image.cell(127), "0C");
  EXPECT_EQ(trailer(), "(126)    (02) Extension EDID Block(s)\r\n(127)    CheckSum Is Invalid\r\n");
}

}  // namespace
}  // namespace edid
