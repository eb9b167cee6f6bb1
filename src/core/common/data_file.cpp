#include "core/common/data_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>

#include "core/common/extension_blocks.h"
#include "core/common/text.h"

namespace edid {

namespace {

constexpr const char* kReportEndLine = "END REPORT";
constexpr std::string_view kMarker = "128 BYTES OF EDID CODE:";

// An upper-case marker in any case, without upper-casing every line of the file.
bool containsMarker(std::string_view line, std::string_view marker = kMarker) {
  if (line.size() < marker.size()) return false;
  // A marker that starts with a digit ("128 BYTES") is looked for at each such digit.
  const bool digitFirst = marker[0] >= '0' && marker[0] <= '9';
  for (std::size_t start = 0; start + marker.size() <= line.size(); ++start) {
    if (digitFirst) {
      start = line.find(marker[0], start);
      if (start == std::string_view::npos || start + marker.size() > line.size()) return false;
    }
    std::size_t i = 0;
    for (; i < marker.size(); ++i) {
      if (toUpper(line[start + i]) != marker[i]) break;
    }
    if (i == marker.size()) return true;
  }
  return false;
}

// A row of the extension section: "<decimal offset>:" and the bytes after it.
struct ExtensionRow {
  std::size_t offset = 0;
  std::string_view text;
};
constexpr std::size_t kExtensionRowSize = 16;

// The row at the start of line, or nothing for any other line.
std::optional<ExtensionRow> extensionRow(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  const std::size_t digits = i;
  std::size_t offset = 0;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
    // Past any EDID's length: a row out of place, whatever it says.
    if (offset < 1000000) offset = offset * 10 + static_cast<std::size_t>(line[i] - '0');
    ++i;
  }
  if (i == digits) return std::nullopt;
  while (i < line.size() && line[i] == ' ') ++i;
  if (i == line.size() || line[i] != ':') return std::nullopt;
  return ExtensionRow{offset, line.substr(i + 1)};
}

// The report's elements from first to "END REPORT", as data file lines.
std::string elementLines(std::vector<std::string>::const_iterator first,
                         std::vector<std::string>::const_iterator last) {
  std::string text;
  text.reserve(8192);
  for (; first != last; ++first) {
    const std::string& element = *first;
    if (element == kReportEndLine) break;
    const std::string line = StripTrailingCrLf(element);
    if (line.empty()) continue;
    text += line;
    text += kCrLf;
  }
  return text;
}

std::vector<std::string>::const_iterator extensionDecodeStart(
    const std::vector<std::string>& reportLines) {
  return std::find_if(reportLines.begin(), reportLines.end(), [](const std::string& element) {
    return element.find(kExtensionDecodeHeading) != std::string::npos;
  });
}

}  // namespace

std::string dataFileText(const std::vector<std::string>& reportLines) {
  return elementLines(reportLines.begin(), extensionDecodeStart(reportLines));
}

std::string extensionSectionText(const std::vector<std::uint8_t>& extension,
                                 const std::vector<std::string>& reportLines) {
  if (extension.empty()) return {};
  std::string text = kExtensionSectionHeading;
  text += kCrLf;
  for (const std::string& line : extensionDumpLines(extension)) {
    text += line;
    text += kCrLf;
  }
  return text + elementLines(extensionDecodeStart(reportLines), reportLines.end());
}

Result<std::vector<std::uint8_t>> parseExtensionSection(std::string_view content) {
  std::vector<std::uint8_t> bytes;
  bool found = false;
  // Rows carry the offset of their first byte in the whole EDID, from 128 on.
  std::size_t expected = kEdidSize;
  const auto missing = [](std::size_t row) {
    return failure("The extension row " + std::to_string(row) + " is missing (cells " +
                   std::to_string(row) + " to " + std::to_string(row + kExtensionRowSize - 1) +
                   ")");
  };
  for (const std::string_view line : splitFileLines(content)) {
    if (!found) {
      found = containsMarker(line, kExtensionSectionHeading);
      continue;
    }
    const auto row = extensionRow(line);
    if (!row) continue;
    const std::size_t offset = row->offset;
    if (offset > expected) return missing(expected);
    if (offset < expected)
      return failure("The extension row " + std::to_string(offset) + " comes where row " +
                     std::to_string(expected) + " should be");
    const std::string name = "The extension row " + std::to_string(offset);
    if (offset >= static_cast<std::size_t>(kEdidSize) * (1 + kMaxExtensionBlocks))
      return failure(name + " lies past the last of 255 extension blocks");
    char first = 0;
    bool open = false;
    std::size_t cell = offset;
    for (const char c : row->text) {
      if (c == ' ' || static_cast<unsigned char>(c) < 32) continue;
      if (!open) {
        first = c;
        open = true;
        continue;
      }
      open = false;
      if (hexDigit(first) < 0 || hexDigit(c) < 0)
        return failure(name + " holds \"" + std::string{first, c} + "\" in cell " +
                       std::to_string(cell) + ", not two hex digits");
      if (cell == offset + kExtensionRowSize)
        return failure(name + " holds a cell too many after cell " + std::to_string(cell - 1));
      bytes.push_back(static_cast<std::uint8_t>(hexDigit(first) * 16 + hexDigit(c)));
      ++cell;
    }
    if (open)
      return failure(name + " ends in half a byte (\"" + std::string{first} + "\") in cell " +
                     std::to_string(cell));
    if (cell != offset + kExtensionRowSize)
      return failure(name + " has no cell " + std::to_string(cell));
    expected += kExtensionRowSize;
  }
  // Blocks are whole.
  if (expected % kEdidSize != 0) return missing(expected);
  return bytes;
}

Status checkEdidCodeRows(std::string_view content) {
  constexpr std::size_t kRowSize = 10;
  constexpr auto kCells = static_cast<std::size_t>(kEdidSize);
  const auto rowOf = [](std::size_t cell) {
    return "The EDID code row " + std::to_string(cell / kRowSize * kRowSize);
  };
  // Where the cells run out at cell: a whole row missing, or a cell of one.
  const auto missingFrom = [&rowOf](std::size_t cell, std::size_t upTo) {
    if (cell % kRowSize != 0) return failure(rowOf(cell) + " has no cell " + std::to_string(cell));
    return failure(rowOf(cell) + " is missing (cells " + std::to_string(cell) + " to " +
                   std::to_string(std::min(cell + kRowSize, upTo) - 1) + ")");
  };
  const auto lines = splitFileLines(content);
  std::size_t next = 0;  // the line after the marker's two lines
  for (std::size_t i = 0; i < lines.size() && next == 0; ++i)
    if (containsMarker(lines[i])) next = i + 3;
  if (next == 0) return failure(kInvalidDataFileMessage);
  // Cells flow from row to row as the reader takes them, so a hand-edited file may
  // lay them out as it likes; a row's label, where it has one, says where it starts.
  std::size_t cells = 0;
  for (std::size_t i = next; i < lines.size() && cells < kCells; ++i) {
    const std::size_t bar = lines[i].find('|');
    if (bar == std::string_view::npos) continue;
    std::string_view label = lines[i].substr(0, bar);
    while (!label.empty() && label.front() == ' ') label.remove_prefix(1);
    while (!label.empty() && label.back() == ' ') label.remove_suffix(1);
    if (!label.empty() && label.size() <= 3 &&
        std::all_of(label.begin(), label.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      const auto start = static_cast<std::size_t>(std::stoi(std::string(label)));
      if (cells < start) return missingFrom(cells, start);
      if (cells > start)
        return failure(rowOf(start - 1) + " holds a cell too many after cell " +
                       std::to_string(start - 1));
    }
    // A word of odd length is where a cell lost or gained a digit.
    const std::string_view text = lines[i].substr(bar + 1);
    std::size_t characters = 0;
    std::optional<std::pair<std::size_t, std::string_view>> odd;
    for (std::size_t k = 0; k < text.size();) {
      if (static_cast<unsigned char>(text[k]) <= 32) {
        ++k;
        continue;
      }
      std::size_t end = k;
      while (end < text.size() && static_cast<unsigned char>(text[end]) > 32) ++end;
      if ((end - k) % 2 != 0 && !odd) odd = {characters, text.substr(k, end - k)};
      characters += end - k;
      k = end;
    }
    if (characters % 2 != 0) {
      const std::size_t cell = cells + odd->first / 2;
      return failure(rowOf(cell) + " holds \"" + std::string(odd->second) + "\" in cell " +
                     std::to_string(cell) + "; a cell takes two hex digits");
    }
    cells += characters / 2;
    if (cells > kCells)
      return failure(rowOf(kCells - 1) + " holds a cell too many after cell " +
                     std::to_string(kCells - 1));
  }
  return cells < kCells ? missingFrom(cells, kCells) : success();
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
  // Most files looked at are not data files: one scan, before any line or token is built.
  if (!containsMarker(content)) return failure(kInvalidDataFileMessage);
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

Image imageOfTokens(std::vector<std::string> tokens) {
  tokens.resize(kEdidTokenCount);
  for (std::string& token : tokens) {
    for (char& c : token) c = toUpper(c);
  }
  return Image::fromCells(std::move(tokens));
}

bool startsWithEdidHeader(std::string_view data) {
  return data.size() >= kEdidHeader.size() &&
         std::equal(kEdidHeader.begin(), kEdidHeader.end(), data.begin(),
                    [](std::uint8_t h, char c) { return h == static_cast<std::uint8_t>(c); });
}

}  // namespace edid
