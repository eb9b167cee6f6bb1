// The extension block decoder: any bytes decode without a crash and without
// reading past the block (each block is copied into a buffer of exactly its size,
// so the address sanitizer catches an over-read), and every item it shows lies
// inside the block. The report lines and the JSON of the same bytes follow.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/common/image.h"
#include "core/cta/cta861.h"
#include "core/report/extension_report.h"
#include "core/report/json_report.h"

namespace {

void checkInside(const edid::cta::Node& node) {
  if (node.offset < 0 || node.length < 0 || node.offset + node.length > edid::cta::kBlockSize)
    std::abort();
  for (const auto& child : node.children) checkInside(child);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Inputs shorter than a block test a cut-off block; longer ones are a whole EDID
  // (the seeds are), whose blocks after the first are the extension.
  const std::size_t first = size > 128 ? 128 : 0;
  for (std::size_t at = first; at < size; at += 128) {
    const std::vector<std::uint8_t> block(data + at, data + std::min(size, at + 128));
    const edid::cta::Block decoded = edid::cta::decodeBlock(block, 1);
    checkInside(decoded.root);
  }
  if (size > 128) {
    const edid::Image image =
        edid::Image::fromEdid(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto lines = edid::extensionReportLines(image.extension());
    for (const std::string& line : lines)
      if (line.find('|') != std::string::npos) std::abort();
    if (edid::jsonReport(image).empty()) std::abort();
  }
  return 0;
}
