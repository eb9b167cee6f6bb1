// A monitor descriptor block's frames: range limits (FD), colour point (FB) and
// the standard timings of an FA block.
#include "core/screen/edid_screen.h"
#include "core/screen/focus_map.h"
#include "core/screen/option_groups.h"

namespace edid {

void EdidScreen::focusDescriptorField(int start, int offset) {
  if (DescriptorTag == "FD") {
    unselect(descriptor.DtaOpt);
    // Bytes +10..+17 are GTF parameters, typed into the cells only while GTF is on.
    const bool gtfUnused = image.cell(start + 10) == "00";
    for (int i = start + 10; i <= start + 17; ++i) {
      if (gtfUnused)
        cellLocked[static_cast<std::size_t>(i)] = true;
      else if (m_common.ModifyMode)
        cellLocked[static_cast<std::size_t>(i)] = false;
    }
    const int option = focus::rangeLimitOption(offset);
    if (option >= 0) selectOption(descriptor.DtaOpt, option);
  } else if (DescriptorTag == "FB") {
    for (auto& box : descriptor.Windex) box.visible = true;
    unselect(descriptor.DtaOptWhite);
    const int option = focus::colourPointOption(offset);
    if (option >= 0) selectOption(descriptor.DtaOptWhite, option);
  } else if (DescriptorTag == "FA") {
    Hints[focus::kDescriptorHint].visible = false;
    Hints[focus::kExtStandardHint].visible = true;
    unselect(extStandard.ExtSTOpt, 6);
    extStandard.ExtStaFrame.enabled = focus::extStandardFrameEnabled(offset);
    const int option = focus::extStandardOption(offset);
    if (option >= 0) selectOption(extStandard.ExtSTOpt, option);
  }
}

// Not decoded yet: the block's controls and report text stay as they are.
void EdidScreen::ConvertDetailedTiminga() {}

}  // namespace edid
