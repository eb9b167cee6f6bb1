#pragma once
// The EDID image as the decoding screen holds it: 130 grid cells of text, of
// which cells 0..127 are the 128 bytes (cell i is byte i). A cell normally holds
// two upper-case hex digits, but may hold whatever a user typed; readers use the
// rules of HexToChr, so malformed text is data, never a crash. Stored as bytes,
// with the text kept only for a cell that holds anything else, so that an image
// is cheap to make, copy and read. Beside the cells the
// image keeps the extension blocks that followed the base block, as read: editing
// the base block never touches them.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/common/result.h"

namespace edid {

inline constexpr int kEdidSize = 128;
inline constexpr int kGridCells = 130;
inline constexpr int kChecksumByte = 127;
inline constexpr int kExtensionFlagByte = 126;
/// Byte 126 counts extension blocks in one byte, so no EDID has more than this many.
inline constexpr int kMaxExtensionBlocks = 255;

/// One cell write of an editor: the cell and its new two-digit text.
struct CellWrite {
  int index = 0;
  std::string text;
  bool operator==(const CellWrite&) const = default;
};
using CellWrites = std::vector<CellWrite>;

/// The 128-byte image in its cells, plus the two grid cells that complete the last row.
class Image {
 public:
  /// A new image: cells 0..127 hold "00", cells 128 and 129 are empty.
  Image();
  /// An image of the given bytes (up to 128; missing ones are 0).
  static Image fromBytes(const std::vector<std::uint8_t>& bytes);
  /// An image of an EDID as read: its first 128 bytes (missing ones are 0), and the
  /// whole 128-byte blocks after them as the extension.
  static Image fromEdid(std::string_view data);
  /// An image whose first cells hold texts (up to 130), the rest as in a new image.
  static Image fromCells(std::vector<std::string> texts);

  /// The cell's text. The reference stays valid until the image changes.
  const std::string& cell(int index) const;
  void setCell(int index, std::string text);
  /// Writes a byte as two upper-case hex digits.
  void setByte(int index, int value);
  void apply(const CellWrites& writes);

  /// Byte value of cell index by the HexToChr rules ("" -> 0, "A" -> 160); a text
  /// whose value falls outside 0..255 (such as "ZZ") reads as 0.
  int byte(int index) const { return m_bytes.at(static_cast<std::size_t>(index)); }
  /// True when cell index holds two upper-case hex digits: the text of its byte.
  bool holdsHex(int index) const {
    return m_forms.at(static_cast<std::size_t>(index)) == Form::Hex;
  }
  /// True when cell index holds a text HexToChr can read (value 0..255).
  bool readable(int index) const {
    return m_forms.at(static_cast<std::size_t>(index)) != Form::Unreadable;
  }
  /// Bytes 0..127 as values.
  std::vector<std::uint8_t> bytes() const;
  /// Sum of bytes 0..127 modulo 256: 0 for a valid checksum.
  int checksumTest() const;
  /// The byte 127 that makes bytes 0..127 add up to a multiple of 256.
  int correctChecksum() const;

  /// The bytes after the base block: whole 128-byte blocks, as read. Empty for none.
  const std::vector<std::uint8_t>& extension() const { return m_extension; }
  /// Keeps blocks as the extension; a trailing part of a block is dropped, as are
  /// blocks past kMaxExtensionBlocks.
  void setExtension(std::vector<std::uint8_t> blocks);
  /// How many extension blocks the image holds.
  int extensionBlockCount() const { return static_cast<int>(m_extension.size()) / kEdidSize; }

  /// Succeeds when cells 0..127 all hold two hex digits; otherwise fails naming the
  /// first cell that does not, since anything else cannot be read back as one byte.
  Status checkWritable() const;

  /// The texts of cells 0..127, for change tracking.
  std::array<std::string, kEdidSize> byteTexts() const;

  bool operator==(const Image&) const = default;

 private:
  // What a cell holds: two upper-case hex digits (its byte), nothing, or another
  // text kept in m_texts, which HexToChr can read or not.
  enum class Form : std::uint8_t { Hex, Empty, Text, Unreadable };

  /// m_texts' entry of the cell, or its end.
  std::vector<std::pair<int, std::string>>::const_iterator textOf(int index) const;

  std::array<std::uint8_t, kGridCells> m_bytes{};  ///< as byte() reads each cell
  std::array<Form, kGridCells> m_forms{};
  /// The texts of Text and Unreadable cells, by cell, ascending.
  std::vector<std::pair<int, std::string>> m_texts;
  std::vector<std::uint8_t> m_extension;
};

}  // namespace edid
