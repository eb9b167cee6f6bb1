#include "cli/check_command.h"

#include <sstream>

#include "core/check/conformance.h"
#include "core/common/file_io.h"
#include "core/input/load_edid.h"

namespace edid::cli {

namespace {

Result<std::string> readAll(const std::string& path, std::istream& in) {
  if (path != "-") return readFileBytes(path);
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return failure("Cannot read standard input");
  return content.str();
}

}  // namespace

int checkCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err, std::string& usageProblem) {
  bool strict = false;
  bool json = false;
  std::vector<std::string> files;
  for (const std::string& arg : args) {
    if (arg == "--warnings-as-errors")
      strict = true;
    else if (arg == "--json")
      json = true;
    else if (arg.size() > 1 && arg[0] == '-' && arg != "-")
      return usageProblem = "check does not know the option '" + arg + "'", 2;
    else
      files.push_back(arg);
  }
  if (files.empty()) return usageProblem = "check needs at least one FILE", 2;

  bool unreadable = false;
  bool failed = false;
  std::vector<check::FileFindings> all;
  for (const std::string& path : files) {
    const std::string shown = path == "-" ? "standard input" : path;
    const auto content = readAll(path, in);
    auto edid = content ? loadEdid(*content) : Result<LoadedEdid>(Error{content.error()});
    if (!edid) {
      err << "edidtool: " << shown << ": " << edid.error() << '\n';
      unreadable = true;
      continue;
    }
    std::vector<check::Finding> findings = check::checkImage(edid->image);
    for (const check::Finding& f : findings)
      failed = failed || f.severity == check::Severity::Failure || strict;
    if (!json)
      for (const check::Finding& f : findings)
        out << shown << ": " << check::findingLine(f) << '\n';
    all.push_back({shown, std::move(findings)});
  }
  if (json) out << check::findingsJson(all);
  out.flush();
  if (unreadable) return 2;
  return failed ? 1 : 0;
}

}  // namespace edid::cli
