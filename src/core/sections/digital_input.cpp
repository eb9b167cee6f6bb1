#include "core/sections/digital_input.h"

#include <string>

#include "core/common/text.h"

namespace edid::digital_input {

namespace {

constexpr int kByte = 20;

const std::array<const char*, 8> kDepths = {"Undefined", "6 Bits",  "8 Bits",  "10 Bits",
                                            "12 Bits",   "14 Bits", "16 Bits", "Reserved"};
const std::array<const char*, 6> kInterfaces = {"Undefined", "DVI",  "HDMI-a",
                                                "HDMI-b",    "MDDI", "DisplayPort"};

CellWrites writeByte(int value) {
  return {{kByte, ByteToHex(value & 0xFF)}};
}

}  // namespace

const std::array<const char*, 8>& depthCaptions() {
  return kDepths;
}
const std::array<const char*, 6>& interfaceCaptions() {
  return kInterfaces;
}

std::string depthText(int byte20) {
  const int depth = (byte20 >> 4) & 7;
  std::string text = kDepths[static_cast<std::size_t>(depth)];
  if (depth >= 1 && depth <= 6) text += " per Color";
  return "Color Bit Depth - " + text;
}

std::string interfaceText(int byte20) {
  const auto code = static_cast<std::size_t>(byte20 & 0x0F);
  return std::string("Interface - ") + (code < kInterfaces.size() ? kInterfaces[code] : "Reserved");
}

CellWrites setColorDepth(const Image& image, int depth) {
  return writeByte((image.byte(kByte) & 0x8F) | ((depth & 7) << 4));
}

CellWrites setInterface(const Image& image, int interfaceCode) {
  return writeByte((image.byte(kByte) & 0xF0) | (interfaceCode & 0x0F));
}

}  // namespace edid::digital_input
