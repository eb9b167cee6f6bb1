#include "core/script/settings.h"

#include <charconv>

#include "core/common/common.h"
#include "core/common/document.h"
#include "core/common/extension_blocks.h"
#include "core/common/image.h"
#include "core/common/layout.h"
#include "core/common/text.h"
#include "core/cta/cta_settings.h"
#include "core/sections/basic_display.h"
#include "core/sections/monitor_descriptor.h"
#include "core/sections/range_limits.h"
#include "core/sections/vendor.h"

namespace edid::script {

namespace {

std::optional<int> wholeNumber(std::string_view text, int base = 10) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The first 18-byte block holding a descriptor of tag; -1 when none does.
int descriptorWithTag(const Image& image, int tag) {
  for (int k = 0; k < layout::kBlockCount; ++k) {
    const int start = layout::blockRange(k).first;
    if (image.byte(start) == 0 && image.byte(start + 1) == 0 && image.byte(start + 2) == 0 &&
        image.byte(start + 3) == tag)
      return start;
  }
  return -1;
}

Result<CellWrites> textOfDescriptor(const Image& image, int tag, const char* what,
                                    std::string_view text) {
  const int start = descriptorWithTag(image, tag);
  if (start < 0) return failure(std::string("The EDID has no ") + what + " descriptor");
  return monitor_descriptor::encodeText(start, text);
}

// MIN-MAX into range limits k and k + 1, each through the window's rate editor.
Result<CellWrites> rangePair(const Image& image, int k, std::string_view value) {
  const int start = descriptorWithTag(image, 0xFD);
  if (start < 0) return failure("The EDID has no range limits descriptor");
  const std::size_t dash = value.find('-');
  if (dash == std::string_view::npos) return failure("Not MIN-MAX: " + std::string(value));
  // The maximum first: from 1.4 a minimum above 255 needs its maximum there already.
  auto high = range_limits::encodeRate(image, start, k + 1, value.substr(dash + 1));
  if (!high) return high;
  Image after = image;
  after.apply(*high);
  auto low = range_limits::encodeRate(after, start, k, value.substr(0, dash));
  if (!low) return low;
  CellWrites writes = high.value();
  writes.insert(writes.end(), low->begin(), low->end());
  return writes;
}

// WxH in centimetres, through the window's size entries (millimetres).
Result<CellWrites> sizeCm(std::string_view value) {
  const std::size_t x = value.find('x');
  const auto width = wholeNumber(value.substr(0, x));
  const auto height = x == std::string_view::npos ? std::nullopt : wholeNumber(value.substr(x + 1));
  if (!width || !height) return failure("Not WxH in cm: " + std::string(value));
  auto h = basic_display::encode(basic_display::Entry::HorizSize, std::to_string(*width * 10));
  if (!h) return h;
  auto v = basic_display::encode(basic_display::Entry::VertSize, std::to_string(*height * 10));
  if (!v) return v;
  CellWrites writes = h.value();
  writes.insert(writes.end(), v->begin(), v->end());
  return writes;
}

// 18 bytes in hex, as edidtool timing --hex prints them, into block n (1..4).
Result<CellWrites> descriptorBytes(int n, std::string_view value) {
  CellWrites writes;
  const int start = layout::blockRange(n - 1).first;
  std::string digits;
  for (const char c : value)
    if (c != ' ') digits += c;
  if (digits.size() != 36) return failure("A block takes 18 bytes in hex");
  for (int i = 0; i < 18; ++i) {
    const auto byte = wholeNumber(std::string_view(digits).substr(std::size_t(i) * 2, 2), 16);
    if (!byte) return failure("Not a hex byte: " + digits.substr(std::size_t(i) * 2, 2));
    writes.push_back({start + i, ByteToHex(*byte)});
  }
  return writes;
}

Result<CellWrites> productCode(std::string_view value) {
  const bool hex = value.starts_with("0x") || value.starts_with("0X");
  const auto code = wholeNumber(hex ? value.substr(2) : value, hex ? 16 : 10);
  if (!code || *code < 0 || *code > 0xFFFF) return failure("The Range is 0-65535");
  return CellWrites{{10, ByteToHex(*code & 0xFF)}, {11, ByteToHex(*code >> 8)}};
}

// The cell writes of a base block key; std::nullopt for a key not of the base block.
std::optional<Result<CellWrites>> baseWrites(const Image& image, std::string_view key,
                                             std::string_view value) {
  using vendor::Field;
  if (key == "name") return textOfDescriptor(image, 0xFC, "monitor name", value);
  if (key == "serial") return textOfDescriptor(image, 0xFF, "serial number", value);
  if (key == "serial_number") return vendor::encode(image, Field::SerialNumber, value);
  if (key == "manufacturer") return vendor::encode(image, Field::Manufacturer, value);
  if (key == "product_code") return productCode(value);
  if (key == "week") return vendor::encode(image, Field::Week, value);
  if (key == "year") return vendor::encode(image, Field::Year, value);
  if (key == "gamma") return basic_display::encode(basic_display::Entry::Gamma, value);
  if (key == "size_cm") return sizeCm(value);
  if (key == "range.v") return rangePair(image, 0, value);
  if (key == "range.h") return rangePair(image, 2, value);
  if (key == "range.clock") {
    const int start = descriptorWithTag(image, 0xFD);
    if (start < 0) return failure("The EDID has no range limits descriptor");
    return monitor_descriptor::encodeRangeLimit(image, start, 4, value);
  }
  if (key.size() == 4 && key.starts_with("dtd") && key[3] >= '1' && key[3] <= '4')
    return descriptorBytes(key[3] - '0', value);
  return std::nullopt;
}

}  // namespace

std::optional<Status> applyBaseSetting(std::vector<std::uint8_t>& edid, std::string_view key,
                                       std::string_view value) {
  const Image image =
      Image::fromEdid(std::string_view(reinterpret_cast<const char*>(edid.data()), edid.size()));
  const auto writes = baseWrites(image, key, value);
  if (!writes) return std::nullopt;
  if (!*writes) return failure(writes->error());
  // The window's one write point, so the checksum follows as it does there.
  Common common;
  common.ModifyMode = true;
  Document document(common);
  document.load(image);
  document.write(**writes, std::string(key));
  const std::string bytes = rawEdidBytes(document.image());
  edid.assign(bytes.begin(), bytes.end());
  return success();
}

const std::vector<SettingHandler>& settingHandlers() {
  static const std::vector<SettingHandler> handlers{
      applyBaseSetting,
      cta::applyCtaSetting,
  };
  return handlers;
}

Status applySettings(std::vector<std::uint8_t>& edid, const std::vector<std::string>& pairs) {
  for (const std::string& pair : pairs) {
    const std::size_t equals = pair.find('=');
    if (equals == std::string::npos || equals == 0) return failure("Not KEY=VALUE: " + pair);
    const std::string_view key = std::string_view(pair).substr(0, equals);
    const std::string_view value = std::string_view(pair).substr(equals + 1);
    std::optional<Status> done;
    for (const SettingHandler& handler : settingHandlers())
      if ((done = handler(edid, key, value))) break;
    if (!done) return failure("Unknown key: " + std::string(key));
    if (!*done) return failure(pair + ": " + done->error());
  }
  return success();
}

}  // namespace edid::script
