#include "core/sections/established_iii.h"

#include "core/common/text.h"

namespace edid::established_iii {

namespace {

const std::array<const char*, kTimings> kCaptions = {
    "640 X 350 @ 85Hz",     "640 X 400 @ 85Hz",      "720 X 400 @ 85Hz",      "640 X 480 @ 85Hz",
    "848 X 480 @ 60Hz",     "800 X 600 @ 85Hz",      "1024 X 768 @ 85Hz",     "1152 X 864 @ 75Hz",
    "1280 X 768 @ 60Hz RB", "1280 X 768 @ 60Hz",     "1280 X 768 @ 75Hz",     "1280 X 768 @ 85Hz",
    "1280 X 960 @ 60Hz",    "1280 X 960 @ 85Hz",     "1280 X 1024 @ 60Hz",    "1280 X 1024 @ 85Hz",
    "1360 X 768 @ 60Hz",    "1440 X 900 @ 60Hz RB",  "1440 X 900 @ 60Hz",     "1440 X 900 @ 75Hz",
    "1440 X 900 @ 85Hz",    "1400 X 1050 @ 60Hz RB", "1400 X 1050 @ 60Hz",    "1400 X 1050 @ 75Hz",
    "1400 X 1050 @ 85Hz",   "1680 X 1050 @ 60Hz RB", "1680 X 1050 @ 60Hz",    "1680 X 1050 @ 75Hz",
    "1680 X 1050 @ 85Hz",   "1600 X 1200 @ 60Hz",    "1600 X 1200 @ 65Hz",    "1600 X 1200 @ 70Hz",
    "1600 X 1200 @ 75Hz",   "1600 X 1200 @ 85Hz",    "1792 X 1344 @ 60Hz",    "1792 X 1344 @ 75Hz",
    "1856 X 1392 @ 60Hz",   "1856 X 1392 @ 75Hz",    "1920 X 1200 @ 60Hz RB", "1920 X 1200 @ 60Hz",
    "1920 X 1200 @ 75Hz",   "1920 X 1200 @ 85Hz",    "1920 X 1440 @ 60Hz",    "1920 X 1440 @ 75Hz",
};

std::string line(std::string_view text) {
  return IndentText(text, 9) + kCrLf;
}

}  // namespace

const char* caption(int timing) {
  return kCaptions.at(static_cast<std::size_t>(timing));
}

int byteOf(int s, int timing) {
  return s + 6 + timing / 8;
}

int maskOf(int timing) {
  return 0x80 >> (timing % 8);
}

Decoded decode(const Image& image, int s) {
  Decoded d;
  d.revision = image.byte(s + 5);
  d.reportText = line("Established Timings III:");
  bool any = false;
  for (int i = 0; i < kTimings; ++i) {
    const bool set = (image.byte(byteOf(s, i)) & maskOf(i)) != 0;
    d.set[static_cast<std::size_t>(i)] = set;
    if (!set) continue;
    any = true;
    std::string text = kCaptions[static_cast<std::size_t>(i)];
    // The report names reduced blanking in brackets, as the other timing lists do.
    if (text.ends_with(" RB")) text = text.substr(0, text.size() - 3) + " (RB)";
    d.reportText += line(text);
  }
  if (!any) d.reportText += line("None Specified");
  return d;
}

CellWrites setTiming(const Image& image, int s, int timing, bool checked) {
  if (timing < 0 || timing >= kTimings) return {};
  const int at = byteOf(s, timing);
  int value = image.byte(at) & ~maskOf(timing);
  if (checked) value |= maskOf(timing);
  return {{at, ByteToHex(value)}};
}

}  // namespace edid::established_iii
