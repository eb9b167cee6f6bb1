#pragma once
// edidtool: the decoded report and file conversion on the command line. It drives
// the same core as the editor, headless, with a host that talks to the terminal.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "core/common/result.h"

namespace edid::cli {

/// The bytes of the file at path, or of in for "-" (no larger than a file may be).
Result<std::string> readInput(const std::string& path, std::istream& in);

/// Runs one edidtool command. args are the arguments after the program name;
/// modelListFolders are searched for *.inf files to name the monitor. The report
/// goes to out, messages to err. Returns the exit status: 0 done, 1 a file could
/// not be read, was not valid or could not be written, 2 a usage error.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const std::vector<std::string>& modelListFolders);
/// The same, with "-" as a file name reading in (report, convert IN) or writing
/// out (convert OUT). Error lines start with "edidtool: " and name their file.
int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err, const std::vector<std::string>& modelListFolders);

/// The folder of the running executable (from /proc/self/exe where there is one,
/// else from argv0); "" when neither tells.
std::string programFolder(const char* argv0);

}  // namespace edid::cli
