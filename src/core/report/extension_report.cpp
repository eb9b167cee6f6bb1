#include "core/report/extension_report.h"

#include "core/common/extension_blocks.h"
#include "core/common/text.h"
#include "core/cta/cta861.h"

namespace edid {

namespace {

constexpr std::size_t kWidth = 70;

// "label: text", wrapped at word breaks to the report's width, continuation lines
// indented two more.
void addLine(std::vector<std::string>& lines, std::size_t indent, const std::string& text) {
  std::string rest = text;
  std::size_t margin = indent;
  while (margin + rest.size() > kWidth) {
    const std::size_t room = kWidth - margin;
    std::size_t cut = rest.rfind(' ', room);
    if (cut == std::string::npos || cut == 0) cut = room;
    lines.push_back(std::string(margin, ' ') + rest.substr(0, cut) + kCrLf);
    rest = rest.substr(cut == room ? cut : cut + 1);
    margin = indent + 2;
  }
  lines.push_back(std::string(margin, ' ') + rest + kCrLf);
}

void addNode(std::vector<std::string>& lines, const cta::Node& node, std::size_t indent) {
  if (node.label.empty()) return;
  addLine(lines, indent, node.text.empty() ? node.label + ":" : node.label + ": " + node.text);
  if (!node.showChildren) return;
  for (const cta::Node& child : node.children) addNode(lines, child, indent + 2);
}

}  // namespace

std::vector<std::string> extensionReportLines(const std::vector<std::uint8_t>& extension) {
  std::vector<std::string> lines;
  const std::vector<cta::Block> blocks = cta::decodeExtension(extension);
  if (blocks.empty()) return lines;
  lines.push_back(kCrLf + std::string(kWidth, '_') + kCrLf + kCrLf + kExtensionDecodeHeading +
                  kCrLf);
  for (const cta::Block& block : blocks) {
    lines.push_back(kCrLf);
    const int first = kEdidSize * block.number;
    lines.push_back("(" + std::to_string(first) + "-" + std::to_string(first + kEdidSize - 1) +
                    ") Block " + std::to_string(block.number) + ": " + extensionTagName(block.tag) +
                    kCrLf);
    for (const cta::Node& child : block.root.children) addNode(lines, child, 2);
  }
  return lines;
}

}  // namespace edid
