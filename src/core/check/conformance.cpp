#include "core/check/conformance.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <chrono>
#include <cstdarg>
#include <cstring>
#include <optional>
#include <utility>

#include "core/common/extension_blocks.h"
#include "core/common/format.h"
#include "core/timing/timing.h"

namespace edid::check {

namespace {

constexpr int kBlock = 128;

// printf for the few conversions the messages use (%d %ld %zu %s %.2f %.3f, and
// %02X of a byte), written by the format helpers: vsnprintf cost as much as the
// rest of the check.
std::string say(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string say(const char* format, ...) {
  std::string out;
  out.reserve(128);
  va_list args;
  va_start(args, format);
  for (const char* p = format; *p;) {
    const char* percent = std::strchr(p, '%');
    if (!percent) {
      out += p;
      break;
    }
    out.append(p, static_cast<std::size_t>(percent - p));
    p = percent + 1;
    switch (*p++) {
      case 'd':
        format::appendInt(out, va_arg(args, int));
        break;
      case 'l':  // %ld
        ++p;
        format::appendInt(out, va_arg(args, long));
        break;
      case 'z':  // %zu
        ++p;
        format::appendInt(out, static_cast<std::int64_t>(va_arg(args, std::size_t)));
        break;
      case 's':
        out += va_arg(args, const char*);
        break;
      case '0':  // %02X, of a byte
        p += 2;
        format::appendHex2(out, va_arg(args, int));
        break;
      case '.': {  // %.2f, %.3f
        const int places = *p - '0';
        p += 2;
        format::appendFixed(out, va_arg(args, double), places);
        break;
      }
      default:  // %%
        out += '%';
        break;
    }
  }
  va_end(args);
  return out;
}

// A timing the EDID claims, reduced to what the range limits bound. It keeps the
// numbers of its name, which is made only for a finding: most timings are within
// the limits.
struct Claimed {
  enum class Kind : std::uint8_t { Established, Standard, Detailed, CtaDetailed, Vic };
  Kind kind = Kind::Established;
  bool interlaced = false;
  int number = 0;  // established bit, standard or detailed timing slot, VIC
  int width = 0, height = 0, refresh = 0;
  double hKHz = 0;
  double vHz = 0;
  double clockMHz = 0;
};

// The fields of an 18-byte detailed timing.
struct Dtd {
  int clockKHz, hActive, hBlank, vActive, vBlank, hFront, hSync, vFront, vSync;
  int hImage, vImage, hBorder, vBorder;
  bool interlaced;
  double hKHz() const {
    const int total = hActive + hBlank + 2 * hBorder;
    return total ? static_cast<double>(clockKHz) / total : 0;
  }
  double vHz() const {
    const double lines = vActive + vBlank + 2 * vBorder + (interlaced ? 0.5 : 0.0);
    return lines ? hKHz() * 1000 / lines : 0;
  }
};

Dtd dtdOf(const std::uint8_t* d) {
  Dtd t{};
  t.clockKHz = (d[0] | d[1] << 8) * 10;
  t.hActive = d[2] | (d[4] >> 4) << 8;
  t.hBlank = d[3] | (d[4] & 0x0F) << 8;
  t.vActive = d[5] | (d[7] >> 4) << 8;
  t.vBlank = d[6] | (d[7] & 0x0F) << 8;
  t.hFront = d[8] | (d[11] >> 6) << 8;
  t.hSync = d[9] | ((d[11] >> 4) & 3) << 8;
  t.vFront = (d[10] >> 4) | ((d[11] >> 2) & 3) << 4;
  t.vSync = (d[10] & 0x0F) | (d[11] & 3) << 4;
  t.hImage = d[12] | (d[14] >> 4) << 8;
  t.vImage = d[13] | (d[14] & 0x0F) << 8;
  t.hBorder = d[15];
  t.vBorder = d[16];
  t.interlaced = (d[17] & 0x80) != 0;
  return t;
}

Claimed claimedOf(Claimed::Kind kind, int number, const timing::Timing& t) {
  Claimed c;
  c.kind = kind;
  c.number = number;
  c.hKHz = t.horizontalKHz();
  c.vHz = t.verticalHz();
  c.clockMHz = t.pixelClockKHz / 1000.0;
  return c;
}

const char* dtdName(bool cta) {
  return cta ? "CTA-861 detailed timing" : "Detailed timing";
}

// Established timings I and II and the manufacturer's timing, bit 7 of byte 35
// first, with their rates from VESA DMT (and the IBM and Apple modes' own).
struct Established {
  const char* name;
  double hKHz, vHz, clockMHz;
};
constexpr std::array<Established, 17> kEstablished = {{
    {"720x400@70", 31.469, 70.08, 28.32},
    {"720x400@88", 39.444, 87.85, 35.5},
    {"640x480@60", 31.469, 59.94, 25.175},
    {"640x480@67", 35.0, 66.67, 30.24},
    {"640x480@72", 37.861, 72.81, 31.5},
    {"640x480@75", 37.5, 75.0, 31.5},
    {"800x600@56", 35.156, 56.25, 36.0},
    {"800x600@60", 37.879, 60.32, 40.0},
    {"800x600@72", 48.077, 72.19, 50.0},
    {"800x600@75", 46.875, 75.0, 49.5},
    {"832x624@75", 49.726, 74.55, 57.284},
    {"1024x768i@87", 35.522, 86.96, 44.9},
    {"1024x768@60", 48.363, 60.0, 65.0},
    {"1024x768@70", 56.476, 70.07, 75.0},
    {"1024x768@75", 60.023, 75.03, 78.75},
    {"1280x1024@75", 79.976, 75.02, 135.0},
    {"1152x870@75", 68.681, 75.06, 100.0},
}};

std::string nameOf(const Claimed& c) {
  switch (c.kind) {
    case Claimed::Kind::Established:
      return std::string("Established ") + kEstablished[c.number].name;
    case Claimed::Kind::Standard:
      return say("Standard timing %d (%dx%d@%d)", c.number, c.width, c.height, c.refresh);
    case Claimed::Kind::Detailed:
    case Claimed::Kind::CtaDetailed:
      return say("%s %d (%dx%d%s)", dtdName(c.kind == Claimed::Kind::CtaDetailed), c.number,
                 c.width, c.height, c.interlaced ? "i" : "");
    case Claimed::Kind::Vic:
      break;
  }
  return say("VIC %d", c.number);
}

class Checker {
 public:
  Checker(std::span<const std::uint8_t> edid, const Options& options)
      : m_edid(edid), m_options(options) {
    // Room for a typical EDID's timings: growing the vectors costs more than the check.
    m_claimed.reserve(64);
    m_dtds.reserve(8);
  }

  std::vector<Finding> run();

 private:
  const std::uint8_t* block(int n) const { return m_edid.data() + n * kBlock; }
  int blocks() const { return static_cast<int>(m_edid.size()) / kBlock; }
  void fail(int blk, int first, int last, std::string message) {
    m_findings.push_back({Severity::Failure, blk, first, last, std::move(message)});
  }
  void warn(int blk, int first, int last, std::string message) {
    m_findings.push_back({Severity::Warning, blk, first, last, std::move(message)});
  }

  void header();
  void identity();
  void basicDisplay();
  void chromaticity();
  void standardTimings();
  void baseSlots();
  void descriptor(int slot, const std::uint8_t* d);
  void text(int slot, const std::uint8_t* d, const char* what);
  void rangeLimits(int slot, const std::uint8_t* d);
  // Detailed timing n of the base block or (cta) of a CTA-861 block.
  void detailedTiming(int blk, int offset, bool cta, int n);
  void extensions();
  void cta(int blk);
  void ctaDataBlocks(int blk, int end);
  void rangeAgainstTimings();

  std::span<const std::uint8_t> m_edid;
  Options m_options;
  std::vector<Finding> m_findings;
  int m_minor = 3;
  bool m_digital = false;
  bool m_continuous = false;
  std::vector<Claimed> m_claimed;
  // The range limits descriptor: its slot and rates.
  int m_rangeSlot = -1;
  int m_vMin = 0, m_vMax = 0, m_hMin = 0, m_hMax = 0, m_clockMax = 0;
  // Detailed timings in EDID order (base block first), for the native timings.
  std::vector<Dtd> m_dtds;
  // CTA-861 facts across blocks.
  std::bitset<0x800> m_onceSeen;  // keys of the data blocks that may appear once
  bool m_hasVcdb = false;
  bool m_hasVic1 = false;
  int m_nativeDtds = 0;
  std::vector<std::pair<int, int>> m_nativeVicSizes;
  int m_firstCta = -1;
};

std::vector<Finding> Checker::run() {
  if (m_edid.size() < kBlock) {
    fail(0, 0, static_cast<int>(m_edid.size()) - 1,
         say("EDID size: %zu bytes, a base block needs 128", m_edid.size()));
    return std::move(m_findings);
  }
  if (m_edid.size() % kBlock)
    fail(blocks(), 0, static_cast<int>(m_edid.size() % kBlock) - 1,
         say("EDID size: %zu bytes is not a whole number of 128-byte blocks", m_edid.size()));
  header();
  identity();
  basicDisplay();
  chromaticity();
  standardTimings();
  baseSlots();
  extensions();
  rangeAgainstTimings();
  const auto before = [](const Finding& a, const Finding& b) {
    return a.block != b.block ? a.block < b.block : a.first < b.first;
  };
  if (!std::is_sorted(m_findings.begin(), m_findings.end(), before))
    std::stable_sort(m_findings.begin(), m_findings.end(), before);
  return std::move(m_findings);
}

void Checker::header() {
  const std::uint8_t* b = block(0);
  static constexpr std::uint8_t kHeader[8] = {0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0};
  if (!std::equal(b, b + 8, kHeader))
    fail(0, 0, 7,
         say("Header: %02X %02X %02X %02X %02X %02X %02X %02X, not 00 FF FF FF FF FF FF 00", b[0],
             b[1], b[2], b[3], b[4], b[5], b[6], b[7]));
  for (int n = 0; n < blocks(); ++n) {
    int sum = 0;
    for (int i = 0; i < kBlock; ++i) sum += block(n)[i];
    if (sum % 256)
      fail(n, 127, 127,
           say("Checksum: byte 127 is %02X, the block needs %02X to sum to 00", block(n)[127],
               (block(n)[127] - sum % 256 + 256) % 256));
  }
  if (b[126] != blocks() - 1)
    fail(0, 126, 126,
         say("Extension count: byte 126 says %d extension block(s), %d present", b[126],
             blocks() - 1));
}

void Checker::identity() {
  const std::uint8_t* b = block(0);
  if (b[18] != 1 || b[19] > 4)
    fail(0, 18, 19, say("Version: %d.%d is not an EDID version 1.0-1.4", b[18], b[19]));
  m_minor = b[18] == 1 ? std::min<int>(b[19], 4) : 4;

  const int id = b[8] << 8 | b[9];
  const int letters[3] = {(id >> 10) & 31, (id >> 5) & 31, id & 31};
  if ((id & 0x8000) || std::any_of(letters, letters + 3, [](int l) { return l < 1 || l > 26; }))
    fail(0, 8, 9,
         say("Manufacturer ID: %02X %02X holds letter codes %d, %d, %d, not A-Z (1-26) with bit 15 "
             "clear",
             b[8], b[9], letters[0], letters[1], letters[2]));

  const int week = b[16];
  const int year = 1990 + b[17];
  // Weeks run to 53 before 1.4; 1.4 adds week 54 and FF for a model year.
  if (m_minor >= 4 ? week > 54 && week != 0xFF : week > 53)
    fail(0, 16, 16,
         say("Manufacture week: %d is not 0-%s", week,
             m_minor >= 4 ? "54 or 255 (model year)" : "53"));
  int now = m_options.currentYear;
  if (!now) {
    const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    now = static_cast<int>(std::chrono::year_month_day(today).year());
  }
  if (m_minor >= 4 && b[17] < 0x10)
    fail(0, 17, 17,
         say("Manufacture year: %d is before 2006, the first year EDID 1.4 allows", year));
  else if (year > now + 1)
    fail(0, 17, 17, say("Manufacture year: %d is more than a year after %d", year, now));
}

void Checker::basicDisplay() {
  const std::uint8_t* b = block(0);
  const int input = b[20];
  m_digital = (input & 0x80) != 0;
  if (m_digital && m_minor >= 4) {
    if (((input >> 4) & 7) == 7)
      fail(0, 20, 20,
           say("Video input: colour depth value 7 (bits 6-4 of %02X) is reserved", input));
    if ((input & 0x0F) > 5)
      fail(0, 20, 20,
           say("Video input: interface value %d (bits 3-0 of %02X) is reserved", input & 0x0F,
               input));
  } else if (m_digital && (input & (m_minor >= 2 ? 0x7E : 0x7F))) {
    fail(0, 20, 20,
         say("Video input: bits 6-%d of a digital input (%02X) are reserved in EDID 1.%d",
             m_minor >= 2 ? 1 : 0, input, m_minor));
  }
  if (b[23] == 0xFF && m_minor < 4)
    warn(0, 23, 23, say("Gamma: FF (gamma given elsewhere) needs EDID 1.4; this is 1.%d", m_minor));

  const int features = b[24];
  m_continuous = m_minor >= 4 && (features & 1);
  if (m_minor == 3 && !(features & 2))
    fail(0, 24, 24,
         say("Features: EDID 1.3 requires bit 1 (preferred timing in the first detailed timing), "
             "byte 24 is %02X",
             features));

  static constexpr std::uint8_t kSrgb[10] = {0xEE, 0x91, 0xA3, 0x54, 0x4C,
                                             0x99, 0x26, 0x0F, 0x50, 0x54};
  const bool srgbPoints = std::equal(b + 25, b + 35, kSrgb);
  if ((features & 4) && !srgbPoints)
    fail(0, 24, 34,
         "sRGB: feature bit 2 says sRGB, but the chromaticities (bytes 25-34) are not sRGB's "
         "(EE 91 A3 54 4C 99 26 0F 50 54)");
  else if (!(features & 4) && srgbPoints)
    fail(0, 24, 34,
         say("sRGB: the chromaticities are sRGB's, but feature bit 2 (byte 24 = %02X) is clear",
             features));
}

void Checker::chromaticity() {
  const std::uint8_t* b = block(0);
  if (std::all_of(b + 25, b + 35, [](std::uint8_t v) { return v == 0; })) return;
  // 10-bit coordinates: high bits in bytes 27-34, low bit pairs in 25-26.
  auto coordinate = [&](int high, int lowByte, int shift) {
    return (b[high] << 2 | ((b[lowByte] >> shift) & 3)) / 1024.0;
  };
  struct Point {
    const char* name;
    double x, y;
  };
  const Point points[4] = {{"red", coordinate(27, 25, 6), coordinate(28, 25, 4)},
                           {"green", coordinate(29, 25, 2), coordinate(30, 25, 0)},
                           {"blue", coordinate(31, 26, 6), coordinate(32, 26, 4)},
                           {"white", coordinate(33, 26, 2), coordinate(34, 26, 0)}};
  bool valid = true;
  for (const Point& p : points) {
    if (p.y <= 0 || p.x + p.y > 1) {
      fail(0, 25, 34,
           say("Chromaticity: %s (%.3f, %.3f) is no colour: y must be above 0 and x + y at most 1",
               p.name, p.x, p.y));
      valid = false;
    }
  }
  if (!valid) return;
  auto side = [](const Point& a, const Point& c, const Point& p) {
    return (c.x - a.x) * (p.y - a.y) - (c.y - a.y) * (p.x - a.x);
  };
  const Point& w = points[3];
  const double s1 = side(points[0], points[1], w);
  const double s2 = side(points[1], points[2], w);
  const double s3 = side(points[2], points[0], w);
  const bool inside = (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
  if (!inside)
    fail(0, 25, 34,
         say("Chromaticity: white point (%.3f, %.3f) lies outside the red-green-blue triangle", w.x,
             w.y));
}

void Checker::standardTimings() {
  const std::uint8_t* b = block(0);
  static constexpr std::uint8_t kEstablishedBytes[3] = {35, 36, 37};
  int bit = 0;
  for (const std::uint8_t byte : kEstablishedBytes)
    for (int i = 7; i >= 0 && bit < 17; --i, ++bit)
      if (b[byte] >> i & 1) {
        const Established& e = kEstablished[bit];
        Claimed c;
        c.number = bit;
        c.hKHz = e.hKHz;
        c.vHz = e.vHz;
        c.clockMHz = e.clockMHz;
        m_claimed.push_back(c);
      }

  for (int n = 0; n < 8; ++n) {
    const int at = 38 + 2 * n;
    const int b1 = b[at], b2 = b[at + 1];
    if (b1 == 1 && b2 == 1) continue;
    if (b1 <= 1) {
      fail(0, at, at + 1,
           say("Standard timing %d: %02X %02X gives no width (byte 1 below 02); an unused slot is "
               "01 01",
               n + 1, b1, b2));
      continue;
    }
    if (b1 == 0x20 && b2 == 0x20) {
      fail(0, at, at + 1, say("Standard timing %d: an unused slot is 01 01, not 20 20", n + 1));
      continue;
    }
    const int width = (b1 + 31) * 8;
    const int aspect = b2 >> 6;
    static constexpr int kRatio[4][2] = {{16, 10}, {4, 3}, {5, 4}, {16, 9}};
    const int refresh = (b2 & 0x3F) + 60;
    int height = width * kRatio[aspect][1] / kRatio[aspect][0];
    // Before 1.3, 00 is 1:1 unless the code is a DMT's own (those are 16:10).
    if (aspect == 0 && m_minor < 3 && !timing::findDmt(width, height, refresh)) {
      height = width;
      warn(0, at, at + 1,
           say("Standard timing %d: aspect bits 00 mean 1:1 before EDID 1.3 (%dx%d)", n + 1, width,
               width));
    }
    const auto claim = [&](const timing::Timing& t) {
      Claimed c = claimedOf(Claimed::Kind::Standard, n + 1, t);
      c.width = width;
      c.height = height;
      c.refresh = refresh;
      m_claimed.push_back(c);
    };
    if (auto t = timing::findDmt(width, height, refresh))
      claim(*t);
    else if (auto g = timing::gtf(width, height, refresh))
      claim(*g);
  }
}

void Checker::baseSlots() {
  const std::uint8_t* b = block(0);
  int names = 0, ranges = 0, serials = 0;
  for (int slot = 0; slot < 4; ++slot) {
    const int at = 54 + 18 * slot;
    const std::uint8_t* d = b + at;
    if (d[0] || d[1]) {
      detailedTiming(0, at, false, slot + 1);
      continue;
    }
    if (slot == 0 && m_minor >= 3)
      fail(0, 54, 71,
           say("Detailed timing 1: EDID 1.%d requires the preferred timing in bytes 54-71, found a "
               "descriptor (tag %02X)",
               m_minor, d[3]));
    names += d[3] == 0xFC;
    serials += d[3] == 0xFF;
    if (d[3] == 0xFD) {
      if (++ranges == 2)
        fail(0, at, at + 17,
             say("Descriptor %d: a second range limits descriptor (FD); only one may appear",
                 slot + 1));
    }
    descriptor(slot, d);
  }
  (void)serials;
  if (m_minor >= 3 && !names)
    fail(
        0, 54, 125,
        say("Descriptors: EDID 1.%d requires a monitor name descriptor (FC), none found", m_minor));
  if ((m_minor == 3 || m_continuous) && !ranges)
    fail(
        0, 54, 125,
        m_minor == 3
            ? std::string(
                  "Descriptors: EDID 1.3 requires a range limits descriptor (FD), none found")
            : std::string("Descriptors: continuous frequencies (feature bit 0) need a range limits "
                          "descriptor (FD), none found"));
}

void Checker::descriptor(int slot, const std::uint8_t* d) {
  const int at = 54 + 18 * slot;
  const int tag = d[3];
  if (std::all_of(d, d + 18, [](std::uint8_t v) { return v == 0; })) {
    fail(0, at, at + 17,
         say("Descriptor %d: all 18 bytes are 00; an unused descriptor is the dummy (tag 10)",
             slot + 1));
    return;
  }
  if (m_minor == 0)
    fail(0, at, at + 17,
         say("Descriptor %d: EDID 1.0 has detailed timings only, found a descriptor (tag %02X)",
             slot + 1, tag));
  if (d[2])
    fail(0, at + 2, at + 2, say("Descriptor %d: reserved byte 2 is %02X, not 00", slot + 1, d[2]));
  if (d[4] && !(tag == 0xFD && m_minor >= 4))
    fail(0, at + 4, at + 4, say("Descriptor %d: reserved byte 4 is %02X, not 00", slot + 1, d[4]));
  if (tag >= 0x11 && tag <= 0xF6)
    fail(0, at + 3, at + 3, say("Descriptor %d: tag %02X is reserved", slot + 1, tag));
  else if ((tag == 0xF7 || tag == 0xF8) && m_minor < 4)
    warn(0, at + 3, at + 3,
         say("Descriptor %d: tag %02X needs EDID 1.4; this is 1.%d", slot + 1, tag, m_minor));
  switch (tag) {
    case 0xFC:
      text(slot, d, "monitor name");
      break;
    case 0xFE:
      text(slot, d, "text");
      break;
    case 0xFF:
      text(slot, d, "serial number");
      break;
    case 0xFD:
      rangeLimits(slot, d);
      break;
    default:
      break;
  }
}

void Checker::text(int slot, const std::uint8_t* d, const char* what) {
  const int at = 54 + 18 * slot;
  int end = 18;  // the line feed's byte, if any
  for (int i = 5; i < 18; ++i)
    if (d[i] == 0x0A) {
      end = i;
      break;
    }
  if (end == 5) {
    fail(0, at + 5, at + 17, say("Descriptor %d: the %s is empty", slot + 1, what));
    return;
  }
  for (int i = 5; i < end; ++i)
    if (d[i] < 0x20 || d[i] > 0x7E) {
      fail(0, at + i, at + i,
           say("Descriptor %d: the %s has the unprintable byte %02X at byte %d", slot + 1, what,
               d[i], at + i));
      return;
    }
  if (d[end - 1] == 0x20)
    fail(0, at + 5, at + end - 1,
         say("Descriptor %d: the %s ends in spaces; pad after a 0A instead", slot + 1, what));
  for (int i = end + 1; i < 18; ++i)
    if (d[i] != 0x20) {
      fail(0, at + i, at + i,
           say("Descriptor %d: padding byte %d after the 0A is %02X, not 20", slot + 1, at + i,
               d[i]));
      return;
    }
}

void Checker::rangeLimits(int slot, const std::uint8_t* d) {
  const int at = 54 + 18 * slot;
  const int offsets = m_minor >= 4 ? d[4] : 0;
  if (m_minor >= 4 &&
      ((offsets & 0xF0) || ((offsets & 2) && !(offsets & 1)) || ((offsets & 8) && !(offsets & 4))))
    fail(0, at + 4, at + 4,
         say("Range limits: offsets byte 4 is %02X; bits 7-4 are reserved and a minimum's +255 "
             "needs the maximum's",
             d[4]));
  m_rangeSlot = slot;
  m_vMin = d[5] + (offsets & 2 ? 255 : 0);
  m_vMax = d[6] + (offsets & 1 ? 255 : 0);
  m_hMin = d[7] + (offsets & 8 ? 255 : 0);
  m_hMax = d[8] + (offsets & 4 ? 255 : 0);
  m_clockMax = d[9] * 10;
  if (m_vMin > m_vMax)
    fail(0, at + 5, at + 6,
         say("Range limits: minimum vertical rate %d Hz is above the maximum %d Hz", m_vMin,
             m_vMax));
  if (m_hMin > m_hMax)
    fail(0, at + 7, at + 8,
         say("Range limits: minimum horizontal rate %d kHz is above the maximum %d kHz", m_hMin,
             m_hMax));
  const int support = d[10];
  if (support == 0x01 || support == 0x04) {
    if (m_minor < 4)
      fail(0, at + 10, at + 10,
           say("Range limits: timing support %02X (%s) needs EDID 1.4; this is 1.%d", support,
               support == 1 ? "range limits only" : "CVT", m_minor));
  } else if (support != 0x00 && support != 0x02) {
    fail(0, at + 10, at + 10, say("Range limits: timing support %02X is reserved", support));
  }
  if ((support == 0x00 || support == 0x02) && m_minor >= 4 && !m_continuous)
    fail(0, at + 10, at + 10,
         say("Range limits: GTF (timing support %02X) needs continuous frequencies, but feature "
             "bit 0 (byte 24) is clear",
             support));
  if (support == 0x00 || support == 0x01) {
    if (d[11] != 0x0A || !std::all_of(d + 12, d + 18, [](std::uint8_t v) { return v == 0x20; }))
      fail(0, at + 11, at + 17,
           say("Range limits: bytes %d-%d after timing support %02X must be 0A 20 20 20 20 20 20",
               at + 11, at + 17, support));
  }
}

void Checker::detailedTiming(int blk, int offset, bool cta, int n) {
  const char* name = dtdName(cta);
  const Dtd t = dtdOf(block(blk) + offset);
  m_dtds.push_back(t);
  const int last = offset + 17;
  if (t.clockKHz < 10000) {
    fail(blk, offset, offset + 1,
         say("%s %d: pixel clock %.2f MHz is below 10 MHz", name, n, t.clockKHz / 1000.0));
    return;
  }
  if (!t.hActive || !t.hBlank || !t.vActive || !t.vBlank || !t.hSync || !t.vSync) {
    fail(blk, offset, last,
         say("%s %d: zero counts: horizontal active %d, blanking %d, sync %d; vertical active %d, "
             "blanking %d, sync %d",
             name, n, t.hActive, t.hBlank, t.hSync, t.vActive, t.vBlank, t.vSync));
    return;
  }
  Claimed c;
  c.kind = cta ? Claimed::Kind::CtaDetailed : Claimed::Kind::Detailed;
  c.number = n;
  c.width = t.hActive;
  c.height = t.vActive;
  c.interlaced = t.interlaced;
  c.hKHz = t.hKHz();
  c.vHz = t.vHz();
  c.clockMHz = t.clockKHz / 1000.0;
  m_claimed.push_back(c);
  if (t.hFront + t.hSync >= t.hBlank)
    fail(blk, offset + 3, offset + 11,
         say("%s %d: horizontal sync ends at %d, %s the blanking ends at %d", name, n,
             t.hActive + t.hFront + t.hSync, t.hFront + t.hSync > t.hBlank ? "after" : "where",
             t.hActive + t.hBlank));
  if (t.vFront + t.vSync >= t.vBlank)
    fail(blk, offset + 6, offset + 11,
         say("%s %d: vertical sync ends at %d, %s the blanking ends at %d", name, n,
             t.vActive + t.vFront + t.vSync, t.vFront + t.vSync > t.vBlank ? "after" : "where",
             t.vActive + t.vBlank));
  // The basic display size is in cm; allow its rounding (9 mm).
  const int width = block(0)[21] * 10, height = block(0)[22] * 10;
  if (!width && !height) {
    if (t.hImage && t.vImage && t.hImage <= 2559 && t.vImage <= 2559)
      fail(blk, offset + 12, offset + 14,
           say("%s %d: image size %dx%d mm, but the display size (bytes 21-22) is not given", name,
               n, t.hImage, t.vImage));
    return;
  }
  if (!t.hImage && !t.vImage) {
    fail(blk, offset + 12, offset + 14,
         say("%s %d: no image size, though the display size is %dx%d cm", name, n, width / 10,
             height / 10));
  } else if (t.hImage > width + 9 || t.vImage > height + 9 ||
             (t.hImage < width - 9 && t.vImage < height - 9)) {
    fail(blk, offset + 12, offset + 14,
         say("%s %d: image size %dx%d mm does not match the display size %dx%d cm", name, n,
             t.hImage, t.vImage, width / 10, height / 10));
  }
}

void Checker::extensions() {
  for (int n = 1; n < blocks(); ++n) {
    const int tag = block(n)[0];
    const bool known = tag == 0x10 || tag == 0x40 || tag == 0x50 || tag == 0x70 || tag == 0xF0;
    if (tag == 0x02) {
      cta(n);
    } else if (!known) {
      fail(n, 0, 0, say("Extension: block %d has the unknown tag %02X", n, tag));
    } else if (tag == 0xF0 && n != 1 && n != 128) {
      fail(n, 0, 0, say("Extension: a block map (F0) belongs in block 1 or 128, not %d", n));
    }
  }
  if (m_minor == 3 && blocks() > 2 && block(1)[0] != 0xF0)
    fail(1, 0, 0,
         say("Extension: EDID 1.3 with %d blocks needs a block map (F0) in block 1, found tag %02X",
             blocks(), block(1)[0]));
  if (m_firstCta < 0) return;

  // Rules over the CTA-861 blocks together.
  const std::uint8_t* first = block(m_firstCta);
  if (first[1] >= 3 && !m_hasVcdb)
    fail(m_firstCta, 4, std::max(4, first[2] - 1),
         "CTA-861: no video capability data block to declare RGB quantization as selectable");
  const bool vga60 = (block(0)[35] & 0x20) != 0;
  if (!m_hasVic1 && !vga60)
    fail(m_firstCta, 4, std::max(4, first[2] - 1),
         "CTA-861: 640x480p60 is neither an established timing (byte 35 bit 5) nor VIC 1");
  if (m_nativeDtds > static_cast<int>(m_dtds.size()))
    fail(m_firstCta, 3, 3,
         say("CTA-861: byte 3 counts %d native detailed timings, the EDID has %zu", m_nativeDtds,
             m_dtds.size()));
  std::vector<std::pair<int, int>> sizes = std::move(m_nativeVicSizes);
  for (int i = 0; i < std::min<int>(m_nativeDtds, static_cast<int>(m_dtds.size())); ++i)
    if (!m_dtds[i].interlaced) sizes.emplace_back(m_dtds[i].hActive, m_dtds[i].vActive);
  std::sort(sizes.begin(), sizes.end());
  sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
  if (sizes.size() > 1) {
    std::string list;
    for (const auto& [w, h] : sizes) list += (list.empty() ? "" : ", ") + say("%dx%d", w, h);
    fail(m_firstCta, 3, 3, "CTA-861: native progressive timings have several resolutions: " + list);
  }
}

void Checker::cta(int blk) {
  const std::uint8_t* x = block(blk);
  if (m_firstCta < 0) {
    m_firstCta = blk;
    m_nativeDtds = x[1] >= 2 ? x[3] & 0x0F : 0;
  }
  const int revision = x[1];
  if (revision < 1 || revision > 3)
    fail(blk, 1, 1, say("CTA-861: revision %d is not 1-3", revision));
  const int d = x[2];
  if ((d >= 1 && d < 4) || d > 127) {
    fail(blk, 2, 2, say("CTA-861: DTD offset %d is not 0 or 4-127", d));
    return;
  }
  if (revision == 1 && x[3])
    fail(blk, 3, 3, say("CTA-861: byte 3 is %02X; revision 1 has no flags there", x[3]));
  if (revision >= 3 && d > 4) ctaDataBlocks(blk, d);

  int end = d ? d : 4;  // first byte after the detailed timings
  if (d) {
    int n = 0;
    for (int at = d; at + 18 <= 127 && (x[at] || x[at + 1]); at += 18) {
      detailedTiming(blk, at, true, ++n);
      end = at + 18;
    }
  }
  if (d)
    for (int i = end; i < 127; ++i)
      if (x[i]) {
        fail(blk, i, 126, say("CTA-861: padding byte %d is %02X, not 00", i, x[i]));
        break;
      }
}

void Checker::ctaDataBlocks(int blk, int end) {
  const std::uint8_t* x = block(blk);
  bool audio = false;
  bool lastWasHdmi = false;
  for (int i = 4; i < end;) {
    const int tag = x[i] >> 5;
    const int length = x[i] & 0x1F;
    if (i + 1 + length > end) {
      fail(blk, i, end - 1,
           say("CTA-861: data block at byte %d (tag %d, length %d) runs past the DTD offset %d", i,
               tag, length, end));
      return;
    }
    const std::uint8_t* p = x + i + 1;  // payload
    const int last = i + length;
    int once = -1;               // a key for blocks that may appear only once
    const char* kind = nullptr;  // its name in the finding; unnamed extended tags go by number
    bool hdmiNow = false;
    switch (tag) {
      case 1:
        audio = true;
        break;
      case 2: {
        std::bitset<256> seen;
        for (int k = 0; k < length; ++k) {
          const int code = p[k];
          const bool native = code >= 129 && code <= 192;
          const int vic = native || (code >= 1 && code <= 64) ? code & 0x7F : code;
          m_hasVic1 = m_hasVic1 || vic == 1;
          const auto t = timing::findVic(vic);
          if (!t) {
            fail(blk, i + 1 + k, i + 1 + k,
                 say("Video data block: byte %02X is VIC %d, which names no video format", code,
                     vic));
            continue;
          }
          if (seen[vic])
            fail(blk, i + 1 + k, i + 1 + k, say("Video data block: VIC %d is listed twice", vic));
          seen[vic] = true;
          m_claimed.push_back(claimedOf(Claimed::Kind::Vic, vic, *t));
          if (native && !t->interlaced) m_nativeVicSizes.push_back({t->hActive, t->vActive});
        }
        break;
      }
      case 3: {
        const int oui = length >= 3 ? p[0] | p[1] << 8 | p[2] << 16 : -1;
        if (oui == 0x000C03) {
          hdmiNow = true;
          once = 0x300;
          kind = "HDMI vendor-specific";
          if (length < 5)
            fail(blk, i, last, say("HDMI data block: length %d is below the minimum 5", length));
          if (length >= 7 && p[6] * 5 > 340)
            fail(blk, i + 7, i + 7,
                 say("HDMI data block: maximum TMDS clock %d MHz is above HDMI 1.4's 340 MHz",
                     p[6] * 5));
          if (m_minor != 3)
            fail(blk, i, last,
                 say("HDMI data block: HDMI requires EDID 1.3, this is 1.%d", m_minor));
        } else if (oui == 0xC45DD8) {
          once = 0x301;
          kind = "HDMI Forum vendor-specific";
          if (length < 7)
            fail(blk, i, last,
                 say("HDMI Forum data block: length %d is below the minimum 7", length));
          if (!lastWasHdmi)
            fail(blk, i, last, "HDMI Forum data block: it must follow the HDMI data block");
        }
        break;
      }
      case 4:
        audio = true;
        once = 4;
        kind = "speaker allocation";
        break;
      case 5:
        once = 5;
        kind = "VESA display transfer characteristic";
        break;
      case 7: {
        if (length < 1) {
          fail(blk, i, i, "CTA-861: extended data block of length 0 has no extended tag");
          break;
        }
        const int ext = p[0];
        static constexpr int kOnce[] = {0x00, 0x02, 0x05, 0x06, 0x0D, 0x0F, 0x12, 0x13, 0x78, 0x79};
        if (std::find(std::begin(kOnce), std::end(kOnce), ext) != std::end(kOnce))
          once = 0x700 | ext;
        if (ext == 0x00) {
          m_hasVcdb = true;
          kind = "video capability";
          if (length >= 2 && !(p[1] & 0x40))
            fail(blk, i + 2, i + 2,
                 say("Video capability data block: byte %02X has bit 6 (RGB quantization "
                     "selectable) clear",
                     p[1]));
        } else if (ext == 0x05) {
          kind = "colorimetry";
          if (length >= 3 && (p[2] & 0x0F))
            fail(
                blk, i + 3, i + 3,
                say("Colorimetry data block: reserved bits 3-0 (MD0-MD3) of %02X must be 0", p[2]));
        } else if (ext == 0x06) {
          kind = "HDR static metadata";
        } else if (ext == 0x0F) {
          kind = "YCbCr 4:2:0 capability map";
        }
        break;
      }
      default:
        break;
    }
    if (once >= 0 && m_onceSeen[once]) {
      const std::string name = kind ? kind : say("extended tag %d", once & 0xFF);
      fail(blk, i, last,
           say("CTA-861: a second %s data block at byte %d; only one may appear", name.c_str(), i));
    }
    if (once >= 0) m_onceSeen[once] = true;
    lastWasHdmi = hdmiNow;
    i += 1 + length;
  }
  if (audio && !(x[3] & 0x40))
    fail(blk, 3, 3,
         say("CTA-861: audio data blocks are present, but byte 3 (%02X) bit 6 says no basic audio",
             x[3]));
}

void Checker::rangeAgainstTimings() {
  if (m_rangeSlot < 0 || m_claimed.empty()) return;
  const int at = 54 + 18 * m_rangeSlot;
  // Rounded rates and a clock rounded up count as inside, as the reference decoders
  // allow; from 1.4 a listed timing overrides the limits, so it only warns.
  const Severity severity = m_minor >= 4 ? Severity::Warning : Severity::Failure;
  auto report = [&](int first, int last, std::string message) {
    m_findings.push_back({severity, 0, at + first, at + last, std::move(message)});
  };
  const Claimed* worst = nullptr;
  for (const Claimed& c : m_claimed)
    if (c.vHz + 1.0 <= m_vMin || (m_vMax && c.vHz >= m_vMax + 1.0)) {
      worst = &c;
      break;
    }
  if (worst)
    report(5, 6,
           say("Range limits: %s at %.2f Hz is outside the vertical range %d-%d Hz",
               nameOf(*worst).c_str(), worst->vHz, m_vMin, m_vMax));
  worst = nullptr;
  for (const Claimed& c : m_claimed)
    if (c.hKHz + 1.0 <= m_hMin || (m_hMax && c.hKHz >= m_hMax + 1.0)) {
      worst = &c;
      break;
    }
  if (worst)
    report(7, 8,
           say("Range limits: %s at %.3f kHz is outside the horizontal range %d-%d kHz",
               nameOf(*worst).c_str(), worst->hKHz, m_hMin, m_hMax));
  worst = nullptr;
  for (const Claimed& c : m_claimed)
    if (m_clockMax && c.clockMHz >= m_clockMax + 10) {
      worst = &c;
      break;
    }
  if (worst)
    report(9, 9,
           say("Range limits: %s needs %.2f MHz, above the maximum pixel clock %d MHz",
               nameOf(*worst).c_str(), worst->clockMHz, m_clockMax));
}

}  // namespace

std::vector<Finding> checkEdid(std::span<const std::uint8_t> edid, const Options& options) {
  return Checker(edid, options).run();
}

std::vector<Finding> checkImage(const Image& image, const Options& options) {
  const std::string raw = rawEdidBytes(image);
  return checkEdid({reinterpret_cast<const std::uint8_t*>(raw.data()), raw.size()}, options);
}

const char* severityName(Severity severity) {
  return severity == Severity::Failure ? "failure" : "warning";
}

std::string locationText(const Finding& f) {
  if (f.first == f.last) return say("block %d, byte %d", f.block, f.first);
  return say("block %d, bytes %d-%d", f.block, f.first, f.last);
}

std::string findingLine(const Finding& f) {
  return locationText(f) + ": " + severityName(f.severity) + ": " + f.message;
}

bool hasFailure(const std::vector<Finding>& findings) {
  return std::any_of(findings.begin(), findings.end(),
                     [](const Finding& f) { return f.severity == Severity::Failure; });
}

std::string summaryText(const std::vector<Finding>& findings) {
  if (findings.empty()) return "No problems found";
  const auto failures = std::count_if(findings.begin(), findings.end(), [](const Finding& f) {
    return f.severity == Severity::Failure;
  });
  const auto warnings = static_cast<long>(findings.size()) - failures;
  std::string text;
  if (failures) text = say("%ld failure%s", static_cast<long>(failures), failures == 1 ? "" : "s");
  if (warnings)
    text += (text.empty() ? "" : ", ") + say("%ld warning%s", warnings, warnings == 1 ? "" : "s");
  return text;
}

}  // namespace edid::check
