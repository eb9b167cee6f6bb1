#include "core/registry/registry_search.h"

#include "core/common/text.h"

namespace edid {

namespace {

bool isEdidValue(const RegistryValue& value) {
  return !value.name.empty() && toUpper(value.name) == "EDID" && !value.data.empty() &&
         value.data.size() <= kRegistryBufferSize;
}

}  // namespace

std::string FindEdidValue(const RegistryKey& key, std::size_t valueCount, bool controlMode) {
  if (valueCount == 0 || controlMode) return {};
  for (std::size_t i = 0; i < valueCount && i < key.values.size(); ++i)
    if (isEdidValue(key.values[i])) return key.values[i].data;
  return {};
}

RegistryHit searchRegistry(const Registry& registry, Host& host, const std::string& path,
                           bool controlMode) {
  const auto key = registry.openKey(path);
  if (!key) {
    host.message(kUnableToReadRegistry);
    return {};
  }
  std::string data = FindEdidValue(*key, key->values.size(), controlMode);
  if (!data.empty()) return {path, std::move(data)};
  for (const std::string& name : key->subKeys) {
    if (name.empty()) continue;
    if (controlMode && toUpper(name) == "CONTROL") return {path, {}};
    RegistryHit hit =
        searchRegistry(registry, host, path.empty() ? name : path + "\\" + name, controlMode);
    if (!hit.path.empty()) return hit;
  }
  return {};
}

std::string SearchRegistryKey(const Registry& registry, Host& host, const std::string& path,
                              bool controlMode) {
  RegistryHit hit = searchRegistry(registry, host, path, controlMode);
  return controlMode ? hit.path : hit.data;
}

RegistryHit findMonitorEdid(const Registry& registry, Host& host, const std::string& base) {
  const std::string device = SearchRegistryKey(registry, host, base, true);
  return searchRegistry(registry, host, device, false);
}

}  // namespace edid
