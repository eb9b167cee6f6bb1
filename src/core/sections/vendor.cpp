#include "core/sections/vendor.h"

#include <cstdint>

#include "core/common/numbers.h"
#include "core/common/text.h"

namespace edid::vendor {

namespace {

constexpr ByteRange kFieldRanges[] = {layout::kManufacturerId, layout::kProductCode,
                                      layout::kSerialNumber, layout::kWeek, layout::kYear};
constexpr int kEntryMaxLength[] = {3, 2, 20, 2, 4};

// A count's decimal digits, zeros in front up to the given width.
std::string digitsAtLeast(std::uint32_t value, std::size_t width) {
  std::string text = std::to_string(value);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

}  // namespace

Field fieldOfByte(int index) {
  for (int f = 0; f < 4; ++f) {
    if (index <= kFieldRanges[f].last) return static_cast<Field>(f);
  }
  return Field::Year;
}

ByteRange fieldRange(Field field) {
  return kFieldRanges[static_cast<int>(field)];
}

int entryMaxLength(Field field) {
  return kEntryMaxLength[static_cast<int>(field)];
}

std::string manufacturerLetters(const Image& image) {
  const int b8 = image.byte(8);
  const int b9 = image.byte(9);
  const int c1 = (b8 & 0x7C) / 4;
  const int c2 = (b8 & 0x03) * 8 + (b9 & 0xE0) / 32;
  const int c3 = b9 & 0x1F;
  return {static_cast<char>(64 + c1), static_cast<char>(64 + c2), static_cast<char>(64 + c3)};
}

ProductCode productCode(const Image& image) {
  ProductCode code;
  const int b10 = image.byte(10);
  const int b11 = image.byte(11);
  if (b10 > 32) {
    code.letters += static_cast<char>(b10);
    if (b11 > 32) code.letters += static_cast<char>(b11);
  }
  code.text.append(image.cell(11)).append(image.cell(10));
  if (!code.letters.empty()) code.text.append(1, '(').append(code.letters).append(1, ')');
  return code;
}

std::string serialNumberText(const Image& image) {
  if (image.byte(12) == 1 && image.byte(13) == 1 && image.byte(14) == 1 && image.byte(15) == 1)
    return "Not Used";
  const std::uint32_t serial = static_cast<std::uint32_t>(image.byte(12)) |
                               static_cast<std::uint32_t>(image.byte(13)) << 8 |
                               static_cast<std::uint32_t>(image.byte(14)) << 16 |
                               static_cast<std::uint32_t>(image.byte(15)) << 24;
  return digitsAtLeast(serial, 5);
}

namespace {

int weekOf(const Image& image) {
  return image.byte(16);
}

int yearOf(const Image& image) {
  return 1990 + image.byte(17);
}

}  // namespace

std::string weekText(const Image& image) {
  return digitsAtLeast(static_cast<std::uint32_t>(weekOf(image)), 2);
}

std::string yearText(const Image& image) {
  return std::to_string(yearOf(image));
}

std::string completeSerial(std::string_view productLetters, std::string_view yearText,
                           std::string_view weekText, std::string_view serialText) {
  if (serialText == "Not Used") return "See Descriptor Block";
  std::string out(productLetters);
  if (!yearText.empty()) out += yearText.back();
  out += weekText;
  out += serialText;
  return out;
}

Decoded decode(const Image& image) {
  Decoded d;
  d.manufacturer = manufacturerLetters(image);
  ProductCode code = productCode(image);
  d.productLetters = std::move(code.letters);
  d.productCode = std::move(code.text);
  d.serialNumber = serialNumberText(image);
  d.weekNumber = weekOf(image);
  d.yearNumber = yearOf(image);
  d.week = weekText(image);
  d.year = yearText(image);
  d.completeSerial = completeSerial(d.productLetters, d.year, d.week, d.serialNumber);
  return d;
}

Result<char> filterKey(Field field, char key) {
  if (key == 8 || key == 9 || key == 13 || key == '.') return key;
  switch (field) {
    case Field::Manufacturer:
    case Field::ProductCode: {
      const char upper = toUpper(key);
      if (upper < 'A' || upper > 'Z') return failure("A-Z Only");
      return upper;
    }
    case Field::SerialNumber:
      if (key < '0' || key > '9') return failure("0-9 Only");
      return key;
    case Field::Week:
    case Field::Year:
      break;
  }
  return key;
}

namespace {

int charCode(std::string_view text, std::size_t position) {
  return position < text.size() ? static_cast<unsigned char>(text[position]) : 0;
}

Result<CellWrites> encodeManufacturer(std::string_view entry) {
  // Each letter is a 5-bit code: "@" (0) to "_" (31). A missing letter counts as 0.
  int codes[3] = {0, 0, 0};
  for (std::size_t i = 0; i < 3 && i < entry.size(); ++i) {
    const char c = toUpper(entry[i]);
    if (c < '@' || c > '_') return failure("A-Z Only");
    codes[i] = c - 64;
  }
  if (entry.size() > 3) return failure("A-Z Only");
  return CellWrites{{8, ByteToHex(codes[0] * 4 + (codes[1] & 0x18) / 8)},
                    {9, ByteToHex((codes[1] & 0x07) * 32 + codes[2])}};
}

Result<CellWrites> encodeSerial(std::string_view entry) {
  const auto number = enteredNumber(entry);
  if (!number) return failure(number.error());
  const std::int64_t n = roundHalfEven(*number);
  if (n < 0 || n > 4294967295LL) return failure("The Range is 0-4294967295");
  std::string h = hexText(n);
  h.insert(0, 8 - h.size(), '0');
  return CellWrites{
      {12, h.substr(6, 2)}, {13, h.substr(4, 2)}, {14, h.substr(2, 2)}, {15, h.substr(0, 2)}};
}

Result<CellWrites> encodeWeek(std::string_view entry) {
  const auto number = enteredNumber(entry);
  if (!number) return failure(number.error());
  const std::int64_t week = roundHalfEven(*number);
  if (week > 52) return failure("Max value is 52");
  if (week < 0) return failure("Min value is 0");
  return CellWrites{{16, ByteToHex(static_cast<int>(week))}};
}

Result<CellWrites> encodeYear(std::string_view entry) {
  const auto number = enteredNumber(entry);
  if (!number) return failure(number.error());
  if (entry.size() < 4) return failure("Please enter in the full year (1999)");
  const std::int64_t year = roundHalfEven(*number);
  if (year < 1990 || year > 2155) return failure("The Range is 1990-2155");
  return CellWrites{{17, ByteToHex(static_cast<int>(year - 1990))}};
}

}  // namespace

Result<CellWrites> encode(const Image& /*image*/, Field field, std::string_view entry) {
  switch (field) {
    case Field::Manufacturer:
      return encodeManufacturer(entry);
    case Field::ProductCode:
      return CellWrites{{10, ByteToHex(charCode(entry, 0))}, {11, ByteToHex(charCode(entry, 1))}};
    case Field::SerialNumber:
      return encodeSerial(entry);
    case Field::Week:
      return encodeWeek(entry);
    case Field::Year:
      return encodeYear(entry);
  }
  return failure("Unknown field");
}

}  // namespace edid::vendor
