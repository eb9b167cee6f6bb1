// The basic display editors in the contract suite: the click editors of bytes 20
// and 24, chosen by the entry's length, and the three typed values of 21-23.
#include "core/sections/basic_display.h"
#include "support/section_editors.h"

namespace edid::test {
namespace {

using basic_display::Entry;

SectionEditor typed(const char* name, int byte, Entry entry) {
  return {name,
          {byte, byte},
          [entry](const Image&, std::string_view e) { return basic_display::encode(entry, e); },
          nullptr};
}

const SectionEditors kBasicDisplay{
    {"video input",
     {basic_display::kVideoInputByte, basic_display::kVideoInputByte},
     [](const Image& i, std::string_view e) -> Result<CellWrites> {
       const int k = static_cast<int>(e.size());
       if (k % 3 == 0) return basic_display::setVideoMode(k % 2);
       if (k % 3 == 1) return basic_display::setSignalLevel(i, k % 4);
       return basic_display::setSync(i, k % 5, k % 2);
     },
     nullptr},
    typed("horizontal size", basic_display::kHorizSizeByte, Entry::HorizSize),
    typed("vertical size", basic_display::kVertSizeByte, Entry::VertSize),
    typed("gamma", basic_display::kGammaByte, Entry::Gamma),
    {"feature support",
     {basic_display::kFeatureByte, basic_display::kFeatureByte},
     [](const Image& i, std::string_view e) -> Result<CellWrites> {
       const int k = static_cast<int>(e.size());
       if (k % 2) return basic_display::setDisplayType(i, k % 4);
       return basic_display::setFeature(i, k % 6, k % 4 < 2);
     },
     nullptr},
};

}  // namespace
}  // namespace edid::test
