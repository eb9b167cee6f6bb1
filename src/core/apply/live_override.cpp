#include "core/apply/live_override.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/apply/edid_blocks.h"

namespace edid::apply {

namespace fs = std::filesystem;

namespace {

bool accessDenied(int error) {
  return error == EACCES || error == EPERM;
}

OverrideOutcome failed(std::string message, int error = 0) {
  OverrideOutcome outcome;
  outcome.needsRoot = accessDenied(error);
  outcome.message = std::move(message);
  return outcome;
}

// The whole content in one write: the kernel parses what one write gives it.
// Returns 0 or the errno.
int writeInPlace(const std::string& path, std::string_view content) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return errno;
  const ssize_t written = ::write(fd, content.data(), content.size());
  int error = written < 0 ? errno : 0;
  if (error == 0 && static_cast<std::size_t>(written) != content.size()) error = EIO;
  if (::close(fd) != 0 && error == 0) error = errno;
  return error;
}

std::string reason(int error) {
  return std::strerror(error);
}

}  // namespace

OverrideOutcome overrideEdid(const std::string& debugfs, const std::string& connector,
                             std::string_view content) {
  if (content != kOverrideReset)
    if (const Status valid = checkEdidBlocks(content); !valid) return failed(valid.error());
  const auto name = connectorName(connector);
  if (!name) return failed(name.error());
  const int card = connectorCard(connector);

  // dri/<N>/<connector>/ for each card N; card0-DP-1 picks dri/0.
  const fs::path dri = fs::path(debugfs) / "dri";
  std::error_code ec;
  std::vector<fs::path> found;
  for (fs::directory_iterator it(dri, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string minor = it->path().filename().string();
    if (minor.empty() || minor.find_first_not_of("0123456789") != std::string::npos) continue;
    if (card >= 0 && minor != std::to_string(card)) continue;
    std::error_code exists;
    if (fs::exists(it->path() / *name / "edid_override", exists))
      found.push_back(it->path() / *name);
  }
  if (ec) return failed("Cannot read " + dri.string() + ": " + ec.message(), ec.value());
  if (found.empty())
    return failed("no connector " + connector + " with an edid_override in " + dri.string());
  if (found.size() > 1)
    return failed(*name + " is on several cards (" + found[0].string() + ", " + found[1].string() +
                  "): name one, as card0-" + *name);

  OverrideOutcome outcome;
  outcome.folder = found.front().string();
  const std::string target = outcome.folder + "/edid_override";
  if (const int error = writeInPlace(target, content); error != 0) {
    outcome.needsRoot = accessDenied(error);
    outcome.message = "Cannot write " + target + ": " + reason(error);
    return outcome;
  }
  const std::string hotplug = outcome.folder + "/trigger_hotplug";
  if (const int error = writeInPlace(hotplug, "1"); error != 0) {
    outcome.needsRoot = accessDenied(error);
    outcome.message = "The override is set, but " + hotplug + " could not be written (" +
                      reason(error) + "): unplug the monitor and plug it in again";
    return outcome;
  }
  outcome.ok = true;
  return outcome;
}

}  // namespace edid::apply
