#include "core/registry/base_location.h"

#include "core/common/text.h"
#include "core/registry/monitor_identity.h"
#include "core/registry/reg_file.h"
#include "core/registry/registry_search.h"

namespace edid {

std::string testBaseLocation(const std::string& registryFile, const std::string& base, Host& host) {
  if (registryFile.empty())
    return "No registry file is chosen: Retrieve reads the attached monitor.";
  const auto registry = RegFileRegistry::load(registryFile);
  if (!registry) return registry.error();
  const RegistryHit hit = searchRegistry(*registry, host, base, false);
  if (hit.data.empty()) return kNoEdidRegistryEntry;
  // The raw bytes would show as nothing (they start with a zero byte); say what they are.
  const MonitorIdentity identity = identifyMonitor(hit.data);
  std::string text = "EDID found in HKEY_LOCAL_MACHINE\\" + hit.path + kCrLf + kCrLf;
  text += "Size: " + std::to_string(hit.data.size()) + " bytes" + kCrLf;
  text += "Manufacturer: " + identity.manufacturer + kCrLf;
  text += "Product code: " + identity.productCode + kCrLf;
  text += "Monitor name: " + (identity.name.empty() ? std::string("(none)") : identity.name);
  return text;
}

}  // namespace edid
