// Monitor descriptors: texts, range limits and other tags, by hand from the VESA
// layout and against the reference decoder's text for every descriptor of the corpus.
#include "core/sections/monitor_descriptor.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>

#include "support/corpus.h"

namespace edid {
namespace {

using monitor_descriptor::Type;

Image imageWithDescriptor(int tag, const std::vector<int>& data) {
  Image image;
  image.setByte(54 + 3, tag);
  for (std::size_t i = 0; i < data.size(); ++i)
    image.setByte(54 + 5 + static_cast<int>(i), data[i]);
  return image;
}

std::vector<int> ascii(const std::string& text) {
  return {text.begin(), text.end()};
}

TEST(MonitorDescriptor, TextBlocksStopAtTheEndMarkAndHideControlBytes) {
  // "DELL U2410" + 0A + spaces.
  auto name = ascii("DELL U2410");
  name.insert(name.end(), {0x0A, 0x20, 0x20});
  const Image image = imageWithDescriptor(0xFC, name);
  const Image before = image;
  const auto d = monitor_descriptor::decode(image, 54);
  EXPECT_EQ(image, before);
  EXPECT_EQ(d.type, Type::MonitorName);
  EXPECT_EQ(d.inputText, "DELL U2410");
  EXPECT_EQ(d.reportText, "\r\n         Monitor Name:\r\n         DELL U2410\r\n\r\n");

  // Thirteen characters without 0A: all kept, trailing spaces too.
  const auto full =
      monitor_descriptor::decode(imageWithDescriptor(0xFF, ascii("SERIAL 12345 ")), 54);
  EXPECT_EQ(full.inputText, "SERIAL 12345 ");
  EXPECT_EQ(full.reportText,
            "\r\n         Monitor Serial Number:\r\n         SERIAL 12345 \r\n\r\n");

  // 0A first: an empty text and a line of nine spaces.
  const auto empty = monitor_descriptor::decode(imageWithDescriptor(0xFE, {0x0A, 0x20}), 54);
  EXPECT_EQ(empty.inputText, "");
  EXPECT_EQ(empty.reportText, "\r\n         ASCII Data:\r\n         \r\n\r\n");

  // NUL, a tab and DEL show as "."; 0x99 stays a Windows-1252 byte.
  const auto odd = monitor_descriptor::decode(
      imageWithDescriptor(0xFE, {'A', 0x00, 0x09, 0x7F, 0x99, 0x0A}), 54);
  EXPECT_EQ(odd.inputText, "A...\x99");
}

TEST(MonitorDescriptor, RangeLimitsCaptionsAndGtf) {
  // 50-160 Hz, 30-96 kHz, 160 MHz, GTF not used.
  const Image image = imageWithDescriptor(
      0xFD, {50, 160, 30, 96, 0x10, 0x00, 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20});
  const auto d = monitor_descriptor::decode(image, 54);
  EXPECT_EQ(d.type, Type::RangeLimits);
  EXPECT_TRUE(d.gtfEnabled);
  EXPECT_FALSE(d.range.gtfSupported);
  EXPECT_EQ(d.reportText,
            "\r\n"
            "         Monitor Range Limits:\r\n"
            "         Min Vertical Freq - 50 Hz\r\n"
            "         Max Vertical Freq - 160 Hz\r\n"
            "         Min Horiz. Freq - 30 KHz\r\n"
            "         Max Horiz. Freq - 96 KHz\r\n"
            "         Pixel Clock  - 160 MHz\r\n"
            "         GTF - Not Used\r\n");
  const auto unspecified =
      monitor_descriptor::decode(imageWithDescriptor(0xFD, {1, 2, 3, 4, 0xFF, 0x02}), 54);
  EXPECT_EQ(unspecified.range.captions[4], "Pixel Clock - Not Specified");
  EXPECT_TRUE(unspecified.range.gtfSupported);
  EXPECT_NE(unspecified.reportText.find("         GTF - Supported\r\n"), std::string::npos);

  // The tag is matched upper-cased.
  Image lower = image;
  lower.setCell(57, "fd");
  EXPECT_EQ(monitor_descriptor::decode(lower, 54).type, Type::RangeLimits);
}

TEST(MonitorDescriptor, OtherTagsShowTheirDataBytesInHex) {
  const std::vector<int> data = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06,
                                 0x07, 0x08, 0x09, 0x0A, 0xAB, 0xFF};
  const auto manufacturer = monitor_descriptor::decode(imageWithDescriptor(0x0F, data), 54);
  EXPECT_EQ(manufacturer.type, Type::ManufacturerDefined);
  EXPECT_EQ(manufacturer.inputText, "00 01 02 03 04 05 06 07 08 09 0A AB FF");
  EXPECT_EQ(manufacturer.reportText,
            "\r\n         Defined by Manufacturer:\r\n"
            "         00 01 02 03 04 05 06 07 08 09 0A AB FF\r\n\r\n");
  const auto dummy = monitor_descriptor::decode(imageWithDescriptor(0x10, data), 54);
  EXPECT_EQ(dummy.type, Type::Undefined);
  EXPECT_EQ(dummy.reportText.substr(0, 33), "\r\n         Currently Undefined:\r\n");
  EXPECT_EQ(monitor_descriptor::decode(imageWithDescriptor(0xF9, data), 54).type, Type::Undefined);
  EXPECT_FALSE(dummy.gtfEnabled);
}

// The reference decoder's base-block text, up to its checksum line.
std::string baseBlockText(const std::string& id) {
  const std::string text = test::readFile(test::corpusDir() + "/" + id + ".txt");
  const auto end = text.find("\nChecksum:");
  return text.substr(0, end);
}

std::vector<std::string> referenceValues(const std::string& text, const std::string& label) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const auto at = line.find(label);
    if (at == std::string::npos || line.find_first_not_of(' ') != at) continue;
    if (label == "Display Range Limits:")
      std::getline(in, line);
    else
      line = line.substr(at + label.size());
    line.erase(0, line.find_first_not_of(' '));
    out.push_back(line);
  }
  return out;
}

// True when bytes 5-17 up to the end mark are printable ASCII: the reference
// decoder stops at a NUL where the editor shows ".", so only those compare.
bool plainAscii(const Image& image, int start) {
  for (int offset = 5; offset <= 17; ++offset) {
    const int value = image.byte(start + offset);
    if (value == 0x0A) return true;
    if (value < 0x20 || value > 0x7E) return false;
  }
  return true;
}

TEST(MonitorDescriptor, EveryCorpusDescriptorMatchesTheReferenceText) {
  const std::map<std::string, std::string> labels = {
      {"FC", "Display Product Name:"},
      {"FF", "Display Product Serial Number:"},
      {"FE", "Alphanumeric Data String:"},
      {"FD", "Display Range Limits:"},
  };
  static const std::regex ranges(R"((\d+)-(\d+) Hz V, (\d+)-(\d+) kHz H, max dotclock (\d+) MHz)");
  int texts = 0, limits = 0, otherReadings = 0;
  for (const auto& id : test::corpusIds()) {
    const Image image = test::corpusImage(id);
    const std::string reference = baseBlockText(id);
    // One text is in an older decoder's layout with other labels.
    if (reference.find("Block 0, Base EDID:") == std::string::npos) continue;
    for (const auto& [tag, label] : labels) {
      const auto values = referenceValues(reference, label);
      std::vector<int> starts;
      for (int start = 54; start <= 108; start += 18) {
        if (!image.byte(start) && !image.byte(start + 1) && image.cell(start + 3) == tag)
          starts.push_back(start);
      }
      // Laptop panels' SPWG blocks reuse tag FE; the reference names them otherwise.
      if (starts.size() != values.size()) {
        ++otherReadings;
        continue;
      }
      std::size_t n = 0;
      for (const int start : starts) {
        const std::string where = id + " block at " + std::to_string(start);
        const std::string& value = values[n++];
        const auto d = monitor_descriptor::decode(image, start);
        if (tag == "FD") {
          std::smatch m;
          if (image.byte(start + 4) != 0 || !std::regex_search(value, m, ranges)) continue;
          const auto& c = d.range.captions;
          EXPECT_EQ(c[0], "Min Vertical Freq - " + m[1].str() + " Hz") << where;
          EXPECT_EQ(c[1], "Max Vertical Freq - " + m[2].str() + " Hz") << where;
          EXPECT_EQ(c[2], "Min Horiz. Freq - " + m[3].str() + " KHz") << where;
          EXPECT_EQ(c[3], "Max Horiz. Freq - " + m[4].str() + " KHz") << where;
          if (image.byte(start + 9) != 0xFF) {
            EXPECT_EQ(c[4], "Pixel Clock  - " + m[5].str() + " MHz") << where;
          }
          ++limits;
          continue;
        }
        // Quoted texts only (serial numbers are mostly masked), printable ASCII only.
        if (value.size() < 3 || value.front() != '\'' || value.back() != '\'') continue;
        if (!plainAscii(image, start)) continue;
        EXPECT_EQ("'" + d.inputText + "'", value) << where;
        ++texts;
      }
    }
  }
  EXPECT_LE(otherReadings, 5);
  EXPECT_GE(texts, 300);
  EXPECT_GE(limits, 300);
}

}  // namespace
}  // namespace edid
