// Any bytes as a file handed to File Open or edidtool: either an EDID is found,
// whole blocks only, or a refusal that says why. A found EDID written back raw reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/common/data_file.h"
#include "core/common/extension_blocks.h"
#include "core/common/image.h"
#include "core/input/edid_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  const auto input = edid::readEdidInput(content);
  if (!input) {
    if (input.error().empty()) std::abort();
    return 0;
  }
  const bool dataFile = input->kind == edid::EdidInputKind::DataFile;
  if (input->cells.size() != (dataFile ? std::size_t(edid::kEdidTokenCount) : 0)) std::abort();
  if (input->base.size() != (dataFile ? 0 : std::size_t(edid::kEdidSize))) std::abort();
  if (input->extension.size() % edid::kEdidSize != 0) std::abort();
  if (input->extension.size() > std::size_t(edid::kMaxExtensionBlocks) * edid::kEdidSize)
    std::abort();
  if (dataFile) return 0;

  // Bytes found anywhere else survive a raw round trip.
  edid::Image image = edid::Image::fromBytes(input->base);
  image.setExtension(input->extension);
  if (image.extension() != input->extension) std::abort();
  const std::string raw = edid::rawEdidBytes(image);
  if (raw.compare(0, 8, std::string("\0\xFF\xFF\xFF\xFF\xFF\xFF\0", 8)) != 0) return 0;
  const auto again = edid::readEdidInput(raw);
  if (!again) std::abort();
  // Blocks that happen to hold our data file's marker line read as a data file.
  if (again->kind == edid::EdidInputKind::DataFile) return 0;
  if (again->kind != edid::EdidInputKind::Binary || again->extension != input->extension)
    std::abort();
  if (again->base != input->base) std::abort();
  return 0;
}
