#pragma once
// Model list files (*.inf): lines between START_DDCTEST and END_DDCTEST that map
// a monitor key (manufacturer code + product code) to a quoted "Brand Model".

#include <string>
#include <string_view>
#include <vector>

#include "core/common/result.h"

namespace edid {

/// Where model list files are looked for, in order: the program's folder, the
/// per-user data folder ($XDG_DATA_HOME/edidedit, else ~/.local/share/edidedit), then
/// the installed share/edidedit beside the program's bin folder (/usr/bin ->
/// /usr/share/edidedit).
std::vector<std::string> defaultModelListFolders(const std::string& programFolder);

/// The per-user data folder of the program (may not exist yet).
std::string userDataFolder();

/// Stores the lines that follow a line containing "START_DDCTEST" at lines[0],
/// lines[1], ... and cuts lines to their number; reading stops at the first line
/// containing "END_DDCTEST" (both markers case-sensitive, anywhere in the line, and
/// never stored). Content without such a line leaves lines as they were. Lines end
/// at LF or CR LF.
void readDdcTestLines(std::string_view content, std::vector<std::string>& lines);

/// Reads one model list file into lines as readDdcTestLines does. Fails, leaving
/// lines unchanged, with "Cannot open <path>: <reason>" when it cannot be read.
Status ReadDdcTestSection(const std::string& path, std::vector<std::string>& lines);

/// The model list files of a folder: regular files whose name ends in ".inf" in any
/// case, as full paths, sorted by name ignoring case. Empty when the folder is
/// missing or cannot be listed.
std::vector<std::string> modelListFiles(const std::string& folder);

}  // namespace edid
