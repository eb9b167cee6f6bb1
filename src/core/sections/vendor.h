#pragma once
// Bytes 8..17: manufacturer ID, product code, serial number, week and year of
// manufacture (VESA EDID 1.x, section 3.4).

#include <string>
#include <string_view>

#include "core/common/image.h"
#include "core/common/layout.h"
#include "core/common/result.h"

namespace edid::vendor {

/// The five fields of the vendor section, in the order of their labels.
enum class Field { Manufacturer = 0, ProductCode = 1, SerialNumber = 2, Week = 3, Year = 4 };

/// The field a cell of bytes 8..17 belongs to (its tag).
Field fieldOfByte(int index);
/// The bytes a field occupies.
ByteRange fieldRange(Field field);
/// Characters the entry box takes for a field (3, 2, 20, 2, 4).
int entryMaxLength(Field field);

/// The three 5-bit letters of bytes 8-9, each as the character 64 + code
/// ("@" for 0, "A".."Z" for 1..26, "[".."_" for 27..31). Bit 7 of byte 8 is ignored.
std::string manufacturerLetters(const Image& image);

struct ProductCode {
  std::string letters;  ///< bytes 10, 11 as characters while above the space; byte 10 first
  std::string text;     ///< cell 11 + cell 10, then "(letters)" when there are letters
};
ProductCode productCode(const Image& image);

/// Bytes 12-15 little-endian, at least five decimal digits; "Not Used" for 01 01 01 01.
std::string serialNumberText(const Image& image);
/// Byte 16, at least two digits.
std::string weekText(const Image& image);
/// 1990 + byte 17.
std::string yearText(const Image& image);
/// Letters + last digit of the year + week + serial, or "See Descriptor Block"
/// when the serial number is not used.
std::string completeSerial(std::string_view productLetters, std::string_view yearText,
                           std::string_view weekText, std::string_view serialText);

/// The section decoded: the week and year, and the texts of its labels, its entry
/// box and the report.
struct Decoded {
  int weekNumber = 0;          ///< byte 16: 0 for no week; 255 makes the year a model year
  int yearNumber = 1990;       ///< 1990 + byte 17
  std::string manufacturer;    ///< manufacturerLetters
  std::string productLetters;  ///< ProductCode::letters
  std::string productCode;     ///< ProductCode::text
  std::string serialNumber;    ///< serialNumberText
  std::string week;            ///< weekText
  std::string year;            ///< yearText
  std::string completeSerial;  ///< completeSerial of the four above
};
Decoded decode(const Image& image);

/// Filters one typed character of the entry box: the character to enter (upper-cased
/// for the letter fields), or the refusal message ("A-Z Only", "0-9 Only").
/// Backspace, tab, Enter and the full stop always pass.
Result<char> filterKey(Field field, char key);

/// Encodes an entry into the field's bytes. Checks everything first: a refusal
/// (with its message) writes nothing, and every write is two upper-case hex digits.
/// A number field refuses text without a number with "Not a number: <text>".
Result<CellWrites> encode(const Image& image, Field field, std::string_view entry);

}  // namespace edid::vendor
