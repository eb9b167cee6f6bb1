// Any bytes as a model list file (*.inf). Reading keeps only lines strictly
// between the markers, or leaves the list as it was when there is no start
// marker; naming a monitor from whatever was read always fills the brand and
// never complains about a file it could read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/model_list.h"
#include "core/shell/program.h"
#include "fuzz_host.h"

namespace {

bool hasLineWith(std::string_view content, std::string_view marker) {
  return content.find(marker) != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);

  const std::vector<std::string> earlier = {"ABC1234 \"Earlier List\""};
  std::vector<std::string> lines = earlier;
  edid::readDdcTestLines(content, lines);
  if (!hasLineWith(content, "START_DDCTEST") && lines != earlier) std::abort();
  if (lines != earlier) {
    for (const std::string& line : lines) {
      if (hasLineWith(line, "START_DDCTEST") || hasLineWith(line, "END_DDCTEST")) std::abort();
      if (line.find('\n') != std::string::npos) std::abort();
      if (!hasLineWith(content, line)) std::abort();
    }
  }

  // The same bytes as the one model list file of the program's folder.
  const auto folder = edid::fuzz::scratchFolder();
  edid::fuzz::writeInput(folder / "monitors.inf", data, size);
  edid::fuzz::RecordingHost host;
  edid::Program program(host);
  program.modelListFolders = {folder.string()};
  edid::EdidScreen& screen = program.showScreen();
  // The key and the name descriptor come from the input too, when it is long enough.
  for (int i = 0; i < edid::kEdidSize && i < int(size); ++i) screen.image.setByte(i, data[i]);
  screen.BuildEDIDDefinations();
  program.nameMonitorFromModelLists();
  if (!host.messages.empty()) std::abort();
  if (screen.txtBrand.text.empty()) std::abort();
  // Only a name descriptor that ends at its first character names no model.
  if (screen.txtModel.text.empty() && !program.ModelFromDescriptor("?").empty()) std::abort();
  return 0;
}
