// The report's moment: its clock, names and SOURCE_DATE_EPOCH (the layout: the golden reports).
#include "core/report/report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <vector>

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

}  // namespace
}  // namespace edid
