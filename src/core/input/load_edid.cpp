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
  const bool dataFile = input->kind == EdidInputKind::DataFile;
  LoadedEdid loaded{.kind = input->kind,
                    .image = dataFile ? imageOfTokens(std::move(input.value().cells))
                                      : Image::fromBytes(input->base),
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
