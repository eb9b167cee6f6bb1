#include "core/sections/standard_timing.h"

#include <algorithm>
#include <charconv>

#include "core/common/numbers.h"
#include "core/common/text.h"
#include "core/sections/version.h"

namespace edid::standard_timing {

namespace {

const std::array<const char*, 4> kAspectCaptions = {"1:1 Aspect Ratio", "4:3 Aspect Ratio",
                                                    "5:4 Aspect Ratio", "16:9 Aspect Ratio"};
// Vertical lines per horizontal pixel, as numerator and denominator.
constexpr std::array<std::array<int, 2>, 4> kAspects = {{{1, 1}, {3, 4}, {4, 5}, {9, 16}}};
constexpr std::array<int, 2> k16By10 = {10, 16};

Error invalid() {
  return failure("Invalid Value");
}

}  // namespace

bool zeroAspectIs16By10(const Image& image) {
  const int version = image.byte(version::kVersionByte);
  return version > 1 || (version == 1 && image.byte(version::kRevisionByte) >= 3);
}

std::string aspectCaption(int aspect, bool zeroIs16By10) {
  if (aspect == 0 && zeroIs16By10) return "16:10 Aspect Ratio";
  return kAspectCaptions[static_cast<std::size_t>(aspect & 3)];
}

Timing codeOf(int first, int second, bool zeroIs16By10) {
  Timing t;
  t.horizontal = (first + 31) * 8;
  t.aspect = (second >> 6) & 3;
  t.refresh = (second & 0x3F) + 60;
  const auto& ratio =
      t.aspect == 0 && zeroIs16By10 ? k16By10 : kAspects[static_cast<std::size_t>(t.aspect)];
  // horizontal x ratio, halves to even, in integers.
  const int scaled = t.horizontal * ratio[0];
  t.vertical = scaled / ratio[1];
  const int twiceRest = 2 * (scaled % ratio[1]);
  if (twiceRest > ratio[1] || (twiceRest == ratio[1] && t.vertical % 2 == 1)) ++t.vertical;
  t.used = t.horizontal != 256;
  return t;
}

void appendText(std::string& out, const Timing& t) {
  if (!t.used) {
    out += "Not Used";
    return;
  }
  // All three are above zero, so each shows its plain digits; laid out, then
  // written once.
  char text[40];
  char* at = std::to_chars(text, text + 8, t.horizontal).ptr;
  at = std::copy_n(" X ", 3, at);
  at = std::to_chars(at, at + 8, t.vertical).ptr;
  at = std::copy_n(" @", 2, at);
  at = std::to_chars(at, at + 8, t.refresh).ptr;
  at = std::copy_n("Hz", 2, at);
  out.append(text, static_cast<std::size_t>(at - text));
}

Timing decodeCode(int first, int second, bool zeroIs16By10) {
  Timing t = codeOf(first, second, zeroIs16By10);
  appendText(t.text, t);
  return t;
}

StandardTimings decode(const Image& image) {
  StandardTimings out;
  const bool zeroIs16By10 = zeroAspectIs16By10(image);
  for (int k = 0; k < kTimings; ++k) {
    out.timings[static_cast<std::size_t>(k)] =
        decodeCode(image.byte(firstByteOf(k)), image.byte(firstByteOf(k) + 1), zeroIs16By10);
  }
  return out;
}

Result<CellWrites> encodeHorizontal(const Image&, int firstByte, std::string_view text) {
  const auto number = enteredNumber(text);
  if (!number) return failure(number.error());
  std::int64_t n = roundHalfEven(*number);
  if (n > 0) n = roundHalfEven(n / 8.0 - 31);
  if (n == 0) return CellWrites{{firstByte, "01"}, {firstByte + 1, "01"}};
  if (n < 1 || n > 255) return invalid();
  return CellWrites{{firstByte, ByteToHex(static_cast<int>(n))}};
}

Result<CellWrites> encodeRefresh(const Image& image, int firstByte, std::string_view text) {
  const auto number = enteredNumber(text);
  if (!number) return failure(number.error());
  const std::int64_t hertz = roundHalfEven(*number);
  if (hertz < 60 || hertz > 123) return invalid();
  const auto n = hertz - 60;
  const int second = firstByte + 1;
  return CellWrites{{second, ByteToHex((image.byte(second) & 0xC0) | static_cast<int>(n))}};
}

CellWrites setAspect(const Image& image, int firstByte, int aspect) {
  const int second = firstByte + 1;
  return {{second, ByteToHex((image.byte(second) & 0x3F) | ((aspect & 3) << 6))}};
}

}  // namespace edid::standard_timing
