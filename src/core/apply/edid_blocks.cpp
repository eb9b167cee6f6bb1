#include "core/apply/edid_blocks.h"

#include <cstdio>
#include <regex>

#include "core/common/image.h"

namespace edid::apply {

bool hasEdidHeader(std::string_view bytes) {
  static constexpr std::string_view kHeader("\x00\xFF\xFF\xFF\xFF\xFF\xFF\x00", 8);
  return bytes.substr(0, kHeader.size()) == kHeader;
}

Status checkEdidBlocks(std::string_view edid) {
  const std::size_t block = kEdidSize;
  if (edid.empty() || edid.size() % block != 0)
    return failure("the EDID has " + std::to_string(edid.size()) +
                   " bytes, not whole blocks of 128");
  if (!hasEdidHeader(edid)) return failure("the EDID does not start with its header");
  const std::size_t blocks = edid.size() / block;
  const auto counted = static_cast<unsigned char>(edid[126]);
  if (counted != blocks - 1)
    return failure("byte 126 counts " + std::to_string(counted) +
                   " extension blocks, but the EDID holds " + std::to_string(blocks - 1));
  for (std::size_t b = 0; b < blocks; ++b) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < block; ++i) sum += static_cast<unsigned char>(edid[b * block + i]);
    if (sum % 256 != 0) {
      char text[96];
      std::snprintf(text, sizeof text, "block %zu's checksum is wrong (its bytes add up to %02X)",
                    b, sum % 256);
      return failure(text);
    }
  }
  return success();
}

namespace {
const std::regex& connectorPattern() {
  static const std::regex pattern(R"(^(card(\d+)-)?([A-Za-z0-9]+(-[A-Za-z0-9]+)*)$)");
  return pattern;
}
}  // namespace

Result<std::string> connectorName(const std::string& given) {
  std::smatch m;
  if (!std::regex_match(given, m, connectorPattern()))
    return failure("'" + given + "' is no connector name (such as DP-1 or card0-HDMI-A-1)");
  return m[3].str();
}

int connectorCard(const std::string& given) {
  std::smatch m;
  if (!std::regex_match(given, m, connectorPattern()) || !m[2].matched) return -1;
  return std::stoi(m[2].str());
}

}  // namespace edid::apply
