// The detailed timing editors in the contract suite: one entry editor per field of
// block 0, whose decoded value enters back to the same bytes, and the flag
// controls and the reset of every block, the entry's length picking the block.
#include "core/common/numbers.h"
#include "core/sections/detailed_timing.h"
#include "support/section_editors.h"

namespace edid::test {
namespace {

using detailed_timing::Field;

constexpr int kFirstBlock = layout::blockStart(0);

SectionEditor field(const char* name, Field f) {
  return {name, layout::blockRange(0),
          [f](const Image& i, std::string_view e) {
            return detailed_timing::encodeField(i, kFirstBlock, f, e);
          },
          [f](const Image& i) -> std::string {
            if (detailed_timing::isDescriptor(i, kFirstBlock)) return "";
            const int v = detailed_timing::fieldValue(i, kFirstBlock, f);
            // FF FF (655.35 MHz) decodes but is refused as an entry, like 65535 anywhere.
            if (f == Field::PixelClock && v == 0xFFFF) return "";
            return f == Field::PixelClock ? formatNumber(v / 100.0, "0.00") : std::to_string(v);
          }};
}

int blockOf(std::string_view entry) {
  return layout::blockStart(static_cast<int>(entry.size() % layout::kBlockCount));
}

const SectionEditors kDetailedTiming{
    field("pixel clock", Field::PixelClock),
    field("horizontal active", Field::HorizontalActive),
    field("horizontal blanking", Field::HorizontalBlanking),
    field("vertical active", Field::VerticalActive),
    field("vertical blanking", Field::VerticalBlanking),
    field("horizontal sync offset", Field::HorizontalSyncOffset),
    field("horizontal sync width", Field::HorizontalSyncWidth),
    field("vertical sync offset", Field::VerticalSyncOffset),
    field("vertical sync width", Field::VerticalSyncWidth),
    field("horizontal border", Field::HorizontalBorder),
    field("vertical border", Field::VerticalBorder),
    field("horizontal image size", Field::HorizontalImageSize),
    field("vertical image size", Field::VerticalImageSize),
    {"detailed timing flags", layout::kBlocks,
     [](const Image& i, std::string_view e) -> Result<CellWrites> {
       const int s = blockOf(e);
       const int k = static_cast<int>(e.size() / layout::kBlockCount);
       switch (k % 6) {
         case 0:
           return detailed_timing::setInterlaced(i, s, k % 4 < 2);
         case 1:
           return detailed_timing::setStereo(i, s, k % 7);
         case 2:
           return detailed_timing::setSyncType(i, s, k % 4);
         case 3:
           return detailed_timing::setSerrate(i, s, k % 4 < 2);
         case 4:
           return detailed_timing::toggleSyncLine(i, s);
         default:
           return detailed_timing::toggleVSyncLine(i, s);
       }
     },
     nullptr},
    {"detailed timing reset", layout::kBlocks,
     [](const Image&, std::string_view e) -> Result<CellWrites> {
       return detailed_timing::resetBlock(blockOf(e));
     },
     nullptr},
};

}  // namespace
}  // namespace edid::test
