#pragma once
// Rows of a table under tests/data: "#" at the start or after a space, outside
// quotes, starts a comment; a row's fields are split at "|" and trimmed, empty lines
// are skipped. Each row keeps its text for messages.

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "support/corpus.h"

namespace edid::test {

inline std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

inline std::vector<std::string> splitFields(const std::string& line, char separator = '|') {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, separator);) fields.push_back(trimmed(field));
  return fields;
}

struct Row {
  std::string text;
  std::vector<std::string> fields;
};

inline std::vector<Row> readRows(const std::string& name) {
  std::istringstream in(readFile(std::string(EDID_TEST_DATA_DIR) + "/" + name));
  std::vector<Row> rows;
  for (std::string line; std::getline(in, line);) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
      quoted = quoted != (line[i] == '"');
      if (!quoted && line[i] == '#' && (i == 0 || line[i - 1] == ' ')) line.resize(i);
    }
    line = trimmed(line);
    if (!line.empty()) rows.push_back({line, splitFields(line)});
  }
  return rows;
}

/// "0A 1B ..." as bytes.
inline std::vector<std::uint8_t> hexBytes(const std::string& text) {
  std::vector<std::uint8_t> out;
  std::istringstream in(text);
  for (std::string pair; in >> pair;)
    out.push_back(static_cast<std::uint8_t>(std::stoi(pair, nullptr, 16)));
  return out;
}

}  // namespace edid::test
