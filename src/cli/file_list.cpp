#include "cli/file_list.h"

#include <fstream>

#include <CLI/CLI.hpp>

namespace edid::cli {

void addFileArguments(CLI::App& command, FileArguments& arguments) {
  command.add_option("FILE", arguments.files, "EDID files (\"-\": standard input)");
  command.add_option("--files-from", arguments.filesFrom,
                     "Also the files listed in LIST, one a line (\"-\": standard input)");
}

Result<std::vector<std::string>> fileNames(const FileArguments& arguments, std::istream& in) {
  std::vector<std::string> names = arguments.files;
  if (!arguments.filesFrom.empty()) {
    std::ifstream file;
    std::istream* list = &in;
    if (arguments.filesFrom != "-") {
      file.open(arguments.filesFrom);
      if (!file) return failure("Cannot open " + arguments.filesFrom);
      list = &file;
    }
    for (std::string line; std::getline(*list, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty()) names.push_back(line);
    }
    if (list->bad()) return failure("Cannot read " + arguments.filesFrom);
  }
  if (names.empty())
    return failure(arguments.filesFrom.empty() ? "no FILE given" : "no file in the list");
  return names;
}

bool isBatch(const FileArguments& arguments, std::size_t files) {
  return files > 1 || !arguments.filesFrom.empty();
}

int batchStatus(bool batch, std::size_t failed) {
  if (failed == 0) return 0;
  return batch ? 2 : 1;
}

}  // namespace edid::cli
