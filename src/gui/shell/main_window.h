#pragma once
// The main window frmMain: menus, toolbar, the three mode buttons, the status bar
// and the MDI area with the decoding screen and the document window. Menu and
// button events go to the core's Program; after each one the window mirrors the
// program's state back onto its widgets.

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>

#include "core/common/host.h"
#include "core/common/image.h"

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QPushButton;
class QTimer;

namespace edid {
class Program;
}

namespace edid::gui {

class ChildSubWindow;
class Dialogs;
class DocumentWindow;
class EdidScreenWidget;
class EditorSettings;
class GuiHost;
class HexCalculatorWindow;
class ProblemsPane;
class StartPage;

/// The editor's main window; objectName "frmMain".
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  /// Loads the main window without showing it: restores its position from the
  /// settings (the INI file settingsFile when given, else the platform's store)
  /// and starts timer1. dialogs (not owned) replaces the real dialogs when given.
  explicit MainWindow(Dialogs* dialogs = nullptr, const QString& settingsFile = {},
                      QWidget* parent = nullptr);
  ~MainWindow() override;

  Program& program() { return *m_program; }
  GuiHost& host() { return *m_host; }
  EditorSettings& settings() { return *m_settings; }
  QMdiArea* mdiArea() const { return m_mdi; }
  /// The single-shot timer that ends the splash wait (timer1, 2000 ms).
  QTimer* splashTimer() const { return m_timer1; }
  /// The decoding screen, or nullptr when it is not open.
  EdidScreenWidget* screenWidget() const { return m_screenWidget; }
  ChildSubWindow* screenSubWindow() const { return m_screenSub; }
  /// The document window, or nullptr when it is not open.
  DocumentWindow* documentWindow() const { return m_document; }
  ChildSubWindow* documentSubWindow() const { return m_documentSub; }
  /// The hex calculator, or nullptr when it is not open.
  HexCalculatorWindow* calculatorWindow() const { return m_calculator; }
  ChildSubWindow* calculatorSubWindow() const { return m_calculatorSub; }

  /// Runs a core handler, then mirrors the core's state onto every widget.
  void forward(const std::function<void()>& handler);
  /// Mirrors the core's state: the buttons, the decoding screen and its focus request.
  void sync();

  /// The size that shows the whole decoding screen, with room for its largest
  /// section frame, inside the menus, toolbar, buttons and status bar.
  QSize fullScreenSize();
  void fitFirstScreen(QWidget* sub);
  /// The screen's available area, in whole device pixels.
  QRect availableArea() const;

  /// The active child window as the core names it.
  ChildWindow activeChild() const;

  // ---- Child windows, on the core's request --------------------------------
  /// Creates the decoding screen's window for the program's screen model.
  void openScreenWindow();
  /// Closes a child window without asking.
  void closeChildWindow(ChildWindow window);
  /// Brings a child window to the front.
  void activateChildWindow(ChildWindow window);
  /// Shows the report in the document window (created on first use); in background
  /// it stays behind the decoding screen with its text box hidden.
  void showDocument(const QString& text, bool inBackground);
  /// Creates the hex calculator's window for the program's calculator.
  void openCalculatorWindow();

  /// Shows a short note in the status bar.
  void showStatus(const QString& text);
  /// Shows "Saved PATH" until another file is opened or the image changes.
  void showSaved(const QString& path);
  /// Clears a "Saved PATH" note.
  void dropSavedNote();

  // ---- Desktop habits (main_window_desktop.cpp) -------------------------------
  /// File Open without its dialog, for a dropped or recent file; true when it opened.
  bool openFile(const QString& path);
  /// Opens the first file here as openFile does and each other one in a new window.
  void openFiles(const QStringList& paths);
  /// Opens a file in a new main window of its own; nullptr (and the file's
  /// message) when it is not an EDID.
  MainWindow* openInNewWindow(const QString& path);
  /// The open main windows, in the order they were made.
  static QList<MainWindow*> documentWindows();
  /// Brings the next (step 1) or previous (-1) main window to the front; with one
  /// window, its next child window.
  void switchDocument(int step);
  /// Puts a file opened or saved first in the recent list.
  void noteRecentFile(const QString& path);
  /// Relabels File > Open Recent and the start page from the settings.
  void refreshRecentFiles();
  QMenu* recentMenu() const { return m_recentMenu; }
  StartPage* startPage() const { return m_startPage; }
  QLabel* summaryPanel() const { return m_summaryPanel; }

  // ---- Problems (main_window_problems.cpp) ------------------------------------
  /// The dockable Problems pane ("dockProblems").
  ProblemsPane* problemsPane() const { return m_problems; }
  /// The status bar's count of findings: "No problems found", "2 failures, 1 warning".
  QLabel* problemsPanel() const { return m_problemsPanel; }
  /// Puts the caret on a byte: a base block cell, or an extension block's byte.
  void focusByte(int block, int byte);

  // ---- Toolbar --------------------------------------------------------------
  /// Runs the toolbar button with the given key ("New", "Open", "Save", ...).
  void tbToolBar_ButtonClick(const QString& key);
  /// Opens the registry base location dialog (frmEDIDREG) modally.
  void showBaseLocationDialog();
  /// File > Apply to This Computer, for the image on the decoding screen.
  void showApplyDialog();

 signals:
  /// timer1 fired: the splash wait is over.
  void splashWaitOver();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void setUpDesktop(const QString& settingsFile);
  void forgetWindow();
  void createRecentMenu(QMenu* file);
  void createDocumentSwitching(QMenu* window);
  MainWindow* newDocumentWindow();
  void updateStartPage();
  void mirrorSummary();
  void createProblemsPane();
  void mirrorProblems();
  void createMenus();
  void createToolBar();
  void createCentralArea();
  void createStatusBar();
  void readSettings();
  void writeSettings();
  void updateClock();
  void mirrorButtons();
  /// Undo and Redo follow the decoding screen's history: enabled and named by its steps.
  void mirrorHistory();
  void dropStaleSavedNote();
  QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption,
                       const QKeySequence& shortcut, std::function<void()> action);
  void about();
  void updateWindowMenu();
  void showInformation();

  std::unique_ptr<Dialogs> m_ownDialogs;
  Dialogs* m_dialogs;
  std::unique_ptr<EditorSettings> m_settings;
  std::unique_ptr<GuiHost> m_host;
  std::unique_ptr<Program> m_program;

  QMdiArea* m_mdi = nullptr;
  QPushButton* m_command[3] = {};
  QLabel* m_statusPanel = nullptr;
  QString m_savedPath;  ///< the file a "Saved" note names; empty without one
  QLabel* m_datePanel = nullptr;
  QLabel* m_timePanel = nullptr;
  QTimer* m_timer1 = nullptr;
  QTimer* m_clock = nullptr;
  ChildSubWindow* m_screenSub = nullptr;
  EdidScreenWidget* m_screenWidget = nullptr;
  ChildSubWindow* m_documentSub = nullptr;
  DocumentWindow* m_document = nullptr;
  ChildSubWindow* m_calculatorSub = nullptr;
  HexCalculatorWindow* m_calculator = nullptr;
  QMenu* m_fileMenu = nullptr;
  QMenu* m_editMenu = nullptr;
  QAction* m_undo = nullptr;
  QAction* m_redo = nullptr;
  QMenu* m_windowMenu = nullptr;
  QMenu* m_helpMenu = nullptr;
  bool m_destroying = false;
  QString m_settingsFile;  ///< given to the windows this one opens
  QMenu* m_recentMenu = nullptr;
  StartPage* m_startPage = nullptr;
  QLabel* m_summaryPanel = nullptr;
  ProblemsPane* m_problems = nullptr;
  QLabel* m_problemsPanel = nullptr;
  std::unique_ptr<Image> m_checkedImage;  ///< the image the pane shows the findings of
  // The measured first size, while no settings gave one, until a screen opens.
  QSize m_firstSize;
};

}  // namespace edid::gui
