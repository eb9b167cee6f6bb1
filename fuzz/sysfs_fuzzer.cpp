// The sysfs reader on a tree it has never seen: the input lays out a few
// connector entries (folders, plain files or links, with any name) whose
// "status" and "edid" are files, missing, folders or links, then lists them and
// reads each EDID again the way the retrieve command does. Nothing may crash,
// and whatever is a readable file must come back as written.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <system_error>

#include "core/registry/sysfs_ddc.h"
#include "fuzz_host.h"

namespace fs = std::filesystem;

namespace {

enum class Kind { File, Missing, Folder, Link };

// An entry name the file system takes: no "/" or NUL, not "." or "..", at most
// 255 bytes; mostly shaped like a connector so the reader looks inside.
std::string entryName(FuzzedDataProvider& input) {
  std::string name = input.ConsumeRandomLengthString(40);
  std::replace(name.begin(), name.end(), '/', '_');
  std::replace(name.begin(), name.end(), '\0', '_');
  if (input.ConsumeBool())
    name = "card" + std::to_string(input.ConsumeIntegral<std::uint8_t>()) + "-" + name;
  if (name.empty() || name == "." || name == "..") name += "x";
  return name.substr(0, 255);
}

// Writes path as kind; text is what a file holds. A link points at other.
void lay(const fs::path& path, Kind kind, const std::string& text, const fs::path& other) {
  std::error_code ec;
  switch (kind) {
    case Kind::File:
      std::ofstream(path, std::ios::binary) << text;
      break;
    case Kind::Missing:
      break;
    case Kind::Folder:
      fs::create_directory(path, ec);
      break;
    case Kind::Link:
      fs::create_symlink(other, path, ec);
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const fs::path root = edid::fuzz::scratchFolder() / "drm";
  const fs::path elsewhere = edid::fuzz::scratchFolder() / "devices";
  std::error_code ec;
  fs::remove_all(root, ec);
  fs::remove_all(elsewhere, ec);
  fs::create_directories(root, ec);
  fs::create_directories(elsewhere, ec);

  // The EDID each connector folder holds in a plain file, by folder name.
  std::map<std::string, std::string> written;
  const int entries = input.ConsumeIntegralInRange(0, 4);
  for (int i = 0; i < entries; ++i) {
    const std::string name = entryName(input);
    const auto entry = input.ConsumeIntegralInRange(0, 2);  // folder, plain file, link
    const auto statusKind = static_cast<Kind>(input.ConsumeIntegralInRange(0, 3));
    const auto edidKind = static_cast<Kind>(input.ConsumeIntegralInRange(0, 3));
    const std::string status = input.ConsumeRandomLengthString(24);
    const std::string edid = input.ConsumeRandomLengthString(1024);
    if (fs::exists(fs::symlink_status(root / name, ec))) continue;
    if (entry == 1) {
      std::ofstream(root / name, std::ios::binary) << edid;
      continue;
    }
    // The kernel's class entries are links to the device's folder.
    const fs::path folder = entry == 2 ? elsewhere / std::to_string(i) : root / name;
    fs::create_directories(folder, ec);
    if (entry == 2) fs::create_symlink(folder, root / name, ec);
    lay(folder / "status", statusKind, status, "edid");
    lay(folder / "edid", edidKind, edid, "status");
    if (edidKind == Kind::File) written[name] = edid;
  }

  const auto connectors = edid::listConnectors(root.string());
  for (const edid::Connector& connector : connectors) {
    const auto found = written.find(connector.name);
    if (found != written.end() && connector.edid != found->second) std::abort();
    if (edid::findConnector(connectors, connector.name) == nullptr) std::abort();
    edid::SysfsDdcReader reader(root.string(), connector.name);
    std::string buffer(128, ' ');
    if (reader.ReadEdid(buffer) != connector.edid) std::abort();
  }
  for (const edid::Connector& monitor : edid::monitorsWithEdid(connectors))
    if (!monitor.connected() || monitor.edid.empty()) std::abort();
  return 0;
}
