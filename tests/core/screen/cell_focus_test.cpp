// What a focused cell shows beyond the frame and colours (every_cell_test): the
// selection, locks and the focus moves of "Auto Cell Seek", section by section.
#include <gtest/gtest.h>

#include "core/screen/basic_display_screen.h"
#include "core/screen/checksum_screen.h"
#include "core/screen/detailed_timing_screen.h"
#include "core/screen/focus_map.h"
#include "core/screen/monitor_descriptor_screen.h"
#include "core/screen/vendor_screen.h"
#include "core/screen/version_screen.h"
#include "screen_fixture.h"

namespace edid::test {
namespace {

using V = std::vector<int>;

// Blocks: 0 and 1 detailed timings, 2 a monitor name (FC), 3 range limits (FD)
// with GTF unused (byte 118 = 00).
constexpr const char* kTimingsAndRangeLimits = "5D0A287815F7";
// Blocks: 0 and 1 standard timing identifiers (FA), 2 all zero, 3 tag FE at byte 112.
constexpr const char* kExtraStandardTimings = "E1D43C617622";

class CellFocus : public ScreenFixture {};

TEST_F(CellFocus, EveryCellOfEveryCorpusEdidShowsOneFrameAndWritesNothingWhileModifyIsOff) {
  for (const std::string& id : corpusIds()) {
    SCOPED_TRACE(id);
    load(corpusImage(id));
    const Image before = screen.image;
    for (int i = 0; i < kEdidSize; ++i) {
      focusCell(i);
      const V hints = visibleHints();
      ASSERT_EQ(hints.size(), 1u) << "cell " << i;
      const int base = screen.frameOfByte(i);
      if (base < 0) {
        const int start = focus::blockOfByte(i).start;
        if (screen.SelectedBlockIsDescriptor)
          EXPECT_EQ(hints[0], screen.DescriptorTag == "FA" ? 12 : 11) << i;
        else
          EXPECT_EQ(hints[0], i == start + 17 ? 10 : 9) << i;
      } else {
        EXPECT_EQ(hints[0], base) << i;
      }
      ASSERT_EQ(screen.cellColour[static_cast<std::size_t>(i)], BackColour::Field) << i;
      ASSERT_EQ(lockedCells().size(), static_cast<std::size_t>(kEdidSize)) << i;
      ASSERT_FALSE(screen.DecodeInProgress);
      ASSERT_FALSE(screen.focusRequested);
    }
    EXPECT_EQ(screen.image, before);
    EXPECT_TRUE(host.messages.empty());
  }
}

TEST_F(CellFocus, HeaderAppliesTheModes) {
  load(corpusImage(kTimingsAndRangeLimits));
  focusCell(0);
  EXPECT_EQ(lockedCells().size(), 128u);
  EXPECT_TRUE(screen.txtBrand.locked);
  EXPECT_TRUE(screen.txtModel.locked);
  for (const Frame& frame : screen.Hints) EXPECT_FALSE(frame.enabled);
  EXPECT_EQ(screen.focus, (FocusTarget{FocusControl::Cell, 0}));

  setModes(true, true);
  focusCell(0);
  EXPECT_TRUE(lockedCells().empty());
  EXPECT_FALSE(screen.txtBrand.locked);
  for (const Frame& frame : screen.Hints) EXPECT_TRUE(frame.enabled);
  EXPECT_FALSE(screen.focusRequested) << "the header has no input box";
  EXPECT_FALSE(screen.DTHelp.visible);
}

TEST_F(CellFocus, VendorCellsSelectTheirField) {
  load(corpusImage(kTimingsAndRangeLimits));
  EXPECT_EQ(screen.section<VendorScreen>().vendor.VendorInfo.text, common.YearText)
      << "the last vendor decoder wins";

  focusCell(13);
  EXPECT_EQ(visibleHints(), V{1});
  EXPECT_EQ(cellsWith(BackColour::Section), cells({{8, 11}, {16, 17}}));
  EXPECT_EQ(cellsWith(BackColour::Field), cells({{12, 15}}));
  EXPECT_EQ(opaque(screen.section<VendorScreen>().vendor.lbVendor), V{2});
  EXPECT_EQ(screen.section<VendorScreen>().vendor.VendorInfo.text, common.SerialNumberText);
  EXPECT_EQ(screen.section<VendorScreen>().vendor.VendorInfo.maxLength, 20);
  EXPECT_FALSE(screen.focusRequested);

  setModes(true, false);
  focusCell(13);
  EXPECT_FALSE(screen.focusRequested) << "Auto Cell Seek is off";
  setModes(true, true);
  focusCell(13);
  EXPECT_TRUE(screen.focusRequested);
  EXPECT_EQ(screen.focus.control, FocusControl::VendorInfo);

  focusCell(9);
  EXPECT_EQ(opaque(screen.section<VendorScreen>().vendor.lbVendor), V{0});
  EXPECT_EQ(cellsWith(BackColour::Field), cells({{8, 9}}));
  EXPECT_EQ(screen.section<VendorScreen>().vendor.VendorInfo.text, common.ManufacturerText);
  EXPECT_EQ(screen.section<VendorScreen>().vendor.VendorInfo.maxLength, 3);
  focusCell(17);
  EXPECT_EQ(opaque(screen.section<VendorScreen>().vendor.lbVendor), V{4});
  EXPECT_EQ(screen.section<VendorScreen>().vendor.VendorInfo.text, common.YearText);
  EXPECT_EQ(screen.section<VendorScreen>().vendor.VendorInfo.maxLength, 4);
}

TEST_F(CellFocus, VersionAndRevisionMirrorEachOther) {
  Image image = corpusImage(kTimingsAndRangeLimits);
  image.setCell(18, "01");
  image.setCell(19, "03");
  load(image);
  EXPECT_EQ(screen.section<VersionScreen>().edid.VerRev.text, "1")
      << "the version decoder runs after the revision's";

  focusCell(19);
  EXPECT_EQ(opaque(screen.section<VersionScreen>().edid.lbEDID), V{1});
  EXPECT_EQ(screen.section<VersionScreen>().edid.VerRev.text, "3");
  focusCell(18);
  EXPECT_EQ(opaque(screen.section<VersionScreen>().edid.lbEDID), V{0});
  EXPECT_EQ(screen.section<VersionScreen>().edid.VerRev.text, "1");

  setModes(true, true);
  focusCell(18);
  EXPECT_EQ(screen.focus.control, FocusControl::VerRev);
}

TEST_F(CellFocus, BasicDisplayParametersShowOneGroupPerByte) {
  Image image = corpusImage(kTimingsAndRangeLimits);
  image.setCell(21, "28");  // 40 cm
  image.setCell(23, "78");  // gamma 2.20
  load(image);
  // The size and gamma texts as their decoders leave them.
  common.MaxHorizSizeText = "400 mm";
  common.GammaText = "2.20";

  focusCell(20);
  EXPECT_EQ(visibleHints(), V{3});
  EXPECT_EQ(cellsWith(BackColour::Section), cells({{21, 24}}));
  EXPECT_EQ(cellsWith(BackColour::Field), V{20});
  EXPECT_TRUE(screen.section<BasicDisplayScreen>().basic.VideoInput.visible);
  EXPECT_FALSE(screen.section<BasicDisplayScreen>().basic.DPMS.visible);
  EXPECT_EQ(opaque(screen.section<BasicDisplayScreen>().basic.lbBasic), V{0});
  EXPECT_FALSE(screen.section<BasicDisplayScreen>().basic.BasicInput.visible);
  for (const OptionButton& option : screen.section<BasicDisplayScreen>().basic.Basic)
    EXPECT_FALSE(option.visible);

  setModes(true, true);
  focusCell(21);
  EXPECT_FALSE(screen.section<BasicDisplayScreen>().basic.VideoInput.visible);
  EXPECT_TRUE(opaque(screen.section<BasicDisplayScreen>().basic.lbBasic).empty());
  EXPECT_EQ(selected(screen.section<BasicDisplayScreen>().basic.Basic), V{0});
  for (const OptionButton& option : screen.section<BasicDisplayScreen>().basic.Basic)
    EXPECT_TRUE(option.visible);
  EXPECT_TRUE(screen.section<BasicDisplayScreen>().basic.BasicInput.visible);
  EXPECT_EQ(screen.section<BasicDisplayScreen>().basic.BasicInput.text, "400 ");
  EXPECT_EQ(screen.focus.control, FocusControl::BasicInput);

  focusCell(23);
  EXPECT_EQ(selected(screen.section<BasicDisplayScreen>().basic.Basic), V{2});
  EXPECT_EQ(screen.section<BasicDisplayScreen>().basic.BasicInput.text, "2.20");

  focusCell(24);
  EXPECT_TRUE(screen.section<BasicDisplayScreen>().basic.DPMS.visible);
  EXPECT_FALSE(screen.section<BasicDisplayScreen>().basic.BasicInput.visible);
  EXPECT_TRUE(screen.section<BasicDisplayScreen>().basic.BasicInput.text.empty());
  for (const OptionButton& option : screen.section<BasicDisplayScreen>().basic.Basic)
    EXPECT_FALSE(option.visible);
  EXPECT_EQ(screen.focus.control, FocusControl::Cell) << "no input box for byte 24";
}

TEST_F(CellFocus, DetailedTimingBlockSelectsItsField) {
  load(corpusImage(kTimingsAndRangeLimits));
  // Leftovers of an earlier block must not survive the focus.
  screen.section<DetailedTimingScreen>().detailed.DTStereo[2].value = true;
  screen.section<DetailedTimingScreen>().detailed.DTSync[3].value = true;
  screen.section<DetailedTimingScreen>().detailed.DT1.value = true;
  screen.section<DetailedTimingScreen>().detailed.DTInput.text = "123";

  focusCell(80);
  EXPECT_EQ(screen.SelectedByte, 72);
  EXPECT_EQ(screen.SelectedBlock, 1);
  EXPECT_FALSE(screen.SelectedBlockIsDescriptor);
  for (int hint : {9, 10, 11}) EXPECT_EQ(screen.Hints[hint].caption, "Detailed Timing (72-89)");
  EXPECT_EQ(screen.Hints[12].caption, "Ext. Standard Timing (72-89)");
  EXPECT_EQ(selected(screen.section<DetailedTimingScreen>().detailed.DT), V{5});
  // The block's own flags (1C: digital separate, no stereo) replace the leftovers.
  EXPECT_EQ(selected(screen.section<DetailedTimingScreen>().detailed.DTStereo), V{6});
  EXPECT_EQ(selected(screen.section<DetailedTimingScreen>().detailed.DTSync), V{3});
  EXPECT_FALSE(screen.section<DetailedTimingScreen>().detailed.DT1.value);
  EXPECT_TRUE(screen.section<DetailedTimingScreen>().detailed.DTInput.text.empty());
  EXPECT_TRUE(screen.section<DetailedTimingScreen>().detailed.DTInput.visible);
  EXPECT_FALSE(screen.DTHelp.visible) << "only while Modify EDID is on";

  focusCell(89);
  EXPECT_TRUE(selected(screen.section<DetailedTimingScreen>().detailed.DT).empty());

  focusCell(86);  // offset 14: upper bits of the image size
  EXPECT_TRUE(selected(screen.section<DetailedTimingScreen>().detailed.DT).empty());
  EXPECT_FALSE(screen.section<DetailedTimingScreen>().detailed.DTInput.visible);

  setModes(true, false);
  focusCell(55);
  EXPECT_EQ(screen.Hints[9].caption, "Detailed Timing (54-71)");
  EXPECT_EQ(selected(screen.section<DetailedTimingScreen>().detailed.DT), V{0});
  EXPECT_TRUE(screen.DTHelp.visible);
  focusCell(66);
  EXPECT_EQ(selected(screen.section<DetailedTimingScreen>().detailed.DT), V{11});
  focusCell(0);
  EXPECT_FALSE(screen.DTHelp.visible);
}

TEST_F(CellFocus, RangeLimitsLockTheGtfBytesWhileGtfIsUnused) {
  load(corpusImage(kTimingsAndRangeLimits));
  ASSERT_EQ(screen.image.cell(118), "00");

  setModes(true, false);
  focusCell(114);
  EXPECT_TRUE(screen.SelectedBlockIsDescriptor);
  EXPECT_EQ(screen.DescriptorTag, "FD");
  EXPECT_EQ(screen.SelectedByte, 108);
  EXPECT_EQ(selected(screen.section<MonitorDescriptorScreen>().descriptor.DtaOpt), V{1});
  EXPECT_EQ(screen.Hints[11].caption, "Detailed Timing (108-125)");
  EXPECT_EQ(lockedCells(), cells({{118, 125}}));

  screen.txtEdit_Change(118, "01");  // GTF on: its parameters are typed into the cells
  focusCell(108);
  EXPECT_TRUE(lockedCells().empty());
  EXPECT_TRUE(selected(screen.section<MonitorDescriptorScreen>().descriptor.DtaOpt).empty());
  EXPECT_EQ(cellsWith(BackColour::Field), (V{108, 109}));

  setModes(false, false);
  focusCell(118);
  EXPECT_EQ(lockedCells().size(), 128u) << "unlocking only while Modify EDID is on";

  // A monitor name block.
  focusCell(95);
  EXPECT_EQ(screen.DescriptorTag, "FC");
}

TEST_F(CellFocus, StandardTimingIdentifiersUseTheirOwnFrame) {
  Image image = corpusImage(kExtraStandardTimings);
  image.setCell(93, "fa");  // typed in lower case
  load(image);

  focusCell(100);
  EXPECT_EQ(screen.DescriptorTag, "FA");
  EXPECT_EQ(visibleHints(), V{12});
  EXPECT_EQ(screen.Hints[12].caption, "Ext. Standard Timing (90-107)");
  EXPECT_EQ(selected(screen.section<MonitorDescriptorScreen>().extStandard.ExtSTOpt), V{2});
  EXPECT_TRUE(screen.section<MonitorDescriptorScreen>().extStandard.ExtStaFrame.enabled);
  EXPECT_EQ(cellsWith(BackColour::Field), V{100}) << "one cell of the pair only";

  for (int cell : {91, 93, 107}) {
    focusCell(cell);
    EXPECT_FALSE(screen.section<MonitorDescriptorScreen>().extStandard.ExtStaFrame.enabled) << cell;
    EXPECT_TRUE(selected(screen.section<MonitorDescriptorScreen>().extStandard.ExtSTOpt).empty())
        << cell;
  }
  EXPECT_EQ(visibleHints(), V{12});

  // Block 3 starts 00 00 00 00: a descriptor of an unknown tag.
  focusCell(112);
  EXPECT_EQ(visibleHints(), V{11});
  EXPECT_EQ(screen.DescriptorTag, "00");
}

TEST_F(CellFocus, ColourPointShowsTheWhitePointBoxes) {
  Image image = corpusImage(kTimingsAndRangeLimits);
  const int point[18] = {0, 0, 0, 0xFB, 0, 1, 0, 0x50, 0x50, 0x78, 2, 0, 0x50, 0x50, 0x78, 0x0A};
  for (int o = 0; o < 18; ++o) image.setByte(54 + o, point[o]);
  load(image);

  focusCell(54 + 12);
  EXPECT_EQ(visibleHints(), V{11});
  EXPECT_TRUE(screen.section<MonitorDescriptorScreen>().descriptor.Windex[0].visible);
  EXPECT_TRUE(screen.section<MonitorDescriptorScreen>().descriptor.Windex[1].visible);
  EXPECT_EQ(selected(screen.section<MonitorDescriptorScreen>().descriptor.DtaOptWhite), V{3});
  focusCell(54 + 9);
  EXPECT_EQ(selected(screen.section<MonitorDescriptorScreen>().descriptor.DtaOptWhite), V{2});
  focusCell(54 + 10);
  EXPECT_TRUE(selected(screen.section<MonitorDescriptorScreen>().descriptor.DtaOptWhite).empty());

  focusCell(80);
  EXPECT_FALSE(screen.section<MonitorDescriptorScreen>().descriptor.Windex[0].visible);
  EXPECT_FALSE(screen.section<MonitorDescriptorScreen>().descriptor.Windex[1].visible);
}

TEST_F(CellFocus, ExtensionFlagAndChecksumLabelsAlternate) {
  load(corpusImage(kTimingsAndRangeLimits));
  for (int round = 0; round < 2; ++round) {
    focusCell(126);
    EXPECT_EQ(opaque(screen.section<ChecksumScreen>().edid.lbEDID), V{6});
    focusCell(127);
    EXPECT_EQ(opaque(screen.section<ChecksumScreen>().edid.lbEDID), V{7});
  }
}

}  // namespace
}  // namespace edid::test
