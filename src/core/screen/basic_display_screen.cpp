// The basic display parameters frame: bytes 20-24 on the screen.
#include "core/screen/basic_display_screen.h"
#include "core/common/text.h"
#include "core/screen/option_groups.h"
#include "core/screen/step_labels.h"
#include "core/sections/basic_display.h"
#include "core/sections/digital_input.h"
#include "core/sections/version.h"

namespace edid {

namespace {

/// The part of a "400 mm"-style text up to and including its first space; "" without one.
std::string upToFirstSpace(const std::string& text) {
  const auto space = text.find(' ');
  return space == std::string::npos ? std::string() : text.substr(0, space + 1);
}

}  // namespace

void BasicDisplayScreen::fullDecode() {
  ConvertFeatureSupport();
  ConvertGamma();
  ConvertMaxHorizSize();
  ConvertMaxVertSize();
  ConvertVideoInput();
}

void BasicDisplayScreen::keyUpDecode(int index) {
  switch (index) {
    case basic_display::kVideoInputByte:
      return ConvertVideoInput();
    case basic_display::kHorizSizeByte:
      return ConvertMaxHorizSize();
    case basic_display::kVertSizeByte:
      return ConvertMaxVertSize();
    case basic_display::kGammaByte:
      return ConvertGamma();
    case basic_display::kFeatureByte:
      return ConvertFeatureSupport();
  }
}

void BasicDisplayScreen::focusStep(int index) {
  hint.visible = true;
  basic.VideoInput.visible = false;
  basic.DPMS.visible = false;
  basic.BasicInput.text.clear();
  basic.BasicInput.visible = index >= 21 && index <= 23;
  ConvertMaxHorizSize();
  ConvertMaxVertSize();
  ConvertGamma();
  for (auto& label : basic.lbBasic) label.opaque = false;
  for (auto& option : basic.Basic) option.visible = false;

  if (index == 20) {
    basic.lbBasic[0].opaque = true;
    ConvertVideoInput();
    basic.VideoInput.visible = true;
  } else if (index == 24) {
    ConvertFeatureSupport();
    basic.DPMS.visible = true;
  } else {
    selectOption(basic.Basic, index - 21);
    for (auto& option : basic.Basic) option.visible = true;
    if (index == 21) {
      ConvertMaxHorizSize();
      basic.BasicInput.text = upToFirstSpace(m_common.MaxHorizSizeText);
    } else if (index == 22) {
      ConvertMaxVertSize();
      basic.BasicInput.text = upToFirstSpace(m_common.MaxVertSizeText);
    } else {
      ConvertGamma();
      basic.BasicInput.text = m_common.GammaText;
    }
    if (autoCellSeek()) requestFocus(FocusControl::BasicInput);
  }
}

void BasicDisplayScreen::ConvertVideoInput() {
  const bool outer = DecodeInProgress;
  DecodeInProgress = true;
  for (auto& box : basic.Sync) box.value = false;
  const auto video = basic_display::decodeVideoInput(image);
  basic.Analog.enabled = !video.digital;
  digital14.Digital14.visible = video.digital14;
  // From 1.4 a digital input's depth and interface take the sync levels' place.
  basic.Analog.visible = !video.digital14;
  if (video.digital14) {
    selectOption(digital14.ColorDepth, video.colorDepth);
    selectOption(digital14.Interface, video.interfaceCode);
  }
  selectOption(basic.VideoMode, video.digital ? 1 : 0);
  // A digital input leaves the level buttons as they were.
  if (!video.digital) {
    selectOption(basic.Signal, video.signalLevel);
    for (std::size_t bit = 0; bit < basic.Sync.size(); ++bit)
      basic.Sync[bit].value = video.sync[bit];
  }
  recompute();
  DecodeInProgress = outer;
}

void BasicDisplayScreen::ConvertMaxHorizSize() {
  m_common.MaxHorizSizeText = basic_display::sizeText(image, basic_display::kHorizSizeByte);
  basic.Basic[0].caption = "Max Horiz Size " + m_common.MaxHorizSizeText;
  recompute();
}

void BasicDisplayScreen::ConvertMaxVertSize() {
  m_common.MaxVertSizeText = basic_display::sizeText(image, basic_display::kVertSizeByte);
  basic.Basic[1].caption = "Max Vert Size " + m_common.MaxVertSizeText;
  recompute();
}

void BasicDisplayScreen::ConvertGamma() {
  m_common.GammaText = basic_display::gammaText(image);
  basic.Basic[2].caption = "Gamma  " + m_common.GammaText;
  recompute();
}

void BasicDisplayScreen::ConvertFeatureSupport() {
  const bool outer = DecodeInProgress;
  DecodeInProgress = true;
  const auto features = basic_display::decodeFeatureSupport(image);
  selectOption(basic.DisplayType, features.displayType);
  const auto& types = basic_display::displayTypeCaptions(features.encodings);
  for (std::size_t i = 0; i < basic.DisplayType.size(); ++i)
    basic.DisplayType[i].caption = types[i];
  basic.Frame3.caption = features.encodings ? "Color Encoding[4:3]" : "Display Type[4:3]";
  const auto& captions = basic_display::featureCaptions(features.edid14);
  for (std::size_t i = 0; i < basic.FSupport.size(); ++i) basic.FSupport[i].caption = captions[i];
  for (std::size_t i = 0; i < basic.FSupport.size(); ++i)
    basic.FSupport[i].value = features.features[i];
  recompute();
  DecodeInProgress = outer;
}

bool BasicDisplayScreen::basicClickAllowed(int index, int count) const {
  return !DecodeInProgress && index >= 0 && index < count && hint.enabled;
}

void BasicDisplayScreen::VideoMode_Click(int index) {
  if (!basicClickAllowed(index, 2)) return;
  document.write(basic_display::setVideoMode(index),
                 basic.VideoMode[static_cast<std::size_t>(index)].caption);
  ConvertVideoInput();
  recompute();
}

void BasicDisplayScreen::Signal_Click(int index) {
  if (!basicClickAllowed(index, 4)) return;
  document.write(basic_display::setSignalLevel(image, index), step_label::kSignalLevel);
  ConvertVideoInput();
  recompute();
}

void BasicDisplayScreen::Sync_Click(int index) {
  if (!basicClickAllowed(index, 5)) return;
  document.write(
      basic_display::setSync(image, index, basic.Sync[static_cast<std::size_t>(index)].value),
      basic.Sync[static_cast<std::size_t>(index)].caption);
  ConvertVideoInput();
  recompute();
}

void BasicDisplayScreen::DisplayType_Click(int index) {
  if (!basicClickAllowed(index, 4)) return;
  document.write(basic_display::setDisplayType(image, index),
                 basic.DisplayType[static_cast<std::size_t>(index)].caption);
  ConvertFeatureSupport();
  recompute();
}

void BasicDisplayScreen::FSupport_Click(int index) {
  if (!basicClickAllowed(index, 6)) return;
  document.write(basic_display::setFeature(image, index,
                                           basic.FSupport[static_cast<std::size_t>(index)].value),
                 basic.FSupport[static_cast<std::size_t>(index)].caption);
  ConvertFeatureSupport();
  recompute();
}

// Both need a 1.4 digital input: on an analog one bits 6-0 are the sync levels.
void BasicDisplayScreen::ColorDepth_Click(int index) {
  if (!basicClickAllowed(index, 8) || !digital14.Digital14.visible) return;
  document.write(digital_input::setColorDepth(image, index),
                 "Color Depth " + digital14.ColorDepth[static_cast<std::size_t>(index)].caption);
  ConvertVideoInput();
}

void BasicDisplayScreen::Interface_Click(int index) {
  if (!basicClickAllowed(index, 6) || !digital14.Digital14.visible) return;
  document.write(digital_input::setInterface(image, index),
                 digital14.Interface[static_cast<std::size_t>(index)].caption);
  ConvertVideoInput();
}

void BasicDisplayScreen::Basic_Click(int index) {
  if (DecodeInProgress || index < 0 || index > 2) return;
  setFocusToCell(basic_display::kHorizSizeByte + index);
}

void BasicDisplayScreen::BasicInput_KeyUp(int keyCode) {
  if (keyCode != 13 || !hint.enabled) return;
  const int option = selectedOption(basic.Basic);
  if (option < 0) return;
  const auto entry = static_cast<basic_display::Entry>(option);
  const auto writes = basic_display::encode(entry, basic.BasicInput.text);
  if (!writes) {
    m_host.message(writes.error());
    return;
  }
  document.write(*writes, step_label::kBasicEntries[static_cast<std::size_t>(option)]);
  if (entry == basic_display::Entry::HorizSize) ConvertMaxHorizSize();
  if (entry == basic_display::Entry::VertSize) ConvertMaxVertSize();
  if (entry == basic_display::Entry::Gamma) ConvertGamma();
}

}  // namespace edid
