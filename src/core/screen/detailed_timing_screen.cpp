// The four 18-byte blocks (bytes 54-125): choosing the block and its frame, and
// the detailed timing frames.
#include "core/common/numbers.h"
#include "core/common/text.h"
#include "core/screen/edid_screen.h"
#include "core/screen/focus_map.h"
#include "core/screen/option_groups.h"
#include "core/screen/step_labels.h"
#include "core/sections/detailed_timing.h"

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

void EdidScreen::ConvertDetailedTiming() {
  const int s = SelectedByte;
  if (!layout::isBlockStart(s) || SelectedBlock < 0 || SelectedBlock >= layout::kBlockCount)
    return recompute();
  // The descriptor decode keeps the checksum current itself.
  if (SelectedBlockIsDescriptor || detailed_timing::startsAsDescriptor(image, s))
    return ConvertDetailedTiminga();

  auto& text = m_common.DescriptorText[static_cast<std::size_t>(SelectedBlock)];
  text.clear();
  const bool outer = DecodeInProgress;
  DecodeInProgress = true;
  const auto t = detailed_timing::decode(image, s);
  for (std::size_t i = 0; i < detailed.DT.size(); ++i) detailed.DT[i].caption = t.captions[i];
  detailed.DT1.value = t.interlaced;
  selectOption(detailed.DTStereo, t.stereoOption);
  detailed.frmStereo.caption = t.stereoFrameCaption;
  selectOption(detailed.DTSync, static_cast<int>(t.syncType));
  detailed.SyncLine.caption = t.syncLineCaption;
  detailed.VSyncLine.visible = t.vSyncLineVisible;
  if (t.vSyncLineVisible) detailed.VSyncLine.caption = t.vSyncLineCaption;
  detailed.SyncSerrate.enabled = t.serrateEnabled;
  detailed.SyncSerrate.value = t.serrateChecked;
  detailed.Freq[0].caption = t.horizontalCaption;
  detailed.Freq[1].caption = t.verticalCaption;
  text = t.reportText;
  DecodeInProgress = outer;
  recompute();
  if (detailed.DTInput.visible && autoCellSeek()) requestFocus(FocusControl::DTInput);
}

bool EdidScreen::detailedTimingEditable(int hint) const {
  return Hints[static_cast<std::size_t>(hint)].enabled && layout::isBlockStart(SelectedByte) &&
         !SelectedBlockIsDescriptor;
}

void EdidScreen::DT_Click(int index) {
  if (DecodeInProgress || index < 0 || index >= detailed_timing::kFieldCount ||
      !layout::isBlockStart(SelectedByte))
    return;
  setFocusToCell(SelectedByte +
                 detailed_timing::firstOffsetOf(static_cast<detailed_timing::Field>(index)));
}

void EdidScreen::DTInput_KeyUp(int keyCode) {
  if (keyCode != 13 || !detailedTimingEditable(focus::kDetailedHint)) return;
  const std::string& entry = detailed.DTInput.text;
  const int option = selectedOption(detailed.DT);
  if (option < 0) {
    const auto x = enteredNumber(entry);
    if (!x) return m_host.message(x.error());
    if (*x < 0 || *x > 65534) return m_host.message("Invalid Value");
    return ConvertDetailedTiming();
  }
  const auto writes = detailed_timing::encodeField(
      image, SelectedByte, static_cast<detailed_timing::Field>(option), entry);
  if (!writes) return m_host.message(writes.error());
  document.write(*writes, step_label::kDetailedFields[static_cast<std::size_t>(option)]);
  ConvertDetailedTiming();
}

void EdidScreen::applyDetailedFlags(const CellWrites& writes, const std::string& label) {
  document.write(writes, label);
  // Every flag change re-decodes, so the checksum and the report never lag behind.
  ConvertDetailedTiming();
}

void EdidScreen::DT1_Click() {
  if (DecodeInProgress || !detailedTimingEditable(focus::kDetailedFlagsHint)) return;
  applyDetailedFlags(detailed_timing::setInterlaced(image, SelectedByte, detailed.DT1.value),
                     detailed.DT1.caption);
}

void EdidScreen::DTStereo_Click(int) {
  detailed.frmStereo.caption = "Stereo";
  if (DecodeInProgress || !detailedTimingEditable(focus::kDetailedFlagsHint)) return;
  const int k = selectedOption(detailed.DTStereo);
  if (k < 0) return;
  if (k == 6) detailed.frmStereo.caption = "Normal Display - No Stereo";
  applyDetailedFlags(detailed_timing::setStereo(image, SelectedByte, k),
                     detailed.DTStereo[static_cast<std::size_t>(k)].caption);
}

void EdidScreen::DTSync_Click(int) {
  if (DecodeInProgress || !detailedTimingEditable(focus::kDetailedFlagsHint)) return;
  const int k = selectedOption(detailed.DTSync);
  applyDetailedFlags(k < 0 ? CellWrites{} : detailed_timing::setSyncType(image, SelectedByte, k),
                     k < 0 ? std::string() : detailed.DTSync[static_cast<std::size_t>(k)].caption);
}

void EdidScreen::SyncSerrate_Click() {
  if (DecodeInProgress || !detailedTimingEditable(focus::kDetailedFlagsHint)) return;
  applyDetailedFlags(detailed_timing::setSerrate(image, SelectedByte, detailed.SyncSerrate.value),
                     detailed.SyncSerrate.caption);
}

void EdidScreen::SyncLine_Click() {
  if (DecodeInProgress || !detailedTimingEditable(focus::kDetailedFlagsHint)) return;
  applyDetailedFlags(detailed_timing::toggleSyncLine(image, SelectedByte),
                     step_label::kHorizontalPolarity);
}

void EdidScreen::VSyncLine_Click() {
  if (DecodeInProgress || !detailedTimingEditable(focus::kDetailedFlagsHint)) return;
  applyDetailedFlags(detailed_timing::toggleVSyncLine(image, SelectedByte),
                     step_label::kVerticalPolarity);
}

void EdidScreen::Hints_DblClick(int index) {
  if (!m_common.ModifyMode || index < focus::kDetailedHint || index > focus::kExtStandardHint ||
      !layout::isBlockStart(SelectedByte))
    return;
  document.write(detailed_timing::resetBlock(SelectedByte), step_label::kBlockReset);
  // The focus logic shows the block again, now as an empty serial number descriptor.
  setFocusToCell(SelectedByte + 3);
}

}  // namespace edid
