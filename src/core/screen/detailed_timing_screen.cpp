// The four 18-byte blocks (bytes 54-125): choosing the block and its frame, and
// the detailed timing frames.
#include "core/screen/detailed_timing_screen.h"
#include "core/common/numbers.h"
#include "core/common/text.h"
#include "core/screen/focus_map.h"
#include "core/screen/monitor_descriptor_screen.h"
#include "core/screen/option_groups.h"
#include "core/screen/step_labels.h"
#include "core/sections/detailed_timing.h"

namespace edid {

namespace {

// DTStereo option of each stereo code 0..7 (6 is "No Stereo").
constexpr std::array<int, 8> kStereoOption = {6, 6, 0, 2, 1, 3, 4, 5};

// DT(i)'s caption: "Active Time - 1280 pixels".
std::string fieldCaption(const detailed_timing::Timing& t, std::size_t i) {
  const auto field = static_cast<detailed_timing::Field>(i);
  return std::string(detailed_timing::fieldLabel(field)) + " - " +
         detailed_timing::fieldValueText(field, t.values[i]);
}

}  // namespace

MonitorDescriptorScreen& DetailedTimingScreen::descriptors() {
  return ctx.section<MonitorDescriptorScreen>();
}

void DetailedTimingScreen::ConvertDetailedTiminga() {
  descriptors().ConvertDetailedTiminga();
}

void DetailedTimingScreen::fullDecode() {
  for (int block = 0; block < layout::kBlockCount; ++block) {
    const int start = layout::blockStart(block);
    SelectedByte = start;
    SelectedBlock = block;
    SelectedBlockIsDescriptor = detailed_timing::isDescriptor(image, start);
    ConvertDetailedTiming();
  }
}

void DetailedTimingScreen::focusStep(int index) {
  MonitorDescriptorScreen& md = descriptors();
  for (auto& box : md.descriptor.Windex) box.visible = false;
  if (m_common.ModifyMode) ctx.DTHelp.visible = true;
  GenerateTiming.enabled = m_common.ModifyMode;

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
  hint.caption = "Detailed Timing (" + range;
  flagsHint.caption = "Detailed Timing (" + range;
  md.hint.caption = "Detailed Timing (" + range;
  md.timingsHint.caption = "Ext. Standard Timing (" + range;

  SelectedBlockIsDescriptor = detailed_timing::isDescriptor(image, pos.start);
  if (SelectedBlockIsDescriptor) {
    md.hint.visible = true;
    DescriptorTag = toUpper(image.cell(pos.start + 3));
  } else {
    (pos.offset <= 16 ? hint : flagsHint).visible = true;
  }

  detailed.DTInput.visible = true;
  if (SelectedBlockIsDescriptor)
    md.focusDescriptorField(pos.start, pos.offset);
  else
    focusDetailedField(pos.offset);

  ConvertDetailedTiming();
}

void DetailedTimingScreen::focusDetailedField(int offset) {
  if (focus::detailedTimingHidesInput(offset)) detailed.DTInput.visible = false;
  const int option = focus::detailedTimingOption(offset);
  if (option >= 0) selectOption(detailed.DT, option);
}

void DetailedTimingScreen::ConvertDetailedTiming() {
  const int s = SelectedByte;
  if (!layout::isBlockStart(s) || SelectedBlock < 0 || SelectedBlock >= layout::kBlockCount)
    return recompute();
  // The descriptor decode keeps the checksum current itself.
  if (SelectedBlockIsDescriptor || detailed_timing::isDescriptor(image, s))
    return ConvertDetailedTiminga();

  const bool outer = DecodeInProgress;
  DecodeInProgress = true;
  const auto t = detailed_timing::decode(image, s);
  for (std::size_t i = 0; i < detailed.DT.size(); ++i) detailed.DT[i].caption = fieldCaption(t, i);
  detailed.DT1.value = t.interlaced;
  selectOption(detailed.DTStereo, kStereoOption[static_cast<std::size_t>(t.stereoCode)]);
  detailed.frmStereo.caption = t.stereoText;
  selectOption(detailed.DTSync, static_cast<int>(t.syncType));
  detailed.SyncLine.caption = t.syncLineCaption;
  const bool separate = t.syncType == detailed_timing::SyncType::DigitalSeparate;
  detailed.VSyncLine.visible = separate;
  if (separate) detailed.VSyncLine.caption = t.vSyncLineCaption;
  detailed.SyncSerrate.enabled = !separate;
  detailed.SyncSerrate.value = t.serrate;
  detailed.Freq[0].caption = "Horizontal - " + t.horizontalFrequency + " KHz";
  detailed.Freq[1].caption = "Vertical - " + t.verticalFrequency + " Hz";
  DecodeInProgress = outer;
  recompute();
  if (detailed.DTInput.visible && autoCellSeek()) requestFocus(FocusControl::DTInput);
}

bool DetailedTimingScreen::detailedTimingEditable(const Frame& frame) const {
  return frame.enabled && layout::isBlockStart(SelectedByte) && !SelectedBlockIsDescriptor;
}

void DetailedTimingScreen::DT_Click(int index) {
  if (DecodeInProgress || index < 0 || index >= detailed_timing::kFieldCount ||
      !layout::isBlockStart(SelectedByte))
    return;
  setFocusToCell(SelectedByte +
                 detailed_timing::firstOffsetOf(static_cast<detailed_timing::Field>(index)));
}

void DetailedTimingScreen::DTInput_KeyUp(int keyCode) {
  if (keyCode != 13 || !detailedTimingEditable(hint)) return;
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

void DetailedTimingScreen::applyDetailedFlags(const CellWrites& writes, const std::string& label) {
  document.write(writes, label);
  // Every flag change re-decodes, so the checksum and the report never lag behind.
  ConvertDetailedTiming();
}

void DetailedTimingScreen::DT1_Click() {
  if (DecodeInProgress || !detailedTimingEditable(flagsHint)) return;
  applyDetailedFlags(detailed_timing::setInterlaced(image, SelectedByte, detailed.DT1.value),
                     detailed.DT1.caption);
}

void DetailedTimingScreen::DTStereo_Click(int) {
  detailed.frmStereo.caption = "Stereo";
  if (DecodeInProgress || !detailedTimingEditable(flagsHint)) return;
  const int k = selectedOption(detailed.DTStereo);
  if (k < 0) return;
  if (k == 6) detailed.frmStereo.caption = "Normal Display - No Stereo";
  applyDetailedFlags(detailed_timing::setStereo(image, SelectedByte, k),
                     detailed.DTStereo[static_cast<std::size_t>(k)].caption);
}

void DetailedTimingScreen::DTSync_Click(int) {
  if (DecodeInProgress || !detailedTimingEditable(flagsHint)) return;
  const int k = selectedOption(detailed.DTSync);
  applyDetailedFlags(k < 0 ? CellWrites{} : detailed_timing::setSyncType(image, SelectedByte, k),
                     k < 0 ? std::string() : detailed.DTSync[static_cast<std::size_t>(k)].caption);
}

void DetailedTimingScreen::SyncSerrate_Click() {
  if (DecodeInProgress || !detailedTimingEditable(flagsHint)) return;
  applyDetailedFlags(detailed_timing::setSerrate(image, SelectedByte, detailed.SyncSerrate.value),
                     detailed.SyncSerrate.caption);
}

void DetailedTimingScreen::SyncLine_Click() {
  if (DecodeInProgress || !detailedTimingEditable(flagsHint)) return;
  applyDetailedFlags(detailed_timing::toggleSyncLine(image, SelectedByte),
                     step_label::kHorizontalPolarity);
}

void DetailedTimingScreen::VSyncLine_Click() {
  if (DecodeInProgress || !detailedTimingEditable(flagsHint)) return;
  applyDetailedFlags(detailed_timing::toggleVSyncLine(image, SelectedByte),
                     step_label::kVerticalPolarity);
}

timing::GeneratorStart DetailedTimingScreen::generatorStart() const {
  return timing::generatorStart(image, SelectedByte);
}

void DetailedTimingScreen::GenerateTiming_Accept(const timing::Timing& t, bool keepImageSize) {
  if (!m_common.ModifyMode || !layout::isBlockStart(SelectedByte)) return;
  const auto writes = timing::generatedBlock(image, SelectedByte, t, keepImageSize);
  if (!writes) return m_host.message(writes.error());
  document.write(*writes, step_label::kGenerateTiming);
  // The focus logic shows the block again, now as a timing, on its pixel clock.
  setFocusToCell(SelectedByte);
}

bool DetailedTimingScreen::isBlockFrame(int index) {
  if (index < 0 || index >= static_cast<int>(ctx.Hints.size())) return false;
  const Frame* frame = &ctx.Hints[static_cast<std::size_t>(index)];
  const MonitorDescriptorScreen& md = descriptors();
  return frame == &hint || frame == &flagsHint || frame == &md.hint || frame == &md.timingsHint;
}

void DetailedTimingScreen::Hints_DblClick(int index) {
  if (!m_common.ModifyMode || !isBlockFrame(index) || !layout::isBlockStart(SelectedByte)) return;
  document.write(detailed_timing::resetBlock(SelectedByte), step_label::kBlockReset);
  // The focus logic shows the block again, now as an empty serial number descriptor.
  setFocusToCell(SelectedByte + 3);
}

}  // namespace edid
