#pragma once
// edidtool timing: a CVT, GTF, DMT or CTA-861 timing as the report shows a
// detailed timing, and its 18 descriptor bytes.

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace CLI {
class App;
}

namespace edid::cli {

/// The options of "timing" as given.
struct TimingRequest {
  std::vector<std::pair<std::string, std::string>> methods;  ///< --cvt/--gtf/--dmt/--vic, value
  bool rb = false, rb2 = false, interlaced = false, margins = false, hexOnly = false;
  bool videoOptimized = false;
  std::optional<std::string> secondary;  ///< --gtf-secondary's value
};

/// Declares the options of "timing" on its subcommand, filling request.
void addTimingOptions(CLI::App& command, TimingRequest& request);

/// Runs "timing". Returns 0 done, 1 no such timing or one the 18 bytes cannot
/// hold, 2 a usage error (the caller prints it).
int timingCommand(const TimingRequest& request, std::ostream& out, std::ostream& err,
                  std::string& usageProblem);

}  // namespace edid::cli
