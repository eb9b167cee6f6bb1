#include "core/report/extension_report.h"

#include "core/common/extension_blocks.h"
#include "core/common/text.h"
#include "core/cta/cta861.h"

namespace edid {

namespace {

constexpr std::size_t kWidth = 70;

// "label: text" (or "label:"), wrapped at word breaks to the report's width,
// continuation lines indented two more.
void addLine(std::vector<std::string>& lines, std::size_t indent, const std::string& label,
             const std::string& text) {
  std::string line;
  line.reserve(indent + label.size() + text.size() + 4);
  line.append(indent, ' ');
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
    lines.push_back(line.substr(0, cut) + kCrLf);
    margin = indent + 2;
    line = std::string(margin, ' ') + line.substr(line[cut] == ' ' ? cut + 1 : cut);
  }
  line += kCrLf;
  lines.push_back(std::move(line));
}

void addNode(std::vector<std::string>& lines, const cta::Node& node, std::size_t indent) {
  if (node.label.empty()) return;
  addLine(lines, indent, node.label, node.text);
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
