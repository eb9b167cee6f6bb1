// Every editing handler of the decoding screen as rows of tests/data/screen_handlers.txt:
// the focused cell, the control used and what is typed -> the cells it writes (the
// checksum always follows) or the message of its refusal, which changes nothing.
// The codec tests own the edge cases; here each handler has an accepted and a
// refused row.
#include <algorithm>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "core/rows.h"
#include "core/screen/basic_display_screen.h"
#include "core/screen/chromaticity_screen.h"
#include "core/screen/detailed_timing_screen.h"
#include "core/screen/monitor_descriptor_screen.h"
#include "core/screen/option_groups.h"
#include "core/screen/standard_timing_screen.h"
#include "core/screen/vendor_screen.h"
#include "core/screen/version_screen.h"
#include "screen_fixture.h"

namespace edid::test {
namespace {

constexpr const char* kAnalog = "E24B3C9FE3E6";
constexpr const char* kDescriptors = "1953CCF64283";
constexpr const char* kColourPoint = "point";
constexpr const char* kExtraTimings = "extra";

// A row of tests/data/screen_handlers.txt, which says where each value comes from.
struct Row {
  std::string image;
  int cell = 0;
  std::string act;
  int option = 0;
  std::string text;
  bool modify = true;
  std::string expected;
};

std::vector<Row> rows() {
  std::vector<Row> out;
  for (const test::Row& line : readRows("screen_handlers.txt")) {
    const auto& f = line.fields;
    if (f.size() != 6) throw std::runtime_error("screen_handlers.txt: " + line.text);
    Row row;
    row.image = f[0];
    row.cell = std::stoi(f[1]);
    std::istringstream handler(f[2]);
    handler >> row.act >> row.option;
    row.text = f[3].substr(1, f[3].size() - 2);
    row.modify = f[4] == "on";
    row.expected = f[5] == "-" ? "" : f[5];
    out.push_back(row);
  }
  return out;
}

class ScreenHandlers : public ScreenFixture {
 protected:
  Image image(const std::string& name) {
    Image image = corpusImage(name == kColourPoint || name == kExtraTimings ? kDescriptors : name);
    std::vector<int> block;
    if (name == kColourPoint)
      block = {0, 0, 0, 0xFB, 0, 1, 0x05, 0x50, 0x54, 0x78, 0, 0, 0, 0, 0, 0x0A, 0x20, 0x20};
    if (name == kExtraTimings)
      block = {0, 0, 0, 0xFA, 0, 0x61, 0x4F, 0x81, 0x80, 1, 1, 1, 1, 1, 1, 1, 1, 0x0A};
    for (std::size_t i = 0; i < block.size(); ++i)
      image.setByte(72 + static_cast<int>(i), block[i]);
    image.setByte(kChecksumByte, image.correctChecksum());
    return image;
  }

  template <typename Section>
  Section& s() {
    return screen.section<Section>();
  }

  // Runs a row's handler as the controls do: a box gets its text and Enter, an
  // option or check box its new value and its click. Returns the group whose
  // selection must show the clicked option afterwards, if any.
  std::optional<std::vector<int>> act(const Row& row) {
    const std::string& text = row.text;
    const auto enter = [&](TextBox& box, auto keyUp) {
      box.text = text;
      keyUp(13);
    };
    const auto option = [&](auto& group, auto click) {
      selectOption(group, row.option);
      click(row.option);
    };
    const auto toggle = [&](CheckBox& box, auto click) {
      box.value = !box.value;
      click();
    };
    auto& basic = s<BasicDisplayScreen>();
    auto& standard = s<StandardTimingScreen>();
    auto& detailed = s<DetailedTimingScreen>();
    auto& descriptor = s<MonitorDescriptorScreen>();
    const std::string& a = row.act;
    if (a == "Vendor") {
      enter(s<VendorScreen>().vendor.VendorInfo,
            [&](int k) { s<VendorScreen>().VendorInfo_KeyUp(k); });
    } else if (a == "Version") {
      enter(s<VersionScreen>().edid.VerRev, [&](int k) { s<VersionScreen>().VerRev_KeyUp(k); });
    } else if (a == "Basic") {
      enter(basic.basic.BasicInput, [&](int k) { basic.BasicInput_KeyUp(k); });
    } else if (a == "Chroma") {
      enter(s<ChromaticityScreen>().chroma.ChromaValue,
            [&](int k) { s<ChromaticityScreen>().ChromaValue_KeyUp(k); });
    } else if (a == "Standard") {
      selectOption(standard.standard.STAOpta, row.option);
      enter(standard.standard.STAInput, [&](int k) { standard.STAInput_KeyUp(k); });
    } else if (a == "Aspect") {
      option(standard.standard.STAOptb, [&](int i) { standard.STAOptb_Click(i); });
    } else if (a == "Timing") {
      enter(detailed.detailed.DTInput, [&](int k) { detailed.DTInput_KeyUp(k); });
    } else if (a == "Descriptor") {
      enter(descriptor.descriptor.DTaInput, [&](int k) { descriptor.DTaInput_KeyUp(k); });
    } else if (a == "Extra") {
      selectOption(descriptor.extStandard.ExtSTAOpta, row.option);
      enter(descriptor.extStandard.ExtStaInput, [&](int k) { descriptor.ExtStaInput_KeyUp(k); });
    } else if (a == "ExtraAspect") {
      option(descriptor.extStandard.ExtSTAOptb, [&](int i) { descriptor.ExtSTAOptb_Click(i); });
    } else if (a == "VideoMode") {
      option(basic.basic.VideoMode, [&](int i) { basic.VideoMode_Click(i); });
      return selected(basic.basic.VideoMode);
    } else if (a == "Sync") {
      toggle(basic.basic.Sync[static_cast<std::size_t>(row.option)],
             [&] { basic.Sync_Click(row.option); });
    } else if (a == "DisplayType") {
      option(basic.basic.DisplayType, [&](int i) { basic.DisplayType_Click(i); });
    } else if (a == "Feature") {
      toggle(basic.basic.FSupport[static_cast<std::size_t>(row.option)],
             [&] { basic.FSupport_Click(row.option); });
    } else if (a == "Interlace") {
      toggle(detailed.detailed.DT1, [&] { detailed.DT1_Click(); });
    } else if (a == "Stereo") {
      option(detailed.detailed.DTStereo, [&](int i) { detailed.DTStereo_Click(i); });
      return selected(detailed.detailed.DTStereo);
    } else if (a == "SyncType") {
      option(detailed.detailed.DTSync, [&](int i) { detailed.DTSync_Click(i); });
      return selected(detailed.detailed.DTSync);
    } else if (a == "SyncLine") {
      detailed.SyncLine_Click();
    } else if (a == "VSyncLine") {
      detailed.VSyncLine_Click();
    } else if (a == "Reset") {
      detailed.Hints_DblClick(row.option);
    } else if (a == "Type") {
      option(descriptor.descriptor.DTa, [&](int i) { descriptor.DTa_Click(i); });
    } else if (a == "Gtf") {
      toggle(descriptor.descriptor.DTAGTF, [&] { descriptor.DTAGTF_Click(); });
    } else if (a == "WhiteIndex") {
      descriptor.descriptor.Windex[static_cast<std::size_t>(row.option)].value = text == "on";
      descriptor.Windex_Click(row.option);
    } else if (a == "ExtraOption") {
      option(descriptor.extStandard.ExtSTOpt, [&](int i) { descriptor.ExtSTOpt_Click(i); });
    } else {
      ADD_FAILURE() << "no handler " << a;
    }
    return std::nullopt;
  }
};

// "C=XX A-B=XX ..." applied to before: the image a row expects.
Image expectedImage(Image image, const std::string& writes) {
  std::istringstream in(writes);
  std::string write;
  while (in >> write) {
    const auto equals = write.find('=');
    const auto dash = write.find('-');
    const int first = std::stoi(write.substr(0, std::min(dash, equals)));
    const int last = dash < equals ? std::stoi(write.substr(dash + 1, equals - dash - 1)) : first;
    for (int i = first; i <= last; ++i) image.setCell(i, write.substr(equals + 1));
  }
  return image;
}

// The cells that differ from before, as "C=XX ...".
std::string changes(const Image& before, const Image& after) {
  std::string out;
  for (int i = 0; i < kEdidSize; ++i)
    if (before.cell(i) != after.cell(i)) out += std::to_string(i) + "=" + after.cell(i) + " ";
  return out;
}

TEST_F(ScreenHandlers, EachHandlerWritesItsCellsOrRefusesWithItsMessage) {
  const std::vector<Row> table = rows();
  EXPECT_GT(table.size(), 60u);
  for (const Row& row : table) {
    SCOPED_TRACE(row.image + " cell " + std::to_string(row.cell) + " '" + row.text + "'");
    setModes(false, false);
    load(image(row.image));
    setModes(row.modify, false);
    focusCell(row.cell);
    host.messages.clear();
    const Image before = screen.image;
    const auto shown = act(row);
    const std::string& expected = row.expected;
    if (expected.starts_with("! ")) {
      EXPECT_EQ(host.messages, std::vector<std::string>{expected.substr(2)});
      EXPECT_EQ(screen.image, before);
      continue;
    }
    EXPECT_TRUE(host.messages.empty());
    Image wanted = expectedImage(before, expected);
    if (!expected.empty()) wanted.setByte(kChecksumByte, wanted.correctChecksum());
    EXPECT_EQ(changes(before, screen.image), changes(before, wanted));
    EXPECT_EQ(common.UnsavedChanges, !expected.empty());
    // The decode that follows shows the option that was clicked.
    if (shown) {
      EXPECT_EQ(*shown, std::vector<int>{row.option});
    }
  }
}

// An absent white point's entry shows no value, not the caption left from before.
TEST_F(ScreenHandlers, AnAbsentWhitePointShowsNoValue) {
  load(
      Image::fromEdid(readFile(std::string(EDID_TEST_DATA_DIR) + "/1953CCF64283-descriptors.bin")));
  setModes(true, false);
  focusCell(84);
  EXPECT_EQ(s<MonitorDescriptorScreen>().descriptor.DTaInput.text, "0.322");
  typeInto(82, "00");
  focusCell(84);
  EXPECT_EQ(s<MonitorDescriptorScreen>().descriptor.DTaInput.text, "");
}

// Aspect code 0 is 1:1 before EDID 1.3 and 16:10 from then on; its option says which.
TEST_F(ScreenHandlers, AspectCodeZeroIsNamedByTheVersion) {
  for (const auto& [id, caption] :
       {std::pair{kAnalog, "1:1 Aspect Ratio"}, std::pair{kDescriptors, "16:10 Aspect Ratio"}}) {
    load(corpusImage(id));
    focusCell(38);
    EXPECT_EQ(s<StandardTimingScreen>().standard.STAOptb[0].caption, caption) << id;
  }
}

}  // namespace
}  // namespace edid::test
