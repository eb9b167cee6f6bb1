#include "core/sections/vendor.h"

#include <gtest/gtest.h>

#include <regex>

#include "core/common/text.h"
#include "support/corpus.h"

namespace edid {
namespace {

// The reference decoder's text for each corpus EDID names the manufacturer, the
// model number and the week and year (no week for week 0, a model year for week
// 255); our decode must agree on every one.
TEST(VendorDecode, AgreesWithTheReferenceDecoderOnTheWholeCorpus) {
  const std::regex manufacturer(R"(\n\s+Manufacturer: (\S{3})\n)");
  const std::regex model(R"(\n\s+Model: (\d+)\n)");
  const std::regex madeIn(R"(\n\s+(Made in: week (\d+) of|Made in:|Model year:) (\d+)\n)");
  int checked = 0;
  for (const auto& id : test::corpusIds()) {
    const std::string text = test::readFile(test::corpusDir() + "/" + id + ".txt");
    const Image image = test::corpusImage(id);
    std::smatch m;
    if (std::regex_search(text, m, manufacturer)) {
      EXPECT_EQ(vendor::manufacturerLetters(image), m[1].str()) << id;
      ++checked;
    }
    if (std::regex_search(text, m, model)) {
      const auto code = vendor::productCode(image);
      EXPECT_EQ(std::stoul(code.text.substr(0, 4), nullptr, 16), std::stoul(m[1].str())) << id;
    }
    if (std::regex_search(text, m, madeIn)) {
      const auto d = vendor::decode(image);
      const int week = m[2].matched ? std::stoi(m[2].str()) : m[1] == "Made in:" ? 0 : 255;
      EXPECT_EQ(d.weekNumber, week) << id;
      EXPECT_EQ(d.yearNumber, std::stoi(m[3].str())) << id;
    }
  }
  EXPECT_GT(checked, 390);
}

// The fields' editors and decoders are rows of tests/data/block_editors.txt.
TEST(VendorEntry, EveryRealManufacturerCodeEncodesBackToItsBytes) {
  EXPECT_EQ(vendor::completeSerial("AB", "1999", "05", "01234"), "AB90501234");
  EXPECT_EQ(vendor::completeSerial("", "2008", "39", "00042"), "83900042");
  EXPECT_EQ(vendor::completeSerial("AB", "1999", "05", "Not Used"), "See Descriptor Block");
  for (const auto& id : test::corpusIds()) {
    const Image image = test::corpusImage(id);
    const auto writes =
        vendor::encode(Image(), vendor::Field::Manufacturer, vendor::manufacturerLetters(image));
    ASSERT_TRUE(writes.ok()) << id;
    EXPECT_EQ(*writes, (CellWrites{{8, ByteToHex(image.byte(8) & 0x7F)}, {9, image.cell(9)}}))
        << id;
  }
}

}  // namespace
}  // namespace edid
