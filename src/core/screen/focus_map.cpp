#include "core/screen/focus_map.h"

namespace edid::focus {

BlockPosition blockOfByte(int index) {
  if (index < layout::kBlocks.first) index = layout::kBlocks.first;
  if (index > layout::kBlocks.last) index = layout::kBlocks.last;
  const int block = (index - layout::kBlocks.first) / layout::kBlockSize;
  const int start = layout::blockStart(block);
  return {block, start, index - start};
}

int standardTimingOfByte(int index) {
  if (index < layout::kStandardTimings.first) return 0;
  if (index > layout::kStandardTimings.last) return layout::kStandardTimingCount - 1;
  return (index - layout::kStandardTimings.first) / layout::kStandardTimingSize;
}

int detailedTimingOption(int offset) {
  // Offset -> DT index; the options are not in byte order on the frame.
  static constexpr int kOptions[18] = {0, 0, 1, 2, -1, 3, 4, -1, 5, 6, 7, 8, 11, 12, -1, 9, 10, -1};
  if (offset < 0 || offset > 17) return -1;
  return kOptions[offset];
}

bool detailedTimingHidesInput(int offset) {
  return offset == 4 || offset == 7 || offset == 14;
}

int rangeLimitOption(int offset) {
  return offset >= 5 && offset <= 9 ? offset - 5 : -1;
}

int colourPointOption(int offset) {
  if (offset >= 7 && offset <= 9) return offset - 7;
  if (offset >= 12 && offset <= 14) return offset - 9;
  return -1;
}

int extStandardOption(int offset) {
  return offset >= 5 && offset <= 16 ? (offset - 5) / 2 : -1;
}

bool extStandardFrameEnabled(int offset) {
  return offset >= 5 && offset <= 16;
}

}  // namespace edid::focus
