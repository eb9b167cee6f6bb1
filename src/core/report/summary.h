#pragma once
// The one-line summary of an EDID the editor's status bar shows: who made the
// monitor, its preferred mode, the EDID version, the size and whether every
// block's checksum holds. A pure function of the image.

#include <string>

#include "core/common/image.h"

namespace edid {

struct EdidSummary {
  std::string maker;  ///< the three manufacturer letters of bytes 8-9
  /// The monitor name descriptor's text, else the product code ("0x0F54").
  std::string model;
  /// The first 18-byte block as a mode ("2560x1440 @ 144.00 Hz"), or "" when it
  /// is a descriptor: that block is the preferred timing.
  std::string preferredMode;
  std::string version;  ///< bytes 18.19 ("1.3")
  int sizeBytes = 0;    ///< the base block and the extension blocks held
  int extensionBlocks = 0;
  /// Index of the first block whose bytes do not add up to a multiple of 256; -1
  /// when every checksum holds.
  int badChecksumBlock = -1;
};

EdidSummary summarize(const Image& image);

/// The summary as the status bar prints it, parts separated by "  |  ".
std::string summaryLine(const EdidSummary& summary);

}  // namespace edid
