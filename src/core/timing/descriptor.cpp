// A timing into the 18 bytes of a detailed timing descriptor, through the same
// field encoders the editor's entry box uses, so the bits land where the decoder
// reads them.
#include <cmath>
#include <cstdio>
#include <string>

#include "core/common/document.h"
#include "core/common/image.h"
#include "core/common/text.h"
#include "core/sections/detailed_timing.h"
#include "core/timing/timing.h"

namespace edid::timing {

namespace {

namespace dt = detailed_timing;

// Any of the four blocks would do; the codec takes a block of a whole image.
constexpr int kBlock = 54;
// The clock's two bytes count 10 kHz.
constexpr int kLargestClockUnits = 0xFFFF;

struct Limit {
  dt::Field field;
  const char* what;
  const char* unit;
  int largest;
  int bits;
};

std::string megahertz(int kHz) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", kHz / 1000.0);
  return text;
}

}  // namespace

int storedPixelClockKHz(const Timing& t) {
  return static_cast<int>(std::lround(t.pixelClockKHz / 10.0)) * 10;
}

Result<Descriptor> encodeDescriptor(const Timing& t, int hImageMm, int vImageMm) {
  const int clockUnits = storedPixelClockKHz(t) / 10;
  if (clockUnits > kLargestClockUnits)
    return failure("The pixel clock of " + megahertz(t.pixelClockKHz) +
                   " MHz is above 655.35 MHz, the most an 18-byte detailed timing holds. "
                   "Reduced blanking (CVT-RB or CVT-RB2) lowers the clock; a DisplayID or "
                   "CTA-861 extension block can hold the timing as it is.");
  if (clockUnits < 1) return failure("A detailed timing needs a pixel clock of at least 0.01 MHz");

  const std::array<std::pair<Limit, int>, 12> fields = {{
      {{dt::Field::HorizontalActive, "horizontal active", "pixels", 4095, 12}, t.hActive},
      {{dt::Field::HorizontalBlanking, "horizontal blanking", "pixels", 4095, 12}, t.hBlank()},
      {{dt::Field::VerticalActive, "vertical active", "lines", 4095, 12}, t.vActiveField()},
      {{dt::Field::VerticalBlanking, "vertical blanking", "lines", 4095, 12}, t.vBlank()},
      {{dt::Field::HorizontalSyncOffset, "horizontal sync offset", "pixels", 1023, 10},
       t.hFrontPorch},
      {{dt::Field::HorizontalSyncWidth, "horizontal sync width", "pixels", 1023, 10}, t.hSync},
      {{dt::Field::VerticalSyncOffset, "vertical sync offset", "lines", 63, 6}, t.vFrontPorch},
      {{dt::Field::VerticalSyncWidth, "vertical sync width", "lines", 63, 6}, t.vSync},
      {{dt::Field::HorizontalBorder, "horizontal border", "pixels", 255, 8}, t.hBorder},
      {{dt::Field::VerticalBorder, "vertical border", "lines", 255, 8}, t.vBorder},
      {{dt::Field::HorizontalImageSize, "horizontal image size", "mm", 4095, 12}, hImageMm},
      {{dt::Field::VerticalImageSize, "vertical image size", "mm", 4095, 12}, vImageMm},
  }};
  // A scratch document with "Modify EDID" off: its writes keep no history and leave
  // the checksum alone.
  Common scratch;
  Document block(scratch);
  const Image& image = block.image();
  const auto write = [&block](const CellWrites& writes) { block.write(writes, {}, Step::None); };
  for (const auto& [limit, value] : fields) {
    if (value < 0 || value > limit.largest)
      return failure("The " + std::string(limit.what) + " of " + std::to_string(value) + " " +
                     limit.unit + " does not fit the " + std::to_string(limit.bits) +
                     " bits of an 18-byte detailed timing (0 to " + std::to_string(limit.largest) +
                     "); a DisplayID extension block can hold the timing.");
    auto writes = dt::encodeField(image, kBlock, limit.field, std::to_string(value));
    if (!writes) return Error{writes.error()};
    write(*writes);
  }
  // The clock bytes directly: the entry box stops short of FF FF, which is still a clock.
  write({{kBlock, ByteToHex(clockUnits & 0xFF)}, {kBlock + 1, ByteToHex(clockUnits >> 8)}});

  write(dt::setSyncType(image, kBlock, static_cast<int>(dt::SyncType::DigitalSeparate)));
  if (t.hSyncPositive) write(dt::toggleSyncLine(image, kBlock));
  if (t.vSyncPositive) write(dt::toggleVSyncLine(image, kBlock));
  write(dt::setInterlaced(image, kBlock, t.interlaced));

  Descriptor bytes{};
  for (int i = 0; i < 18; ++i) bytes[static_cast<std::size_t>(i)] = image.byte(kBlock + i);
  return bytes;
}

}  // namespace edid::timing
