#include "core/common/common.h"

namespace edid {

void RecomputeChecksum(Image& image, Common& common) {
  if (!common.ModifyMode) return;
  image.setByte(kChecksumByte, image.correctChecksum());
  const auto texts = image.byteTexts();
  if (texts != common.SavedImage) common.UnsavedChanges = true;
  if (texts != common.LastImage) {
    common.LastImage = texts;
    common.ReportRefreshPending = true;
  }
}

}  // namespace edid
