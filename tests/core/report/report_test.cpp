#include "core/report/report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "support/corpus.h"

namespace edid {
namespace {

TEST(ReportMoment, EpochSecondsInUtcWithEnglishNames) {
  const auto check = [](std::int64_t seconds, const char* time, const char* date) {
    const ReportMoment m = momentFromEpoch(seconds);
    EXPECT_EQ(reportTime(m), time) << seconds;
    EXPECT_EQ(reportDate(m), date) << seconds;
  };
  check(0, "00:00:00", "Thu Jan 01, 1970");
  check(1796478330, "13:45:30", "Sat Dec 05, 2026");
  check(951782400, "00:00:00", "Tue Feb 29, 2000");   // a leap day of a 400-year leap
  check(4107542399, "23:59:59", "Sun Feb 28, 2100");  // 2100 is no leap year
  check(253402300799, "23:59:59", "Fri Dec 31, 9999");
}

// The moment is the local clock's, read before and after (a second may tick between).
void expectLocalClock(const char* why) {
  const auto local = [] {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return std::vector<int>{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_wday,
                            tm.tm_hour,        tm.tm_min,     tm.tm_sec};
  };
  const auto before = local();
  const ReportMoment m = currentReportMoment();
  const auto after = local();
  const std::vector<int> got{m.year, m.month, m.day, m.weekday, m.hour, m.minute, m.second};
  EXPECT_TRUE(got == before || got == after) << why;
}

TEST(ReportMoment, SourceDateEpochWhenWellFormed) {
  ::setenv("SOURCE_DATE_EPOCH", "1796478330", 1);
  EXPECT_EQ(currentReportMoment(), momentFromEpoch(1796478330));
  // Malformed or out of range: the local clock, never a made-up date.
  for (const char* bad : {"", "12abc", "-5", "99999999999999", " 1"}) {
    ::setenv("SOURCE_DATE_EPOCH", bad, 1);
    expectLocalClock(bad);
  }
  ::unsetenv("SOURCE_DATE_EPOCH");
  expectLocalClock("unset");
}

class ReportLayout : public ::testing::Test {
 protected:
  std::vector<std::string> build() {
    return buildReportLines(
        {.brand = brand, .model = model, .cells = cells, .moment = momentFromEpoch(1796478330)});
  }
  static std::ptrdiff_t find(const std::vector<std::string>& lines, const std::string& line) {
    const auto it = std::find(lines.begin(), lines.end(), line);
    return it == lines.end() ? -1 : it - lines.begin();
  }

  std::string brand = "Brand", model = "Model X";
  Image cells;
};

TEST_F(ReportLayout, HeadingAndHexDump) {
  cells.setCell(5, "");
  cells.setCell(18, "01");
  cells.setCell(19, "03");
  cells.setCell(127, "9C");
  const auto lines = build();
  ASSERT_GE(lines.size(), 30u);
  EXPECT_EQ(lines[0], "\r\n");
  EXPECT_EQ(lines[3], std::string(27, ' ') + " Time:  13:45:30\r\n");
  EXPECT_EQ(lines[4], std::string(24, ' ') + "Date:  Sat Dec 05, 2026\r\n");
  EXPECT_EQ(lines[5], std::string(70, '_') + "\r\n");
  EXPECT_EQ(lines[8], std::string(24, ' ') + "DRAVELLIN CORPORATION\r\n");
  // Centred in 70 columns: (70 - 31) / 2 = 19.5 rounds to 20 spaces, (70 - 26) / 2 = 22.
  EXPECT_EQ(lines[9], std::string(20, ' ') + "EDID Version # 1,  Revision # 3\r\n");
  EXPECT_EQ(lines[10], std::string(22, ' ') + "DDCTest For: Brand Model X\r\n");

  const auto marker = find(lines, "128 BYTES OF EDID CODE:\r\n");
  ASSERT_EQ(marker, 14);
  EXPECT_EQ(lines[15], "\r\n");
  EXPECT_EQ(lines[16], "         0   1   2   3   4   5   6   7   8   9\r\n");
  EXPECT_EQ(lines[17], "      " + std::string(40, '_') + "\r\n");
  EXPECT_EQ(lines[18], "  0  |  00  00  00  00  00      00  00  00  00\r\n");  // an empty cell
  EXPECT_EQ(lines[30], "120  |  00  00  00  00  00  00  00  9C\r\n");
  EXPECT_EQ(lines.back(), "END REPORT");
  const std::string text = joinReportLines(lines);
  for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
    EXPECT_LE(end - at, 70u) << text.substr(at, end - at);
}

}  // namespace
}  // namespace edid
