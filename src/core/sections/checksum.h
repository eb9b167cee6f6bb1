#pragma once
// Byte 126 (number of extension blocks) and byte 127 (checksum).

#include <string>

#include "core/common/image.h"

namespace edid::checksum {

/// Sum of bytes 0..127 modulo 256; 0 when the checksum is valid.
int ComputeCheckSum(const Image& image);

/// "Extended Flag = n", n the value of byte 126 in decimal.
std::string extensionFlagCaption(const Image& image);
/// "No Extension EDID Block(s)" or "(nn) Extension EDID Block(s)", with CR LF.
std::string extensionBlocksText(const Image& image);
/// "CheckSum OK" or "CheckSum Is Invalid" (without CR LF).
std::string checksumCaption(const Image& image);

/// Bytes 126 and 127 decoded.
struct Decoded {
  int extensionCount = 0;            ///< byte 126
  bool valid = false;                ///< the 128 bytes add up to a multiple of 256
  std::string extensionFlagCaption;  ///< extensionFlagCaption
  std::string extensionBlocksText;   ///< extensionBlocksText, with CR LF
  std::string checksumCaption;       ///< checksumCaption
  std::string checksumStatusText;    ///< checksumCaption with CR LF
};
Decoded decode(const Image& image);

}  // namespace edid::checksum
