#include "core/report/monitor_name.h"

#include "core/common/layout.h"
#include "core/common/model_list.h"
#include "core/sections/vendor.h"

namespace edid {

namespace {
constexpr const char* kUnknownModel = "UNKNOWN MODEL";

// Reads the model lists of the folders in turn into lines, each file adding to
// what the earlier ones left; one that cannot be read is reported and skipped.
// Stops early when visit, called after each file, says so.
template <typename Visit>
void readModelLists(const std::vector<std::string>& folders, std::vector<std::string>& lines,
                    const std::function<void(const std::string&)>& onError, Visit visit) {
  for (const std::string& folder : folders) {
    for (const std::string& file : modelListFiles(folder)) {
      const Status read = ReadDdcTestSection(file, lines);
      if (!read) {
        if (onError) onError(read.error());
        continue;
      }
      if (visit()) return;
    }
  }
}
}  // namespace

std::string modelListKey(const Image& image) {
  std::string code = vendor::productCode(image).text;
  if (const auto paren = code.find('('); paren != std::string::npos) {
    code = code.substr(0, paren);
    code = code.substr(0, 2) + (code.size() >= 2 ? code.substr(code.size() - 2) : code);
  }
  return vendor::manufacturerLetters(image) + code;
}

std::string followedModel(const Image& image) {
  return modelFromDescriptor(image, kUnknownModel);
}

std::string modelFromDescriptor(const Image& image, const std::string& fallback) {
  for (int block = 0; block < layout::kBlockCount; ++block) {
    const int start = layout::blockStart(block);
    if (image.cell(start + 3) != "FC") continue;
    std::string name;
    for (int i = start + 5; i <= start + layout::kBlockSize - 1; ++i) {
      const int value = image.byte(i);
      if (value == 0x0A) return name;
      name += static_cast<char>(value);
    }
  }
  return fallback;
}

MonitorName nameFromModelLines(const Image& image, const std::vector<std::string>& lines,
                               const std::string& brandFallback) {
  MonitorName name;
  const std::string key = modelListKey(image);
  for (const std::string& line : lines) {
    if (line.find(key) == std::string::npos) continue;
    std::string text = line;
    const auto first = line.find('"');
    const auto last = line.rfind('"');
    if (first != std::string::npos)
      text = last > first ? line.substr(first + 1, last - first - 1) : std::string();
    // A quoted text of one word names the brand alone.
    const auto space = text.find(' ');
    name.brand = text.substr(0, space);
    if (space != std::string::npos) {
      const std::string model = text.substr(space + 1);
      const auto begin = model.find_first_not_of(' ');
      const auto end = model.find_last_not_of(' ');
      name.model = begin == std::string::npos ? "" : model.substr(begin, end - begin + 1);
    }
    break;
  }
  name.matched = true;
  if (name.model.empty()) {
    name.model = modelFromDescriptor(image, kUnknownModel);
    name.matched = false;
    name.modelFromDescriptor = true;
  }
  if (name.brand.empty()) {
    name.brand = brandFallback.empty() ? "UNKNOWN BRAND" : brandFallback;
    name.matched = false;
  }
  return name;
}

std::optional<MonitorName> nameFromModelLists(
    const Image& image, const std::vector<std::string>& folders, std::vector<std::string>& lines,
    const std::function<void(const std::string&)>& onError) {
  std::optional<MonitorName> name;
  const std::string brandFallback = vendor::manufacturerLetters(image);
  readModelLists(folders, lines, onError, [&] {
    name = nameFromModelLines(image, lines, brandFallback);
    return name->matched;
  });
  return name;
}

MonitorName nameMonitor(const Image& image, const std::vector<std::string>& folders,
                        std::vector<std::string>& lines,
                        const std::function<void(const std::string&)>& onError) {
  if (auto name = nameFromModelLists(image, folders, lines, onError)) return *name;
  return nameFromModelLines(image, {}, vendor::manufacturerLetters(image));
}

ModelLists ModelLists::read(const std::vector<std::string>& folders,
                            const std::function<void(const std::string&)>& onError) {
  ModelLists lists;
  std::vector<std::string> lines;
  readModelLists(folders, lines, onError, [&] {
    lists.m_linesAfterFile.push_back(lines);
    return false;
  });
  return lists;
}

MonitorName ModelLists::name(const Image& image) const {
  const std::string brandFallback = vendor::manufacturerLetters(image);
  if (m_linesAfterFile.empty()) return nameFromModelLines(image, {}, brandFallback);
  MonitorName name;
  for (const std::vector<std::string>& lines : m_linesAfterFile) {
    name = nameFromModelLines(image, lines, brandFallback);
    if (name.matched) break;
  }
  return name;
}

}  // namespace edid
