#pragma once
// The report's lines for the decoded extension blocks, in the report's fixed-pitch
// style: one line per item, indented by its depth, at most 70 columns.

#include <cstdint>
#include <string>
#include <vector>

namespace edid {

class ReportBuffer;

/// Writes the report elements of the extension blocks, each ending with CR LF; none
/// for an empty extension. The first element holds kExtensionDecodeHeading, after a rule.
/// No line holds "|" or starts with a number and ":", so the data file readers skip
/// them.
void writeExtensionReport(const std::vector<std::uint8_t>& extension, ReportBuffer& out);

}  // namespace edid
