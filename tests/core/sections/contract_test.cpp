// One contract for every section codec: decoding never changes the image, editors
// write only their own section's cells, only two upper-case hex digits, and a
// decoded value entered again gives back the byte it came from.
#include <gtest/gtest.h>

#include <functional>
#include <regex>

#include "core/common/text.h"
#include "core/screen/edid_screen.h"
#include "core/sections/basic_display.h"
#include "core/sections/chromaticity.h"
#include "core/sections/established.h"
#include "core/sections/standard_timing.h"
#include "core/sections/vendor.h"
#include "core/sections/version.h"
#include "support/corpus.h"
#include "support/fake_host.h"

namespace edid {
namespace {

struct Editor {
  const char* name;
  int firstCell, lastCell;
  std::function<Result<CellWrites>(const Image&, std::string_view)> edit;
};

const std::vector<Editor>& editors() {
  static const std::vector<Editor> all = {
      {"manufacturer", 8, 9,
       [](const Image& i, std::string_view e) {
         return vendor::encode(i, vendor::Field::Manufacturer, e);
       }},
      {"product", 10, 11,
       [](const Image& i, std::string_view e) {
         return vendor::encode(i, vendor::Field::ProductCode, e);
       }},
      {"serial", 12, 15,
       [](const Image& i, std::string_view e) {
         return vendor::encode(i, vendor::Field::SerialNumber, e);
       }},
      {"week", 16, 16,
       [](const Image& i, std::string_view e) {
         return vendor::encode(i, vendor::Field::Week, e);
       }},
      {"year", 17, 17,
       [](const Image& i, std::string_view e) {
         return vendor::encode(i, vendor::Field::Year, e);
       }},
      {"version", 18, 18, [](const Image&, std::string_view e) { return version::encode(18, e); }},
      {"revision", 19, 19, [](const Image&, std::string_view e) { return version::encode(19, e); }},
      {"established I", 35, 35,
       [](const Image& i, std::string_view e) -> Result<CellWrites> {
         return established::setBit(i, 35, static_cast<int>(e.size()) % 8, e.size() % 2);
       }},
      {"manufacturer timing", 37, 37,
       [](const Image& i, std::string_view e) -> Result<CellWrites> {
         return established::setBit(i, 37, 7, e.size() % 2);
       }},
      {"video input", 20, 20,
       [](const Image& i, std::string_view e) -> Result<CellWrites> {
         const int k = static_cast<int>(e.size());
         if (k % 3 == 0) return basic_display::setVideoMode(k % 2);
         if (k % 3 == 1) return basic_display::setSignalLevel(i, k % 4);
         return basic_display::setSync(i, k % 5, k % 2);
       }},
      {"horizontal size", 21, 21,
       [](const Image&, std::string_view e) {
         return basic_display::encode(basic_display::Entry::HorizSize, e);
       }},
      {"vertical size", 22, 22,
       [](const Image&, std::string_view e) {
         return basic_display::encode(basic_display::Entry::VertSize, e);
       }},
      {"gamma", 23, 23,
       [](const Image&, std::string_view e) {
         return basic_display::encode(basic_display::Entry::Gamma, e);
       }},
      {"feature support", 24, 24,
       [](const Image& i, std::string_view e) -> Result<CellWrites> {
         const int k = static_cast<int>(e.size());
         if (k % 2) return basic_display::setDisplayType(i, k % 4);
         return basic_display::setFeature(i, k % 6, k % 4 < 2);
       }},
      {"chromaticity", 25, 34,
       [](const Image& i, std::string_view e) {
         return chromaticity::encode(i, static_cast<int>(e.size()) % 8, e);
       }},
      {"standard timing width", 38, 53,
       [](const Image& i, std::string_view e) {
         return standard_timing::encodeHorizontal(i, 38 + 2 * (e.size() % 8), e);
       }},
      {"standard timing rate", 38, 53,
       [](const Image& i, std::string_view e) {
         return standard_timing::encodeRefresh(i, 38 + 2 * (e.size() % 8), e);
       }},
      {"standard timing aspect", 38, 53,
       [](const Image& i, std::string_view e) -> Result<CellWrites> {
         return standard_timing::setAspect(i, 38 + 2 * (e.size() % 8), e.size() % 4);
       }},
  };
  return all;
}

TEST(SectionContract, EditorsWriteOnlyTheirCellsAndOnlyHexPairs) {
  const std::regex hexPair("[0-9A-F]{2}");
  const std::vector<std::string> entries = {
      "",     "0",    "1",           "52",       "255",  "256", "-1",  "ABC", "zz",
      "1999", "2155", "99999999999", "\xFF\x80", "  7 ", "3.5", "1e2", "A.B", "@@@"};
  const auto ids = test::corpusIds();
  for (std::size_t n = 0; n < ids.size(); n += 40) {
    const Image image = test::corpusImage(ids[n]);
    for (const auto& editor : editors()) {
      for (const auto& entry : entries) {
        const auto result = editor.edit(image, entry);
        if (!result) {
          EXPECT_FALSE(result.error().empty()) << editor.name << " " << entry;
          continue;
        }
        for (const auto& write : *result) {
          EXPECT_GE(write.index, editor.firstCell) << editor.name << " " << entry;
          EXPECT_LE(write.index, editor.lastCell) << editor.name << " " << entry;
          EXPECT_TRUE(std::regex_match(write.text, hexPair)) << editor.name << " " << entry;
        }
      }
    }
  }
}

TEST(SectionContract, DecodedValuesEnterBackToTheSameByte) {
  for (int value = 0; value < 256; ++value) {
    Image image;
    for (int i = 8; i <= 19; ++i) image.setByte(i, value);
    const auto reentered = [&](const Editor& editor, const std::string& text) {
      const auto result = editor.edit(image, text);
      EXPECT_TRUE(result.ok()) << editor.name << " " << text << " " << result.error();
      Image copy = image;
      if (result) copy.apply(*result);
      return copy;
    };
    const auto& all = editors();
    EXPECT_EQ(reentered(all[5], version::versionText(image)), image);
    EXPECT_EQ(reentered(all[6], version::revisionText(image)), image);
    std::string serial = vendor::serialNumberText(image);
    if (serial != "Not Used") {
      EXPECT_EQ(reentered(all[2], serial), image);
    }
    if (value <= 52) {
      EXPECT_EQ(reentered(all[3], vendor::weekText(image)), image);
    }
    if (value <= 165) {
      EXPECT_EQ(reentered(all[4], vendor::yearText(image)), image);
    }
    // Manufacturer letters carry seven bits of byte 8; bit 7 is written as 0.
    Image letters = reentered(all[0], vendor::manufacturerLetters(image));
    EXPECT_EQ(letters.byte(8), value & 0x7F);
    EXPECT_EQ(letters.byte(9), value);
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
    // The size box shows the text up to its space: "" for 0.
    const std::string width = display.horizSizeText.substr(0, display.horizSizeText.find(' '));
    EXPECT_EQ(reentered(basic_display::encode(basic_display::Entry::HorizSize, width)), image);
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
    EXPECT_EQ(screen.edid.lbEDID[7].caption, "CheckSum Is Invalid") << id;
    common.ModifyMode = true;
    screen.BuildEDIDDefinations();
    image.setByte(127, image.byte(127) ^ 0x5A);
    EXPECT_EQ(screen.image, image) << id;
  }
  EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace edid
