#include "support/unified_diff.h"

#include <algorithm>
#include <sstream>
#include <utility>
#include <vector>

namespace edid::test {

namespace {

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

std::string unifiedDiff(const std::string& expected, const std::string& actual) {
  const auto a = splitLines(expected), b = splitLines(actual);
  const std::size_t n = a.size(), m = b.size();
  std::vector<std::vector<int>> common(n + 1, std::vector<int>(m + 1, 0));
  for (std::size_t i = n; i-- > 0;)
    for (std::size_t j = m; j-- > 0;)
      common[i][j] =
          a[i] == b[j] ? common[i + 1][j + 1] + 1 : std::max(common[i + 1][j], common[i][j + 1]);
  struct Op {
    char kind;
    std::size_t i, j;
  };
  std::vector<Op> ops;
  std::size_t i = 0, j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && a[i] == b[j]) {
      ops.push_back({' ', i++, j++});
    } else if (i < n && (j == m || common[i + 1][j] >= common[i][j + 1])) {
      ops.push_back({'-', i++, j});
    } else {
      ops.push_back({'+', i, j++});
    }
  }
  // Hunks: each change with 3 lines around it, merged where they touch.
  std::vector<std::pair<std::size_t, std::size_t>> hunks;
  for (std::size_t k = 0; k < ops.size(); ++k) {
    if (ops[k].kind == ' ') continue;
    const std::size_t from = k >= 3 ? k - 3 : 0, to = std::min(k + 4, ops.size());
    if (!hunks.empty() && from <= hunks.back().second)
      hunks.back().second = to;
    else
      hunks.emplace_back(from, to);
  }
  std::ostringstream out;
  out << "--- expected\n+++ actual\n";
  for (const auto& [from, to] : hunks) {
    std::size_t oldCount = 0, newCount = 0;
    for (std::size_t h = from; h < to; ++h) {
      oldCount += ops[h].kind != '+';
      newCount += ops[h].kind != '-';
    }
    out << "@@ -" << ops[from].i + 1 << "," << oldCount << " +" << ops[from].j + 1 << ","
        << newCount << " @@\n";
    for (std::size_t h = from; h < to; ++h)
      out << ops[h].kind << (ops[h].kind == '+' ? b[ops[h].j] : a[ops[h].i]) << "\n";
  }
  return out.str();
}

}  // namespace edid::test
