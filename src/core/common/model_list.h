#pragma once
// Model list files (*.inf): lines between START_DDCTEST and END_DDCTEST that map
// a monitor key (manufacturer code + product code) to a quoted "Brand Model".

#include <string>
#include <vector>

namespace edid {

/// Where model list files are looked for, in order: the program's folder, then the
/// per-user data folder ($XDG_DATA_HOME/edidedit, else ~/.local/share/edidedit).
std::vector<std::string> defaultModelListFolders(const std::string& programFolder);

/// The per-user data folder of the program (may not exist yet).
std::string userDataFolder();

}  // namespace edid
