#pragma once
// What every way of putting an EDID to use checks first: the kernel drops an EDID
// with a bad block, and a monitor with one in its EEPROM may stop a machine booting.

#include <string>
#include <string_view>

#include "core/common/result.h"

namespace edid::apply {

/// True when bytes start with the EDID header 00 FF FF FF FF FF FF 00.
bool hasEdidHeader(std::string_view bytes);

/// Refuses anything but whole 128-byte blocks with the header, byte 126 counting the
/// blocks after the first and every block's checksum right; the message says which.
Status checkEdidBlocks(std::string_view edid);

/// The connector's name as the kernel's parameters use it: "DP-1" from "DP-1" or
/// "card0-DP-1". Refuses names with anything but letters, digits and "-", so a name
/// never becomes a path.
Result<std::string> connectorName(const std::string& given);

/// The card number of "card0-DP-1"; -1 when given names no card.
int connectorCard(const std::string& given);

}  // namespace edid::apply
