// The chromaticity frame: bytes 25-34 on the screen.
#include "core/screen/chromaticity_screen.h"
#include "core/screen/option_groups.h"
#include "core/screen/step_labels.h"
#include "core/sections/chromaticity.h"

namespace edid {

void ChromaticityScreen::focusStep(int index) {
  hint.visible = true;
  // Bytes 25-26 hold only low bits of all eight coordinates: nothing to enter there.
  const bool coordinate = index >= chromaticity::kHighByte;
  chroma.lbChromaChange[0].visible = coordinate;
  chroma.lbChromaChange[1].visible = !coordinate;
  chroma.ChromaValue.visible = coordinate;
  unselect(chroma.chkChroma);
  if (coordinate) selectOption(chroma.chkChroma, index - chromaticity::kHighByte);
  ConvertChromaticity();
  if (coordinate && autoCellSeek()) requestFocus(FocusControl::ChromaValue);
}

void ChromaticityScreen::ConvertChromaticity() {
  const auto decoded = chromaticity::decode(image);
  for (std::size_t i = 0; i < chroma.chkChroma.size(); ++i)
    chroma.chkChroma[i].caption = std::string(chromaticity::labels()[i]) + " - " + decoded.texts[i];
  const int selected = selectedOption(chroma.chkChroma);
  if (selected >= 0) chroma.ChromaValue.text = decoded.texts[static_cast<std::size_t>(selected)];
  recompute();
}

void ChromaticityScreen::chkChroma_Click(int index) {
  if (index < 0 || index >= chromaticity::kCoordinates) return;
  setFocusToCell(chromaticity::kHighByte + index);
}

void ChromaticityScreen::ChromaValue_KeyUp(int keyCode) {
  if (keyCode != 13) return;
  const int selected = selectedOption(chroma.chkChroma);
  // The entry is judged before the coordinate, so a wrong one is told even without a selection.
  const auto writes =
      chromaticity::encode(image, selected < 0 ? 0 : selected, chroma.ChromaValue.text);
  if (!writes) {
    m_host.message(writes.error());
    return;
  }
  if (selected >= 0)
    document.write(*writes, step_label::kChromaCoordinates[static_cast<std::size_t>(selected)]);
  ConvertChromaticity();
}

}  // namespace edid
