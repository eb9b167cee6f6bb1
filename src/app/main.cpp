// The editor's entry point; the editor itself is the edid_gui library.
#include <QApplication>

#include "gui/shell/editor.h"

int main(int argc, char** argv) {
  edid::gui::prepareEditorPlatform(argc, argv);
  QApplication app(argc, argv);
  return edid::gui::runEditor(argc, argv);
}
