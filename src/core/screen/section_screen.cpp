#include "core/screen/section_screen.h"

namespace edid {

int FrameList::indexOf(const Frame& frame) const {
  for (std::size_t i = 0; i < m_frames.size(); ++i) {
    if (m_frames[i] == &frame) return static_cast<int>(i);
  }
  return -1;
}

SectionContext::~SectionContext() = default;

void SectionContext::requestFocus(FocusControl control, int cell) {
  focus = {control, cell};
  focusRequested = true;
}

bool SectionContext::autoCellSeek() const {
  return m_common.ModifyMode && m_common.AutoCellSeekMode;
}

SectionScreen::SectionScreen(SectionContext& context)
    : ctx(context),
      image(context.image),
      document(context.document),
      m_common(context.common()),
      m_host(context.host()),
      DecodeInProgress(context.DecodeInProgress),
      SelectedByte(context.SelectedByte),
      SelectedBlock(context.SelectedBlock),
      SelectedBlockIsDescriptor(context.SelectedBlockIsDescriptor),
      DescriptorTag(context.DescriptorTag),
      cellLocked(context.cellLocked) {}

}  // namespace edid
