#pragma once
// A host for the fuzzers: it records messages, answers every question No and
// offers one fixed file to open.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/common/host.h"

namespace edid::fuzz {

class RecordingHost : public Host {
 public:
  std::vector<std::string> messages;
  std::string fileToOpen;

  void message(const std::string& text) override { messages.push_back(text); }
  bool ask(const std::string&, const std::string&, bool) override { return false; }
  std::string openFileName(const FileDialog&) override { return fileToOpen; }
  std::string saveFileName(const FileDialog&) override { return {}; }
};

/// A folder of this process's own below the system's temporary folder, removed at exit.
inline const std::filesystem::path& scratchFolder() {
  static const struct Folder {
    std::filesystem::path path;
    Folder() {
      path = std::filesystem::temp_directory_path() / ("edid-fuzz-" + std::to_string(::getpid()));
      std::filesystem::create_directories(path);
    }
    ~Folder() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  } folder;
  return folder.path;
}

/// Writes data to path as it is; aborts when the file cannot be written, since
/// every later verdict would be about a file the fuzzer did not mean.
inline void writeInput(const std::filesystem::path& path, const std::uint8_t* data,
                       std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file || (size && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0)
    std::abort();
}

}  // namespace edid::fuzz
