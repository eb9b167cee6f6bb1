#include "core/common/binary_file.h"

#include "core/common/data_file.h"
#include "core/common/extension_blocks.h"

namespace edid {

Status exportBinaryFile(const std::string& path, const Image& image) {
  // A cell that is not two digits has no single byte to export.
  if (const Status writable = image.checkWritable(); !writable) return writable;
  return writeFileAtomically(path, rawEdidBytes(image), "export");
}

}  // namespace edid
