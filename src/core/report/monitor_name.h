#pragma once
// Naming the monitor of an image from the model list files (*.inf): the brand and
// model the report heading prints. Pure functions of the image and the list lines;
// the editor copies the result into its brand and model boxes.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/common/image.h"

namespace edid {

struct MonitorName {
  std::string brand;
  std::string model;
  bool matched = false;  ///< a list line named both; otherwise fallbacks stand in
  /// The model is the monitor name descriptor's (or "UNKNOWN MODEL" for lack of
  /// one), not a list's: it follows edits of that descriptor.
  bool modelFromDescriptor = false;
};

/// The key a model list line must contain (case-sensitive): the manufacturer letters,
/// then the product code's cells 11 and 10 (its first two and last two characters
/// when the code carries letters).
std::string modelListKey(const Image& image);

/// The name in the first monitor name descriptor (byte 3 of a block reads "FC")
/// ended by 0A, else fallback.
std::string modelFromDescriptor(const Image& image, const std::string& fallback);
/// The model a name with modelFromDescriptor set holds for this image.
std::string followedModel(const Image& image);

/// Names the monitor from model list lines: the first line holding the key; its
/// quoted text (else the whole line) split at the first space into brand and model.
/// A missing model is the descriptor name, else "UNKNOWN MODEL"; a missing brand is
/// brandFallback, else "UNKNOWN BRAND"; then matched is false.
MonitorName nameFromModelLines(const Image& image, const std::vector<std::string>& lines,
                               const std::string& brandFallback);

/// Reads the model list files of folders in order into lines (a file without a
/// model list section keeps the lines before it) and names the monitor from each
/// until one matches. Unreadable files are passed to onError and skipped. Empty when
/// no file was read; otherwise the name from the last file tried.
std::optional<MonitorName> nameFromModelLists(
    const Image& image, const std::vector<std::string>& folders, std::vector<std::string>& lines,
    const std::function<void(const std::string&)>& onError);

/// Names the monitor as the editor and edidtool both do: from the model lists as
/// nameFromModelLists does, and when no list file was read, from the descriptor and
/// the manufacturer letters alone.
MonitorName nameMonitor(const Image& image, const std::vector<std::string>& folders,
                        std::vector<std::string>& lines,
                        const std::function<void(const std::string&)>& onError);

/// The model list files of folders read once, for naming many monitors in one run:
/// the list lines as each readable file in turn leaves them.
class ModelLists {
 public:
  /// Reads the files as nameFromModelLists does; unreadable ones are passed to
  /// onError and skipped.
  static ModelLists read(const std::vector<std::string>& folders,
                         const std::function<void(const std::string&)>& onError);
  /// The name nameMonitor gives with these files and no lines before them.
  MonitorName name(const Image& image) const;

 private:
  std::vector<std::vector<std::string>> m_linesAfterFile;
};

}  // namespace edid
