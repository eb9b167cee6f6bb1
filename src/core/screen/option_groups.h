#pragma once
// Option button groups behave as the buttons of one frame: selecting one turns the
// others off, and code may leave all of them unselected.

#include <array>
#include <cstddef>

#include "core/screen/controls.h"

namespace edid {

/// Selects option k of a group; the others go off. A k outside the group selects none.
template <std::size_t N>
void selectOption(std::array<OptionButton, N>& options, int k) {
  for (std::size_t i = 0; i < N; ++i) options[i].value = static_cast<int>(i) == k;
}

/// Unselects the first count options of a group.
template <std::size_t N>
void unselect(std::array<OptionButton, N>& options, std::size_t count = N) {
  for (std::size_t i = 0; i < count && i < N; ++i) options[i].value = false;
}

/// Index of the first selected option of a group, or -1.
template <std::size_t N>
int selectedOption(const std::array<OptionButton, N>& options) {
  for (std::size_t i = 0; i < N; ++i) {
    if (options[i].value) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace edid
