// The EDID 1.4 fields of every corpus EDID against the reference decoder's text:
// digital depth and interface, feature bits 1-0, range limits with their offsets
// and timing support byte (secondary GTF and CVT fields), and tag F7 timings.
#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <regex>

#include "core/sections/basic_display.h"
#include "core/sections/detailed_timing.h"
#include "core/sections/monitor_descriptor.h"
#include "core/sections/version.h"
#include "support/reference.h"

namespace edid {
namespace {

namespace md = monitor_descriptor;

struct Corpus14 {
  std::string id;
  Image image;
  std::string text;  // the reference text's base block
};

// Every corpus EDID with its base block text; edid14 picks 1.4 or earlier ones.
std::vector<Corpus14> corpus(bool edid14) {
  std::vector<Corpus14> out;
  for (const auto& id : test::corpusIds()) {
    Image image = test::corpusImage(id);
    if (version::isEdid14(image) != edid14) continue;
    std::string text = test::referenceText(id);
    // Texts of the reference decoder's older layout name the fields otherwise.
    if (text.find("Block 0, Base EDID:") == std::string::npos) continue;
    text = text.substr(0, text.find("\nChecksum:"));
    out.push_back({id, std::move(image), std::move(text)});
  }
  return out;
}

// Counted across the suite: the figure the suite's last test prints.
int g_compared = 0;

void compare(const std::string& ours, const std::string& reference, const std::string& what) {
  EXPECT_EQ(ours, reference) << what;
  ++g_compared;
}

TEST(Edid14Corpus, DigitalDepthInterfaceAndFeatureBits) {
  const std::regex depth(R"(\n    Bits per primary color channel: (\d+)\n)");
  const std::regex iface(R"(\n    (DVI|HDMI-a|HDMI-b|MDDI|DisplayPort) interface\n)");
  int digital = 0;
  for (const auto& [id, image, text] : corpus(true)) {
    const auto display = basic_display::decode(image);
    std::smatch m;
    if (display.video.digital) {
      ++digital;
      const bool hasDepth = std::regex_search(text, m, depth);
      compare(display.video.levelText,
              "Color Bit Depth - " + (hasDepth ? m[1].str() + " Bits per Color" : "Undefined"),
              id + " depth");
      const bool hasInterface = std::regex_search(text, m, iface);
      compare(display.video.syncText, "Interface - " + (hasInterface ? m[1].str() : "Undefined"),
              id + " interface");
    }
    const std::string& features = display.features.text;
    compare(std::to_string(features.find("Continuous Frequency") != std::string::npos),
            std::to_string(text.find("Display is continuous frequency") != std::string::npos),
            id + " continuous");
    compare(
        std::to_string(features.find("Native Preferred Timing") != std::string::npos),
        std::to_string(text.find("timing includes the native pixel format") != std::string::npos),
        id + " native");
  }
  EXPECT_GT(digital, 90);
}

// "Monitor ranges (GTF): 50-75 Hz V, 30-80 kHz H, max dotclock 140 MHz" and the
// secondary curve's or CVT's lines below it, from the descriptor's own decode.
TEST(Edid14Corpus, RangeLimitsOffsetsAndTimingSupport) {
  const std::regex ranges(
      R"(Monitor ranges \(([^)]*\)?)\): (\d+)-(\d+) ?Hz V, (\d+)-(\d+) ?kHz H(, max dotclock (\d+) ?MHz)?)");
  // Reference labels of byte 10 and the words of our lines.
  const std::map<std::string, std::string> kClass = {{"GTF", "Default GTF"},
                                                     {"Bare Limits", "Range Limits Only"},
                                                     {"Secondary GTF", "Secondary GTF"},
                                                     {"CVT", "CVT"}};
  int blocks = 0, offsets = 0, cvt = 0, secondary = 0;
  for (const bool edid14 : {true, false}) {
    for (const auto& [id, image, text] : corpus(edid14)) {
      auto it = std::sregex_iterator(text.begin(), text.end(), ranges);
      for (int start = 54; start <= 108; start += 18) {
        if (!detailed_timing::isDescriptor(image, start)) continue;
        const md::Descriptor d = md::decode(image, start);
        if (d.type != md::Type::RangeLimits) continue;
        ASSERT_NE(it, std::sregex_iterator()) << id;
        const std::smatch m = *it++;  // a copy: the post-increment returns a temporary
        ++blocks;
        if (image.byte(start + 4) & 0x0F) ++offsets;
        const auto& r = d.range;
        compare(std::to_string(r.minVerticalHz) + "-" + std::to_string(r.maxVerticalHz) + " " +
                    std::to_string(r.minHorizontalKHz) + "-" + std::to_string(r.maxHorizontalKHz),
                m[2].str() + "-" + m[3].str() + " " + m[4].str() + "-" + m[5].str(), id);
        const std::string& first = r.supportLines.at(0);
        if (edid14 && kClass.count(m[1].str()))
          compare(first, "Timing Support - " + kClass.at(m[1].str()), id);
        else if (edid14)
          compare(first.substr(0, 26), "Timing Support - Reserved", id);
        std::string ours;
        for (const auto& line : r.supportLines) ours += line + "\n";
        if (m[1].str() == "Secondary GTF") {
          ++secondary;
          const auto ref = [&](const char* p) { return *test::referenceField(text, p); };
          compare(ours.substr(ours.find("GTF Start")),
                  "GTF Start Freq - " + ref(R"(Start frequency: (\d+))") + " KHz\nGTF C - " +
                      ref(R"(\n +C: ([\d.]+)%)") + "%\nGTF M - " + ref(R"(\n +M: (\d+))") +
                      "%/KHz\nGTF K - " + ref(R"(\n +K: (\d+))") + "\nGTF J - " +
                      ref(R"(\n +J: ([\d.]+)%)") + "%\n",
                  id);
        }
        if (m[1].str() == "CVT") {
          ++cvt;
          const auto ref = [&](const char* p) { return *test::referenceField(text, p); };
          std::string aspects = ref(R"(Supported aspect ratios: ([^\n]*))");
          aspects = std::regex_replace(aspects, std::regex(" "), ", ");
          compare(
              ours.substr(ours.find("CVT Version"),
                          ours.find("CVT Blanking") - ours.find("CVT Version")),
              "CVT Version - " + ref(R"(CVT version (\d\.\d))") + "\n" +
                  (text.find("Real max dotclock") == std::string::npos
                       ? ""
                       : "CVT Pixel Clock - " + ref(R"(Real max dotclock: ([\d.]+))") + " MHz\n") +
                  "Max Active Pixels - " + ref(R"(Max active pixels per line: (\d+))") +
                  "\nAspect Ratios - " + aspects + "\nPreferred Aspect - " +
                  ref(R"(Preferred aspect ratio: ([\d:]+))") + "\n",
              id);
        }
      }
    }
  }
  EXPECT_GT(blocks, 300);
  EXPECT_EQ(offsets, 8);
  EXPECT_EQ(cvt, 3);
  EXPECT_EQ(secondary, 2);
}

// The reference lists each timing of an F7 block as "DMT 0x17:  1280x768  59.87 Hz".
TEST(Edid14Corpus, EstablishedTimingsIII) {
  const std::regex row(R"(DMT 0x[0-9a-f]+: +(\d+)x(\d+) +([\d.]+) Hz)");
  int blocks = 0;
  for (const auto& [id, image, text] : corpus(true)) {
    for (int start = 54; start <= 108; start += 18) {
      if (!detailed_timing::isDescriptor(image, start)) continue;
      const md::Descriptor d = md::decode(image, start);
      if (d.type != md::Type::EstablishedIII) continue;
      ++blocks;
      const auto from = text.find("Established timings III:");
      ASSERT_NE(from, std::string::npos) << id;
      const std::string section = text.substr(from, text.find("\n    D", from) - from);
      test::Timings reference;
      for (std::sregex_iterator it(section.begin(), section.end(), row), end; it != end; ++it)
        reference.emplace(std::stoi((*it)[1].str()), std::stoi((*it)[2].str()),
                          std::stod((*it)[3].str()));
      const auto ours = test::namedTimings(d.reportText);
      EXPECT_TRUE(test::sameTimings(ours, reference))
          << id << ": " << test::describe(ours) << "/ " << test::describe(reference);
      g_compared += static_cast<int>(reference.size()) + 1;
    }
  }
  EXPECT_EQ(blocks, 2);
  std::cout << "[ figure ] values compared with the reference texts (1.4 fields, and the rates of "
               "every version's range limits): "
            << g_compared << "\n";
}

}  // namespace
}  // namespace edid
