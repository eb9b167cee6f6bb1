#pragma once
// Runs a piece of a test as an ordinary user: root reads and writes anything, so a
// root run gives up its rights in a child process first.

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace edid::test {

/// What work returns, run as the user "nobody" when the tests run as root. The child
/// may not reach the test's data (a clone in a folder only root may enter), so work
/// must find everything it reads prepared before the call.
inline std::string asOrdinaryUser(const std::function<std::string()>& work) {
  if (::geteuid() != 0) return work();
  int pipe[2];
  if (::pipe(pipe) != 0) return "no pipe";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipe[0]);
    std::string said = "could not drop root";
    if (::setgid(65534) == 0 && ::setuid(65534) == 0) said = work();
    [[maybe_unused]] const auto written = ::write(pipe[1], said.data(), said.size());
    ::_exit(0);
  }
  ::close(pipe[1]);
  std::string said;
  char buffer[512];
  for (ssize_t got; (got = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
    said.append(buffer, std::size_t(got));
  ::close(pipe[0]);
  ::waitpid(child, nullptr, 0);
  return said;
}

}  // namespace edid::test
