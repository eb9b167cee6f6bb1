#include "core/report/extension_report.h"

#include "core/common/extension_blocks.h"
#include "core/common/text.h"
#include "core/cta/cta861.h"
#include "core/report/report_buffer.h"

namespace edid {

namespace {

constexpr std::size_t kWidth = 70;

// "label: text" (or "label:"), wrapped at word breaks to the report's width,
// continuation lines indented two more. line is scratch space kept between calls.
void addLine(ReportBuffer& out, std::string& line, std::size_t indent, std::string_view label,
             std::string_view text) {
  // Most lines fit: written straight into the report.
  if (indent + label.size() + 2 + text.size() <= kWidth) {
    out.spaces(static_cast<std::ptrdiff_t>(indent)) << label << ':';
    if (!text.empty()) out << ' ' << text;
    out.crlf().endElement();
    return;
  }
  line.assign(indent, ' ');
  line += label;
  line += ':';
  if (!text.empty()) {
    line += ' ';
    line += text;
  }
  std::size_t margin = indent;
  while (line.size() > kWidth) {
    std::size_t cut = line.rfind(' ', kWidth);
    if (cut == std::string::npos || cut <= margin) cut = kWidth;
    (out << std::string_view(line).substr(0, cut)).crlf().endElement();
    margin = indent + 2;
    line = std::string(margin, ' ') + line.substr(line[cut] == ' ' ? cut + 1 : cut);
  }
  (out << line).crlf().endElement();
}

void addNode(ReportBuffer& out, std::string& line, const cta::Node& node, std::size_t indent) {
  if (node.label.empty()) return;
  addLine(out, line, indent, node.label.view(), node.text.view());
  if (!node.showChildren) return;
  for (const cta::Node& child : node.children) addNode(out, line, child, indent + 2);
}

}  // namespace

void writeExtensionReport(const std::vector<std::uint8_t>& extension, ReportBuffer& out) {
  const std::vector<cta::Block> blocks = cta::decodeExtension(extension);
  if (blocks.empty()) return;
  out.crlf().rule().crlf().crlf() << kExtensionDecodeHeading;
  out.crlf().endElement();
  std::string line;
  line.reserve(2 * kWidth);
  for (const cta::Block& block : blocks) {
    out.crlf().endElement();
    const int first = kEdidSize * block.number;
    out << '(' << first << '-' << first + kEdidSize - 1 << ") Block " << block.number << ": "
        << extensionTagName(block.tag);
    out.crlf().endElement();
    for (const cta::Node& child : block.root.children) addNode(out, line, child, 2);
  }
}

}  // namespace edid
