// Which bytes the timing generator writes into a block, and what it starts from.
#include "core/timing/generate.h"

#include <cmath>

#include "core/common/layout.h"
#include "core/common/text.h"
#include "core/sections/basic_display.h"
#include "core/sections/detailed_timing.h"

namespace edid::timing {

namespace {

namespace dt = detailed_timing;

int field(const Image& image, int blockStart, dt::Field f) {
  return dt::fieldValue(image, blockStart, f);
}

GeneratorStart startOfTiming(const Image& image, int s) {
  GeneratorStart start;
  const bool interlaced = dt::decode(image, s).interlaced;
  const int hActive = field(image, s, dt::Field::HorizontalActive);
  const int vActive = field(image, s, dt::Field::VerticalActive);
  const double hTotal = hActive + field(image, s, dt::Field::HorizontalBlanking);
  // An interlaced field holds half the frame's lines and half a line of blanking more.
  const double vTotal =
      vActive + field(image, s, dt::Field::VerticalBlanking) + (interlaced ? 0.5 : 0.0);
  const double clockHz = field(image, s, dt::Field::PixelClock) * 10000.0;
  if (hActive > 0 && vActive > 0) {
    start.width = hActive;
    start.height = interlaced ? 2 * vActive : vActive;
    start.interlaced = interlaced;
  }
  // Whole rates: a 59.94 Hz timing was most likely asked for as 60 Hz.
  const double rate = hTotal > 0 && vTotal > 0 ? std::round(clockHz / hTotal / vTotal) : 0;
  if (rate >= 1 && rate <= 1000) start.refreshHz = rate;
  start.hImageMm = field(image, s, dt::Field::HorizontalImageSize);
  start.vImageMm = field(image, s, dt::Field::VerticalImageSize);
  return start;
}

}  // namespace

GeneratorStart generatorStart(const Image& image, int blockStart) {
  if (!dt::isDescriptor(image, blockStart)) return startOfTiming(image, blockStart);
  for (int block = 0; block < layout::kBlockCount; ++block) {
    const int s = layout::blockStart(block);
    if (!dt::isDescriptor(image, s)) return startOfTiming(image, s);
  }
  GeneratorStart start;
  start.hImageMm = image.byte(basic_display::kHorizSizeByte) * 10;
  start.vImageMm = image.byte(basic_display::kVertSizeByte) * 10;
  return start;
}

Result<CellWrites> generatedBlock(const Image& image, int blockStart, const Timing& t,
                                  bool keepImageSize) {
  GeneratorStart kept;
  if (keepImageSize) kept = generatorStart(image, blockStart);
  const auto bytes = encodeDescriptor(t, kept.hImageMm, kept.vImageMm);
  if (!bytes) return Error{bytes.error()};
  CellWrites writes;
  for (int i = 0; i < layout::kBlockSize; ++i)
    writes.push_back({blockStart + i, ByteToHex((*bytes)[static_cast<std::size_t>(i)])});
  return writes;
}

}  // namespace edid::timing
