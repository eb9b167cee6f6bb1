// Every numeric entry box of the decoding screen, through its Enter handler: text
// without a number is refused with its own message and changes no byte. The image
// is a real monitor's (EDID 1.4): a timing at 54, range limits at 90; block 72 is
// rewritten into a colour point or extra timings block where a row needs one.
#include <functional>

#include "core/screen/option_groups.h"
#include "core/sections/detailed_timing.h"
#include "screen_fixture.h"

namespace edid::test {
namespace {

struct Entry {
  std::string name;
  std::vector<int> block72;                 ///< bytes of block 72 first; empty: as read
  int cell;                                 ///< the field's cell, focused first
  std::function<void(EdidScreen&)> choose;  ///< then picks the field's option
  std::function<TextBox&(EdidScreen&)> boxOf;
  void (EdidScreen::*enter)(int);
};

const std::vector<int> kColourPoints = {0,    0, 0, 0xFB, 0,    1,    0, 0x50, 0x54,
                                        0x78, 2, 0, 0x50, 0x54, 0x78, 0, 0,    0};
const std::vector<int> kExtraTimings = {0, 0, 0, 0xFA, 0, 0x61, 0x4F, 0x81, 0x80,
                                        1, 1, 1, 1,    1, 1,    1,    1,    0x0A};

std::vector<Entry> entries() {
  const auto none = [](EdidScreen&) {};
  const auto vendorBox = [](EdidScreen& s) -> TextBox& { return s.vendor.VendorInfo; };
  const auto versionBox = [](EdidScreen& s) -> TextBox& { return s.edid.VerRev; };
  const auto basicBox = [](EdidScreen& s) -> TextBox& { return s.basic.BasicInput; };
  const auto standardBox = [](EdidScreen& s) -> TextBox& { return s.standard.STAInput; };
  const auto detailedBox = [](EdidScreen& s) -> TextBox& { return s.detailed.DTInput; };
  const auto descriptorBox = [](EdidScreen& s) -> TextBox& { return s.descriptor.DTaInput; };
  const auto extraBox = [](EdidScreen& s) -> TextBox& { return s.extStandard.ExtStaInput; };
  std::vector<Entry> out = {
      {"serial", {}, 12, none, vendorBox, &EdidScreen::VendorInfo_KeyUp},
      {"week", {}, 16, none, vendorBox, &EdidScreen::VendorInfo_KeyUp},
      {"year", {}, 17, none, vendorBox, &EdidScreen::VendorInfo_KeyUp},
      {"version", {}, 18, none, versionBox, &EdidScreen::VerRev_KeyUp},
      {"revision", {}, 19, none, versionBox, &EdidScreen::VerRev_KeyUp},
      {"horizontal size", {}, 21, none, basicBox, &EdidScreen::BasicInput_KeyUp},
      {"vertical size", {}, 22, none, basicBox, &EdidScreen::BasicInput_KeyUp},
      {"gamma", {}, 23, none, basicBox, &EdidScreen::BasicInput_KeyUp},
      {"chromaticity",
       {},
       27,
       none,
       [](EdidScreen& s) -> TextBox& { return s.chroma.ChromaValue; },
       &EdidScreen::ChromaValue_KeyUp},
      {"standard width",
       {},
       38,
       [](EdidScreen& s) { selectOption(s.standard.STAOpta, 0); },
       standardBox,
       &EdidScreen::STAInput_KeyUp},
      {"standard rate",
       {},
       38,
       [](EdidScreen& s) { selectOption(s.standard.STAOpta, 1); },
       standardBox,
       &EdidScreen::STAInput_KeyUp},
      {"timing without a field",
       {},
       54,
       [](EdidScreen& s) {
         for (auto& option : s.detailed.DT) option.value = false;
       },
       detailedBox,
       &EdidScreen::DTInput_KeyUp},
      {"FA width", kExtraTimings, 77,
       [](EdidScreen& s) { selectOption(s.extStandard.ExtSTAOpta, 0); }, extraBox,
       &EdidScreen::ExtStaInput_KeyUp},
      {"FA rate", kExtraTimings, 77,
       [](EdidScreen& s) { selectOption(s.extStandard.ExtSTAOpta, 1); }, extraBox,
       &EdidScreen::ExtStaInput_KeyUp},
  };
  for (int f = 0; f < detailed_timing::kFieldCount; ++f) {
    const int offset = detailed_timing::firstOffsetOf(static_cast<detailed_timing::Field>(f));
    out.push_back({"timing field " + std::to_string(f),
                   {},
                   54 + offset,
                   none,
                   detailedBox,
                   &EdidScreen::DTInput_KeyUp});
  }
  for (int k = 0; k < 5; ++k)
    out.push_back({"range limit " + std::to_string(k),
                   {},
                   95 + k,
                   none,
                   descriptorBox,
                   &EdidScreen::DTaInput_KeyUp});
  for (int j = 0; j < 6; ++j)
    out.push_back({"colour point " + std::to_string(j), kColourPoints, 72 + (j < 3 ? 7 : 9) + j,
                   none, descriptorBox, &EdidScreen::DTaInput_KeyUp});
  return out;
}

class NumericEntries : public ScreenFixture {
 protected:
  // Loads the image a row needs, focuses its field and types text into its box.
  void type(const Entry& entry, const std::string& text) {
    Image image = corpusImage("1953CCF64283");
    for (std::size_t i = 0; i < entry.block72.size(); ++i)
      image.setByte(72 + static_cast<int>(i), entry.block72[i]);
    image.setByte(kChecksumByte, image.correctChecksum());
    load(image);
    host.messages.clear();
    focusCell(entry.cell);
    entry.choose(screen);
    entry.boxOf(screen).text = text;
    before = screen.image;
    (screen.*entry.enter)(13);
  }
  Image before;
};

TEST_F(NumericEntries, TextWithoutANumberIsRefusedAndChangesNothing) {
  setModes(true, false);
  for (const Entry& entry : entries()) {
    for (const std::string text : {"abc", "", "-", " x1"}) {
      type(entry, text);
      EXPECT_EQ(host.messages, std::vector<std::string>{"Not a number: " + text})
          << entry.name << " '" << text << "'";
      EXPECT_EQ(screen.image, before) << entry.name;
    }
  }
}

TEST_F(NumericEntries, NegativeRangeLimitsAreRefused) {
  setModes(true, false);
  for (const Entry& entry : entries()) {
    if (entry.name.rfind("range limit", 0) != 0) continue;
    type(entry, "-5");
    const bool clock = entry.name == "range limit 4";
    EXPECT_EQ(host.messages,
              std::vector<std::string>{clock ? "Value entered must be between 0 - 2550"
                                             : "Value entered must be between 0 - 255"})
        << entry.name;
    EXPECT_EQ(screen.image, before) << entry.name;
    // An explicit 0 still means "not specified".
    type(entry, "0");
    EXPECT_TRUE(host.messages.empty()) << entry.name;
    EXPECT_EQ(screen.image.cell(entry.cell), "FF") << entry.name;
  }
}

}  // namespace
}  // namespace edid::test
