#include "support/corpus.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace edid::test {

std::string corpusDir() {
  return EDID_CORPUS_DIR;
}

std::vector<std::string> corpusIds() {
  std::vector<std::string> ids;
  for (const auto& entry : std::filesystem::directory_iterator(corpusDir())) {
    if (entry.path().extension() == ".bin") ids.push_back(entry.path().stem().string());
  }
  std::sort(ids.begin(), ids.end());
  return ids;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> corpusBytes(const std::string& id) {
  const std::string data = readFile(corpusDir() + "/" + id + ".bin");
  return {data.begin(), data.end()};
}

Image corpusImage(const std::string& id) {
  return Image::fromBytes(corpusBytes(id));
}

}  // namespace edid::test
