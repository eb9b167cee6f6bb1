#pragma once
// A digital input from EDID 1.4 (byte 20, bit 7 set): bits 6-4 the colour bit
// depth, bits 3-0 the interface (VESA E-EDID 1.4, section 3.6.1). Before 1.4
// these bits are reserved but for bit 0, DFP 1.x compatible.

#include <array>

#include "core/common/image.h"

namespace edid::digital_input {

/// Captions of depth code 0..7 and interface code 0..5, as the screen offers them.
const std::array<const char*, 8>& depthCaptions();
const std::array<const char*, 6>& interfaceCaptions();

/// "Color Bit Depth - 8 Bits per Color" / "Interface - DisplayPort": the report
/// lines of byte 20's value; a code past the lists reads as reserved.
std::string depthText(int byte20);
std::string interfaceText(int byte20);

/// Bits 6-4 of byte 20 := depth 0..7, the interface kept.
CellWrites setColorDepth(const Image& image, int depth);
/// Bits 3-0 of byte 20 := interface 0..5, the depth kept.
CellWrites setInterface(const Image& image, int interfaceCode);

}  // namespace edid::digital_input
