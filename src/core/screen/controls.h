#pragma once
// The decoding screen's controls as plain data. The core sets them; the editor's
// widgets mirror them after every event, so each rule is tested without a window.

#include <cstdint>
#include <string>

namespace edid {

/// Background of a cell or label.
enum class BackColour {
  Normal,   ///< the system's window background
  Section,  ///< light red (FF C0 C0): the cells of the open section
  Field,    ///< light yellow (FF FF 80): the cells of the selected field
};

/// RGB of a colour other than Normal, as 0xRRGGBB.
inline constexpr std::uint32_t kSectionColourRgb = 0xFFC0C0;
inline constexpr std::uint32_t kFieldColourRgb = 0xFFFF80;

struct TextBox {
  std::string text;
  bool locked = false;
  int maxLength = 0;  ///< 0: no limit
  bool visible = true;
  BackColour backColour = BackColour::Normal;
};

struct Label {
  std::string caption;
  bool opaque = false;  ///< an opaque label marks the selected field
  bool visible = true;
};

struct Frame {
  std::string caption;
  bool visible = false;
  bool enabled = true;
};

struct OptionButton {
  std::string caption;
  bool value = false;
  bool visible = true;
  bool enabled = true;
};

struct CheckBox {
  std::string caption;
  bool value = false;
  bool visible = true;
  bool enabled = true;
};

struct Button {
  std::string caption;
  bool enabled = true;
  bool visible = true;
};

}  // namespace edid
