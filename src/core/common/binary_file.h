#pragma once
// The raw binary EDID file: the image's 128 bytes, then its extension blocks, and
// nothing else (no header, no length; byte 127 is whatever cell 127 holds).

#include <string>

#include "core/common/image.h"
#include "core/common/result.h"

namespace edid {

/// Writes the image as a binary EDID file at path: the 128 bytes of the cells, then
/// the extension blocks as they were read. The old file is replaced
/// only by a complete new one (temporary file in the same folder, renamed over it);
/// on failure it stays as it was and the error says "Cannot export <path>: <reason>".
/// A cell that is not two hex digits is refused, naming the cell, before anything is written.
Status exportBinaryFile(const std::string& path, const Image& image);

}  // namespace edid
