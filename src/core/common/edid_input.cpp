#include "core/common/edid_input.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/common/data_file.h"
#include "core/common/host.h"
#include "core/common/image.h"
#include "core/common/text.h"
#include "core/registry/reg_file.h"
#include "core/registry/registry_search.h"

namespace edid {

namespace {

// A dump line holds 8, 16 or 32 bytes; fewer beside a label or other words are
// more likely a number in prose ("Model: 8800") than part of an EDID.
constexpr std::size_t kLeastBytesBesideWords = 8;

bool allHex(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return hexDigit(c) >= 0; });
}

// NUL or a control character that no text file holds.
bool looksBinary(std::string_view content) {
  return std::any_of(content.begin(), content.end(), [](char ch) {
    const auto c = static_cast<unsigned char>(ch);
    return c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v' && c != 0x1A;
  });
}

// A registry export starts with its signature line, in UTF-16LE after a byte order
// mark as the registry editor writes it, or in UTF-8 or ANSI.
bool looksLikeRegistryExport(std::string_view content) {
  std::string start;
  if (content.starts_with("\xFF\xFE")) {
    for (std::size_t i = 2; i + 1 < content.size() && start.size() < 40; i += 2)
      start += content[i + 1] == 0 ? content[i] : '?';
  } else {
    if (content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);
    start = content.substr(0, 40);
  }
  const std::size_t first = start.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return false;
  start.erase(0, first);
  return start.starts_with("Windows Registry Editor") || start.starts_with("REGEDIT4");
}

std::string plural(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// Splits found bytes into the base block's cells and the whole extension blocks.
EdidInput fromBytes(EdidInputKind kind, std::string_view bytes) {
  EdidInput input;
  input.kind = kind;
  input.cells.assign(kEdidTokenCount, std::string());
  for (int i = 0; i < kEdidSize; ++i) {
    const auto k = static_cast<std::size_t>(i);
    input.cells[k] = ByteToHex(k < bytes.size() ? static_cast<std::uint8_t>(bytes[k]) : 0);
  }
  if (bytes.size() < static_cast<std::size_t>(kEdidSize)) {
    input.warning += "Only " + plural(bytes.size(), "byte", "bytes") +
                     " of the 128-byte base block were found; the others are set to 00.\r\n";
    return input;
  }
  const std::string_view rest = bytes.substr(kEdidSize);
  const std::size_t whole = rest.size() / kEdidSize;
  const std::size_t kept = std::min<std::size_t>(whole, kMaxExtensionBlocks);
  input.extension.assign(rest.begin(),
                         rest.begin() + static_cast<std::ptrdiff_t>(kept * kEdidSize));
  if (whole > kept)
    input.warning += "Only the first 255 extension blocks are kept; " +
                     plural(whole - kept, "more is", "more are") + " left out.\r\n";
  if (const std::size_t part = rest.size() % kEdidSize; part != 0)
    input.warning += "The last " + plural(part, "byte does", "bytes do") +
                     " not fill a 128-byte block and " + (part == 1 ? "is" : "are") +
                     " left out.\r\n";
  return input;
}

EdidInput fromDataFile(std::vector<std::string> cells, std::string_view content) {
  EdidInput input;
  input.kind = EdidInputKind::DataFile;
  input.cells = std::move(cells);
  auto extension = parseExtensionSection(content);
  if (!extension) {
    input.warning = extension.error() + "; the extension blocks are left out.\r\n";
    return input;
  }
  // The extension section is data like any other: whole blocks only.
  std::string bytes(kEdidSize, '\0');
  bytes.append(extension->begin(), extension->end());
  EdidInput blocks = fromBytes(EdidInputKind::DataFile, bytes);
  input.extension = std::move(blocks.extension);
  input.warning = std::move(blocks.warning);
  return input;
}

std::optional<EdidInput> fromRegistryExport(std::string_view content) {
  const auto registry = RegFileRegistry::parse(content);
  if (!registry) return std::nullopt;
  // Nobody is asked anything while a file is only being looked at.
  QuietHost host;
  const std::string data = SearchRegistryKey(*registry, host, "", false);
  if (data.empty()) return std::nullopt;
  return fromBytes(EdidInputKind::RegistryExport, data);
}

enum class LineKind { Blank, Noise, Bytes };

// Removes C comments from line, carrying an open "/*" over to the next line.
std::string withoutComments(std::string_view line, bool& inComment) {
  std::string text;
  std::size_t i = 0;
  while (i < line.size()) {
    if (inComment) {
      const std::size_t end = line.find("*/", i);
      if (end == std::string_view::npos) return text;
      inComment = false;
      i = end + 2;
      continue;
    }
    if (line.substr(i, 2) == "/*") {
      inComment = true;
      i += 2;
      continue;
    }
    if (line.substr(i, 2) == "//") break;
    text += line[i++];
  }
  return text;
}

// The bytes of one line of hex text, and whether it was one. In C source the values
// sit between an initializer's braces; elsewhere braces are only characters, as in
// the character column of a dump.
LineKind hexLine(std::string text, bool cSource, std::vector<std::uint8_t>& bytes) {
  if (cSource) {
    if (const std::size_t open = text.rfind('{'); open != std::string::npos)
      text.erase(0, open + 1);
    if (const std::size_t close = text.find('}'); close != std::string::npos) text.erase(close);
  } else if (const std::size_t bar = text.find('|'); bar != std::string::npos) {
    text.erase(bar);  // hexdump -C's character column
  }
  for (char& c : text)
    if (c == ',' || c == ';' || c == '\t' || c == '\r' || c == '\f' || c == '\v') c = ' ';

  std::vector<std::string_view> fields;
  const std::string_view view(text);
  for (std::size_t i = 0; i < view.size();) {
    const std::size_t start = view.find_first_not_of(' ', i);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(view.find(' ', start), view.size());
    fields.push_back(view.substr(start, end - start));
    i = end;
  }
  if (fields.empty()) return LineKind::Blank;

  std::size_t first = 0;
  bool besideWords = false;
  if (fields[0].size() > 1 && fields[0].back() == ':') {
    // An offset ("00000080:") or a label ("EDID:").
    first = 1;
    besideWords = !allHex(fields[0].substr(0, fields[0].size() - 1));
  } else if (fields.size() > 1 && allHex(fields[0]) && fields[0].size() >= 3 &&
             fields[0].size() != fields[1].size()) {
    first = 1;  // hexdump's offset column
  } else if (fields.size() == 1 && allHex(fields[0]) &&
             (fields[0].size() == 7 || fields[0].size() == 8)) {
    return LineKind::Blank;  // the end offset hexdump and od print last
  }

  const std::size_t before = bytes.size();
  // The groups of a dump line are all as wide; a narrower word after them is the
  // character column (xxd's "ED MONITOR").
  std::size_t width = 0;
  for (std::size_t i = first; i < fields.size(); ++i) {
    std::string_view field = fields[i];
    const bool prefixed =
        field.size() > 2 && field[0] == '0' && (field[1] == 'x' || field[1] == 'X');
    if (prefixed) field.remove_prefix(2);
    if (!prefixed && width == 0) width = field.size();
    if (!allHex(field) || (prefixed ? field.size() > 2 : field.size() % 2 != 0) ||
        (!prefixed && field.size() != width)) {
      besideWords = true;
      break;
    }
    if (field.size() == 1) {
      bytes.push_back(static_cast<std::uint8_t>(hexDigit(field[0])));
      continue;
    }
    for (std::size_t k = 0; k + 1 < field.size(); k += 2)
      bytes.push_back(static_cast<std::uint8_t>(hexDigit(field[k]) * 16 + hexDigit(field[k + 1])));
  }
  const std::size_t found = bytes.size() - before;
  if (found == 0 || (besideWords && found < kLeastBytesBesideWords)) {
    bytes.resize(before);
    return LineKind::Noise;
  }
  return LineKind::Bytes;
}

}  // namespace

std::vector<std::uint8_t> hexTextEdid(std::string_view text) {
  std::vector<std::vector<std::uint8_t>> runs(1);
  // An array initializer; its comments and braces would be noise anywhere else.
  const bool cSource =
      text.find("= {") != std::string_view::npos || text.find("={") != std::string_view::npos;
  bool inComment = false;
  for (const std::string_view line : splitFileLines(text)) {
    const std::string clean = cSource ? withoutComments(line, inComment) : std::string(line);
    const LineKind kind = hexLine(clean, cSource, runs.back());
    if (kind == LineKind::Noise && !runs.back().empty()) runs.emplace_back();
  }
  for (const auto& run : runs) {
    const auto header = std::search(run.begin(), run.end(), kEdidHeader.begin(), kEdidHeader.end());
    if (header != run.end()) return {header, run.end()};
  }
  for (const auto& run : runs)
    if (run.size() >= static_cast<std::size_t>(kEdidSize)) return run;
  return {};
}

Result<EdidInput> readEdidInput(std::string_view content) {
  if (auto cells = parseEdidCodeSection(content))
    return fromDataFile(std::move(cells).value(), content);
  const bool registryExport = looksLikeRegistryExport(content);
  if (registryExport) {
    if (auto input = fromRegistryExport(content)) return std::move(*input);
  }
  // An export in UTF-16 is text for all its NUL bytes.
  if (!registryExport && (startsWithEdidHeader(content) || looksBinary(content))) {
    // A short file is only an EDID when it starts like one.
    if (content.size() < static_cast<std::size_t>(kEdidSize) && !startsWithEdidHeader(content))
      return failure(kInvalidDataFileMessage);
    return fromBytes(EdidInputKind::Binary, content);
  }
  const std::vector<std::uint8_t> bytes = hexTextEdid(content);
  if (bytes.empty()) return failure(kInvalidDataFileMessage);
  return fromBytes(EdidInputKind::HexText,
                   std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace edid
