#include "core/input/load_edid.h"

#include <utility>

#include "core/common/data_file.h"
#include "core/common/file_io.h"
#include "core/common/text.h"

namespace edid {

Result<LoadedEdid> loadEdid(std::string_view content) {
  auto input = readEdidInput(content);
  if (!input) return failure(input.error());
  LoadedEdid loaded;
  loaded.kind = input->kind;
  loaded.image = imageOfTokens(input->cells);
  loaded.image.setExtension(std::move(input.value().extension));
  loaded.warning = StripTrailingCrLf(input->warning);
  loaded.dropped = input->dropped;
  return loaded;
}

Result<LoadedEdid> loadEdidFile(const std::string& path) {
  const auto content = readFileBytes(path);
  if (!content) return failure(content.error());
  return loadEdid(*content);
}

}  // namespace edid
