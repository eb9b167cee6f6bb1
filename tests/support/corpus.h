#pragma once
// Access to the real EDIDs of the test corpus (tests/data/corpus). Every accessor
// throws, naming the file, when its data is missing, so a test fails instead of
// passing on nothing.

#include <cstdint>
#include <string>
#include <vector>

#include "core/common/image.h"

namespace edid::test {

/// Folder of the corpus (<id>.bin files).
std::string corpusDir();
/// Every corpus EDID id, sorted.
std::vector<std::string> corpusIds();
/// The raw bytes of <id>.bin (all blocks).
std::vector<std::uint8_t> corpusBytes(const std::string& id);
/// The base block of <id>.bin as an image.
Image corpusImage(const std::string& id);
/// The whole content of a file as bytes.
std::string readFile(const std::string& path);

}  // namespace edid::test
