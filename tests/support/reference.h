#pragma once
// Readers of the reference decoder's texts (tests/data/corpus/<id>.txt), so tests
// compare with what an independent decoder says rather than with our own output.

#include <cmath>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <tuple>

#include "support/corpus.h"

namespace edid::test {

/// The reference text of a corpus EDID.
inline std::string referenceText(const std::string& id) {
  return readFile(corpusDir() + "/" + id + ".txt");
}

/// The first group of the first match of pattern in text, if any.
inline std::optional<std::string> referenceField(const std::string& text, const char* pattern) {
  std::smatch m;
  if (!std::regex_search(text, m, std::regex(pattern))) return std::nullopt;
  return m[1].str();
}

/// A timing as "W x H @ rate", sorted by size then rate.
using Timings = std::multiset<std::tuple<int, int, double>>;

/// The established timings the reference lists, with their exact rates. Empty when
/// the text has no such section.
inline Timings referenceEstablished(const std::string& text) {
  Timings out;
  const auto start = text.find("Established Timings I & II:\n");
  if (start == std::string::npos) return out;
  const std::regex row(R"(^    [^:\n]+:\s+(\d+)x(\d+)i?\s+([\d.]+) Hz)");
  std::size_t at = text.find('\n', start) + 1;
  while (at < text.size() && text.compare(at, 4, "    ") == 0) {
    const std::string line = text.substr(at, text.find('\n', at) - at);
    std::smatch m;
    if (std::regex_search(line, m, row))
      out.emplace(std::stoi(m[1].str()), std::stoi(m[2].str()), std::stod(m[3].str()));
    at += line.size() + 1;
  }
  return out;
}

/// The timings named in our texts ("640 X 480 @ 60Hz ..."), with their nominal rates.
inline Timings namedTimings(const std::string& text) {
  Timings out;
  const std::regex timing(R"((\d+) X (\d+) @ (\d+)Hz)");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), timing);
       it != std::sregex_iterator(); ++it)
    out.emplace(std::stoi((*it)[1].str()), std::stoi((*it)[2].str()), std::stod((*it)[3].str()));
  return out;
}

/// True when both list the same sizes and each nominal rate is within 1 Hz of the
/// exact one (72 Hz is 72.81 Hz, 87 Hz interlaced is 86.96 Hz).
inline bool sameTimings(const Timings& nominal, const Timings& exact) {
  if (nominal.size() != exact.size()) return false;
  auto e = exact.begin();
  for (const auto& [w, h, rate] : nominal) {
    const auto& [ew, eh, erate] = *e++;
    if (w != ew || h != eh || std::abs(rate - erate) >= 1.0) return false;
  }
  return true;
}

/// A timing list for failure messages.
inline std::string describe(const Timings& timings) {
  std::string out;
  for (const auto& [w, h, rate] : timings)
    out += std::to_string(w) + "x" + std::to_string(h) + "@" + std::to_string(rate) + " ";
  return out;
}

}  // namespace edid::test
