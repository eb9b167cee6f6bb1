#include "core/sections/version.h"

#include "core/common/numbers.h"
#include "core/common/text.h"

namespace edid::version {

// A byte's plain decimal digits: short enough to stay in the string itself.
std::string versionText(const Image& image) {
  return std::to_string(image.byte(kVersionByte));
}

std::string revisionText(const Image& image) {
  return std::to_string(image.byte(kRevisionByte));
}

Decoded decode(const Image& image) {
  Decoded d;
  d.versionNumber = image.byte(kVersionByte);
  d.revisionNumber = image.byte(kRevisionByte);
  d.version = versionText(image);
  d.revision = revisionText(image);
  d.complete = d.version + "." + d.revision;
  return d;
}

bool isEdid14(const Image& image) {
  return image.byte(kVersionByte) == 1 && image.byte(kRevisionByte) >= 4;
}

Result<CellWrites> encode(int byteIndex, std::string_view entry) {
  const auto number = enteredNumber(entry);
  if (!number) return failure(number.error());
  const double value = *number;
  if (value < 0 || value > 255) return failure("This value must value between 0 and 255");
  return CellWrites{{byteIndex, ByteToHex(std::stoi(formatNumber(value, "0")))}};
}

}  // namespace edid::version
