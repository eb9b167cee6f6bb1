// CTA-861 extension blocks (CTA-861-H layout) and the outline of DisplayID blocks.
#include "core/cta/cta861.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

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

// A new last child of parent, made in place.
Node& add(Node& parent, std::string_view key, Text label, int offset, int length) {
  Node& n = parent.children.emplace_back();
  n.key = key;
  n.label = std::move(label);
  n.offset = offset;
  n.length = length;
  return n;
}

Node& item(Node& parent, std::string_view key, Text label, Value value, Text text, int offset,
           int length) {
  Node& n = add(parent, key, std::move(label), offset, length);
  n.value = std::move(value);
  n.text = std::move(text);
  return n;
}

Node& integer(Node& parent, std::string_view key, Text label, std::int64_t value,
              std::string_view unit, int offset, int length = 1) {
  Node& n = add(parent, key, std::move(label), offset, length);
  n.value = value;
  std::string text;
  format::appendInt(text, value);
  if (!unit.empty()) text.append(1, ' ').append(unit);
  n.text = std::move(text);
  return n;
}

Node& flag(Node& parent, std::string_view key, Text label, bool on, int offset) {
  return item(parent, key, std::move(label), on, on ? Text("yes") : Text("no"), offset, 1);
}

Node group(std::string_view key, Text label, Shape shape, int offset, int length, Text text = {}) {
  Node n;
  n.key = key;
  n.label = std::move(label);
  n.shape = shape;
  n.offset = offset;
  n.length = length;
  n.text = std::move(text);
  return n;
}

// Names of the set bits, lowest first, for a list of names.
Node& bitNames(Node& parent, std::string_view key, Text label, int bits,
               const std::vector<const char*>& names, int offset) {
  std::vector<std::string> set;
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!(bits & (1 << i)) || !names[i]) continue;
    set.emplace_back(names[i]);
    text += (text.empty() ? "" : ", ") + std::string(names[i]);
  }
  return item(parent, key, std::move(label), set,
              text.empty() ? Text("none") : Text(std::move(text)), offset, 1);
}

// ---- Video

// The shown text of a VIC: its format's name, and whether it is native.
std::string vicText(int vic, bool native) {
  const std::string& name = vicName(vic);
  std::string text = name.empty() ? "unknown format" : name;
  if (native) text += " (native)";
  return text;
}

Node vicNode(int vic, bool native, int offset) {
  std::string label = "VIC ";
  format::appendInt(label, vic);
  // Made once: a report shows the same few hundred texts over and over.
  static const std::array<std::string, 512> texts = [] {
    std::array<std::string, 512> all;
    for (int v = 0; v < 256; ++v) {
      all[static_cast<std::size_t>(2 * v)] = vicText(v, false);
      all[static_cast<std::size_t>(2 * v + 1)] = vicText(v, true);
    }
    return all;
  }();
  Node n = group({}, std::move(label), Shape::Object, offset, 1,
                 Text::fixed(texts[static_cast<std::size_t>(2 * (vic & 255) + (native ? 1 : 0))]));
  n.showChildren = false;
  n.children.reserve(2);
  integer(n, "vic", "VIC", vic, {}, offset);
  flag(n, "native", "Native", native, offset);
  return n;
}

// One short video descriptor: VICs 1-64 with bit 7 set are native (129-192).
Node svdNode(std::uint8_t svd, int offset) {
  if (svd >= 129 && svd <= 192) return vicNode(svd & 0x7F, true, offset);
  return vicNode(svd, false, offset);
}

void decodeVideo(Node& block, Bytes payload, int at) {
  Node vics = group("vics", "VICs", Shape::List, at, static_cast<int>(payload.size()));
  vics.children.reserve(payload.size());
  // 0, 128 and 254-255 are reserved codes, no formats.
  for (std::size_t i = 0; i < payload.size(); ++i)
    if (payload[i] % 128 != 0 && payload[i] < 254)
      vics.children.push_back(svdNode(payload[i], at + static_cast<int>(i)));
  block.children.push_back(std::move(vics));
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

Node sadNode(Bytes sad, int at) {
  const int code = (sad[0] >> 3) & 15;
  const int extended = sad[2] >> 3;
  const char* known = code == 15 ? extendedAudioName(extended) : audioFormatName(code);
  const Text name = known        ? Text::fixed(known)
                    : code == 15 ? Text("extended code " + std::to_string(extended))
                                 : Text("format code " + std::to_string(code));
  Node n = group({}, name, Shape::Object, at, 3);
  n.children.reserve(6);
  item(n, "format", "Format", name.str(), name, at, 1);
  integer(n, "format_code", "Format code", code, {}, at);
  if (code == 15) integer(n, "extended_code", "Extended code", extended, {}, at + 2);
  // L-PCM 3D Audio counts channels in five bits spread over the three bytes.
  const int channels = code == 15 && extended == 13
                           ? 1 + ((sad[0] & 7) | (sad[1] & 0x80) >> 4 | (sad[2] & 0x80) >> 3)
                           : 1 + (sad[0] & 7);
  integer(n, "max_channels", "Maximum channels", channels, {}, at);
  static constexpr double rates[] = {32, 44.1, 48, 88.2, 96, 176.4, 192};
  std::vector<double> sampleRates;
  std::string rateText;
  for (int i = 0; i < 7; ++i) {
    if (!(sad[1] & (1 << i))) continue;
    sampleRates.push_back(rates[i]);
    rateText += (rateText.empty() ? "" : " ") + shortNumber(rates[i]);
  }
  item(n, "sample_rates_khz", "Sample rates", sampleRates, rateText + " kHz", at + 1, 1);
  if (code == 1 || (code == 15 && extended == 13)) {
    std::vector<double> depths;
    std::string depthText;
    static constexpr int sizes[] = {16, 20, 24};
    for (int i = 0; i < 3; ++i) {
      if (!(sad[2] & (1 << i))) continue;
      depths.push_back(sizes[i]);
      depthText += (depthText.empty() ? "" : " ") + std::to_string(sizes[i]);
    }
    item(n, "bit_depths", "Bit depths", depths, depthText + " bits", at + 2, 1);
  } else if (code >= 2 && code <= 8) {
    integer(n, "max_bit_rate_kbps", "Maximum bit rate", sad[2] * 8, "kb/s", at + 2);
  } else if (code != 15) {
    integer(n, "format_dependent", "Format-dependent value", sad[2], {}, at + 2);
  }
  n.text = std::to_string(channels) + " channels, " + rateText + " kHz";
  return n;
}

void decodeAudio(Node& block, Bytes payload, int at) {
  Node list =
      group("descriptors", "Descriptors", Shape::List, at, static_cast<int>(payload.size()));
  list.children.reserve(payload.size() / 3);
  for (std::size_t i = 0; i + 3 <= payload.size(); i += 3)
    list.children.push_back(sadNode(payload.subspan(i, 3), at + static_cast<int>(i)));
  block.children.push_back(std::move(list));
}

// ---- Speaker allocation

void decodeSpeakers(Node& block, Bytes payload, int at) {
  static const std::vector<const char*> first = {"FL/FR", "LFE1",    "FC",      "BL/BR",
                                                 "BC",    "FLc/FRc", "RLC/RRC", "FLw/FRw"};
  static const std::vector<const char*> second = {"TpFL/TpFR", "TpC",  "TpFC",    "LS/RS",
                                                  "LFE2",      "TpBC", "SiL/SiR", "TpSiL/TpSiR"};
  static const std::vector<const char*> third = {"TpBL/TpBR", "BtFC", "BtFL/BtFR", "TpLS/TpRS"};
  std::vector<std::string> all;
  std::string text;
  const std::vector<const char*>* tables[] = {&first, &second, &third};
  for (std::size_t b = 0; b < 3 && b < payload.size(); ++b) {
    const auto& names = *tables[b];
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (!(payload[b] & (1 << i))) continue;
      all.emplace_back(names[i]);
      text += (text.empty() ? "" : " ") + std::string(names[i]);
    }
  }
  item(block, "speakers", "Speakers", all, text.empty() ? Text("none") : Text(std::move(text)), at,
       static_cast<int>(std::min<std::size_t>(payload.size(), 3)));
}

// ---- Vendor-specific

Text latencyText(int value) {
  if (value == 255) return "not supported";
  return std::to_string((value - 1) * 2) + " ms";
}

void decodeHdmi(Node& block, Bytes p, int at) {
  if (p.size() >= 5) {
    const std::string address = std::to_string(p[3] >> 4) + "." + std::to_string(p[3] & 15) + "." +
                                std::to_string(p[4] >> 4) + "." + std::to_string(p[4] & 15);
    item(block, "physical_address", "Source physical address", address, address, at + 3, 2);
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
  Node vics = group("hdmi_vics", "HDMI VICs", Shape::List, at + static_cast<int>(i),
                    static_cast<int>(std::min(vicCount, p.size() - i)));
  for (std::size_t k = 0; k < vicCount && i + k < p.size(); ++k) {
    static constexpr const char* names[] = {nullptr, "3840x2160p 30 Hz", "3840x2160p 25 Hz",
                                            "3840x2160p 24 Hz", "4096x2160p 24 Hz"};
    const int v = p[i + k];
    item(vics, {}, "HDMI VIC " + std::to_string(v), std::int64_t{v},
         Text::fixed(v >= 1 && v <= 4 ? names[v] : "reserved"), at + static_cast<int>(i + k), 1);
  }
  block.children.push_back(std::move(vics));
}

// The HDMI Forum fields from the version byte on; p[3] is the version in both the
// vendor-specific block and the sink capability block.
void decodeHdmiForum(Node& block, Bytes p, int at) {
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

void decodeFreeSync(Node& block, Bytes p, int at) {
  if (p.size() > 4) {
    const std::string version = std::to_string(p[3]) + "." + std::to_string(p[4]);
    item(block, "version", "Version", version, version, at + 3, 2);
  }
  if (p.size() > 5) integer(block, "min_refresh_hz", "Minimum refresh", p[5], "Hz", at + 5);
  if (p.size() > 6) integer(block, "max_refresh_hz", "Maximum refresh", p[6], "Hz", at + 6);
}

void decodeVendor(Node& block, Bytes p, int at) {
  if (p.size() < 3) return;
  std::string ouiText;
  format::appendHex2(ouiText, p[2]);
  ouiText += '-';
  format::appendHex2(ouiText, p[1]);
  ouiText += '-';
  format::appendHex2(ouiText, p[0]);
  item(block, "oui", "OUI", ouiText, ouiText, at, 3);
  if (ouiText == "00-0C-03") {
    block.label = "Vendor-Specific Data Block (HDMI)";
    item(block, "vendor", "Vendor", std::string("HDMI"), "HDMI", at, 3);
    decodeHdmi(block, p, at);
  } else if (ouiText == "C4-5D-D8") {
    block.label = "Vendor-Specific Data Block (HDMI Forum)";
    item(block, "vendor", "Vendor", std::string("HDMI Forum"), "HDMI Forum", at, 3);
    decodeHdmiForum(block, p, at);
  } else if (ouiText == "00-00-1A") {
    block.label = "Vendor-Specific Data Block (AMD FreeSync)";
    item(block, "vendor", "Vendor", std::string("AMD"), "AMD", at, 3);
    decodeFreeSync(block, p, at);
  } else if (p.size() > 3) {
    item(block, "hex", "Data", hexOf(p.subspan(3)), hexOf(p.subspan(3)), at + 3,
         static_cast<int>(p.size()) - 3);
  }
}

// ---- Extended tags

double maxLuminance(int code) {
  return 50.0 * std::pow(2.0, code / 32.0);
}

void decodeHdrStatic(Node& block, Bytes p, int at) {
  if (p.size() > 1)
    bitNames(block, "eotfs", "EOTFs", p[1],
             {"Traditional gamma SDR", "Traditional gamma HDR", "SMPTE ST 2084", "HLG"}, at + 1);
  if (p.size() > 2) {
    Node& n = bitNames(block, "descriptor_types", "Static metadata descriptors", p[2], {"Type 1"},
                       at + 2);
    n.value = std::vector<double>{};
    for (int i = 0; i < 8; ++i)
      if (p[2] & (1 << i)) std::get<std::vector<double>>(n.value).push_back(i + 1);
  }
  const auto luminance = [&](std::size_t i, std::string_view key, Text label, double value) {
    item(block, key, std::move(label), value,
         format::fixed(value, 3) + " cd/m^2 (code " + std::to_string(p[i]) + ")",
         at + static_cast<int>(i), 1);
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

void decodeExtended(Node& block, Bytes p, int at, const std::vector<int>& svds) {
  const int tag = p[0];
  integer(block, "extended_tag", "Extended tag", tag, {}, at);
  const auto rest = [&]() { return p.subspan(1); };
  switch (tag) {
    case 0:
      block.label = "Video Capability Data Block";
      if (p.size() > 1) {
        static constexpr const char* behaviour[] = {"not supported", "always overscanned",
                                                    "always underscanned", "both"};
        const int f = p[1];
        flag(block, "qy", "Selectable YCC quantization", f & 0x80, at + 1);
        flag(block, "qs", "Selectable RGB quantization", f & 0x40, at + 1);
        const auto behaves = [&](std::string_view key, Text label, int code) {
          item(block, key, std::move(label), std::string(behaviour[code]),
               Text::fixed(behaviour[code]), at + 1, 1);
        };
        behaves("pt", "Preferred timing", (f >> 4) & 3);
        behaves("it", "IT formats", (f >> 2) & 3);
        behaves("ce", "CE formats", f & 3);
      }
      return;
    case 5:
      block.label = "Colorimetry Data Block";
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
      block.label = "HDR Static Metadata Data Block";
      decodeHdrStatic(block, p, at);
      return;
    case 7: {
      block.label = "HDR Dynamic Metadata Data Block";
      Node types = group("metadata_types", "Metadata types", Shape::List, at + 1,
                         static_cast<int>(p.size()) - 1);
      for (std::size_t i = 1; i < p.size();) {
        const std::size_t length = p[i];
        if (length < 2 || i + 1 + length > p.size()) break;
        const int type = p[i + 1] | p[i + 2] << 8;
        item(types, {}, "Type", std::int64_t{type},
             std::to_string(type) + ": " + hexOf(p.subspan(i + 3, length - 2)),
             at + static_cast<int>(i), static_cast<int>(length) + 1);
        i += 1 + length;
      }
      block.children.push_back(std::move(types));
      return;
    }
    case 14:
      block.label = "YCbCr 4:2:0 Video Data Block";
      decodeVideo(block, rest(), at + 1);
      return;
    case 15: {
      block.label = "YCbCr 4:2:0 Capability Map Data Block";
      // Bit n of the map is the n-th SVD of the video data blocks; no bytes: all of them.
      Node vics = group("vics", "VICs", Shape::List, at + 1, static_cast<int>(p.size()) - 1);
      for (std::size_t n = 0; n < svds.size(); ++n) {
        const std::size_t byte = 1 + n / 8;
        if (p.size() > 1 && (byte >= p.size() || !(p[byte] & (1 << (n % 8))))) continue;
        Node v = svdNode(static_cast<std::uint8_t>(svds[n]),
                         at + static_cast<int>(std::min(byte, p.size() - 1)));
        vics.children.push_back(std::move(v));
      }
      block.children.push_back(std::move(vics));
      return;
    }
    case 0x78:
      block.label = "HF-EEODB";
      if (p.size() > 1)
        integer(block, "extension_block_count", "Extension blocks", p[1], {}, at + 1);
      return;
    case 0x79:
      block.label = "HF-SCDB";
      decodeHdmiForum(block, p, at);
      return;
    default:
      block.label = "Extended tag " + std::to_string(tag) + " Data Block";
      if (p.size() > 1)
        item(block, "hex", "Data", hexOf(rest()), hexOf(rest()), at + 1,
             static_cast<int>(p.size()) - 1);
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

Node dataBlock(Bytes block, int at, const std::vector<int>& svds) {
  const int tag = block[0] >> 5;
  const Bytes p = block.subspan(1);
  Node n = group({}, {}, Shape::Object, at, static_cast<int>(block.size()));
  // The vendor blocks of HDMI and HDMI Forum hold dozens of items; most hold a few.
  n.children.reserve(p.size() > 7 && tag == 3 ? 48 : 8);
  const auto type = [&](const char* name) {
    item(n, "type", {}, std::string(name), Text::fixed(name), at, 1);
  };
  integer(n, "offset", "Offset", at, {}, at);
  integer(n, "length", "Length", static_cast<int>(p.size()), {}, at);
  const int pay = at + 1;
  switch (tag) {
    case 1:
      n.label = "Audio Data Block";
      type("audio");
      decodeAudio(n, p, pay);
      break;
    case 2:
      n.label = "Video Data Block";
      type("video");
      decodeVideo(n, p, pay);
      break;
    case 3:
      n.label = "Vendor-Specific Data Block";
      type("vendor_specific");
      decodeVendor(n, p, pay);
      break;
    case 4:
      n.label = "Speaker Allocation Data Block";
      type("speaker_allocation");
      decodeSpeakers(n, p, pay);
      break;
    case 7:
      if (p.empty()) {
        n.label = "Extended Data Block";
        type("unknown");
        break;
      }
      type(typeOfExtended(p[0]));
      decodeExtended(n, p, pay, svds);
      break;
    default:
      n.label = "Data Block of tag " + std::to_string(tag);
      type("unknown");
      integer(n, "tag", "Tag", tag, {}, at);
      if (!p.empty()) item(n, "hex", "Data", hexOf(p), hexOf(p), pay, static_cast<int>(p.size()));
  }
  n.text = "offset " + std::to_string(at) + ", " + std::to_string(p.size()) + " bytes";
  // The shown items: offset and length are in the text already.
  n.children[0].label = {};
  n.children[1].label = {};
  return n;
}

// ---- Detailed timings

}  // namespace

Node detailedTimingNode(const Image& cells, int at, int index) {
  using F = detailed_timing::Field;
  const auto v = [&](F f) { return detailed_timing::fieldValue(cells, at, f); };
  const bool interlaced = cells.byte(at + 17) & 0x80;
  const int hTotal = v(F::HorizontalActive) + v(F::HorizontalBlanking);
  const int vTotal = v(F::VerticalActive) + v(F::VerticalBlanking);
  // Fields per second; no division by a zero total.
  const double hz = hTotal && vTotal ? v(F::PixelClock) * 10000.0 / hTotal / vTotal : 0;
  Node n = group({}, "Detailed timing " + std::to_string(index), Shape::Object, at, 18);
  n.children.reserve(12);
  std::string text;
  text.reserve(32);
  format::appendInt(text, v(F::HorizontalActive));
  text += 'x';
  format::appendInt(text, v(F::VerticalActive));
  if (interlaced) text += 'i';
  text += ' ';
  format::appendFixed(text, hz, 2);
  text += " Hz ";
  format::appendFixed(text, v(F::PixelClock) / 100.0, 2);
  text += " MHz";
  n.text = std::move(text);
  const auto field = [&](std::string_view key, Text label, F f, int offset, int length,
                         std::int64_t scale = 1) {
    integer(n, key, std::move(label), v(f) * scale, {}, at + offset, length);
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
  return n;
}

namespace {

bool allZero(Bytes bytes) {
  for (const std::uint8_t b : bytes)
    if (b) return false;
  return true;
}

void problem(Node& root, const std::string& text, int offset) {
  Node* list = nullptr;
  for (Node& c : root.children)
    if (c.key == "problems") list = &c;
  if (!list) {
    root.children.push_back(group("problems", "Problems", Shape::List, offset, 0));
    list = &root.children.back();
  }
  item(*list, {}, "Problem", text, text, offset, 0);
}

void decodeCta(Node& root, Bytes b) {
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
  const int size = static_cast<int>(b.size());
  if (dtdOffset < 4 || dtdOffset > kBlockSize - 1) {
    problem(root,
            "The DTD offset " + std::to_string(dtdOffset) +
                " lies outside 4 to 127; nothing after the header is decoded",
            2);
    return;
  }
  // The data block collection runs from byte 4 to the DTD offset.
  Node blocks = group("data_blocks", "Data blocks", Shape::List, 4, dtdOffset - 4);
  blocks.children.reserve(16);
  std::vector<int> svds;
  svds.reserve(64);
  const int end = std::min(dtdOffset, size);
  for (int i = 4; i < end;) {
    const int length = b[static_cast<std::size_t>(i)] & 31;
    if (i + 1 + length > end) {
      problem(root,
              "The data block at byte " + std::to_string(i) + " (" + std::to_string(length) +
                  " bytes) runs past the DTD offset " + std::to_string(dtdOffset) +
                  "; decoding stopped there",
              i);
      break;
    }
    const Bytes block =
        b.subspan(static_cast<std::size_t>(i), static_cast<std::size_t>(length) + 1);
    if (block[0] >> 5 == 2)
      for (const std::uint8_t svd : block.subspan(1)) svds.push_back(svd);
    blocks.children.push_back(dataBlock(block, i, svds));
    i += 1 + length;
  }
  if (revision >= 3 || !blocks.children.empty()) root.children.push_back(std::move(blocks));

  Node dtds = group("detailed_timings", "Detailed timings", Shape::List, dtdOffset, 0);
  dtds.children.reserve(6);  // at most six fit after the smallest header
  // The timing codec reads cells; the block's bytes lie in them at their own offsets.
  const Image cells = Image::fromBytes({b.begin(), b.end()});
  int pos = dtdOffset;
  for (; pos + 18 <= kBlockSize - 1 && pos + 18 <= size; pos += 18) {
    const Bytes dtd = b.subspan(static_cast<std::size_t>(pos), 18);
    if (dtd[0] == 0 && dtd[1] == 0) break;
    dtds.children.push_back(
        detailedTimingNode(cells, pos, static_cast<int>(dtds.children.size()) + 1));
  }
  dtds.length = pos - dtdOffset;
  root.children.push_back(std::move(dtds));
  const int padEnd = std::min(kBlockSize - 1, size);
  if (pos < padEnd) {
    const Bytes rest =
        b.subspan(static_cast<std::size_t>(pos), static_cast<std::size_t>(padEnd - pos));
    if (rest.size() >= 2 && (rest[0] || rest[1]) && pos + 18 > kBlockSize - 1)
      problem(root,
              "A detailed timing at byte " + std::to_string(pos) +
                  " is cut off by the checksum; decoding stopped there",
              pos);
    else if (!allZero(rest))
      item(root, "padding", "Padding", hexOf(rest), "not all zero", pos, padEnd - pos);
    else
      integer(root, "padding_bytes", "Padding", padEnd - pos, "bytes of 00", pos, padEnd - pos);
  }
}

void decodeDisplayId(Node& root, Bytes b) {
  const int version = b[1];
  const std::string versionText = std::to_string(version >> 4) + "." + std::to_string(version & 15);
  item(root, "version", "Version", versionText, versionText, 1, 1);
  const int sectionBytes = b[2];
  integer(root, "section_bytes", "Section bytes", sectionBytes, {}, 2);
  Node blocks = group("data_blocks", "Data blocks", Shape::List, 5, 0);
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
      problem(root,
              "The data block at byte " + std::to_string(i) +
                  " runs past the section; decoding stopped there",
              i);
      break;
    }
    Node n = group({}, "Data block 0x" + hex2(tag), Shape::Object, i, 3 + length);
    n.text = std::to_string(length) + " bytes";
    integer(n, "tag", "Tag", tag, {}, i);
    integer(n, "length", "Length", length, {}, i + 2);
    const Bytes payload =
        b.subspan(static_cast<std::size_t>(i) + 3, static_cast<std::size_t>(length));
    if (length) item(n, "hex", "Data", hexOf(payload), hexOf(payload), i + 3, length);
    blocks.children.push_back(std::move(n));
    i += 3 + length;
  }
  blocks.length = std::max(0, end - 5);
  root.children.push_back(std::move(blocks));
}

}  // namespace

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

Block decodeBlock(Bytes bytes, int number) {
  Block block;
  block.number = number;
  const Bytes b = bytes.first(std::min<std::size_t>(bytes.size(), kBlockSize));
  block.tag = b.empty() ? 0 : b[0];
  block.kind = kindOf(block.tag);
  block.root = group({}, "Block " + std::to_string(number), Shape::Object, 0,
                     static_cast<int>(b.size()), block.kind + " (" + hex2(block.tag) + ")");
  block.root.children.reserve(16);
  if (b.size() < kBlockSize) {
    problem(block.root, "The block holds " + std::to_string(b.size()) + " of its 128 bytes", 0);
    if (b.size() < 4) return block;
  }
  if (block.tag == kCtaTag) decodeCta(block.root, b);
  if (block.tag == kDisplayIdTag) decodeDisplayId(block.root, b);
  if (b.size() == kBlockSize) {
    block.checksumValid = std::accumulate(b.begin(), b.end(), 0) % 256 == 0;
    item(block.root, "checksum_valid", "Checksum", block.checksumValid,
         "0x" + hex2(b[kBlockSize - 1]) + (block.checksumValid ? " (valid)" : " (invalid)"),
         kBlockSize - 1, 1);
  }
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
