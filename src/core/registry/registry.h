#pragma once
// The read-only view of the Windows registry below HKEY_LOCAL_MACHINE that the
// EDID search needs: open a key, list its sub keys and values in enumeration order.

#include <optional>
#include <string>
#include <vector>

namespace edid {

/// One value of a key. data holds the value's bytes (binary values as they are,
/// strings as their text, DWORDs as four little-endian bytes).
struct RegistryValue {
  std::string name;
  std::string data;
};

/// An opened key: its sub key names and values, in the registry's enumeration order.
struct RegistryKey {
  std::vector<std::string> subKeys;
  std::vector<RegistryValue> values;
};

/// A source of registry keys below HKEY_LOCAL_MACHINE.
class Registry {
 public:
  virtual ~Registry() = default;
  /// The key at path (components separated by "\", compared case-insensitively;
  /// "" is HKEY_LOCAL_MACHINE itself), or nothing when there is no such key.
  virtual std::optional<RegistryKey> openKey(const std::string& path) const = 0;
};

}  // namespace edid
