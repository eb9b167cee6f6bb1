#include "gui/info/program_icon.h"

// The icon's resources live in a static library: nothing else would pull them in.
static void initProgramIconResources() {
  Q_INIT_RESOURCE(program_icon);
}

namespace edid::gui {

QIcon programIcon() {
  initProgramIconResources();
  // The installed menu entry shows the same pictures, from the hicolor theme.
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/edidedit-%1.png").arg(size), QSize(size, size));
  return icon;
}

}  // namespace edid::gui
