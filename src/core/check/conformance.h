#pragma once
// Is this EDID valid? The conformance rules of VESA E-EDID 1.0-1.4 and CTA-861
// as a list of findings, each naming its block, its bytes and the rule with the
// values that break it. Pure functions over the raw bytes: the editor runs them
// after every edit, edidtool on files.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/common/image.h"

namespace edid::check {

enum class Severity { Failure, Warning };

/// One broken rule.
struct Finding {
  Severity severity = Severity::Failure;
  int block = 0;        ///< 0 for the base block, then as byte 126 counts
  int first = 0;        ///< first byte within the block
  int last = 0;         ///< last byte within the block
  std::string message;  ///< one line: the rule and the values
  bool operator==(const Finding&) const = default;
};

struct Options {
  /// The year "now" for the manufacture date; 0 takes it from the clock.
  int currentYear = 0;
};

/// Every finding for the EDID's bytes (base block and whatever follows), in order
/// of block and first byte.
std::vector<Finding> checkEdid(std::span<const std::uint8_t> edid, const Options& options = {});
/// The same for an image (cells read by the HexToChr rules, then its extension).
std::vector<Finding> checkImage(const Image& image, const Options& options = {});

/// "failure" or "warning".
const char* severityName(Severity severity);
/// "block 0, bytes 54-71" or "block 1, byte 3".
std::string locationText(const Finding& finding);
/// "block 0, bytes 54-71: failure: <message>".
std::string findingLine(const Finding& finding);
/// "No problems found", or the counts: "2 failures, 1 warning".
std::string summaryText(const std::vector<Finding>& findings);
bool hasFailure(const std::vector<Finding>& findings);

/// The findings of one file, for a report over several.
struct FileFindings {
  std::string file;
  std::vector<Finding> findings;
};
/// Every file's findings as one JSON list (docs/json.md), a line break after it.
std::string findingsJson(const std::vector<FileFindings>& files);

}  // namespace edid::check
