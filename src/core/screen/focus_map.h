#pragma once
// Where a byte of the grid belongs: its section frame, the cells to colour and,
// inside the four 18-byte blocks, which field option its offset selects. Pure
// functions of the byte index (and of the block's tag), so the focus handler
// stays a list of steps and the map itself can be checked cell by cell.

#include "core/common/layout.h"

namespace edid::focus {

/// Indices of the section frames Hints(0..13).
enum Hint : int {
  kHeaderHint = 0,
  kVendorHint = 1,
  kVersionHint = 2,
  kBasicHint = 3,
  kChromaHint = 4,
  kEstablishedIHint = 5,
  kEstablishedIIHint = 6,
  kManufacturerTimingsHint = 7,
  kStandardHint = 8,
  kDetailedHint = 9,
  kDetailedFlagsHint = 10,
  kDescriptorHint = 11,
  kExtStandardHint = 12,
  kChecksumHint = 13,
};

/// The sections of the image, in byte order.
enum class Section {
  Header,       ///< 0-7
  Vendor,       ///< 8-17
  Version,      ///< 18-19
  Basic,        ///< 20-24
  Chroma,       ///< 25-34
  Established,  ///< 35, 36, 37 (one frame each)
  Standard,     ///< 38-53
  Block,        ///< 54-125, four 18-byte blocks
  Checksum,     ///< 126-127
  None,         ///< outside the image (the two spare grid cells)
};

/// An inclusive range of cells.
using CellRange = ByteRange;

/// The section of byte index; None outside 0..127.
Section sectionOfByte(int index);

/// The frame a byte shows before its block's content is looked at: for the
/// 18-byte blocks Hints(9); the focus handler picks 10, 11 or 12 from the bytes.
/// -1 outside 0..127.
int hintOfByte(int index);

/// Cells painted on focus: first the section range in SectionColour, then the
/// field range in FieldColour over it. Empty ranges outside 0..127.
struct Colouring {
  CellRange section;
  CellRange field;
};
Colouring colouringOfByte(int index);

/// Position of a byte of 54..125 inside its 18-byte block.
struct BlockPosition {
  int block = 0;   ///< 0..3
  int start = 54;  ///< 54, 72, 90 or 108
  int offset = 0;  ///< 0..17
};
BlockPosition blockOfByte(int index);

/// The standard timing (0..7) a byte of 38..53 belongs to.
int standardTimingOfByte(int index);

/// DT option a detailed timing offset selects; -1 for 4, 7, 14 (no own field)
/// and 17 (the flags byte, which has its own frame).
int detailedTimingOption(int offset);
/// True for the offsets whose bytes only hold upper bits of other fields
/// (4, 7, 14): the entry box is hidden there.
bool detailedTimingHidesInput(int offset);

/// DtaOpt option of a range limits offset (5..9 -> 0..4); -1 otherwise.
int rangeLimitOption(int offset);
/// DtaOptWhite option of a colour point offset (7, 8, 9 -> 0, 1, 2; 12, 13, 14 ->
/// 3, 4, 5); -1 otherwise.
int colourPointOption(int offset);
/// ExtSTOpt option of a standard timing identifier offset (5-6 -> 0 ... 15-16 ->
/// 5); -1 otherwise.
int extStandardOption(int offset);
/// False where an FA block has no timing to edit (offsets 0-4 and 17).
bool extStandardFrameEnabled(int offset);

}  // namespace edid::focus
