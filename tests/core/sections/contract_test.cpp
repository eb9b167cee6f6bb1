// One contract for every section codec: decoding never changes the image, editors
// write only their own section's cells, only two upper-case hex digits, and a
// decoded value entered again gives back the byte it came from.
#include <gtest/gtest.h>

#include <regex>

#include "core/common/text.h"
#include "core/screen/checksum_screen.h"
#include "core/screen/edid_screen.h"
#include "core/sections/basic_display.h"
#include "core/sections/standard_timing.h"
#include "core/sections/vendor.h"
#include "support/corpus.h"
#include "support/fake_host.h"
#include "support/section_editors.h"

namespace edid {
namespace {

using test::SectionEditor;

const std::vector<SectionEditor>& editors() {
  return test::sectionEditors();
}

TEST(SectionContract, EditorsWriteOnlyTheirCellsAndOnlyHexPairs) {
  const std::regex hexPair("[0-9A-F]{2}");
  const std::vector<std::string> entries = {
      "",     "0",    "1",           "52",       "255",  "256", "-1",  "ABC", "zz",
      "1999", "2155", "99999999999", "\xFF\x80", "  7 ", "3.5", "1e2", "A.B", "@@@"};
  const auto ids = test::corpusIds();
  for (std::size_t n = 0; n < ids.size(); n += 40) {
    const Image image = test::corpusImage(ids[n]);
    ASSERT_GE(editors().size(), 9u) << "a section's editors are not listed";
    for (const auto& editor : editors()) {
      for (const auto& entry : entries) {
        const auto result = editor.edit(image, entry);
        if (!result) {
          EXPECT_FALSE(result.error().empty()) << editor.name << " " << entry;
          continue;
        }
        for (const auto& write : *result) {
          EXPECT_TRUE(editor.cells.contains(write.index)) << editor.name << " " << entry;
          EXPECT_TRUE(std::regex_match(write.text, hexPair)) << editor.name << " " << entry;
        }
      }
    }
  }
}

TEST(SectionContract, DecodedValuesEnterBackToTheSameByte) {
  for (int value = 0; value < 256; ++value) {
    Image image;
    for (const auto& editor : editors())
      for (int i = editor.cells.first; i <= editor.cells.last; ++i) image.setByte(i, value);
    const auto reentered = [&](const SectionEditor& editor, const std::string& text) {
      const auto result = editor.edit(image, text);
      EXPECT_TRUE(result.ok()) << editor.name << " " << text << " " << result.error();
      Image copy = image;
      if (result) copy.apply(*result);
      return copy;
    };
    for (const auto& editor : editors()) {
      if (!editor.decodedEntry) continue;
      const std::string entry = editor.decodedEntry(image);
      if (entry.empty()) continue;
      EXPECT_EQ(reentered(editor, entry), image) << editor.name << " " << value;
    }
    // Manufacturer letters carry seven bits of byte 8; bit 7 is written as 0.
    const auto letters =
        vendor::encode(image, vendor::Field::Manufacturer, vendor::manufacturerLetters(image));
    ASSERT_TRUE(letters.ok());
    Image copy = image;
    copy.apply(*letters);
    EXPECT_EQ(copy.byte(8), value & 0x7F);
    EXPECT_EQ(copy.byte(9), value);
  }
}

TEST(SectionContract, DisplayValuesEnterBackToTheSameByte) {
  for (int value = 0; value < 256; ++value) {
    Image image;
    for (int i = 20; i <= 53; ++i) image.setByte(i, value);
    const auto reentered = [&](const Result<CellWrites>& result) {
      EXPECT_TRUE(result.ok()) << value << " " << result.error();
      Image copy = image;
      if (result) copy.apply(*result);
      return copy;
    };
    const auto display = basic_display::decode(image);
    // The size box shows the text up to its space: "" for 0, which is no number.
    const std::string width = display.horizSizeText.substr(0, display.horizSizeText.find(' '));
    if (!width.empty()) {
      EXPECT_EQ(reentered(basic_display::encode(basic_display::Entry::HorizSize, width)), image);
    }
    EXPECT_EQ(reentered(basic_display::encode(basic_display::Entry::Gamma, display.gammaText)),
              image);
    const auto timing = standard_timing::decode(image).timings[3];
    EXPECT_EQ(reentered(standard_timing::encodeRefresh(image, 44, std::to_string(timing.refresh))),
              image);
    // A first byte of 00 (248 pixels) enters back as 0, which marks the pair unused.
    if (timing.used && value != 0) {
      EXPECT_EQ(reentered(standard_timing::encodeHorizontal(image, 44,
                                                            std::to_string(timing.horizontal))),
                image);
    }
    Image copy = image;
    copy.apply(standard_timing::setAspect(image, 44, timing.aspect));
    EXPECT_EQ(copy, image);
  }
}

// A full decode reads the cells and never writes them, except that "Modify EDID"
// keeps the checksum byte right.
TEST(SectionContract, FullDecodeLeavesTheImageUntouched) {
  test::FakeHost host;
  for (const auto& id : test::corpusIds()) {
    Common common;
    EdidScreen screen(common, host);
    Image image = test::corpusImage(id);
    image.setByte(127, image.byte(127) ^ 0x5A);  // a wrong checksum
    screen.image = image;
    screen.BuildEDIDDefinations();
    EXPECT_EQ(screen.image, image) << id;
    EXPECT_EQ(screen.section<ChecksumScreen>().edid.lbEDID[7].caption, "CheckSum Is Invalid") << id;
    common.ModifyMode = true;
    screen.BuildEDIDDefinations();
    image.setByte(127, image.byte(127) ^ 0x5A);
    EXPECT_EQ(screen.image, image) << id;
  }
  EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace edid
