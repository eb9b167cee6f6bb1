#include "core/cta/cta_settings.h"

#include <charconv>
#include <string>

#include "core/common/image.h"
#include "core/cta/cta_edit.h"

namespace edid::cta {

namespace {

std::optional<int> numberOf(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

Result<Dtd> dtdOf(std::string_view text) {
  Dtd dtd{};
  std::size_t count = 0;
  std::string digits;
  for (const char c : text) {
    if (c == ' ' || c == ',' || c == ':') continue;
    digits += c;
  }
  const auto bad =
      failure("A detailed timing is 18 bytes in hex, not \"" + std::string(text) + "\".");
  if (digits.size() != 36) return bad;
  for (std::size_t i = 0; i < 36; i += 2) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(digits.data() + i, digits.data() + i + 2, value, 16);
    if (error != std::errc() || end != digits.data() + i + 2) return bad;
    dtd[count++] = static_cast<std::uint8_t>(value);
  }
  return dtd;
}

Error numberRefusal(std::string_view key, std::string_view value) {
  return failure("\"" + std::string(value) + "\" is not a number for " + std::string(key) + ".");
}

/// The edit a cta key asks for, on the extension.
Result<Bytes> ctaEdit(const Bytes& extension, int number, std::string_view field,
                      std::string_view key, std::string_view value) {
  const std::optional<int> n = numberOf(value);
  if (field == "vic+" || field == "vic-") {
    const Result<int> vic = vicOf(value);
    if (!vic) return failure(vic.error());
    return field == "vic+" ? addVic(extension, number, *vic) : removeVic(extension, number, *vic);
  }
  if (field == "freesync") {
    const auto dash = value.find('-');
    const auto min = numberOf(value.substr(0, dash));
    const auto max = dash == value.npos ? std::nullopt : numberOf(value.substr(dash + 1));
    if (!min || !max) return failure("A FreeSync range is MIN-MAX in Hz, such as 48-144.");
    return setFreeSync(extension, number, *min, *max);
  }
  if (field == "hdmi.max_tmds_mhz" || field == "hf.max_tmds_mhz") {
    if (!n) return numberRefusal(key, value);
    return field == "hdmi.max_tmds_mhz" ? setHdmiMaxTmds(extension, number, *n)
                                        : setHdmiForumMaxTmds(extension, number, *n);
  }
  if (field == "audio-") {
    if (value != "all") return failure("cta.audio-= takes \"all\".");
    return removeAllAudio(extension, number);
  }
  if (field == "dtd+") {
    const Result<Dtd> dtd = dtdOf(value);
    if (!dtd) return failure(dtd.error());
    return addDtd(extension, number, *dtd);
  }
  if (field == "dtd-") {
    if (!n) return numberRefusal(key, value);
    return removeDtd(extension, number, *n - 1);
  }
  if (field == "flags") {
    unsigned flags = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), flags, 16);
    if (error != std::errc() || end != value.data() + value.size())
      return failure("cta.flags takes byte 3 in hex, such as C2.");
    return setFlags(extension, number, static_cast<int>(flags));
  }
  return failure("Unknown key \"" + std::string(key) + "\".");
}

}  // namespace

std::optional<Status> applyCtaSetting(std::vector<std::uint8_t>& edid, std::string_view key,
                                      std::string_view value) {
  if (!key.starts_with("cta") && !key.starts_with("ext")) return std::nullopt;
  if (edid.size() < kEdidSize) return failure("The EDID has no base block.");
  const Bytes extension(edid.begin() + kEdidSize,
                        edid.begin() + kEdidSize + (edid.size() - kEdidSize) / 128 * 128);
  Result<Bytes> edited = failure("Unknown key \"" + std::string(key) + "\".");
  if (key == "ext+") {
    if (value != "cta") return failure("ext+= takes \"cta\".");
    edited = addCtaBlock(extension);
  } else if (key == "ext-") {
    const auto n = numberOf(value);
    if (!n) return numberRefusal(key, value);
    edited = removeBlock(extension, *n);
  } else if (key.starts_with("cta")) {
    // "cta." is the first CTA-861 block, "cta2." the second.
    const auto dot = key.find('.');
    if (dot == key.npos) return failure("Unknown key \"" + std::string(key) + "\".");
    int nth = 1;
    if (dot > 3) {
      const auto n = numberOf(key.substr(3, dot - 3));
      if (!n || *n < 1) return failure("Unknown key \"" + std::string(key) + "\".");
      nth = *n;
    }
    const Result<int> number = ctaBlockNumber(extension, nth);
    if (!number) return failure(number.error());
    edited = ctaEdit(extension, *number, key.substr(dot + 1), key, value);
  }
  if (!edited) return failure(edited.error());

  std::vector<std::uint8_t> out(edid.begin(), edid.begin() + kEdidSize);
  const auto blocks = static_cast<int>(edited->size() / 128);
  if (key.starts_with("ext")) {
    out[kExtensionFlagByte] = static_cast<std::uint8_t>(blocks);
    Image base = Image::fromBytes(out);
    out[kChecksumByte] = static_cast<std::uint8_t>(base.correctChecksum());
  }
  out.insert(out.end(), edited->begin(), edited->end());
  edid = std::move(out);
  return success();
}

}  // namespace edid::cta
