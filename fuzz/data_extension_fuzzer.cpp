// The extension section of a data file, after a sound base block: either the file
// is refused with one message naming an extension row, or it reads whole blocks
// that the section written for them gives back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/common/data_file.h"
#include "core/common/extension_blocks.h"
#include "core/input/edid_input.h"
#include "core/report/report.h"

namespace {

// A data file of a new image, up to and including the section's heading.
const std::string& fileStart() {
  static const std::string start = [] {
    edid::Image image;
    for (int i = 0; i < edid::kEdidSize; ++i) image.setByte(i, i >= 1 && i <= 6 ? 0xFF : 0x00);
    return edid::dataFileText(edid::reportLinesOf(image, "", "", edid::momentFromEpoch(0))) +
           edid::kExtensionSectionHeading + "\r\n";
  }();
  return start;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = fileStart() + std::string(reinterpret_cast<const char*>(data), size);
  const auto input = edid::readEdidInput(text);
  if (!input) {
    if (input.error().rfind("The extension row ", 0) != 0) std::abort();
    return 0;
  }
  if (input->kind != edid::EdidInputKind::DataFile || !input->warning.empty()) std::abort();
  const auto& extension = input->extension;
  if (extension.size() % edid::kEdidSize != 0 ||
      extension.size() > std::size_t(edid::kEdidSize) * edid::kMaxExtensionBlocks)
    std::abort();
  const auto again = edid::parseExtensionSection(std::string(edid::kExtensionSectionHeading) +
                                                 "\r\n" + edid::extensionSectionText(extension));
  if (!again || *again != extension) std::abort();
  return 0;
}
