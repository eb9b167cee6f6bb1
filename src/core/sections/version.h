#pragma once
// Bytes 18-19: EDID structure version and revision.

#include <string>
#include <string_view>

#include "core/common/image.h"
#include "core/common/layout.h"
#include "core/common/result.h"

namespace edid::version {

inline constexpr int kVersionByte = layout::kVersion.first;
inline constexpr int kRevisionByte = layout::kVersion.last;

/// Byte 18 in decimal.
std::string versionText(const Image& image);
/// Byte 19 in decimal.
std::string revisionText(const Image& image);

/// The section decoded.
struct Decoded {
  int versionNumber = 0;   ///< byte 18
  int revisionNumber = 0;  ///< byte 19
  std::string version;     ///< versionText
  std::string revision;    ///< revisionText
  std::string complete;    ///< "version.revision"
};
Decoded decode(const Image& image);

/// True when bytes 18-19 say 1.4 or a later 1.x revision: the layout that gives
/// the range limit offsets, the timing support byte, tags F7-F9 and the digital
/// input's depth and interface their meaning.
bool isEdid14(const Image& image);

/// Encodes a decimal entry (its leading number, rounded) into byte 18 or 19.
/// Refuses text without a number ("Not a number: <text>") and values outside
/// 0..255 ("This value must value between 0 and 255").
Result<CellWrites> encode(int byteIndex, std::string_view entry);

}  // namespace edid::version
