// The standard timing editors in the contract suite: the entry's length picks the
// timing, so every pair of 38-53 is written by some entry.
#include "core/sections/standard_timing.h"
#include "support/section_editors.h"

namespace edid::test {
namespace {

int pairOf(std::string_view entry) {
  return standard_timing::firstByteOf(static_cast<int>(entry.size() % standard_timing::kTimings));
}

const SectionEditors kStandardTiming{
    {"standard timing width", layout::kStandardTimings,
     [](const Image& i, std::string_view e) {
       return standard_timing::encodeHorizontal(i, pairOf(e), e);
     },
     nullptr},
    {"standard timing rate", layout::kStandardTimings,
     [](const Image& i, std::string_view e) {
       return standard_timing::encodeRefresh(i, pairOf(e), e);
     },
     nullptr},
    {"standard timing aspect", layout::kStandardTimings,
     [](const Image& i, std::string_view e) -> Result<CellWrites> {
       return standard_timing::setAspect(i, pairOf(e), static_cast<int>(e.size() % 4));
     },
     nullptr},
};

}  // namespace
}  // namespace edid::test
