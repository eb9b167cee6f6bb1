#include "core/common/document.h"

#include <algorithm>
#include <array>

namespace edid {

namespace {

using Cells = std::array<std::string, kGridCells>;

Cells cellsOf(const Image& image) {
  Cells cells;
  for (int i = 0; i < kGridCells; ++i) cells[static_cast<std::size_t>(i)] = image.cell(i);
  return cells;
}

}  // namespace

std::string cellLabel(int index) {
  return "Cell " + std::to_string(index);
}

void Document::place(const CellWrites& writes) {
  for (const CellWrite& w : writes) {
    if (w.index >= 0 && w.index < kGridCells) m_image.setCell(w.index, w.text);
  }
}

void Document::write(const CellWrites& writes, const std::string& label, Step step) {
  writeStep(writes, nullptr, label, step);
}

void Document::write(const CellWrites& writes, const std::vector<std::uint8_t>& extension,
                     const std::string& label) {
  writeStep(writes, &extension, label, Step::Edit);
}

void Document::writeStep(const CellWrites& writes, const std::vector<std::uint8_t>* extension,
                         const std::string& label, Step step) {
  const Cells before = cellsOf(m_image);
  const std::vector<std::uint8_t> extensionBefore = m_image.extension();
  if (extension) m_image.setExtension(*extension);
  const bool extensionChanged = m_image.extension() != extensionBefore;
  place(writes);
  // A typed cell is a byte once its decode keeps the checksum current, which is the
  // next write; until then the image is not counted as changed.
  if (m_common.ModifyMode && step != Step::Typing) {
    m_image.setByte(kChecksumByte, m_image.correctChecksum());
    // Compared as a whole, so an edit that happens to keep the checksum byte still counts.
    const auto texts = m_image.byteTexts();
    if (texts != m_common.SavedImage) m_common.UnsavedChanges = true;
    if (m_image.extension() != m_common.SavedExtension) m_common.UnsavedChanges = true;
    if (texts != m_common.LastImage || extensionChanged) {
      m_common.LastImage = texts;
      m_common.ReportRefreshPending = true;
    }
  }

  std::vector<Change> changes;
  for (int i = 0; i < kGridCells; ++i) {
    const auto k = static_cast<std::size_t>(i);
    if (before[k] != m_image.cell(i)) changes.push_back({i, before[k], m_image.cell(i)});
  }
  // An edit of the extension alone changes no cell, yet is a step.
  if (!extensionChanged)
    if (changes.empty()) return;

  if (step == Step::None) {
    // The checksum that follows a typed cell belongs to the cell's step.
    if (m_typedLast) joinLastStep(changes);
    return;
  }
  if (step == Step::Typing && m_typing && m_typedLast && m_steps.back().label == label) {
    joinLastStep(changes);
  } else {
    // A new edit drops what could have been redone.
    m_steps.resize(m_done);
    m_steps.push_back(
        {label, std::move(changes), extensionBefore, m_image.extension(), extensionChanged});
    m_done = m_steps.size();
    m_typedLast = step == Step::Typing;
  }
  m_typing = false;
  if (step == Step::Typing) {
    for (const CellWrite& w : writes) m_typing = m_typing || w.text.size() < 2;
  }
}

void Document::joinLastStep(const std::vector<Change>& changes) {
  // The step keeps its first before and takes the new after.
  auto& kept = m_steps.back().changes;
  for (const Change& change : changes) {
    auto it = std::find_if(kept.begin(), kept.end(),
                           [&](const Change& c) { return c.index == change.index; });
    if (it == kept.end())
      kept.push_back(change);
    else
      it->after = change.after;
  }
  // Typed back to what it was: no step is left.
  std::erase_if(kept, [](const Change& c) { return c.before == c.after; });
  if (kept.empty()) {
    m_steps.pop_back();
    m_done = m_steps.size();
    m_typedLast = false;
  }
}

void Document::load(const Image& image) {
  CellWrites writes;
  for (int i = 0; i < kGridCells; ++i) writes.push_back({i, image.cell(i)});
  m_image.setExtension(image.extension());
  write(writes, {}, Step::None);
  clearHistory();
}

void Document::clearHistory() {
  m_steps.clear();
  m_done = 0;
  m_typing = false;
  m_typedLast = false;
}

std::string Document::undoLabel() const {
  return canUndo() ? m_steps[m_done - 1].label : std::string();
}

std::string Document::redoLabel() const {
  return canRedo() ? m_steps[m_done].label : std::string();
}

bool Document::undo() {
  if (!canUndo()) return false;
  --m_done;
  restore(true);
  return true;
}

bool Document::redo() {
  if (!canRedo()) return false;
  restore(false);
  ++m_done;
  return true;
}

void Document::restore(bool undoing) {
  CellWrites writes;
  for (const Change& change : m_steps[m_done].changes)
    writes.push_back({change.index, undoing ? change.before : change.after});
  place(writes);
  const HistoryStep& step = m_steps[m_done];
  if (step.extensionChanged)
    m_image.setExtension(undoing ? step.extensionBefore : step.extensionAfter);
  m_typing = false;
  m_typedLast = false;
  // Back at the image last saved nothing is unsaved any more; anywhere else it is.
  const auto texts = m_image.byteTexts();
  if (step.extensionChanged) m_common.ReportRefreshPending = true;
  m_common.UnsavedChanges = texts != m_common.SavedImage;
  if (texts != m_common.LastImage) {
    m_common.LastImage = texts;
    m_common.ReportRefreshPending = true;
  }
  if (m_image.extension() != m_common.SavedExtension) m_common.UnsavedChanges = true;
}

}  // namespace edid
