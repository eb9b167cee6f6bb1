#include <cerrno>
#include <exception>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/edidtool.h"
#include "core/common/model_list.h"

int main(int argc, char** argv) try {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const auto folders = edid::defaultModelListFolders(edid::cli::programFolder(argv[0]));
  const int status = edid::cli::run(args, std::cin, std::cout, std::cerr, folders);
  // A full disk or a closed pipe behind standard output must not pass for success.
  std::cout.flush();
  if (!std::cout) {
    const int error = errno != 0 ? errno : EIO;
    std::cerr << "edidtool: Cannot write standard output: "
              << std::generic_category().message(error) << '\n';
    return 1;
  }
  return status;
} catch (const std::exception& error) {
  // The last resort: whatever slipped through ends with a message, not an abort.
  std::cerr << "edidtool: " << error.what() << '\n';
  return 1;
} catch (...) {
  std::cerr << "edidtool: unknown error\n";
  return 1;
}
