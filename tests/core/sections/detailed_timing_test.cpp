// Detailed timing blocks: a block worked out by hand from the VESA layout, the flag
// tables, the zero guards, and every base-block timing of the corpus against the
// reference decoder's text.
#include "core/sections/detailed_timing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <sstream>

#include "support/corpus.h"

namespace edid {
namespace {

using detailed_timing::Field;
using detailed_timing::SyncType;

// Writes 18 bytes at block 0 (byte 54).
Image imageWithBlock(const std::vector<int>& block) {
  Image image;
  for (std::size_t i = 0; i < block.size(); ++i) image.setByte(54 + static_cast<int>(i), block[i]);
  return image;
}

const std::vector<int> k1280x1024 = {0x30, 0x2A, 0x00, 0x98, 0x51, 0x00, 0x2A, 0x40, 0x30,
                                     0x70, 0x13, 0x00, 0x2C, 0xE1, 0x10, 0x00, 0x00, 0x1E};

TEST(DetailedTiming, The1280x1024BlockFieldByFieldAndItsReportText) {
  const Image image = imageWithBlock(k1280x1024);
  const Image before = image;
  const auto t = detailed_timing::decode(image, 54);
  EXPECT_EQ(image, before);
  const std::array<int, 13> expected = {10800, 1280, 408, 1024, 42, 48, 112, 1, 3, 0, 0, 300, 225};
  EXPECT_EQ(t.values, expected);
  EXPECT_FALSE(t.interlaced);
  EXPECT_EQ(t.stereoCode, 0);
  EXPECT_EQ(t.syncType, SyncType::DigitalSeparate);
  EXPECT_FALSE(t.serrate);  // bit 2 is the vertical polarity here
  EXPECT_EQ(t.syncText, "Digital Separate, Horizontal Polarity (+) Vertical Polarity (+)");

  const std::string expectedReport =
      "                  1280x1024  Pixel Clock: 108.00 MHz\r\n"
      "______________________________________________________________________\r\n"
      "         Horizontal Image Size: 300 mm     Vertical Image Size: 225 mm\r\n"
      "         Refreshed Mode: Non-Interlaced    Normal Display - No Stereo\r\n"
      "\r\n"
      "Horizontal:\r\n"
      "         Active Time: 1280 pixels          Blanking Time: 408 pixels\r\n"
      "         Sync Offset: 48 pixels            Sync Pulse Width: 112 pixels\r\n"
      "         Border: 0 pixels                  Frequency: 63.98 KHz\r\n"
      "\r\n"
      "Vertical:\r\n"
      "         Active Time: 1024 lines           Blanking Time: 42 lines\r\n"
      "         Sync Offset: 1 lines              Sync Pulse Width: 3 lines\r\n"
      "         Border: 0 lines                   Frequency: 60.02 Hz\r\n"
      "\r\n"
      "Digital Separate, Horizontal Polarity (+) Vertical Polarity (+)\r\n"
      "\r\n";
  EXPECT_EQ(t.reportText, expectedReport);
}

TEST(DetailedTiming, FlagsGiveInterlaceStereoAndSyncTexts) {
  auto withFlags = [](int flags) {
    auto block = k1280x1024;
    block[17] = flags;
    return detailed_timing::decode(imageWithBlock(block), 54);
  };
  EXPECT_EQ(withFlags(0x18).syncText,
            "Digital Separate, Horizontal Polarity (-) Vertical Polarity (-)");
  const auto serrate = withFlags(0x04);
  EXPECT_EQ(serrate.syncText, "Analog Composite (Serrate) Sync On Green");
  EXPECT_TRUE(serrate.serrate);
  EXPECT_EQ(withFlags(0x0A).syncText, "Bipolar Analog Composite Sync on RGB");
  EXPECT_EQ(withFlags(0x12).syncText, "Digital Composite Composite Polarity (+)");
  EXPECT_EQ(withFlags(0x14).syncText, "Digital Composite (Serrate) Composite Polarity (-)");

  EXPECT_EQ(withFlags(0x01).stereoText, "Normal Display - No Stereo");
  EXPECT_EQ(withFlags(0x01).stereoCode, 1);
  // n = bits 6-5 x 2 + bit 0.
  const std::array<std::pair<int, int>, 6> stereo = {
      {{0x20, 2}, {0x21, 3}, {0x40, 4}, {0x41, 5}, {0x60, 6}, {0x61, 7}}};
  for (const auto& [flags, code] : stereo) {
    const auto t = withFlags(flags);
    EXPECT_EQ(t.stereoCode, code) << flags;
    EXPECT_EQ(t.stereoText, "Stereo") << flags;
  }

  const auto interlaced = withFlags(0x9E);
  EXPECT_TRUE(interlaced.interlaced);
  EXPECT_EQ(interlaced.interlaceText, "Refreshed Mode: Interlaced");
  EXPECT_EQ(interlaced.verticalFrequency, "60.02");
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

TEST(DetailedTiming, SharedUpperBitBytesSplitIntoTheirFields) {
  // Byte 10 = 0x13: VSO takes the upper nibble, VSW the lower.
  auto block = k1280x1024;
  block[11] = 0xFF;  // every upper bit pair set
  block[4] = 0xFF;
  block[7] = 0xFF;
  block[14] = 0xFF;
  // Upper nibbles F (bytes 4, 7, 14) and bit pairs 11 (byte 11), over the low bytes.
  const std::array<int, 13> expected = {10800, 0xF00, 0xF98, 0xF00, 0xF2A, 0x330, 0x370,
                                        0x31,  0x33,  0,     0,     0xF2C, 0xFE1};
  EXPECT_EQ(detailed_timing::decode(imageWithBlock(block), 54).values, expected);
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
