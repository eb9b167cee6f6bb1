#include "core/common/image.h"

#include <algorithm>

#include "core/common/format.h"
#include "core/common/text.h"

namespace edid {

namespace {

// The texts of the bytes, for cell() of a Hex cell.
const std::array<std::string, 256>& hexTexts() {
  static const std::array<std::string, 256> texts = [] {
    std::array<std::string, 256> out;
    for (int value = 0; value < 256; ++value)
      format::appendHex2(out[static_cast<std::size_t>(value)], value);
    return out;
  }();
  return texts;
}

bool isUpperHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

}  // namespace

Image::Image() {
  m_forms[kEdidSize] = Form::Empty;
  m_forms[kEdidSize + 1] = Form::Empty;
}

const std::string& Image::cell(int index) const {
  const auto at = static_cast<std::size_t>(index);
  switch (m_forms.at(at)) {
    case Form::Hex:
      return hexTexts()[m_bytes[at]];
    case Form::Empty: {
      static const std::string empty;
      return empty;
    }
    case Form::Text:
    case Form::Unreadable:
      break;
  }
  return textOf(index)->second;
}

std::vector<std::pair<int, std::string>>::const_iterator Image::textOf(int index) const {
  return std::lower_bound(m_texts.begin(), m_texts.end(), index,
                          [](const auto& entry, int cell) { return entry.first < cell; });
}

void Image::setCell(int index, std::string text) {
  const auto at = static_cast<std::size_t>(index);
  const Form before = m_forms.at(at);
  Form form = Form::Text;
  if (text.size() == 2 && isUpperHex(text[0]) && isUpperHex(text[1])) {
    form = Form::Hex;
    m_bytes[at] = static_cast<std::uint8_t>(hexDigit(text[0]) * 16 + hexDigit(text[1]));
  } else if (text.empty()) {
    form = Form::Empty;
    m_bytes[at] = 0;
  } else {
    const auto code = HexToChr(text);
    form = code ? Form::Text : Form::Unreadable;
    m_bytes[at] = code ? *code : 0;
  }
  m_forms[at] = form;
  const bool keptBefore = before == Form::Text || before == Form::Unreadable;
  const bool keptNow = form == Form::Text || form == Form::Unreadable;
  const auto entry = m_texts.begin() + (textOf(index) - m_texts.cbegin());
  if (keptNow && keptBefore)
    entry->second = std::move(text);
  else if (keptNow)
    m_texts.emplace(entry, index, std::move(text));
  else if (keptBefore)
    m_texts.erase(entry);
}

Image Image::fromBytes(const std::vector<std::uint8_t>& bytes) {
  Image image;
  std::copy_n(bytes.begin(), std::min<std::size_t>(bytes.size(), kEdidSize), image.m_bytes.begin());
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
    image.setCell(static_cast<int>(i), std::move(texts[i]));
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
  for (int i = 0; i < kEdidSize; ++i) out[static_cast<std::size_t>(i)] = cell(i);
  return out;
}

}  // namespace edid
