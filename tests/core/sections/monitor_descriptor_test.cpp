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
}

TEST(MonitorDescriptor, ColorPointsDecodeWithoutTouchingTheImage) {
  // Point #1: x code 321 (50 hex, low pair 01), y code 337 (54 hex, low pair 01),
  // gamma byte 78; point #2 absent but with stale bytes, which stay as they are.
  Image image = imageWithDescriptor(
      0xFB, {0x01, 0x05, 0x50, 0x54, 0x78, 0x00, 0x0F, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66});
  const Image before = image;
  const auto d = monitor_descriptor::decode(image, 54);
  EXPECT_EQ(image, before);
  EXPECT_EQ(d.type, Type::ColorPoint);
  EXPECT_TRUE(d.whitePoints[0].used);
  EXPECT_FALSE(d.whitePoints[1].used);
  EXPECT_EQ(d.whitePoints[0].captions[0], "White X - 0.313");
  EXPECT_EQ(d.whitePoints[0].captions[1], "White Y - 0.329");
  EXPECT_EQ(d.whitePoints[0].captions[2], "Gamma  - 2.20");
  EXPECT_EQ(d.reportText,
            "\r\n"
            "         Color Point:\r\n"
            "               White Point #1\r\n"
            "                    White X - 0.313\r\n"
            "                    White Y - 0.329\r\n"
            "                    Gamma  - 2.20\r\n"
            "               White Point #2\r\n"
            "                    Not Used\r\n");

  // The low pairs sit at bits 3-2 (x) and 1-0 (y): 0x08 gives x code 2, y code 0.
  image.setCell(60, "08");
  image.setCell(61, "00");
  image.setCell(62, "00");
  EXPECT_EQ(monitor_descriptor::decode(image, 54).whitePoints[0].captions[0], "White X - 0.002");
  EXPECT_EQ(monitor_descriptor::decode(image, 54).whitePoints[0].captions[1], "White Y - 0.000");

  // Gamma bytes FF and 00; point #2 present with index 02 and codes 1023.
  const auto second = monitor_descriptor::decode(
      imageWithDescriptor(0xFB, {0x00, 0, 0, 0, 0, 0x02, 0x0F, 0xFF, 0xFF, 0xFF, 0x0A, 0x20, 0x20}),
      54);
  EXPECT_FALSE(second.whitePoints[0].used);
  EXPECT_EQ(second.whitePoints[1].captions[0], "White X - 0.999");
  EXPECT_EQ(second.whitePoints[1].captions[2], "Gamma  - 3.55");
  EXPECT_NE(second.reportText.find("White Point #1\r\n                    Not Used\r\n"),
            std::string::npos);
  const auto flat =
      monitor_descriptor::decode(imageWithDescriptor(0xFB, {0x01, 0, 0, 0, 0x00, 0x00}), 54);
  EXPECT_EQ(flat.whitePoints[0].captions[2], "Gamma  - 1.00");
}

TEST(MonitorDescriptor, ExtraStandardTimingsReuseTheTwoByteCode) {
  // 61 4F: 1024 x 768 at 75 Hz; 8C C0: 1368 x 769.5, rounded to the even 770;
  // 01 01 the VESA fill; 00 xx names no size; 81 80: 1280 x 1024 at 60 Hz;
  // 0x01 0x4F is still unused whatever its second byte.
  const Image image = imageWithDescriptor(
      0xFA, {0x61, 0x4F, 0x8C, 0xC0, 0x01, 0x01, 0x00, 0x45, 0x81, 0x80, 0x01, 0x4F, 0x0A});
  const Image before = image;
  const auto d = monitor_descriptor::decode(image, 54);
  EXPECT_EQ(image, before);
  EXPECT_EQ(d.type, Type::StandardTimings);
  EXPECT_EQ(d.reportText,
            "\r\n"
            "         Standard Timing Identifiers:\r\n"
            "         1024 X 768 @75Hz\r\n"
            "         1368 X 770 @60Hz\r\n"
            "         Not Used\r\n"
            "         Not Used\r\n"
            "         1280 X 1024 @60Hz\r\n"
            "         Not Used\r\n");
  EXPECT_EQ(d.extraTimings.timings[1].text, "1368 X 770 @60Hz");
  EXPECT_EQ(d.extraTimings.timings[0].aspect, 1);
  EXPECT_FALSE(d.extraTimings.timings[3].used);
  EXPECT_EQ(d.inputText, "");

  // Other blocks start elsewhere: the slots follow the block start.
  Image later;
  later.setCell(108 + 3, "fa");
  later.setByte(108 + 15, 0x81);
  later.setByte(108 + 16, 0xC0);
  EXPECT_EQ(monitor_descriptor::decode(later, 108).extraTimings.timings[5].text,
            "1280 X 720 @60Hz");
}

TEST(MonitorDescriptor, ColourPointCaptionsGiveTheirValue) {
  EXPECT_EQ(monitor_descriptor::valueOfCaption("White X - 0.313"), "0.313");
  EXPECT_EQ(monitor_descriptor::valueOfCaption("Gamma  - 2.20"), "2.20");
  EXPECT_EQ(monitor_descriptor::valueOfCaption("White Gamma"), "");
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

TEST(MonitorDescriptor, EveryCorpusExtraTimingMatchesTheReferenceText) {
  // The reference lists the used slots of each FA block under this heading.
  static const std::regex slot(R"(^      \S.*:\s+(\d+)x(\d+)\s+([\d.]+) Hz)");
  int blocks = 0, slots = 0;
  for (const auto& id : test::corpusIds()) {
    const Image image = test::corpusImage(id);
    std::istringstream in(baseBlockText(id));
    std::vector<std::string> lines;
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
      if (line == "    Standard Timing Identifications:") {
        inside = true;
        continue;
      }
      if (inside && line.rfind("      ", 0) == 0)
        lines.push_back(line);
      else
        inside = false;
    }
    std::size_t next = 0;
    for (int start = 54; start <= 108; start += 18) {
      if (image.cell(start) != "00" || image.cell(start + 1) != "00" ||
          image.cell(start + 3) != "FA")
        continue;
      ++blocks;
      const auto d = monitor_descriptor::decode(image, start);
      for (const auto& t : d.extraTimings.timings) {
        if (!t.used) continue;
        ASSERT_LT(next, lines.size()) << id;
        std::smatch m;
        ASSERT_TRUE(std::regex_search(lines[next], m, slot)) << lines[next];
        ++next;
        EXPECT_EQ(t.horizontal, std::stoi(m[1].str())) << id;
        EXPECT_NEAR(t.refresh, std::stod(m[3].str()), 0.5) << id;
        // Aspect 00 is 1:1 here and 16:10 in later EDID versions.
        if (t.aspect != 0) {
          EXPECT_EQ(t.vertical, std::stoi(m[2].str())) << id;
        }
        ++slots;
      }
    }
    EXPECT_EQ(next, lines.size()) << id;
  }
  EXPECT_GE(blocks, 4);
  EXPECT_GE(slots, 16);
}

}  // namespace
}  // namespace edid
