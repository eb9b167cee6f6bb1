#include "core/report/extension_report.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "core/common/extension_blocks.h"
#include "core/common/text.h"
#include "core/cta/cta861.h"
#include "core/report/report_buffer.h"

namespace edid {

namespace {

constexpr std::size_t kWidth = 70;

// Lines that fit are put together on the stack and appended at once, so the
// report grows by one copy and no fill. A line starts with its indent (up to 16),
// its label and the colon.
constexpr std::size_t kMaxIndent = 16;

char* startLine(char* buffer, std::size_t indent, std::string_view label) {
  std::memset(buffer, ' ', kMaxIndent);
  char* end = buffer + indent;
  std::memcpy(end, label.data(), label.size());
  end += label.size();
  *end++ = ':';
  return end;
}

void endLine(ReportBuffer& out, char* buffer, char* end) {
  // CR LF or LF: a call to copy them costs more than the loop.
  for (const char c : out.lineEnd()) *end++ = c;
  out.text().append(buffer, static_cast<std::size_t>(end - buffer));
  out.endElement();
}

// A line too long for the report's width, wrapped at word breaks, continuation
// lines indented two more. Kept out of line: few lines need it.
[[gnu::noinline]] void addWrapped(ReportBuffer& out, std::string& line, std::size_t indent,
                                  std::string_view label, std::string_view text) {
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
    (out << std::string_view(line).substr(0, cut)).endLine().endElement();
    margin = indent + 2;
    line = std::string(margin, ' ') + line.substr(line[cut] == ' ' ? cut + 1 : cut);
  }
  (out << line).endLine().endElement();
}

// "label: text" (or "label:"), wrapped to the report's width. line is scratch
// space kept between calls.
void addLine(ReportBuffer& out, std::string& line, std::size_t indent, std::string_view label,
             std::string_view text) {
  const std::size_t gap = text.empty() ? 0 : 1;
  if (indent > kMaxIndent || indent + label.size() + 1 + gap + text.size() > kWidth)
    return addWrapped(out, line, indent, label, text);
  char buffer[kWidth + kMaxIndent];
  char* end = startLine(buffer, indent, label);
  if (!text.empty()) {
    *end++ = ' ';
    std::memcpy(end, text.data(), text.size());
    end += text.size();
  }
  endLine(out, buffer, end);
}

// The items as report lines, written as they come: one line an item, indented by
// its depth, leaving out items not shown and children the shown text sums up.
class LineSink final : public cta::Sink {
 public:
  explicit LineSink(ReportBuffer& out) : m_out(out) { m_line.reserve(2 * kWidth); }

  bool open(cta::Item&& group) override {
    if (m_hidden || group.label.empty()) {
      ++m_hidden;
      return false;
    }
    addLine(m_out, m_line, m_indent, group.label, group.text);
    if (!group.showChildren) {
      m_hidden = 1;
      return false;
    }
    m_indent += 2;
    return true;
  }
  void add(cta::Item&& item) override {
    if (m_hidden || item.label.empty()) return;
    if (item.unit) return addCount(item);
    addLine(m_out, m_line, m_indent, item.label, item.text);
  }
  void close() override {
    if (m_hidden)
      --m_hidden;
    else
      m_indent -= 2;
  }

 private:
  // A count's line, its number written straight into the line.
  void addCount(const cta::Item& item) {
    if (m_indent <= kMaxIndent && m_indent + item.label.size() + 1 <= kWidth) {
      char buffer[kWidth + kMaxIndent + std::tuple_size_v<cta::TextBuffer>];
      char* end = startLine(buffer, m_indent, item.label);
      *end++ = ' ';
      char* const text = end;
      end = cta::writeCount(text, item);
      if (static_cast<std::size_t>(end - buffer) <= kWidth) return endLine(m_out, buffer, end);
      return addLine(m_out, m_line, m_indent, item.label,
                     std::string_view(text, static_cast<std::size_t>(end - text)));
    }
    addLine(m_out, m_line, m_indent, item.label, cta::shownText(item, m_text));
  }

  ReportBuffer& m_out;
  std::string m_line;      // scratch for wrapped lines
  cta::TextBuffer m_text;  // scratch for texts written from numbers
  std::size_t m_indent = 2;
  int m_hidden = 0;  // depth within a group not shown
};

}  // namespace

void writeExtensionReport(const std::vector<std::uint8_t>& extension, ReportBuffer& out) {
  const std::size_t count = extension.size() / kEdidSize;
  if (count == 0) return;
  out.endLine().rule().endLine().endLine() << kExtensionDecodeHeading;
  out.endLine().endElement();
  LineSink lines(out);
  for (std::size_t k = 0; k < count; ++k) {
    const auto block = std::span(extension).subspan(k * kEdidSize, kEdidSize);
    const int number = static_cast<int>(k) + 1;
    out.endLine().endElement();
    const int first = kEdidSize * number;
    out << '(' << first << '-' << first + kEdidSize - 1 << ") Block " << number << ": "
        << extensionTagName(block[0]);
    out.endLine().endElement();
    cta::walkBlock(block, lines);
  }
}

}  // namespace edid
