#include "support/corpus.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace edid::test {

namespace {
// The corpus holds 400 EDIDs; a loop over fewer would let a missing folder pass.
constexpr std::size_t kExpectedCorpusSize = 400;
}  // namespace

std::string corpusDir() {
  return EDID_CORPUS_DIR;
}

std::vector<std::string> corpusIds() {
  std::vector<std::string> ids;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(corpusDir(), error)) {
    if (entry.path().extension() == ".bin") ids.push_back(entry.path().stem().string());
  }
  if (ids.size() < kExpectedCorpusSize) {
    throw std::runtime_error("test corpus incomplete: " + corpusDir() + " holds " +
                             std::to_string(ids.size()) + " .bin files, expected " +
                             std::to_string(kExpectedCorpusSize));
  }
  std::sort(ids.begin(), ids.end());
  return ids;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("test data missing: " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> corpusBytes(const std::string& id) {
  const std::string path = corpusDir() + "/" + id + ".bin";
  const std::string data = readFile(path);
  if (data.size() < 128) {
    throw std::runtime_error("test EDID too short: " + path + " has " +
                             std::to_string(data.size()) + " bytes");
  }
  return {data.begin(), data.end()};
}

Image corpusImage(const std::string& id) {
  return Image::fromBytes(corpusBytes(id));
}

}  // namespace edid::test
