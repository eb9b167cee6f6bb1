#pragma once
// The decoding screen (frmEDID) as a model: the byte grid, the identification
// boxes, the fourteen section frames and their controls, and the handlers of its
// events. The editor's widgets mirror this state; every rule runs here.
//
// One class, defined across files: edid_screen.cpp holds the grid and the cell
// events, section_table.cpp the table of sections that the full decode, the
// key-release re-decode and the focus dispatch walk, and <section>_screen.cpp
// each section's decoders, focus step and editors.

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "core/common/common.h"
#include "core/common/document.h"
#include "core/common/host.h"
#include "core/common/image.h"
#include "core/common/layout.h"
#include "core/report/monitor_name.h"
#include "core/screen/controls.h"
#include "core/screen/frames.h"

namespace edid {

/// The controls that can hold the keyboard focus, as far as the core moves it.
enum class FocusControl {
  None,
  Cell,
  VendorInfo,
  VerRev,
  BasicInput,
  ChromaValue,
  STAInput,
  DTInput,
  DTaInput,
  ExtStaInput,
  Other,
};

struct FocusTarget {
  FocusControl control = FocusControl::None;
  int cell = 0;  ///< the cell index when control is Cell
  bool operator==(const FocusTarget&) const = default;
};

inline constexpr int kSectionCount = 14;

/// The decoding screen's caption while its image has no data file.
inline constexpr const char* kEdidScreenCaption = "Edid Decoding Screen";

class EdidScreen {
 public:
  /// Loads the screen: cells 0..127 "00", UnsavedChanges and ReportRefreshPending
  /// cleared, EdidScreenOpen set, the descriptor texts emptied. Nothing is decoded.
  EdidScreen(Common& common, Host& host);
  EdidScreen(const EdidScreen&) = delete;
  EdidScreen& operator=(const EdidScreen&) = delete;

  // ---- State mirrored onto the widgets -------------------------------------
  std::string caption = kEdidScreenCaption;
  /// The image and its history; every write of a cell goes through it.
  Document document;
  const Image& image = document.image();  ///< txtEdit(0..129): the cell texts
  std::array<BackColour, kGridCells> cellColour{};
  std::array<bool, kGridCells> cellLocked{};
  TextBox txtModel, txtBrand, txtVersion, txtRevision;
  std::array<Frame, kSectionCount> Hints;
  Label DTHelp{"Double Click on the Detailed Timing Frame to Reset the current spec to blank."};

  HeaderFrame header;
  VendorFrame vendor;
  VersionChecksumLabels edid;  ///< lbEDID(0..7) and VerRev
  BasicFrame basic;
  ChromaFrame chroma;
  EstablishedFrames established;
  StandardFrame standard;
  DetailedFrame detailed;
  DescriptorFrame descriptor;
  ExtStandardFrame extStandard;

  // ---- Form-level state ----------------------------------------------------
  /// Set while the focus logic or a decoder sets controls; Click editors then do nothing.
  bool DecodeInProgress = false;
  /// First byte of the selected 18-byte block (54, 72, 90, 108), or in the standard
  /// timings the second byte of the selected pair (39, 41, ... 53).
  int SelectedByte = 0;
  /// Number 0..3 of the selected 18-byte block.
  int SelectedBlock = 0;
  /// The selected block starts with 00 00 00: a monitor descriptor, not a detailed timing.
  bool SelectedBlockIsDescriptor = false;
  /// Upper-cased text of byte 3 of the selected descriptor block ("FD", "FA", ...).
  std::string DescriptorTag;

  /// Where the keyboard focus is, as far as the core knows. Handlers that move the
  /// focus set it and raise focusRequested; the editor applies it and clears the flag.
  FocusTarget focus;
  bool focusRequested = false;

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

  // ---- Vendor section --------------------------------------------------------
  /// Filters a character typed into VendorInfo; false when it was refused (after the message).
  bool VendorInfo_KeyPress(char& key);
  /// Enter (13) encodes VendorInfo's text into the selected field's bytes.
  void VendorInfo_KeyUp(int keyCode);
  std::string GetManufacturer() const;
  std::string GetProductCode();
  void CompleteSerialNumber();

  // ---- Version section -------------------------------------------------------
  void VerRev_KeyUp(int keyCode);

  // ---- Basic display parameters (basic_display_screen.cpp) ---------------------
  /// Click editors of byte 20 and 24; each does nothing while DecodeInProgress.
  void VideoMode_Click(int index);
  void Signal_Click(int index);
  /// Bit index of byte 20 := Sync(index)'s check state.
  void Sync_Click(int index);
  void DisplayType_Click(int index);
  /// The bit of FSupport(index) in byte 24 := its check state.
  void FSupport_Click(int index);
  /// Moves the focus to cell 21 + index.
  void Basic_Click(int index);
  /// Enter (13) writes BasicInput into the byte of the selected Basic option.
  void BasicInput_KeyUp(int keyCode);

  // ---- Chromaticity (chromaticity_screen.cpp) -------------------------------------
  /// Moves the focus to cell 27 + index.
  void chkChroma_Click(int index);
  /// Enter (13) writes ChromaValue into the selected coordinate.
  void ChromaValue_KeyUp(int keyCode);

  // ---- Standard timings (standard_timing_screen.cpp) -------------------------------
  /// Moves the focus to the first cell of timing index.
  void STOpt_Click(int index);
  /// Writes aspect ratio index into the selected timing.
  void STAOptb_Click(int index);
  /// Enter (13) writes STAInput into the selected timing, read as STAOpta says.
  void STAInput_KeyUp(int keyCode);

  // ---- Monitor descriptors (monitor_descriptor_screen.cpp) ----------------------
  /// The monitor descriptor at SelectedByte/SelectedBlock into Hints(11) or, for
  /// tag FA, Hints(12), and into its DescriptorText entry. Reads only.
  void ConvertDetailedTiminga();
  /// Turns the selected block into descriptor type index (0..7).
  void DTa_Click(int index);
  /// With "Modify EDID" on: GTF support of a range limits block := DTAGTF's state.
  void DTAGTF_Click();
  /// Moves the focus to range limit index's cell, then into DTaInput.
  void DtaOpt_Click(int index);
  /// Moves the focus to the x, y or gamma cell of colour point option index.
  void DtaOptWhite_Click(int index);
  /// Switches white point index (0, 1) on or off as Windex(index) says.
  void Windex_Click(int index);
  /// Enter (13) writes DTaInput into the text, range limit or colour point selected.
  void DTaInput_KeyUp(int keyCode);
  /// 0..5: moves the focus to that FA timing; 6: turns the block into a serial number.
  void ExtSTOpt_Click(int index);
  /// Writes aspect ratio index into the selected FA timing.
  void ExtSTAOptb_Click(int index);
  /// Enter (13) writes ExtStaInput into the selected FA timing, read as ExtSTAOpta says.
  void ExtStaInput_KeyUp(int keyCode);

  // ---- Established timings ------------------------------------------------------
  void ET1_Click(int index);
  void ET2_Click(int index);
  void ET3_Click(int index);

  // ---- Detailed timings (detailed_timing_screen.cpp) ------------------------------
  /// Moves the focus to the first cell of field index (0..12) of the selected block.
  void DT_Click(int index);
  /// Enter (13) writes DTInput into the selected DT field; a refusal shows its
  /// message and writes nothing. The box keeps its text.
  void DTInput_KeyUp(int keyCode);
  /// The flag controls of Hints(10); each writes its bits of the flags byte and
  /// decodes the block again, so the checksum follows at once.
  void DT1_Click();
  void DTStereo_Click(int index);
  void DTSync_Click(int index);
  void SyncSerrate_Click();
  void SyncLine_Click();
  void VSyncLine_Click();
  /// With "Modify EDID" on, a double click on a block frame (9..12) blanks the
  /// selected block into a serial number descriptor and focuses its tag cell.
  void Hints_DblClick(int index);

  // ---- Extension flag and checksum ----------------------------------------------
  int ComputeCheckSum() const;
  void ConvertExtCheckSum();

  // ---- Decoders (each reads its bytes from the cells, sets its controls and the
  // shared texts, and keeps the checksum current) ------------------------------------
  /// Byte 20, into the VideoInput controls and VideoInputText.
  void ConvertVideoInput();
  /// Byte 21, into MaxHorizSizeText and Basic(0)'s caption.
  void ConvertMaxHorizSize();
  /// Byte 22, into MaxVertSizeText and Basic(1)'s caption.
  void ConvertMaxVertSize();
  /// Byte 23, into GammaText and Basic(2)'s caption.
  void ConvertGamma();
  /// Byte 24, into the DPMS controls, FeatureSupportText and DisplayTypeText.
  void ConvertFeatureSupport();
  /// Bytes 25-34, into the chkChroma captions, ChromaValue and ChromaXText/ChromaYText.
  void ConvertChromaticity();
  /// Bytes 38-53, into the STOpt captions and StandardTimingTexts; STAOptb shows
  /// the aspect ratio of the pair whose second byte is SelectedByte.
  void ConvertStandardTimings();
  /// The 18-byte block named by SelectedByte and SelectedBlock: a timing into
  /// Hints(9)/Hints(10) and its DescriptorText entry; a block starting 00 00 00
  /// goes on to ConvertDetailedTiminga. Keeps the checksum current.
  void ConvertDetailedTiming();
  void ConvertManufacturer();
  void ConvertProductCode();
  void ConvertSerialNumber();
  void ConvertWeek();
  void ConvertYear();
  void ConvertVersion();
  void ConvertRevision();
  void ConvertCompleteVersion();
  void ConvertEstablishedTimingsI();
  void ConvertEstablishedTimingsII();
  void ConvertManufacturerTimings();

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
  void setFocusToCell(int index);

  Common& common() { return m_common; }
  const Common& common() const { return m_common; }

 private:
  /// One section of the image as the screen handles it. Rows are listed in the
  /// order the full decode runs them (that order decides what shared boxes show
  /// afterwards, and which block SelectedByte names).
  struct SectionRow {
    ByteRange bytes;
    int hint;                              ///< frame shown on focus; -1: the section picks
    void (*decode)(EdidScreen&);           ///< full decode; nullptr: nothing to decode
    void (*keyUp)(EdidScreen&, int byte);  ///< re-decode after typing; nullptr: none
    void (*focus)(EdidScreen&, int byte);  ///< a cell of the section got the focus
  };
  static std::span<const SectionRow> sections();
  static const SectionRow* sectionOfByte(int index);

  void recompute();
  void showRestoredImage();
  void followDescriptorName();
  void requestFocus(FocusControl control, int cell = 0);
  void applyModes();
  void paintCells(ByteRange cells, BackColour colour);
  void decodeByteField(int index);
  bool autoCellSeek() const;

  // Per section: the focus step (after the frame is shown and the cells painted)
  // and helpers, each defined in its section's file.
  void focusVendor(int index);
  void convertVendorField(int field);
  int selectedVendorField() const;
  void focusVersion(int index);
  int selectedVersionByte() const;
  void decodeBasicDisplay();
  void convertBasicDisplayByte(int index);
  void focusBasic(int index);
  void focusChroma(int index);
  void focusEstablished(int index);
  void convertEstablishedByte(int byteIndex);
  void clickEstablished(int byteIndex, std::array<CheckBox, 8>& boxes, int index);
  void focusStandard(int index);
  void decodeAllBlocks();
  bool detailedTimingEditable(int hint) const;
  void applyDetailedFlags(const CellWrites& writes, const std::string& label);
  void focusBlock(int index);
  void focusDetailedField(int offset);
  void focusDescriptorField(int start, int offset);
  bool descriptorEditable() const;
  void focusChecksum(int index);
  bool basicClickAllowed(int index, int count) const;
  int selectedStandardPair() const;

  Common& m_common;
  Host& m_host;
  /// The model box's text while it follows the descriptor.
  std::optional<std::string> m_followedModel;
  /// The cell that had the focus last, whose section undo shows again.
  int m_focusedCell = 0;
};

}  // namespace edid
