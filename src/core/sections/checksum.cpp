#include "core/sections/checksum.h"

#include "core/common/numbers.h"
#include "core/common/text.h"

namespace edid::checksum {

int ComputeCheckSum(const Image& image) {
  return image.checksumTest();
}

std::string extensionFlagCaption(const Image& image) {
  return "Extended Flag = " + formatNumber(image.byte(kExtensionFlagByte), "0");
}

std::string extensionBlocksText(const Image& image) {
  const int flag = image.byte(kExtensionFlagByte);
  if (flag == 0) return "No Extension EDID Block(s)\r\n";
  std::string text = "(";
  appendNumber(text, flag, "00");
  return text.append(") Extension EDID Block(s)\r\n");
}

namespace {

const char* captionOf(bool valid) {
  return valid ? "CheckSum OK" : "CheckSum Is Invalid";
}

}  // namespace

std::string checksumCaption(const Image& image) {
  return captionOf(ComputeCheckSum(image) == 0);
}

Decoded decode(const Image& image) {
  Decoded d;
  d.extensionCount = image.byte(kExtensionFlagByte);
  d.valid = ComputeCheckSum(image) == 0;
  d.extensionFlagCaption = extensionFlagCaption(image);
  d.extensionBlocksText = extensionBlocksText(image);
  d.checksumCaption = captionOf(d.valid);
  d.checksumStatusText = d.checksumCaption + kCrLf;
  return d;
}

}  // namespace edid::checksum
