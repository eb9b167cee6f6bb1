// The EDID 1.4 controls on the screen, on a real 1.4 monitor (1953CCF64283: block 72
// a serial number, 90 range limits with byte 10 = 00): the timing support options,
// rates above 255, the F7 and F8 frames and a digital input's depth and interface.
#include "core/report/report.h"
#include "core/screen/basic_display_screen.h"
#include "core/screen/monitor_descriptor_screen.h"
#include "screen_fixture.h"

namespace edid::test {
namespace {

class Edid14Screen : public ScreenFixture {
 protected:
  void SetUp() override {
    load(corpusImage("1953CCF64283"));
    setModes(true, false);
  }
  edid::MonitorDescriptorScreen& md() { return screen.section<edid::MonitorDescriptorScreen>(); }
  std::string cells(int first, int last) const {
    std::string out;
    for (int i = first; i <= last; ++i) out += screen.image.cell(i);
    return out;
  }
};

TEST_F(Edid14Screen, RangeLimitsOfferTheFourTimingSupportValues) {
  focusCell(96);
  EXPECT_FALSE(md().descriptor.DTAGTF.visible);
  EXPECT_EQ(selected(md().v14.DTATiming), std::vector<int>{0});
  EXPECT_TRUE(md().descriptor.DTa[9].visible);
  md().DTATiming_Click(1);
  EXPECT_EQ(cells(100, 107), "010A202020202020");
  EXPECT_TRUE(screen.cellLocked[101]);
  EXPECT_NE(blockReportText(screen.image, 2).find("Timing Support - Range Limits Only"),
            std::string::npos);
  md().DTATiming_Click(3);
  EXPECT_EQ(cells(100, 107), "04110000F838003C");
  EXPECT_FALSE(screen.cellLocked[101]);
  EXPECT_EQ(screen.image.checksumTest(), 0);

  focusCell(96);
  md().descriptor.DTaInput.text = "360";
  md().DTaInput_KeyUp(13);
  EXPECT_EQ(cells(94, 96), "02" + screen.image.cell(95) + "69");
  EXPECT_EQ(md().descriptor.DtaOpt[1].caption, "Max Vertical Freq - 360 Hz");
}

TEST_F(Edid14Screen, F7AndF8BlocksAreEditedThroughTheirFrames) {
  focusCell(75);
  md().DTa_Click(8);
  EXPECT_EQ(cells(75, 77), "F7000A");
  EXPECT_TRUE(md().v14.ET3Frame.visible);
  md().v14.ET3x[9].value = true;
  md().ET3x_Click(9);
  // The serial number's bytes stay as data: "8" (38) gains bit 6.
  EXPECT_EQ(screen.image.cell(79), "78");
  EXPECT_NE(blockReportText(screen.image, 1).find("1280 X 768 @ 60Hz\r\n"), std::string::npos);

  md().DTa_Click(9);
  EXPECT_EQ(cells(75, 77), "F80001");
  EXPECT_TRUE(md().v14.CvtFrame.visible);
  EXPECT_FALSE(md().v14.ET3Frame.visible);
  md().CvtOpt_Click(0);
  md().v14.CvtInput.text = "1080";
  md().CvtInput_KeyUp(13);
  md().CvtAspect_Click(1);
  md().CvtPreferred_Click(1);
  md().v14.CvtRate[1].value = true;
  md().CvtRate_Click(1);
  // 1080 lines: code 539 (21B), 16:9 in bits 3-2; "7" (37) already says 60 Hz
  // preferred, and gains 60 Hz supported (bit 3).
  EXPECT_EQ(cells(78, 80), "1B243F");
  EXPECT_EQ(md().v14.CvtOpt[0].caption, "1920 X 1080 (16:9) @ 60Hz Preferred");
  EXPECT_EQ(md().v14.CvtInput.text, "1080");
}

TEST_F(Edid14Screen, DigitalInputShowsAndSetsDepthAndInterface) {
  auto& basic = screen.section<BasicDisplayScreen>();
  focusCell(20);
  basic.ColorDepth_Click(3);  // 68 is analog: bits 6-4 are its levels, not a depth
  EXPECT_EQ(screen.image.cell(20), "68");
  typeInto(20, "A5");
  focusCell(20);
  EXPECT_TRUE(basic.digital14.Digital14.visible);
  EXPECT_EQ(selected(basic.digital14.ColorDepth), std::vector<int>{2});
  EXPECT_EQ(selected(basic.digital14.Interface), std::vector<int>{5});
  basic.ColorDepth_Click(3);
  EXPECT_EQ(screen.image.cell(20), "B5");
  basic.Interface_Click(1);
  EXPECT_EQ(screen.image.cell(20), "B1");
  EXPECT_EQ(basic.basic.FSupport[5].caption, "Continuous Freq.");
}

}  // namespace
}  // namespace edid::test
