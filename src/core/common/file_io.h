#pragma once
// Whole-file reads and safe replacement, shared by every file flow of both programs.
// Reads are capped and never wait on something that is not a file; a write replaces
// a file only by a complete new one and never turns a device, a FIFO or a symbolic
// link into a plain file.

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/common/result.h"

namespace edid {

/// The most a file or standard input may hold. A data file is a few kilobytes and a
/// binary EDID at most 32 KiB; anything far larger is the wrong file, and reading it
/// whole would only cost memory.
inline constexpr std::size_t kMaxFileSize = 64 * 1024 * 1024;

/// The whole content of the regular file at path (links followed). Anything else (a
/// folder, a FIFO, a device) is refused before it is read, so nothing waits. Fails with
/// "Cannot open <path>: <reason>" or "Cannot read <path>: <reason>", also when the file
/// holds more than kMaxFileSize bytes.
Result<std::string> readFileBytes(const std::string& path);

/// Everything an open descriptor (standard input) gives up to its end, at most
/// kMaxFileSize bytes. Fails with "Cannot read <name>: <reason>".
Result<std::string> readDescriptor(int fd, const std::string& name);

/// The first bytes of whatever path names (a sysfs attribute, or a FIFO or device
/// put in its place), at most limit of them. Opening never waits for a writer.
struct FileStart {
  std::string bytes;
  bool complete = true;  ///< false when the file had more than limit bytes
};
/// Fails with the system's reason alone ("Permission denied").
Result<FileStart> readFileStart(const std::string& path, std::size_t limit);

/// Writes content to path without ever leaving a half-written file. A regular file
/// (or a new name) is replaced by a complete new file, flushed to disk and put in its
/// place in one step, keeping the old file's permissions; a symbolic link is followed
/// and the file it ends at replaced, the link staying. A character device or a FIFO
/// (/dev/stdout, /dev/null) is written to directly. Anything else is refused. On
/// failure path is untouched, no temporary file is left, and the error says
/// "Cannot <verb> <path>: <reason>".
Status writeFileAtomically(const std::string& path, std::string_view content,
                           std::string_view verb = "save");

/// Writes size bytes to an open file and returns how many it wrote, as std::fwrite
/// does (setting errno when short). The atomic save writes through this seam.
using FileWriter = std::size_t (*)(const char* data, std::size_t size, std::FILE* file);

/// Makes writeFileAtomically write through writer (nullptr: std::fwrite again) and
/// returns the writer used before. Lets a test fail a write half-way.
FileWriter setFileWriter(FileWriter writer);

/// Makes writeFileAtomically use a named temporary file even where the system offers
/// unnamed ones, as it must on file systems without them; returns the setting before.
bool setNamedTemporaryFiles(bool named);

/// True when a file (or anything else) exists at path.
bool fileExists(const std::string& path);

}  // namespace edid
