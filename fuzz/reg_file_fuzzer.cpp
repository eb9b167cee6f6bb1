// Registry export files come from other people's machines: parse anything, and
// search whatever parses, without crashing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/common/common.h"
#include "core/common/host.h"
#include "core/registry/reg_file.h"
#include "core/registry/registry_search.h"

using edid::QuietHost;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  const auto registry = edid::RegFileRegistry::parse(content);
  if (!registry) return 0;
  QuietHost host;
  (void)edid::findMonitorEdid(*registry, host, edid::kDefaultRegistryBaseLocation);
  (void)edid::SearchRegistryKey(*registry, host, "", true);
  return 0;
}
