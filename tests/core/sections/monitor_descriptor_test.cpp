// Monitor descriptors: texts, range limits, colour points and other tags as worked
// out by hand (tests/data/descriptor_decodes.txt), and against the reference
// decoder's text for every descriptor of the corpus.
#include "core/sections/monitor_descriptor.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <regex>
#include <sstream>

#include "support/corpus.h"

namespace edid {
namespace {

// Each block of tests/data/descriptor_decodes.txt decodes to its entry text and
// report text, and decoding leaves the image as it was.
TEST(MonitorDescriptor, EveryBlockOfTheTableDecodesToItsTexts) {
  std::istringstream in(
      test::readFile(std::string(EDID_TEST_DATA_DIR) + "/descriptor_decodes.txt"));
  struct Block {
    int start = 0;
    Image image;
    std::optional<std::string> input;
    std::string report;
  };
  std::vector<Block> blocks;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("at ")) {
      Block& block = blocks.emplace_back();
      std::istringstream cells(line.substr(3));
      char colon = 0;
      cells >> block.start >> colon;
      int i = block.start;
      for (std::string cell; cells >> cell;) block.image.setCell(i++, cell);
    } else if (line.starts_with("input: ")) {
      blocks.back().input = line.substr(7);
    } else if (line.starts_with(">")) {
      blocks.back().report += line.substr(1) + "\r\n";
    }
  }
  for (const Block& block : blocks) {
    const std::string where =
        "block at " + std::to_string(block.start) + ": " + block.image.cell(block.start + 3);
    const Image before = block.image;
    const auto d = monitor_descriptor::decode(block.image, block.start);
    EXPECT_EQ(block.image, before) << where;
    EXPECT_EQ(d.reportText, block.report) << where;
    if (block.input) {
      EXPECT_EQ(d.inputText, *block.input) << where;
    }
  }
  EXPECT_GE(blocks.size(), 14u);
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
