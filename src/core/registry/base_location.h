#pragma once
// The Test button of the base location dialog: is there an EDID value at or below
// the base location in the chosen registry export, and whose is it?

#include <string>

#include "core/common/host.h"

namespace edid {

/// The message shown when no EDID value is found below the base location.
inline constexpr const char* kNoEdidRegistryEntry = "Unable to locate EDID Registry Entry.";

/// Searches registryFile for the first value named "EDID" at or below base (no
/// device key first) and returns what to tell the user: the key path, the size
/// and the manufacturer, product code and monitor name decoded from the value;
/// kNoEdidRegistryEntry when there is none; "Cannot read <path>: <reason>" for a
/// broken file. Keys that cannot be opened are reported through host on the way.
std::string testBaseLocation(const std::string& registryFile, const std::string& base, Host& host);

}  // namespace edid
