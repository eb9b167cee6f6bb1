#include <iostream>
#include <string>
#include <vector>

#include "cli/edidtool.h"
#include "core/common/model_list.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const auto folders = edid::defaultModelListFolders(edid::cli::programFolder(argv[0]));
  return edid::cli::run(args, std::cin, std::cout, std::cerr, folders);
}
