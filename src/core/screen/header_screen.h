#pragma once
// The header frame (bytes 0-7): a fixed explanation, nothing to decode or edit.

#include "core/screen/frames.h"
#include "core/screen/section_screen.h"

namespace edid {

class HeaderScreen : public SectionScreen {
 public:
  using SectionScreen::SectionScreen;
  std::vector<Frame*> frames() override { return {&hint}; }

  Frame hint{"Header (0 - 7)"};
  HeaderFrame header;
};

}  // namespace edid
