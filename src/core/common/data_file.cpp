#include "core/common/data_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

#include "core/common/extension_blocks.h"
#include "core/common/text.h"

namespace edid {

namespace {

constexpr const char* kReportEndLine = "END REPORT";
constexpr std::string_view kMarker = "128 BYTES OF EDID CODE:";

// An upper-case marker in any case, without upper-casing every line of the file.
bool containsMarker(std::string_view line, std::string_view marker = kMarker) {
  if (line.size() < marker.size()) return false;
  for (std::size_t start = 0; start + marker.size() <= line.size(); ++start) {
    std::size_t i = 0;
    for (; i < marker.size(); ++i) {
      if (toUpper(line[start + i]) != marker[i]) break;
    }
    if (i == marker.size()) return true;
  }
  return false;
}

// The text after "<decimal offset>:" at the start of a row, or nothing for any other line.
std::optional<std::string_view> extensionRow(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  const std::size_t digits = i;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
  if (i == digits) return std::nullopt;
  while (i < line.size() && line[i] == ' ') ++i;
  if (i == line.size() || line[i] != ':') return std::nullopt;
  return line.substr(i + 1);
}

}  // namespace

std::string dataFileText(const std::vector<std::string>& reportLines) {
  std::string text;
  text.reserve(8192);
  for (const std::string& element : reportLines) {
    if (element == kReportEndLine) break;
    const std::string line = StripTrailingCrLf(element);
    if (line.empty()) continue;
    text += line;
    text += kCrLf;
  }
  return text;
}

std::string extensionSectionText(const std::vector<std::uint8_t>& extension) {
  if (extension.empty()) return {};
  std::string text = kExtensionSectionHeading;
  text += kCrLf;
  for (const std::string& line : extensionDumpLines(extension)) {
    text += line;
    text += kCrLf;
  }
  return text;
}

Result<std::vector<std::uint8_t>> parseExtensionSection(std::string_view content) {
  std::vector<std::uint8_t> bytes;
  bool found = false;
  for (const std::string_view line : splitFileLines(content)) {
    if (!found) {
      found = containsMarker(line, kExtensionSectionHeading);
      continue;
    }
    const auto row = extensionRow(line);
    if (!row) continue;
    char first = 0;
    bool open = false;
    for (const char c : *row) {
      if (c == ' ' || static_cast<unsigned char>(c) < 32) continue;
      if (!open) {
        first = c;
        open = true;
        continue;
      }
      open = false;
      if (hexDigit(first) < 0 || hexDigit(c) < 0)
        return failure("The extension row \"" + std::string(line) + "\" holds \"" +
                       std::string{first, c} + "\", not two hex digits");
      bytes.push_back(static_cast<std::uint8_t>(hexDigit(first) * 16 + hexDigit(c)));
    }
    if (open) return failure("The extension row \"" + std::string(line) + "\" ends in half a byte");
  }
  return bytes;
}

std::vector<std::string_view> splitFileLines(std::string_view content) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? content.size() : end + 1;
    if (end == std::string_view::npos) end = content.size();
    std::string_view line = content.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = next;
  }
  return lines;
}

void SplitHexTokens(std::string_view line, std::vector<std::string>& tokens, int& index) {
  bool barSeen = false;
  bool open = false;
  char first = 0;
  for (const char c : line) {
    if (c == '|') {
      barSeen = true;
      continue;
    }
    if (!barSeen || static_cast<unsigned char>(c) <= 32) continue;
    if (!open) {
      first = c;
      open = true;
      continue;
    }
    // A report line after the dump may hold a "|" too; what falls past the last
    // token is dropped rather than refusing a file this program wrote.
    if (index >= 0 && index < static_cast<int>(tokens.size())) {
      tokens[static_cast<std::size_t>(index)] = std::string{first, c};
      ++index;
    }
    open = false;
  }
}

Result<std::vector<std::string>> parseEdidCodeSection(std::string_view content) {
  std::vector<std::string> tokens(kEdidTokenCount);
  int index = 0;
  bool found = false;
  const auto lines = splitFileLines(content);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (found) SplitHexTokens(lines[i], tokens, index);
    if (containsMarker(lines[i])) {
      i += 2;  // the column header and the rule
      found = true;
    }
  }
  if (!found) return failure(kInvalidDataFileMessage);
  return tokens;
}

void loadTokens(Image& image, const std::vector<std::string>& tokens) {
  for (int i = 0; i < kEdidTokenCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    image.setCell(i, k < tokens.size() ? toUpper(tokens[k]) : std::string());
  }
}

bool startsWithEdidHeader(std::string_view data) {
  return data.size() >= kEdidHeader.size() &&
         std::equal(kEdidHeader.begin(), kEdidHeader.end(), data.begin(),
                    [](std::uint8_t h, char c) { return h == static_cast<std::uint8_t>(c); });
}

}  // namespace edid
