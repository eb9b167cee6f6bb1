// Feeds arbitrary entries and cell texts to the screen: whatever arrives, no
// crash, and every cell an editor writes is two upper-case hex digits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/common/host.h"
#include "core/screen/basic_display_screen.h"
#include "core/screen/chromaticity_screen.h"
#include "core/screen/detailed_timing_screen.h"
#include "core/screen/edid_screen.h"
#include "core/screen/monitor_descriptor_screen.h"
#include "core/screen/standard_timing_screen.h"
#include "core/screen/vendor_screen.h"
#include "core/screen/version_screen.h"

namespace {

using edid::QuietHost;

bool isHexPair(const std::string& text) {
  auto hex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); };
  return text.size() == 2 && hex(text[0]) && hex(text[1]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  QuietHost host;
  edid::Common common;
  common.ModifyMode = true;
  edid::EdidScreen screen(common, host);
  const int cell = data[0] % 130;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  // Half the inputs go into a cell as typed, the rest into an entry box.
  if (data[0] & 0x80) {
    screen.txtEdit_Change(cell, text.substr(0, 2));
    screen.txtEdit_KeyUp(cell);
    screen.txtEdit_GotFocus(cell);
    return 0;
  }
  screen.BuildEDIDDefinations();
  screen.txtEdit_GotFocus(8 + cell % 12);
  screen.section<edid::VendorScreen>().vendor.VendorInfo.text = text;
  screen.section<edid::VersionScreen>().edid.VerRev.text = text;
  const edid::Image before = screen.image;
  screen.section<edid::VendorScreen>().VendorInfo_KeyUp(13);
  screen.section<edid::VersionScreen>().VerRev_KeyUp(13);
  // A detailed timing at block 0 (a non-zero clock byte), one field selected by the
  // focus; the block is a descriptor again for the boxes after it.
  screen.txtEdit_Change(54, "01");
  screen.txtEdit_GotFocus(54 + cell % 18);
  screen.section<edid::DetailedTimingScreen>().detailed.DTInput.text = text;
  screen.section<edid::DetailedTimingScreen>().DTInput_KeyUp(13);
  screen.txtEdit_Change(54, "00");
  // The display sections' boxes, each with its field selected by a cell focus.
  screen.txtEdit_GotFocus(21 + cell % 3);
  screen.section<edid::BasicDisplayScreen>().basic.BasicInput.text = text;
  screen.section<edid::BasicDisplayScreen>().BasicInput_KeyUp(13);
  screen.txtEdit_GotFocus(27 + cell % 8);
  screen.section<edid::ChromaticityScreen>().chroma.ChromaValue.text = text;
  screen.section<edid::ChromaticityScreen>().ChromaValue_KeyUp(13);
  screen.txtEdit_GotFocus(38 + cell % 16);
  screen.section<edid::StandardTimingScreen>().standard.STAOpta[0].value = (cell & 1) != 0;
  screen.section<edid::StandardTimingScreen>().standard.STAOpta[1].value = (cell & 1) == 0;
  screen.section<edid::StandardTimingScreen>().standard.STAInput.text = text;
  screen.section<edid::StandardTimingScreen>().STAInput_KeyUp(13);
  // A monitor descriptor of each tag FF..FA in block 54, with a colour point present.
  screen.image.setByte(57, 0xFF - cell % 6);
  screen.txtEdit_Change(59, "01");
  screen.txtEdit_GotFocus(59 + cell % 10);
  screen.section<edid::MonitorDescriptorScreen>()
      .descriptor.DtaOpt[static_cast<std::size_t>(cell % 5)]
      .value = true;
  screen.section<edid::MonitorDescriptorScreen>()
      .descriptor.DtaOptWhite[static_cast<std::size_t>(cell % 6)]
      .value = true;
  screen.section<edid::MonitorDescriptorScreen>().descriptor.DTaInput.text = text;
  screen.section<edid::MonitorDescriptorScreen>().DTaInput_KeyUp(13);
  screen.section<edid::MonitorDescriptorScreen>()
      .extStandard.ExtSTOpt[static_cast<std::size_t>(cell % 6)]
      .value = true;
  screen.section<edid::MonitorDescriptorScreen>().extStandard.ExtSTAOpta[0].value = (cell & 2) != 0;
  screen.section<edid::MonitorDescriptorScreen>().extStandard.ExtStaInput.text = text;
  screen.section<edid::MonitorDescriptorScreen>().ExtStaInput_KeyUp(13);
  for (int i = 0; i < edid::kEdidSize; ++i) {
    if (screen.image.cell(i) != before.cell(i) && !isHexPair(screen.image.cell(i))) std::abort();
  }
  return 0;
}
