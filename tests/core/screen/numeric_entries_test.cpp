// Every numeric entry box of the decoding screen, through its Enter handler: text
// without a number is refused with its own message and changes no byte. The image
// is a real monitor's (EDID 1.4): a timing at 54, range limits at 90; block 72 is
// rewritten into a colour point or extra timings block where a row needs one.
#include "core/screen/basic_display_screen.h"
#include "core/screen/chromaticity_screen.h"
#include "core/screen/detailed_timing_screen.h"
#include "core/screen/monitor_descriptor_screen.h"
#include "core/screen/option_groups.h"
#include "core/screen/standard_timing_screen.h"
#include "core/screen/vendor_screen.h"
#include "core/screen/version_screen.h"
#include "core/sections/detailed_timing.h"
#include "screen_fixture.h"

namespace edid::test {
namespace {

enum class Box { Vendor, Version, Basic, Chroma, Standard, Timing, Descriptor, Extra };

struct Row {
  int cell;        ///< the field's cell, focused first
  Box box;         ///< the entry box typed into
  int option = 0;  ///< Standard, Extra: width (0) or rate (1); Timing: -1 for no field
  std::vector<int> block72 = {};  ///< bytes of block 72; empty: as read
};

const std::vector<int> kColourPoints = {0,    0, 0, 0xFB, 0,    1,    0, 0x50, 0x54,
                                        0x78, 2, 0, 0x50, 0x54, 0x78, 0, 0,    0};
const std::vector<int> kExtraTimings = {0, 0, 0, 0xFA, 0, 0x61, 0x4F, 0x81, 0x80,
                                        1, 1, 1, 1,    1, 1,    1,    1,    0x0A};

std::vector<Row> rows() {
  std::vector<Row> out = {{12, Box::Vendor},
                          {16, Box::Vendor},
                          {17, Box::Vendor},
                          {18, Box::Version},
                          {19, Box::Version},
                          {21, Box::Basic},
                          {22, Box::Basic},
                          {23, Box::Basic},
                          {27, Box::Chroma},
                          {38, Box::Standard, 0},
                          {38, Box::Standard, 1},
                          {54, Box::Timing, -1},
                          {77, Box::Extra, 0, kExtraTimings},
                          {77, Box::Extra, 1, kExtraTimings}};
  for (int f = 0; f < detailed_timing::kFieldCount; ++f)
    out.push_back({54 + detailed_timing::firstOffsetOf(detailed_timing::Field(f)), Box::Timing});
  for (int k = 0; k < 5; ++k) out.push_back({95 + k, Box::Descriptor});
  for (int j = 0; j < 6; ++j)
    out.push_back({72 + (j < 3 ? 7 : 9) + j, Box::Descriptor, 0, kColourPoints});
  return out;
}

class NumericEntries : public ScreenFixture {
 protected:
  // Loads the image a row needs, focuses its field and types text into its box.
  void type(const Row& row, const std::string& text) {
    Image image = corpusImage("1953CCF64283");
    for (std::size_t i = 0; i < row.block72.size(); ++i)
      image.setByte(72 + static_cast<int>(i), row.block72[i]);
    image.setByte(kChecksumByte, image.correctChecksum());
    load(image);
    host.messages.clear();
    focusCell(row.cell);
    if (row.box == Box::Standard)
      selectOption(screen.section<StandardTimingScreen>().standard.STAOpta, row.option);
    if (row.box == Box::Extra)
      selectOption(screen.section<MonitorDescriptorScreen>().extStandard.ExtSTAOpta, row.option);
    if (row.option < 0)
      for (auto& field : screen.section<DetailedTimingScreen>().detailed.DT) field.value = false;
    before = screen.image;
    const auto enter = [&]<typename Section>(TextBox& box, void (Section::*keyUp)(int)) {
      box.text = text;
      (screen.section<Section>().*keyUp)(13);
    };
    switch (row.box) {
      case Box::Vendor:
        return enter(screen.section<VendorScreen>().vendor.VendorInfo,
                     &VendorScreen::VendorInfo_KeyUp);
      case Box::Version:
        return enter(screen.section<VersionScreen>().edid.VerRev, &VersionScreen::VerRev_KeyUp);
      case Box::Basic:
        return enter(screen.section<BasicDisplayScreen>().basic.BasicInput,
                     &BasicDisplayScreen::BasicInput_KeyUp);
      case Box::Chroma:
        return enter(screen.section<ChromaticityScreen>().chroma.ChromaValue,
                     &ChromaticityScreen::ChromaValue_KeyUp);
      case Box::Standard:
        return enter(screen.section<StandardTimingScreen>().standard.STAInput,
                     &StandardTimingScreen::STAInput_KeyUp);
      case Box::Timing:
        return enter(screen.section<DetailedTimingScreen>().detailed.DTInput,
                     &DetailedTimingScreen::DTInput_KeyUp);
      case Box::Descriptor:
        return enter(screen.section<MonitorDescriptorScreen>().descriptor.DTaInput,
                     &MonitorDescriptorScreen::DTaInput_KeyUp);
      case Box::Extra:
        return enter(screen.section<MonitorDescriptorScreen>().extStandard.ExtStaInput,
                     &MonitorDescriptorScreen::ExtStaInput_KeyUp);
    }
  }
  Image before;
};

TEST_F(NumericEntries, TextWithoutANumberIsRefusedAndChangesNothing) {
  setModes(true, false);
  for (const Row& row : rows()) {
    for (const std::string text : {"abc", "", "-", " x1"}) {
      type(row, text);
      EXPECT_EQ(host.messages, std::vector<std::string>{"Not a number: " + text})
          << "cell " << row.cell << " '" << text << "'";
      EXPECT_EQ(screen.image, before) << "cell " << row.cell;
    }
  }
}

TEST_F(NumericEntries, NegativeRangeLimitsAreRefusedAndZeroStaysUnspecified) {
  setModes(true, false);
  for (int cell = 95; cell <= 99; ++cell) {
    type({cell, Box::Descriptor}, "-5");
    EXPECT_EQ(host.messages,
              std::vector<std::string>{cell == 99 ? "Value entered must be between 0 - 2550"
                                                  : "Value entered must be between 0 - 510"})
        << cell;
    EXPECT_EQ(screen.image, before) << cell;
    type({cell, Box::Descriptor}, "0");
    EXPECT_TRUE(host.messages.empty()) << cell;
    EXPECT_EQ(screen.image.cell(cell), "FF") << cell;
  }
}

}  // namespace
}  // namespace edid::test
