#pragma once
// edidtool check FILE...: the conformance findings of each file, one line each.

#include <istream>
#include <ostream>

#include "cli/file_list.h"

namespace CLI {
class App;
}

namespace edid::cli {

struct CheckRequest {
  FileArguments files;
  bool warningsAsErrors = false;
  bool json = false;
};

/// Declares FILE..., --files-from, --warnings-as-errors and --json on "check".
void addCheckOptions(CLI::App& command, CheckRequest& request);

/// Returns 0 when no file has a failure, 1 when one has (or a warning, with
/// --warnings-as-errors), 2 when a file cannot be read or holds no EDID (after
/// checking the others) or no file is named.
int checkCommand(const CheckRequest& request, std::istream& in, std::ostream& out,
                 std::ostream& err);

}  // namespace edid::cli
