#pragma once
// The main window's logic without its widgets: the modes and their buttons, the
// decoding screen's lifetime, the File menu flows, naming the monitor from the
// model list files, and the report. The editor forwards menu and button events
// here and mirrors the state back; the command-line tool drives it headless.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/calculator/hex_calculator.h"
#include "core/common/common.h"
#include "core/common/host.h"
#include "core/input/load_edid.h"
#include "core/screen/controls.h"
#include "core/screen/edid_screen.h"

namespace edid {

class Program {
 public:
  /// Main window load: both modes off, calculator closed, registry base location default.
  explicit Program(Host& host);
  ~Program();

  Common& common() { return m_common; }
  const Common& common() const { return m_common; }
  Host& host() { return m_host; }

  /// The decoding screen, or nullptr when it is not loaded.
  EdidScreen* screen() { return m_screen.get(); }
  const EdidScreen* screen() const { return m_screen.get(); }

  /// Starts the registry search from the location the user kept last time, when
  /// there is one; otherwise it stays at the default.
  void restoreRegistryBaseLocation(const std::string& saved);

  // ---- Buttons of the main window ------------------------------------------
  Button Command1{"Translate EDID"};
  Button Command2{"Modify EDID (OFF)"};
  Button Command3{"Auto Cell Seek (Off)", false};

  /// "Translate EDID": builds the report and shows the document window.
  void Command1_Click();
  /// "Modify EDID": toggles ModifyMode; switching on opens the screen and focuses cell 0.
  void Command2_Click();
  /// "Auto Cell Seek": toggles AutoCellSeekMode.
  void Command3_Click();

  // ---- Decoding screen lifetime ----------------------------------------------
  /// Loads the decoding screen when it is not loaded (all cells "00").
  EdidScreen& showScreen();
  /// Closes the screen, asking "Save Changes?" when the image has unsaved changes.
  /// Returns false when the user's save did not complete and the screen stays.
  bool closeScreen();
  /// Asks "Save Changes?" (Yes/No/Cancel) when the image has unsaved changes and
  /// saves on Yes. False when the flow must stop: Cancel, or a save that did not complete.
  bool saveChangesFirst();
  /// Closes every child window for shut-down; false when a close was cancelled.
  bool closeAll();

  // ---- File menu ---------------------------------------------------------------
  void mnuFileNew_Click();
  void mnuFileOpen_Click();
  /// File Open without its dialog, for a file dropped or picked from the recent
  /// list: a file that is not an EDID gets its message and nothing changes; else
  /// "Save Changes?" as File Open asks. True when the file is open.
  bool openFile(const std::string& name);
  /// openFile for a file already read (by loadEdidFile).
  bool openLoadedFile(const std::string& name, const LoadedEdid& loaded);
  void mnuFileSave_Click();
  void mnuFileSaveAs_Click();
  /// Closes the active child window.
  void mnuFileClose_Click(ChildWindow active);

  /// Writes the report of the image to CurrentFilePath (asking for a name when it
  /// has none) through a temporary file renamed over the old one. A failure leaves
  /// the old file and UnsavedChanges as they were and says why.
  void WriteDataFile();
  /// Asks for a file name (confirming a replace) and writes the data file.
  void SaveFileAs();
  /// Puts a loaded image (its cells and extension blocks) into the screen as a new
  /// image with an empty history, and decodes every section.
  void LoadTokensIntoCells(const Image& loaded);
  /// Names the monitor as nameMonitor does, from the model list files of
  /// modelListFolders; a model from the name descriptor then follows its edits.
  void nameMonitorFromModelLists();

  // ---- Export and printing ----------------------------------------------------
  /// "Export Binary EDID File" (F3): asks for a name (confirming a replace) and
  /// writes the 128 bytes. The file is the export's own: CurrentFilePath and the
  /// change tracking stay as they are.
  void ExportBinary_Click();
  /// Print: the printer dialog first (Selection preselected when the active child's
  /// report has a selection), then the report is built in the document window,
  /// printed, and the document window closed. Nothing happens without an image or
  /// an active child window; a failing printer says so.
  void mnuFilePrint_Click(ChildWindow active, bool activeHasSelection);
  /// Page Setup: the page setup dialog; a failure says so.
  void mnuFilePageSetup_Click();
  /// Print Preview: shows the report in the document window, then its pages.
  void mnuFilePrintPreview_Click();

  // ---- Naming the monitor -----------------------------------------------------
  /// Fills the screen's brand and model boxes from DdcTestLines; false when no line matched.
  bool FillInModelInfo();
  /// The name in the first monitor name descriptor (tag FC) ended by 0A, else fallback.
  std::string ModelFromDescriptor(const std::string& fallback) const;
  /// The three-letter manufacturer code last decoded, else fallback.
  std::string BrandFromManufacturer(const std::string& fallback) const;
  /// True when the first 8 characters are the EDID header 00 FF FF FF FF FF FF 00.
  static bool IsEdidHeader(std::string_view text);

  // ---- Hex calculator ------------------------------------------------------------
  /// The calculator, or nullptr when it is not open.
  HexCalculator* calculator() { return m_calculator.get(); }
  /// "&Hex Calculator" (F9): opens the calculator unless it is open; with the
  /// decoding screen open as well, the two are tiled side by side, calculator active.
  void HexCalculator_Click();
  /// The calculator's window closed.
  void calculatorClosed();
  // ---- Retrieve -------------------------------------------------------------------
  /// "Retreive EDID Data": reads the attached monitor's EDID (or, when registryFile
  /// is set, searches that registry export below RegistryBaseLocation) into the
  /// image, decodes it, names the monitor and leaves an image without a data file.
  /// Nothing changes when no EDID is found or the source cannot be read.
  void GetEDIDData_Click();
  /// Puts retrieved EDID bytes into the cells as a new unnamed image: the first 128
  /// bytes; missing ones become "00" and a message says how many there were.
  void loadRetrievedEdid(const std::string& data);

  /// A registry export file to search instead of reading the attached monitor; "" for none.
  std::string registryFile;
  /// Where the kernel publishes the connectors and their EDIDs.
  std::string sysfsRoot = "/sys/class/drm";

  // ---- Report -------------------------------------------------------------------
  /// Fills ReportLines with the report of the current image.
  void BuildReport();
  /// Builds the report and shows it in the document window.
  void ShowReport(bool inBackground);
  /// The document window was closed by the user.
  void documentClosed() { m_common.DocumentOpen = false; }
  /// The report as one text (the lines before "END REPORT", each with its CR LF).
  std::string reportText() const;

  /// Folders searched for model list files (*.inf), in order: the program's folder,
  /// then the per-user data folder.
  std::vector<std::string> modelListFolders;

 private:
  void showOpenedFile(const std::string& name, const LoadedEdid& loaded);

  Common m_common;
  Host& m_host;
  std::unique_ptr<EdidScreen> m_screen;
  std::unique_ptr<HexCalculator> m_calculator;
};

}  // namespace edid
