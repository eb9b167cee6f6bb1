// The editors of an 18-byte block (detailed timing and monitor descriptor) and of the
// vendor fields as rows of tests/data/block_editors.txt: a block's bytes, an editor
// and its entry -> the cells it writes or its refusal (or, for a decoder, its text).
// The file says where each expected value comes from.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <sstream>

#include "core/common/text.h"
#include "core/sections/basic_display.h"
#include "core/sections/chromaticity.h"
#include "core/sections/detailed_timing.h"
#include "core/sections/monitor_descriptor.h"
#include "core/sections/range_limits.h"
#include "core/sections/standard_timing.h"
#include "core/sections/vendor.h"
#include "support/corpus.h"

namespace edid {
namespace {

namespace md = monitor_descriptor;
namespace dt = detailed_timing;
namespace bd = basic_display;

using Editor =
    std::function<Result<CellWrites>(const Image&, int start, int arg, const std::string& entry)>;

const std::map<std::string, Editor>& editors() {
  static const std::map<std::string, Editor> kEditors = {
      {"dt.field",
       [](const Image& i, int s, int a, const std::string& e) {
         return dt::encodeField(i, s, static_cast<dt::Field>(a), e);
       }},
      {"dt.interlace",
       [](const Image& i, int s, int a, const std::string&) -> Result<CellWrites> {
         return dt::setInterlaced(i, s, a != 0);
       }},
      {"dt.stereo",
       [](const Image& i, int s, int a, const std::string&) -> Result<CellWrites> {
         return dt::setStereo(i, s, a);
       }},
      {"dt.sync",
       [](const Image& i, int s, int a, const std::string&) -> Result<CellWrites> {
         return dt::setSyncType(i, s, a);
       }},
      {"dt.serrate",
       [](const Image& i, int s, int a, const std::string&) -> Result<CellWrites> {
         return dt::setSerrate(i, s, a != 0);
       }},
      {"dt.sync-line",
       [](const Image& i, int s, int, const std::string&) -> Result<CellWrites> {
         return dt::toggleSyncLine(i, s);
       }},
      {"dt.vsync-line",
       [](const Image& i, int s, int, const std::string&) -> Result<CellWrites> {
         return dt::toggleVSyncLine(i, s);
       }},
      {"dt.reset",
       [](const Image&, int s, int, const std::string&) -> Result<CellWrites> {
         return dt::resetBlock(s);
       }},
      {"md.type",
       [](const Image&, int s, int a, const std::string&) -> Result<CellWrites> {
         return md::chooseType(s, a);
       }},
      {"md.leave-fa",
       [](const Image&, int s, int, const std::string&) -> Result<CellWrites> {
         return md::leaveExtraTimings(s);
       }},
      {"md.text",
       [](const Image&, int s, int, const std::string& e) -> Result<CellWrites> {
         return md::encodeText(s, e);
       }},
      {"md.limit", [](const Image& i, int s, int a,
                      const std::string& e) { return md::encodeRangeLimit(i, s, a, e); }},
      {"md.support", [](const Image& i, int s, int a,
                        const std::string&) { return range_limits::setTimingSupport(i, s, a); }},
      {"md.point", [](const Image& i, int s, int a,
                      const std::string& e) { return md::encodeColorPoint(i, s, a, e); }},
      {"md.white",
       [](const Image& i, int s, int a, const std::string& e) -> Result<CellWrites> {
         return md::setWhitePoint(i, s, a, e == "on");
       }},
      {"md.fa-width", [](const Image& i, int s, int a,
                         const std::string& e) { return md::encodeExtraHorizontal(i, s, a, e); }},
      {"md.fa-rate", [](const Image& i, int s, int a,
                        const std::string& e) { return md::encodeExtraRefresh(i, s, a, e); }},
      {"md.fa-aspect",
       [](const Image& i, int s, int a, const std::string& e) -> Result<CellWrites> {
         return md::setExtraAspect(i, s, a, std::stoi(e));
       }},
      {"bd.entry", [](const Image&, int, int a,
                      const std::string& e) { return basic_display::encode(bd::Entry(a), e); }},
      {"bd.signal",
       [](const Image& i, int, int a, const std::string&) -> Result<CellWrites> {
         return bd::setSignalLevel(i, a);
       }},
      {"bd.sync",
       [](const Image& i, int, int a, const std::string& e) -> Result<CellWrites> {
         return bd::setSync(i, a, e == "on");
       }},
      {"bd.mode",
       [](const Image&, int, int a, const std::string&) -> Result<CellWrites> {
         return bd::setVideoMode(a);
       }},
      {"bd.type",
       [](const Image& i, int, int a, const std::string&) -> Result<CellWrites> {
         return bd::setDisplayType(i, a);
       }},
      {"bd.feature",
       [](const Image& i, int, int a, const std::string& e) -> Result<CellWrites> {
         return bd::setFeature(i, a, e == "on");
       }},
      {"chroma", [](const Image& i, int, int a,
                    const std::string& e) { return chromaticity::encode(i, a, e); }},
      {"st.width", [](const Image& i, int s, int,
                      const std::string& e) { return standard_timing::encodeHorizontal(i, s, e); }},
      {"st.rate", [](const Image& i, int s, int,
                     const std::string& e) { return standard_timing::encodeRefresh(i, s, e); }},
      {"st.aspect",
       [](const Image& i, int s, int a, const std::string&)
           -> Result<CellWrites> { return standard_timing::setAspect(i, s, a); }},
      {"vendor", [](const Image& i, int, int a,
                    const std::string& e) { return vendor::encode(i, vendor::Field(a), e); }},
  };
  return kEditors;
}

// Decoders give text: sizes (ARG the byte), gamma, the vendor fields (ARG: 0 letters, 1 code, 2
// serial, 3 week, 4 year) and the key filter (keys as typed, or 0xNN for a control key).
const std::map<std::string, std::function<std::string(const Image&, int arg, const std::string&)>>
    kDecoders = {
        {"vendor.text",
         [](const Image& i, int a, const std::string&) {
           const std::string texts[] = {vendor::manufacturerLetters(i), vendor::productCode(i).text,
                                        vendor::serialNumberText(i), vendor::weekText(i),
                                        vendor::yearText(i)};
           return texts[a];
         }},
        {"bd.size", [](const Image& i, int a, const std::string&) { return bd::sizeText(i, a); }},
        {"bd.gamma", [](const Image& i, int, const std::string&) { return bd::gammaText(i); }},
        {"vendor.key",
         [](const Image&, int a, const std::string& e) {
           const char key = e.size() == 1 ? e[0] : char(std::stoi(e, nullptr, 16));
           const auto kept = vendor::filterKey(vendor::Field(a), key);
           if (!kept) return "refused: " + kept.error();
           return *kept < ' ' ? "0x" + ByteToHex(*kept) : std::string(1, *kept);
         }},
};

std::string trim(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> split(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, separator);) fields.push_back(trim(field));
  return fields;
}

// What an editor did, in the file's terms: "off=XX ..." from the block's start in
// ascending order, "none", or "refused: message".
std::string outcome(const Result<CellWrites>& result, int start) {
  if (!result) return "refused: " + result.error();
  if (result->empty()) return "none";
  CellWrites writes = *result;
  std::stable_sort(writes.begin(), writes.end(),
                   [](const CellWrite& a, const CellWrite& b) { return a.index < b.index; });
  std::string text;
  for (const CellWrite& w : writes)
    text += (text.empty() ? "" : " ") + std::to_string(w.index - start) + "=" + w.text;
  return text;
}

TEST(BlockEditors, EveryRowOfTheTable) {
  std::istringstream in(test::readFile(std::string(EDID_TEST_DATA_DIR) + "/block_editors.txt"));
  std::map<std::string, std::vector<int>> blocks;
  int rows = 0;
  for (std::string line; std::getline(in, line);) {
    line = trim(line.substr(0, line.find('#')));
    if (line.empty()) continue;
    if (line.starts_with("block ")) {  // block NAME = 18 bytes
      const auto named = split(line.substr(6), '=');
      std::istringstream bytes(named.at(1));
      for (std::string byte; bytes >> byte;)
        blocks[named[0]].push_back(std::stoi(byte, nullptr, 16));
      continue;
    }
    // START NAME [off=XX ...] | EDITOR [ARG] | ENTRY | EXPECTED
    const auto fields = split(line, '|');
    ASSERT_EQ(fields.size(), 4u) << line;
    std::istringstream where(fields[0]);
    int start = 0;
    std::string name;
    where >> start >> name;
    Image image;
    const auto block = blocks.find(name);
    ASSERT_NE(block, blocks.end()) << line;
    for (std::size_t k = 0; k < block->second.size(); ++k)
      image.setByte(start + static_cast<int>(k), block->second[k]);
    for (std::string change; where >> change;)
      image.setByte(start + std::stoi(change),
                    std::stoi(change.substr(change.find('=') + 1), nullptr, 16));
    std::istringstream call(fields[1]);
    std::string editor;
    int arg = 0;
    call >> editor >> arg;
    if (const auto decoder = kDecoders.find(editor); decoder != kDecoders.end()) {
      EXPECT_EQ(decoder->second(image, arg, fields[2]), fields[3]) << line;
      ++rows;
      continue;
    }
    const auto found = editors().find(editor);
    ASSERT_NE(found, editors().end()) << line;
    EXPECT_EQ(outcome(found->second(image, start, arg, fields[2]), start), fields[3]) << line;
    ++rows;
  }
  EXPECT_GT(rows, 50);
}

}  // namespace
}  // namespace edid
