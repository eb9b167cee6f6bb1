#pragma once
// What differs between two EDIDs: the decoded fields in words, then the bytes.

#include <cstddef>
#include <string>
#include <vector>

#include "core/common/image.h"

namespace edid::script {

struct ByteChange {
  std::size_t offset;  ///< in the whole EDID, 128 per block
  int before, after;   ///< -1 where the EDID has no such byte
};

struct EdidDiff {
  /// "Detailed timing 1: horizontal active 1920 -> 1680", "CTA block 1: VIC 97 added".
  std::vector<std::string> fields;
  std::vector<ByteChange> bytes;
  bool equal() const { return fields.empty() && bytes.empty(); }
};

EdidDiff diffEdids(const Image& a, const Image& b);

/// The field lines, then one line a byte ("Byte 56: 80 -> 90"); empty when equal.
std::string diffText(const EdidDiff& diff);
/// {"equal": ..., "fields": [...], "bytes": [{"offset", "before", "after"}]}.
std::string diffJson(const EdidDiff& diff);

}  // namespace edid::script
