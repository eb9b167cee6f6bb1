// The version and revision editors in the contract suite: every byte value 0-255
// enters back from its decimal text.
#include "core/sections/version.h"
#include "support/section_editors.h"

namespace edid::test {
namespace {

const SectionEditors kVersion{
    {"version",
     {version::kVersionByte, version::kVersionByte},
     [](const Image&, std::string_view e) { return version::encode(version::kVersionByte, e); },
     [](const Image& i) { return version::versionText(i); }},
    {"revision",
     {version::kRevisionByte, version::kRevisionByte},
     [](const Image&, std::string_view e) { return version::encode(version::kRevisionByte, e); },
     [](const Image& i) { return version::revisionText(i); }},
};

}  // namespace
}  // namespace edid::test
