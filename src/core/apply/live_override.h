#pragma once
// The kernel's live override: the EDID written into a connector's edid_override
// file in debugfs (/sys/kernel/debug/dri/<N>/<connector>/), then a hotplug so the
// driver reads it. Only root may open debugfs.

#include <string>
#include <string_view>

namespace edid::apply {

inline constexpr const char* kDefaultDebugfs = "/sys/kernel/debug";
/// What edid_override takes to drop the override.
inline constexpr const char* kOverrideReset = "reset";

struct OverrideOutcome {
  bool ok = false;
  bool needsRoot = false;  ///< debugfs or the connector's files refused access
  std::string message;     ///< why it failed
  std::string folder;      ///< the connector's debugfs folder, once found
};

/// Writes content (an EDID, or kOverrideReset) into the connector's edid_override
/// in place (debugfs files cannot be replaced) and writes "1" to its
/// trigger_hotplug. An EDID is checked before anything is written.
OverrideOutcome overrideEdid(const std::string& debugfs, const std::string& connector,
                             std::string_view content);

}  // namespace edid::apply
