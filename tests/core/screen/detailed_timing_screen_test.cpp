// A detailed timing block on the decoding screen: the controls the focus shows, the
// entry and flag editors with the checksum following each change, and the reset.
// The EDID's block 0 (bytes 54-71) is 02 3A 80 18 71 38 2D 40 58 2C 45 00 DD 0C 11
// 00 00 1E: 1920 x 1080, 148.50 MHz, 67.50 kHz, 477 x 268 mm, digital separate
// sync with both polarities positive (the reference text's "DTD 1").
#include "core/screen/detailed_timing_screen.h"
#include "core/report/report.h"
#include "core/screen/option_groups.h"
#include "core/screen/screen_fixture.h"

namespace edid::test {
namespace {

const char* const kDigitalId = "FA6E41896752";

class DetailedTimingScreen : public ScreenFixture {
 protected:
  void SetUp() override {
    setModes(true, false);
    load(corpusImage(kDigitalId));
  }
  bool checksumValid() const { return screen.image.byte(127) == screen.image.correctChecksum(); }
  void enter(const std::string& text) {
    screen.section<edid::DetailedTimingScreen>().detailed.DTInput.text = text;
    screen.section<edid::DetailedTimingScreen>().DTInput_KeyUp(13);
  }
  std::string reportText() const { return blockReportText(screen.image, 0); }
};

TEST_F(DetailedTimingScreen, FullDecodeAndFocusShowTheBlock) {
  // The report's first line of the block is centred in 70 columns: 35 - 34 / 2 = 18 spaces in
  // front.
  EXPECT_EQ(reportText().substr(0, 54),
            std::string(18, ' ') + "1920x1080  Pixel Clock: 148.50 MHz\r\n");
  // Blocks 1-3 are descriptors: decoding them left block 0's timing on the controls.
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.DT[1].caption,
            "Active Time - 1920 pixels");

  focusCell(56);
  EXPECT_EQ(visibleHints(), std::vector<int>{9});
  EXPECT_EQ(screen.Hints[9].caption, "Detailed Timing (54-71)");
  EXPECT_EQ(selected(screen.section<edid::DetailedTimingScreen>().detailed.DT),
            std::vector<int>{1});
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.DT[0].caption,
            "Pixel Clock - 148.50 MHz");
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.DT[1].caption,
            "Active Time - 1920 pixels");
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.DT[2].caption,
            "Blanking Time - 280 pixels");
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.DT[4].caption,
            "Blanking Time - 45 lines");
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.DT[7].caption,
            "Sync Offset - 4 lines");
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.DT[8].caption,
            "Sync Pulse Width - 5 lines");
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.DT[11].caption,
            "Image Size - 477 mm");
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.DT[12].caption,
            "Image Size - 268 mm");
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.Freq[0].caption,
            "Horizontal - 67.50 KHz");
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.Freq[1].caption,
            "Vertical - 60.00 Hz");
  EXPECT_TRUE(screen.section<edid::DetailedTimingScreen>().detailed.DTInput.visible);
  EXPECT_FALSE(screen.focusRequested);

  // A typed cell decodes the block again: HB 0x118 becomes 0x100.
  typeInto(57, "00");
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.DT[2].caption,
            "Blanking Time - 256 pixels");
  EXPECT_NE(reportText().find("Blanking Time: 256 pixels"), std::string::npos);
  typeInto(57, "18");

  focusCell(71);
  EXPECT_EQ(visibleHints(), std::vector<int>{10});
  EXPECT_FALSE(screen.section<edid::DetailedTimingScreen>().detailed.DT1.value);
  EXPECT_EQ(selected(screen.section<edid::DetailedTimingScreen>().detailed.DTStereo),
            std::vector<int>{6});
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.frmStereo.caption,
            "Normal Display - No Stereo");
  EXPECT_EQ(selected(screen.section<edid::DetailedTimingScreen>().detailed.DTSync),
            std::vector<int>{3});
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.SyncLine.caption,
            "Horizontal Polarity (+)");
  EXPECT_TRUE(screen.section<edid::DetailedTimingScreen>().detailed.VSyncLine.visible);
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.VSyncLine.caption,
            "Vertical Polarity (+)");
  EXPECT_FALSE(screen.section<edid::DetailedTimingScreen>().detailed.SyncSerrate.enabled);

  // With both modes on the caret goes into DTInput, but not from the upper-bits bytes.
  setModes(true, true);
  focusCell(62);
  EXPECT_TRUE(screen.focusRequested);
  EXPECT_EQ(screen.focus.control, FocusControl::DTInput);
  focusCell(58);
  EXPECT_FALSE(screen.section<edid::DetailedTimingScreen>().detailed.DTInput.visible);
  EXPECT_EQ(screen.focus.control, FocusControl::Cell);
}

TEST_F(DetailedTimingScreen, EntriesWriteTheFieldAndKeepTheChecksum) {
  focusCell(56);
  enter("2560");
  EXPECT_EQ(screen.image.cell(56), "00");
  EXPECT_EQ(screen.image.cell(58), "A1");  // upper nibble 0xA, HB's nibble 1 kept
  EXPECT_TRUE(checksumValid());
  EXPECT_TRUE(common.UnsavedChanges);
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.DT[1].caption,
            "Active Time - 2560 pixels");
  EXPECT_EQ(reportText().find("2560x1080"), 18u);
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.DTInput.text,
            "2560");  // the box keeps the entry

  focusCell(54);
  enter("74.25");
  EXPECT_EQ(screen.image.cell(54), "01");  // 7425 = 0x1D01
  EXPECT_EQ(screen.image.cell(55), "1D");
  EXPECT_TRUE(checksumValid());

  const Image before = screen.image;
  for (const char* refused : {"65535", "-5", "655.35"}) {
    enter(refused);
    EXPECT_EQ(screen.image, before) << refused;
  }
  EXPECT_EQ(host.messages, (std::vector<std::string>(3, "Invalid Value")));

  // DT_Click moves the focus to the field's first cell: VSW to byte 11 of the block.
  screen.section<edid::DetailedTimingScreen>().DT_Click(8);
  EXPECT_EQ(screen.focus, (FocusTarget{FocusControl::Cell, 65}));
  EXPECT_EQ(selected(screen.section<edid::DetailedTimingScreen>().detailed.DT),
            std::vector<int>{8});
  enter("67");  // 0x43: bits above bit 5 dropped
  EXPECT_EQ(screen.image.cell(64), "43");
  EXPECT_EQ(screen.image.cell(65), "00");
  EXPECT_TRUE(checksumValid());

  // Without "Modify EDID" the entry writes nothing.
  setModes(false, false);
  focusCell(56);
  const Image locked = screen.image;
  enter("800");
  EXPECT_EQ(screen.image, locked);
}

TEST_F(DetailedTimingScreen, FlagEditorsReDecodeAndKeepTheChecksum) {
  focusCell(71);
  selectOption(screen.section<edid::DetailedTimingScreen>().detailed.DTSync, 0);
  screen.section<edid::DetailedTimingScreen>().DTSync_Click(0);
  EXPECT_EQ(screen.image.cell(71), "06");
  EXPECT_TRUE(checksumValid());
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.SyncLine.caption, "Sync on RGB");
  EXPECT_FALSE(screen.section<edid::DetailedTimingScreen>().detailed.VSyncLine.visible);
  EXPECT_TRUE(screen.section<edid::DetailedTimingScreen>().detailed.SyncSerrate.enabled);
  EXPECT_TRUE(screen.section<edid::DetailedTimingScreen>().detailed.SyncSerrate.value);
  EXPECT_NE(reportText().find("\r\nAnalog Composite (Serrate) Sync on RGB\r\n"), std::string::npos);

  screen.section<edid::DetailedTimingScreen>().detailed.SyncSerrate.value = false;
  screen.section<edid::DetailedTimingScreen>().SyncSerrate_Click();
  EXPECT_EQ(screen.image.cell(71), "02");
  screen.section<edid::DetailedTimingScreen>().SyncLine_Click();
  EXPECT_EQ(screen.image.cell(71), "00");
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.SyncLine.caption,
            "Sync On Green");
  EXPECT_TRUE(checksumValid());

  // Interlace and stereo re-decode too: a Save right after never has a stale checksum.
  screen.section<edid::DetailedTimingScreen>().detailed.DT1.value = true;
  screen.section<edid::DetailedTimingScreen>().DT1_Click();
  EXPECT_EQ(screen.image.cell(71), "80");
  EXPECT_TRUE(checksumValid());
  EXPECT_NE(reportText().find("Refreshed Mode: Interlaced"), std::string::npos);
  for (int k = 0; k < 6; ++k) {  // the decode selects the option clicked
    selectOption(screen.section<edid::DetailedTimingScreen>().detailed.DTStereo, k);
    screen.section<edid::DetailedTimingScreen>().DTStereo_Click(k);
    EXPECT_EQ(selected(screen.section<edid::DetailedTimingScreen>().detailed.DTStereo),
              std::vector<int>{k});
  }
  EXPECT_EQ(screen.image.cell(71), "E1");
  EXPECT_TRUE(checksumValid());
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.frmStereo.caption, "Stereo");
  selectOption(screen.section<edid::DetailedTimingScreen>().detailed.DTStereo, 6);
  screen.section<edid::DetailedTimingScreen>().DTStereo_Click(6);
  EXPECT_EQ(screen.image.cell(71), "80");
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.frmStereo.caption,
            "Normal Display - No Stereo");

  selectOption(screen.section<edid::DetailedTimingScreen>().detailed.DTSync, 3);
  screen.section<edid::DetailedTimingScreen>().DTSync_Click(3);
  EXPECT_EQ(screen.image.cell(71), "98");
  screen.section<edid::DetailedTimingScreen>().VSyncLine_Click();
  EXPECT_EQ(screen.image.cell(71), "9C");
  EXPECT_EQ(screen.section<edid::DetailedTimingScreen>().detailed.VSyncLine.caption,
            "Vertical Polarity (+)");
  EXPECT_TRUE(checksumValid());

  // A decode in progress or "Modify EDID" off: the clicks write nothing.
  const Image before = screen.image;
  screen.DecodeInProgress = true;
  screen.section<edid::DetailedTimingScreen>().SyncLine_Click();
  screen.DecodeInProgress = false;
  setModes(false, false);
  focusCell(71);
  screen.section<edid::DetailedTimingScreen>().VSyncLine_Click();
  screen.section<edid::DetailedTimingScreen>().DT1_Click();
  EXPECT_EQ(screen.image, before);
}

TEST_F(DetailedTimingScreen, DoubleClickOnABlockFrameResetsTheBlock) {
  focusCell(56);
  const Image before = screen.image;
  screen.section<edid::DetailedTimingScreen>().Hints_DblClick(8);
  screen.section<edid::DetailedTimingScreen>().Hints_DblClick(13);
  setModes(false, false);
  focusCell(56);
  screen.section<edid::DetailedTimingScreen>().Hints_DblClick(9);
  EXPECT_EQ(screen.image, before);

  setModes(true, false);
  focusCell(56);
  EXPECT_TRUE(screen.DTHelp.visible);
  screen.section<edid::DetailedTimingScreen>().Hints_DblClick(9);
  for (int i = 54; i <= 71; ++i) EXPECT_EQ(screen.image.cell(i), i == 57 ? "FF" : "00") << i;
  EXPECT_TRUE(checksumValid());
  EXPECT_EQ(screen.focus, (FocusTarget{FocusControl::Cell, 57}));
  EXPECT_TRUE(screen.SelectedBlockIsDescriptor);
  EXPECT_EQ(visibleHints(), std::vector<int>{11});
  EXPECT_EQ(screen.image.cell(72), "00");  // the next block is untouched
  EXPECT_EQ(screen.image.cell(75), "FD");
}

}  // namespace
}  // namespace edid::test
