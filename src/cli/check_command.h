#pragma once
// edidtool check FILE...: the conformance findings of each file, one line each.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace edid::cli {

/// Runs "check" with args after the command's name: FILE... with
/// --warnings-as-errors and --json. Returns 0 when no file has a failure, 1 when
/// one has (or a warning, with --warnings-as-errors), 2 when a file cannot be read
/// or holds no EDID (after checking the others), or for a usage error (then
/// usageProblem says what, for the caller to print).
int checkCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err, std::string& usageProblem);

}  // namespace edid::cli
