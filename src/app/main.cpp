// The editor's entry point; the editor itself is the edid_gui library.
#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "gui/shell/editor.h"

namespace {

// The last resort: whatever slipped through ends with a message, not an abort.
[[noreturn]] void stopWith(const char* what) {
  std::fprintf(stderr, "edidedit: %s\n", what);
  std::fflush(stderr);
  std::_Exit(1);
}

// Qt cannot carry an exception out of an event handler, so it is caught here,
// where every event is delivered.
class EditorApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
      stopWith(error.what());
    } catch (...) {
      stopWith("unknown error");
    }
  }
};

}  // namespace

int main(int argc, char** argv) try {
  edid::gui::prepareEditorPlatform(argc, argv);
  EditorApplication app(argc, argv);
  return edid::gui::runEditor(argc, argv);
} catch (const std::exception& error) {
  stopWith(error.what());
} catch (...) {
  stopWith("unknown error");
}
