#pragma once
// A headless decoding screen with a scripted host, and small readers of its state.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/common/common.h"
#include "core/screen/edid_screen.h"
#include "support/corpus.h"
#include "support/fake_host.h"

namespace edid::test {

class ScreenFixture : public ::testing::Test {
 protected:
  FakeHost host;
  Common common;
  EdidScreen screen{common, host};

  /// Puts an image into the cells and decodes it, as the file loader does.
  void load(const Image& image) {
    Image cells = image;
    cells.setExtension({});
    screen.document.load(cells);
    screen.BuildEDIDDefinations();
    common.markSaved(screen.image);
  }
  void setModes(bool modify, bool autoSeek) {
    common.ModifyMode = modify;
    common.AutoCellSeekMode = autoSeek;
  }
  /// Focuses a cell as the editor does: the focus is on the cell, then the handler runs.
  void focusCell(int index) {
    screen.focusRequested = false;
    screen.txtEdit_GotFocus(index);
  }
  /// Types a whole cell text and releases the key.
  void typeInto(int index, const std::string& text) {
    screen.txtEdit_Change(index, text);
    screen.txtEdit_KeyUp(index);
  }

  std::vector<int> visibleHints() const {
    std::vector<int> out;
    for (int i = 0; i < static_cast<int>(screen.Hints.size()); ++i) {
      if (screen.Hints[static_cast<std::size_t>(i)].visible) out.push_back(i);
    }
    return out;
  }
  std::vector<int> cellsWith(BackColour colour) const {
    std::vector<int> out;
    for (int i = 0; i < kEdidSize; ++i) {
      if (screen.cellColour[static_cast<std::size_t>(i)] == colour) out.push_back(i);
    }
    return out;
  }
  std::vector<int> lockedCells() const {
    std::vector<int> out;
    for (int i = 0; i < kEdidSize; ++i) {
      if (screen.cellLocked[static_cast<std::size_t>(i)]) out.push_back(i);
    }
    return out;
  }
};

/// The cells first..last, then those of more ranges, in order.
inline std::vector<int> cells(std::initializer_list<std::pair<int, int>> ranges) {
  std::vector<int> out;
  for (const auto& [first, last] : ranges) {
    for (int i = first; i <= last; ++i) out.push_back(i);
  }
  return out;
}

/// Indices of the selected options (or checked boxes) of a group.
template <typename Control, std::size_t N>
std::vector<int> selected(const std::array<Control, N>& group) {
  std::vector<int> out;
  for (std::size_t i = 0; i < N; ++i) {
    if (group[i].value) out.push_back(static_cast<int>(i));
  }
  return out;
}

/// Indices of the opaque labels of a group.
template <std::size_t N>
std::vector<int> opaque(const std::array<Label, N>& labels) {
  std::vector<int> out;
  for (std::size_t i = 0; i < N; ++i) {
    if (labels[i].opaque) out.push_back(static_cast<int>(i));
  }
  return out;
}

}  // namespace edid::test
