#include "cli/check_command.h"

#include <CLI/CLI.hpp>

#include "cli/edidtool.h"
#include "core/check/conformance.h"
#include "core/input/load_edid.h"

namespace edid::cli {

void addCheckOptions(CLI::App& command, CheckRequest& request) {
  addFileArguments(command, request.files);
  command.add_flag("--warnings-as-errors", request.warningsAsErrors,
                   "A warning fails the check as a failure does");
  command.add_flag("--json", request.json, "The findings as one JSON list");
}

int checkCommand(const CheckRequest& request, std::istream& in, std::ostream& out,
                 std::ostream& err) {
  const auto files = fileNames(request.files, in);
  if (!files) {
    err << "edidtool: check: " << files.error() << '\n';
    return 2;
  }
  bool unreadable = false;
  bool failed = false;
  std::vector<check::FileFindings> all;
  for (const std::string& path : *files) {
    const std::string shown = path == "-" ? "standard input" : path;
    const auto content = readInput(path, in);
    auto edid = content ? loadEdid(*content) : Result<LoadedEdid>(Error{content.error()});
    if (!edid) {
      err << "edidtool: " << shown << ": " << edid.error() << '\n';
      unreadable = true;
      continue;
    }
    std::vector<check::Finding> findings = check::checkImage(edid->image);
    for (const check::Finding& f : findings)
      failed = failed || f.severity == check::Severity::Failure || request.warningsAsErrors;
    if (!request.json)
      for (const check::Finding& f : findings)
        out << shown << ": " << check::findingLine(f) << '\n';
    all.push_back({shown, std::move(findings)});
  }
  if (request.json) out << check::findingsJson(all);
  out.flush();
  if (unreadable) return 2;
  return failed ? 1 : 0;
}

}  // namespace edid::cli
