#pragma once
// The EDID search over the registry: the monitor's device key below a base
// location, and the first value named "EDID" at or below a key.

#include <string>

#include "core/common/host.h"
#include "core/registry/registry.h"

namespace edid {

/// The message shown when a key of the search cannot be opened.
inline constexpr const char* kUnableToReadRegistry = "Unable to read Registry";

/// Values longer than this cannot be read, like the registry's fixed read buffer.
inline constexpr std::size_t kRegistryBufferSize = 1024;

/// Where a search ended: the path of the key it found and, for a value search,
/// the value's data. An empty path with empty data means nothing was found.
struct RegistryHit {
  std::string path;
  std::string data;
};

/// Searches the key at path and its sub keys depth-first, values before sub keys,
/// sub keys in enumeration order. Control mode: the first key that has a sub key
/// named "CONTROL" (any case). Otherwise: the first value named "EDID" (any case)
/// with data. A key that cannot be opened shows kUnableToReadRegistry and yields nothing.
RegistryHit searchRegistry(const Registry& registry, Host& host, const std::string& path,
                           bool controlMode);

/// The path of the device key (control mode) or the EDID data (value mode) that
/// searchRegistry finds; "" when nothing is found.
std::string SearchRegistryKey(const Registry& registry, Host& host, const std::string& path,
                              bool controlMode);

/// The data of the key's value named "EDID" (any case) with data, or "". Nothing
/// in control mode or when valueCount is 0; values past the read buffer are skipped.
std::string FindEdidValue(const RegistryKey& key, std::size_t valueCount, bool controlMode);

/// The retrieve command's road: the device key below base (the first with a
/// "CONTROL" sub key), then the first EDID value at or below it. When no device
/// key is found the value search starts at HKEY_LOCAL_MACHINE itself.
RegistryHit findMonitorEdid(const Registry& registry, Host& host, const std::string& base);

}  // namespace edid
