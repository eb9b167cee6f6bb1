#pragma once
// Loading an EDID file as the editor's File Open and edidtool both do: any form
// readEdidInput knows, as an image with its extension blocks.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/common/image.h"
#include "core/common/result.h"
#include "core/input/edid_input.h"

namespace edid {

/// An EDID file as an image.
struct LoadedEdid {
  EdidInputKind kind = EdidInputKind::Binary;
  /// Cells 0..128 as imageOfTokens leaves them (upper-cased), cell 129 empty, and the
  /// whole extension blocks.
  Image image;
  /// What was read past, one sentence a line separated by CR LF; empty for a sound file.
  std::string warning;
  /// How many bytes of the file were left out; the warning says so.
  std::size_t dropped = 0;
};

/// The EDID in content; fails with the reader's refusal.
Result<LoadedEdid> loadEdid(std::string_view content);

/// The EDID in the file at path; fails with why it could not be read, or the refusal.
Result<LoadedEdid> loadEdidFile(const std::string& path);

}  // namespace edid
