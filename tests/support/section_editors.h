#pragma once
// The editors of every section codec, for the contract suite. Each section lists its
// own in tests/core/sections/<section>_contract.cpp with a SectionEditors object;
// the suite runs every editor listed, so a new section joins without touching it.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/image.h"
#include "core/common/layout.h"
#include "core/common/result.h"

namespace edid::test {

struct SectionEditor {
  std::string name;
  ByteRange cells;  ///< the only cells it may write
  std::function<Result<CellWrites>(const Image&, std::string_view entry)> edit;
  /// The entry that gives back the byte(s) of image, for editors that map values
  /// both ways; empty function when there is none, or "" to skip an image.
  std::function<std::string(const Image&)> decodedEntry;
};

/// Every editor listed so far.
const std::vector<SectionEditor>& sectionEditors();

/// Lists a section's editors at start-up.
struct SectionEditors {
  SectionEditors(std::initializer_list<SectionEditor> editors);
};

}  // namespace edid::test
