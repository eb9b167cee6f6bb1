#include "core/sections/vendor.h"

#include <gtest/gtest.h>

#include <regex>

#include "core/common/text.h"
#include "support/corpus.h"

namespace edid {
namespace {

Image withBytes(std::initializer_list<std::pair<int, int>> bytes) {
  Image image;
  for (const auto& [index, value] : bytes) image.setByte(index, value);
  return image;
}

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

TEST(VendorDecode, ManufacturerLettersCoverTheWholeFiveBitRange) {
  EXPECT_EQ(vendor::manufacturerLetters(withBytes({{8, 0x00}, {9, 0x00}})), "@@@");
  EXPECT_EQ(vendor::manufacturerLetters(withBytes({{8, 0x04}, {9, 0x43}})), "ABC");
  EXPECT_EQ(vendor::manufacturerLetters(withBytes({{8, 0x63}, {9, 0x3A}})), "XYZ");
  EXPECT_EQ(vendor::manufacturerLetters(withBytes({{8, 0x7F}, {9, 0xFF}})), "___");
  // Bit 7 of byte 8 is reserved and not read.
  EXPECT_EQ(vendor::manufacturerLetters(withBytes({{8, 0x84}, {9, 0x43}})), "ABC");
}

TEST(VendorDecode, ProductCodeShowsLettersOnlyWhileByteTenIsPrintable) {
  auto code = vendor::productCode(withBytes({{10, 0x1F}, {11, 0x05}}));
  EXPECT_EQ(code.text, "051F");
  EXPECT_EQ(code.letters, "");
  code = vendor::productCode(withBytes({{10, 0x41}, {11, 0x42}}));
  EXPECT_EQ(code.text, "4241(AB)");
  code = vendor::productCode(withBytes({{10, 0x34}, {11, 0x12}}));
  EXPECT_EQ(code.text, "1234(4)");
  code = vendor::productCode(withBytes({{10, 0x20}, {11, 0x41}}));
  EXPECT_EQ(code.text, "4120");
  EXPECT_EQ(code.letters, "");
}

TEST(VendorDecode, SerialWeekYearAndCompleteSerial) {
  EXPECT_EQ(vendor::serialNumberText(withBytes({{12, 1}, {13, 1}, {14, 1}, {15, 1}})), "Not Used");
  EXPECT_EQ(vendor::serialNumberText(withBytes({{12, 1}})), "00001");
  EXPECT_EQ(vendor::serialNumberText(withBytes({{12, 0xD2}, {13, 0x04}})), "01234");
  EXPECT_EQ(vendor::serialNumberText(withBytes({{12, 0xFF}, {13, 0xFF}, {14, 0xFF}, {15, 0xFF}})),
            "4294967295");
  EXPECT_EQ(vendor::serialNumberText(withBytes({{12, 0x87}, {13, 0xD6}, {14, 0x12}})), "1234567");
  EXPECT_EQ(vendor::weekText(withBytes({{16, 0}})), "00");
  EXPECT_EQ(vendor::weekText(withBytes({{16, 0xFF}})), "255");
  EXPECT_EQ(vendor::yearText(withBytes({{17, 0}})), "1990");
  EXPECT_EQ(vendor::yearText(withBytes({{17, 0xFF}})), "2245");
  EXPECT_EQ(vendor::completeSerial("AB", "1999", "05", "01234"), "AB90501234");
  EXPECT_EQ(vendor::completeSerial("", "2008", "39", "00042"), "83900042");
  EXPECT_EQ(vendor::completeSerial("AB", "1999", "05", "Not Used"), "See Descriptor Block");
}

TEST(VendorEntry, KeyFilterUpperCasesLettersAndRefusesTheRest) {
  using vendor::Field;
  EXPECT_EQ(*vendor::filterKey(Field::Manufacturer, 'a'), 'A');
  EXPECT_EQ(vendor::filterKey(Field::Manufacturer, '1').error(), "A-Z Only");
  EXPECT_EQ(vendor::filterKey(Field::ProductCode, '-').error(), "A-Z Only");
  EXPECT_EQ(*vendor::filterKey(Field::SerialNumber, '7'), '7');
  EXPECT_EQ(vendor::filterKey(Field::SerialNumber, 'x').error(), "0-9 Only");
  for (char always : {'\b', '\t', '\r', '.'}) {
    EXPECT_EQ(*vendor::filterKey(Field::Manufacturer, always), always);
    EXPECT_EQ(*vendor::filterKey(Field::SerialNumber, always), always);
  }
  EXPECT_EQ(*vendor::filterKey(Field::Week, 'x'), 'x');
  EXPECT_EQ(*vendor::filterKey(Field::Year, '-'), '-');
}

CellWrites encodeOk(vendor::Field field, std::string_view entry) {
  auto result = vendor::encode(Image(), field, entry);
  EXPECT_TRUE(result.ok()) << entry << ": " << result.error();
  return result.ok() ? *result : CellWrites{};
}

std::string refusal(vendor::Field field, std::string_view entry) {
  return vendor::encode(Image(), field, entry).error();
}

TEST(VendorEntry, EncodesEveryFieldAndRoundTrips) {
  using vendor::Field;
  EXPECT_EQ(encodeOk(Field::Manufacturer, "ABC"), (CellWrites{{8, "04"}, {9, "43"}}));
  EXPECT_EQ(encodeOk(Field::Manufacturer, "XYZ"), (CellWrites{{8, "63"}, {9, "3A"}}));
  EXPECT_EQ(encodeOk(Field::Manufacturer, "AB"), (CellWrites{{8, "04"}, {9, "40"}}));
  EXPECT_EQ(encodeOk(Field::Manufacturer, "A"), (CellWrites{{8, "04"}, {9, "00"}}));
  EXPECT_EQ(encodeOk(Field::ProductCode, "AB"), (CellWrites{{10, "41"}, {11, "42"}}));
  EXPECT_EQ(encodeOk(Field::SerialNumber, "1234"),
            (CellWrites{{12, "D2"}, {13, "04"}, {14, "00"}, {15, "00"}}));
  EXPECT_EQ(encodeOk(Field::SerialNumber, "4294967295"),
            (CellWrites{{12, "FF"}, {13, "FF"}, {14, "FF"}, {15, "FF"}}));
  EXPECT_EQ(encodeOk(Field::Week, "52"), (CellWrites{{16, "34"}}));
  EXPECT_EQ(encodeOk(Field::Week, "0"), (CellWrites{{16, "00"}}));
  EXPECT_EQ(encodeOk(Field::Year, "1999"), (CellWrites{{17, "09"}}));
  EXPECT_EQ(encodeOk(Field::Year, "2155"), (CellWrites{{17, "A5"}}));

  // Every real manufacturer code encodes back to the bytes it came from (bit 7 clear).
  for (const auto& id : test::corpusIds()) {
    const Image image = test::corpusImage(id);
    const auto writes = encodeOk(Field::Manufacturer, vendor::manufacturerLetters(image));
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].text, ByteToHex(image.byte(8) & 0x7F)) << id;
    EXPECT_EQ(writes[1].text, image.cell(9)) << id;
  }
}

TEST(VendorEntry, RefusesWhatTheBytesCannotHoldWithAClearMessage) {
  using vendor::Field;
  EXPECT_EQ(refusal(Field::Week, "53"), "Max value is 52");
  EXPECT_EQ(refusal(Field::Week, "-1"), "Min value is 0");
  EXPECT_EQ(refusal(Field::Year, "99"), "Please enter in the full year (1999)");
  EXPECT_EQ(refusal(Field::Year, "2156"), "The Range is 1990-2155");
  EXPECT_EQ(refusal(Field::Year, "1989"), "The Range is 1990-2155");
  EXPECT_EQ(refusal(Field::SerialNumber, "4294967296"), "The Range is 0-4294967295");
  EXPECT_EQ(refusal(Field::SerialNumber, "99999999999999999999"), "The Range is 0-4294967295");
  EXPECT_EQ(refusal(Field::Manufacturer, "A.B"), "A-Z Only");
  EXPECT_EQ(refusal(Field::Manufacturer, "ABCD"), "A-Z Only");
}

}  // namespace
}  // namespace edid
