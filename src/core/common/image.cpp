#include "core/common/image.h"

#include <algorithm>

#include "core/common/format.h"
#include "core/common/text.h"

namespace edid {

Image::Image() {
  for (int i = 0; i < kEdidSize; ++i) m_cells[static_cast<std::size_t>(i)].assign(2, '0');
}

Image Image::fromBytes(const std::vector<std::uint8_t>& bytes) {
  Image image;
  for (std::size_t i = 0; i < bytes.size() && i < kEdidSize; ++i) {
    // In place: a cell's two characters fit its own storage.
    std::string& cell = image.m_cells[i];
    cell.clear();
    format::appendHex2(cell, bytes[i]);
  }
  return image;
}

Image Image::fromEdid(std::string_view data) {
  const std::size_t count = std::min<std::size_t>(data.size(), kEdidSize);
  Image image = fromBytes({data.begin(), data.begin() + static_cast<std::ptrdiff_t>(count)});
  if (data.size() > count) image.setExtension({data.begin() + kEdidSize, data.end()});
  return image;
}

Image Image::fromCells(std::vector<std::string> texts) {
  Image image;
  for (std::size_t i = 0; i < texts.size() && i < kGridCells; ++i)
    image.m_cells[i] = std::move(texts[i]);
  return image;
}

void Image::setExtension(std::vector<std::uint8_t> blocks) {
  const std::size_t whole = blocks.size() / kEdidSize;
  blocks.resize(std::min<std::size_t>(whole, kMaxExtensionBlocks) * kEdidSize);
  m_extension = std::move(blocks);
}

void Image::setByte(int index, int value) {
  setCell(index, ByteToHex(value & 0xFF));
}

void Image::apply(const CellWrites& writes) {
  for (const auto& w : writes) setCell(w.index, w.text);
}

int Image::byte(int index) const {
  // Two hex digits, as nearly every cell holds, read directly; anything else by
  // the HexToChr rules.
  const std::string& text = cell(index);
  if (text.size() == 2) {
    const int high = hexDigit(text[0]);
    const int low = hexDigit(text[1]);
    if (high >= 0 && low >= 0) return high * 16 + low;
  }
  const auto code = HexToChr(text);
  return code ? *code : 0;
}

bool Image::readable(int index) const {
  return HexToChr(cell(index)).has_value();
}

std::vector<std::uint8_t> Image::bytes() const {
  std::vector<std::uint8_t> out(kEdidSize);
  for (int i = 0; i < kEdidSize; ++i)
    out[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(byte(i));
  return out;
}

int Image::checksumTest() const {
  int sum = 0;
  for (int i = 0; i < kEdidSize; ++i) sum = (sum + byte(i)) % 256;
  return sum;
}

int Image::correctChecksum() const {
  int sum = 0;
  for (int i = 0; i < kChecksumByte; ++i) sum = (sum + byte(i)) % 256;
  return sum == 0 ? 0 : 256 - sum;
}

Status Image::checkWritable() const {
  const auto isHex = [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
  };
  for (int i = 0; i < kEdidSize; ++i) {
    const std::string& text = cell(i);
    if (text.size() == 2 && isHex(text[0]) && isHex(text[1])) continue;
    return failure("Cannot write the EDID: cell " + std::to_string(i) + " holds \"" + text +
                   "\", not two hex digits");
  }
  return success();
}

std::array<std::string, kEdidSize> Image::byteTexts() const {
  std::array<std::string, kEdidSize> out;
  for (std::size_t i = 0; i < kEdidSize; ++i) out[i] = m_cells[i];
  return out;
}

}  // namespace edid
