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
#include "core/rows.h"
#include "core/sections/basic_display.h"
#include "core/sections/chromaticity.h"
#include "core/sections/cvt_codes.h"
#include "core/sections/detailed_timing.h"
#include "core/sections/digital_input.h"
#include "core/sections/established_iii.h"
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

// An editor of the table: ARG and ENTRY as the row gives them; i the image, s START.
using Editor =
    std::function<Result<CellWrites>(const Image&, int start, int arg, const std::string& entry)>;
#define EDITOR(name, call)                                                               \
  {                                                                                      \
    name, [](const Image& i, int s, int a, const std::string& e) -> Result<CellWrites> { \
      (void)i, (void)s, (void)a, (void)e;                                                \
      return call;                                                                       \
    }                                                                                    \
  }

const std::map<std::string, Editor>& editors() {
  static const std::map<std::string, Editor> kEditors = {
      EDITOR("dt.field", dt::encodeField(i, s, static_cast<dt::Field>(a), e)),
      EDITOR("dt.interlace", dt::setInterlaced(i, s, a != 0)),
      EDITOR("dt.stereo", dt::setStereo(i, s, a)),
      EDITOR("dt.sync", dt::setSyncType(i, s, a)),
      EDITOR("dt.serrate", dt::setSerrate(i, s, a != 0)),
      EDITOR("dt.sync-line", dt::toggleSyncLine(i, s)),
      EDITOR("dt.vsync-line", dt::toggleVSyncLine(i, s)),
      EDITOR("dt.reset", dt::resetBlock(s)),
      EDITOR("md.type", md::chooseType(s, a)),
      EDITOR("md.leave-fa", md::leaveExtraTimings(s)),
      EDITOR("md.text", md::encodeText(s, e)),
      EDITOR("md.limit", md::encodeRangeLimit(i, s, a, e)),
      EDITOR("md.support", range_limits::setTimingSupport(i, s, a)),
      EDITOR("md.point", md::encodeColorPoint(i, s, a, e)),
      EDITOR("md.white", md::setWhitePoint(i, s, a, e == "on")),
      EDITOR("md.fa-width", md::encodeExtraHorizontal(i, s, a, e)),
      EDITOR("md.fa-rate", md::encodeExtraRefresh(i, s, a, e)),
      EDITOR("md.fa-aspect", md::setExtraAspect(i, s, a, std::stoi(e))),
      EDITOR("bd.entry", basic_display::encode(bd::Entry(a), e)),
      EDITOR("bd.signal", bd::setSignalLevel(i, a)),
      EDITOR("bd.sync", bd::setSync(i, a, e == "on")),
      EDITOR("bd.mode", bd::setVideoMode(a)),
      EDITOR("bd.type", bd::setDisplayType(i, a)),
      EDITOR("bd.feature", bd::setFeature(i, a, e == "on")),
      EDITOR("chroma", chromaticity::encode(i, a, e)),
      EDITOR("st.width", standard_timing::encodeHorizontal(i, s, e)),
      EDITOR("st.rate", standard_timing::encodeRefresh(i, s, e)),
      EDITOR("st.aspect", standard_timing::setAspect(i, s, a)),
      EDITOR("md.type14", md::chooseType(i, s, a)),
      EDITOR("rl.rate", range_limits::encodeRate(i, s, a, e)),
      EDITOR("e3.timing", established_iii::setTiming(i, s, a, true)),
      EDITOR("cvt.lines", cvt_codes::encodeLines(i, s, a, e)),
      EDITOR("cvt.aspect", cvt_codes::setAspect(i, s, a, std::stoi(e))),
      EDITOR("cvt.preferred", cvt_codes::setPreferred(i, s, a, std::stoi(e))),
      EDITOR("cvt.rate", cvt_codes::setRate(i, s, a, std::stoi(e), e.ends_with("on"))),
      EDITOR("di.depth", digital_input::setColorDepth(i, a)),
      EDITOR("di.interface", digital_input::setInterface(i, a)),
      EDITOR("vendor", vendor::encode(i, vendor::Field(a), e)),
  };
  return kEditors;
}
#undef EDITOR

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
        {"chroma.text",
         [](const Image&, int a, const std::string& e) {
           return chromaticity::fractionText(chromaticity::ChromaCodeToFraction(a, std::stoi(e)));
         }},
        {"chroma.code",
         [](const Image&, int, const std::string& e) {
           return std::to_string(
               chromaticity::codeOfBits(chromaticity::FractionToChromaCode(std::stod(e))));
         }},
        {"st.text",
         [](const Image& i, int a, const std::string&) {
           return standard_timing::decode(i).timings.at(static_cast<std::size_t>(a)).text;
         }},
        {"vendor.key",
         [](const Image&, int a, const std::string& e) {
           const char key = e.size() == 1 ? e[0] : char(std::stoi(e, nullptr, 16));
           const auto kept = vendor::filterKey(vendor::Field(a), key);
           if (!kept) return "refused: " + kept.error();
           return *kept < ' ' ? "0x" + ByteToHex(*kept) : std::string(1, *kept);
         }},
};

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
  std::map<std::string, std::vector<std::uint8_t>> blocks;
  int rows = 0;
  for (const test::Row& row : test::readRows("block_editors.txt")) {
    if (row.text.starts_with("block ")) {  // block NAME = bytes
      const auto named = test::splitFields(row.text.substr(6), '=');
      blocks[named.at(0)] = test::hexBytes(named.at(1));
      continue;
    }
    // START NAME|- [OFF=XX ... @INDEX=XX ...] | EDITOR [ARG] | ENTRY | EXPECTED
    const auto& fields = row.fields;
    ASSERT_EQ(fields.size(), 4u) << row.text;
    std::istringstream where(fields[0]);
    int start = 0;
    std::string name;
    where >> start >> name;
    Image image;
    const auto block = blocks.find(name);
    ASSERT_TRUE(block != blocks.end() || name == "-") << row.text;
    for (std::size_t k = 0; name != "-" && k < block->second.size(); ++k)
      image.setByte(start + static_cast<int>(k), block->second[k]);
    for (std::string change; where >> change;) {
      const bool absolute = change[0] == '@';
      image.setByte((absolute ? 0 : start) + std::stoi(change.substr(absolute)),
                    std::stoi(change.substr(change.find('=') + 1), nullptr, 16));
    }
    std::istringstream call(fields[1]);
    std::string editor;
    int arg = 0;
    call >> editor >> arg;
    ++rows;
    if (const auto decoder = kDecoders.find(editor); decoder != kDecoders.end()) {
      EXPECT_EQ(decoder->second(image, arg, fields[2]), fields[3]) << row.text;
      continue;
    }
    const auto found = editors().find(editor);
    ASSERT_NE(found, editors().end()) << row.text;
    EXPECT_EQ(outcome(found->second(image, start, arg, fields[2]), start), fields[3]) << row.text;
  }
  EXPECT_GT(rows, 50);
}

}  // namespace
}  // namespace edid
