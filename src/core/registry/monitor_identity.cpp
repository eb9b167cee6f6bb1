#include "core/registry/monitor_identity.h"

#include <algorithm>
#include <vector>

#include "core/common/common.h"
#include "core/sections/vendor.h"

namespace edid {

MonitorIdentity identifyMonitor(std::string_view edid) {
  MonitorIdentity identity;
  if (edid.empty()) return identity;
  std::vector<std::uint8_t> bytes(edid.begin(),
                                  edid.begin() + std::min<std::size_t>(edid.size(), kEdidSize));
  const Image image = Image::fromBytes(bytes);
  bytes.resize(kEdidSize, 0);
  identity.manufacturer = vendor::manufacturerLetters(image);
  identity.productCode = image.cell(11) + image.cell(10);
  for (int start = 54; start <= 108 && identity.name.empty(); start += 18) {
    if (bytes[start] != 0 || bytes[start + 1] != 0 || bytes[start + 3] != 0xFC) continue;
    std::string name;
    for (int i = start + 5; i < start + 18 && bytes[i] != 0x0A; ++i)
      name += static_cast<char>(bytes[i]);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    identity.name = name;
  }
  return identity;
}

}  // namespace edid
