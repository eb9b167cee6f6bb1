// The byte grid's events, the full decode, and the identification, checksum and
// established timing frames as the screen drives them.
#include "core/screen/edid_screen.h"

#include <gtest/gtest.h>

#include "core/screen/checksum_screen.h"
#include "core/screen/established_screen.h"
#include "screen_fixture.h"

namespace edid::test {
namespace {

class EdidScreenTest : public ScreenFixture {};

constexpr const char* kTimingsAndRangeLimits = "5D0A287815F7";  // blocks DTD, DTD, FC, FD

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

// The boxes a decode checks must not write back (the bits themselves: every_cell_test).
TEST_F(EdidScreenTest, ATimingBoxCheckedWhileDecodingWritesNothing) {
  load(corpusImage(kTimingsAndRangeLimits));
  setModes(true, false);
  focusCell(35);
  const Image before = screen.image;
  screen.DecodeInProgress = true;
  screen.section<EstablishedScreen>().established.ET1[1].value = true;  // bit 6 of A3 is clear
  screen.section<EstablishedScreen>().ET1_Click(1);
  EXPECT_EQ(screen.image, before);
}

}  // namespace
}  // namespace edid::test
