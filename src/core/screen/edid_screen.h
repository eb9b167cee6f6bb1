#pragma once
// The decoding screen (frmEDID) as a model: the byte grid, the identification
// boxes, the modes, the focus and the table of sections. Each section's frames,
// decoders, focus step and handlers are an object of its own (<section>_screen.h),
// listed in section_table.cpp; the editor's widgets mirror this state and every
// rule runs here.

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/common/common.h"
#include "core/common/host.h"
#include "core/common/image.h"
#include "core/common/layout.h"
#include "core/report/monitor_name.h"
#include "core/screen/controls.h"
#include "core/screen/section_screen.h"

namespace edid {

/// The decoding screen's caption while its image has no data file.
inline constexpr const char* kEdidScreenCaption = "Edid Decoding Screen";

/// Cells painted when a cell gets the focus: first the section range in
/// SectionColour, then the field range in FieldColour over it.
struct Colouring {
  ByteRange section;
  ByteRange field;
};

class EdidScreen : public SectionContext {
 public:
  /// Loads the screen: cells 0..127 "00", UnsavedChanges and ReportRefreshPending
  /// cleared, EdidScreenOpen set, the descriptor texts emptied. Nothing is decoded.
  EdidScreen(Common& common, Host& host);
  ~EdidScreen() override;

  /// Bytes of one section as the screen handles them. Rows are listed in the
  /// order the full decode runs them (that order decides what shared boxes show
  /// afterwards, and which block SelectedByte names).
  struct SectionRow {
    ByteRange bytes;
    /// Decodes, re-decodes after typing and takes the focus step; a section with
    /// several rows decodes once, at its first.
    SectionScreen* section;
    /// The frame shown on focus; nullptr when the section picks (the 18-byte blocks).
    Frame* frame;
    /// The cells painted when byte index of the row gets the focus.
    Colouring (*colouring)(ByteRange bytes, int index);
  };
  std::span<const SectionRow> sectionRows() const { return m_rows; }
  /// Hints index of the frame that the row of byte index shows; -1 when its
  /// section picks the frame or no row holds the byte.
  int frameOfByte(int index) const;

  // ---- State mirrored onto the widgets -------------------------------------
  std::string caption = kEdidScreenCaption;
  std::array<BackColour, kGridCells> cellColour{};
  TextBox txtModel, txtBrand;

  /// Rebuilds and shows the open report; set by the program that owns the screen.
  std::function<void()> refreshReport;

  // ---- Full decode ---------------------------------------------------------
  /// Decodes every section from the cells into the frames and the shared texts.
  void BuildEDIDDefinations();

  // ---- Cell events (index = byte index) -------------------------------------
  /// Filters a character typed into a cell: a hex digit becomes upper case, a control
  /// key (Backspace, ...) passes; anything else is refused with "Please Make Your
  /// Values In Hex" and false, and the cell stays as it was. A locked cell takes
  /// no typing anyway, so it refuses nothing.
  bool txtEdit_KeyPress(int index, char& key);
  /// The text of a cell as typed so far; the keys of one cell make one step of the history.
  void txtEdit_Change(int index, const std::string& text);
  /// After a key release: a cell holding exactly two characters re-decodes its field.
  void txtEdit_KeyUp(int index);
  /// Leaving a cell: three or more characters are refused with "Please Make Your
  /// Values In Hex" and the focus goes back. Returns false when refused. An
  /// editable cell left with zero or one character gets a leading zero ("" -> "00",
  /// "5" -> "05"), its field is decoded again and the checksum follows.
  bool txtEdit_LostFocus(int index);
  /// A cell got the focus: applies the modes, shows the byte's section frame (exactly
  /// one), colours the section and field cells, runs the section's decoders, selects
  /// the field and, with both modes on, asks for the focus in the section's input box.
  /// Ends by keeping the checksum current and refreshing a stale open report once.
  /// Indices outside the grid are ignored; 128 and 129 only hide every frame.
  void txtEdit_GotFocus(int index);
  /// Tells the model that a control other than a cell took the focus.
  void noteFocus(FocusControl control);

  /// Resets the image to a new one: 00, six FF, 00, then zeros, no extension blocks;
  /// boxes emptied.
  void resetToNewImage();
  /// Empties the four identification boxes.
  void clearIdentification();
  /// Puts a monitor's name into the brand and model boxes. A model taken from the
  /// monitor name descriptor then follows every edit of the image, until the model
  /// box is typed into.
  void showMonitorName(const MonitorName& name);
  /// Undo / Redo of the document's history; the screen then shows the restored bytes.
  /// False when there was nothing to undo / redo.
  bool undo();
  bool redo();
  /// Asks the editor to put the focus on a cell (runs the cell's focus logic now).
  void setFocusToCell(int index) override;

 private:
  /// Creates the section objects and the rows (section_table.cpp).
  void buildSections();
  const SectionRow* rowOfByte(int index) const;

  void recompute() override;
  void showRestoredImage();
  void followDescriptorName();
  void applyModes();
  void paintCells(ByteRange cells, BackColour colour);
  void decodeByteField(int index);

  std::vector<SectionRow> m_rows;
  /// The model box's text while it follows the descriptor.
  std::optional<std::string> m_followedModel;
  /// The cell that had the focus last, whose section undo shows again.
  int m_focusedCell = 0;
};

}  // namespace edid
