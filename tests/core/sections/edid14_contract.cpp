// The EDID 1.4 editors in the contract suite, on block 72 (byte 20 for the digital
// input): range rates with offsets, the timing support byte, F7 timings and F8
// codes. The entry's length picks the field where an editor has several.
#include "core/sections/cvt_codes.h"
#include "core/sections/digital_input.h"
#include "core/sections/established_iii.h"
#include "core/sections/range_limits.h"
#include "support/section_editors.h"

namespace edid::test {
namespace {

constexpr int kStart = 72;
const ByteRange kBlock = layout::blockRange(1);

int pick(std::string_view entry, int count) {
  return static_cast<int>(entry.size()) % count;
}

const SectionEditors kEdid14{
    {"range rate", kBlock,
     [](const Image& i, std::string_view e) {
       return range_limits::encodeRate(i, kStart, pick(e, 4), e);
     },
     nullptr},
    {"range max vertical rate", kBlock,
     [](const Image& i, std::string_view e) { return range_limits::encodeRate(i, kStart, 1, e); },
     [](const Image& i) {
       const int value = range_limits::rates(i, kStart).value[1];
       return value ? std::to_string(value) : std::string();
     }},
    {"range timing support", kBlock,
     [](const Image& i, std::string_view e) {
       return range_limits::setTimingSupport(i, kStart, pick(e, 5));
     },
     nullptr},
    {"F7 timing", kBlock,
     [](const Image& i, std::string_view e) -> Result<CellWrites> {
       return established_iii::setTiming(i, kStart, pick(e, 44), e.size() % 2 != 0);
     },
     nullptr},
    {"F8 lines", kBlock,
     [](const Image& i, std::string_view e) {
       return cvt_codes::encodeLines(i, kStart, pick(e, 4), e);
     },
     nullptr},
    {"F8 lines of code 0", kBlock,
     [](const Image& i, std::string_view e) { return cvt_codes::encodeLines(i, kStart, 0, e); },
     [](const Image& i) {
       const int at = cvt_codes::codeByte(kStart, 0);
       const auto code = cvt_codes::decodeCode(i.byte(at), i.byte(at + 1), i.byte(at + 2));
       return code.used ? std::to_string(code.lines) : std::string();
     }},
    {"F8 aspect, rates", kBlock,
     [](const Image& i, std::string_view e) -> Result<CellWrites> {
       const int t = pick(e, 4);
       if (e.size() % 3 == 0) return cvt_codes::setAspect(i, kStart, t, pick(e, 4));
       if (e.size() % 3 == 1) return cvt_codes::setPreferred(i, kStart, t, pick(e, 4));
       return cvt_codes::setRate(i, kStart, t, pick(e, 5), e.size() % 2 != 0);
     },
     nullptr},
    {"digital depth, interface",
     {20, 20},
     [](const Image& i, std::string_view e) -> Result<CellWrites> {
       return e.size() % 2 ? digital_input::setColorDepth(i, pick(e, 8))
                           : digital_input::setInterface(i, pick(e, 6));
     },
     nullptr},
};

}  // namespace
}  // namespace edid::test
