// Whole-file reads and safe replacement against what may stand at a path: files,
// links, folders, FIFOs, devices and sockets.
#include "core/common/file_io.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>

#include "support/corpus.h"
#include "support/temp_dir.h"

namespace edid {
namespace {

namespace fs = std::filesystem;

using test::TempDir;
using test::writeText;

// A character device as /dev has it: root makes its own node in dir, so that a
// fault that replaces the node never harms the machine's.
std::string device(const TempDir& dir, const std::string& name, unsigned minor) {
  if (::geteuid() != 0) return "/dev/" + name;
  ::mknod(dir.file(name).c_str(), S_IFCHR | 0666, makedev(1, minor));
  return dir.file(name);
}

void makeSocket(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::close(fd);
}

TEST(FileIo, ReadsRegularFilesOnlyAndNeverWaits) {
  TempDir dir;
  writeText(dir.file("a.bin"), std::string("\0\xff\r\n", 4));
  fs::create_symlink("a.bin", dir.file("link"));
  ::mkfifo(dir.file("fifo").c_str(), 0600);
  // One byte over the cap, without writing 64 MiB.
  writeText(dir.file("huge"), "");
  fs::resize_file(dir.file("huge"), kMaxFileSize + 1);
  const struct {
    std::string path, result;
  } rows[] = {
      {dir.file("a.bin"), std::string("\0\xff\r\n", 4)},
      {dir.file("link"), std::string("\0\xff\r\n", 4)},
      {dir.file("missing"), "Cannot open " + dir.file("missing") + ": No such file or directory"},
      {dir.path.string(), "Cannot read " + dir.path.string() + ": Is a directory"},
      // A FIFO with no writer would block the open.
      {dir.file("fifo"), "Cannot read " + dir.file("fifo") + ": not a regular file"},
      {"/dev/zero", "Cannot read /dev/zero: not a regular file"},
      {dir.file("huge"), "Cannot read " + dir.file("huge") + ": the file is too large"},
  };
  for (const auto& row : rows) {
    const auto read = readFileBytes(row.path);
    EXPECT_EQ(read ? *read : read.error(), row.result) << row.path;
  }

  // Standard input is read from its descriptor, so a folder there says what it is.
  const int folder = ::open(dir.path.c_str(), O_RDONLY | O_DIRECTORY);
  const auto fromFolder = readDescriptor(folder, "standard input");
  ::close(folder);
  EXPECT_EQ(fromFolder.error(), "Cannot read standard input: Is a directory");
  const int huge = ::open(dir.file("huge").c_str(), O_RDONLY);
  const auto fromHuge = readDescriptor(huge, "standard input");
  ::close(huge);
  EXPECT_EQ(fromHuge.error(), "Cannot read standard input: the file is too large");
}

// Each row puts something at a path, writes "new" there and checks what became of it.
struct WriteCase {
  const char* what;
  std::function<std::string(const TempDir&)> prepare;  ///< returns the path written
  std::string reason;                                  ///< "" when the write succeeds
  std::function<void(const TempDir&, const std::string&)> check;
};

TEST(FileIo, WritesReplaceFilesFollowLinksAndFeedDevices) {
  int reader = -1;  // the open reading end of the FIFO row
  const auto regular = [](const TempDir&, const std::string& path) {
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path)));
    EXPECT_EQ(test::readFile(path), "new");
  };
  const std::vector<WriteCase> rows = {
      {"a new file", [](const TempDir& d) { return d.file("new.bin"); }, "", regular},
      {"an old file keeps its permissions",
       [](const TempDir& d) {
         writeText(d.file("old.bin"), "old contents");
         ::chmod(d.file("old.bin").c_str(), 0640);
         return d.file("old.bin");
       },
       "",
       [&](const TempDir& d, const std::string& path) {
         regular(d, path);
         EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
       }},
      {"a name of 250 characters",
       [](const TempDir& d) {
         writeText(d.file(std::string(250, 'n')), "old");
         return d.file(std::string(250, 'n'));
       },
       "", regular},
      {"a chain of links is followed and stays",
       [](const TempDir& d) {
         writeText(d.file("real.bin"), "old");
         fs::create_symlink("real.bin", d.file("first"));
         fs::create_symlink(d.file("first"), d.file("second"));
         return d.file("second");
       },
       "",
       [&](const TempDir& d, const std::string& path) {
         EXPECT_EQ(fs::read_symlink(path), d.file("first"));
         regular(d, d.file("real.bin"));
       }},
      {"a dangling link makes its target",
       [](const TempDir& d) {
         fs::create_symlink("made.bin", d.file("link"));
         return d.file("link");
       },
       "",
       [&](const TempDir& d, const std::string& path) {
         EXPECT_TRUE(fs::is_symlink(path));
         regular(d, d.file("made.bin"));
       }},
      {"a FIFO gets the bytes",
       [&](const TempDir& d) {
         ::mkfifo(d.file("fifo").c_str(), 0600);
         reader = ::open(d.file("fifo").c_str(), O_RDONLY | O_NONBLOCK);
         return d.file("fifo");
       },
       "",
       [&](const TempDir&, const std::string& path) {
         char got[8] = {};
         EXPECT_EQ(::read(reader, got, sizeof got), 3);
         EXPECT_STREQ(got, "new");
         ::close(reader);
         EXPECT_TRUE(fs::is_fifo(path));
       }},
      {"a null device stays one", [](const TempDir& d) { return device(d, "null", 3); }, "",
       [](const TempDir&, const std::string& path) { EXPECT_TRUE(fs::is_character_file(path)); }},
      {"a full device says so", [](const TempDir& d) { return device(d, "full", 7); },
       "No space left on device",
       [](const TempDir&, const std::string& path) { EXPECT_TRUE(fs::is_character_file(path)); }},
      {"a folder is refused",
       [](const TempDir& d) {
         fs::create_directory(d.file("sub"));
         return d.file("sub");
       },
       "Is a directory",
       [](const TempDir&, const std::string& path) { EXPECT_TRUE(fs::is_directory(path)); }},
      {"a socket is refused",
       [](const TempDir& d) {
         makeSocket(d.file("sock"));
         return d.file("sock");
       },
       "not a regular file, character device or FIFO",
       [](const TempDir&, const std::string& path) { EXPECT_TRUE(fs::is_socket(path)); }},
      {"a missing folder", [](const TempDir& d) { return d.file("none/out.bin"); },
       "No such file or directory",
       [](const TempDir& d, const std::string&) { EXPECT_FALSE(fs::exists(d.file("none"))); }},
  };
  for (const bool named : {false, true}) {
    const bool before = setNamedTemporaryFiles(named);
    for (const WriteCase& row : rows) {
      SCOPED_TRACE(std::string(row.what) + (named ? ", named temporary file" : ""));
      TempDir dir;
      const std::string path = row.prepare(dir);
      const Status written = writeFileAtomically(path, "new");
      EXPECT_EQ(written.error(),
                row.reason.empty() ? "" : "Cannot save " + path + ": " + row.reason);
      row.check(dir, path);
      for (const auto& entry : fs::directory_iterator(dir.path))
        EXPECT_EQ(entry.path().filename().string().rfind(".edid-", 0), std::string::npos);
    }
    setNamedTemporaryFiles(before);
  }
}

}  // namespace
}  // namespace edid
