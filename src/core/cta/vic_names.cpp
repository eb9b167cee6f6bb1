// Names of the CTA-861 video formats. The timings come from the timing tables; only
// the picture aspect ratio, which a timing does not carry, is kept here.

#include <array>
#include <atomic>
#include <mutex>

#include "core/common/format.h"
#include "core/cta/cta861.h"
#include "core/timing/timing.h"

namespace edid::cta {

namespace {

// VICs 2-59 come mostly in pairs of one timing, 4:3 then 16:9; these are 16:9 alone.
constexpr int kWideSingles[] = {4, 5, 16, 19, 20, 31, 32, 33, 34, 39, 40, 41, 46, 47};

// Aspects of VICs 65 and up, as runs of VICs sharing one.
struct AspectRun {
  int first, last;
  const char* aspect;
};
constexpr AspectRun kHighRuns[] = {
    {65, 92, "64:27"},     {93, 97, "16:9"},      {98, 102, "256:135"}, {103, 107, "64:27"},
    {108, 108, "16:9"},    {109, 110, "64:27"},   {111, 111, "16:9"},   {112, 113, "64:27"},
    {114, 114, "16:9"},    {115, 115, "256:135"}, {116, 116, "64:27"},  {117, 118, "16:9"},
    {119, 127, "64:27"},   {193, 193, "64:27"},   {194, 201, "16:9"},   {202, 217, "64:27"},
    {218, 219, "256:135"},
};

// VICs 2-59 come in pairs of one timing, 4:3 then 16:9, but for the 16:9 singles.
constexpr std::array<bool, 60> kWideLow = [] {
  std::array<bool, 60> wide{};
  bool nextWide = false;  // within the pairs, the first of each is 4:3
  for (int v = 2; v < 60; ++v) {
    bool single = false;
    for (const int s : kWideSingles) single = single || s == v;
    wide[static_cast<std::size_t>(v)] = single || nextWide;
    if (!single) nextWide = !nextWide;
  }
  return wide;
}();

}  // namespace

std::string_view vicAspect(int vic) {
  if (vic == 1) return "4:3";
  if (vic >= 2 && vic <= 64) {
    if (vic >= 60) return "16:9";
    return kWideLow[static_cast<std::size_t>(vic)] ? "16:9" : "4:3";
  }
  for (const AspectRun& run : kHighRuns)
    if (vic >= run.first && vic <= run.last) return run.aspect;
  return {};
}

namespace {

std::string makeVicName(int vic) {
  const auto timing = timing::vic(vic);
  if (!timing) return {};
  std::string name;
  name.reserve(32);
  format::appendInt(name, timing->hActive);
  name += 'x';
  format::appendInt(name, timing->vActive);
  name += timing->interlaced ? "i " : "p ";
  format::appendFixed(name, timing->verticalHz(), 2);
  name += " Hz ";
  name += vicAspect(vic);
  return name;
}

// Texts made on first use, once each: a report names the same few formats
// thousands of times, and of the 256 codes a corpus uses a few dozen.
template <std::size_t Size>
class LazyTexts {
 public:
  template <typename Make>
  const std::string& get(std::size_t index, Make make) {
    Entry& e = m_entries[index];
    if (!e.made.load(std::memory_order_acquire)) {
      const std::lock_guard lock(m_mutex);
      if (!e.made.load(std::memory_order_relaxed)) {
        e.text = make();
        e.made.store(true, std::memory_order_release);
      }
    }
    return e.text;
  }

 private:
  struct Entry {
    std::atomic<bool> made{false};
    std::string text;
  };
  std::array<Entry, Size> m_entries;
  std::mutex m_mutex;
};

}  // namespace

const std::string& vicName(int vic) {
  static LazyTexts<256> names;
  static const std::string none;
  if (vic < 0 || vic >= 256) return none;
  return names.get(static_cast<std::size_t>(vic), [vic] { return makeVicName(vic); });
}

std::string_view vicText(int vic, bool native) {
  // Plain texts first, then the native ones: one look-up for either.
  static LazyTexts<512> texts;
  if (vic < 0 || vic >= 256) return native ? "unknown format (native)" : "unknown format";
  const std::size_t index = static_cast<std::size_t>(vic) + (native ? 256 : 0);
  return texts.get(index, [vic, native] {
    const std::string& known = vicName(vic);
    std::string text = known.empty() ? std::string("unknown format") : known;
    if (native) text += " (native)";
    return text;
  });
}

}  // namespace edid::cta
