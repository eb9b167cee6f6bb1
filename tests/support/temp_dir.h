#pragma once
// A fresh folder for one test's files, removed when the test ends.

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>

namespace edid::test {

class TempDir {
 public:
  /// A new empty folder under the system's temporary folder, named after the tag,
  /// the running test and the process, so parallel runs never share one.
  explicit TempDir(const std::string& tag = "edid") {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path = std::filesystem::temp_directory_path() /
           (tag + "_" + (info ? info->name() : "none") + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~TempDir() { std::filesystem::remove_all(path); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  /// The full path of a file in the folder.
  std::string file(const std::string& name) const { return (path / name).string(); }

  std::filesystem::path path;
};

/// Writes text to a file as bytes.
inline void writeText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace edid::test
