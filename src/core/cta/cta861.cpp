// CTA-861 extension blocks (CTA-861-H layout) and the outline of DisplayID blocks.
#include "core/cta/cta861.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>

#include "core/common/format.h"
#include "core/common/image.h"
#include "core/sections/detailed_timing.h"

namespace edid::cta {

namespace {

using Shape = Node::Shape;
using Bytes = std::span<const std::uint8_t>;

std::string hexOf(Bytes bytes) {
  return format::hexBytes(bytes);
}

std::string hex2(int value) {
  std::string text;
  format::appendHex2(text, value);
  return text;
}

// Rates and sizes print as "44.1", "48": no trailing zeros.
std::string shortNumber(double value) {
  return format::general(value);
}

// A shown text put together on the stack: most are short, and a string for each
// would cost a heap allocation. Longer than the room, a text is cut (none is).
template <std::size_t N>
class Line {
 public:
  Line& operator<<(std::string_view text) {
    const std::size_t n = std::min(text.size(), N - m_size);
    std::copy_n(text.data(), n, m_text.data() + m_size);
    m_size += n;
    return *this;
  }
  Line& operator<<(char c) { return *this << std::string_view(&c, 1); }
  Line& operator<<(std::int64_t value) {
    char digits[24];
    return *this << std::string_view(
               digits, static_cast<std::size_t>(format::writeInt(digits, value) - digits));
  }
  Line& operator<<(int value) { return *this << static_cast<std::int64_t>(value); }
  Line& hex2(int value) {
    char digits[2];
    format::writeHex2(digits, value);
    return *this << std::string_view(digits, 2);
  }
  bool empty() const { return m_size == 0; }
  std::string_view view() const { return {m_text.data(), m_size}; }
  operator std::string_view() const { return view(); }

 private:
  std::array<char, N> m_text;
  std::size_t m_size = 0;
};

// The helpers hand the sink views of their texts; whatever keeps one copies it.
void item(Sink& out, std::string_view key, std::string_view label, ItemValue value,
          std::string_view text, int offset, int length) {
  out.add(Item{.key = key,
               .label = label,
               .text = text,
               .value = value,
               .offset = offset,
               .length = length});
}

void integer(Sink& out, std::string_view key, std::string_view label, std::int64_t value,
             std::string_view unit, int offset, int length = 1) {
  // The text is written by whoever shows it: a report writes it straight in.
  out.add(Item{.key = key,
               .label = label,
               .value = value,
               .offset = offset,
               .length = length,
               .unit = unit.empty() ? "" : unit.data()});
}

void flag(Sink& out, std::string_view key, std::string_view label, bool on, int offset) {
  item(out, key, label, on, on ? std::string_view("yes") : std::string_view("no"), offset, 1);
}

// Opens a group; its items follow until out.close().
void open(Sink& out, std::string_view key, std::string_view label, Shape shape, int offset,
          int length, std::string_view text = {}) {
  out.open(Item{.key = key,
                .label = label,
                .text = text,
                .shape = shape,
                .offset = offset,
                .length = length});
}

// Names of the set bits, lowest first, for a list of names.
void bitNames(Sink& out, std::string_view key, std::string_view label, int bits,
              std::initializer_list<const char*> names, int offset, ItemValue value = {}) {
  std::array<std::string_view, 8> set;
  std::size_t count = 0;
  Line<256> text;
  for (std::size_t i = 0; i < names.size() && count < set.size(); ++i) {
    const char* name = names.begin()[i];
    if (!(bits & (1 << i)) || !name) continue;
    set[count++] = name;
    if (!text.empty()) text << ", ";
    text << name;
  }
  if (value.index() == 0) value = std::span<const std::string_view>(set.data(), count);
  item(out, key, label, value, text.empty() ? std::string_view("none") : text.view(), offset, 1);
}

// ---- Video

void vicNode(Sink& out, int vic, bool native, int offset) {
  static const std::array<std::string, 256> labels = [] {
    std::array<std::string, 256> all;
    for (int v = 0; v < 256; ++v) {
      all[static_cast<std::size_t>(v)] = "VIC ";
      format::appendInt(all[static_cast<std::size_t>(v)], v);
    }
    return all;
  }();
  const bool shown = out.open(Item{.label = labels[static_cast<std::size_t>(vic & 255)],
                                   .text = out.showsTexts() ? vicText(vic, native) : "",
                                   .shape = Shape::Object,
                                   .offset = offset,
                                   .length = 1,
                                   .showChildren = false});
  // The report shows the text alone; scripts read the numbers.
  if (shown) {
    integer(out, "vic", "VIC", vic, {}, offset);
    flag(out, "native", "Native", native, offset);
  }
  out.close();
}

// One short video descriptor: VICs 1-64 with bit 7 set are native (129-192).
void svdNode(Sink& out, std::uint8_t svd, int offset) {
  if (svd >= 129 && svd <= 192) return vicNode(out, svd & 0x7F, true, offset);
  vicNode(out, svd, false, offset);
}

void decodeVideo(Sink& block, Bytes payload, int at) {
  open(block, "vics", "VICs", Shape::List, at, static_cast<int>(payload.size()));
  // 0, 128 and 254-255 are reserved codes, no formats.
  for (std::size_t i = 0; i < payload.size(); ++i)
    if (payload[i] % 128 != 0 && payload[i] < 254)
      svdNode(block, payload[i], at + static_cast<int>(i));
  block.close();
}

// ---- Audio

const char* audioFormatName(int code) {
  static constexpr const char* names[] = {
      "Reserved", "LPCM",          "AC-3",          "MPEG-1", "MP3", "MPEG-2", "AAC LC",  "DTS",
      "ATRAC",    "One Bit Audio", "Enhanced AC-3", "DTS-HD", "MAT", "DST",    "WMA Pro", nullptr};
  return names[code & 15];
}

const char* extendedAudioName(int code) {
  switch (code) {
    case 4:
      return "MPEG-4 HE AAC";
    case 5:
      return "MPEG-4 HE AAC v2";
    case 6:
      return "MPEG-4 AAC LC";
    case 7:
      return "DRA";
    case 8:
      return "MPEG-4 HE AAC + MPEG Surround";
    case 10:
      return "MPEG-4 AAC LC + MPEG Surround";
    case 11:
      return "MPEG-H 3D Audio";
    case 12:
      return "AC-4";
    case 13:
      return "L-PCM 3D Audio";
    default:
      return nullptr;
  }
}

void sadNode(Sink& n, Bytes sad, int at) {
  const int code = (sad[0] >> 3) & 15;
  const int extended = sad[2] >> 3;
  const char* known = code == 15 ? extendedAudioName(extended) : audioFormatName(code);
  const Text name = known        ? Text::fixed(known)
                    : code == 15 ? Text("extended code " + std::to_string(extended))
                                 : Text("format code " + std::to_string(code));
  // L-PCM 3D Audio counts channels in five bits spread over the three bytes.
  const int channels = code == 15 && extended == 13
                           ? 1 + ((sad[0] & 7) | (sad[1] & 0x80) >> 4 | (sad[2] & 0x80) >> 3)
                           : 1 + (sad[0] & 7);
  static constexpr double rates[] = {32, 44.1, 48, 88.2, 96, 176.4, 192};
  static const std::array<std::string, 7> rateNames = [] {
    std::array<std::string, 7> all;
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = shortNumber(rates[i]);
    return all;
  }();
  std::array<double, 7> sampleRates;
  std::size_t rateCount = 0;
  Line<64> rateText;
  for (std::size_t i = 0; i < 7; ++i) {
    if (!(sad[1] & (1 << i))) continue;
    sampleRates[rateCount++] = rates[i];
    if (!rateText.empty()) rateText << ' ';
    rateText << rateNames[i];
  }
  rateText << " kHz";
  Line<96> text;
  text << channels << " channels, " << rateText.view();
  open(n, {}, name, Shape::Object, at, 3, text);
  item(n, "format", "Format", name.view(), name, at, 1);
  integer(n, "format_code", "Format code", code, {}, at);
  if (code == 15) integer(n, "extended_code", "Extended code", extended, {}, at + 2);
  integer(n, "max_channels", "Maximum channels", channels, {}, at);
  item(n, "sample_rates_khz", "Sample rates",
       std::span<const double>(sampleRates.data(), rateCount), rateText, at + 1, 1);
  if (code == 1 || (code == 15 && extended == 13)) {
    std::array<double, 3> depths;
    std::size_t depthCount = 0;
    Line<32> depthText;
    static constexpr int sizes[] = {16, 20, 24};
    for (std::size_t i = 0; i < 3; ++i) {
      if (!(sad[2] & (1 << i))) continue;
      depths[depthCount++] = sizes[i];
      if (!depthText.empty()) depthText << ' ';
      depthText << sizes[i];
    }
    depthText << " bits";
    item(n, "bit_depths", "Bit depths", std::span<const double>(depths.data(), depthCount),
         depthText, at + 2, 1);
  } else if (code >= 2 && code <= 8) {
    integer(n, "max_bit_rate_kbps", "Maximum bit rate", sad[2] * 8, "kb/s", at + 2);
  } else if (code != 15) {
    integer(n, "format_dependent", "Format-dependent value", sad[2], {}, at + 2);
  }
  n.close();
}

void decodeAudio(Sink& block, Bytes payload, int at) {
  open(block, "descriptors", "Descriptors", Shape::List, at, static_cast<int>(payload.size()));
  for (std::size_t i = 0; i + 3 <= payload.size(); i += 3)
    sadNode(block, payload.subspan(i, 3), at + static_cast<int>(i));
  block.close();
}

// ---- Speaker allocation

void decodeSpeakers(Sink& block, Bytes payload, int at) {
  // A byte's bits, lowest first; the third byte has four.
  static constexpr const char* names[3][8] = {
      {"FL/FR", "LFE1", "FC", "BL/BR", "BC", "FLc/FRc", "RLC/RRC", "FLw/FRw"},
      {"TpFL/TpFR", "TpC", "TpFC", "LS/RS", "LFE2", "TpBC", "SiL/SiR", "TpSiL/TpSiR"},
      {"TpBL/TpBR", "BtFC", "BtFL/BtFR", "TpLS/TpRS"}};
  std::array<std::string_view, 24> all;
  std::size_t count = 0;
  Line<256> text;
  for (std::size_t b = 0; b < 3 && b < payload.size(); ++b) {
    for (std::size_t i = 0; i < 8; ++i) {
      if (!(payload[b] & (1 << i)) || !names[b][i]) continue;
      all[count++] = names[b][i];
      if (!text.empty()) text << ' ';
      text << names[b][i];
    }
  }
  item(block, "speakers", "Speakers", std::span<const std::string_view>(all.data(), count),
       text.empty() ? std::string_view("none") : text.view(), at,
       static_cast<int>(std::min<std::size_t>(payload.size(), 3)));
}

// ---- Vendor-specific

Text latencyText(int value) {
  if (value == 255) return "not supported";
  return std::to_string((value - 1) * 2) + " ms";
}

void decodeHdmi(Sink& block, Bytes p, int at) {
  if (p.size() >= 5) {
    Line<16> address;
    address << (p[3] >> 4) << '.' << (p[3] & 15) << '.' << (p[4] >> 4) << '.' << (p[4] & 15);
    item(block, "physical_address", "Source physical address", address.view(), address, at + 3, 2);
  }
  if (p.size() >= 6) {
    const int f = p[5];
    flag(block, "supports_ai", "Supports AI", f & 0x80, at + 5);
    flag(block, "dc_48bit", "Deep colour 48 bits", f & 0x40, at + 5);
    flag(block, "dc_36bit", "Deep colour 36 bits", f & 0x20, at + 5);
    flag(block, "dc_30bit", "Deep colour 30 bits", f & 0x10, at + 5);
    flag(block, "dc_y444", "Deep colour YCbCr 4:4:4", f & 0x08, at + 5);
    flag(block, "dvi_dual", "DVI dual link", f & 0x01, at + 5);
  }
  if (p.size() >= 7)
    integer(block, "max_tmds_clock_mhz", "Maximum TMDS clock", p[6] * 5, "MHz", at + 6);
  if (p.size() < 8) return;
  const int presence = p[7];
  std::size_t i = 8;
  if (presence & 0x80) {
    if (i + 2 > p.size()) return;
    if (p[i])
      item(block, "video_latency", "Video latency", std::int64_t{p[i]}, latencyText(p[i]),
           at + static_cast<int>(i), 1);
    if (p[i + 1])
      item(block, "audio_latency", "Audio latency", std::int64_t{p[i + 1]}, latencyText(p[i + 1]),
           at + static_cast<int>(i) + 1, 1);
    i += 2;
  }
  if (presence & 0x40) {
    if (i + 2 > p.size()) return;
    if (p[i])
      item(block, "interlaced_video_latency", "Interlaced video latency", std::int64_t{p[i]},
           latencyText(p[i]), at + static_cast<int>(i), 1);
    if (p[i + 1])
      item(block, "interlaced_audio_latency", "Interlaced audio latency", std::int64_t{p[i + 1]},
           latencyText(p[i + 1]), at + static_cast<int>(i) + 1, 1);
    i += 2;
  }
  if (!(presence & 0x20) || i + 2 > p.size()) return;
  flag(block, "3d_present", "3D present", p[i] & 0x80, at + static_cast<int>(i));
  const std::size_t vicCount = p[i + 1] >> 5;
  i += 2;
  open(block, "hdmi_vics", "HDMI VICs", Shape::List, at + static_cast<int>(i),
       static_cast<int>(std::min(vicCount, p.size() - i)));
  for (std::size_t k = 0; k < vicCount && i + k < p.size(); ++k) {
    static constexpr const char* names[] = {nullptr, "3840x2160p 30 Hz", "3840x2160p 25 Hz",
                                            "3840x2160p 24 Hz", "4096x2160p 24 Hz"};
    const int v = p[i + k];
    item(block, {}, "HDMI VIC " + std::to_string(v), std::int64_t{v},
         Text::fixed(v >= 1 && v <= 4 ? names[v] : "reserved"), at + static_cast<int>(i + k), 1);
  }
  block.close();
}

// The HDMI Forum fields from the version byte on; p[3] is the version in both the
// vendor-specific block and the sink capability block.
void decodeHdmiForum(Sink& block, Bytes p, int at) {
  const auto at_ = [at](std::size_t i) { return at + static_cast<int>(i); };
  if (p.size() > 3) integer(block, "version", "Version", p[3], {}, at_(3));
  if (p.size() > 4 && p[4])
    integer(block, "max_tmds_character_rate_mhz", "Maximum TMDS character rate", p[4] * 5, "MHz",
            at_(4));
  if (p.size() > 5) {
    const int f = p[5];
    flag(block, "scdc_present", "SCDC present", f & 0x80, at_(5));
    flag(block, "rr_capable", "Read request capable", f & 0x40, at_(5));
    flag(block, "cable_status", "Cable status", f & 0x20, at_(5));
    flag(block, "ccbpci", "CCBPCI", f & 0x10, at_(5));
    flag(block, "lte_340mcsc_scramble", "Scrambling at 340 Mcsc and below", f & 0x08, at_(5));
    flag(block, "independent_view_3d", "3D independent view", f & 0x04, at_(5));
    flag(block, "dual_view_3d", "3D dual view", f & 0x02, at_(5));
    flag(block, "osd_disparity_3d", "3D OSD disparity", f & 0x01, at_(5));
  }
  if (p.size() > 6) {
    const int f = p[6];
    static constexpr const char* frl[] = {
        "not supported",     "3 Gb/s on 3 lanes",  "3 and 6 Gb/s on 3 lanes", "6 Gb/s on 4 lanes",
        "8 Gb/s on 4 lanes", "10 Gb/s on 4 lanes", "12 Gb/s on 4 lanes"};
    const int rate = f >> 4;
    item(block, "max_frl_rate", "Maximum FRL rate", std::int64_t{rate},
         rate < 7 ? Text::fixed(frl[rate]) : Text("reserved (" + std::to_string(rate) + ")"),
         at_(6), 1);
    flag(block, "dc_48bit_420", "Deep colour 4:2:0 48 bits", f & 0x04, at_(6));
    flag(block, "dc_36bit_420", "Deep colour 4:2:0 36 bits", f & 0x02, at_(6));
    flag(block, "dc_30bit_420", "Deep colour 4:2:0 30 bits", f & 0x01, at_(6));
  }
  if (p.size() > 7) {
    const int f = p[7];
    flag(block, "m_delta", "M-delta", f & 0x20, at_(7));
    flag(block, "cinema_vrr", "CinemaVRR", f & 0x10, at_(7));
    flag(block, "cnm_vrr", "CNMVRR", f & 0x08, at_(7));
    flag(block, "fva", "FVA", f & 0x04, at_(7));
    flag(block, "allm", "ALLM", f & 0x02, at_(7));
  }
  if (p.size() > 9) {
    integer(block, "vrr_min_hz", "VRR minimum", p[8] & 0x3F, "Hz", at_(8));
    const int vrrMax = (p[8] >> 6) << 8 | p[9];
    if (vrrMax) integer(block, "vrr_max_hz", "VRR maximum", vrrMax, "Hz", at_(8), 2);
  }
  if (p.size() > 10) {
    const int f = p[10];
    flag(block, "dsc_1p2", "DSC 1.2", f & 0x80, at_(10));
    flag(block, "dsc_native_420", "DSC native 4:2:0", f & 0x40, at_(10));
    flag(block, "dsc_all_bpp", "DSC all bits per pixel", f & 0x08, at_(10));
    flag(block, "dsc_16bpc", "DSC 16 bits per component", f & 0x04, at_(10));
    flag(block, "dsc_12bpc", "DSC 12 bits per component", f & 0x02, at_(10));
    flag(block, "dsc_10bpc", "DSC 10 bits per component", f & 0x01, at_(10));
  }
  if (p.size() > 11) {
    integer(block, "dsc_max_slices", "DSC maximum slices code", p[11] & 15, {}, at_(11));
    integer(block, "dsc_max_frl_rate", "DSC maximum FRL rate code", p[11] >> 4, {}, at_(11));
  }
  if (p.size() > 12)
    integer(block, "dsc_total_chunk_kbytes", "DSC total chunk size", 1 + (p[12] & 0x3F), "KiB",
            at_(12));
}

void decodeFreeSync(Sink& block, Bytes p, int at) {
  if (p.size() > 4) {
    Line<16> version;
    version << int{p[3]} << '.' << int{p[4]};
    item(block, "version", "Version", version.view(), version, at + 3, 2);
  }
  if (p.size() > 5) integer(block, "min_refresh_hz", "Minimum refresh", p[5], "Hz", at + 5);
  if (p.size() > 6) integer(block, "max_refresh_hz", "Maximum refresh", p[6], "Hz", at + 6);
}

enum class Vendor { Other, Hdmi, HdmiForum, Amd };

Vendor vendorOf(Bytes p) {
  if (p.size() < 3) return Vendor::Other;
  const int oui = p[2] << 16 | p[1] << 8 | p[0];
  if (oui == 0x000C03) return Vendor::Hdmi;
  if (oui == 0xC45DD8) return Vendor::HdmiForum;
  if (oui == 0x00001A) return Vendor::Amd;
  return Vendor::Other;
}

Text vendorLabel(Bytes p) {
  switch (vendorOf(p)) {
    case Vendor::Hdmi:
      return "Vendor-Specific Data Block (HDMI)";
    case Vendor::HdmiForum:
      return "Vendor-Specific Data Block (HDMI Forum)";
    case Vendor::Amd:
      return "Vendor-Specific Data Block (AMD FreeSync)";
    case Vendor::Other:
      break;
  }
  return "Vendor-Specific Data Block";
}

void decodeVendor(Sink& block, Bytes p, int at) {
  if (p.size() < 3) return;
  std::string ouiText;
  format::appendHex2(ouiText, p[2]);
  ouiText += '-';
  format::appendHex2(ouiText, p[1]);
  ouiText += '-';
  format::appendHex2(ouiText, p[0]);
  item(block, "oui", "OUI", ouiText, ouiText, at, 3);
  switch (vendorOf(p)) {
    case Vendor::Hdmi:
      item(block, "vendor", "Vendor", std::string_view("HDMI"), "HDMI", at, 3);
      return decodeHdmi(block, p, at);
    case Vendor::HdmiForum:
      item(block, "vendor", "Vendor", std::string_view("HDMI Forum"), "HDMI Forum", at, 3);
      return decodeHdmiForum(block, p, at);
    case Vendor::Amd:
      item(block, "vendor", "Vendor", std::string_view("AMD"), "AMD", at, 3);
      return decodeFreeSync(block, p, at);
    case Vendor::Other:
      if (p.size() > 3) {
        const std::string hex = hexOf(p.subspan(3));
        item(block, "hex", "Data", hex, hex, at + 3, static_cast<int>(p.size()) - 3);
      }
  }
}

// ---- Extended tags

double maxLuminance(int code) {
  return 50.0 * std::pow(2.0, code / 32.0);
}

void decodeHdrStatic(Sink& block, Bytes p, int at) {
  if (p.size() > 1)
    bitNames(block, "eotfs", "EOTFs", p[1],
             {"Traditional gamma SDR", "Traditional gamma HDR", "SMPTE ST 2084", "HLG"}, at + 1);
  if (p.size() > 2) {
    std::array<double, 8> types;
    std::size_t count = 0;
    for (int i = 0; i < 8; ++i)
      if (p[2] & (1 << i)) types[count++] = i + 1;
    bitNames(block, "descriptor_types", "Static metadata descriptors", p[2], {"Type 1"}, at + 2,
             std::span<const double>(types.data(), count));
  }
  const auto luminance = [&](std::size_t i, std::string_view key, std::string_view label,
                             double value) {
    char digits[64];
    const auto written =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 3);
    Line<96> text;
    text << std::string_view(digits, static_cast<std::size_t>(written.ptr - digits))
         << " cd/m^2 (code " << int{p[i]} << ')';
    item(block, key, label, value, text, at + static_cast<int>(i), 1);
  };
  if (p.size() > 3 && p[3])
    luminance(3, "max_luminance_cd_m2", "Maximum luminance", maxLuminance(p[3]));
  if (p.size() > 4 && p[4])
    luminance(4, "max_frame_average_luminance_cd_m2", "Maximum frame-average luminance",
              maxLuminance(p[4]));
  // The minimum scales the maximum, so it needs both codes.
  if (p.size() > 5 && p[3])
    luminance(5, "min_luminance_cd_m2", "Minimum luminance",
              maxLuminance(p[3]) * (p[5] / 255.0) * (p[5] / 255.0) / 100.0);
}

Text extendedLabel(int tag) {
  switch (tag) {
    case 0:
      return "Video Capability Data Block";
    case 5:
      return "Colorimetry Data Block";
    case 6:
      return "HDR Static Metadata Data Block";
    case 7:
      return "HDR Dynamic Metadata Data Block";
    case 14:
      return "YCbCr 4:2:0 Video Data Block";
    case 15:
      return "YCbCr 4:2:0 Capability Map Data Block";
    case 0x78:
      return "HF-EEODB";
    case 0x79:
      return "HF-SCDB";
    default:
      return "Extended tag " + std::to_string(tag) + " Data Block";
  }
}

void decodeExtended(Sink& block, Bytes p, int at, Bytes svds) {
  const int tag = p[0];
  integer(block, "extended_tag", "Extended tag", tag, {}, at);
  const auto rest = [&]() { return p.subspan(1); };
  switch (tag) {
    case 0:
      if (p.size() > 1) {
        static constexpr const char* behaviour[] = {"not supported", "always overscanned",
                                                    "always underscanned", "both"};
        const int f = p[1];
        flag(block, "qy", "Selectable YCC quantization", f & 0x80, at + 1);
        flag(block, "qs", "Selectable RGB quantization", f & 0x40, at + 1);
        const auto behaves = [&](std::string_view key, std::string_view label, int code) {
          item(block, key, label, std::string_view(behaviour[code]), behaviour[code], at + 1, 1);
        };
        behaves("pt", "Preferred timing", (f >> 4) & 3);
        behaves("it", "IT formats", (f >> 2) & 3);
        behaves("ce", "CE formats", f & 3);
      }
      return;
    case 5:
      if (p.size() > 1)
        bitNames(block, "colorimetry", "Colorimetry", p[1],
                 {"xvYCC601", "xvYCC709", "sYCC601", "opYCC601", "opRGB", "BT2020cYCC", "BT2020YCC",
                  "BT2020RGB"},
                 at + 1);
      if (p.size() > 2) {
        bitNames(block, "metadata_profiles", "Gamut metadata profiles", p[2],
                 {"MD0", "MD1", "MD2", "MD3"}, at + 2);
        flag(block, "dci_p3", "DCI-P3", p[2] & 0x80, at + 2);
      }
      return;
    case 6:
      decodeHdrStatic(block, p, at);
      return;
    case 7: {
      open(block, "metadata_types", "Metadata types", Shape::List, at + 1,
           static_cast<int>(p.size()) - 1);
      for (std::size_t i = 1; i < p.size();) {
        const std::size_t length = p[i];
        if (length < 2 || i + 1 + length > p.size()) break;
        const int type = p[i + 1] | p[i + 2] << 8;
        item(block, {}, "Type", std::int64_t{type},
             std::to_string(type) + ": " + hexOf(p.subspan(i + 3, length - 2)),
             at + static_cast<int>(i), static_cast<int>(length) + 1);
        i += 1 + length;
      }
      block.close();
      return;
    }
    case 14:
      decodeVideo(block, rest(), at + 1);
      return;
    case 15: {
      // Bit n of the map is the n-th SVD of the video data blocks; no bytes: all of them.
      open(block, "vics", "VICs", Shape::List, at + 1, static_cast<int>(p.size()) - 1);
      for (std::size_t n = 0; n < svds.size(); ++n) {
        const std::size_t byte = 1 + n / 8;
        if (p.size() > 1 && (byte >= p.size() || !(p[byte] & (1 << (n % 8))))) continue;
        svdNode(block, svds[n], at + static_cast<int>(std::min(byte, p.size() - 1)));
      }
      block.close();
      return;
    }
    case 0x78:
      if (p.size() > 1)
        integer(block, "extension_block_count", "Extension blocks", p[1], {}, at + 1);
      return;
    case 0x79:
      decodeHdmiForum(block, p, at);
      return;
    default:
      if (p.size() > 1) {
        const std::string hex = hexOf(rest());
        item(block, "hex", "Data", hex, hex, at + 1, static_cast<int>(p.size()) - 1);
      }
  }
}

const char* typeOfExtended(int tag) {
  switch (tag) {
    case 0:
      return "video_capability";
    case 5:
      return "colorimetry";
    case 6:
      return "hdr_static_metadata";
    case 7:
      return "hdr_dynamic_metadata";
    case 14:
      return "ycbcr420_video";
    case 15:
      return "ycbcr420_capability_map";
    case 0x78:
      return "hf_eeodb";
    case 0x79:
      return "hf_scdb";
    default:
      return "unknown";
  }
}

// svds: the short video descriptors of the video data blocks so far.
void dataBlock(Sink& n, Bytes block, int at, Bytes svds) {
  const int tag = block[0] >> 5;
  const Bytes p = block.subspan(1);
  Text label;
  const char* type = "unknown";
  switch (tag) {
    case 1:
      label = "Audio Data Block";
      type = "audio";
      break;
    case 2:
      label = "Video Data Block";
      type = "video";
      break;
    case 3:
      label = vendorLabel(p);
      type = "vendor_specific";
      break;
    case 4:
      label = "Speaker Allocation Data Block";
      type = "speaker_allocation";
      break;
    case 7:
      label = p.empty() ? Text("Extended Data Block") : extendedLabel(p[0]);
      if (!p.empty()) type = typeOfExtended(p[0]);
      break;
    default:
      label = "Data Block of tag " + std::to_string(tag);
  }
  Line<32> text;
  if (n.showsTexts()) text << "offset " << at << ", " << static_cast<int>(p.size()) << " bytes";
  open(n, {}, label, Shape::Object, at, static_cast<int>(block.size()), text);
  // Offset and length are in the shown text already.
  integer(n, "offset", {}, at, {}, at);
  integer(n, "length", {}, static_cast<int>(p.size()), {}, at);
  item(n, "type", {}, std::string_view(type), type, at, 1);
  const int pay = at + 1;
  switch (tag) {
    case 1:
      decodeAudio(n, p, pay);
      break;
    case 2:
      decodeVideo(n, p, pay);
      break;
    case 3:
      decodeVendor(n, p, pay);
      break;
    case 4:
      decodeSpeakers(n, p, pay);
      break;
    case 7:
      if (!p.empty()) decodeExtended(n, p, pay, svds);
      break;
    default:
      integer(n, "tag", "Tag", tag, {}, at);
      if (!p.empty()) {
        const std::string hex = hexOf(p);
        item(n, "hex", "Data", hex, hex, pay, static_cast<int>(p.size()));
      }
  }
  n.close();
}

// ---- Detailed timings

// The 18 bytes of a detailed timing at offset at.
using TimingBytes = std::span<const std::uint8_t, 18>;

// A timing's shown text, "1920x1080p 60.00 Hz 148.50 MHz", put together in buffer
// (room for 96).
std::string_view timingText(TimingBytes bytes, char* buffer) {
  using F = detailed_timing::Field;
  const auto v = [bytes](F f) { return detailed_timing::fieldValue(bytes, f); };
  const bool interlaced = bytes[17] & 0x80;
  const int hTotal = v(F::HorizontalActive) + v(F::HorizontalBlanking);
  const int vTotal = v(F::VerticalActive) + v(F::VerticalBlanking);
  // Fields per second; no division by a zero total.
  const double hz = hTotal && vTotal ? v(F::PixelClock) * 10000.0 / hTotal / vTotal : 0;
  // Each number bounded: a count has up to 11 characters, the rate up to 32.
  char* end = std::to_chars(buffer, buffer + 11, v(F::HorizontalActive)).ptr;
  *end++ = 'x';
  end = std::to_chars(end, end + 11, v(F::VerticalActive)).ptr;
  if (interlaced) *end++ = 'i';
  *end++ = ' ';
  end = format::writeFixed2(end, hz);
  end = std::copy_n(" Hz ", 4, end);
  end = format::writeHundredths(end, v(F::PixelClock));  // 10 kHz steps: MHz
  end = std::copy_n(" MHz", 4, end);
  return {buffer, static_cast<std::size_t>(end - buffer)};
}

void timingItems(Sink& n, TimingBytes bytes, int at, int index) {
  using F = detailed_timing::Field;
  const auto v = [bytes](F f) { return detailed_timing::fieldValue(bytes, f); };
  const bool interlaced = bytes[17] & 0x80;
  char buffer[96];
  const std::string_view text = n.showsTexts() ? timingText(bytes, buffer) : std::string_view();
  const auto labelOf = [](int i) {
    std::string label = "Detailed timing ";
    format::appendInt(label, i);
    return label;
  };
  // Made once for the few indexes a block holds.
  static const std::array<std::string, 8> labels = [&labelOf] {
    std::array<std::string, 8> all;
    for (int i = 0; i < 8; ++i) all[static_cast<std::size_t>(i)] = labelOf(i);
    return all;
  }();
  open(n, {},
       index >= 0 && index < 8 ? Text::fixed(labels[static_cast<std::size_t>(index)])
                               : Text(labelOf(index)),
       Shape::Object, at, 18, text);
  const auto field = [&](std::string_view key, std::string_view fieldLabel, F f, int offset,
                         int length, std::int64_t scale = 1) {
    integer(n, key, fieldLabel, v(f) * scale, {}, at + offset, length);
  };
  field("pixel_clock_khz", "Pixel clock (kHz)", F::PixelClock, 0, 2, 10);
  field("h_active", "Horizontal active", F::HorizontalActive, 2, 3);
  field("h_blanking", "Horizontal blanking", F::HorizontalBlanking, 3, 2);
  field("h_sync_offset", "Horizontal sync offset", F::HorizontalSyncOffset, 8, 4);
  field("h_sync_width", "Horizontal sync width", F::HorizontalSyncWidth, 9, 3);
  field("v_active", "Vertical active", F::VerticalActive, 5, 3);
  field("v_blanking", "Vertical blanking", F::VerticalBlanking, 6, 2);
  field("v_sync_offset", "Vertical sync offset", F::VerticalSyncOffset, 10, 2);
  field("v_sync_width", "Vertical sync width", F::VerticalSyncWidth, 10, 2);
  field("h_image_mm", "Horizontal image size (mm)", F::HorizontalImageSize, 12, 3);
  field("v_image_mm", "Vertical image size (mm)", F::VerticalImageSize, 13, 2);
  flag(n, "interlaced", "Interlaced", interlaced, at + 17);
  n.close();
}

// The items as a tree under root.
class TreeSink final : public Sink {
 public:
  explicit TreeSink(Node& root) : m_open{&root} {}
  bool open(Item&& group) override {
    m_open.push_back(&place(group));
    return true;
  }
  void add(Item&& item) override { place(item); }
  void close() override { m_open.pop_back(); }

 private:
  Node& place(const Item& item) {
    Node& n = m_open.back()->children.emplace_back();
    n.key = item.key;
    n.label = std::string(item.label);
    TextBuffer text;
    n.text = std::string(shownText(item, text));
    n.value = owned(item.value);
    n.shape = item.shape;
    n.offset = item.offset;
    n.length = item.length;
    n.showChildren = item.showChildren;
    return n;
  }

  static Value owned(const ItemValue& value) {
    struct {
      Value operator()(std::monostate) const { return {}; }
      Value operator()(bool v) const { return v; }
      Value operator()(std::int64_t v) const { return v; }
      Value operator()(double v) const { return v; }
      Value operator()(std::string_view v) const { return std::string(v); }
      Value operator()(std::span<const double> v) const {
        return std::vector<double>(v.begin(), v.end());
      }
      Value operator()(std::span<const std::string_view> v) const {
        return std::vector<std::string>(v.begin(), v.end());
      }
    } visit;
    return std::visit(visit, value);
  }

  std::vector<Node*> m_open;
};

bool allZero(Bytes bytes) {
  for (const std::uint8_t b : bytes)
    if (b) return false;
  return true;
}

// ---- Where decoding stops

// A block's problems are listed in one list, ahead of the first part that one of
// them stops; so they are all found before anything is written.
enum class Place { Start, AfterHeader, BeforeDataBlocks, AfterTimings };

struct Problems {
  struct Problem {
    std::string text;
    int offset = 0;
  };
  std::vector<Problem> list;
  Place place = Place::Start;

  void add(Place where, std::string text, int offset) {
    if (list.empty()) place = where;
    list.push_back({std::move(text), offset});
  }
  void write(Sink& out, Place here) const {
    if (list.empty() || place != here) return;
    open(out, "problems", "Problems", Shape::List, list.front().offset, 0);
    for (const Problem& p : list) item(out, {}, "Problem", p.text, p.text, p.offset, 0);
    out.close();
  }
};

// ---- CTA-861

// Where a CTA-861 block's parts lie, as far as they can be read.
struct CtaLayout {
  std::array<int, kBlockSize> dataBlocks{};  // their first bytes
  int dataBlockCount = 0;
  int timingsEnd = 0;  // the byte after the last detailed timing
  int paddingEnd = 0;
  bool timingCutOff = false;  // a timing runs into the checksum
};

CtaLayout ctaLayout(Bytes b, Problems& problems) {
  CtaLayout layout;
  const int dtdOffset = b[2];
  if (dtdOffset == 0) return layout;
  if (dtdOffset < 4 || dtdOffset > kBlockSize - 1) {
    problems.add(Place::AfterHeader,
                 "The DTD offset " + std::to_string(dtdOffset) +
                     " lies outside 4 to 127; nothing after the header is decoded",
                 2);
    return layout;
  }
  const int size = static_cast<int>(b.size());
  // The data block collection runs from byte 4 to the DTD offset.
  const int end = std::min(dtdOffset, size);
  for (int i = 4; i < end;) {
    const int length = b[static_cast<std::size_t>(i)] & 31;
    if (i + 1 + length > end) {
      problems.add(Place::BeforeDataBlocks,
                   "The data block at byte " + std::to_string(i) + " (" + std::to_string(length) +
                       " bytes) runs past the DTD offset " + std::to_string(dtdOffset) +
                       "; decoding stopped there",
                   i);
      break;
    }
    layout.dataBlocks[static_cast<std::size_t>(layout.dataBlockCount++)] = i;
    i += 1 + length;
  }
  int pos = dtdOffset;
  for (; pos + 18 <= kBlockSize - 1 && pos + 18 <= size; pos += 18)
    if (b[static_cast<std::size_t>(pos)] == 0 && b[static_cast<std::size_t>(pos) + 1] == 0) break;
  layout.timingsEnd = pos;
  layout.paddingEnd = std::min(kBlockSize - 1, size);
  if (pos < layout.paddingEnd) {
    const Bytes rest =
        b.subspan(static_cast<std::size_t>(pos), static_cast<std::size_t>(layout.paddingEnd - pos));
    layout.timingCutOff = rest.size() >= 2 && (rest[0] || rest[1]) && pos + 18 > kBlockSize - 1;
    if (layout.timingCutOff)
      problems.add(Place::AfterTimings,
                   "A detailed timing at byte " + std::to_string(pos) +
                       " is cut off by the checksum; decoding stopped there",
                   pos);
  }
  return layout;
}

void decodeCta(Sink& root, Bytes b, const CtaLayout& layout, const Problems& problems) {
  const int revision = b[1];
  integer(root, "revision", "Revision", revision, {}, 1);
  const int dtdOffset = b[2];
  integer(root, "dtd_offset", "DTD offset", dtdOffset, {}, 2);
  if (revision >= 2) {
    const int f = b[3];
    flag(root, "underscan", "Underscans IT formats", f & 0x80, 3);
    flag(root, "basic_audio", "Basic audio", f & 0x40, 3);
    flag(root, "ycbcr444", "YCbCr 4:4:4", f & 0x20, 3);
    flag(root, "ycbcr422", "YCbCr 4:2:2", f & 0x10, 3);
    integer(root, "native_dtds", "Native DTDs", f & 15, {}, 3);
  }
  if (dtdOffset == 0) return;
  problems.write(root, Place::AfterHeader);
  if (dtdOffset < 4 || dtdOffset > kBlockSize - 1) return;
  problems.write(root, Place::BeforeDataBlocks);
  if (revision >= 3 || layout.dataBlockCount > 0) {
    open(root, "data_blocks", "Data blocks", Shape::List, 4, dtdOffset - 4);
    std::array<std::uint8_t, kBlockSize> svds;
    std::size_t svdCount = 0;
    for (int k = 0; k < layout.dataBlockCount; ++k) {
      const auto i = static_cast<std::size_t>(layout.dataBlocks[static_cast<std::size_t>(k)]);
      const Bytes block = b.subspan(i, static_cast<std::size_t>(b[i] & 31) + 1);
      if (block[0] >> 5 == 2)
        for (const std::uint8_t svd : block.subspan(1)) svds[svdCount++] = svd;
      dataBlock(root, block, static_cast<int>(i), Bytes(svds.data(), svdCount));
    }
    root.close();
  }

  open(root, "detailed_timings", "Detailed timings", Shape::List, dtdOffset,
       layout.timingsEnd - dtdOffset);
  for (int pos = dtdOffset, index = 1; pos < layout.timingsEnd; pos += 18, ++index)
    timingItems(root, b.subspan(static_cast<std::size_t>(pos)).first<18>(), pos, index);
  root.close();
  const int pos = layout.timingsEnd;
  const int padEnd = layout.paddingEnd;
  if (pos >= padEnd) return;
  const Bytes rest =
      b.subspan(static_cast<std::size_t>(pos), static_cast<std::size_t>(padEnd - pos));
  if (layout.timingCutOff)
    problems.write(root, Place::AfterTimings);
  else if (!allZero(rest))
    item(root, "padding", "Padding", hexOf(rest), "not all zero", pos, padEnd - pos);
  else
    integer(root, "padding_bytes", "Padding", padEnd - pos, "bytes of 00", pos, padEnd - pos);
}

// ---- DisplayID

// The first bytes of a DisplayID section's data blocks, as far as they can be read.
std::vector<int> displayIdBlocks(Bytes b, Problems& problems) {
  std::vector<int> starts;
  const int sectionBytes = b[2];
  // The section's data blocks lie in bytes 5 up to 5 + its byte count; byte 127
  // is the block's checksum.
  const int end = std::min({5 + sectionBytes, kBlockSize - 1, static_cast<int>(b.size())});
  for (int i = 5; i + 3 <= end;) {
    const int tag = b[static_cast<std::size_t>(i)];
    const int length = b[static_cast<std::size_t>(i) + 2];
    if (tag == 0 && length == 0 &&
        allZero(b.subspan(static_cast<std::size_t>(i), static_cast<std::size_t>(end - i))))
      break;
    if (i + 3 + length > end) {
      problems.add(Place::BeforeDataBlocks,
                   "The data block at byte " + std::to_string(i) +
                       " runs past the section; decoding stopped there",
                   i);
      break;
    }
    starts.push_back(i);
    i += 3 + length;
  }
  return starts;
}

void decodeDisplayId(Sink& root, Bytes b, const std::vector<int>& starts,
                     const Problems& problems) {
  const int version = b[1];
  const std::string versionText = std::to_string(version >> 4) + "." + std::to_string(version & 15);
  item(root, "version", "Version", versionText, versionText, 1, 1);
  const int sectionBytes = b[2];
  integer(root, "section_bytes", "Section bytes", sectionBytes, {}, 2);
  problems.write(root, Place::BeforeDataBlocks);
  const int end = std::min({5 + sectionBytes, kBlockSize - 1, static_cast<int>(b.size())});
  open(root, "data_blocks", "Data blocks", Shape::List, 5, std::max(0, end - 5));
  for (const int i : starts) {
    const int tag = b[static_cast<std::size_t>(i)];
    const int length = b[static_cast<std::size_t>(i) + 2];
    open(root, {}, "Data block 0x" + hex2(tag), Shape::Object, i, 3 + length,
         std::to_string(length) + " bytes");
    integer(root, "tag", "Tag", tag, {}, i);
    integer(root, "length", "Length", length, {}, i + 2);
    const Bytes payload =
        b.subspan(static_cast<std::size_t>(i) + 3, static_cast<std::size_t>(length));
    if (length) item(root, "hex", "Data", hexOf(payload), hexOf(payload), i + 3, length);
    root.close();
  }
  root.close();
}

bool checksumValid(Bytes b) {
  return b.size() == kBlockSize && std::accumulate(b.begin(), b.end(), 0) % 256 == 0;
}

}  // namespace

namespace {

std::array<std::uint8_t, 18> timingBytes(const Image& cells, int offset) {
  std::array<std::uint8_t, 18> bytes;
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<std::uint8_t>(cells.byte(offset + static_cast<int>(i)));
  return bytes;
}

}  // namespace

void walkTiming(const Image& cells, int offset, int index, Sink& sink) {
  timingItems(sink, timingBytes(cells, offset), offset, index);
}

Node detailedTimingNode(const Image& cells, int at, int index) {
  Node holder;
  TreeSink tree(holder);
  timingItems(tree, timingBytes(cells, at), at, index);
  return std::move(holder.children.front());
}

char* writeCount(char* out, const Item& item) {
  const std::int64_t* number = std::get_if<std::int64_t>(&item.value);
  char* const limit = out + std::tuple_size_v<TextBuffer>;
  char* end = format::writeInt(out, number ? *number : 0);
  if (item.unit && *item.unit) {
    *end++ = ' ';
    for (const char* u = item.unit; *u && end < limit; ++u) *end++ = *u;
  }
  return end;
}

std::string_view shownText(const Item& item, TextBuffer& scratch) {
  if (!item.unit) return item.text;
  return {scratch.data(),
          static_cast<std::size_t>(writeCount(scratch.data(), item) - scratch.data())};
}

const Node* Node::child(std::string_view childKey) const {
  for (const Node& c : children)
    if (c.key == childKey) return &c;
  return nullptr;
}

std::string kindOf(std::uint8_t tag) {
  switch (tag) {
    case kCtaTag:
      return "CTA-861";
    case kDisplayIdTag:
      return "DisplayID";
    case kBlockMapTag:
      return "Block map";
    default:
      return "Unknown";
  }
}

void walkBlock(Bytes bytes, Sink& out) {
  const Bytes b = bytes.first(std::min<std::size_t>(bytes.size(), kBlockSize));
  const std::uint8_t tag = b.empty() ? 0 : b[0];
  Problems problems;
  if (b.size() < kBlockSize)
    problems.add(Place::Start, "The block holds " + std::to_string(b.size()) + " of its 128 bytes",
                 0);
  if (b.size() < 4) return problems.write(out, Place::Start);
  CtaLayout cta;
  std::vector<int> displayId;
  if (tag == kCtaTag) cta = ctaLayout(b, problems);
  if (tag == kDisplayIdTag) displayId = displayIdBlocks(b, problems);
  problems.write(out, Place::Start);
  if (tag == kCtaTag) decodeCta(out, b, cta, problems);
  if (tag == kDisplayIdTag) decodeDisplayId(out, b, displayId, problems);
  if (b.size() == kBlockSize) {
    const bool valid = checksumValid(b);
    Line<16> text;
    text << "0x";
    text.hex2(b[kBlockSize - 1]) << (valid ? " (valid)" : " (invalid)");
    item(out, "checksum_valid", "Checksum", valid, text, kBlockSize - 1, 1);
  }
}

Block decodeBlock(Bytes bytes, int number) {
  Block block;
  block.number = number;
  const Bytes b = bytes.first(std::min<std::size_t>(bytes.size(), kBlockSize));
  block.tag = b.empty() ? 0 : b[0];
  block.kind = kindOf(block.tag);
  block.checksumValid = checksumValid(b);
  block.root.label = "Block " + std::to_string(number);
  block.root.text = block.kind + " (" + hex2(block.tag) + ")";
  block.root.shape = Shape::Object;
  block.root.length = static_cast<int>(b.size());
  block.root.children.reserve(16);
  TreeSink tree(block.root);
  walkBlock(b, tree);
  return block;
}

std::vector<Block> decodeExtension(const std::vector<std::uint8_t>& extension) {
  std::vector<Block> blocks;
  const Bytes all(extension);
  for (std::size_t at = 0; at + kBlockSize <= all.size(); at += kBlockSize)
    blocks.push_back(
        decodeBlock(all.subspan(at, kBlockSize), static_cast<int>(at / kBlockSize) + 1));
  return blocks;
}

}  // namespace edid::cta
