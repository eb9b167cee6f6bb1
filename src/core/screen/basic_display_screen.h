#pragma once
// The basic display parameters frame (bytes 20-24): video input, image size,
// gamma and feature support.

#include "core/screen/frames.h"
#include "core/screen/section_screen.h"

namespace edid {

/// Inside VideoInput: a digital input's colour depth and interface, from EDID 1.4.
struct Digital14Frame {
  Frame Digital14;
  std::array<OptionButton, 8> ColorDepth{{{"Undefined"},
                                          {"6 Bits"},
                                          {"8 Bits"},
                                          {"10 Bits"},
                                          {"12 Bits"},
                                          {"14 Bits"},
                                          {"16 Bits"},
                                          {"Reserved"}}};
  std::array<OptionButton, 6> Interface{
      {{"Undefined"}, {"DVI"}, {"HDMI-a"}, {"HDMI-b"}, {"MDDI"}, {"DisplayPort"}}};
};

class BasicDisplayScreen : public SectionScreen {
 public:
  using SectionScreen::SectionScreen;
  std::vector<Frame*> frames() override { return {&hint}; }
  void fullDecode() override;
  void keyUpDecode(int index) override;
  void focusStep(int index) override;

  Frame hint{"Basic Display Parameters(20-24)"};
  BasicFrame basic;
  Digital14Frame digital14;

  /// Click editors of byte 20 and 24; each does nothing while DecodeInProgress.
  void VideoMode_Click(int index);
  void Signal_Click(int index);
  /// Bit index of byte 20 := Sync(index)'s check state.
  void Sync_Click(int index);
  void DisplayType_Click(int index);
  /// The bit of FSupport(index) in byte 24 := its check state.
  void FSupport_Click(int index);
  /// Bits 6-4 (depth) or 3-0 (interface) of a 1.4 digital input's byte 20.
  void ColorDepth_Click(int index);
  void Interface_Click(int index);
  /// Moves the focus to cell 21 + index.
  void Basic_Click(int index);
  /// Enter (13) writes BasicInput into the byte of the selected Basic option.
  void BasicInput_KeyUp(int keyCode);

  /// Byte 20, into the VideoInput controls and VideoInputText.
  void ConvertVideoInput();
  /// Byte 21, into MaxHorizSizeText and Basic(0)'s caption.
  void ConvertMaxHorizSize();
  /// Byte 22, into MaxVertSizeText and Basic(1)'s caption.
  void ConvertMaxVertSize();
  /// Byte 23, into GammaText and Basic(2)'s caption.
  void ConvertGamma();
  /// Byte 24, into the DPMS controls, FeatureSupportText and DisplayTypeText.
  void ConvertFeatureSupport();

 private:
  bool basicClickAllowed(int index, int count) const;
};

}  // namespace edid
