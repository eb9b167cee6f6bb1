// The editor's entry point; the editor itself is the edid_gui library.
#include <QApplication>

#include "gui/shell/editor.h"

int main(int argc, char** argv) {
  // --help and --version print and end without a display.
  if (edid::gui::onlyPrints(argc, argv)) {
    QCoreApplication app(argc, argv);
    return edid::gui::runEditor(argc, argv);
  }
  QApplication app(argc, argv);
  return edid::gui::runEditor(argc, argv);
}
