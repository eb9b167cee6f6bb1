// The monitor descriptor editors in the contract suite, on block 72: the entry's
// length picks the field where an editor has several. Values that the screen shows
// and a user may type back (rates, gamma, FA sizes and rates, texts) must give back
// the byte they came from.
#include "core/sections/monitor_descriptor.h"
#include "support/section_editors.h"

namespace edid::test {
namespace {

namespace md = monitor_descriptor;

constexpr int kStart = 72;
const ByteRange kBlock = layout::blockRange(1);

int pick(std::string_view entry, int count) {
  return static_cast<int>(entry.size()) % count;
}

// The block decoded as a descriptor of the given tag, whatever its own tag is.
md::Descriptor decodedAs(const Image& image, int tag) {
  Image copy = image;
  copy.setByte(kStart + 3, tag);
  return md::decode(copy, kStart);
}

const SectionEditors kMonitorDescriptor{
    {"descriptor type", kBlock,
     [](const Image&, std::string_view e) -> Result<CellWrites> {
       return md::chooseType(kStart, pick(e, 8));
     },
     nullptr},
    {"descriptor text", kBlock,
     [](const Image&, std::string_view e) -> Result<CellWrites> {
       return md::encodeText(kStart, e);
     },
     [](const Image& i) {
       // Control bytes show as "." and an empty text pads with 20: no way back.
       const std::string text = md::textOf(i, kStart);
       for (int offset = 5; offset <= 17; ++offset) {
         const int value = i.byte(kStart + offset);
         if (value < 0x20 || value == 0x7F) return std::string();
       }
       return text;
     }},
    {"descriptor min vertical rate", kBlock,
     [](const Image& i, std::string_view e) { return md::encodeRangeLimit(i, kStart, 0, e); },
     [](const Image& i) {
       // 0 is stored as FF, "not specified".
       const int value = i.byte(kStart + 5);
       return value ? std::to_string(value) : std::string();
     }},
    {"descriptor pixel clock", kBlock,
     [](const Image& i, std::string_view e) { return md::encodeRangeLimit(i, kStart, 4, e); },
     [](const Image& i) {
       const int value = i.byte(kStart + 9);
       return value && value != 0xFF ? std::to_string(value * 10) : std::string();
     }},
    {"descriptor range limit", kBlock,
     [](const Image& i, std::string_view e) {
       return md::encodeRangeLimit(i, kStart, pick(e, 5), e);
     },
     nullptr},
    {"descriptor colour point", kBlock,
     [](const Image& i, std::string_view e) {
       return md::encodeColorPoint(i, kStart, pick(e, 6), e);
     },
     nullptr},
    {"descriptor gamma #2", kBlock,
     [](const Image& i, std::string_view e) { return md::encodeColorPoint(i, kStart, 5, e); },
     [](const Image& i) {
       return md::valueOfCaption(decodedAs(i, 0xFB).whitePoints[1].captions[2]);
     }},
    {"descriptor white point", kBlock,
     [](const Image& i, std::string_view e) -> Result<CellWrites> {
       return md::setWhitePoint(i, kStart, pick(e, 2), e.size() % 3 == 0);
     },
     nullptr},
    {"descriptor FA width", kBlock,
     [](const Image& i, std::string_view e) {
       return md::encodeExtraHorizontal(i, kStart, pick(e, 6), e);
     },
     nullptr},
    {"descriptor FA width of slot 2", kBlock,
     [](const Image& i, std::string_view e) { return md::encodeExtraHorizontal(i, kStart, 2, e); },
     [](const Image& i) {
       const auto slot = decodedAs(i, 0xFA).extraTimings.timings[2];
       return slot.used ? std::to_string(slot.horizontal) : std::string();
     }},
    {"descriptor FA rate of slot 5", kBlock,
     [](const Image& i, std::string_view e) { return md::encodeExtraRefresh(i, kStart, 5, e); },
     [](const Image& i) {
       return std::to_string(decodedAs(i, 0xFA).extraTimings.timings[5].refresh);
     }},
    {"descriptor FA aspect", kBlock,
     [](const Image& i, std::string_view e) -> Result<CellWrites> {
       return md::setExtraAspect(i, kStart, pick(e, 6), pick(e, 4));
     },
     nullptr},
    {"descriptor leaves FA", kBlock,
     [](const Image&, std::string_view) -> Result<CellWrites> {
       return md::leaveExtraTimings(kStart);
     },
     nullptr},
};

}  // namespace
}  // namespace edid::test
