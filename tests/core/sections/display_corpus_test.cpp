// Sizes, gamma, chromaticity and standard timings of every corpus EDID against the
// reference decoder's text of the same EDID.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "core/sections/basic_display.h"
#include "core/sections/chromaticity.h"
#include "core/sections/monitor_descriptor.h"
#include "core/sections/standard_timing.h"
#include "support/corpus.h"

namespace edid {
namespace {

/// The base block's part of a reference text; empty for texts of another layout.
std::string baseBlockText(const std::string& id) {
  const std::string text = test::readFile(test::corpusDir() + "/" + id + ".txt");
  const auto start = text.find("Block 0, Base EDID:");
  if (start == std::string::npos) return {};
  auto end = text.find("\nBlock 1,", start);
  if (end == std::string::npos) end = text.find("\nChecksum:", start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

TEST(DisplayCorpus, SizesAndGammaMatchTheReferenceDecoder) {
  const std::regex sizeLine(R"(\n    Maximum image size: (\d+) cm x (\d+) cm\n)");
  const std::regex gammaLine(R"(\n    Gamma: (\d\.\d\d)\n)");
  int sizes = 0, gammas = 0;
  for (const auto& id : test::corpusIds()) {
    const std::string text = baseBlockText(id);
    const auto decoded = basic_display::decode(test::corpusImage(id));
    std::smatch m;
    if (std::regex_search(text, m, sizeLine)) {
      EXPECT_EQ(decoded.horizSizeText, m[1].str() + "0 mm") << id;
      EXPECT_EQ(decoded.vertSizeText, m[2].str() + "0 mm") << id;
      ++sizes;
    } else if (text.find("\n    Image size is variable\n") != std::string::npos) {
      EXPECT_TRUE(decoded.horizSizeText == " mm" || decoded.vertSizeText == " mm") << id;
    }
    if (std::regex_search(text, m, gammaLine)) {
      EXPECT_EQ(decoded.gammaText, m[1].str()) << id;
      ++gammas;
    }
  }
  EXPECT_GT(sizes, 350);
  EXPECT_GT(gammas, 350);
}

// The reference prints each coordinate cut (not rounded) to four decimals.
TEST(DisplayCorpus, ChromaticityMatchesTheReferenceDecoder) {
  const std::regex colour(R"(\n    (Red  |Green|Blue |White): 0\.(\d{4}), 0\.(\d{4}))");
  int checked = 0;
  for (const auto& id : test::corpusIds()) {
    const std::string text = baseBlockText(id);
    const auto decoded = chromaticity::decode(test::corpusImage(id));
    int coordinate = 0;
    for (std::sregex_iterator it(text.begin(), text.end(), colour), end; it != end; ++it) {
      for (int k = 2; k <= 3; ++k, ++coordinate) {
        const double reference = std::stoi((*it)[k].str()) / 10000.0;
        const double fraction = decoded.codes[std::size_t(coordinate)] / 1024.0;
        EXPECT_GE(fraction, reference - 1e-12) << id << " " << coordinate;
        EXPECT_LT(fraction, reference + 0.0001) << id << " " << coordinate;
        // Three decimals of the same value, rounded: at most 0.0005 away.
        EXPECT_NEAR(std::stod(decoded.texts[std::size_t(coordinate)]), fraction, 0.0005 + 1e-12)
            << id;
      }
    }
    if (coordinate == 0) continue;
    EXPECT_EQ(coordinate, 8) << id;
    ++checked;
  }
  EXPECT_GT(checked, 350);
}

// Every standard timing (bytes 38-53) and extra standard timing (tag FA) of every
// EDID 1.3 or later against the reference decoder, which lists the used codes in
// order with their measured rate and reads aspect code 0 as 16:10. It skips pairs
// of 00 00, and cuts the 5:4 and 16:9 heights that this program rounds.
TEST(DisplayCorpus, StandardTimingsMatchTheReferenceDecoder) {
  const std::regex section(
      R"(\n( +)(?:Standard Timings|Standard Timing Identifications):\n((?:\1  .*\n)*))");
  const std::regex timing(R"(:\s+(\d+)x(\d+)\s+([\d.]+) Hz)");
  int compared = 0, sixteenTen = 0, extra = 0;
  for (const auto& id : test::corpusIds()) {
    const Image image = test::corpusImage(id);
    if (!standard_timing::zeroAspectIs16By10(image)) continue;
    const std::string text = baseBlockText(id) + "\n";
    std::vector<std::pair<int, standard_timing::Timing>> used;
    const auto decoded = standard_timing::decode(image);
    for (int k = 0; k < standard_timing::kTimings; ++k) {
      const int first = standard_timing::firstByteOf(k);
      if (decoded.timings[std::size_t(k)].used && image.byte(first) + image.byte(first + 1) > 0)
        used.emplace_back(first, decoded.timings[std::size_t(k)]);
    }
    const std::size_t standardCount = used.size();
    for (int s : {54, 72, 90, 108}) {
      if (image.byte(s) + image.byte(s + 1) + image.byte(s + 2) != 0 || image.byte(s + 3) != 0xFA)
        continue;
      const auto timings = monitor_descriptor::decode(image, s).extraTimings.timings;
      for (int t = 0; t < 6; ++t)
        if (timings[std::size_t(t)].used)
          used.emplace_back(monitor_descriptor::extraSlotByte(s, t), timings[std::size_t(t)]);
    }
    std::size_t n = 0;
    std::sregex_iterator it(text.begin(), text.end(), section), end;
    if (it == end) continue;  // none used, or an older layout
    for (; it != end; ++it) {
      const std::string lines = (*it)[2].str();
      for (std::sregex_iterator line(lines.begin(), lines.end(), timing); line != end; ++line) {
        ASSERT_LT(n, used.size()) << id;
        const auto& [first, t] = used[n++];
        EXPECT_EQ(t.horizontal, std::stoi((*line)[1].str())) << id << " " << t.text;
        EXPECT_NEAR(t.vertical, std::stoi((*line)[2].str()), t.aspect == 0 ? 0 : 1)
            << id << " " << t.text;
        // 61 4C is the published code of 1024 x 768 at 70 Hz, though its bits say 72.
        const bool dmt70 = image.byte(first) == 0x61 && image.byte(first + 1) == 0x4C;
        EXPECT_EQ(t.refresh - (dmt70 ? 2 : 0), std::lround(std::stod((*line)[3].str())))
            << id << " " << t.text;
        ++compared;
        sixteenTen += t.aspect == 0;
        extra += n > standardCount;
      }
    }
    EXPECT_EQ(n, used.size()) << id;
  }
  EXPECT_GT(compared, 1000);
  EXPECT_GT(sixteenTen, 100);
  EXPECT_GT(extra, 3);
}

}  // namespace
}  // namespace edid
