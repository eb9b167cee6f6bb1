// The vendor editors in the contract suite. Week and year round-trip only inside
// their ranges (0-52, 1990-2155); a serial of 01 01 01 01 reads "Not Used".
#include "core/sections/vendor.h"
#include "support/section_editors.h"

namespace edid::test {
namespace {

SectionEditor field(const char* name, vendor::Field f,
                    std::function<std::string(const Image&)> decoded) {
  return {name, vendor::fieldRange(f),
          [f](const Image& i, std::string_view e) { return vendor::encode(i, f, e); },
          std::move(decoded)};
}

const SectionEditors kVendor{
    field("manufacturer", vendor::Field::Manufacturer, nullptr),
    field("product", vendor::Field::ProductCode, nullptr),
    field("serial", vendor::Field::SerialNumber,
          [](const Image& i) {
            const std::string serial = vendor::serialNumberText(i);
            return serial == "Not Used" ? std::string() : serial;
          }),
    field("week", vendor::Field::Week,
          [](const Image& i) { return i.byte(16) <= 52 ? vendor::weekText(i) : std::string(); }),
    field("year", vendor::Field::Year,
          [](const Image& i) { return i.byte(17) <= 165 ? vendor::yearText(i) : std::string(); }),
};

}  // namespace
}  // namespace edid::test
