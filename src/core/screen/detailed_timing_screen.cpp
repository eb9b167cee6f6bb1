// The four 18-byte blocks (bytes 54-125): choosing the block and its frame, and
// the detailed timing frames.
#include "core/common/text.h"
#include "core/screen/edid_screen.h"
#include "core/screen/focus_map.h"
#include "core/screen/option_groups.h"

namespace edid {

void EdidScreen::decodeAllBlocks() {
  for (int block = 0; block < layout::kBlockCount; ++block) {
    const int start = layout::blockStart(block);
    SelectedByte = start;
    SelectedBlock = block;
    // Each block is judged by its own first three bytes.
    SelectedBlockIsDescriptor = true;
    for (int i = start; i < start + 3; ++i) {
      if (!image.readable(i) || image.byte(i) != 0) SelectedBlockIsDescriptor = false;
    }
    ConvertDetailedTiming();
  }
}

void EdidScreen::focusBlock(int index) {
  for (auto& box : descriptor.Windex) box.visible = false;
  if (m_common.ModifyMode) DTHelp.visible = true;

  const focus::BlockPosition pos = focus::blockOfByte(index);
  SelectedByte = pos.start;
  SelectedBlock = pos.block;

  unselect(detailed.DT);
  unselect(detailed.DTStereo, 6);
  unselect(detailed.DTSync);
  detailed.DT1.value = false;
  detailed.DTInput.text.clear();

  const ByteRange bytes = layout::blockRange(pos.block);
  const std::string range = std::to_string(bytes.first) + "-" + std::to_string(bytes.last) + ")";
  Hints[focus::kDetailedHint].caption = "Detailed Timing (" + range;
  Hints[focus::kDetailedFlagsHint].caption = "Detailed Timing (" + range;
  Hints[focus::kDescriptorHint].caption = "Detailed Timing (" + range;
  Hints[focus::kExtStandardHint].caption = "Ext. Standard Timing (" + range;

  // Judged by the cell texts, as typed: a block is a descriptor once its first
  // three cells read 00.
  const std::string marker =
      image.cell(pos.start) + image.cell(pos.start + 1) + image.cell(pos.start + 2);
  SelectedBlockIsDescriptor = marker == "000000";
  if (SelectedBlockIsDescriptor) {
    Hints[focus::kDescriptorHint].visible = true;
    DescriptorTag = toUpper(image.cell(pos.start + 3));
  } else {
    Hints[pos.offset <= 16 ? focus::kDetailedHint : focus::kDetailedFlagsHint].visible = true;
  }

  detailed.DTInput.visible = true;
  if (SelectedBlockIsDescriptor)
    focusDescriptorField(pos.start, pos.offset);
  else
    focusDetailedField(pos.offset);

  ConvertDetailedTiming();
}

void EdidScreen::focusDetailedField(int offset) {
  if (focus::detailedTimingHidesInput(offset)) detailed.DTInput.visible = false;
  const int option = focus::detailedTimingOption(offset);
  if (option >= 0) selectOption(detailed.DT, option);
}

// Not decoded yet: hands a monitor descriptor on and keeps the checksum current.
void EdidScreen::ConvertDetailedTiming() {
  const int start = SelectedByte;
  if (layout::kBlocks.contains(start) && layout::kBlocks.contains(start + 2)) {
    const std::string marker = image.cell(start) + image.cell(start + 1) + image.cell(start + 2);
    if (marker == "000000" || SelectedBlockIsDescriptor) ConvertDetailedTiminga();
  }
  recompute();
}

}  // namespace edid
