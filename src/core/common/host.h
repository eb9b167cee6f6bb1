#pragma once
// How the core talks to the user and to the window system without knowing Qt.
// The editor implements it with message boxes and file dialogs, the tests with a
// scripted fake, the command-line tool on the terminal.

#include <string>
#include <vector>

#include "core/common/result.h"

namespace edid {

/// The application title used on every message box and for the settings.
inline constexpr const char* kAppTitle = "EDID / DDC EnCoding and Decoding Program ";

/// A file dialog request. An empty answer means the user cancelled.
struct FileDialog {
  std::string title;
  std::string filter;         ///< "Description (*.EXT)|*.EXT"
  std::string initialFolder;  ///< empty: the host's choice
  std::string suggestedName;  ///< a file name offered in the folder; empty: none
};

/// The answer to a Yes/No/Cancel question.
enum class Answer { Yes, No, Cancel };
/// One attached monitor as the retrieve command offers it for choosing.
struct MonitorChoice {
  std::string connector;     ///< "DP-1"
  std::string manufacturer;  ///< three letters
  std::string productCode;   ///< four hex digits
  std::string name;          ///< the monitor name descriptor's text, or ""
};

/// The child windows of the main window, as the core names them.
enum class ChildWindow { None, EdidScreen, Document, HexCalculator };

class Host {
 public:
  virtual ~Host() = default;

  /// A modal message with an OK button and the application title.
  virtual void message(const std::string& text) = 0;
  /// A modal Yes/No question; true for Yes. An empty title means the application title.
  virtual bool ask(const std::string& text, const std::string& title = {},
                   bool questionIcon = false) = 0;
  /// A modal Yes/No/Cancel question with the application title; Escape answers
  /// Cancel. Hosts that cannot cancel answer as ask() does.
  virtual Answer askYesNoCancel(const std::string& text) {
    return ask(text) ? Answer::Yes : Answer::No;
  }
  /// Asks for a file to open; "" when cancelled.
  virtual std::string openFileName(const FileDialog& dialog) = 0;
  /// Asks for a file name to save under; "" when cancelled.
  virtual std::string saveFileName(const FileDialog& dialog) = 0;
  /// Shows or clears the wait pointer.
  virtual void setBusy(bool /*busy*/) {}
  /// Lets pending window events run.
  virtual void processEvents() {}

  /// The decoding screen's model was created (shown) or destroyed (closed).
  virtual void screenLoaded() {}
  virtual void screenUnloaded() {}
  /// Brings a child window to the front.
  virtual void activate(ChildWindow /*window*/) {}
  /// Shows the report text in the document window (in background: loaded hidden, for printing).
  virtual void showDocument(const std::string& /*text*/, bool /*inBackground*/) {}
  /// Asks which of several monitors to read; the index chosen, or -1 when cancelled.
  /// The first is preselected.
  virtual int chooseMonitor(const std::vector<MonitorChoice>& /*monitors*/) { return 0; }
  /// Closes a child window other than the decoding screen (the document, the calculator).
  virtual void closeWindow(ChildWindow /*window*/) {}
  /// A file was read successfully (its folder is worth remembering).
  virtual void fileOpened(const std::string& /*path*/) {}
  /// A file was written completely.
  virtual void fileSaved(const std::string& /*path*/) {}
  /// The hex calculator's model was created: show its window.
  virtual void calculatorLoaded() {}
  /// Arranges the child windows side by side ("Tile Vertical").
  virtual void tileVertically() {}

  /// Shows the printer dialog under title, with its Selection option preselected when
  /// selection is true; false when the user cancelled.
  virtual bool choosePrinter(const std::string& /*title*/, bool /*selection*/) { return false; }
  /// Prints the document window's report (or the part the user chose) on the printer
  /// chosen last; the error names what failed.
  virtual Status printDocument() { return success(); }
  /// Shows the page setup dialog; its choice holds for later prints of this run.
  virtual Status pageSetup() { return success(); }
  /// Shows the document window's report as it will print, with a way to print it.
  virtual Status previewDocument() { return success(); }
};

/// A host that answers every question No and every file dialog with Cancel, and
/// swallows messages: for work where nobody is there to be asked (looking into a
/// file, fuzzing).
class QuietHost : public Host {
 public:
  void message(const std::string&) override {}
  bool ask(const std::string&, const std::string&, bool) override { return false; }
  std::string openFileName(const FileDialog&) override { return {}; }
  std::string saveFileName(const FileDialog&) override { return {}; }
};

}  // namespace edid
