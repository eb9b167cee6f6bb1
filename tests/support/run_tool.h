#pragma once
// edidtool run in-process, its status and both streams kept for the assertions.

#include <sstream>
#include <string>
#include <vector>

#include "cli/edidtool.h"

namespace edid::test {

struct Outcome {
  int status;
  std::string out, err;
};

inline Outcome runTool(const std::vector<std::string>& args,
                       const std::vector<std::string>& folders = {}) {
  std::ostringstream out, err;
  const int status = cli::run(args, out, err, folders);
  return {status, out.str(), err.str()};
}

}  // namespace edid::test
