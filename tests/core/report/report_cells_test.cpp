// The report decodes from the cells: the editor's against edidtool's for every
// corpus EDID (each section's own corpus test checks its values against the
// reference decoder), and the report after edits the screen has not decoded.
#include <gtest/gtest.h>

#include "core/report/monitor_name.h"
#include "core/report/report.h"
#include "core/screen/vendor_screen.h"
#include "core/sections/basic_display.h"
#include "core/sections/vendor.h"
#include "core/shell/program.h"
#include "support/corpus.h"
#include "support/fake_host.h"

namespace edid {
namespace {

// The editor decodes through its screen, edidtool from the image alone: for every
// corpus EDID both print the same report, named from the same model list.
TEST(ReportFromCells, EditorAndToolPrintTheSameReport) {
  const ReportMoment moment = momentFromEpoch(1796478330);
  for (const auto& id : test::corpusIds()) {
    test::FakeHost host;
    Program program(host);
    program.modelListFolders = {EDID_TEST_DATA_DIR};
    EdidScreen& screen = program.showScreen();
    screen.document.load(test::corpusImage(id));
    screen.BuildEDIDDefinations();
    program.nameMonitorFromModelLists();
    const auto editor = buildReportLines({.brand = screen.txtBrand.text,
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

    // What the screen builds from its shared texts matches the decode.
    EXPECT_EQ(screen.section<VendorScreen>().vendor.lbVendor[6].caption,
              vendor::decode(image).completeSerial)
        << id;
    EXPECT_EQ(program.common().GammaText, basic_display::decode(image).gammaText) << id;
  }
}

// The report reads the cells, not what the screen decoded last: after the checksum
// is mended, or byte 126 typed without a re-decode, it says what the cells hold.
TEST(ReportFromCells, ReportFollowsTheCellsNotTheLastDecode) {
  test::FakeHost host;
  Program program(host);
  EdidScreen& screen = program.showScreen();
  Image image = test::corpusImage("000CCAC2C577");  // no extension, checksum 0C
  image.setByte(127, 0x0D);
  screen.document.load(image);
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
  screen.txtEdit_Change(126, "02");
  screen.txtEdit_KeyUp(126);
  ASSERT_EQ(screen.image.cell(127), "0C");
  EXPECT_EQ(trailer(), "(126)    (02) Extension EDID Block(s)\r\n(127)    CheckSum Is Invalid\r\n");
}

}  // namespace
}  // namespace edid
