#include "core/sections/basic_display.h"

#include "core/common/format.h"
#include "core/common/numbers.h"
#include "core/common/text.h"
#include "core/sections/digital_input.h"
#include "core/sections/version.h"

namespace edid::basic_display {

namespace {

const std::array<const char*, 4> kSignalCaptions = {"0.700, 0.300", "0.714, 0.286", "1.000, 0.400",
                                                    "0.700, 0.000"};
constexpr std::array<std::string_view, 4> kSignalTexts = {
    "0.700, 0.300 (1.000 Vp-p)", "0.714, 0.286 (1.000 Vp-p)", "1.000, 0.400 (1.400 Vp-p)",
    "0.700, 0.000 (0.700 Vp-p)"};
const std::array<const char*, 5> kSyncCaptions = {"Serration VSync.", "Sync. On Green",
                                                  "Composite Sync.", "Separate Syncs.",
                                                  "Blank-to-Black Setup"};
constexpr std::array<std::string_view, 5> kSyncTexts = {"Serration of the Vsync", "Sync on Green",
                                                        "Composite Sync", "Separate Syncs",
                                                        "Blank-to-Black Setup"};
const std::array<const char*, 4> kDisplayTypeCaptions = {"Mono/Gray Scale", "R/G/B Color",
                                                         "Non R/G/B Multi Clr", "Undefined"};
constexpr std::array<std::string_view, 4> kDisplayTypeTexts = {
    "Monochrome / grayscale", "R/G/B Color", "Non R/G/B Multicolor", "Undefined"};
const std::array<const char*, 6> kFeatureCaptions = {
    "Stand-By",     "Suspend", "Active-Off", "Std Default Color Space", "Preferred Timing Mode",
    "GTF Supported"};
constexpr std::array<std::string_view, 6> kFeatureTexts = {"Stand-By",
                                                           "Suspend",
                                                           "Active Off",
                                                           "Standard Default Color Space",
                                                           "Preferred Timing Mode",
                                                           "GTF supported"};
const std::array<const char*, 6> kFeatureCaptions14 = {
    "Stand-By",        "Suspend", "Active-Off", "Std Default Color Space", "Native Pref. Timing",
    "Continuous Freq."};
constexpr std::array<std::string_view, 6> kFeatureTexts14 = {"Stand-By",
                                                             "Suspend",
                                                             "Active Off",
                                                             "Standard Default Color Space",
                                                             "Native Preferred Timing",
                                                             "Continuous Frequency"};
constexpr std::array<std::string_view, 4> kEncodingTexts = {"RGB 4:4:4", "RGB 4:4:4 & YCrCb 4:4:4",
                                                            "RGB 4:4:4 & YCrCb 4:2:2",
                                                            "RGB 4:4:4 & YCrCb 4:4:4 & 4:2:2"};
const std::array<const char*, 4> kEncodingCaptions = {"RGB 4:4:4", "+YCrCb 4:4:4", "+YCrCb 4:2:2",
                                                      "+YCrCb 4:4:4/4:2:2"};
constexpr std::array<int, 6> kFeatureBits = {7, 6, 5, 2, 1, 0};

constexpr std::string_view kBreak = "\r\n         ";

CellWrites writeByte(int index, int value) {
  return {{index, ByteToHex(value & 0xFF)}};
}

CellWrites writeBit(const Image& image, int index, int bit, bool set) {
  const int mask = 1 << bit;
  return writeByte(index, set ? image.byte(index) | mask : image.byte(index) & ~mask);
}

}  // namespace

const std::array<const char*, 4>& signalCaptions() {
  return kSignalCaptions;
}
const std::array<const char*, 4>& displayTypeCaptions() {
  return kDisplayTypeCaptions;
}
const std::array<const char*, 4>& displayTypeCaptions(bool encodings) {
  return encodings ? kEncodingCaptions : kDisplayTypeCaptions;
}
const std::array<const char*, 5>& syncCaptions() {
  return kSyncCaptions;
}
const std::array<const char*, 6>& featureCaptions() {
  return kFeatureCaptions;
}
const std::array<const char*, 6>& featureCaptions(bool edid14) {
  return edid14 ? kFeatureCaptions14 : kFeatureCaptions;
}
int featureBit(int index) {
  return kFeatureBits.at(static_cast<std::size_t>(index));
}

VideoInput decodeVideoInput(const Image& image) {
  VideoInput out;
  const int value = image.byte(kVideoInputByte);
  out.digital = (value & 0x80) != 0;
  if (out.digital) {
    out.modeText = "Digital Signal";
    if (version::isEdid14(image)) {
      out.digital14 = true;
      out.colorDepth = (value >> 4) & 7;
      out.interfaceCode = value & 0x0F;
      out.levelText = digital_input::depthText(value);
      out.syncText = digital_input::interfaceText(value);
    }
  } else {
    out.modeText = "Analog Signal";
    out.signalLevel = (value >> 5) & 3;
    out.levelText = kSignalTexts[static_cast<std::size_t>(out.signalLevel)];
    bool broken = false;
    for (int bit = 0; bit <= 4; ++bit) {
      if (!(value & (1 << bit))) continue;
      out.sync[static_cast<std::size_t>(bit)] = true;
      if (!out.syncText.empty()) out.syncText += ", ";
      // A long list wraps once, before one of the last two items.
      if (bit >= 3 && !broken && out.syncText.size() > 40) {
        out.syncText += kBreak;
        broken = true;
      }
      out.syncText += kSyncTexts[static_cast<std::size_t>(bit)];
    }
  }
  // Mode, level and sync list on three lines, the last two right-aligned in 15 columns.
  const auto padded = [&](const std::string& text) {
    out.text += kBreak;
    if (text.size() < 15) out.text.append(15 - text.size(), ' ');
    out.text += text;
  };
  out.text.reserve(out.modeText.size() + out.levelText.size() + out.syncText.size() + 60);
  out.text = out.modeText;
  padded(out.levelText);
  padded(out.syncText);
  return out;
}

std::string sizeText(const Image& image, int byteIndex) {
  // Whole centimetres in mm, as "###" shows them: no digit at all for 0.
  std::string text;
  if (const int mm = image.byte(byteIndex) * 10; mm != 0) format::appendInt(text, mm);
  return text.append(" mm");
}

std::string gammaText(const Image& image) {
  // Hundredths plus one, exact as a ratio of 100.
  std::string text;
  appendRatio(text, static_cast<std::uint32_t>(image.byte(kGammaByte) + 100), 100, "##0.00");
  return text;
}

FeatureSupport decodeFeatureSupport(const Image& image) {
  FeatureSupport out;
  const int value = image.byte(kFeatureByte);
  out.displayType = (value >> 3) & 3;
  out.edid14 = version::isEdid14(image);
  out.encodings = out.edid14 && (image.byte(kVideoInputByte) & 0x80) != 0;
  out.displayTypeText =
      (out.encodings ? kEncodingTexts
                     : kDisplayTypeTexts)[static_cast<std::size_t>(out.displayType)];
  const auto& texts = out.edid14 ? kFeatureTexts14 : kFeatureTexts;
  bool broken = false;
  for (std::size_t i = 0; i < kFeatureBits.size(); ++i) {
    const int bit = kFeatureBits[i];
    if (!(value & (1 << bit))) continue;
    out.features[i] = true;
    if (!out.text.empty()) out.text += ", ";
    // Only the three feature flags of bits 2-0 may start the second line; the
    // longer 1.4 texts break where the line would pass the report's 70 columns.
    const bool full = out.edid14 ? out.text.size() + texts[i].size() > 61 : out.text.size() >= 56;
    if (bit <= 2 && !broken && full) {
      out.text += kBreak;
      broken = true;
    }
    out.text += texts[i];
  }
  return out;
}

BasicDisplay decode(const Image& image) {
  BasicDisplay out;
  out.video = decodeVideoInput(image);
  out.horizSizeMm = image.byte(kHorizSizeByte) * 10;
  out.vertSizeMm = image.byte(kVertSizeByte) * 10;
  out.horizSizeText = sizeText(image, kHorizSizeByte);
  out.vertSizeText = sizeText(image, kVertSizeByte);
  out.gamma = (image.byte(kGammaByte) + 100) / 100.0;
  out.gammaText = gammaText(image);
  out.features = decodeFeatureSupport(image);
  return out;
}

CellWrites setVideoMode(int index) {
  return writeByte(kVideoInputByte, index == 1 ? 0x80 : 0x00);
}

CellWrites setSignalLevel(const Image& image, int level) {
  return writeByte(kVideoInputByte, (image.byte(kVideoInputByte) & 0x9F) | ((level & 3) << 5));
}

CellWrites setSync(const Image& image, int index, bool checked) {
  return writeBit(image, kVideoInputByte, index, checked);
}

CellWrites setDisplayType(const Image& image, int type) {
  return writeByte(kFeatureByte, (image.byte(kFeatureByte) & 0xE7) | ((type & 3) << 3));
}

CellWrites setFeature(const Image& image, int index, bool checked) {
  return writeBit(image, kFeatureByte, featureBit(index), checked);
}

Result<CellWrites> encode(Entry entry, std::string_view text) {
  if (entry == Entry::Gamma) {
    const auto number = enteredNumber(text, true);
    if (!number) return failure(number.error());
    const double gamma = *number;
    if (!(gamma >= 1.0 && gamma <= 3.55)) return failure("This value must value between 1.00-3.55");
    return writeByte(kGammaByte, std::stoi(formatNumber(gamma * 100 - 100, "0")));
  }
  const auto number = enteredNumber(text);
  if (!number) return failure(number.error());
  double size = *number;
  if (size > 0) size /= 10;
  if (!(size >= 0 && size <= 255)) return failure("This value must value between 0 and 2550");
  const int index = entry == Entry::HorizSize ? kHorizSizeByte : kVertSizeByte;
  return writeByte(index, std::stoi(formatNumber(size, "0")));
}

}  // namespace edid::basic_display
