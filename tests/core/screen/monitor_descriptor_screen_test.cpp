// The monitor descriptor frames on the screen: what focusing a block shows, and
// every editor through its handler, with the checksum following each change.
// The image is a real monitor's: block 72 a serial number, 90 range limits
// (55-75 Hz, 30-83 kHz, 140 MHz, no GTF) and 108 the name "TFT1780".
#include "core/screen/monitor_descriptor_screen.h"
#include "core/report/report.h"
#include "core/screen/option_groups.h"
#include "screen_fixture.h"

namespace edid::test {
namespace {

class MonitorDescriptorScreen : public ScreenFixture {
 protected:
  void SetUp() override { load(corpusImage("1953CCF64283")); }

  // A block rewritten by hand, then the image decoded again.
  void putBlock(int start, const std::vector<int>& bytes) {
    Image image = screen.image;
    for (std::size_t i = 0; i < bytes.size(); ++i)
      image.setByte(start + static_cast<int>(i), bytes[i]);
    image.setByte(kChecksumByte, image.correctChecksum());
    load(image);
  }
  std::string block(int k) const { return blockReportText(screen.image, k); }
  bool checksumValid() const { return screen.image.checksumTest() == 0; }
};

TEST_F(MonitorDescriptorScreen, FullDecodeFillsTheBlockTextsAndReadsOnly) {
  const Image before = corpusImage("1953CCF64283");
  EXPECT_EQ(screen.image, before);
  EXPECT_EQ(block(3), "\r\n         Monitor Name:\r\n         TFT1780\r\n\r\n");
  EXPECT_NE(
      block(2).find("         Pixel Clock  - 140 MHz\r\n         Timing Support - Default GTF\r\n"),
      std::string::npos);
  EXPECT_EQ(block(1).substr(0, 35), "\r\n         Monitor Serial Number:\r\n");
  // The controls hold the last descriptor decoded: the name.
  EXPECT_EQ(selected(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTa),
            std::vector<int>{3});
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTaInput.text, "TFT1780");
  EXPECT_FALSE(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTAGTF.enabled);
}

TEST_F(MonitorDescriptorScreen, TheNameBlockIsRenamedThroughDTaInput) {
  setModes(true, true);
  focusCell(110);
  EXPECT_EQ(visibleHints(), std::vector<int>{11});
  EXPECT_EQ(screen.Hints[11].caption, "Detailed Timing (108-125)");
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTaInput.text, "TFT1780");
  EXPECT_EQ(screen.focus.control, FocusControl::DTaInput);
  EXPECT_FALSE(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTAFrame[0].visible);
  EXPECT_FALSE(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTAGTF.visible);

  screen.section<edid::MonitorDescriptorScreen>().descriptor.DTaInput.text = "ABC";
  screen.section<edid::MonitorDescriptorScreen>().DTaInput_KeyUp(13);
  EXPECT_EQ(screen.image.cell(113), "41");
  EXPECT_EQ(screen.image.cell(116), "0A");
  EXPECT_EQ(screen.image.cell(125), "20");
  EXPECT_TRUE(checksumValid());
  EXPECT_TRUE(common.UnsavedChanges);
  EXPECT_EQ(block(3), "\r\n         Monitor Name:\r\n         ABC\r\n\r\n");
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTaInput.text, "ABC");

  // A byte typed into a cell of the block decodes the block again.
  typeInto(114, "5A");
  EXPECT_EQ(block(3), "\r\n         Monitor Name:\r\n         AZC\r\n\r\n");
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTaInput.text, "AZC");

  // Other keys than Enter write nothing.
  screen.section<edid::MonitorDescriptorScreen>().descriptor.DTaInput.text = "XYZ";
  screen.section<edid::MonitorDescriptorScreen>().DTaInput_KeyUp(65);
  EXPECT_EQ(screen.image.cell(113), "41");
}

TEST_F(MonitorDescriptorScreen, RangeLimitsOptionsGtfAndRefusals) {
  putBlock(18, {0x01, 0x03});  // as EDID 1.3: the GTF box, rates up to 255
  setModes(true, false);
  focusCell(96);  // max vertical rate
  EXPECT_EQ(visibleHints(), std::vector<int>{11});
  EXPECT_EQ(selected(screen.section<edid::MonitorDescriptorScreen>().descriptor.DtaOpt),
            std::vector<int>{1});
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().descriptor.DtaOpt[1].caption,
            "Max Vertical Freq - 75 Hz");
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().descriptor.DtaOpt[4].caption,
            "Pixel Clock  - 140 MHz");
  EXPECT_TRUE(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTAFrame[0].visible);
  EXPECT_TRUE(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTAGTF.visible);
  EXPECT_TRUE(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTAGTF.enabled);
  EXPECT_FALSE(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTAGTF.value);
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTaInput.text, "");
  EXPECT_TRUE(screen.cellLocked[100]);  // GTF bytes stay shut while GTF is off

  screen.section<edid::MonitorDescriptorScreen>().descriptor.DTaInput.text = "85";
  screen.section<edid::MonitorDescriptorScreen>().DTaInput_KeyUp(13);
  EXPECT_EQ(screen.image.cell(96), "55");
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().descriptor.DtaOpt[1].caption,
            "Max Vertical Freq - 85 Hz");
  EXPECT_TRUE(checksumValid());

  const Image before = screen.image;
  screen.section<edid::MonitorDescriptorScreen>().descriptor.DTaInput.text = "256";
  screen.section<edid::MonitorDescriptorScreen>().DTaInput_KeyUp(13);
  EXPECT_EQ(host.messages, std::vector<std::string>{"Value entered must be between 0 - 255"});
  EXPECT_EQ(screen.image, before);

  screen.section<edid::MonitorDescriptorScreen>().DtaOpt_Click(4);
  EXPECT_EQ(selected(screen.section<edid::MonitorDescriptorScreen>().descriptor.DtaOpt),
            std::vector<int>{4});
  EXPECT_EQ(screen.focus.control, FocusControl::DTaInput);
  screen.section<edid::MonitorDescriptorScreen>().descriptor.DTaInput.text = "2555";
  screen.section<edid::MonitorDescriptorScreen>().DTaInput_KeyUp(13);
  EXPECT_EQ(host.messages.back(), "Value entered must be between 0 - 2550");
  EXPECT_EQ(screen.image, before);
  screen.section<edid::MonitorDescriptorScreen>().descriptor.DTaInput.text = "160";
  screen.section<edid::MonitorDescriptorScreen>().DTaInput_KeyUp(13);
  EXPECT_EQ(screen.image.cell(99), "10");
  EXPECT_TRUE(checksumValid());

  // GTF on: byte 100 is 02 (a secondary curve; 01 is reserved), its cells open and
  // the report says so at once.
  screen.section<edid::MonitorDescriptorScreen>().descriptor.DTAGTF.value = true;
  screen.section<edid::MonitorDescriptorScreen>().DTAGTF_Click();
  EXPECT_EQ(screen.image.cell(100), "02");
  EXPECT_FALSE(screen.cellLocked[100]);
  EXPECT_FALSE(screen.cellLocked[107]);
  EXPECT_NE(block(2).find("GTF - Supported"), std::string::npos);
  EXPECT_TRUE(checksumValid());
  screen.section<edid::MonitorDescriptorScreen>().descriptor.DTAGTF.value = false;
  screen.section<edid::MonitorDescriptorScreen>().DTAGTF_Click();
  EXPECT_EQ(screen.image.cell(101), "0A");
  EXPECT_EQ(screen.image.cell(107), "20");
  EXPECT_TRUE(checksumValid());

  // Without "Modify EDID" the GTF box changes nothing.
  setModes(false, false);
  const Image off = screen.image;
  screen.section<edid::MonitorDescriptorScreen>().descriptor.DTAGTF.value = true;
  screen.section<edid::MonitorDescriptorScreen>().DTAGTF_Click();
  EXPECT_EQ(screen.image, off);
}

TEST_F(MonitorDescriptorScreen, ColourPointsShowTheSelectedValueAndSwitchPointsOff) {
  // Point #1 x 0.313, y 0.329, gamma 2.20; point #2 absent; 0A 20 20 at the end.
  putBlock(72, {0, 0, 0, 0xFB, 0, 0x01, 0x05, 0x50, 0x54, 0x78, 0, 0, 0, 0, 0, 0x0A, 0x20, 0x20});
  setModes(true, false);
  focusCell(80);  // y of point #1
  EXPECT_EQ(visibleHints(), std::vector<int>{11});
  EXPECT_EQ(selected(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTa),
            std::vector<int>{4});
  EXPECT_EQ(selected(screen.section<edid::MonitorDescriptorScreen>().descriptor.DtaOptWhite),
            std::vector<int>{1});
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTaInput.text, "0.329");
  EXPECT_TRUE(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTAFrame[1].visible);
  EXPECT_TRUE(screen.section<edid::MonitorDescriptorScreen>().descriptor.Windex[0].visible);
  EXPECT_FALSE(screen.section<edid::MonitorDescriptorScreen>().descriptor.NotUsed[0].visible);
  EXPECT_TRUE(screen.section<edid::MonitorDescriptorScreen>().descriptor.NotUsed[1].visible);
  EXPECT_FALSE(screen.section<edid::MonitorDescriptorScreen>().descriptor.DtaOptWhite[3].visible);
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().descriptor.DtaOptWhite[2].caption,
            "Gamma  - 2.20");

  screen.section<edid::MonitorDescriptorScreen>().DtaOptWhite_Click(2);
  EXPECT_EQ(screen.focus, (FocusTarget{FocusControl::Cell, 81}));
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTaInput.text, "2.20");
  screen.section<edid::MonitorDescriptorScreen>().descriptor.DTaInput.text = "2,4";
  screen.section<edid::MonitorDescriptorScreen>().DTaInput_KeyUp(13);
  EXPECT_EQ(screen.image.cell(81), "8C");
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTaInput.text, "2.40");
  EXPECT_TRUE(checksumValid());

  screen.section<edid::MonitorDescriptorScreen>().descriptor.DTaInput.text = "3.56";
  screen.section<edid::MonitorDescriptorScreen>().DTaInput_KeyUp(13);
  EXPECT_EQ(host.messages, std::vector<std::string>{"This value must value between 1.00-3.55"});
  EXPECT_EQ(screen.image.cell(81), "8C");

  // Point #2 on: index 02 and its x option chosen; then #1 off tidies its bytes.
  screen.section<edid::MonitorDescriptorScreen>().descriptor.Windex[1].value = true;
  screen.section<edid::MonitorDescriptorScreen>().Windex_Click(1);
  EXPECT_EQ(screen.image.cell(82), "02");
  EXPECT_EQ(selected(screen.section<edid::MonitorDescriptorScreen>().descriptor.DtaOptWhite),
            std::vector<int>{3});
  EXPECT_TRUE(screen.section<edid::MonitorDescriptorScreen>().descriptor.DtaOptWhite[3].visible);
  EXPECT_TRUE(checksumValid());
  screen.section<edid::MonitorDescriptorScreen>().descriptor.Windex[0].value = false;
  screen.section<edid::MonitorDescriptorScreen>().Windex_Click(0);
  for (int i = 77; i <= 81; ++i) EXPECT_EQ(screen.image.cell(i), "00") << i;
  EXPECT_EQ(screen.image.cell(87), "0A");
  EXPECT_NE(block(1).find("White Point #1\r\n                    Not Used\r\n"), std::string::npos);
  EXPECT_TRUE(checksumValid());
  // Both off: the end mark is written again, whatever bytes 15-17 held.
  screen.txtEdit_Change(87, "33");
  screen.section<edid::MonitorDescriptorScreen>().descriptor.Windex[1].value = false;
  screen.section<edid::MonitorDescriptorScreen>().Windex_Click(1);
  EXPECT_EQ(screen.image.cell(87), "0A");
  EXPECT_EQ(screen.image.cell(88), "20");
  EXPECT_TRUE(checksumValid());
  // An absent point shows no value, not the caption it had while it was on.
  focusCell(84);
  EXPECT_EQ(selected(screen.section<edid::MonitorDescriptorScreen>().descriptor.DtaOptWhite),
            std::vector<int>{3});
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().descriptor.DtaOptWhite[3].caption,
            "White X - 0.000");
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTaInput.text, "");
}

TEST_F(MonitorDescriptorScreen, ExtraTimingsHaveTheirOwnFrame) {
  // 1024 x 768 at 75 Hz, 1280 x 1024 at 60 Hz, then unused slots.
  putBlock(72, {0, 0, 0, 0xFA, 0, 0x61, 0x4F, 0x81, 0x80, 1, 1, 1, 1, 1, 1, 1, 1, 0x0A});
  setModes(true, true);
  focusCell(79);  // first byte of the second timing
  EXPECT_EQ(visibleHints(), std::vector<int>{12});
  EXPECT_EQ(screen.Hints[12].caption, "Ext. Standard Timing (72-89)");
  EXPECT_EQ(selected(screen.section<edid::MonitorDescriptorScreen>().extStandard.ExtSTOpt),
            std::vector<int>{1});
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().extStandard.ExtSTOpt[0].caption,
            "1024 X 768 @75Hz");
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().extStandard.ExtSTOpt[2].caption,
            "Not Used");
  EXPECT_EQ(selected(screen.section<edid::MonitorDescriptorScreen>().extStandard.ExtSTAOptb),
            std::vector<int>{2});
  EXPECT_EQ(screen.focus.control, FocusControl::ExtStaInput);

  // In this EDID 1.4 aspect code 0 is 16:10.
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().extStandard.ExtSTAOptb[0].caption,
            "16:10 Aspect Ratio");
  screen.section<edid::MonitorDescriptorScreen>().ExtSTAOptb_Click(0);
  EXPECT_EQ(screen.image.cell(80), "00");
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().extStandard.ExtSTOpt[1].caption,
            "1280 X 800 @60Hz");
  screen.section<edid::MonitorDescriptorScreen>().ExtSTAOptb_Click(3);
  EXPECT_EQ(screen.image.cell(80), "C0");
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().extStandard.ExtSTOpt[1].caption,
            "1280 X 720 @60Hz");
  EXPECT_TRUE(checksumValid());

  screen.section<edid::MonitorDescriptorScreen>().extStandard.ExtStaInput.text = "1920";
  screen.section<edid::MonitorDescriptorScreen>().ExtStaInput_KeyUp(13);
  EXPECT_EQ(screen.image.cell(79), "D1");
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().extStandard.ExtStaInput.text, "");
  EXPECT_NE(block(1).find("         1920 X 1080 @60Hz\r\n"), std::string::npos);
  EXPECT_TRUE(checksumValid());

  selectOption(screen.section<edid::MonitorDescriptorScreen>().extStandard.ExtSTAOpta, 1);
  screen.section<edid::MonitorDescriptorScreen>().extStandard.ExtStaInput.text = "124";
  const Image before = screen.image;
  screen.section<edid::MonitorDescriptorScreen>().ExtStaInput_KeyUp(13);
  EXPECT_EQ(host.messages, std::vector<std::string>{"Invalid Value"});
  EXPECT_EQ(screen.image, before);
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().extStandard.ExtStaInput.text, "124");

  // With "Auto Cell Seek" on, the caret ends in the entry box of the chosen timing.
  // The tag typed over in its cell: the block is shown by the frame of its new type.
  typeInto(75, "FE");
  EXPECT_EQ(visibleHints(), std::vector<int>{11});
  EXPECT_EQ(selected(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTa),
            std::vector<int>{1});
  typeInto(75, "FA");
  EXPECT_EQ(visibleHints(), std::vector<int>{12});

  screen.section<edid::MonitorDescriptorScreen>().ExtSTOpt_Click(4);
  EXPECT_EQ(selected(screen.section<edid::MonitorDescriptorScreen>().extStandard.ExtSTOpt),
            std::vector<int>{4});
  EXPECT_EQ(screen.focus.control, FocusControl::ExtStaInput);
  // The last option turns the block into a serial number and goes to its tag.
  screen.section<edid::MonitorDescriptorScreen>().ExtSTOpt_Click(6);
  EXPECT_EQ(screen.image.cell(75), "FF");
  EXPECT_EQ(visibleHints(), std::vector<int>{11});
  EXPECT_EQ(screen.focus.control, FocusControl::DTaInput);
  EXPECT_EQ(selected(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTa),
            std::vector<int>{0});
  EXPECT_TRUE(checksumValid());
}

TEST_F(MonitorDescriptorScreen, AFullDecodeBringsUpNoFrame) {
  putBlock(72, {0, 0, 0, 0xFA, 0, 0x61, 0x4F, 0x81, 0x80, 1, 1, 1, 1, 1, 1, 1, 1, 0x0A});
  EXPECT_EQ(visibleHints(), std::vector<int>{});
  EXPECT_EQ(screen.section<edid::MonitorDescriptorScreen>().extStandard.ExtSTOpt[0].caption,
            "1024 X 768 @75Hz");
}

TEST_F(MonitorDescriptorScreen, ChoosingATypeRewritesTheTag) {
  setModes(true, false);
  focusCell(75);  // the serial number block's tag
  screen.DecodeInProgress = true;
  screen.section<edid::MonitorDescriptorScreen>().DTa_Click(5);
  EXPECT_EQ(screen.image.cell(75), "FF");  // a decode's own option changes write nothing
  screen.DecodeInProgress = false;

  screen.section<edid::MonitorDescriptorScreen>().DTa_Click(5);
  EXPECT_EQ(screen.image.cell(75), "FA");
  EXPECT_EQ(screen.image.cell(89), "0A");
  EXPECT_EQ(screen.image.cell(76), "00");
  EXPECT_EQ(visibleHints(), std::vector<int>{12});
  EXPECT_TRUE(checksumValid());

  screen.section<edid::MonitorDescriptorScreen>().ExtSTOpt_Click(6);
  screen.section<edid::MonitorDescriptorScreen>().DTa_Click(6);
  EXPECT_EQ(screen.image.cell(75), "10");  // in EDID 1.4 F9 is colour management data
  EXPECT_EQ(selected(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTa),
            std::vector<int>{6});
  EXPECT_EQ(block(1).substr(0, 33), "\r\n         Currently Undefined:\r\n");
  screen.section<edid::MonitorDescriptorScreen>().DTa_Click(7);
  EXPECT_EQ(screen.image.cell(75), "00");
  EXPECT_EQ(selected(screen.section<edid::MonitorDescriptorScreen>().descriptor.DTa),
            std::vector<int>{7});
  EXPECT_TRUE(checksumValid());

  // A timing block is no descriptor: the descriptor editors leave it alone.
  focusCell(56);
  const Image before = screen.image;
  screen.section<edid::MonitorDescriptorScreen>().DTa_Click(2);
  screen.section<edid::MonitorDescriptorScreen>().descriptor.DTaInput.text = "X";
  screen.section<edid::MonitorDescriptorScreen>().DTaInput_KeyUp(13);
  EXPECT_EQ(screen.image, before);
}

}  // namespace
}  // namespace edid::test
