#include "core/sections/cvt_codes.h"

#include "core/common/numbers.h"
#include "core/common/text.h"

namespace edid::cvt_codes {

namespace {

const std::array<const char*, 4> kAspects = {"4:3", "16:9", "16:10", "15:9"};
// Width per line of each aspect, as numerator and denominator.
constexpr std::array<std::array<int, 2>, 4> kRatios = {{{4, 3}, {16, 9}, {16, 10}, {15, 9}}};
const std::array<const char*, 4> kPreferred = {"50Hz", "60Hz", "75Hz", "85Hz"};
const std::array<const char*, 5> kRates = {"50Hz", "60Hz", "75Hz", "85Hz", "60Hz RB"};
const std::array<const char*, 5> kRateTexts = {"50", "60", "75", "85", "60 RB"};

std::string line(std::string_view text, int indent) {
  return IndentText(text, indent) + kCrLf;
}

CellWrites writeByte(int index, int value) {
  return {{index, ByteToHex(value & 0xFF)}};
}

}  // namespace

const std::array<const char*, 4>& aspectCaptions() {
  return kAspects;
}
const std::array<const char*, 4>& preferredCaptions() {
  return kPreferred;
}
const std::array<const char*, 5>& rateCaptions() {
  return kRates;
}

Code decodeCode(int first, int second, int third) {
  Code c;
  c.used = first != 0 || second != 0 || third != 0;
  c.lines = (first + 256 * (second >> 4) + 1) * 2;
  c.aspect = (second >> 2) & 3;
  const auto& ratio = kRatios[static_cast<std::size_t>(c.aspect)];
  c.width = 8 * (c.lines * ratio[0] / ratio[1] / 8);
  c.preferred = (third >> 5) & 3;
  for (int r = 0; r < 5; ++r) c.rates[static_cast<std::size_t>(r)] = (third & (0x10 >> r)) != 0;
  if (!c.used) {
    c.text = "Not Used";
    return c;
  }
  c.text = std::to_string(c.width) + " X " + std::to_string(c.lines) + " (" +
           kAspects[static_cast<std::size_t>(c.aspect)] + ") @ " +
           kPreferred[static_cast<std::size_t>(c.preferred)] + " Preferred";
  std::string rates;
  for (std::size_t r = 0; r < 5; ++r)
    if (c.rates[r]) rates += (rates.empty() ? "" : ", ") + std::string(kRateTexts[r]);
  c.ratesText = "Supported: " + (rates.empty() ? std::string("None") : rates + " Hz");
  return c;
}

Decoded decode(const Image& image, int s) {
  Decoded d;
  d.version = image.byte(s + 5);
  d.reportText = line("CVT 3 Byte Timing Codes:", 9);
  for (int t = 0; t < kCodes; ++t) {
    const int at = codeByte(s, t);
    Code& c = d.codes[static_cast<std::size_t>(t)];
    c = decodeCode(image.byte(at), image.byte(at + 1), image.byte(at + 2));
    d.reportText += line(c.text, 9);
    if (c.used) d.reportText += line(c.ratesText, 13);
  }
  return d;
}

Result<CellWrites> encodeLines(const Image& image, int s, int t, std::string_view text) {
  if (t < 0 || t >= kCodes) return CellWrites{};
  const auto number = enteredNumber(text);
  if (!number) return failure(number.error());
  const std::int64_t lines = roundHalfEven(*number);
  const int at = codeByte(s, t);
  if (lines == 0) return CellWrites{{at, "00"}, {at + 1, "00"}, {at + 2, "00"}};
  if (lines < 2 || lines > 8192 || lines % 2 != 0) return failure("Invalid Value");
  const int code = static_cast<int>(lines / 2 - 1);
  CellWrites out = writeByte(at, code);
  out.push_back({at + 1, ByteToHex(((code >> 8) << 4) | (image.byte(at + 1) & 0x0F))});
  return out;
}

CellWrites setAspect(const Image& image, int s, int t, int aspect) {
  if (t < 0 || t >= kCodes || aspect < 0 || aspect > 3) return {};
  const int at = codeByte(s, t) + 1;
  return writeByte(at, (image.byte(at) & 0xF3) | (aspect << 2));
}

CellWrites setPreferred(const Image& image, int s, int t, int rate) {
  if (t < 0 || t >= kCodes || rate < 0 || rate > 3) return {};
  const int at = codeByte(s, t) + 2;
  return writeByte(at, (image.byte(at) & 0x9F) | (rate << 5));
}

CellWrites setRate(const Image& image, int s, int t, int rate, bool checked) {
  if (t < 0 || t >= kCodes || rate < 0 || rate > 4) return {};
  const int at = codeByte(s, t) + 2;
  const int mask = 0x10 >> rate;
  return writeByte(at, checked ? image.byte(at) | mask : image.byte(at) & ~mask);
}

}  // namespace edid::cvt_codes
