#pragma once
// Reading an EDID from whatever file a user has, by its content rather than its
// name: our data file, a raw binary (sysfs, /lib/firmware/edid), hex text as
// decoders, xrandr --verbose, hexdump or a C array print it, or a Windows registry
// export. Bad input is a refusal or a warning, never a crash.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/result.h"

namespace edid {

/// The kinds of file the reader recognises.
enum class EdidInputKind { DataFile, Binary, HexText, RegistryExport };

/// What a file held.
struct EdidInput {
  EdidInputKind kind = EdidInputKind::Binary;
  /// A data file's texts for the grid cells 0..128 (kEdidTokenCount), its tokens as
  /// written ("" for a missing one, as its reader leaves it); empty for the other kinds.
  std::vector<std::string> cells;
  /// The base block's 128 bytes for the other kinds, a missing byte 0; empty for a
  /// data file.
  std::vector<std::uint8_t> base;
  /// The whole extension blocks after the base block.
  std::vector<std::uint8_t> extension;
  /// What was wrong but could be read past (a short base block, a partial last
  /// block), one sentence per line ended by CR LF; empty for a sound file.
  std::string warning;
  /// How many of the bytes read were left out (a partial last block, blocks past the
  /// 255th); the warning says so.
  std::size_t dropped = 0;
};

/// Finds the EDID in content. Fails with kInvalidDataFileMessage when the content
/// holds no EDID in any of the forms above.
Result<EdidInput> readEdidInput(std::string_view content);

/// The bytes of the first EDID in hex text: the first run of hex lines that holds
/// the header 00 FF FF FF FF FF FF 00 (from the header on), else the first run of at
/// least 128 bytes. A hex line is a line of hex pairs, with or without spaces,
/// commas, "0x" prefixes or an offset before them; other lines end a run, blank
/// lines do not. Where lines carry offsets (hexdump, od, xxd), bytes are placed by
/// them: a "*" line repeats the line before it up to the next offset, the final
/// offset alone gives the length, and an offset going back starts another run.
/// Empty when there is none; fails naming the offset when the run that holds the
/// header skips bytes without a "*".
Result<std::vector<std::uint8_t>> hexTextEdid(std::string_view text);

}  // namespace edid
