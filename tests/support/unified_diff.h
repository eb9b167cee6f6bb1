#pragma once
// A unified diff of two texts, for tests that compare whole outputs.

#include <string>

namespace edid::test {

/// The lines of expected and actual (split at LF) as a unified diff with 3 lines of
/// context, from their longest common lines; just the two headers when they are equal.
std::string unifiedDiff(const std::string& expected, const std::string& actual);

}  // namespace edid::test
