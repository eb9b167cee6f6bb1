// The established timing check boxes in the contract suite; the entry's length
// picks the box and whether it is checked.
#include "core/sections/established.h"
#include "support/section_editors.h"

namespace edid::test {
namespace {

const SectionEditors kEstablished{
    {"established I",
     {established::kTimingsIByte, established::kTimingsIByte},
     [](const Image& i, std::string_view e) -> Result<CellWrites> {
       return established::setBit(i, established::kTimingsIByte, static_cast<int>(e.size()) % 8,
                                  e.size() % 2);
     },
     nullptr},
    {"manufacturer timing",
     {established::kManufacturerByte, established::kManufacturerByte},
     [](const Image& i, std::string_view e) -> Result<CellWrites> {
       return established::setBit(i, established::kManufacturerByte, 7, e.size() % 2);
     },
     nullptr},
};

}  // namespace
}  // namespace edid::test
