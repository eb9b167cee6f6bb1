#pragma once
// The core's Host on Qt: message boxes and file dialogs through Dialogs, the wait
// pointer, and the child windows of the main window.

#include <QString>
#include <memory>

class QPrinter;

#include "core/common/host.h"

namespace edid::gui {

class Dialogs;
class EditorSettings;
class MainWindow;

/// Implements the core's Host for the editor.
class GuiHost : public Host {
 public:
  /// window owns the child windows; dialogs and settings must outlive the host.
  GuiHost(MainWindow& window, Dialogs& dialogs, EditorSettings& settings);
  ~GuiHost() override;

  void message(const std::string& text) override;
  bool ask(const std::string& text, const std::string& title, bool questionIcon) override;
  std::string openFileName(const FileDialog& dialog) override;
  std::string saveFileName(const FileDialog& dialog) override;
  void setBusy(bool busy) override;
  void processEvents() override;
  void screenLoaded() override;
  void screenUnloaded() override;
  void activate(ChildWindow window) override;
  void showDocument(const std::string& text, bool inBackground) override;
  void closeWindow(ChildWindow window) override;
  bool choosePrinter(const std::string& title, bool selection) override;
  Status printDocument() override;
  Status pageSetup() override;
  Status previewDocument() override;

  /// The printer of this run: the page setup and the printer chosen last stay with it.
  QPrinter& printer();

  /// Answers the next file-open request with path instead of showing the dialog.
  void presetOpenFileName(const QString& path) { m_presetOpen = path; }

 private:
  QString startFolder() const;
  std::string chosen(const QString& fileName);

  MainWindow& m_window;
  Dialogs& m_dialogs;
  EditorSettings& m_settings;
  QString m_presetOpen;
  std::unique_ptr<QPrinter> m_printer;
  QString m_selectedText;  ///< the document's selection when the printer dialog opened
  bool m_busy = false;
};

}  // namespace edid::gui
