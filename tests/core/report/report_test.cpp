// The report's moment: its clock, names and SOURCE_DATE_EPOCH (the layout: the golden
// reports), and the report as a terminal reads it.
#include "core/report/report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string_view>
#include <vector>

#include "core/common/text.h"
#include "core/input/load_edid.h"
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

// The terminal's report is written with LF line ends straight away: it must be the
// report's text with each CR LF made LF and Windows-1252 made UTF-8, for every corpus
// EDID, with its serial numbers hidden, and with each 18-byte block made each kind of
// descriptor over the bytes it holds (the rare kinds bring multi-line texts of their own).
TEST(TerminalReport, IsTheReportWithLfLineEndsInUtf8) {
  const auto expected = [](const ReportInputs& in) {
    const std::string text = reportText(in);
    std::string lf;
    for (std::size_t i = 0; i < text.size(); ++i)
      if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') lf += text[i];
    return windows1252ToUtf8(std::string_view(lf));
  };
  const std::string brand = "Brand \xE9", model = "Model";
  const ReportMoment moment = momentFromEpoch(1796478330);
  int compared = 0;
  for (const auto& id : test::corpusIds()) {
    const auto bytes = test::corpusBytes(id);
    const auto loaded =
        loadEdid(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    ASSERT_TRUE(loaded) << id;
    std::vector<Image> images = {loaded->image};
    for (const int tag : {0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF, 0x10, 0x05}) {
      Image image = loaded->image;
      const int start = 54 + 18 * (compared % 4);
      for (int i = 0; i < 3; ++i) image.setByte(start + i, 0);
      image.setByte(start + 3, tag);
      images.push_back(image);
    }
    for (const Image& image : images) {
      for (const bool hidden : {false, true}) {
        const ReportInputs in{.brand = brand,
                              .model = model,
                              .cells = image,
                              .moment = moment,
                              .hideSerialNumbers = hidden};
        ASSERT_EQ(terminalReportText(in), expected(in)) << id;
      }
    }
    ++compared;
  }
  EXPECT_GT(compared, 300);
}

// The dump shows each cell as it stands: a byte's two digits, or what was typed
// there, right-aligned in the cell's four columns.
TEST(ReportDump, CellsShownAsTyped) {
  Image image = Image::fromCells({"00", "FF", "ff", "A", "", "ZZ", "1", "0F"});
  const std::string text = reportText({.brand = "B", .model = "M", .cells = image, .moment = {}});
  EXPECT_NE(text.find("\r\n  0  |  00  FF  ff   A      ZZ   1  0F  00  00\r\n"), std::string::npos);
}

}  // namespace
}  // namespace edid
