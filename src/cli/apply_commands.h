#pragma once
// edidtool install, uninstall, override and write: putting an edited EDID to use
// on this computer (the kernel's firmware override, its live override in debugfs,
// the monitor's own EEPROM).

#include <ostream>
#include <string>
#include <vector>

namespace edid::cli {

/// True for the names applyCommand runs.
bool isApplyCommand(const std::string& command);

/// Runs command with args after the command's name. Returns 0 done, 1 refused or
/// failed (the message on err), 2 a usage error (set in usageProblem, which the
/// caller prints).
int applyCommand(const std::string& command, const std::vector<std::string>& args,
                 std::ostream& out, std::ostream& err, std::string& usageProblem);

}  // namespace edid::cli
