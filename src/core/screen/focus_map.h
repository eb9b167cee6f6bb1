#pragma once
// Where a byte inside a section belongs: its 18-byte block or standard timing,
// and which field option its offset selects. Pure functions of the byte index, so
// the focus steps stay lists of steps and the map can be checked cell by cell.
// Which section a byte belongs to is the section table's (section_table.cpp).

#include "core/common/layout.h"

namespace edid::focus {

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
