#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <regex>
#include <sstream>
#include <type_traits>
#include <variant>

#include "core/cta/cta861.h"
#include "support/corpus.h"
#include "support/reference.h"

namespace edid {
namespace {

// Both sides of the comparison are brought to the same short lines, one per value
// compared, in block order: "VIC 16*" (native), "SAD LPCM 2 32 44.1 48 / 16 20 24",
// "HDMI 1.0.0.0", "TMDS 300", "FRS 48-165", "EOTF SDR ST2084", "DTD 148500 1920 280 ...".

std::string sorted(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::string text;
  char number[16];
  for (const double v : values) {
    std::snprintf(number, sizeof number, " %g", v);
    text += number;
  }
  return text;
}

std::vector<double> numbers(const std::string& text) {
  std::vector<double> out;
  std::istringstream in(text);
  for (double v; in >> v;) out.push_back(v);
  return out;
}

const std::map<std::string, std::string> kAudioNames = {{"Linear PCM", "LPCM"},
                                                        {"AC-3", "AC-3"},
                                                        {"Enhanced AC-3 (DD+)", "Enhanced AC-3"},
                                                        {"MAT (MLP)", "MAT"},
                                                        {"DTS", "DTS"},
                                                        {"DTS-HD", "DTS-HD"},
                                                        {"One Bit Audio", "One Bit Audio"},
                                                        {"WMA Pro", "WMA Pro"}};
const std::map<std::string, std::string> kEotfNames = {
    {"Traditional gamma - SDR luminance range", "Traditional gamma SDR"},
    {"Traditional gamma - HDR luminance range", "Traditional gamma HDR"},
    {"SMPTE ST2084", "SMPTE ST 2084"},
    {"Hybrid Log-Gamma", "HLG"}};

// The reference decoder's text of one block, cut into our short lines.
std::vector<std::string> referenceLines(const std::string& blockText) {
  std::vector<std::string> out;
  std::istringstream in(blockText);
  std::string line, header, sad;
  std::smatch m;
  const auto flushSad = [&] {
    if (!sad.empty()) out.push_back(sad);
    sad.clear();
  };
  std::vector<double> rates;
  while (std::getline(in, line)) {
    if (std::regex_match(line, m, std::regex(R"(  (\S.*):)"))) {
      flushSad();
      header = m[1];
      continue;
    }
    if (header == "Video Data Block" &&
        std::regex_search(line, m, std::regex(R"(^    VIC\s+(\d+):.*?( \(native\))?$)")))
      out.push_back("VIC " + m[1].str() + (m[2].matched ? "*" : ""));
    if (header == "Audio Data Block") {
      if (std::regex_match(line, m, std::regex(R"(    Reserved \(0x00\))"))) {
        flushSad();
        out.push_back("SAD Reserved");
      } else if (std::regex_match(line, m, std::regex(R"(    (\S.*):)"))) {
        flushSad();
        const auto name = kAudioNames.find(m[1]);
        sad = "SAD " + (name == kAudioNames.end() ? m[1].str() : name->second);
      } else if (std::regex_match(line, m, std::regex(R"(      Max channels: (\d+))"))) {
        sad += " " + m[1].str();
      } else if (std::regex_match(line, m,
                                  std::regex(R"(      Supported sample rates \(kHz\):(.*))"))) {
        sad += sorted(numbers(m[1]));
      } else if (std::regex_match(line, m,
                                  std::regex(R"(      Supported sample sizes \(bits\):(.*))"))) {
        sad += " /" + sorted(numbers(m[1]));
      } else if (std::regex_match(line, m, std::regex(R"(      Maximum bit rate: (\d+) kb/s)"))) {
        sad += " / " + m[1].str() + " kb/s";
      }
    }
    if (header.starts_with("Vendor-Specific Data Block (HDMI),")) {
      if (std::regex_match(line, m, std::regex(R"(    Source physical address: (\S+))")))
        out.push_back("HDMI " + m[1].str());
      if (std::regex_match(line, m, std::regex(R"(    Maximum TMDS clock: (\d+) MHz)")))
        out.push_back("TMDS " + m[1].str());
    }
    if (header.starts_with("Vendor-Specific Data Block (HDMI Forum)") &&
        std::regex_match(line, m, std::regex(R"(    Maximum TMDS Character Rate: (\d+) MHz)")))
      out.push_back("HF TMDS " + m[1].str());
    if (header.starts_with("Vendor-Specific Data Block (AMD)")) {
      if (std::regex_match(line, m, std::regex(R"(    Minimum Refresh Rate: (\d+) Hz)")))
        out.push_back("FRS " + m[1].str());
      if (std::regex_match(line, m, std::regex(R"(    Maximum Refresh Rate: (\d+) Hz)")))
        out.back() += "-" + m[1].str();
    }
    if (header == "HDR Static Metadata Data Block") {
      if (line == "    Electro optical transfer functions:") out.push_back("EOTF");
      if (std::regex_match(line, m, std::regex(R"(      (.*))")) &&
          out.back().starts_with("EOTF") && kEotfNames.count(m[1]))
        out.back() += " " + kEotfNames.at(m[1]);
    }
    if (header == "Detailed Timing Descriptors") {
      if (std::regex_search(line, m,
                            std::regex(R"(DTD\s+\d+:\s+(\d+)x(\d+)(i?)\s.*\s([\d.]+) MHz)"))) {
        const int kHz = static_cast<int>(std::lround(std::stod(m[4]) * 1000));
        const bool interlaced = m[3].length() > 0;
        out.push_back("DTD " + std::to_string(kHz) + " " + m[1].str() + " " +
                      std::to_string(std::stoi(m[2]) / (interlaced ? 2 : 1)) +
                      (interlaced ? " i" : " p"));
      } else if (!line.ends_with("Even Field") &&
                 std::regex_search(
                     line, m,
                     std::regex(R"([HV]front\s+(-?\d+) [HV]sync\s+(\d+) [HV]back\s+(-?\d+))"))) {
        // Its back porch leaves out the borders on both sides; the blanking holds them.
        std::smatch border;
        const int borders = std::regex_search(line, border, std::regex(R"(border (\d+))"))
                                ? 2 * std::stoi(border[1])
                                : 0;
        const int front = std::stoi(m[1]), sync = std::stoi(m[2]), back = std::stoi(m[3]) + borders;
        out.back() += " " + std::to_string(front + sync + back) + " " + std::to_string(front) +
                      " " + std::to_string(sync);
      }
    }
  }
  flushSad();
  return out;
}

std::int64_t integer(const cta::Node& n, const char* key) {
  return std::get<std::int64_t>(n.child(key)->value);
}

std::vector<std::string> ourLines(const cta::Block& block) {
  std::vector<std::string> out;
  if (const cta::Node* blocks = block.root.child("data_blocks")) {
    for (const cta::Node& b : blocks->children) {
      const std::string type = std::get<std::string>(b.child("type")->value);
      const cta::Node* vendor = b.child("vendor");
      const std::string vendorName = vendor ? std::get<std::string>(vendor->value) : "";
      if (type == "video")
        for (const cta::Node& v : b.child("vics")->children)
          out.push_back("VIC " + std::to_string(integer(v, "vic")) +
                        (std::get<bool>(v.child("native")->value) ? "*" : ""));
      if (type == "audio") {
        for (const cta::Node& d : b.child("descriptors")->children) {
          if (std::get<std::int64_t>(d.child("format_code")->value) == 0) {
            out.push_back("SAD Reserved");
            continue;
          }
          std::string line =
              "SAD " + std::get<std::string>(d.child("format")->value) + " " +
              std::to_string(integer(d, "max_channels")) +
              sorted(std::get<std::vector<double>>(d.child("sample_rates_khz")->value));
          if (const cta::Node* bits = d.child("bit_depths"))
            line += " /" + sorted(std::get<std::vector<double>>(bits->value));
          if (const cta::Node* rate = d.child("max_bit_rate_kbps"))
            line += " / " + std::to_string(std::get<std::int64_t>(rate->value)) + " kb/s";
          out.push_back(line);
        }
      }
      if (vendorName == "HDMI") {
        if (const cta::Node* pa = b.child("physical_address"))
          out.push_back("HDMI " + std::get<std::string>(pa->value));
        if (b.child("max_tmds_clock_mhz"))
          out.push_back("TMDS " + std::to_string(integer(b, "max_tmds_clock_mhz")));
      }
      if (vendorName == "HDMI Forum" && b.child("max_tmds_character_rate_mhz"))
        out.push_back("HF TMDS " + std::to_string(integer(b, "max_tmds_character_rate_mhz")));
      if (vendorName == "AMD" && b.child("min_refresh_hz"))
        out.push_back("FRS " + std::to_string(integer(b, "min_refresh_hz")) + "-" +
                      std::to_string(integer(b, "max_refresh_hz")));
      if (type == "hdr_static_metadata") {
        std::string line = "EOTF";
        for (const std::string& name : std::get<std::vector<std::string>>(b.child("eotfs")->value))
          line += " " + name;
        out.push_back(line);
      }
    }
  }
  for (const cta::Node& d : block.root.child("detailed_timings")->children) {
    const auto v = [&d](const char* key) { return std::to_string(integer(d, key)); };
    out.push_back("DTD " + v("pixel_clock_khz") + " " + v("h_active") + " " + v("v_active") +
                  (std::get<bool>(d.child("interlaced")->value) ? " i " : " p ") + v("h_blanking") +
                  " " + v("h_sync_offset") + " " + v("h_sync_width") + " " + v("v_blanking") + " " +
                  v("v_sync_offset") + " " + v("v_sync_width"));
  }
  return out;
}

// Every CTA-861 block of the corpus: its VICs with the native flag, audio
// descriptors, HDMI physical address and TMDS clocks, FreeSync range, EOTFs and
// detailed timings, each as the reference decoder read them.
TEST(CtaCorpus, EveryCtaBlockAgreesWithTheReferenceDecoder) {
  int blocks = 0;
  std::size_t values = 0;
  for (const std::string& id : test::corpusIds()) {
    std::string text = test::referenceText(id);
    // Warnings and failures repeat block headings; only the decode counts.
    for (const char* tail : {"\nWarnings:\n", "\nFailures:\n", "\nEDID conformity"})
      text = text.substr(0, text.find(tail));
    const std::vector<std::uint8_t> bytes = test::corpusBytes(id);
    const std::vector<std::uint8_t> extension(
        bytes.begin() + std::min<std::size_t>(128, bytes.size()), bytes.end());
    for (const cta::Block& block : cta::decodeExtension(extension)) {
      if (block.kind != "CTA-861") continue;
      const std::string heading =
          "\nBlock " + std::to_string(block.number) + ", CTA-861 Extension Block:\n";
      const auto start = text.find(heading);
      if (start == std::string::npos) continue;
      const auto end = text.find("\nChecksum:", start);
      const auto expected = referenceLines(text.substr(start, end - start));
      EXPECT_EQ(ourLines(block), expected) << id << " block " << block.number;
      ++blocks;
      values += expected.size();
    }
  }
  std::printf("compared %d CTA-861 blocks, %zu values\n", blocks, values);
  EXPECT_GT(blocks, 200);
}

// Every key and value a sink takes, in order, as "key=value" lines.
class KeySink final : public cta::Sink {
 public:
  explicit KeySink(bool showsTexts) : cta::Sink(showsTexts) {}
  bool open(cta::Item&& group) override {
    lines.push_back("{" + std::string(group.key));
    return true;
  }
  void add(cta::Item&& item) override {
    std::ostringstream line;
    line << item.key << '=';
    std::visit(
        [&line](const auto& v) {
          using V = std::decay_t<decltype(v)>;
          if constexpr (std::is_same_v<V, std::span<const double>> ||
                        std::is_same_v<V, std::span<const std::string_view>>) {
            for (const auto& e : v) line << e << ',';
          } else if constexpr (!std::is_same_v<V, std::monostate>) {
            line << v;
          }
        },
        item.value);
    lines.push_back(line.str());
  }
  void close() override { lines.push_back("}"); }
  std::vector<std::string> lines;
};

// A sink that reads no shown texts (the JSON writer) gets every key and value
// a sink showing them gets.
TEST(CtaCorpus, LeavingOutTextsKeepsEveryKeyAndValue) {
  for (const std::string& id : test::corpusIds()) {
    const std::vector<std::uint8_t> bytes = test::corpusBytes(id);
    for (std::size_t at = 128; at + 128 <= bytes.size(); at += 128) {
      KeySink shown(true), bare(false);
      cta::walkBlock(std::span(bytes).subspan(at, 128), shown);
      cta::walkBlock(std::span(bytes).subspan(at, 128), bare);
      EXPECT_EQ(bare.lines, shown.lines) << id << " at " << at;
    }
  }
}

}  // namespace
}  // namespace edid
