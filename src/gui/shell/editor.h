#pragma once
// Starting the editor: the splash wait, the main window, and the command line.

#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>

namespace edid::gui {

class Dialogs;
class MainWindow;

/// How the editor starts.
struct EditorOptions {
  bool splash = true;          ///< show frmSplash until timer1 fires
  QString openPath;            ///< a data file opened through File Open at start
  QStringList morePaths;       ///< further files, each opened in a main window of its own
  bool modify = false;         ///< switch "Modify EDID" on at start
  bool autoSeek = false;       ///< also switch "Auto Cell Seek" on (implies modify)
  int focusCell = -1;          ///< a byte cell to focus at start (the screen opens)
  QSize size;                  ///< main window size in pixels; invalid: from the settings
  bool maximized = false;      ///< start maximised
  QString settingsFile;        ///< an INI file instead of the platform's settings store
  Dialogs* dialogs = nullptr;  ///< replaces the real dialogs (not owned)
  QString sysfsRoot;           ///< where Retrieve finds the connectors; empty: /sys/class/drm
  QString registryFile;        ///< a registry export Retrieve searches for this run
  QString printToPdf;          ///< write the report of openPath to this PDF and exit
  QString printText;           ///< --help or --version: print this and start nothing
};

/// Reads the editor's command line (arguments()[0] is the program):
/// [--modify] [--auto-seek] [--cell N] [--geometry WxH] [--maximized] [--no-splash]
/// [--sysfs DIR] [--registry FILE.reg] [--print-to-pdf OUT.pdf] [FILE.DAT...].
/// [--help] and [--version] leave their text in options.printText.
/// Returns false and a message in error for an unusable command line.
bool parseEditorArguments(const QStringList& arguments, EditorOptions& options, QString* error);

/// Runs the start-up sequence and returns the shown main window: wait pointer,
/// splash, main window loaded hidden, shown when timer1 fires, splash closed;
/// then the start options are applied through the program's own commands.
std::unique_ptr<MainWindow> startEditor(const EditorOptions& options);

/// Before the QApplication exists: a command line that only prints (help,
/// version, a PDF) gets the offscreen platform unless one was chosen.
void prepareEditorPlatform(int argc, char** argv);

/// The editor's main(): needs an existing QApplication; returns the exit code.
int runEditor(int argc, char** argv);

}  // namespace edid::gui
