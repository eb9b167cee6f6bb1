#include "core/input/edid_input.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

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

// Text may hold a stray control character (an editor's trailing NUL); raw EDID
// blocks are full of them: every block of the corpus has at least 13 in 128 bytes,
// or none at all in a filler block after a base block starting with the header.
bool looksBinary(std::string_view content) {
  const auto controls = std::count_if(content.begin(), content.end(), [](char ch) {
    const auto c = static_cast<unsigned char>(ch);
    return (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v' &&
            c != 0x1A) ||
           c == 0x7F;
  });
  return controls > 0 && static_cast<std::size_t>(controls) * 32 >= content.size();
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
  input.base.assign(kEdidSize, 0);
  std::copy_n(bytes.begin(), std::min<std::size_t>(bytes.size(), kEdidSize), input.base.begin());
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
  input.dropped = rest.size() - input.extension.size();
  if (whole > kept)
    input.warning += "Only the first 255 extension blocks are kept; " +
                     plural(whole - kept, "more is", "more are") + " left out.\r\n";
  if (const std::size_t part = rest.size() % kEdidSize; part != 0)
    input.warning += "The last " + plural(part, "byte does", "bytes do") +
                     " not fill a 128-byte block and " + (part == 1 ? "is" : "are") +
                     " left out.\r\n";
  return input;
}

Result<EdidInput> fromDataFile(std::vector<std::string> cells, std::string_view content) {
  // A damaged row would shift or drop cells without a word: refuse it instead.
  if (const Status rows = checkEdidCodeRows(content); !rows) return failure(rows.error());
  auto extension = parseExtensionSection(content);
  if (!extension) return failure(extension.error());
  EdidInput input;
  input.kind = EdidInputKind::DataFile;
  input.cells = std::move(cells);
  input.extension = std::move(extension).value();
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

bool separator(char c) {
  return c == ' ' || c == ',' || c == ';' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

// The words of one line, one at a time, without copying the line: a single line can
// be the whole file.
class Words {
 public:
  explicit Words(std::string_view text) : m_text(text) {}
  /// The next word; empty at the end of the line.
  std::string_view next() {
    while (m_at < m_text.size() && separator(m_text[m_at])) ++m_at;
    const std::size_t start = m_at;
    while (m_at < m_text.size() && !separator(m_text[m_at])) ++m_at;
    return m_text.substr(start, m_at - start);
  }

 private:
  std::string_view m_text;
  std::size_t m_at = 0;
};

// What the start of a line says it is.
enum class LineKind { Blank, Star, End, Values };

struct LineHead {
  LineKind kind = LineKind::Blank;
  std::string_view offset;   // the dump's offset column, when the line has one
  bool besideWords = false;  // after a label that is not an offset
  Words values{{}};          // the words that may be values
};

LineHead lineHead(std::string_view text, bool offsetsSeen) {
  LineHead head;
  Words words(text);
  const std::string_view first = words.next();
  if (first.empty()) return head;
  const Words afterFirst = words;
  const std::string_view second = words.next();
  if (first == "*" && second.empty()) {
    head.kind = LineKind::Star;  // hexdump and od: lines like the one before, up to the next offset
    return head;
  }
  head.kind = LineKind::Values;
  head.values = afterFirst;
  if (first.size() > 1 && first.back() == ':') {
    // An offset ("00000080:") or a label ("EDID:").
    const std::string_view label = first.substr(0, first.size() - 1);
    if (allHex(label))
      head.offset = label;
    else
      head.besideWords = true;
  } else if (!second.empty() && allHex(first) && first.size() >= 3 &&
             first.size() != second.size()) {
    head.offset = first;  // hexdump's and od's offset column
  } else if (second.empty() && allHex(first) &&
             (first.size() == 7 || first.size() == 8 || (offsetsSeen && first.size() == 6))) {
    head.kind = LineKind::End;  // the end offset hexdump and od print last
    head.offset = first;
  } else {
    head.values = Words(text);
  }
  return head;
}

// Appends the values of a line to bytes and says how many there were; a line that
// turns out to be prose adds none.
std::size_t readValues(LineHead& head, std::vector<std::uint8_t>& bytes) {
  const std::size_t before = bytes.size();
  bool besideWords = head.besideWords;
  // The groups of a dump line are all as wide; a narrower word after them is the
  // character column (xxd's "ED MONITOR").
  std::size_t width = 0;
  for (std::string_view field = head.values.next(); !field.empty(); field = head.values.next()) {
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
  // An offset makes a line a dump line whatever follows its values.
  if (besideWords && head.offset.empty() && found < kLeastBytesBesideWords) {
    bytes.resize(before);
    return 0;
  }
  return found;
}

// The value of an offset column in radix, if every digit is one of it.
std::optional<std::uint64_t> offsetValue(std::string_view text, int radix) {
  if (text.size() > 12) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) {
    const int digit = hexDigit(c);
    if (digit < 0 || digit >= radix) return std::nullopt;
    value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
  }
  return value;
}

// A "*" never stands for more than this: far more than any EDID, far less than a
// mistyped offset would cost.
constexpr std::uint64_t kLargestRepeat = 1 << 20;

// One run of hex lines. Where the lines carry offsets, their bytes are placed by
// them: a "*" repeats the line before it up to the next offset.
class Run {
 public:
  std::vector<std::uint8_t> bytes;
  std::string error;

  bool placed() const { return !m_first.empty(); }

  /// Makes room up to offset before a line's values; false when the offset goes back,
  /// which starts another dump.
  bool placeAt(std::string_view offset) {
    if (!placed()) {
      m_first = offset;
      m_base = bytes.size();
    } else {
      if (m_radix == 0) m_radix = radixOf(offset);
      const auto first = offsetValue(m_first, m_radix);
      const auto at = offsetValue(offset, m_radix);
      if (!first || !at || *at < *first || *at - *first < bytes.size() - m_base) return false;
      const std::uint64_t missing = *at - *first - (bytes.size() - m_base);
      if (missing > 0 && (!m_repeat || m_lastCount == 0)) {
        error = "The hex dump jumps to offset " + std::string(offset) + " without a \"*\" line; " +
                plural(missing, "byte is", "bytes are") + " missing before it";
        return true;
      }
      if (*at - *first > kLargestRepeat) {
        error = "The hex dump repeats a line up to offset " + std::string(offset) +
                ", past the end of any EDID";
        return true;
      }
      for (std::size_t i = 0; i < missing; ++i)
        bytes.push_back(bytes[m_lastStart + i % m_lastCount]);
    }
    m_last = offset;
    m_lastStart = bytes.size();
    m_lastCount = 0;
    m_repeat = false;
    return true;
  }
  /// Records how many values the line at the last offset held.
  void lineHeld(std::size_t count) { m_lastCount = count; }
  void repeat() { m_repeat = true; }

 private:
  // hexdump -C, xxd and od -A x count in hex. od's 7 digits are octal unless told
  // otherwise (-A d: decimal): the radix whose step from the line before matches
  // that line's length.
  int radixOf(std::string_view offset) const {
    if (offset.size() != 7) return 16;
    if (!m_repeat && m_lastCount > 0) {
      for (const int radix : {8, 10, 16}) {
        const auto last = offsetValue(m_last, radix);
        const auto at = offsetValue(offset, radix);
        if (last && at && *at >= *last && *at - *last == m_lastCount) return radix;
      }
    }
    return offsetValue(offset, 8) && offsetValue(m_first, 8) ? 8 : 16;
  }

  // Owned: a line may live in a buffer that the next line reuses.
  std::string m_first, m_last;
  std::size_t m_base = 0, m_lastStart = 0, m_lastCount = 0;
  bool m_repeat = false;
  int m_radix = 0;
};

// Picks the EDID out of hex text run by run, keeping only the run being read and the
// first long run without a header.
class HexTextReader {
 public:
  /// False once the EDID has been found.
  bool line(std::string_view text) {
    LineHead head = lineHead(text, m_run.placed());
    switch (head.kind) {
      case LineKind::Blank:
        return true;
      case LineKind::Star:
        if (!m_run.placed()) return endRun();
        m_run.repeat();
        return true;
      case LineKind::End:
        // Only a dump with offsets has an end offset; elsewhere it is a number alone.
        if (!m_run.placed()) return true;
        m_run.placeAt(head.offset);
        return endRun();
      case LineKind::Values:
        break;
    }
    const std::size_t before = m_run.bytes.size();
    if (!head.offset.empty() && !m_run.placeAt(head.offset)) {
      if (!endRun()) return false;
      m_run.placeAt(head.offset);
    }
    if (!m_run.error.empty()) return endRun();
    const std::size_t placedAt = m_run.bytes.size();
    const std::size_t found = readValues(head, m_run.bytes);
    if (found == 0) {
      // Prose ends a run.
      m_run.bytes.resize(before);
      if (!m_run.bytes.empty()) return endRun();
      m_run = Run();
      return true;
    }
    if (!head.offset.empty()) m_run.lineHeld(m_run.bytes.size() - placedAt);
    return true;
  }

  Result<std::vector<std::uint8_t>> result() {
    if (m_found) return std::move(*m_found);
    if (!endRun()) return std::move(*m_found);
    if (!m_error.empty()) return failure(m_error);
    return std::move(m_fallback);
  }

 private:
  // Ends the current run; false when it held the EDID.
  bool endRun() {
    Run run = std::exchange(m_run, Run());
    const auto header =
        std::search(run.bytes.begin(), run.bytes.end(), kEdidHeader.begin(), kEdidHeader.end());
    if (header != run.bytes.end()) {
      if (!run.error.empty()) {
        m_found = failure(run.error);
      } else {
        run.bytes.erase(run.bytes.begin(), header);
        m_found = std::move(run.bytes);
      }
      return false;
    }
    if (!run.error.empty() && m_error.empty()) m_error = run.error;
    if (m_fallback.empty() && run.error.empty() &&
        run.bytes.size() >= static_cast<std::size_t>(kEdidSize))
      m_fallback = std::move(run.bytes);
    return true;
  }

  Run m_run;
  std::vector<std::uint8_t> m_fallback;
  std::string m_error;
  std::optional<Result<std::vector<std::uint8_t>>> m_found;
};

}  // namespace

Result<std::vector<std::uint8_t>> hexTextEdid(std::string_view text) {
  HexTextReader reader;
  // An array initializer; its comments and braces would be noise anywhere else.
  const bool cSource =
      text.find("= {") != std::string_view::npos || text.find("={") != std::string_view::npos;
  bool inComment = false;
  std::string clean;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (cSource) {
      // Only a line with a comment is copied.
      if (inComment || line.find('/') != std::string_view::npos) {
        clean = withoutComments(line, inComment);
        line = clean;
      }
      // The values sit between an initializer's braces.
      if (const std::size_t open = line.rfind('{'); open != std::string_view::npos)
        line.remove_prefix(open + 1);
      if (const std::size_t close = line.find('}'); close != std::string_view::npos)
        line = line.substr(0, close);
    } else if (const std::size_t bar = line.find('|'); bar != std::string_view::npos) {
      line = line.substr(0, bar);  // hexdump -C's character column
    }
    if (!reader.line(line)) break;
  }
  return reader.result();
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
  const auto bytes = hexTextEdid(content);
  if (!bytes) return failure(bytes.error());
  if (bytes->empty()) return failure(kInvalidDataFileMessage);
  return fromBytes(EdidInputKind::HexText,
                   std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

}  // namespace edid
