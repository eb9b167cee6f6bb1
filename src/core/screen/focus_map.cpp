#include "core/screen/focus_map.h"

#include "core/common/image.h"

namespace edid::focus {

Section sectionOfByte(int index) {
  if (index < 0 || index >= kEdidSize) return Section::None;
  if (index <= 7) return Section::Header;
  if (index <= 17) return Section::Vendor;
  if (index <= 19) return Section::Version;
  if (index <= 24) return Section::Basic;
  if (index <= 34) return Section::Chroma;
  if (index <= 37) return Section::Established;
  if (index <= 53) return Section::Standard;
  if (index <= 125) return Section::Block;
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
      return kEstablishedIHint + (index - 35);
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
      return {{0, 7}, {0, 7}};
    case Section::Vendor: {
      static constexpr CellRange kFields[] = {{8, 9}, {10, 11}, {12, 15}, {16, 16}, {17, 17}};
      for (const CellRange& field : kFields) {
        if (field.contains(index)) return {{8, 17}, field};
      }
      break;
    }
    case Section::Version:
      return {{18, 19}, cell};
    case Section::Basic:
      return {{20, 24}, cell};
    case Section::Chroma:
      return {{25, 34}, cell};
    case Section::Established:
      return {cell, cell};
    case Section::Standard: {
      const int first = 38 + 2 * standardTimingOfByte(index);
      return {{38, 53}, {first, first + 1}};
    }
    case Section::Block: {
      const BlockPosition pos = blockOfByte(index);
      // Offsets 0-1 are one field in every block kind: the pixel clock, or the
      // zero marker of a descriptor.
      const CellRange field = pos.offset <= 1 ? CellRange{pos.start, pos.start + 1} : cell;
      return {{pos.start, pos.start + 17}, field};
    }
    case Section::Checksum:
      return {{126, 127}, cell};
    case Section::None:
      break;
  }
  return {};
}

BlockPosition blockOfByte(int index) {
  if (index < 54) index = 54;
  if (index > 125) index = 125;
  const int block = (index - 54) / 18;
  const int start = 54 + 18 * block;
  return {block, start, index - start};
}

int standardTimingOfByte(int index) {
  if (index < 38) return 0;
  if (index > 53) return 7;
  return (index - 38) / 2;
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
