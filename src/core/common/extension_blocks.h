#pragma once
// The extension blocks that follow the 128-byte base block (VESA E-EDID: byte 126
// counts them, each is 128 bytes and starts with its tag). The program shows and
// keeps them as they were read; it decodes none of them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/common/image.h"

namespace edid {

/// The heading of the data file's extension section; a reader that only knows the
/// base block never looks past its own hex dump, so it ignores what follows.
inline constexpr const char* kExtensionSectionHeading = "EXTENSION BLOCKS OF EDID CODE:";

/// The report's heading of the decoded extension blocks. The data file carries what
/// follows it in its extension section, after the rows, where the readers skip it.
inline constexpr const char* kExtensionDecodeHeading = "EXTENSION BLOCKS DECODED:";

/// The kind of an extension block by its tag byte and the tag in hex: "CTA-861 (02)",
/// "DisplayID (70)", "Block map (F0)"; "Unknown (xx)" for a tag without a name.
std::string extensionTagName(std::uint8_t tag);

/// The extension as text lines: per block a line "Block N: <tag name>", then eight
/// rows of 16 bytes, each row "<offset>:" (the byte's decimal offset in the whole
/// EDID, right-aligned in 5) and " XX" per byte. No lines for an empty extension;
/// a trailing part of a block is shown as far as it goes.
std::vector<std::string> extensionDumpLines(const std::vector<std::uint8_t>& extension);

/// The question to ask before writing the image as a binary EDID when byte 126
/// announces another number of extension blocks than the image holds; nothing when
/// they agree.
std::optional<std::string> extensionCountMismatch(const Image& image);

/// The base block's 128 bytes followed by the extension blocks, as a raw EDID file
/// holds them. Cells are read by the HexToChr rules.
std::string rawEdidBytes(const Image& image);

}  // namespace edid
