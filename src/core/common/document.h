#pragma once
// The image of one decoding screen with its history. Every change of the cells goes
// through write(): the checksum, the change tracking and the undo step are kept
// there, once, whoever writes (an editor, the grid, a block reset, File New, Open,
// Retrieve).

#include <string>
#include <vector>

#include "core/common/common.h"
#include "core/common/image.h"

namespace edid {

/// What a write leaves in the history.
enum class Step {
  Edit,  ///< one step of its own
  /// A key typed into a cell: joins the step of the same cell until it holds two
  /// digits; the checksum follows at the decode's next write, which joins it too.
  Typing,
  None,  ///< no step: a decode keeping the checksum current, or a whole new image
};

class Document {
 public:
  explicit Document(Common& common) : m_common(common) {}

  const Image& image() const { return m_image; }

  /// The one write point. Applies the cell writes; with "Modify EDID" on, rewrites the
  /// checksum byte and marks the image changed. A write that changes no cell adds no step.
  void write(const CellWrites& writes, const std::string& label, Step step = Step::Edit);
  /// The same for an edit of the extension blocks: the new blocks and the cells that
  /// follow them (byte 126 when blocks come or go), as one step.
  void write(const CellWrites& writes, const std::vector<std::uint8_t>& extension,
             const std::string& label);
  /// Replaces the whole image (File New, Open, Retrieve) and starts an empty history.
  void load(const Image& image);

  bool canUndo() const { return m_done > 0; }
  bool canRedo() const { return m_done < m_steps.size(); }
  /// What undo / redo would change ("Pixel Clock", "Cell 36"); "" when nothing.
  std::string undoLabel() const;
  std::string redoLabel() const;
  /// Puts back the cells before / after the step and the unsaved state they have.
  /// False when there is nothing to undo / redo.
  bool undo();
  bool redo();
  /// Ends a typed cell's step, so the next key starts a step of its own.
  void endTyping() { m_typing = false; }
  void clearHistory();

 private:
  struct Change {
    int index;
    std::string before, after;
  };
  struct HistoryStep {
    std::string label;
    std::vector<Change> changes;
    std::vector<std::uint8_t> extensionBefore, extensionAfter;
    bool extensionChanged = false;
  };

  void writeStep(const CellWrites& writes, const std::vector<std::uint8_t>* extension,
                 const std::string& label, Step step);
  void place(const CellWrites& writes);
  void joinLastStep(const std::vector<Change>& changes);
  void restore(bool undoing);

  Common& m_common;
  Image m_image;
  std::vector<HistoryStep> m_steps;
  std::size_t m_done = 0;    ///< steps applied; the ones after are the redo branch
  bool m_typing = false;     ///< the last step is a typed cell that may still take keys
  bool m_typedLast = false;  ///< the last step is a typed cell, and nothing came after it
};

/// The label of a cell typed into the grid: "Cell 36".
std::string cellLabel(int index);

}  // namespace edid
