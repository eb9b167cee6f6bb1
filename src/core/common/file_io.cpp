#include "core/common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

namespace edid {

namespace {

namespace fs = std::filesystem;

std::string reason(int error) {
  return std::generic_category().message(error);
}

std::size_t writeWithStdio(const char* data, std::size_t size, std::FILE* file) {
  return std::fwrite(data, 1, size, file);
}

FileWriter g_fileWriter = &writeWithStdio;
bool g_namedTemporaryFiles = false;

// Closes the descriptor it holds when it goes.
class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  ~Descriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return m_fd; }

 private:
  int m_fd;
};

// Only a regular file is sure to end; a FIFO or a device may wait or never end.
bool isRegular(const struct stat& info) {
  return S_ISREG(info.st_mode);
}

// Opening never waits: without O_NONBLOCK a FIFO with no writer blocks the open.
int openForReading(const std::string& path) {
  return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
}

// Reads fd to its end, keeping at most limit bytes; more tells whether it had more.
// Returns 0 or the errno of the failed read.
int readUpTo(int fd, std::size_t limit, std::string& data, bool& more) {
  more = false;
  char buffer[65536];
  while (true) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) return 0;
    const std::size_t room = limit - data.size();
    if (static_cast<std::size_t>(got) > room) {
      data.append(buffer, room);
      more = true;
      return 0;
    }
    data.append(buffer, static_cast<std::size_t>(got));
  }
}

Result<std::string> readWhole(int fd, const std::string& name) {
  std::string data;
  bool more = false;
  if (const int error = readUpTo(fd, kMaxFileSize, data, more); error != 0)
    return failure("Cannot read " + name + ": " + reason(error));
  if (more) return failure("Cannot read " + name + ": the file is too large");
  return data;
}

// The file a chain of symbolic links ends at (path itself when it is no link); it
// need not exist yet.
Result<fs::path> followLinks(fs::path path) {
  for (int hop = 0; hop < 40; ++hop) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
    const fs::path next = fs::read_symlink(path, ec);
    if (ec) return failure(ec.message());
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return failure(reason(ELOOP));
}

// Writes content through the writer seam and flushes it (to disk too when sync);
// 0 or the errno of the failure.
int writeAll(std::FILE* file, std::string_view content, bool sync) {
  errno = 0;
  if (g_fileWriter(content.data(), content.size(), file) != content.size())
    return errno != 0 ? errno : EIO;
  if (std::fflush(file) != 0) return errno;
  if (sync && ::fsync(fileno(file)) != 0) return errno;
  return 0;
}

// A name in folder no other file has: ".edid-<pid>-<n>.tmp", short so that a target
// name of any allowed length still has room beside it.
fs::path temporaryName(const fs::path& folder) {
  static unsigned counter = 0;
  return folder /
         (".edid-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".tmp");
}

// The replacement keeps the old file's permissions, and its owner when root replaces it.
void takeOver(int fd, const struct stat* old) {
  if (!old) return;
  [[maybe_unused]] int ignored = ::fchmod(fd, old->st_mode & 07777);
  if (::geteuid() == 0) ignored = ::fchown(fd, old->st_uid, old->st_gid);
}

// A device or a FIFO takes the bytes as they come; there is nothing to replace.
int writeInPlace(const std::string& path, std::string_view content) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return errno;
  std::FILE* file = ::fdopen(fd, "wb");
  if (!file) {
    const int error = errno;
    ::close(fd);
    return error;
  }
  int error = writeAll(file, content, false);
  if (std::fclose(file) != 0 && error == 0) error = errno;
  return error;
}

#ifdef O_TMPFILE
// Gives the unnamed file fd a name in the file system.
int linkAs(int fd, const fs::path& name) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
  if (errno != ENOENT) return errno;
  // No /proc: the descriptor itself, which needs more rights.
  return ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0 ? 0 : errno;
}

// Writes an unnamed file in folder and links it into place: a killed process leaves
// nothing behind. linkat never replaces, so an existing target is replaced through
// a fresh name renamed over it. Returns -1 when the file system has no unnamed files.
int replaceThroughUnnamedFile(const fs::path& folder, const fs::path& target,
                              std::string_view content, const struct stat* old) {
  const Descriptor fd(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
  if (fd.get() < 0) return errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL ? -1 : errno;
  std::FILE* file = ::fdopen(::dup(fd.get()), "wb");
  if (!file) return errno;
  const int written = writeAll(file, content, true);
  std::fclose(file);
  if (written != 0) return written;
  takeOver(fd.get(), old);
  if (!old) {
    const int linked = linkAs(fd.get(), target);
    if (linked != EEXIST) return linked;
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path temporary = temporaryName(folder);
    const int linked = linkAs(fd.get(), temporary);
    if (linked == EEXIST) continue;
    if (linked != 0) return linked;
    if (::rename(temporary.c_str(), target.c_str()) == 0) return 0;
    const int error = errno;
    ::unlink(temporary.c_str());
    return error;
  }
  return EEXIST;
}
#endif

// Where there are no unnamed files: a named one in folder, renamed over the target.
int replaceThroughNamedFile(const fs::path& folder, const fs::path& target,
                            std::string_view content, const struct stat* old) {
  std::FILE* file = nullptr;
  fs::path temporary;
  for (int attempt = 0; attempt < 100 && !file; ++attempt) {
    temporary = temporaryName(folder);
    file = std::fopen(temporary.c_str(), "wbx");
    if (!file && errno != EEXIST) return errno;
  }
  if (!file) return EEXIST;
  int error = writeAll(file, content, true);
  if (error == 0) takeOver(fileno(file), old);
  if (std::fclose(file) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) ::unlink(temporary.c_str());
  return error;
}

}  // namespace

Result<std::string> readFileBytes(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0)
    return failure("Cannot open " + path + ": " + reason(errno));
  if (S_ISDIR(info.st_mode)) return failure("Cannot read " + path + ": " + reason(EISDIR));
  if (!isRegular(info)) return failure("Cannot read " + path + ": not a regular file");
  const Descriptor fd(openForReading(path));
  if (fd.get() < 0) return failure("Cannot open " + path + ": " + reason(errno));
  // Something else may have taken the file's place since the check.
  if (::fstat(fd.get(), &info) != 0 || !isRegular(info))
    return failure("Cannot read " + path + ": not a regular file");
  return readWhole(fd.get(), path);
}

Result<std::string> readDescriptor(int fd, const std::string& name) {
  return readWhole(fd, name);
}

Result<FileStart> readFileStart(const std::string& path, std::size_t limit) {
  const Descriptor fd(openForReading(path));
  if (fd.get() < 0) return failure(reason(errno));
  FileStart start;
  bool more = false;
  if (const int error = readUpTo(fd.get(), limit, start.bytes, more); error != 0)
    return failure(reason(error));
  start.complete = !more;
  return start;
}

bool fileExists(const std::string& path) {
  std::error_code ec;
  return fs::exists(fs::path(path), ec);
}

Status writeFileAtomically(const std::string& path, std::string_view content,
                           std::string_view verb) {
  const auto fail = [&path, verb](const std::string& why) {
    return failure("Cannot " + std::string(verb) + " " + path + ": " + why);
  };
  if (path.empty()) return fail("no file name");
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    if (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode)) {
      const int error = writeInPlace(path, content);
      return error == 0 ? success() : Status(fail(reason(error)));
    }
    if (S_ISDIR(info.st_mode)) return fail(reason(EISDIR));
    if (!S_ISREG(info.st_mode)) return fail("not a regular file, character device or FIFO");
  } else if (errno != ENOENT) {
    return fail(reason(errno));
  }

  const auto target = followLinks(path);
  if (!target) return fail(target.error());
  if (!target->has_filename()) return fail(reason(EISDIR));
  const bool exists = ::stat(target->c_str(), &info) == 0;
  // Renaming over a read-only file would succeed; honour its protection instead.
  if (exists && ::access(target->c_str(), W_OK) != 0) return fail(reason(errno));
  const fs::path folder = target->has_parent_path() ? target->parent_path() : fs::path(".");
  const struct stat* old = exists ? &info : nullptr;

  int error = -1;
#ifdef O_TMPFILE
  if (!g_namedTemporaryFiles) error = replaceThroughUnnamedFile(folder, *target, content, old);
#endif
  if (error == -1) error = replaceThroughNamedFile(folder, *target, content, old);
  return error == 0 ? success() : Status(fail(reason(error)));
}

FileWriter setFileWriter(FileWriter writer) {
  const FileWriter previous = g_fileWriter;
  g_fileWriter = writer ? writer : &writeWithStdio;
  return previous;
}

bool setNamedTemporaryFiles(bool named) {
  return std::exchange(g_namedTemporaryFiles, named);
}

}  // namespace edid
