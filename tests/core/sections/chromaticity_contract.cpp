// The chromaticity editor in the contract suite: the entry's length picks the
// coordinate.
#include "core/sections/chromaticity.h"
#include "support/section_editors.h"

namespace edid::test {
namespace {

const SectionEditors kChromaticity{
    {"chromaticity", layout::kChromaticity,
     [](const Image& i, std::string_view e) {
       return chromaticity::encode(i, static_cast<int>(e.size()) % chromaticity::kCoordinates, e);
     },
     nullptr},
};

}  // namespace
}  // namespace edid::test
