// Detailed timing blocks: the zero guards, and every base-block timing of the corpus
// against the reference decoder's text (the texts: the golden reports).
#include "core/sections/detailed_timing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <sstream>

#include "support/corpus.h"

namespace edid {
namespace {

using detailed_timing::Field;

// Writes 18 bytes at block 0 (byte 54).
Image imageWithBlock(const std::vector<int>& block) {
  Image image;
  for (std::size_t i = 0; i < block.size(); ++i) image.setByte(54 + static_cast<int>(i), block[i]);
  return image;
}

TEST(DetailedTiming, ZeroClockAndTotalsNeverDivideByZero) {
  Image image = imageWithBlock({0x00, 0x00, 0x01});
  EXPECT_FALSE(detailed_timing::isDescriptor(image, 54));
  const auto t = detailed_timing::decode(image, 54);
  EXPECT_EQ(t.horizontalFrequency, "1000.00");
  EXPECT_EQ(t.verticalFrequency, "1000000.00");
  EXPECT_EQ(t.phrases[0], "Pixel Clock: 0.00 MHz");
  // A cell that reads as no byte is not the text "00": the block stays a timing;
  // one that reads as the byte 0 counts, as in the file it becomes.
  image.setCell(55, "0G");
  image.setCell(56, "00");
  EXPECT_FALSE(detailed_timing::isDescriptor(image, 54));
  image.setCell(55, "0");
  EXPECT_TRUE(detailed_timing::isDescriptor(image, 54));
  image.setCell(55, "00");
  EXPECT_TRUE(detailed_timing::isDescriptor(image, 54));
}

// One "DTD n:" entry of the reference decoder's base block.
struct ReferenceTiming {
  int hActive = 0, vActive = 0;
  bool interlaced = false;
  double khz = 0, mhz = 0;
  int hSize = -1, vSize = -1;
  int hFront = 0, hSync = 0, hBack = 0, vFront = 0, vSync = 0, vBack = 0;
  bool borders = false;
  bool invalid = false;  ///< listed as a raw "Detailed mode:" the reference could not decode
};

std::vector<ReferenceTiming> referenceTimings(const std::string& text) {
  static const std::regex head(
      R"(DTD\s+\d+:\s+(\d+)x(\d+)(i?)\s+\S+ Hz\s+\S+\s+([\d.]+) kHz\s+([\d.]+) MHz(.*))");
  static const std::regex size(R"((\d+) mm x (\d+) mm)");
  static const std::regex horizontal(R"(Hfront\s+(-?\d+) Hsync\s+(\d+) Hback\s+(-?\d+))");
  static const std::regex vertical(R"(Vfront\s+(-?\d+) Vsync\s+(\d+) Vback\s+(-?\d+))");
  std::vector<ReferenceTiming> out;
  std::istringstream in(text);
  std::string line;
  std::smatch m;
  while (std::getline(in, line)) {
    if (line.rfind("Block 1", 0) == 0) break;
    if (line.find("Detailed mode:") != std::string::npos) {
      out.push_back({.invalid = true});
      continue;
    }
    if (!std::regex_search(line, m, head)) continue;
    ReferenceTiming r;
    r.hActive = std::stoi(m[1]);
    r.vActive = std::stoi(m[2]);
    r.interlaced = m[3] == "i";
    r.khz = std::stod(m[4]);
    r.mhz = std::stod(m[5]);
    const std::string rest = m[6];
    if (std::regex_search(rest, m, size)) {
      r.hSize = std::stoi(m[1]);
      r.vSize = std::stoi(m[2]);
    }
    std::getline(in, line);
    if (std::regex_search(line, m, horizontal)) {
      r.hFront = std::stoi(m[1]);
      r.hSync = std::stoi(m[2]);
      r.hBack = std::stoi(m[3]);
    }
    r.borders = line.find("border") != std::string::npos;
    std::getline(in, line);
    if (std::regex_search(line, m, vertical)) {
      r.vFront = std::stoi(m[1]);
      r.vSync = std::stoi(m[2]);
      r.vBack = std::stoi(m[3]);
    }
    r.borders = r.borders || line.find("border") != std::string::npos;
    out.push_back(r);
  }
  return out;
}

TEST(DetailedTiming, EveryBaseBlockTimingOfTheCorpusMatchesTheReferenceText) {
  int checked = 0;
  for (const auto& id : test::corpusIds()) {
    const Image image = test::corpusImage(id);
    const auto reference = referenceTimings(test::readFile(test::corpusDir() + "/" + id + ".txt"));
    std::size_t n = 0;
    for (int start = 54; start <= 108; start += 18) {
      // The reference counts a block as a timing when its pixel clock is not zero.
      if (image.byte(start) == 0 && image.byte(start + 1) == 0) continue;
      ASSERT_LT(n, reference.size()) << id << " block at " << start;
      const ReferenceTiming& r = reference[n++];
      if (r.invalid) continue;
      const auto t = detailed_timing::decode(image, start);
      const auto v = [&](Field f) { return t.values[static_cast<std::size_t>(f)]; };
      const std::string where = id + " block at " + std::to_string(start);
      EXPECT_EQ(v(Field::HorizontalActive), r.hActive) << where;
      EXPECT_NEAR(v(Field::PixelClock) / 100.0, r.mhz, 0.001) << where;
      EXPECT_EQ(v(Field::HorizontalSyncOffset), r.hFront) << where;
      EXPECT_EQ(v(Field::HorizontalSyncWidth), r.hSync) << where;
      if (!r.borders) {
        EXPECT_EQ(v(Field::HorizontalBlanking), r.hFront + r.hSync + r.hBack) << where;
        EXPECT_NEAR(std::stod(t.horizontalFrequency), r.khz, 0.0051) << where;
      }
      if (!r.interlaced) {
        EXPECT_EQ(v(Field::VerticalActive), r.vActive) << where;
        EXPECT_EQ(v(Field::VerticalSyncOffset), r.vFront) << where;
        EXPECT_EQ(v(Field::VerticalSyncWidth), r.vSync) << where;
        if (!r.borders) {
          EXPECT_EQ(v(Field::VerticalBlanking), r.vFront + r.vSync + r.vBack) << where;
        }
      }
      if (r.hSize >= 0) {
        EXPECT_EQ(v(Field::HorizontalImageSize), r.hSize) << where;
        EXPECT_EQ(v(Field::VerticalImageSize), r.vSize) << where;
      }
      ++checked;
    }
  }
  // 495 timings with a size line plus those without one.
  EXPECT_GE(checked, 495);
}

}  // namespace
}  // namespace edid
