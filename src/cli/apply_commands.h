#pragma once
// edidtool install, uninstall, override and write: putting an edited EDID to use
// on this computer (the kernel's firmware override, its live override in debugfs,
// the monitor's own EEPROM).

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace edid::cli {

/// The options of one of these commands as given.
struct ApplyRequest {
  std::map<std::string, std::string> values;
  std::set<std::string> flags;
  std::vector<std::string> positional;
  std::string get(const std::string& name, const std::string& otherwise = {}) const {
    const auto it = values.find(name);
    return it == values.end() ? otherwise : it->second;
  }
};

/// The names applyCommand runs.
std::vector<std::string> applyCommandNames();

/// Declares the options of command on its subcommand, filling request.
void addApplyOptions(CLI::App& subcommand, const std::string& command, ApplyRequest& request);

/// Runs command; args are the arguments after the command's name, as typed. Returns
/// 0 done, 1 refused or failed (the message on err), 2 a usage error (set in
/// usageProblem, which the caller prints).
int applyCommand(const std::string& command, const ApplyRequest& request,
                 const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 std::string& usageProblem);

}  // namespace edid::cli
