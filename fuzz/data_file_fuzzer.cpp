// Any bytes opened with File Open: either the file loads, every byte cell then
// holding two characters (or nothing, for a short code section), with at most one
// warning, or it is refused with the reader's one message and the image, its file
// name and its change state stay as they were.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/common/data_file.h"
#include "core/input/load_edid.h"
#include "core/shell/program.h"
#include "fuzz_host.h"

namespace {

// Cells as the grid holds them: two characters above the space, upper case.
bool loadedCell(const std::string& text) {
  if (text.empty()) return true;
  if (text.size() != 2) return false;
  for (unsigned char c : text) {
    if (c <= ' ' || (c >= 'a' && c <= 'z')) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto path = edid::fuzz::scratchFolder() / "input.DAT";
  edid::fuzz::writeInput(path, data, size);

  edid::fuzz::RecordingHost host;
  host.fileToOpen = path.string();
  edid::Program program(host);
  edid::EdidScreen& screen = program.showScreen();
  // A known image with unsaved changes and a file of its own, to see that a
  // refusal keeps all three.
  for (int i = 0; i < edid::kEdidSize; ++i) screen.image.setByte(i, std::uint8_t(i * 7 + 3));
  program.common().CurrentFilePath = "before.DAT";
  program.common().UnsavedChanges = true;
  const edid::Image before = screen.image;

  program.mnuFileOpen_Click();

  if (program.screen() != &screen) std::abort();
  const auto loaded = edid::loadEdid(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!loaded) {
    if (host.messages != std::vector<std::string>{loaded.error()}) std::abort();
    if (!(screen.image == before)) std::abort();
    if (program.common().CurrentFilePath != "before.DAT") std::abort();
    if (!program.common().UnsavedChanges) std::abort();
    return 0;
  }
  // At most one warning, naming the file.
  if (host.messages.size() > 1) std::abort();
  if (host.messages.size() == 1 && host.messages[0].rfind(path.string() + "\r\n\r\n", 0) != 0)
    std::abort();
  // Only a data file keeps its name; anything else opens as a new image.
  const bool dataFile = loaded->kind == edid::EdidInputKind::DataFile;
  if (program.common().CurrentFilePath != (dataFile ? path.string() : std::string())) std::abort();
  if (screen.image.extension() != loaded->image.extension()) std::abort();
  if (program.common().UnsavedChanges) std::abort();
  for (int i = 0; i < edid::kEdidSize; ++i) {
    if (!loadedCell(screen.image.cell(i))) std::abort();
  }
  return 0;
}
