// The standard timings frame: bytes 38-53 on the screen.
#include "core/screen/standard_timing_screen.h"
#include "core/screen/focus_map.h"
#include "core/screen/option_groups.h"
#include "core/screen/step_labels.h"
#include "core/sections/standard_timing.h"

namespace edid {

void StandardTimingScreen::focusStep(int index) {
  const int timing = focus::standardTimingOfByte(index);
  selectOption(standard.STOpt, timing);
  SelectedByte = standard_timing::firstByteOf(timing) + 1;
  hint.visible = true;
  ConvertStandardTimings();
}

void StandardTimingScreen::ConvertStandardTimings() {
  for (auto& option : standard.STOpt) option.caption.clear();
  const bool outer = DecodeInProgress;
  DecodeInProgress = true;
  const auto decoded = standard_timing::decode(image);
  // Aspect code 0 reads by the image's version; its option says which ratio it writes.
  standard.STAOptb[0].caption =
      standard_timing::aspectCaption(0, standard_timing::zeroAspectIs16By10(image));
  for (std::size_t k = 0; k < decoded.timings.size(); ++k)
    standard.STOpt[k].caption = decoded.timings[k].text;
  // After a full decode SelectedByte names a block's first byte; its top bits then
  // choose the option, as they always have.
  if (SelectedByte >= 0 && SelectedByte < kEdidSize)
    selectOption(standard.STAOptb, (image.byte(SelectedByte) >> 6) & 3);
  recompute();
  DecodeInProgress = outer;
  if (standard.STAInput.visible && autoCellSeek()) requestFocus(FocusControl::STAInput);
}

int StandardTimingScreen::selectedStandardPair() const {
  const int timing = selectedOption(standard.STOpt);
  return timing < 0 ? -1 : standard_timing::firstByteOf(timing);
}

void StandardTimingScreen::STOpt_Click(int index) {
  if (DecodeInProgress || index < 0 || index >= standard_timing::kTimings) return;
  setFocusToCell(standard_timing::firstByteOf(index));
}

void StandardTimingScreen::STAOptb_Click(int index) {
  if (DecodeInProgress || index < 0 || index > 3 || !hint.enabled) return;
  const int first = selectedStandardPair();
  if (first < 0) return;
  document.write(standard_timing::setAspect(image, first, index),
                 standard.STAOptb[static_cast<std::size_t>(index)].caption);
  ConvertStandardTimings();
}

void StandardTimingScreen::STAInput_KeyUp(int keyCode) {
  if (keyCode != 13 || !hint.enabled) return;
  // The timing is the one whose second byte SelectedByte names.
  if (SelectedByte < standard_timing::kFirstByte + 1 || SelectedByte > standard_timing::kLastByte)
    return;
  const int first = SelectedByte - 1;
  const bool horizontal = standard.STAOpta[0].value;
  const auto writes = horizontal
                          ? standard_timing::encodeHorizontal(image, first, standard.STAInput.text)
                          : standard_timing::encodeRefresh(image, first, standard.STAInput.text);
  if (!writes) {
    m_host.message(writes.error());
    return;
  }
  document.write(*writes, step_label::standardTiming((first - standard_timing::kFirstByte) / 2));
  ConvertStandardTimings();
  standard.STAInput.text.clear();
}

}  // namespace edid
