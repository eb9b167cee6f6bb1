#pragma once
// The EDID/DDC data file (*.DAT): the report text written line by line with CR LF,
// read back through its hex dump only. Files are byte strings (Windows-1252 as
// written); nothing here converts encodings.

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/file_io.h"
#include "core/common/image.h"
#include "core/common/result.h"

namespace edid {

/// The refusal shown for a file without an EDID code section.
inline constexpr const char* kInvalidDataFileMessage = "This File is not a Valid EDID/DDC File";

/// A data file's code section has tokens 0..128: the 128 bytes and the grid cell after them.
inline constexpr int kEdidTokenCount = 129;

/// The data file's text for the report lines: every element before "END REPORT",
/// one trailing CR LF removed, written with CR LF unless it is then empty. An
/// element with a CR LF inside becomes two lines.
/// The decoded extension blocks (from the element holding kExtensionDecodeHeading on)
/// are left to extensionSectionText.
std::string dataFileText(const std::vector<std::string>& reportLines);

/// The data file's extension section for the blocks after the base block: the
/// heading kExtensionSectionHeading and the lines of extensionDumpLines, each with
/// CR LF. Empty when there are none. It follows the report, so the base block's
/// hex dump stays where every reader of data files looks for it. The report's decoded
/// extension lines, when reportLines has them, follow the rows.
std::string extensionSectionText(const std::vector<std::uint8_t>& extension,
                                 const std::vector<std::string>& reportLines = {});

/// The bytes of a data file's extension section: after the heading line (any case),
/// every line that starts with a decimal offset and ":" is a row of 16 hex pairs
/// (spaces inside a pair do not matter, as in the base block's rows); other lines
/// are skipped. The rows run on from offset 128 to the end of a whole block. Empty
/// when the content has no such section. Fails naming the row and the cell when a
/// pair is not two hex digits, a row has too few or too many cells, or a row is
/// missing or out of place.
Result<std::vector<std::uint8_t>> parseExtensionSection(std::string_view content);

/// Checks that the rows after a data file's "128 BYTES OF EDID CODE:" line and its
/// two heading lines give parseEdidCodeSection whole cells for all 128 bytes: fails
/// naming the row (cell / 10 x 10) and the cell where a row's characters do not pair
/// up (a cell of one digit would shift every later one) or where the cells end early
/// (missing rows). Rows may hold any number of cells, as hand-edited files do.
Status checkEdidCodeRows(std::string_view content);

/// The lines of a file's content. A line ends at LF, with a CR before it dropped,
/// so CR LF and LF-only files read alike; a last line without an end still counts.
std::vector<std::string_view> splitFileLines(std::string_view content);

/// Adds the hex tokens of one line to tokens, from index on, advancing index. Only
/// characters after the first "|" count; characters above the space pair up into
/// tokens (spaces and control characters do not break a pair); a pair still open at
/// the end of the line is dropped. Tokens past the end of tokens are ignored.
void SplitHexTokens(std::string_view line, std::vector<std::string>& tokens, int& index);

/// The kEdidTokenCount tokens of a data file's EDID code section: the rows after the
/// line containing "128 BYTES OF EDID CODE:" (any case) and the two lines that follow
/// it. Missing tokens are empty. Fails with kInvalidDataFileMessage when the content
/// has no such line.
Result<std::vector<std::string>> parseEdidCodeSection(std::string_view content);

/// An image of the tokens in cells 0..kEdidTokenCount-1, upper-cased as typing into them
/// gives (a hand-edited "ff" reads the same); missing tokens give empty cells.
Image imageOfTokens(std::vector<std::string> tokens);

/// The fixed header every EDID starts with.
inline constexpr std::array<std::uint8_t, 8> kEdidHeader = {0x00, 0xFF, 0xFF, 0xFF,
                                                            0xFF, 0xFF, 0xFF, 0x00};

/// True when the first 8 characters are the EDID header 00 FF FF FF FF FF FF 00.
bool startsWithEdidHeader(std::string_view data);

}  // namespace edid
