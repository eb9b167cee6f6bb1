#pragma once
// The files a batch command works on: named on the command line and/or listed one
// a line by --files-from, so that a script feeds a whole collection to one process.

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

#include "core/common/result.h"

namespace CLI {
class App;
}

namespace edid::cli {

struct FileArguments {
  std::vector<std::string> files;
  std::string filesFrom;  ///< a list of names, one a line; "-" standard input
};

/// Declares FILE... and --files-from LIST on a subcommand.
void addFileArguments(CLI::App& command, FileArguments& arguments);

/// The files named, then those of the list (empty lines skipped). Fails when the
/// list cannot be read, or when neither names a file.
Result<std::vector<std::string>> fileNames(const FileArguments& arguments, std::istream& in);

/// True when the output must tell the files apart (more than one, or a list).
bool isBatch(const FileArguments& arguments, std::size_t files);

/// The status of a run over files: 0 all done; a failed single file 1; in a batch,
/// where the others went on, 2.
int batchStatus(bool batch, std::size_t failed);

}  // namespace edid::cli
