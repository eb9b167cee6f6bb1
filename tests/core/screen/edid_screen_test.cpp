// The byte grid's events, the full decode, and the identification, checksum and
// established timing frames as the screen drives them.
#include "core/screen/edid_screen.h"

#include <gtest/gtest.h>

#include "core/screen/checksum_screen.h"
#include "core/screen/established_screen.h"
#include "core/screen/vendor_screen.h"
#include "core/screen/version_screen.h"
#include "screen_fixture.h"

namespace edid::test {
namespace {

class EdidScreenTest : public ScreenFixture {};

using V = std::vector<int>;

constexpr const char* kTimingsAndRangeLimits = "5D0A287815F7";  // blocks DTD, DTD, FC, FD
constexpr const char* kFourTimingsLastFa = "256C6451A10D";      // blocks DTD, DTD, DTD, FA

TEST_F(EdidScreenTest, SectionTableHoldsEveryByteOnceAndShowsOnlyListedFrames) {
  std::array<int, kEdidSize> rowsOf{};
  for (const EdidScreen::SectionRow& row : screen.sectionRows()) {
    for (int i = row.bytes.first; i <= row.bytes.last; ++i)
      ++rowsOf.at(static_cast<std::size_t>(i));
    if (row.frame) {
      EXPECT_GE(screen.Hints.indexOf(*row.frame), 0) << row.bytes.first;
    }
  }
  for (int i = 0; i < kEdidSize; ++i) EXPECT_EQ(rowsOf[static_cast<std::size_t>(i)], 1) << i;
}

TEST_F(EdidScreenTest, NewScreenHoldsZerosAndDecodesNothing) {
  EXPECT_TRUE(common.EdidScreenOpen);
  for (int i = 0; i < kEdidSize; ++i) EXPECT_EQ(screen.image.cell(i), "00");
  EXPECT_TRUE(screen.section<VendorScreen>().vendor.VendorInfo.text.empty());
  EXPECT_TRUE(common.ManufacturerText.empty());
  EXPECT_TRUE(visibleHints().empty());
}

TEST_F(EdidScreenTest, CellsTakeHexDigitsAndControlKeysOnly) {
  setModes(true, false);
  focusCell(30);
  const std::vector<std::string> refused{"Please Make Your Values In Hex"};
  struct Row {
    char typed, entered;
    bool taken;
  };
  for (const Row& row :
       {Row{'b', 'B', true}, Row{'5', '5', true}, Row{'\b', '\b', true}, Row{'Z', 'Z', false},
        Row{'g', 'g', false}, Row{' ', ' ', false}, Row{'?', '?', false}}) {
    host.messages.clear();
    char key = row.typed;
    EXPECT_EQ(screen.txtEdit_KeyPress(30, key), row.taken) << row.typed;
    EXPECT_EQ(key, row.entered);
    EXPECT_EQ(host.messages, row.taken ? std::vector<std::string>{} : refused) << row.typed;
  }
}

TEST_F(EdidScreenTest, FullDecodeLeavesTheLastBlockSelected) {
  load(corpusImage(kTimingsAndRangeLimits));
  EXPECT_EQ(screen.section<VendorScreen>().vendor.VendorInfo.text, common.YearText);
  EXPECT_EQ(screen.section<VersionScreen>().edid.VerRev.text, common.VersionText);
  EXPECT_EQ(screen.SelectedByte, 108);
  EXPECT_EQ(screen.SelectedBlock, 3);
  EXPECT_TRUE(screen.SelectedBlockIsDescriptor);
  EXPECT_EQ(screen.section<ChecksumScreen>().edid.lbEDID[7].caption, "CheckSum OK");

  load(corpusImage(kFourTimingsLastFa));
  EXPECT_TRUE(screen.SelectedBlockIsDescriptor);

  // Block 3 turned into a detailed timing: judged by its own bytes.
  Image image = corpusImage(kFourTimingsLastFa);
  for (int o = 0; o < 18; ++o) image.setCell(108 + o, image.cell(54 + o));
  load(image);
  EXPECT_EQ(screen.SelectedByte, 108);
  EXPECT_FALSE(screen.SelectedBlockIsDescriptor);
}

TEST_F(EdidScreenTest, KeyReleaseRedecodesOnlyCompletePairs) {
  load(corpusImage(kTimingsAndRangeLimits));
  setModes(true, false);
  const std::string checksum = screen.image.cell(127);
  const std::string manufacturer = screen.section<VendorScreen>().vendor.lbVendor[0].caption;

  typeInto(8, "1");
  EXPECT_EQ(screen.section<VendorScreen>().vendor.lbVendor[0].caption, manufacturer)
      << "one digit decodes nothing";
  EXPECT_EQ(screen.image.cell(127), checksum);

  typeInto(8, "04");
  typeInto(9, "43");
  EXPECT_EQ(screen.section<VendorScreen>().vendor.lbVendor[0].caption, "Manufacturer - ABC");
  EXPECT_EQ(screen.section<ChecksumScreen>().ComputeCheckSum(), 0);

  // Byte 126 decodes nothing: its caption catches up at the next focus.
  const std::string flagCaption = screen.section<ChecksumScreen>().edid.lbEDID[6].caption;
  typeInto(126, "05");
  EXPECT_EQ(screen.section<ChecksumScreen>().edid.lbEDID[6].caption, flagCaption);
  typeInto(127, "00");

  setModes(false, false);
  typeInto(9, "44");
  EXPECT_EQ(screen.section<VendorScreen>().vendor.lbVendor[0].caption, "Manufacturer - ABD");
  EXPECT_EQ(screen.image.cell(127), "00") << "no checksum while Modify EDID is off";
}

TEST_F(EdidScreenTest, LeavingACellRefusesOnlyThreeOrMoreCharacters) {
  screen.txtEdit_Change(40, "1A2");
  EXPECT_FALSE(screen.txtEdit_LostFocus(40));
  EXPECT_EQ(host.messages, std::vector<std::string>{"Please Make Your Values In Hex"});
  EXPECT_TRUE(screen.focusRequested);
  EXPECT_EQ(screen.focus, (FocusTarget{FocusControl::Cell, 40}));
  EXPECT_EQ(screen.image.cell(40), "1A2") << "kept for correction";

  screen.focusRequested = false;
  for (const char* text : {"", "7"}) {
    screen.txtEdit_Change(41, text);
    EXPECT_TRUE(screen.txtEdit_LostFocus(41)) << text;
  }
  EXPECT_EQ(host.messages.size(), 1u);
  EXPECT_FALSE(screen.focusRequested);
}

TEST_F(EdidScreenTest, StaleReportIsRefreshedOnceAtTheNextFocus) {
  int refreshes = 0;
  screen.refreshReport = [&] { ++refreshes; };
  load(corpusImage(kTimingsAndRangeLimits));
  common.DocumentOpen = true;
  setModes(true, false);

  focusCell(20);
  EXPECT_EQ(refreshes, 0) << "nothing changed";

  screen.txtEdit_Change(20, screen.image.cell(20) == "0E" ? "0F" : "0E");
  focusCell(21);  // the focus recomputes the checksum, which makes the report stale
  EXPECT_EQ(refreshes, 1);
  EXPECT_FALSE(common.ReportRefreshPending);
  EXPECT_TRUE(common.UnsavedChanges);
  focusCell(22);
  EXPECT_EQ(refreshes, 1);

  common.DocumentOpen = false;
  typeInto(30, "11");
  focusCell(31);
  EXPECT_EQ(refreshes, 1) << "no report window";
  EXPECT_TRUE(common.ReportRefreshPending);
}

TEST_F(EdidScreenTest, VersionEntryWritesTheHighlightedByte) {
  Image image;
  image.setCell(18, "01");
  image.setCell(19, "03");
  load(image);
  EXPECT_EQ(screen.section<VersionScreen>().edid.lbEDID[0].caption, "Version Number - 1");
  EXPECT_EQ(screen.section<VersionScreen>().edid.lbEDID[1].caption, "Revision Number - 3");
  EXPECT_EQ(screen.section<VersionScreen>().edid.lbEDID[3].caption, "1.3");
  EXPECT_EQ(screen.txtVersion.text, "1");
  EXPECT_EQ(screen.txtRevision.text, "3");

  setModes(true, false);
  focusCell(19);
  screen.section<VersionScreen>().edid.VerRev.text = "2";
  screen.section<VersionScreen>().VerRev_KeyUp(13);
  EXPECT_EQ(screen.image.cell(19), "02");
  EXPECT_EQ(screen.image.cell(18), "01");
  EXPECT_EQ(screen.section<ChecksumScreen>().ComputeCheckSum(), 0);

  screen.section<VersionScreen>().edid.VerRev.text = "255";
  screen.section<VersionScreen>().VerRev_KeyUp(13);
  EXPECT_EQ(screen.image.cell(19), "FF");
  for (const char* refused : {"256", "-1"}) {
    screen.section<VersionScreen>().edid.VerRev.text = refused;
    screen.section<VersionScreen>().VerRev_KeyUp(13);
    EXPECT_EQ(screen.image.cell(19), "FF") << refused;
  }
  EXPECT_EQ(host.messages, std::vector<std::string>(2, "This value must value between 0 and 255"));
  screen.section<VersionScreen>().edid.VerRev.text = "0";
  screen.section<VersionScreen>().VerRev_KeyUp(65);
  EXPECT_EQ(screen.image.cell(19), "FF") << "only Enter acts";
  screen.section<VersionScreen>().VerRev_KeyUp(13);
  EXPECT_EQ(screen.image.cell(19), "00");
  EXPECT_EQ(screen.txtRevision.text, "0");
}

TEST_F(EdidScreenTest, ChecksumFrameReportsWhatCell127Holds) {
  Image image = corpusImage(kTimingsAndRangeLimits);
  load(image);
  focusCell(126);
  EXPECT_EQ(screen.section<ChecksumScreen>().edid.lbEDID[6].caption, "Extended Flag = 0");
  EXPECT_EQ(screen.section<ChecksumScreen>().edid.lbEDID[7].caption, "CheckSum OK");

  // With Modify EDID off a wrong checksum is shown and never corrected.
  screen.txtEdit_Change(126, "01");
  focusCell(126);
  EXPECT_EQ(screen.section<ChecksumScreen>().edid.lbEDID[6].caption, "Extended Flag = 1");
  EXPECT_EQ(screen.section<ChecksumScreen>().edid.lbEDID[7].caption, "CheckSum Is Invalid");
  focusCell(127);
  EXPECT_NE(screen.section<ChecksumScreen>().ComputeCheckSum(), 0);

  screen.txtEdit_Change(126, "FF");
  focusCell(127);
  EXPECT_EQ(screen.section<ChecksumScreen>().edid.lbEDID[6].caption, "Extended Flag = 255");

  // With it on, a wrong value typed into 127 stays until the next focus, which
  // shows it as invalid and then corrects the byte.
  setModes(true, false);
  focusCell(0);
  ASSERT_EQ(screen.section<ChecksumScreen>().ComputeCheckSum(), 0);
  const std::string good = screen.image.cell(127);
  const std::string wrong = good == "00" ? "01" : "00";
  typeInto(127, wrong);
  EXPECT_EQ(screen.image.cell(127), wrong);
  focusCell(126);
  EXPECT_EQ(screen.section<ChecksumScreen>().edid.lbEDID[7].caption, "CheckSum Is Invalid");
  EXPECT_EQ(screen.image.cell(127), good);
  EXPECT_EQ(screen.section<ChecksumScreen>().ComputeCheckSum(), 0);
}

TEST_F(EdidScreenTest, EstablishedTimingCheckBoxesFollowAndWriteTheirBits) {
  Image image;
  image.setCell(35, "21");
  image.setCell(36, "10");
  image.setCell(37, "7F");
  load(image);
  focusCell(35);
  EXPECT_EQ(visibleHints(), V{5});
  EXPECT_EQ(selected(screen.section<EstablishedScreen>().established.ET1), (V{2, 7}));
  EXPECT_EQ(selected(screen.section<EstablishedScreen>().established.ET2), V{3});
  EXPECT_FALSE(screen.section<EstablishedScreen>().established.ET3[7].value);

  setModes(true, false);
  focusCell(37);
  EXPECT_EQ(visibleHints(), V{7});
  EXPECT_EQ(cellsWith(BackColour::Field), V{37});
  EXPECT_TRUE(cellsWith(BackColour::Section).empty());
  screen.section<EstablishedScreen>().established.ET3[7].value = true;
  screen.section<EstablishedScreen>().ET3_Click(7);
  EXPECT_EQ(screen.image.cell(37), "FF");
  EXPECT_EQ(screen.section<ChecksumScreen>().ComputeCheckSum(), 0);

  typeInto(36, "FF");
  focusCell(36);
  screen.section<EstablishedScreen>().established.ET2[7].value = false;
  screen.section<EstablishedScreen>().ET2_Click(7);
  EXPECT_EQ(screen.image.cell(36), "FE");
  EXPECT_EQ(selected(screen.section<EstablishedScreen>().established.ET2),
            (V{0, 1, 2, 3, 4, 5, 6}));

  // A check set while decoding must not write back.
  screen.DecodeInProgress = true;
  screen.section<EstablishedScreen>().established.ET1[0].value = true;
  screen.section<EstablishedScreen>().ET1_Click(0);
  EXPECT_EQ(screen.image.cell(35), "21");
  screen.DecodeInProgress = false;
}

}  // namespace
}  // namespace edid::test
