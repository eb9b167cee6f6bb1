#pragma once
// Fake monitor sources written by the tests: sysfs connector folders as the
// kernel lays them out, and registry export files as the registry editor writes them.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace edid::test {

/// Creates root/<name>/ with its "status", "enabled" and "edid" files.
inline void writeConnector(const std::filesystem::path& root, const std::string& name,
                           const std::string& status, const std::string& edid) {
  const auto folder = root / name;
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "status", std::ios::binary) << status << '\n';
  std::ofstream(folder / "enabled", std::ios::binary)
      << (status == "connected" ? "enabled" : "disabled") << '\n';
  std::ofstream(folder / "edid", std::ios::binary) << edid;
}

/// Bytes as a string.
inline std::string asText(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

/// A binary value line as the registry editor writes it: "name"=hex:xx,xx,... broken
/// after about 76 columns with "\" and two blanks of indent, CR LF line ends.
inline std::string regHexValue(const std::string& name, const std::string& data) {
  static const char* digits = "0123456789abcdef";
  std::string line = "\"" + name + "\"=hex:";
  std::string out;
  for (std::size_t i = 0; i < data.size(); ++i) {
    const auto byte = static_cast<unsigned char>(data[i]);
    line += digits[byte >> 4];
    line += digits[byte & 15];
    if (i + 1 < data.size()) {
      line += ',';
      if (line.size() > 76) {
        out += line + "\\\r\n";
        line = "  ";
      }
    }
  }
  return out + line + "\r\n";
}

/// An export file's bytes: UTF-16LE with its byte order mark, or the text as it is.
inline std::string regFileBytes(const std::string& text, bool utf16) {
  if (!utf16) return text;
  std::string out = "\xFF\xFE";
  for (const char c : text) {
    out += c;
    out += '\0';
  }
  return out;
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace edid::test
