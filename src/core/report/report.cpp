#include "core/report/report.h"

#include <charconv>
#include <cstdlib>
#include <ctime>

#include "core/common/layout.h"
#include "core/common/text.h"
#include "core/report/extension_report.h"
#include "core/sections/basic_display.h"
#include "core/sections/checksum.h"
#include "core/sections/chromaticity.h"
#include "core/sections/detailed_timing.h"
#include "core/sections/established.h"
#include "core/sections/monitor_descriptor.h"
#include "core/sections/standard_timing.h"
#include "core/sections/vendor.h"
#include "core/sections/version.h"

namespace edid {

namespace {

constexpr int kWidth = 70;
constexpr const char* kPad9 = "         ";

constexpr const char* kDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// 9999-12-31 23:59:59 UTC: beyond it the date line would need a fifth year digit.
constexpr std::int64_t kLastEpochSecond = 253402300799;

std::string twoDigits(int value) {
  std::string out(2, '0');
  out[0] = static_cast<char>('0' + (value / 10) % 10);
  out[1] = static_cast<char>('0' + value % 10);
  return out;
}

std::string rule70() {
  return std::string(kWidth, '_') + kCrLf;
}

// Label, caption, "=" right-aligned in width, separator, value: one report line.
std::string labelled(const char* label, const char* caption, int width, const char* separator,
                     const std::string& value) {
  return PadRight(label, 7) + caption + PadLeft("=", width) + separator + value + kCrLf;
}

std::string heading(const char* label, const char* caption) {
  return PadRight(label, 7) + caption + kCrLf;
}

}  // namespace

ReportMoment momentFromEpoch(std::int64_t seconds) {
  std::int64_t days = seconds / 86400;
  std::int64_t rest = seconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  ReportMoment m;
  m.hour = static_cast<int>(rest / 3600);
  m.minute = static_cast<int>(rest % 3600 / 60);
  m.second = static_cast<int>(rest % 60);
  // 1970-01-01 was a Thursday.
  m.weekday = static_cast<int>(((days % 7) + 11) % 7);

  // Days since 1970 to a proleptic Gregorian date (eras of 400 years from 0000-03-01).
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t dayOfEra = z - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t mp = (5 * dayOfYear + 2) / 153;
  m.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  m.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  m.year = static_cast<int>(yearOfEra + era * 400 + (m.month <= 2 ? 1 : 0));
  return m;
}

std::optional<std::int64_t> sourceDateEpoch() {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (!epoch || !*epoch) return std::nullopt;
  std::int64_t seconds = 0;
  const char* end = epoch + std::char_traits<char>::length(epoch);
  const auto [last, error] = std::from_chars(epoch, end, seconds);
  if (error != std::errc() || last != end || seconds < 0 || seconds > kLastEpochSecond)
    return std::nullopt;
  return seconds;
}

ReportMoment currentReportMoment() {
  if (const auto seconds = sourceDateEpoch()) return momentFromEpoch(*seconds);
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  ReportMoment m;
  m.year = local.tm_year + 1900;
  m.month = local.tm_mon + 1;
  m.day = local.tm_mday;
  m.weekday = local.tm_wday;
  m.hour = local.tm_hour;
  m.minute = local.tm_min;
  m.second = local.tm_sec;
  return m;
}

std::string reportTime(const ReportMoment& moment) {
  return twoDigits(moment.hour) + ":" + twoDigits(moment.minute) + ":" + twoDigits(moment.second);
}

std::string reportDate(const ReportMoment& moment) {
  const int weekday = ((moment.weekday % 7) + 7) % 7;
  const int month = ((moment.month - 1) % 12 + 12) % 12;
  std::string year = std::to_string(moment.year);
  if (year.size() < 4) year.insert(0, 4 - year.size(), '0');
  return std::string(kDayNames[weekday]) + " " + kMonthNames[month] + " " + twoDigits(moment.day) +
         ", " + year;
}

std::string blockReportText(const Image& image, int block) {
  const int start = layout::blockStart(block);
  return detailed_timing::isDescriptor(image, start)
             ? monitor_descriptor::decode(image, start).reportText
             : detailed_timing::decode(image, start).reportText;
}

// Each section decodes its cells next to its lines.
namespace {

// The serial number descriptors' texts replaced by "...", for hidden serial numbers.
Image withSerialTextsHidden(const Image& image) {
  Image masked = image;
  for (int k = 0; k < layout::kBlockCount; ++k) {
    const int start = layout::blockRange(k).first;
    if (image.byte(start) == 0 && image.byte(start + 1) == 0 && image.byte(start + 2) == 0 &&
        image.byte(start + 3) == 0xFF)
      masked.apply(monitor_descriptor::encodeText(start, "..."));
  }
  return masked;
}

}  // namespace

std::vector<std::string> buildReportLines(const ReportInputs& in) {
  std::optional<Image> masked;
  if (in.hideSerialNumbers) masked = withSerialTextsHidden(in.cells);
  // The checksum and everything but the serial numbers come from the image itself.
  const Image& shown = masked ? *masked : in.cells;
  const Image& image = in.cells;
  const version::Decoded version = version::decode(image);
  std::vector<std::string> lines;
  lines.reserve(120);
  const auto blank = [&lines] { lines.emplace_back(kCrLf); };

  // Heading.
  blank();
  blank();
  blank();
  lines.push_back(CenterText("Time:  " + reportTime(in.moment) + kCrLf, kWidth));
  lines.push_back(CenterText("Date:  " + reportDate(in.moment) + kCrLf, kWidth));
  lines.push_back(rule70());
  lines.push_back(rule70());
  blank();
  lines.push_back(CenterText("DRAVELLIN CORPORATION", kWidth) + kCrLf);
  lines.push_back(CenterText(
      "EDID Version # " + version.version + ",  Revision # " + version.revision + kCrLf, kWidth));
  lines.push_back(CenterText("DDCTest For: " + in.brand + " " + in.model + kCrLf, kWidth));
  lines.push_back(rule70());
  lines.push_back(rule70());
  blank();

  // Hex dump: the section the data file reader finds again.
  lines.push_back(std::string(kEdidCodeMarker) + kCrLf);
  blank();
  std::string columns(6, ' ');
  for (int k = 0; k <= 9; ++k) columns += PadLeft(std::string(1, static_cast<char>('0' + k)), 4);
  lines.push_back(columns + kCrLf);
  lines.push_back(IndentText(RepeatText("_", 40), 6) + kCrLf);
  for (int r = 0; r <= 12; ++r) {
    std::string row = PadLeft(std::to_string(r * 10), 3) + "  |";
    for (int c = 0; c <= 9 && r * 10 + c < kEdidSize; ++c)
      row += PadLeft(in.hideSerialNumbers && layout::kSerialNumber.contains(r * 10 + c)
                         ? std::string("..")
                         : shown.cell(r * 10 + c),
                     4);
    lines.push_back(row + kCrLf);
  }
  blank();
  lines.push_back(rule70());
  blank();

  // Identification.
  vendor::Decoded vendor = vendor::decode(image);
  if (in.hideSerialNumbers) vendor.serialNumber = vendor.completeSerial = "...";
  lines.push_back(
      labelled("(08-09)", "  ID Manufacturer Name ________________", 3, " ", vendor.manufacturer));
  lines.push_back(
      labelled("(10-11)", "  Product ID Code _____________________", 3, " ", vendor.productCode));
  lines.push_back(
      labelled("(12-15)", "  Last 5 Digits of Serial Number ______", 3, " ", vendor.serialNumber));
  lines.push_back(labelled("(16)", "  Week of Manufacture _________________", 3, " ", vendor.week));
  lines.push_back(labelled("(17)", "  Year of Manufacture _________________", 3, " ", vendor.year));
  lines.push_back(labelled("(10-17)", "  Complete Serial Number ______________", 3, " ",
                           vendor.completeSerial));
  lines.push_back(
      labelled("(18)", "  EDID Version Number _________________", 3, " ", version.version));
  lines.push_back(
      labelled("(19)", "  EDID Revision Number ________________", 3, " ", version.revision));
  blank();

  // Basic display parameters.
  const basic_display::BasicDisplay display = basic_display::decode(image);
  lines.push_back(heading("(20)", "  VIDEO INPUT DEFINITION:"));
  lines.push_back(kPad9 + PadLeft(display.video.text, 10) + kCrLf);
  blank();
  lines.push_back(labelled("(21)", "  Maximum Horizontal Image Size ________________", 5, "  ",
                           display.horizSizeText));
  lines.push_back(labelled("(22)", "  Maximum Vertical Image Size __________________", 5, "  ",
                           display.vertSizeText));
  lines.push_back(labelled("(23)", "  Display Gamma ________________________________", 5, "  ",
                           display.gammaText));
  blank();
  lines.push_back(heading("(24)", "  DPMS and Supported Feature(s):"));
  lines.push_back(kPad9 + display.features.text + kCrLf);
  lines.push_back(kPad9 + std::string("Display Type = ") + display.features.displayTypeText +
                  kCrLf);
  blank();

  // Chromaticity and established timings.
  const chromaticity::Chromaticity chroma = chromaticity::decode(image);
  lines.push_back(heading("(25-34)", "  CHROMA INFO:"));
  lines.push_back(kPad9 + chroma.xText + kCrLf);
  lines.push_back(kPad9 + chroma.yText + kCrLf);
  blank();
  const established::Decoded established = established::decode(image);
  lines.push_back(heading("(35)", "  ESTABLISHED TIMING I:"));
  lines.push_back(established.timingsIText + kCrLf);
  blank();
  lines.push_back(heading("(36)", "  ESTABLISHED TIMING II:"));
  lines.push_back(established.timingsIIText + kCrLf);
  blank();
  lines.push_back(heading("(37)", "  Manufacturer's Reserved Timing:"));
  if (established.manufacturerTimingsText.empty())
    lines.push_back(kPad9 + std::string("  None Specified") + kCrLf);
  else
    lines.push_back(established.manufacturerTimingsText + kCrLf);
  blank();

  // Standard timings.
  lines.push_back(heading("(38-53)", "  Standard Timing Identification:"));
  const standard_timing::StandardTimings standard = standard_timing::decode(image);
  for (const auto& timing : standard.timings) lines.push_back(kPad9 + timing.text + kCrLf);

  // The 18-byte blocks: each a detailed timing or a monitor descriptor.
  for (int k = 0; k < layout::kBlockCount; ++k) {
    lines.push_back(rule70());
    blank();
    const ByteRange bytes = layout::blockRange(k);
    lines.push_back("(" + std::to_string(bytes.first) + "-" + std::to_string(bytes.last) +
                    ") Detailed Timing / Descriptor Block " + std::to_string(k + 1) + ":" + kCrLf +
                    blockReportText(shown, k) + kCrLf);
  }
  blank();

  // Extension flag and checksum: their texts carry their own CR LF.
  const checksum::Decoded checksum = checksum::decode(image);
  lines.push_back(PadRight("(126)", 7) + "  " + checksum.extensionBlocksText);
  lines.push_back(PadRight("(127)", 7) + "  " + checksum.checksumStatusText);
  for (std::string& line : extensionReportLines(image.extension()))
    lines.push_back(std::move(line));
  lines.emplace_back(kReportEnd);
  return lines;
}

std::vector<std::string> reportLinesOf(const Image& image, const std::string& brand,
                                       const std::string& model, const ReportMoment& moment,
                                       bool hideSerialNumbers) {
  return buildReportLines({.brand = brand,
                           .model = model,
                           .cells = image,
                           .moment = moment,
                           .hideSerialNumbers = hideSerialNumbers});
}

std::string joinReportLines(const std::vector<std::string>& lines) {
  std::string text;
  text.reserve(8192);
  for (const std::string& line : lines) {
    if (line == kReportEnd) break;
    text += line;
  }
  return text;
}

}  // namespace edid
