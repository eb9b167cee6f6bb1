// The version and revision labels (bytes 18-19) and their entry box.
#include "core/screen/version_screen.h"
#include "core/common/numbers.h"
#include "core/sections/version.h"

namespace edid {

void VersionScreen::fullDecode() {
  ConvertRevision();
  ConvertVersion();
}

void VersionScreen::keyUpDecode(int index) {
  if (index == version::kVersionByte) ConvertVersion();
  if (index == version::kRevisionByte) ConvertRevision();
}

void VersionScreen::focusStep(int index) {
  ConvertVersion();
  ConvertRevision();
  const bool version = index == version::kVersionByte;
  edid.lbEDID[0].opaque = version;
  edid.lbEDID[1].opaque = !version;
  edid.VerRev.text = formatNumber(image.byte(index), "0");
  if (autoCellSeek()) requestFocus(FocusControl::VerRev);
}

int VersionScreen::selectedVersionByte() const {
  return edid.lbEDID[0].opaque ? version::kVersionByte : version::kRevisionByte;
}

void VersionScreen::VerRev_KeyUp(int keyCode) {
  if (keyCode != 13 || !hint.enabled) return;
  const auto writes = version::encode(selectedVersionByte(), edid.VerRev.text);
  if (!writes) {
    m_host.message(writes.error());
    return;
  }
  document.write(*writes, selectedVersionByte() == version::kVersionByte ? "Version Number"
                                                                         : "Revision Number");
  ConvertVersion();
  ConvertRevision();
}

void VersionScreen::ConvertVersion() {
  m_common.VersionText = version::decode(image).version;
  edid.lbEDID[0].caption = "Version Number - " + m_common.VersionText;
  ctx.txtVersion.text = m_common.VersionText;
  edid.VerRev.text = m_common.VersionText;
  ConvertCompleteVersion();
  recompute();
}

void VersionScreen::ConvertRevision() {
  m_common.RevisionText = version::decode(image).revision;
  edid.lbEDID[1].caption = "Revision Number - " + m_common.RevisionText;
  ctx.txtRevision.text = m_common.RevisionText;
  edid.VerRev.text = m_common.RevisionText;
  ConvertCompleteVersion();
  recompute();
}

void VersionScreen::ConvertCompleteVersion() {
  edid.lbEDID[3].caption = m_common.VersionText + "." + m_common.RevisionText;
}

}  // namespace edid
