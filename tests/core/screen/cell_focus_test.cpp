// What a focused cell shows beyond the frame and colours (every_cell_test): the
// option selected in its frame, the control that takes the caret with "Auto Cell
// Seek" and the text of the entry box, over every index each handler serves.
#include <gtest/gtest.h>

#include <map>

#include "core/rows.h"
#include "core/screen/basic_display_screen.h"
#include "core/screen/checksum_screen.h"
#include "core/screen/chromaticity_screen.h"
#include "core/screen/detailed_timing_screen.h"
#include "core/screen/focus_map.h"
#include "core/screen/monitor_descriptor_screen.h"
#include "core/screen/standard_timing_screen.h"
#include "core/screen/vendor_screen.h"
#include "core/screen/version_screen.h"
#include "screen_fixture.h"

namespace edid::test {
namespace {

using V = std::vector<int>;
using C = FocusControl;

constexpr const char* kTimings = "5D0A287815F7";
constexpr const char* kDescriptors = "descriptors";

class CellFocus : public ScreenFixture {
 protected:
  Image image(const std::string& name) {
    if (name != kDescriptors) return corpusImage(name);
    return Image::fromEdid(
        readFile(std::string(EDID_TEST_DATA_DIR) + "/1953CCF64283-descriptors.bin"));
  }
  // The selected options of a row's group and the text of its entry box.
  std::pair<V, std::string> shown(const std::string& group) {
    auto& basic = screen.section<BasicDisplayScreen>().basic;
    auto& descriptor = screen.section<MonitorDescriptorScreen>().descriptor;
    auto& extra = screen.section<MonitorDescriptorScreen>().extStandard;
    auto& vendor = screen.section<VendorScreen>().vendor;
    auto& edid = screen.section<VersionScreen>().edid;
    auto& chroma = screen.section<ChromaticityScreen>().chroma;
    auto& standard = screen.section<StandardTimingScreen>().standard;
    auto& detailed = screen.section<DetailedTimingScreen>().detailed;
    if (group == "Vendor") return {opaque(vendor.lbVendor), vendor.VendorInfo.text};
    if (group == "Version") return {opaque(edid.lbEDID), edid.VerRev.text};
    if (group == "Basic") return {selected(basic.Basic), basic.BasicInput.text};
    if (group == "Chroma") return {selected(chroma.chkChroma), chroma.ChromaValue.text};
    if (group == "Standard") return {selected(standard.STOpt), standard.STAInput.text};
    if (group == "Detailed") return {selected(detailed.DT), detailed.DTInput.text};
    if (group == "Type") return {selected(descriptor.DTa), descriptor.DTaInput.text};
    if (group == "Limits") return {selected(descriptor.DtaOpt), descriptor.DTaInput.text};
    if (group == "White") return {selected(descriptor.DtaOptWhite), descriptor.DTaInput.text};
    if (group == "Extra") return {selected(extra.ExtSTOpt), extra.ExtStaInput.text};
    if (group == "Checksum") return {opaque(screen.section<ChecksumScreen>().edid.lbEDID), ""};
    EXPECT_EQ(group, "None");
    return {{}, ""};
  }
};

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

// The rows of tests/data/cell_focus.txt, which says where each value comes from.
TEST_F(CellFocus, EachCellSelectsItsOptionAndSeeksItsEntryBox) {
  static const std::map<std::string, FocusControl> kCarets = {{"Cell", C::Cell},
                                                              {"VendorInfo", C::VendorInfo},
                                                              {"VerRev", C::VerRev},
                                                              {"BasicInput", C::BasicInput},
                                                              {"ChromaValue", C::ChromaValue},
                                                              {"STAInput", C::STAInput},
                                                              {"DTInput", C::DTInput},
                                                              {"DTaInput", C::DTaInput},
                                                              {"ExtStaInput", C::ExtStaInput}};
  std::string loaded;
  int rows = 0;
  for (const Row& row : readRows("cell_focus.txt")) {
    const auto& f = row.fields;
    ASSERT_EQ(f.size(), 7u) << row.text;
    SCOPED_TRACE(row.text);
    if (loaded != f[0]) {
      setModes(false, false);
      load(image(f[0]));
      setModes(true, true);
      loaded = f[0];
    }
    focusCell(std::stoi(f[1]));
    EXPECT_EQ(visibleHints(), V{std::stoi(f[2])});
    const auto [options, entry] = shown(f[3]);
    const int option = std::stoi(f[4]);
    EXPECT_EQ(options, option < 0 ? V{} : V{option});
    EXPECT_EQ(screen.focus.control, kCarets.at(f[5]));
    if (f[6] != "*") {
      EXPECT_EQ("\"" + entry + "\"", f[6]);
    }
    ++rows;
  }
  EXPECT_GT(rows, 70);
}

TEST_F(CellFocus, RangeLimitsLockTheGtfBytesWhileGtfIsUnused) {
  load(corpusImage(kTimings));
  setModes(true, false);
  focusCell(114);
  EXPECT_EQ(lockedCells(), cells({{118, 125}}));
  screen.txtEdit_Change(118, "01");  // GTF on: its parameters are typed into the cells
  focusCell(108);
  EXPECT_TRUE(lockedCells().empty());
  setModes(false, false);
  focusCell(118);
  EXPECT_EQ(lockedCells().size(), 128u) << "unlocking only while Modify EDID is on";
}

}  // namespace
}  // namespace edid::test
