#pragma once
// The edidtool command lines the editor runs, as root, to put its EDID to use.

#include <string>
#include <vector>

namespace edid::apply {

enum class ApplyWay { Firmware, Live, Eeprom };

/// The arguments after "edidtool" for way on connector with the EDID in file;
/// backup is where an EEPROM write saves the old bytes.
std::vector<std::string> applyArguments(ApplyWay way, const std::string& connector,
                                        const std::string& file, const std::string& backup);

}  // namespace edid::apply
