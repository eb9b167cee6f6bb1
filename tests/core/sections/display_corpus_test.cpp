// Sizes, gamma, chromaticity and standard timings of every corpus EDID against the
// reference decoder's text of the same EDID.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "core/sections/basic_display.h"
#include "core/sections/chromaticity.h"
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

// The reference lists the used timings with their measured rate. It skips pairs of
// 00 00 (shown here as 248 X 248), reads a 1:1 code as 16:10 and cuts the height
// where this program rounds it, so heights may differ by one and are not compared
// for 1:1 codes.
TEST(DisplayCorpus, StandardTimingsMatchTheReferenceDecoder) {
  const std::regex section(R"(\n  Standard Timings:\n((?:    .*\n)*))");
  const std::regex timing(R"(:\s+(\d+)x(\d+)\s+([\d.]+) Hz)");
  int compared = 0;
  for (const auto& id : test::corpusIds()) {
    const std::string text = baseBlockText(id) + "\n";
    const Image image = test::corpusImage(id);
    const auto decoded = standard_timing::decode(image);
    std::vector<std::pair<int, standard_timing::Timing>> used;
    for (int k = 0; k < standard_timing::kTimings; ++k) {
      const int first = standard_timing::firstByteOf(k);
      if (decoded.timings[std::size_t(k)].used && image.byte(first) + image.byte(first + 1) > 0)
        used.emplace_back(first, decoded.timings[std::size_t(k)]);
    }
    std::smatch m;
    if (!std::regex_search(text, m, section)) continue;  // none used, or an older layout
    const std::string lines = m[1].str();
    std::size_t n = 0;
    for (std::sregex_iterator it(lines.begin(), lines.end(), timing), end; it != end; ++it, ++n) {
      ASSERT_LT(n, used.size()) << id;
      const auto& [first, t] = used[n];
      EXPECT_EQ(t.horizontal, std::stoi((*it)[1].str())) << id << " " << t.text;
      // 61 4C is the published code of 1024 x 768 at 70 Hz, though its bits say 72.
      const bool dmt70 = image.byte(first) == 0x61 && image.byte(first + 1) == 0x4C;
      EXPECT_EQ(t.refresh - (dmt70 ? 2 : 0), std::lround(std::stod((*it)[3].str())))
          << id << " " << t.text;
      if (t.aspect != 0) {
        EXPECT_NEAR(t.vertical, std::stoi((*it)[2].str()), 1) << id << " " << t.text;
      }
      ++compared;
    }
    EXPECT_EQ(n, used.size()) << id;
  }
  EXPECT_GT(compared, 1000);
}

}  // namespace
}  // namespace edid
