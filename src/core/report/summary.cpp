#include "core/report/summary.h"

#include <cstdio>

#include "core/common/layout.h"
#include "core/report/monitor_name.h"
#include "core/sections/detailed_timing.h"
#include "core/sections/vendor.h"
#include "core/sections/version.h"

namespace edid {

namespace {

std::string preferredModeOf(const Image& image) {
  const int start = layout::blockStart(0);
  if (detailed_timing::isDescriptor(image, start)) return {};
  const detailed_timing::Timing timing = detailed_timing::decode(image, start);
  using detailed_timing::Field;
  const int width = timing.values[static_cast<int>(Field::HorizontalActive)];
  int height = timing.values[static_cast<int>(Field::VerticalActive)];
  // An interlaced block counts the lines of one field.
  if (timing.interlaced) height *= 2;
  return std::to_string(width) + "x" + std::to_string(height) + (timing.interlaced ? "i" : "") +
         " @ " + timing.verticalFrequency + " Hz";
}

int firstBadChecksumBlock(const Image& image) {
  if (image.checksumTest() != 0) return 0;
  const std::vector<std::uint8_t>& blocks = image.extension();
  for (int block = 0; block < image.extensionBlockCount(); ++block) {
    unsigned sum = 0;
    for (int i = 0; i < kEdidSize; ++i)
      sum += blocks[static_cast<std::size_t>(block * kEdidSize + i)];
    if (sum % 256 != 0) return block + 1;
  }
  return -1;
}

}  // namespace

EdidSummary summarize(const Image& image) {
  EdidSummary summary;
  summary.maker = vendor::manufacturerLetters(image);
  char code[8];
  std::snprintf(code, sizeof code, "0x%02X%02X", image.byte(11), image.byte(10));
  summary.model = modelFromDescriptor(image, code);
  summary.preferredMode = preferredModeOf(image);
  summary.version = version::decode(image).complete;
  summary.extensionBlocks = image.extensionBlockCount();
  summary.sizeBytes = kEdidSize * (1 + summary.extensionBlocks);
  summary.badChecksumBlock = firstBadChecksumBlock(image);
  return summary;
}

std::string summaryLine(const EdidSummary& summary) {
  const std::string separator = "  |  ";
  std::string line = summary.maker + " " + summary.model + separator;
  line += summary.preferredMode.empty() ? "no preferred mode" : summary.preferredMode;
  line += separator + "EDID " + summary.version + separator;
  line += std::to_string(summary.sizeBytes) + " bytes, " + std::to_string(summary.extensionBlocks) +
          (summary.extensionBlocks == 1 ? " extension block" : " extension blocks") + separator;
  line += summary.badChecksumBlock < 0
              ? "checksums valid"
              : "checksum wrong in block " + std::to_string(summary.badChecksumBlock);
  return line;
}

}  // namespace edid
