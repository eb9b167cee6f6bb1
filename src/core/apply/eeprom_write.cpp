#include "core/apply/eeprom_write.h"

#include <algorithm>
#include <filesystem>
#include <regex>
#include <system_error>

#include "core/apply/edid_blocks.h"
#include "core/common/file_io.h"
#include "core/common/image.h"
#include "core/registry/monitor_identity.h"

namespace edid::apply {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kBlock = kEdidSize;
constexpr const char* kNothingWritten = "; nothing was written.";
// A write cycle takes at most 5 ms on the EEPROMs monitors use; polling stops well after.
constexpr int kPollLimit = 50;

std::string quoted(const std::string& text) {
  if (!text.empty() && text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                              "0123456789-_./:+=@") == std::string::npos)
    return text;
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string identityText(const MonitorIdentity& identity) {
  std::string text = identity.manufacturer + " " + identity.productCode;
  if (!identity.name.empty()) text += " (" + identity.name + ")";
  return text;
}

// Waits until the EEPROM answers again after a page write.
bool waitWriteCycle(I2cBus& bus, int offset) {
  std::string probe;
  for (int poll = 0; poll < kPollLimit; ++poll) {
    bus.pause(std::chrono::milliseconds(1));
    if (bus.read(kEdidEepromAddress, offset, 1, probe)) return true;
  }
  return false;
}

}  // namespace

std::string restoreCommand(const std::string& connector, const std::string& backup) {
  return "edidtool write --connector " + quoted(connector) + " --force " + quoted(backup);
}

EepromOutcome writeEeprom(const EepromRequest& request, const I2cOpener& open) {
  EepromOutcome outcome;
  const auto refuse = [&outcome](const std::string& message) {
    outcome.message = message;
    return outcome;
  };
  const std::string& edid = request.edid;
  if (const Status valid = checkEdidBlocks(edid); !valid)
    return refuse("The EDID to write is not valid: " + valid.error() + kNothingWritten);
  if (edid.size() > kEepromSize)
    return refuse("The EEPROM at 0x50 holds 256 bytes, the EDID " + std::to_string(edid.size()) +
                  kNothingWritten);
  if (const auto name = connectorName(request.connector); !name) return refuse(name.error());

  const std::vector<Connector> connectors = listConnectors(request.sysfs);
  const Connector* connector = findConnector(connectors, request.connector);
  if (!connector) return refuse("no connector " + request.connector + " in " + request.sysfs);
  // Only the bus the kernel itself reads the monitor's EDID from.
  const fs::path link = fs::path(request.sysfs) / connector->name / "ddc";
  std::error_code ec;
  const fs::path target = fs::read_symlink(link, ec);
  if (ec)
    return refuse(connector->label + " names no DDC bus (no link " + link.string() + ")" +
                  kNothingWritten);
  const std::string bus = target.filename().string();
  static const std::regex busPattern(R"(^i2c-\d+$)");
  if (!std::regex_match(bus, busPattern))
    return refuse(link.string() + " leads to " + target.string() + ", no I2C bus" +
                  kNothingWritten);
  const std::string device = (fs::path(request.i2cDev) / bus).string();
  const auto opened = open(device);
  if (!opened) return refuse(opened.error() + kNothingWritten);
  I2cBus& i2c = **opened;

  std::string old;
  if (const Status read = i2c.read(kEdidEepromAddress, 0, kBlock, old); !read)
    return refuse("Nothing answers at 0x50 on " + bus + " (" + read.error() + ")" +
                  kNothingWritten);
  if (!hasEdidHeader(old))
    return refuse("The device at 0x50 on " + bus + " holds no EDID, so it is no monitor's EEPROM" +
                  kNothingWritten);
  const std::size_t oldSize = std::min(
      kEepromSize, kBlock * (1 + static_cast<std::size_t>(static_cast<unsigned char>(old[126]))));
  if (const Status read = i2c.read(kEdidEepromAddress, 0, std::max(oldSize, edid.size()), old);
      !read)
    return refuse("Cannot read the EEPROM at 0x50 on " + bus + " (" + read.error() + ")" +
                  kNothingWritten);

  const MonitorIdentity monitor = identifyMonitor(old);
  const MonitorIdentity file = identifyMonitor(edid);
  if (!request.force &&
      (monitor.manufacturer != file.manufacturer || monitor.productCode != file.productCode))
    return refuse("The monitor on " + connector->label + " is " + identityText(monitor) +
                  ", the EDID to write is for " + identityText(file) + kNothingWritten +
                  " --force writes it all the same.");

  if (request.backup.empty() || fileExists(request.backup))
    return refuse("The backup " + request.backup + " exists already: name another with --backup" +
                  kNothingWritten);
  if (const Status saved = writeFileAtomically(request.backup, old.substr(0, oldSize), "write");
      !saved)
    return refuse(saved.error() + kNothingWritten);
  if (request.note) request.note("Saved the monitor's old EDID to " + request.backup);

  const std::string restore = "Its old bytes are in " + request.backup +
                              "; to put them back, run:\n  " +
                              restoreCommand(request.connector, request.backup);
  outcome.started = true;
  for (std::size_t at = 0; at < edid.size(); at += kEepromPage) {
    const std::string_view page = std::string_view(edid).substr(at, kEepromPage);
    const int offset = static_cast<int>(at);
    Status written = i2c.write(kEdidEepromAddress, offset, page);
    if (written && !waitWriteCycle(i2c, offset))
      written = failure("the EEPROM stopped answering after the write");
    if (!written)
      return refuse("Writing stopped at byte " + std::to_string(at) + " of " +
                    std::to_string(edid.size()) + " (" + written.error() +
                    "): the monitor's EDID is now partly new, partly old. " + restore);
  }

  std::string back;
  if (const Status read = i2c.read(kEdidEepromAddress, 0, edid.size(), back); !read)
    return refuse("The bytes were written but cannot be read back (" + read.error() + "). " +
                  restore);
  if (back != edid) {
    if (back == old.substr(0, edid.size())) return refuse(kWriteProtected);
    const auto first = std::mismatch(back.begin(), back.end(), edid.begin()).first - back.begin();
    return refuse("The monitor holds other bytes than those written, from byte " +
                  std::to_string(first) + " on. " + restore);
  }
  if (request.note)
    request.note("Wrote " + std::to_string(edid.size()) + " bytes to the monitor on " +
                 connector->label + " (" + bus + ", 0x50) and read them back.");
  outcome.ok = true;
  return outcome;
}

}  // namespace edid::apply
