#pragma once
// The report is written into one growing text; the ends of its elements are kept
// beside it, so the editor's lines and edidtool's whole text come from the same
// writing, and the tool pays for no string per line.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/format.h"
#include "core/common/text.h"

namespace edid {

class ReportBuffer {
 public:
  /// keepElements: remember where each element ends, for reportLines(). lineEnd
  /// ends each line: CR LF in the data file and on screen, LF on a terminal.
  explicit ReportBuffer(bool keepElements, std::string_view lineEnd = kCrLf)
      : m_keepElements(keepElements), m_lineEnd(lineEnd) {
    m_text.reserve(8192);
  }

  ReportBuffer& operator<<(std::string_view text) {
    m_text.append(text);
    return *this;
  }
  ReportBuffer& operator<<(char c) {
    m_text.push_back(c);
    return *this;
  }
  ReportBuffer& operator<<(std::int64_t value) {
    format::appendInt(m_text, value);
    return *this;
  }
  ReportBuffer& operator<<(int value) { return *this << static_cast<std::int64_t>(value); }
  ReportBuffer& spaces(std::ptrdiff_t count) {
    if (count > 0) m_text.append(static_cast<std::size_t>(count), ' ');
    return *this;
  }
  /// text right-aligned in width columns (unchanged when longer).
  ReportBuffer& padLeft(std::string_view text, int width) {
    return spaces(width - static_cast<std::ptrdiff_t>(text.size())) << text;
  }
  /// text left-aligned in width columns (unchanged when longer).
  ReportBuffer& padRight(std::string_view text, int width) {
    return (*this << text).spaces(width - static_cast<std::ptrdiff_t>(text.size()));
  }
  ReportBuffer& endLine() { return *this << m_lineEnd; }
  std::string_view lineEnd() const { return m_lineEnd; }
  /// The rule across the report's 70 columns that parts it into sections.
  ReportBuffer& rule() {
    m_text.append(70, '_');
    return *this;
  }

  /// Closes the element written since the last one.
  void endElement() {
    if (m_keepElements) m_ends.push_back(m_text.size());
  }

  const std::string& text() const { return m_text; }
  /// The text so far, for writers that append to a string.
  std::string& text() { return m_text; }
  std::string takeText() { return std::move(m_text); }
  /// The elements in order.
  std::vector<std::string> elements() const {
    std::vector<std::string> out;
    out.reserve(m_ends.size() + 1);
    std::size_t start = 0;
    for (const std::size_t end : m_ends) {
      out.emplace_back(m_text, start, end - start);
      start = end;
    }
    return out;
  }

 private:
  bool m_keepElements;
  std::string_view m_lineEnd;
  std::string m_text;
  std::vector<std::size_t> m_ends;
};

}  // namespace edid
