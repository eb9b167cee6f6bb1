#include "core/common/model_list.h"

#include <cstdlib>

namespace edid {

std::string userDataFolder() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return std::string(xdg) + "/edidedit";
  if (const char* home = std::getenv("HOME"); home && *home)
    return std::string(home) + "/.local/share/edidedit";
  return {};
}

std::vector<std::string> defaultModelListFolders(const std::string& programFolder) {
  std::vector<std::string> folders;
  if (!programFolder.empty()) folders.push_back(programFolder);
  if (const std::string user = userDataFolder(); !user.empty() && user != programFolder)
    folders.push_back(user);
  return folders;
}

}  // namespace edid
