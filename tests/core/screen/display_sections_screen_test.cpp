// Bytes 20-53 on the decoding screen: what a focused cell shows, the editors behind
// the controls, refusals that change nothing, and the re-decode after typing.
// The EDID is a real analog monitor: byte 20 = 08, 21-24 = 1E 16 76 EA, red x code
// 634, standard timing 0 = 61 46 (1024 x 768 at 66 Hz), the other seven unused.
#include "core/screen/basic_display_screen.h"
#include "core/screen/chromaticity_screen.h"
#include "core/screen/option_groups.h"
#include "core/screen/screen_fixture.h"
#include "core/screen/standard_timing_screen.h"

namespace edid::test {
namespace {

const char* const kAnalogId = "E24B3C9FE3E6";

class DisplaySectionsScreen : public ScreenFixture {
 protected:
  void SetUp() override {
    setModes(true, false);
    load(corpusImage(kAnalogId));
  }
};

TEST_F(DisplaySectionsScreen, VideoInputShowsAndEditsByte20) {
  focusCell(20);
  EXPECT_TRUE(screen.section<BasicDisplayScreen>().basic.VideoInput.visible);
  EXPECT_FALSE(screen.section<BasicDisplayScreen>().basic.DPMS.visible);
  EXPECT_FALSE(screen.section<BasicDisplayScreen>().basic.BasicInput.visible);
  EXPECT_EQ(selected(screen.section<BasicDisplayScreen>().basic.VideoMode), std::vector<int>{0});
  EXPECT_EQ(selected(screen.section<BasicDisplayScreen>().basic.Signal), std::vector<int>{0});
  EXPECT_EQ(selected(screen.section<BasicDisplayScreen>().basic.Sync), std::vector<int>{3});
  EXPECT_TRUE(screen.section<BasicDisplayScreen>().basic.Analog.enabled);

  const std::string checksum = screen.image.cell(127);
  screen.section<BasicDisplayScreen>().basic.Sync[1].value = true;
  screen.section<BasicDisplayScreen>().Sync_Click(1);
  EXPECT_EQ(screen.image.cell(20), "0A");
  EXPECT_EQ(screen.image.byte(127), (std::stoi(checksum, nullptr, 16) + 256 - 2) % 256);

  // Digital: every other bit cleared, the analog controls off.
  screen.section<BasicDisplayScreen>().VideoMode_Click(1);
  EXPECT_EQ(screen.image.cell(20), "80");
  EXPECT_FALSE(screen.section<BasicDisplayScreen>().basic.Analog.enabled);
  EXPECT_TRUE(selected(screen.section<BasicDisplayScreen>().basic.Sync).empty());
}

TEST_F(DisplaySectionsScreen, ClickEditorsWaitForTheDecodeAndForModifyMode) {
  focusCell(38);  // modes applied, timing 0 selected
  const Image before = screen.image;
  screen.DecodeInProgress = true;
  screen.section<BasicDisplayScreen>().VideoMode_Click(1);
  screen.section<BasicDisplayScreen>().DisplayType_Click(3);
  screen.section<BasicDisplayScreen>().basic.FSupport[0].value = false;
  screen.section<BasicDisplayScreen>().FSupport_Click(0);
  screen.section<StandardTimingScreen>().STAOptb_Click(3);
  EXPECT_EQ(screen.image, before);
  screen.DecodeInProgress = false;
  setModes(false, false);
  focusCell(24);
  screen.section<BasicDisplayScreen>().DisplayType_Click(3);
  EXPECT_EQ(screen.image, before);
  setModes(true, false);
  focusCell(24);
  EXPECT_EQ(selected(screen.section<BasicDisplayScreen>().basic.DisplayType), std::vector<int>{1});
  EXPECT_EQ(selected(screen.section<BasicDisplayScreen>().basic.FSupport),
            (std::vector<int>{0, 1, 2, 4}));
  screen.section<BasicDisplayScreen>().DisplayType_Click(3);
  EXPECT_EQ(screen.image.cell(24), "FA");
  screen.section<BasicDisplayScreen>().basic.FSupport[0].value = false;
  screen.section<BasicDisplayScreen>().FSupport_Click(0);
  EXPECT_EQ(screen.image.cell(24), "7A");
}

TEST_F(DisplaySectionsScreen, SizeAndGammaEntries) {
  focusCell(21);
  EXPECT_EQ(screen.section<BasicDisplayScreen>().basic.BasicInput.text, "300 ");
  EXPECT_EQ(screen.section<BasicDisplayScreen>().basic.Basic[0].caption, "Max Horiz Size 300 mm");
  EXPECT_EQ(selected(screen.section<BasicDisplayScreen>().basic.Basic), std::vector<int>{0});
  screen.section<BasicDisplayScreen>().basic.BasicInput.text = "473";
  screen.section<BasicDisplayScreen>().BasicInput_KeyUp(13);
  EXPECT_EQ(screen.image.cell(21), "2F");
  EXPECT_EQ(screen.section<BasicDisplayScreen>().basic.Basic[0].caption, "Max Horiz Size 470 mm");
  EXPECT_EQ(common.MaxHorizSizeText, "470 mm");

  const Image before = screen.image;
  screen.section<BasicDisplayScreen>().basic.BasicInput.text = "2556";
  screen.section<BasicDisplayScreen>().BasicInput_KeyUp(13);
  EXPECT_EQ(host.messages, std::vector<std::string>{"This value must value between 0 and 2550"});
  EXPECT_EQ(screen.image, before);
  EXPECT_EQ(screen.section<BasicDisplayScreen>().basic.BasicInput.text, "2556");
  screen.section<BasicDisplayScreen>().BasicInput_KeyUp(65);  // not Enter
  EXPECT_EQ(host.messages.size(), 1u);

  focusCell(23);
  EXPECT_EQ(screen.section<BasicDisplayScreen>().basic.BasicInput.text, "2.18");
  EXPECT_EQ(screen.section<BasicDisplayScreen>().basic.Basic[2].caption, "Gamma  2.18");
  screen.section<BasicDisplayScreen>().basic.BasicInput.text = "2,2";
  screen.section<BasicDisplayScreen>().BasicInput_KeyUp(13);
  EXPECT_EQ(screen.image.cell(23), "78");
  EXPECT_EQ(common.GammaText, "2.20");
  screen.section<BasicDisplayScreen>().basic.BasicInput.text = "3.56";
  screen.section<BasicDisplayScreen>().BasicInput_KeyUp(13);
  EXPECT_EQ(host.messages.back(), "This value must value between 1.00-3.55");
  EXPECT_EQ(screen.image.cell(23), "78");
}

TEST_F(DisplaySectionsScreen, ChromaticityShowsAndEditsOneCoordinate) {
  setModes(true, true);
  focusCell(27);
  EXPECT_EQ(selected(screen.section<ChromaticityScreen>().chroma.chkChroma), std::vector<int>{0});
  EXPECT_EQ(screen.section<ChromaticityScreen>().chroma.chkChroma[0].caption, "Red X - 0.619");
  EXPECT_EQ(screen.section<ChromaticityScreen>().chroma.ChromaValue.text, "0.619");
  EXPECT_EQ(screen.focus.control, FocusControl::ChromaValue);
  EXPECT_TRUE(screen.section<ChromaticityScreen>().chroma.lbChromaChange[0].visible);

  screen.section<ChromaticityScreen>().chroma.ChromaValue.text = "0.5";
  screen.section<ChromaticityScreen>().ChromaValue_KeyUp(13);
  EXPECT_EQ(screen.image.cell(27), "80");
  EXPECT_EQ(screen.image.cell(25), "18");  // 98 with bits 7-6 cleared
  EXPECT_EQ(screen.section<ChromaticityScreen>().chroma.ChromaValue.text, "0.500");
  EXPECT_EQ(screen.section<ChromaticityScreen>().chroma.chkChroma[0].caption, "Red X - 0.500");

  const Image before = screen.image;
  for (const char* bad : {"abc", "1.0"}) {
    screen.section<ChromaticityScreen>().chroma.ChromaValue.text = bad;
    screen.section<ChromaticityScreen>().ChromaValue_KeyUp(13);
    EXPECT_EQ(screen.image, before) << bad;
    EXPECT_EQ(screen.section<ChromaticityScreen>().chroma.ChromaValue.text, bad);
  }
  EXPECT_EQ(host.messages,
            (std::vector<std::string>{"Not a number: abc",
                                      "This value must be a fraction less than 1.00"}));

  // Cells 25 and 26 select no coordinate: Enter writes nothing.
  focusCell(25);
  EXPECT_TRUE(selected(screen.section<ChromaticityScreen>().chroma.chkChroma).empty());
  EXPECT_FALSE(screen.section<ChromaticityScreen>().chroma.ChromaValue.visible);
  EXPECT_TRUE(screen.section<ChromaticityScreen>().chroma.lbChromaChange[1].visible);
  EXPECT_FALSE(screen.section<ChromaticityScreen>().chroma.lbChromaChange[0].visible);
  EXPECT_EQ(screen.focus.control, FocusControl::Cell);
  screen.section<ChromaticityScreen>().chroma.ChromaValue.text = "0.25";
  screen.section<ChromaticityScreen>().ChromaValue_KeyUp(13);
  EXPECT_EQ(screen.image, before);

  screen.section<ChromaticityScreen>().chkChroma_Click(6);
  EXPECT_EQ(screen.focus, (FocusTarget{FocusControl::ChromaValue, 0}));
  EXPECT_EQ(selected(screen.section<ChromaticityScreen>().chroma.chkChroma), std::vector<int>{6});
}

TEST_F(DisplaySectionsScreen, StandardTimingsEditTheSelectedPair) {
  focusCell(40);
  EXPECT_EQ(selected(screen.section<StandardTimingScreen>().standard.STOpt), std::vector<int>{1});
  EXPECT_EQ(screen.SelectedByte, 41);
  EXPECT_EQ(selected(screen.section<StandardTimingScreen>().standard.STAOptb),
            std::vector<int>{0});  // byte 41 = 01

  focusCell(38);
  EXPECT_EQ(selected(screen.section<StandardTimingScreen>().standard.STAOptb), std::vector<int>{1});
  EXPECT_EQ(screen.section<StandardTimingScreen>().standard.STOpt[0].caption, "1024 X 768 @66Hz");
  screen.section<StandardTimingScreen>().STAOptb_Click(3);
  EXPECT_EQ(screen.image.cell(39), "C6");
  EXPECT_EQ(screen.section<StandardTimingScreen>().standard.STOpt[0].caption, "1024 X 576 @66Hz");

  screen.section<StandardTimingScreen>().standard.STAInput.text = "1280";
  screen.section<StandardTimingScreen>().STAInput_KeyUp(13);
  EXPECT_EQ(screen.image.cell(38), "81");
  EXPECT_EQ(screen.section<StandardTimingScreen>().standard.STAInput.text, "");
  EXPECT_EQ(screen.section<StandardTimingScreen>().standard.STOpt[0].caption, "1280 X 720 @66Hz");

  selectOption(screen.section<StandardTimingScreen>().standard.STAOpta, 1);
  screen.section<StandardTimingScreen>().standard.STAInput.text = "75";
  screen.section<StandardTimingScreen>().STAInput_KeyUp(13);
  EXPECT_EQ(screen.image.cell(39), "CF");

  const Image before = screen.image;
  screen.section<StandardTimingScreen>().standard.STAInput.text = "124";
  screen.section<StandardTimingScreen>().STAInput_KeyUp(13);
  EXPECT_EQ(host.messages, std::vector<std::string>{"Invalid Value"});
  EXPECT_EQ(screen.image, before);
  EXPECT_EQ(screen.section<StandardTimingScreen>().standard.STAInput.text, "124");

  focusCell(52);
  EXPECT_EQ(selected(screen.section<StandardTimingScreen>().standard.STOpt), std::vector<int>{7});
  EXPECT_EQ(screen.SelectedByte, 53);

  screen.section<StandardTimingScreen>().STOpt_Click(5);
  EXPECT_EQ(screen.focus, (FocusTarget{FocusControl::Cell, 48}));
  EXPECT_EQ(screen.SelectedByte, 49);

  // Aspect code 0 is 1:1 in this 1.2 image, 16:10 once the revision says 1.3.
  focusCell(38);
  EXPECT_EQ(screen.section<StandardTimingScreen>().standard.STAOptb[0].caption, "1:1 Aspect Ratio");
  screen.section<StandardTimingScreen>().STAOptb_Click(0);
  EXPECT_EQ(screen.image.cell(39), "0F");
  EXPECT_EQ(screen.section<StandardTimingScreen>().standard.STOpt[0].caption, "1280 X 1280 @75Hz");
  typeInto(19, "03");
  focusCell(38);
  EXPECT_EQ(screen.section<StandardTimingScreen>().standard.STAOptb[0].caption,
            "16:10 Aspect Ratio");
  EXPECT_EQ(screen.section<StandardTimingScreen>().standard.STOpt[0].caption, "1280 X 800 @75Hz");
}

TEST_F(DisplaySectionsScreen, TypingACellRedecodesItsSection) {
  typeInto(23, "78");
  EXPECT_EQ(common.GammaText, "2.20");
  typeInto(24, "F7");
  EXPECT_EQ(selected(screen.section<BasicDisplayScreen>().basic.DisplayType), std::vector<int>{2});
  typeInto(34, "50");
  EXPECT_EQ(screen.section<ChromaticityScreen>().chroma.chkChroma[7].caption,
            "White Y - 0.315");  // 323/1024
  typeInto(44, "D1");
  typeInto(45, "C0");
  EXPECT_EQ(screen.section<StandardTimingScreen>().standard.STOpt[3].caption, "1920 X 1080 @60Hz");
  setModes(true, true);
  focusCell(44);
  EXPECT_EQ(screen.focus.control, FocusControl::STAInput);
}

}  // namespace
}  // namespace edid::test
