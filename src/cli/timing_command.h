#pragma once
// edidtool timing: a CVT, GTF, DMT or CTA-861 timing as the report shows a
// detailed timing, and its 18 descriptor bytes.

#include <ostream>
#include <string>
#include <vector>

namespace edid::cli {

/// Runs "timing" with args after the command's name. Returns 0 done, 1 no such
/// timing or one the 18 bytes cannot hold, 2 a usage error (the caller prints it).
int timingCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  std::string& usageProblem);

}  // namespace edid::cli
