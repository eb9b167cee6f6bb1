#include "core/screen/focus_map.h"

#include "core/common/image.h"
#include "core/sections/vendor.h"

namespace edid::focus {

Section sectionOfByte(int index) {
  using namespace layout;
  if (index < 0 || index >= kEdidSize) return Section::None;
  if (index <= kHeader.last) return Section::Header;
  if (index <= kVendor.last) return Section::Vendor;
  if (index <= kVersion.last) return Section::Version;
  if (index <= kBasicDisplay.last) return Section::Basic;
  if (index <= kChromaticity.last) return Section::Chroma;
  if (index <= kEstablished.last) return Section::Established;
  if (index <= kStandardTimings.last) return Section::Standard;
  if (index <= kBlocks.last) return Section::Block;
  return Section::Checksum;
}

int hintOfByte(int index) {
  switch (sectionOfByte(index)) {
    case Section::Header:
      return kHeaderHint;
    case Section::Vendor:
      return kVendorHint;
    case Section::Version:
      return kVersionHint;
    case Section::Basic:
      return kBasicHint;
    case Section::Chroma:
      return kChromaHint;
    case Section::Established:
      return kEstablishedIHint + (index - layout::kEstablished.first);
    case Section::Standard:
      return kStandardHint;
    case Section::Block:
      return kDetailedHint;
    case Section::Checksum:
      return kChecksumHint;
    case Section::None:
      break;
  }
  return -1;
}

Colouring colouringOfByte(int index) {
  const CellRange cell{index, index};
  switch (sectionOfByte(index)) {
    case Section::Header:
      // The header has no fields: the whole of it is the field.
      return {layout::kHeader, layout::kHeader};
    case Section::Vendor:
      return {layout::kVendor, vendor::fieldRange(vendor::fieldOfByte(index))};
    case Section::Version:
      return {layout::kVersion, cell};
    case Section::Basic:
      return {layout::kBasicDisplay, cell};
    case Section::Chroma:
      return {layout::kChromaticity, cell};
    case Section::Established:
      return {cell, cell};
    case Section::Standard: {
      const int first = layout::kStandardTimings.first +
                        layout::kStandardTimingSize * standardTimingOfByte(index);
      return {layout::kStandardTimings, {first, first + layout::kStandardTimingSize - 1}};
    }
    case Section::Block: {
      const BlockPosition pos = blockOfByte(index);
      // Offsets 0-1 are one field in every block kind: the pixel clock, or the
      // zero marker of a descriptor.
      const CellRange field = pos.offset <= 1 ? CellRange{pos.start, pos.start + 1} : cell;
      return {layout::blockRange(pos.block), field};
    }
    case Section::Checksum:
      return {layout::kTrailer, cell};
    case Section::None:
      break;
  }
  return {};
}

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
