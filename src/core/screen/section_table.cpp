// The sections of the image as the screen handles them. A new section adds its
// object and its row(s) here; its frames, decoders, focus step and handlers live
// in its own <section>_screen.{h,cpp}.
#include "core/screen/basic_display_screen.h"
#include "core/screen/checksum_screen.h"
#include "core/screen/chromaticity_screen.h"
#include "core/screen/detailed_timing_screen.h"
#include "core/screen/edid_screen.h"
#include "core/screen/established_screen.h"
#include "core/screen/focus_map.h"
#include "core/screen/header_screen.h"
#include "core/screen/monitor_descriptor_screen.h"
#include "core/screen/standard_timing_screen.h"
#include "core/screen/vendor_screen.h"
#include "core/screen/version_screen.h"
#include "core/sections/vendor.h"

namespace edid {

namespace {

/// Byte k (0..2) of the established timings, which has a frame of its own.
constexpr ByteRange establishedByte(int k) {
  return {layout::kEstablished.first + k, layout::kEstablished.first + k};
}

// How a row colours its cells on focus.

/// The section, and the focused cell as its field.
Colouring cellInSection(ByteRange bytes, int index) {
  return {bytes, {index, index}};
}

/// The header has no fields: the whole of it is the field.
Colouring wholeSection(ByteRange bytes, int) {
  return {bytes, bytes};
}

Colouring vendorField(ByteRange bytes, int index) {
  return {bytes, vendor::fieldRange(vendor::fieldOfByte(index))};
}

Colouring standardTimingPair(ByteRange bytes, int index) {
  const int first = layout::kStandardTimings.first +
                    layout::kStandardTimingSize * focus::standardTimingOfByte(index);
  return {bytes, {first, first + layout::kStandardTimingSize - 1}};
}

Colouring blockField(ByteRange, int index) {
  const focus::BlockPosition pos = focus::blockOfByte(index);
  // Offsets 0-1 are one field in every block kind: the pixel clock, or the zero
  // marker of a descriptor.
  const ByteRange field =
      pos.offset <= 1 ? ByteRange{pos.start, pos.start + 1} : ByteRange{index, index};
  return {layout::blockRange(pos.block), field};
}

}  // namespace

void EdidScreen::buildSections() {
  // The objects, in the order of their frames: header Hints(0), vendor Hints(1) ...
  auto& header = add<HeaderScreen>();
  auto& vendor = add<VendorScreen>();
  auto& version = add<VersionScreen>();
  auto& basic = add<BasicDisplayScreen>();
  auto& chroma = add<ChromaticityScreen>();
  auto& established = add<EstablishedScreen>();
  auto& standard = add<StandardTimingScreen>();
  auto& blocks = add<DetailedTimingScreen>();
  // No row of its own: the blocks' section hands descriptor blocks on to it.
  add<MonitorDescriptorScreen>();
  auto& checksum = add<ChecksumScreen>();

  // In the order of the full decode: chromaticity first, then the four blocks (so
  // the standard timings after them see SelectedByte at the last block), the
  // vendor's year last among its fields, the version after the revision.
  m_rows = {
      {layout::kChromaticity, &chroma, &chroma.hint, cellInSection},
      {layout::kBlocks, &blocks, nullptr, blockField},
      {layout::kBasicDisplay, &basic, &basic.hint, cellInSection},
      {layout::kVendor, &vendor, &vendor.hint, vendorField},
      {layout::kVersion, &version, &version.hint, cellInSection},
      {layout::kStandardTimings, &standard, &standard.hint, standardTimingPair},
      // One frame per byte.
      {establishedByte(0), &established, &established.hints[0], cellInSection},
      {establishedByte(1), &established, &established.hints[1], cellInSection},
      {establishedByte(2), &established, &established.hints[2], cellInSection},
      {layout::kTrailer, &checksum, &checksum.hint, cellInSection},
      {layout::kHeader, &header, &header.hint, wholeSection},
  };
}

}  // namespace edid
