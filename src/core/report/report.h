#pragma once
// The decoded report: a fixed-layout text, 70 columns wide, built from the byte
// cells, the monitor's brand and model and the time. Each section is decoded from
// the cells where its lines are laid out, so the report cannot drift from the image
// it shows. The same lines are shown in the document window and written as the data file.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/common/image.h"

namespace edid {

/// The element that ends the report's lines; readers stop there.
inline constexpr const char* kReportEnd = "END REPORT";

/// The line that heads the hex dump; the data file reader looks for it.
inline constexpr const char* kEdidCodeMarker = "128 BYTES OF EDID CODE:";

/// A calendar moment as the report heading prints it.
struct ReportMoment {
  int year = 1970;
  int month = 1;    ///< 1..12
  int day = 1;      ///< 1..31
  int weekday = 4;  ///< 0 = Sunday .. 6 = Saturday
  int hour = 0;     ///< 0..23
  int minute = 0;
  int second = 0;
  bool operator==(const ReportMoment&) const = default;
};

/// The moment in UTC that lies the given seconds after 1970-01-01 00:00:00.
ReportMoment momentFromEpoch(std::int64_t seconds);

/// The whole seconds in SOURCE_DATE_EPOCH (0 up to the end of year 9999); empty
/// when it is unset or malformed.
std::optional<std::int64_t> sourceDateEpoch();

/// The moment a report is built: when SOURCE_DATE_EPOCH holds a whole number of
/// seconds (0 up to the end of year 9999), that moment in UTC, so that output can be
/// reproduced; otherwise (unset or malformed) the current local time.
ReportMoment currentReportMoment();

/// "HH:MM:SS", hours 00..23.
std::string reportTime(const ReportMoment& moment);
/// "DDD MMM DD, YYYY" with English abbreviations: "Sat Dec 05, 2026".
std::string reportDate(const ReportMoment& moment);

/// The report text of 18-byte block k (0..3): a monitor descriptor when its first
/// three bytes are 00, otherwise a detailed timing. Empty when the block has none.
std::string blockReportText(const Image& image, int block);

/// What the report lays out.
struct ReportInputs {
  const std::string& brand;  ///< the monitor's brand
  const std::string& model;  ///< the monitor's model
  const Image& cells;        ///< the byte cells 0..127: dumped as they stand, and decoded
  ReportMoment moment;       ///< time and date of the heading
  /// The serial number and the serial number descriptor's text shown as "...", their
  /// bytes in the dump as "..", for sharing a report in public.
  bool hideSerialNumbers = false;
};

/// The report, one element per line (each ending with CR LF) or per multi-line value,
/// in order, ending with the element kReportEnd. Never changes the cells; malformed
/// ones read by the HexToChr rules. Elements that only space the text
/// hold a bare CR LF; an element can be empty when its value is.
std::vector<std::string> buildReportLines(const ReportInputs& inputs);

/// The report as one text, as joinReportLines(buildReportLines(inputs)) gives it,
/// written straight into one buffer.
std::string reportText(const ReportInputs& inputs);

/// The report as a terminal reads it: the same text with LF line ends, in UTF-8.
std::string terminalReportText(const ReportInputs& inputs);

/// The report of an image.
std::vector<std::string> reportLinesOf(const Image& image, const std::string& brand,
                                       const std::string& model, const ReportMoment& moment,
                                       bool hideSerialNumbers = false);

/// The report as one text: the elements before kReportEnd, concatenated.
std::string joinReportLines(const std::vector<std::string>& lines);

}  // namespace edid
