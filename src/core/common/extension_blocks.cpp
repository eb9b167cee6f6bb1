#include "core/common/extension_blocks.h"

#include <array>
#include <cstring>

#include "core/common/text.h"

namespace edid {

namespace {

constexpr std::size_t kRowBytes = 16;

std::string blocks(int count) {
  return std::to_string(count) + (count == 1 ? " extension block" : " extension blocks");
}

}  // namespace

std::string extensionTagName(std::uint8_t tag) {
  const char* name = "Unknown";
  switch (tag) {
    case 0x02:
      name = "CTA-861";
      break;
    case 0x10:
      name = "Video timing";
      break;
    case 0x20:
      name = "EDID 2.0";
      break;
    case 0x40:
      name = "Display information";
      break;
    case 0x50:
      name = "Localized strings";
      break;
    case 0x60:
      name = "Microdisplay";
      break;
    case 0x70:
      name = "DisplayID";
      break;
    case 0xA7:
    case 0xAF:
    case 0xBF:
      name = "Display transfer";
      break;
    case 0xF0:
      name = "Block map";
      break;
    case 0xFF:
      name = "Manufacturer";
      break;
    default:
      break;
  }
  return std::string(name) + " (" + ByteToHex(tag) + ")";
}

std::vector<std::string> extensionDumpLines(const std::vector<std::uint8_t>& extension) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < extension.size(); start += kEdidSize) {
    lines.push_back("Block " + std::to_string(start / kEdidSize + 1) + ": " +
                    extensionTagName(extension[start]));
    const std::size_t end = std::min(extension.size(), start + kEdidSize);
    for (std::size_t row = start; row < end; row += kRowBytes) {
      std::string line = PadLeft(std::to_string(row + kEdidSize), 5) + ":";
      for (std::size_t i = row; i < end && i < row + kRowBytes; ++i)
        line += " " + ByteToHex(extension[i]);
      lines.push_back(std::move(line));
    }
  }
  return lines;
}

std::optional<std::string> extensionCountMismatch(const Image& image) {
  const int announced = image.byte(kExtensionFlagByte);
  const int held = image.extensionBlockCount();
  if (announced == held) return std::nullopt;
  return "Byte 126 announces " + blocks(announced) + ", but the image holds " +
         (held == 0 ? std::string("none") : std::to_string(held)) +
         ".\r\n\r\nWrite the file as it is?";
}

std::string rawEdidBytes(const Image& image) {
  // The check reads every image through here: one allocation, and the base block
  // through a local array the compiler fills whole (char by char into the string,
  // each byte took a reload).
  const std::vector<std::uint8_t>& extension = image.extension();
  std::array<char, kEdidSize> base;
  for (int i = 0; i < kEdidSize; ++i)
    base[static_cast<std::size_t>(i)] = static_cast<char>(image.byte(i));
  std::string bytes(kEdidSize + extension.size(), '\0');
  std::memcpy(bytes.data(), base.data(), base.size());
  if (!extension.empty()) std::memcpy(bytes.data() + kEdidSize, extension.data(), extension.size());
  return bytes;
}

}  // namespace edid
