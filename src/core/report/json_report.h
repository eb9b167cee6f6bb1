#pragma once
// The whole decode of an EDID as one JSON object (RFC 8259, UTF-8), for scripts:
// the base block's identity, version, checksum and detailed timings, and every
// extension block decoded. Keys are snake_case and stable; docs/json.md lists them.
// A value the EDID does not give is left out.

#include <string>

#include "core/common/image.h"

namespace edid {

/// The JSON text of the image and its extension blocks, indented by two spaces,
/// ending with a line break. hideSerialNumbers gives "..." for the serial number
/// and the serial number descriptor's text.
std::string jsonReport(const Image& image, bool hideSerialNumbers = false);

}  // namespace edid
