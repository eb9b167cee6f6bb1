#pragma once
// The version written in the top CMakeLists.txt's project() line, read from the
// source itself so a test can check what the programs report against it.

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace edid::test {

inline std::string projectVersion() {
  std::ifstream file(std::string(EDID_SOURCE_DIR) + "/CMakeLists.txt");
  std::stringstream text;
  text << file.rdbuf();
  const std::string source = text.str();
  std::smatch match;
  static const std::regex project(R"(project\(\s*\w+\s+VERSION\s+([0-9]+\.[0-9]+\.[0-9]+))");
  return std::regex_search(source, match, project) ? match[1].str() : std::string();
}

}  // namespace edid::test
