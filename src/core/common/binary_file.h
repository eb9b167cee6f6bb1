#pragma once
// The raw binary EDID file: the image's 128 bytes and nothing else (no header, no
// length; byte 127 is whatever cell 127 holds). The program writes it, never reads it.

#include <string>

#include "core/common/image.h"
#include "core/common/result.h"

namespace edid {

/// The 128 bytes of the image: byte i is cell i read by the HexToChr rules, so an
/// empty cell gives 0.
std::string binaryEdidBytes(const Image& image);

/// Writes the image as a 128-byte binary EDID file at path. The old file is replaced
/// only by a complete new one (temporary file in the same folder, renamed over it);
/// on failure it stays as it was and the error says "Cannot export <path>: <reason>".
Status exportBinaryFile(const std::string& path, const Image& image);

}  // namespace edid
