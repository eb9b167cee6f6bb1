#pragma once
// The extension blocks after the base block, decoded: CTA-861 blocks (header, data
// block collection, detailed timings, checksum) and, for now, the outline of
// DisplayID blocks. Pure functions over one 128-byte block: they read nothing past
// it and write nothing. A malformed block decodes as far as it can and says where it
// stopped.
//
// The decode is one walk that hands out items in order, each with the bytes that
// hold it: the report and the JSON output write them as they come, and the editor
// keeps them as a tree, so all three show the same things.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/common/image.h"

namespace edid::cta {

inline constexpr int kBlockSize = 128;
inline constexpr std::uint8_t kCtaTag = 0x02;
inline constexpr std::uint8_t kDisplayIdTag = 0x70;
inline constexpr std::uint8_t kBlockMapTag = 0xF0;

/// A value as scripts read it: nothing (shown only), a flag, a count, a
/// measure, a name, or a list of measures or names.
using Value = std::variant<std::monostate, bool, std::int64_t, double, std::string,
                           std::vector<double>, std::vector<std::string>>;

/// A Value as the decode hands it out: views of what the decode holds while a sink
/// takes the item, so an item costs no copies and nothing to destroy.
using ItemValue = std::variant<std::monostate, bool, std::int64_t, double, std::string_view,
                               std::span<const double>, std::span<const std::string_view>>;

/// A shown text: a fixed one (a literal or a static table's entry), kept by its
/// address, or one built for its item. Most texts are fixed, and a decode of many
/// items should not copy each of them.
class Text {
 public:
  Text() = default;
  template <std::size_t N>
  constexpr Text(const char (&literal)[N]) : m_fixed(literal, N - 1) {}
  Text(std::string built) : m_built(std::move(built)) {}
  /// text must outlive the item.
  static constexpr Text fixed(std::string_view text) {
    Text t;
    t.m_fixed = text.data() ? text : std::string_view("");
    return t;
  }

  std::string_view view() const { return m_fixed.data() ? m_fixed : std::string_view(m_built); }
  operator std::string_view() const { return view(); }
  bool empty() const { return view().empty(); }
  std::string str() const { return std::string(view()); }

 private:
  std::string_view m_fixed;  // null data: the text is m_built
  std::string m_built;
};

/// One decoded item: a field, a group of fields (an object) or a list of them. Its
/// texts and value are views, valid while a sink takes it.
struct Item {
  enum class Shape { Value, Object, List };

  std::string_view key{};    ///< the JSON key in snake_case (a literal); empty for items only shown
  std::string_view label{};  ///< as shown: "Maximum TMDS clock"
  std::string_view text{};   ///< the shown value: "300 MHz"; may be empty for a group
  ItemValue value{};         ///< the JSON value of a Shape::Value item
  Shape shape = Shape::Value;
  int offset = 0;  ///< the first byte in the block that holds the item
  int length = 0;  ///< how many bytes hold it; 0 for an item of no bytes of its own
  /// False when the children are for scripts only (the shown text says it all).
  bool showChildren = true;
  /// Set while a count's text is still to be written from its number: the unit
  /// after the number ("MHz"), or "".
  const char* unit = nullptr;
};

/// Room for a count's shown text.
using TextBuffer = std::array<char, 48>;

/// The shown text of item: its text, or a count's number and unit ("300 MHz"),
/// written into scratch.
std::string_view shownText(const Item& item, TextBuffer& scratch);

/// Writes the shown text of a count (an item with a unit) at out, which has the
/// room of a TextBuffer, and returns the end.
char* writeCount(char* out, const Item& item);

/// An item kept, with its children: the decode as a tree. It owns its texts and value.
struct Node {
  using Shape = Item::Shape;

  std::string_view key{};  ///< as Item::key
  Text label{};
  Text text{};  ///< a count's text written out
  Value value{};
  Shape shape = Shape::Value;
  int offset = 0;
  int length = 0;
  bool showChildren = true;
  std::vector<Node> children;

  /// The child of the key, or nullptr.
  const Node* child(std::string_view childKey) const;
};

/// Takes a decode item by item, in order: a group's items come between its open()
/// and close(). The report writes its lines as they come; decodeBlock builds a tree.
class Sink {
 public:
  /// showsTexts: false for a sink that reads only keys and values, for which the
  /// decode need not write the shown texts it can leave out.
  explicit Sink(bool showsTexts = true) : m_showsTexts(showsTexts) {}
  virtual ~Sink() = default;
  bool showsTexts() const { return m_showsTexts; }
  /// Starts a group; false when the sink leaves out the group's items, which the
  /// decode may then skip. close() ends the group either way.
  virtual bool open(Item&& group) = 0;
  virtual void add(Item&& item) = 0;
  virtual void close() = 0;

 private:
  bool m_showsTexts;
};

/// One extension block decoded.
struct Block {
  int number = 1;  ///< 1-based, as byte 126 counts blocks
  std::uint8_t tag = 0;
  std::string kind;  ///< "CTA-861", "DisplayID", "Block map" or "Unknown"
  bool checksumValid = false;
  /// The block's items in order: header fields, "data_blocks", "detailed_timings",
  /// padding, checksum and any "problems" (where decoding stopped, and why).
  Node root;
};

/// The block's kind by its tag.
std::string kindOf(std::uint8_t tag);

/// Decodes one block. bytes holds the block as read: fewer than 128 bytes decode as
/// far as they go (the rest counts as missing, never as read).
Block decodeBlock(std::span<const std::uint8_t> bytes, int number);

/// The items of one block, as decodeBlock's root holds them, given to sink in order.
void walkBlock(std::span<const std::uint8_t> bytes, Sink& sink);

/// Every whole block of an image's extension, in order.
std::vector<Block> decodeExtension(const std::vector<std::uint8_t>& extension);

/// The 18-byte detailed timing at offset of cells as an item "Detailed timing
/// <index>" of its fields (pixel_clock_khz, h_active, ... interlaced), read by the
/// base block's timing codec.
Node detailedTimingNode(const Image& cells, int offset, int index);

/// The item detailedTimingNode makes, given to sink.
void walkTiming(const Image& cells, int offset, int index, Sink& sink);

/// The name of a CTA-861 video format: "1920x1080p 60.00 Hz 16:9"; empty for a VIC
/// without a format. Each name is made once, on its first use.
const std::string& vicName(int vic);

/// The shown text of a VIC: its format's name ("unknown format" without one), with
/// " (native)" when native. Made once each, as vicName.
std::string_view vicText(int vic, bool native);

/// The picture aspect ratio of a VIC: "4:3", "16:9", "64:27", "256:135"; empty for
/// a VIC without a format.
std::string_view vicAspect(int vic);

}  // namespace edid::cta
