#include "cli/timing_command.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <regex>
#include <tuple>

#include <CLI/CLI.hpp>

#include "core/common/image.h"
#include "core/common/text.h"
#include "core/sections/detailed_timing.h"
#include "core/timing/timing.h"

namespace edid::cli {

namespace {

struct Mode {
  int width = 0;
  int height = 0;
  bool interlaced = false;
  double refresh = 0;
};

// WxH@R, WxHi@R for interlaced.
bool parseMode(const std::string& text, Mode& mode) {
  static const std::regex pattern(R"(^(\d{1,5})x(\d{1,5})(i?)@(\d{1,4}(\.\d+)?)$)");
  std::smatch m;
  if (!std::regex_match(text, m, pattern)) return false;
  mode.width = std::stoi(m[1]);
  mode.height = std::stoi(m[2]);
  mode.interlaced = m[3].length() > 0;
  mode.refresh = std::strtod(m[4].str().c_str(), nullptr);
  return true;
}

// A whole number, 0x... read as hex.
bool parseNumber(const std::string& text, int& value) {
  if (text.empty() || text[0] == '-' || text[0] == '+') return false;
  errno = 0;
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 0);
  if (errno != 0 || *end != '\0' || v > 0xFFFF) return false;
  value = static_cast<int>(v);
  return true;
}

// C,M,K,J[,KHZ]: the secondary GTF curve from KHZ (default 0, every mode) on.
bool parseSecondary(const std::string& text, timing::GtfSecondary& secondary) {
  static const std::regex pattern(R"(^(\d+(\.\d+)?)(,(\d+(\.\d+)?)){3,4}$)");
  if (!std::regex_match(text, pattern)) return false;
  std::vector<double> v;
  for (std::size_t from = 0; from <= text.size();) {
    const std::size_t comma = std::min(text.find(',', from), text.size());
    v.push_back(std::strtod(text.substr(from, comma - from).c_str(), nullptr));
    from = comma + 1;
  }
  // K divides the blanking's slope; a range limits block holds C and J up to 127.5.
  if (v[2] <= 0 || v[0] > 127.5 || v[3] > 127.5) return false;
  secondary.curve = {v[0], v[1], v[2], v[3]};
  secondary.startKHz = v.size() > 4 ? v[4] : 0;
  return true;
}

std::string withUnixLines(std::string text) {
  std::string out;
  for (char c : text)
    if (c != '\r') out += c;
  return out;
}

std::string fixed(double value, int decimals) {
  char text[48];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

}  // namespace

void addTimingOptions(CLI::App& command, TimingRequest& request) {
  for (const char* method : {"--cvt", "--gtf", "--dmt", "--vic"})
    command.add_option_function<std::string>(
        method,
        [&request, method](const std::string& value) {
          request.methods.emplace_back(method, value);
        },
        std::string(method) == "--dmt"   ? "A DMT timing: ID (0x01-0x58) or WxH@R"
        : std::string(method) == "--vic" ? "A CTA-861 timing by its VIC"
                                         : "A timing made for WxH@R");
  command.add_flag("--rb", request.rb, "Reduced blanking (CVT v1, DMT)");
  command.add_flag("--rb2", request.rb2, "CVT reduced blanking v2");
  command.add_flag("--interlaced", request.interlaced, "Interlaced (CVT, GTF)");
  command.add_flag("--margins", request.margins, "With margins (CVT, GTF)");
  command.add_flag("--hex", request.hexOnly, "Print the 18 bytes alone");
  command.add_flag("--video-optimized", request.videoOptimized, "RB2 clock lowered by 1000/1001");
  command.add_option_function<std::string>(
      "--gtf-secondary", [&request](const std::string& value) { request.secondary = value; },
      "C,M,K,J[,KHZ]: the secondary GTF curve from KHZ on");
}

int timingCommand(const TimingRequest& request, std::ostream& out, std::ostream& err,
                  std::string& usageProblem) {
  if (request.methods.size() > 1) {
    usageProblem = "timing takes one of --cvt, --gtf, --dmt and --vic";
    return 2;
  }
  std::string method, value;
  if (!request.methods.empty()) std::tie(method, value) = request.methods.front();
  const bool rb = request.rb, rb2 = request.rb2, margins = request.margins;
  const bool hexOnly = request.hexOnly, videoOptimized = request.videoOptimized;
  bool interlaced = request.interlaced;
  std::optional<timing::GtfSecondary> secondary;
  if (request.secondary) {
    secondary.emplace();
    if (!parseSecondary(*request.secondary, *secondary)) {
      usageProblem =
          "timing --gtf-secondary needs C,M,K,J[,KHZ], such as 30,200,100,10 "
          "(K above 0, C and J at most 127.5)";
      return 2;
    }
  }
  if (method.empty()) {
    usageProblem = "timing needs --cvt, --gtf, --dmt or --vic";
    return 2;
  }
  if ((rb || rb2) && method != "--cvt" && !(rb && !rb2 && method == "--dmt")) {
    usageProblem = "timing: --rb goes with --cvt or --dmt, --rb2 with --cvt";
    return 2;
  }
  if (rb && rb2) {
    usageProblem = "timing: choose --rb or --rb2";
    return 2;
  }
  if (videoOptimized && !(method == "--cvt" && rb2)) {
    usageProblem = "timing: --video-optimized goes with --cvt and --rb2";
    return 2;
  }
  if (secondary && method != "--gtf") {
    usageProblem = "timing: --gtf-secondary goes with --gtf";
    return 2;
  }
  if ((interlaced || margins) && method != "--cvt" && method != "--gtf") {
    usageProblem = "timing: --interlaced and --margins go with --cvt or --gtf";
    return 2;
  }

  Mode mode;
  const bool isMode = parseMode(value, mode);
  int number = 0;
  Result<timing::Timing> made = failure("");
  if (method == "--cvt" || method == "--gtf" || (method == "--dmt" && isMode)) {
    if (!isMode) {
      usageProblem = "timing " + method + " needs WIDTHxHEIGHT@REFRESH, such as 1920x1080@60";
      return 2;
    }
    interlaced = interlaced || mode.interlaced;
    if (method == "--cvt") {
      timing::CvtOptions o;
      o.blanking = rb2  ? timing::CvtBlanking::ReducedV2
                   : rb ? timing::CvtBlanking::Reduced
                        : timing::CvtBlanking::Standard;
      o.interlaced = interlaced;
      o.margins = margins;
      o.videoOptimized = videoOptimized;
      made = timing::cvt(mode.width, mode.height, mode.refresh, o);
    } else if (method == "--gtf") {
      timing::GtfOptions o;
      o.interlaced = interlaced;
      o.margins = margins;
      o.secondary = secondary;
      made = timing::gtf(mode.width, mode.height, mode.refresh, o);
    } else {
      if (mode.interlaced) {
        usageProblem = "timing --dmt takes an ID or WIDTHxHEIGHT@REFRESH";
        return 2;
      }
      made = timing::dmt(mode.width, mode.height, mode.refresh, rb);
    }
  } else if (!parseNumber(value, number)) {
    usageProblem = method == "--vic" ? "timing --vic needs a number"
                                     : "timing --dmt takes an ID or WIDTHxHEIGHT@REFRESH";
    return 2;
  } else if (method == "--vic") {
    made = timing::vic(number);
  } else {
    if (rb) {
      usageProblem = "timing --dmt ID takes no --rb: the ID names the timing";
      return 2;
    }
    made = timing::dmt(number);
  }
  if (!made) {
    err << "edidtool: " << made.error() << '\n';
    return 1;
  }
  const timing::Timing& t = *made;
  const auto bytes = timing::encodeDescriptor(t);
  if (!bytes) {
    err << "edidtool: " << t.name << ": " << bytes.error() << '\n';
    return 1;
  }
  std::string hex;
  for (std::uint8_t b : *bytes) hex += (hex.empty() ? "" : " ") + ByteToHex(b);
  if (hexOnly) {
    out << hex << '\n';
    return 0;
  }
  out << t.name << ": " << fixed(t.pixelClockKHz / 1000.0, 3) << " MHz, "
      << fixed(t.horizontalKHz(), 3) << " kHz, " << fixed(t.verticalHz(), 3) << " Hz"
      << (t.interlaced ? " (fields)" : "") << '\n';
  const int stored = timing::storedPixelClockKHz(t);
  if (stored != t.pixelClockKHz)
    out << "The descriptor holds the clock in 10 kHz steps: " << fixed(stored / 1000.0, 2)
        << " MHz.\n";
  Image image;
  for (int i = 0; i < 18; ++i) image.setByte(54 + i, (*bytes)[static_cast<std::size_t>(i)]);
  out << '\n' << withUnixLines(detailed_timing::decode(image, 54).reportText);
  out << "Bytes: " << hex << '\n';
  return 0;
}

}  // namespace edid::cli
