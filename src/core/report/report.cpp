#include "core/report/report.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <ctime>

#include "core/common/layout.h"
#include "core/common/text.h"
#include "core/report/extension_report.h"
#include "core/report/report_buffer.h"
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
constexpr std::string_view kPad9 = "         ";

constexpr const char* kDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// 9999-12-31 23:59:59 UTC: beyond it the date line would need a fifth year digit.
constexpr std::int64_t kLastEpochSecond = 253402300799;

void appendTwoDigits(std::string& out, int value) {
  out += static_cast<char>('0' + (value / 10) % 10);
  out += static_cast<char>('0' + value % 10);
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
  std::string text;
  text.reserve(8);
  appendTwoDigits(text, moment.hour);
  text += ':';
  appendTwoDigits(text, moment.minute);
  text += ':';
  appendTwoDigits(text, moment.second);
  return text;
}

std::string reportDate(const ReportMoment& moment) {
  const int weekday = ((moment.weekday % 7) + 7) % 7;
  const int month = ((moment.month - 1) % 12 + 12) % 12;
  // "Mon Dec 07, 2026": laid out, then made into a string once.
  char text[32];
  char* at = std::copy_n(kDayNames[weekday], 3, text);
  *at++ = ' ';
  at = std::copy_n(kMonthNames[month], 3, at);
  *at++ = ' ';
  *at++ = static_cast<char>('0' + (moment.day / 10) % 10);
  *at++ = static_cast<char>('0' + moment.day % 10);
  *at++ = ',';
  *at++ = ' ';
  char year[16];
  char* const yearEnd = std::to_chars(year, year + sizeof year, moment.year).ptr;
  const auto digits = static_cast<std::size_t>(yearEnd - year);
  if (digits < 4) at = std::fill_n(at, 4 - digits, '0');
  at = std::copy(year, yearEnd, at);
  return std::string(text, static_cast<std::size_t>(at - text));
}

namespace {

void appendBlockReport(const Image& image, int block, std::string& out,
                       std::string_view lineEnd = kCrLf) {
  const int start = layout::blockStart(block);
  if (detailed_timing::isDescriptor(image, start))
    monitor_descriptor::appendReportText(image, start, out, lineEnd);
  else
    detailed_timing::appendReportText(image, start, out, lineEnd);
}

}  // namespace

std::string blockReportText(const Image& image, int block) {
  std::string text;
  appendBlockReport(image, block, text);
  return text;
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

// Label, caption, "=" right-aligned in width, separator: what comes before an
// element's value. A width of 0 leaves out the "=": a heading. Every one is made
// from literals, so it is laid out once, when compiling.
struct Prefix {
  std::array<char, 80> text{};
  std::size_t size = 0;
};

consteval Prefix prefix(std::string_view label, std::string_view caption, int width = 0,
                        std::string_view separator = {}) {
  Prefix p;
  const auto put = [&p](char c) { p.text.at(p.size++) = c; };
  for (const char c : label) put(c);
  for (std::size_t k = label.size(); k < 7; ++k) put(' ');
  for (const char c : caption) put(c);
  for (int k = 1; k < width; ++k) put(' ');
  if (width > 0) put('=');
  for (const char c : separator) put(c);
  return p;
}

// One report element: its prefix, its value, the line end.
void labelled(ReportBuffer& out, const Prefix& prefix, std::string_view value = {}) {
  out << std::string_view(prefix.text.data(), prefix.size) << value;
  out.endLine().endElement();
}

void blank(ReportBuffer& out) {
  out.endLine().endElement();
}

void rule70(ReportBuffer& out) {
  out.rule().endLine().endElement();
}

// The body centred in the report's width, then the line end; nothing at all when the body
// is empty or too wide.
void centered(ReportBuffer& out, std::string_view body) {
  const int spaces = centerIndent(body.size(), kWidth);
  if (spaces < 0) return;
  out.spaces(spaces) << body;
  out.endLine();
}

// Each section decodes its cells next to its lines.
void writeReport(const ReportInputs& in, ReportBuffer& out) {
  std::optional<Image> masked;
  if (in.hideSerialNumbers) masked = withSerialTextsHidden(in.cells);
  // The checksum and everything but the serial numbers come from the image itself.
  const Image& shown = masked ? *masked : in.cells;
  const Image& image = in.cells;
  const std::string versionText = version::versionText(image);
  const std::string revisionText = version::revisionText(image);
  std::string line;
  line.reserve(128);

  // Heading.
  blank(out);
  blank(out);
  blank(out);
  centered(out, "Time:  " + reportTime(in.moment));
  out.endElement();
  centered(out, "Date:  " + reportDate(in.moment));
  out.endElement();
  rule70(out);
  rule70(out);
  blank(out);
  centered(out, "DRAVELLIN CORPORATION");
  out.endElement();
  line.assign("EDID Version # ").append(versionText).append(",  Revision # ");
  line.append(revisionText);
  centered(out, line);
  out.endElement();
  line.assign("DDCTest For: ").append(in.brand).append(" ").append(in.model);
  centered(out, line);
  out.endElement();
  rule70(out);
  rule70(out);
  blank(out);

  // Hex dump: the section the data file reader finds again.
  out << kEdidCodeMarker;
  out.endLine().endElement();
  blank(out);
  out << std::string_view("         0   1   2   3   4   5   6   7   8   9");
  out.endLine().endElement();
  out << std::string_view("      ________________________________________");
  out.endLine().endElement();
  for (int r = 0; r <= 12; ++r) {
    // A row laid out whole when its cells hold two characters, as nearly all do.
    char row[64] = {' ', ' '};
    char* at = row + (r == 0 ? 2 : r < 10 ? 1 : 0);
    at = std::to_chars(at, row + sizeof row, r * 10).ptr;
    at = std::copy_n("  |", 3, at);
    for (int c = 0; c <= 9 && r * 10 + c < kEdidSize; ++c) {
      const int i = r * 10 + c;
      const bool hidden = in.hideSerialNumbers && layout::kSerialNumber.contains(i);
      if (!hidden && shown.holdsHex(i)) {
        at[0] = ' ';
        at[1] = ' ';
        at = format::writeHex2(at + 2, shown.byte(i));
        continue;
      }
      const std::string_view cell =
          hidden ? std::string_view("..") : std::string_view(shown.cell(i));
      if (cell.size() == 2) {
        at[0] = ' ';
        at[1] = ' ';
        at[2] = cell[0];
        at[3] = cell[1];
        at += 4;
        continue;
      }
      out << std::string_view(row, static_cast<std::size_t>(at - row));
      at = row;
      out.padLeft(cell, 4);
    }
    at = std::copy(out.lineEnd().begin(), out.lineEnd().end(), at);
    out << std::string_view(row, static_cast<std::size_t>(at - row));
    out.endElement();
  }
  blank(out);
  rule70(out);
  blank(out);

  // Identification.
  vendor::Decoded vendor = vendor::decode(image);
  if (in.hideSerialNumbers) vendor.serialNumber = vendor.completeSerial = "...";
  labelled(out, prefix("(08-09)", "  ID Manufacturer Name ________________", 3, " "),
           vendor.manufacturer);
  labelled(out, prefix("(10-11)", "  Product ID Code _____________________", 3, " "),
           vendor.productCode);
  labelled(out, prefix("(12-15)", "  Last 5 Digits of Serial Number ______", 3, " "),
           vendor.serialNumber);
  labelled(out, prefix("(16)", "  Week of Manufacture _________________", 3, " "), vendor.week);
  labelled(out, prefix("(17)", "  Year of Manufacture _________________", 3, " "), vendor.year);
  labelled(out, prefix("(10-17)", "  Complete Serial Number ______________", 3, " "),
           vendor.completeSerial);
  labelled(out, prefix("(18)", "  EDID Version Number _________________", 3, " "), versionText);
  labelled(out, prefix("(19)", "  EDID Revision Number ________________", 3, " "), revisionText);
  blank(out);

  // Basic display parameters.
  const basic_display::BasicDisplay display = basic_display::decode(image);
  labelled(out, prefix("(20)", "  VIDEO INPUT DEFINITION:"));
  // The input's text runs over two lines.
  out << kPad9;
  out.spaces(10 - static_cast<std::ptrdiff_t>(display.video.text.size()));
  appendLines(out.text(), display.video.text, out.lineEnd());
  out.endLine().endElement();
  blank(out);
  labelled(out, prefix("(21)", "  Maximum Horizontal Image Size ________________", 5, "  "),
           display.horizSizeText);
  labelled(out, prefix("(22)", "  Maximum Vertical Image Size __________________", 5, "  "),
           display.vertSizeText);
  labelled(out, prefix("(23)", "  Display Gamma ________________________________", 5, "  "),
           display.gammaText);
  blank(out);
  labelled(out, prefix("(24)", "  DPMS and Supported Feature(s):"));
  out << kPad9;  // a long list of features wraps
  appendLines(out.text(), display.features.text, out.lineEnd());
  out.endLine().endElement();
  (out << kPad9 << "Display Type = " << display.features.displayTypeText).endLine().endElement();
  blank(out);

  // Chromaticity and established timings.
  labelled(out, prefix("(25-34)", "  CHROMA INFO:"));
  chromaticity::appendLine((out << kPad9).text(), image, false);
  out.endLine().endElement();
  chromaticity::appendLine((out << kPad9).text(), image, true);
  out.endLine().endElement();
  blank(out);
  labelled(out, prefix("(35)", "  ESTABLISHED TIMING I:"));
  established::appendReportText(out.text(), image, established::kTimingsIByte, out.lineEnd());
  out.endLine().endElement();
  blank(out);
  labelled(out, prefix("(36)", "  ESTABLISHED TIMING II:"));
  established::appendReportText(out.text(), image, established::kTimingsIIByte, out.lineEnd());
  out.endLine().endElement();
  blank(out);
  labelled(out, prefix("(37)", "  Manufacturer's Reserved Timing:"));
  const std::size_t before = out.text().size();
  established::appendReportText(out.text(), image, established::kManufacturerByte, out.lineEnd());
  if (out.text().size() == before) out << kPad9 << "  None Specified";
  out.endLine().endElement();
  blank(out);

  // Standard timings.
  labelled(out, prefix("(38-53)", "  Standard Timing Identification:"));
  const bool zeroIs16By10 = standard_timing::zeroAspectIs16By10(image);
  for (int k = 0; k < standard_timing::kTimings; ++k) {
    const int first = standard_timing::firstByteOf(k);
    standard_timing::appendText(
        (out << kPad9).text(),
        standard_timing::codeOf(image.byte(first), image.byte(first + 1), zeroIs16By10));
    out.endLine().endElement();
  }

  // The 18-byte blocks: each a detailed timing or a monitor descriptor.
  for (int k = 0; k < layout::kBlockCount; ++k) {
    rule70(out);
    blank(out);
    const ByteRange bytes = layout::blockRange(k);
    char title[64];
    char* at = title;
    *at++ = '(';
    at = std::to_chars(at, title + 8, bytes.first).ptr;
    *at++ = '-';
    at = std::to_chars(at, title + 16, bytes.last).ptr;
    const std::string_view caption = ") Detailed Timing / Descriptor Block ";
    at = std::copy(caption.begin(), caption.end(), at);
    at = std::to_chars(at, title + sizeof title, k + 1).ptr;
    *at++ = ':';
    out << std::string_view(title, static_cast<std::size_t>(at - title));
    appendBlockReport(shown, k, out.endLine().text(), out.lineEnd());
    out.endLine().endElement();
  }
  blank(out);

  // Extension flag and checksum: the flag's text carries its own line end.
  out.padRight("(126)", 7) << "  ";
  appendLines(out.text(), checksum::extensionBlocksText(image), out.lineEnd());
  out.endElement();
  (out.padRight("(127)", 7) << "  " << checksum::checksumCaption(image)).endLine();
  out.endElement();
  writeExtensionReport(image.extension(), out);
}

}  // namespace

std::vector<std::string> buildReportLines(const ReportInputs& in) {
  ReportBuffer out(true);
  writeReport(in, out);
  std::vector<std::string> lines = out.elements();
  lines.emplace_back(kReportEnd);
  return lines;
}

std::string reportText(const ReportInputs& in) {
  ReportBuffer out(false);
  writeReport(in, out);
  return out.takeText();
}

std::string terminalReportText(const ReportInputs& in) {
  ReportBuffer out(false, "\n");
  writeReport(in, out);
  // Most reports are plain ASCII and are handed over as they are.
  std::string text = out.takeText();
  return isAscii(text) ? text : windows1252ToUtf8(text);
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
