#include "core/common/model_list.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/common/data_file.h"
#include "core/common/text.h"

namespace edid {

std::string userDataFolder() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
    return std::string(xdg) + "/edidedit";
  if (const char* home = std::getenv("HOME"); home && *home)
    return std::string(home) + "/.local/share/edidedit";
  return {};
}

std::vector<std::string> defaultModelListFolders(const std::string& programFolder) {
  std::vector<std::string> folders;
  const auto add = [&folders](const std::string& folder) {
    if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end())
      folders.push_back(folder);
  };
  add(programFolder);
  add(userDataFolder());
  // Installed, the program sits in PREFIX/bin and its sample lists in
  // PREFIX/share/edidedit; last, so the user's own lists name a monitor first.
  if (!programFolder.empty()) {
    const std::filesystem::path program = std::filesystem::path(programFolder).lexically_normal();
    const std::filesystem::path prefix =
        (program.has_filename() ? program : program.parent_path()).parent_path();
    add((prefix / "share" / "edidedit").string());
  }
  return folders;
}

void readDdcTestLines(std::string_view content, std::vector<std::string>& lines) {
  bool inSection = false;
  std::size_t count = 0;
  for (const std::string_view line : splitFileLines(content)) {
    if (line.find("START_DDCTEST") != std::string_view::npos) {
      inSection = true;
    } else if (line.find("END_DDCTEST") != std::string_view::npos) {
      break;
    } else if (inSection) {
      // The list shrinks to what this file holds, but only once it holds a line.
      lines.resize(count + 1);
      lines[count] = std::string(line);
      ++count;
    }
  }
}

Status ReadDdcTestSection(const std::string& path, std::vector<std::string>& lines) {
  const auto content = readFileBytes(path);
  if (!content) return failure(content.error());
  readDdcTestLines(*content, lines);
  return success();
}

namespace {

// Ends in ".inf", any case; the path in the system's own characters.
template <typename Text>
bool hasInfExtension(const Text& path) {
  constexpr char kInf[] = ".INF";
  if (path.size() < 4) return false;
  for (std::size_t k = 0; k < 4; ++k) {
    const auto c = path[path.size() - 4 + k];
    if (toUpper(static_cast<char>(c)) != kInf[k] || c > 0x7F) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> modelListFiles(const std::string& folder) {
  namespace fs = std::filesystem;
  struct Entry {
    std::string key;
    std::string path;
  };
  std::vector<Entry> entries;
  std::error_code ec;
  fs::directory_iterator it(fs::path(folder), ec);
  if (ec) return {};
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    // Most entries are other files: the extension is checked before any copy.
    if (!hasInfExtension(it->path().native())) continue;
    const std::string name = it->path().filename().string();
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    entries.push_back({toUpper(name), it->path().string()});
  }
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return a.key != b.key ? a.key < b.key : a.path < b.path;
  });
  std::vector<std::string> paths;
  paths.reserve(entries.size());
  for (auto& entry : entries) paths.push_back(std::move(entry.path));
  return paths;
}

}  // namespace edid
