// The sections of the image as the screen handles them. A new section adds its row
// here; its decoders and focus step live in its own <section>_screen.cpp.
#include "core/screen/edid_screen.h"
#include "core/screen/focus_map.h"
#include "core/sections/established.h"
#include "core/sections/vendor.h"
#include "core/sections/version.h"

namespace edid {

std::span<const EdidScreen::SectionRow> EdidScreen::sections() {
  using S = EdidScreen;
  using namespace focus;
  // In the order of the full decode: chromaticity first, then the four blocks (so
  // the standard timings after them see SelectedByte at the last block), the
  // vendor's year last among its fields, the version after the revision.
  static constexpr SectionRow kRows[] = {
      {layout::kChromaticity, kChromaHint, [](S& s) { s.ConvertChromaticity(); },
       [](S& s, int) { s.ConvertChromaticity(); }, [](S& s, int i) { s.focusChroma(i); }},
      {layout::kBlocks, -1, [](S& s) { s.decodeAllBlocks(); },
       // The block was chosen when the cell got the focus.
       [](S& s, int) { s.ConvertDetailedTiming(); }, [](S& s, int i) { s.focusBlock(i); }},
      {layout::kBasicDisplay, kBasicHint, [](S& s) { s.decodeBasicDisplay(); },
       [](S& s, int i) { s.convertBasicDisplayByte(i); }, [](S& s, int i) { s.focusBasic(i); }},
      {layout::kVendor, kVendorHint,
       [](S& s) {
         s.ConvertManufacturer();
         s.ConvertProductCode();
         s.ConvertSerialNumber();
         s.ConvertWeek();
         s.ConvertYear();
       },
       [](S& s, int i) { s.convertVendorField(static_cast<int>(vendor::fieldOfByte(i))); },
       [](S& s, int i) { s.focusVendor(i); }},
      {layout::kVersion, kVersionHint,
       [](S& s) {
         s.ConvertRevision();
         s.ConvertVersion();
       },
       [](S& s, int i) {
         if (i == version::kVersionByte) s.ConvertVersion();
         if (i == version::kRevisionByte) s.ConvertRevision();
       },
       [](S& s, int i) { s.focusVersion(i); }},
      {layout::kStandardTimings, kStandardHint, [](S& s) { s.ConvertStandardTimings(); },
       [](S& s, int) { s.ConvertStandardTimings(); }, [](S& s, int i) { s.focusStandard(i); }},
      {{established::kTimingsIByte, established::kTimingsIByte},
       kEstablishedIHint,
       [](S& s) { s.ConvertEstablishedTimingsI(); },
       [](S& s, int) { s.ConvertEstablishedTimingsI(); },
       [](S& s, int i) { s.focusEstablished(i); }},
      {{established::kTimingsIIByte, established::kTimingsIIByte},
       kEstablishedIIHint,
       [](S& s) { s.ConvertEstablishedTimingsII(); },
       [](S& s, int) { s.ConvertEstablishedTimingsII(); },
       [](S& s, int i) { s.focusEstablished(i); }},
      {{established::kManufacturerByte, established::kManufacturerByte},
       kManufacturerTimingsHint,
       [](S& s) { s.ConvertManufacturerTimings(); },
       [](S& s, int) { s.ConvertManufacturerTimings(); },
       [](S& s, int i) { s.focusEstablished(i); }},
      // Typing into 126-127 re-decodes nothing: their frame catches up at the next focus.
      {layout::kTrailer, kChecksumHint, [](S& s) { s.ConvertExtCheckSum(); }, nullptr,
       [](S& s, int i) { s.focusChecksum(i); }},
      // The header has nothing to decode: focus only shows its frame.
      {layout::kHeader, kHeaderHint, nullptr, nullptr, nullptr},
  };
  return kRows;
}

}  // namespace edid
