#pragma once
// A section of the decoding screen as an object: its frames, its decoders, its
// focus step and its handlers. The screen's section table lists the objects and
// walks them; everything they share goes through the SectionContext they get.

#include <array>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/common/common.h"
#include "core/common/document.h"
#include "core/common/host.h"
#include "core/common/image.h"
#include "core/common/layout.h"
#include "core/screen/controls.h"

namespace edid {

/// The controls that can hold the keyboard focus, as far as the core moves it.
enum class FocusControl {
  None,
  Cell,
  VendorInfo,
  VerRev,
  BasicInput,
  ChromaValue,
  STAInput,
  DTInput,
  DTaInput,
  ExtStaInput,
  Other,
};

struct FocusTarget {
  FocusControl control = FocusControl::None;
  int cell = 0;  ///< the cell index when control is Cell
  bool operator==(const FocusTarget&) const = default;
};

/// The section frames Hints(0..n-1): the frames the section objects bring, in the
/// order of the objects. Indexing and iterating give the frames themselves.
class FrameList {
 public:
  Frame& operator[](std::size_t i) { return *m_frames[i]; }
  const Frame& operator[](std::size_t i) const { return *m_frames[i]; }
  std::size_t size() const { return m_frames.size(); }
  /// Index of frame in the list; -1 when it is none of them.
  int indexOf(const Frame& frame) const;
  void add(Frame& frame) { m_frames.push_back(&frame); }

  template <typename F, typename It>
  struct Iterator {
    It it;
    F& operator*() const { return **it; }
    Iterator& operator++() {
      ++it;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return it != other.it; }
  };
  auto begin() { return Iterator<Frame, decltype(m_frames.begin())>{m_frames.begin()}; }
  auto end() { return Iterator<Frame, decltype(m_frames.end())>{m_frames.end()}; }
  auto begin() const {
    return Iterator<const Frame, decltype(m_frames.cbegin())>{m_frames.cbegin()};
  }
  auto end() const { return Iterator<const Frame, decltype(m_frames.cend())>{m_frames.cend()}; }

 private:
  std::vector<Frame*> m_frames;
};

class SectionScreen;

/// What the sections of the decoding screen share: the cells and their locks, the
/// selected 18-byte block, the focus, the frames, the program's state and its
/// host, and the checksum step. The screen is one; each section reaches it here.
class SectionContext {
 public:
  SectionContext(Common& common, Host& host) : document(common), m_common(common), m_host(host) {}
  virtual ~SectionContext();
  SectionContext(const SectionContext&) = delete;
  SectionContext& operator=(const SectionContext&) = delete;

  /// The image and its history; every write of a cell goes through it.
  Document document;
  const Image& image = document.image();  ///< txtEdit(0..129): the cell texts
  std::array<bool, kGridCells> cellLocked{};
  /// The version and revision boxes of the identification row, which the
  /// version section fills.
  TextBox txtVersion, txtRevision;
  Label DTHelp{"Double Click on the Detailed Timing Frame to Reset the current spec to blank."};
  /// Hints(0..): every section's frames.
  FrameList Hints;

  /// Set while the focus logic or a decoder sets controls; Click editors then do nothing.
  bool DecodeInProgress = false;
  /// First byte of the selected 18-byte block (54, 72, 90, 108), or in the standard
  /// timings the second byte of the selected pair (39, 41, ... 53).
  int SelectedByte = 0;
  /// Number 0..3 of the selected 18-byte block.
  int SelectedBlock = 0;
  /// The selected block is a monitor descriptor (detailed_timing::isDescriptor).
  bool SelectedBlockIsDescriptor = false;
  /// Upper-cased text of byte 3 of the selected descriptor block ("FD", "FA", ...).
  std::string DescriptorTag;

  /// Where the keyboard focus is, as far as the core knows. Handlers that move the
  /// focus set it and raise focusRequested; the editor applies it and clears the flag.
  FocusTarget focus;
  bool focusRequested = false;

  Common& common() { return m_common; }
  const Common& common() const { return m_common; }
  Host& host() { return m_host; }

  void requestFocus(FocusControl control, int cell = 0);
  /// Both "Modify EDID" and "Auto Cell Seek" are on.
  bool autoCellSeek() const;
  /// Keeps the followed model name and the checksum current after a change.
  virtual void recompute() = 0;
  /// Asks the editor to put the focus on a cell (runs the cell's focus logic now).
  virtual void setFocusToCell(int index) = 0;

  /// The section object of type T; every screen has one of each.
  template <typename T>
  T& section() {
    for (const auto& s : m_sections) {
      if (auto* found = dynamic_cast<T*>(s.get())) return *found;
    }
    std::abort();  // every section type is created with the screen
  }
  template <typename T>
  const T& section() const {
    return const_cast<SectionContext*>(this)->section<T>();
  }

 protected:
  /// Creates section object T; its frames take the next Hints numbers.
  template <typename T>
  T& add();

  std::vector<std::unique_ptr<SectionScreen>> m_sections;
  Common& m_common;
  Host& m_host;
};

/// One section's screen behaviour. The defaults do nothing, for sections that
/// have nothing to decode or select.
class SectionScreen {
 public:
  explicit SectionScreen(SectionContext& context);
  virtual ~SectionScreen() = default;
  SectionScreen(const SectionScreen&) = delete;
  SectionScreen& operator=(const SectionScreen&) = delete;

  /// The frames the section owns, in screen order.
  virtual std::vector<Frame*> frames() = 0;
  /// Decodes the whole section from the cells (the screen's full decode).
  virtual void fullDecode() {}
  /// A cell of the section holds two characters after a key release: decode its field.
  virtual void keyUpDecode(int /*index*/) {}
  /// A cell of the section got the focus; its frame is shown and its cells painted.
  virtual void focusStep(int /*index*/) {}

 protected:
  // The shared state under the names the handlers use.
  SectionContext& ctx;
  const Image& image;
  Document& document;
  Common& m_common;
  Host& m_host;
  bool& DecodeInProgress;
  int& SelectedByte;
  int& SelectedBlock;
  bool& SelectedBlockIsDescriptor;
  std::string& DescriptorTag;
  std::array<bool, kGridCells>& cellLocked;

  void recompute() { ctx.recompute(); }
  bool autoCellSeek() const { return ctx.autoCellSeek(); }
  void requestFocus(FocusControl control, int cell = 0) { ctx.requestFocus(control, cell); }
  void setFocusToCell(int index) { ctx.setFocusToCell(index); }
};

template <typename T>
T& SectionContext::add() {
  auto object = std::make_unique<T>(*this);
  T& added = *object;
  for (Frame* frame : added.frames()) Hints.add(*frame);
  m_sections.push_back(std::move(object));
  return added;
}

}  // namespace edid
