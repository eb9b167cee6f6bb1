#include "core/input/load_edid.h"

#include <algorithm>
#include <utility>

#include "core/common/data_file.h"
#include "core/common/file_io.h"
#include "core/common/text.h"

namespace edid {

Result<LoadedEdid> loadEdid(std::string_view content) {
  auto input = readEdidInput(content);
  if (!input) return failure(input.error());
  // A binary file's cells are its own bytes, written straight into the image
  // rather than through tokens; an image is 130 strings.
  const bool binary = input->kind == EdidInputKind::Binary;
  const std::size_t baseBytes = std::min<std::size_t>(content.size(), kEdidSize);
  LoadedEdid loaded{
      .kind = input->kind,
      .image = binary ? Image::fromBytes({content.begin(),
                                          content.begin() + static_cast<std::ptrdiff_t>(baseBytes)})
                      : imageOfTokens(std::move(input.value().cells)),
      .warning = StripTrailingCrLf(input->warning),
      .dropped = input->dropped};
  loaded.image.setExtension(std::move(input.value().extension));
  return loaded;
}

Result<LoadedEdid> loadEdidFile(const std::string& path) {
  const auto content = readFileBytes(path);
  if (!content) return failure(content.error());
  return loadEdid(*content);
}

}  // namespace edid
