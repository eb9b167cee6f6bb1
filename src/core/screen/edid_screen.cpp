#include "core/screen/edid_screen.h"

#include <algorithm>
#include <cctype>

#include "core/common/text.h"

namespace edid {

namespace {

constexpr const char* kNotHexMessage = "Please Make Your Values In Hex";

}  // namespace

EdidScreen::EdidScreen(Common& common, Host& host) : SectionContext(common, host) {
  buildSections();
  m_common.UnsavedChanges = false;
  m_common.ReportRefreshPending = false;
  m_common.EdidScreenOpen = true;
  // Until a cell takes the focus, the screen only displays unless "Modify EDID" is on.
  applyModes();
}

void EdidScreen::recompute() {
  followDescriptorName();
  document.write({}, {}, Step::None);
}

bool EdidScreen::undo() {
  if (!document.undo()) return false;
  showRestoredImage();
  return true;
}

bool EdidScreen::redo() {
  if (!document.redo()) return false;
  showRestoredImage();
  return true;
}

void EdidScreen::showRestoredImage() {
  BuildEDIDDefinations();
  // The full decode leaves the shared boxes at its last section; the section of the
  // cell last focused shows again, without moving the keyboard focus.
  const FocusTarget kept = focus;
  const bool requested = focusRequested;
  txtEdit_GotFocus(m_focusedCell);
  focus = kept;
  focusRequested = requested;
}

void EdidScreen::followDescriptorName() {
  if (!m_followedModel) return;
  // A model typed over the descriptor's name stays as typed.
  if (txtModel.text != *m_followedModel) {
    m_followedModel.reset();
    return;
  }
  txtModel.text = *m_followedModel = followedModel(image);
}

void EdidScreen::noteFocus(FocusControl control) {
  focus = {control, 0};
}

void EdidScreen::setFocusToCell(int index) {
  requestFocus(FocusControl::Cell, index);
  txtEdit_GotFocus(index);
}

EdidScreen::~EdidScreen() = default;

const EdidScreen::SectionRow* EdidScreen::rowOfByte(int index) const {
  for (const SectionRow& row : m_rows) {
    if (row.bytes.contains(index)) return &row;
  }
  return nullptr;
}

int EdidScreen::frameOfByte(int index) const {
  const SectionRow* row = rowOfByte(index);
  return row && row->frame ? Hints.indexOf(*row->frame) : -1;
}

// ---------------------------------------------------------------------------
// Full decode

void EdidScreen::BuildEDIDDefinations() {
  std::vector<const SectionScreen*> decoded;
  for (const SectionRow& row : m_rows) {
    if (std::find(decoded.begin(), decoded.end(), row.section) != decoded.end()) continue;
    decoded.push_back(row.section);
    row.section->fullDecode();
  }
}

// ---------------------------------------------------------------------------
// Cell events

void EdidScreen::txtEdit_Change(int index, const std::string& text) {
  // Keys are filtered as they are typed; pasted or dropped text is filtered here.
  if (!std::all_of(text.begin(), text.end(),
                   [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); })) {
    m_host.message(kNotHexMessage);
    return;
  }
  document.write({{index, toUpper(text)}}, cellLabel(index), Step::Typing);
}

bool EdidScreen::txtEdit_KeyPress(int index, char& key) {
  const auto code = static_cast<unsigned char>(key);
  if (code < 0x20 || code == 0x7F) return true;
  if (index < 0 || index >= kGridCells || cellLocked[static_cast<std::size_t>(index)]) return true;
  // A non-hex cell would only be refused at save, so it never gets in.
  if (!std::isxdigit(code)) {
    m_host.message(kNotHexMessage);
    return false;
  }
  key = toUpper(key);
  return true;
}

void EdidScreen::txtEdit_KeyUp(int index) {
  if (index < 0 || index >= kEdidSize || image.cell(index).size() != 2) return;
  decodeByteField(index);
}

void EdidScreen::decodeByteField(int index) {
  // Sections without a key-up decoder catch up at the next focus.
  if (const SectionRow* row = rowOfByte(index)) row->section->keyUpDecode(index);
}

bool EdidScreen::txtEdit_LostFocus(int index) {
  if (index < 0 || index >= kGridCells) return true;
  const std::string& text = image.cell(index);
  if (text.size() < 2) {
    // A short cell would be written as a short token and shift every byte after it
    // when the file is read back, so it becomes two digits as soon as it is left.
    if (index >= kEdidSize || cellLocked[static_cast<std::size_t>(index)]) return true;
    document.write({{index, text.empty() ? "00" : "0" + text}}, cellLabel(index), Step::Typing);
    decodeByteField(index);
    recompute();
    return true;
  }
  if (text.size() < 3) return true;
  m_host.message(kNotHexMessage);
  requestFocus(FocusControl::Cell, index);
  return false;
}

void EdidScreen::applyModes() {
  const bool modify = m_common.ModifyMode;
  txtBrand.locked = !modify;
  txtModel.locked = !modify;
  DTHelp.visible = false;
  for (auto& frame : Hints) frame.enabled = modify;
  for (int i = 0; i < kEdidSize; ++i) cellLocked[static_cast<std::size_t>(i)] = !modify;
}

void EdidScreen::paintCells(ByteRange cells, BackColour colour) {
  for (int i = cells.first; i <= cells.last; ++i) cellColour[static_cast<std::size_t>(i)] = colour;
}

void EdidScreen::txtEdit_GotFocus(int index) {
  if (index < 0 || index >= kGridCells) return;
  focus = {FocusControl::Cell, index};
  m_focusedCell = index;
  document.endTyping();
  DecodeInProgress = true;
  applyModes();
  for (auto& frame : Hints) frame.visible = false;
  paintCells({0, kEdidSize - 1}, BackColour::Normal);

  if (const SectionRow* row = rowOfByte(index)) {
    // The decoders never touch colours, so the section and field can be painted first.
    const Colouring colouring = row->colouring(row->bytes, index);
    paintCells(colouring.section, BackColour::Section);
    paintCells(colouring.field, BackColour::Field);
    if (row->frame) row->frame->visible = true;
    row->section->focusStep(index);
  }

  recompute();
  DecodeInProgress = false;

  if (m_common.DocumentOpen && m_common.ReportRefreshPending) {
    if (refreshReport) refreshReport();
    m_common.ReportRefreshPending = false;
  }
}

// ---------------------------------------------------------------------------

void EdidScreen::showMonitorName(const MonitorName& name) {
  txtBrand.text = name.brand;
  txtModel.text = name.model;
  if (name.modelFromDescriptor)
    m_followedModel = name.model;
  else
    m_followedModel.reset();
}

void EdidScreen::clearIdentification() {
  m_followedModel.reset();
  txtModel.text.clear();
  txtBrand.text.clear();
  txtVersion.text.clear();
  txtRevision.text.clear();
}

void EdidScreen::resetToNewImage() {
  document.load(Image::fromBytes({0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00}));
  clearIdentification();
  setFocusToCell(0);
}

}  // namespace edid
