#pragma once
// Writing an EDID into the monitor's own EEPROM over DDC, guarded: only on the bus
// the DRM connector names as its DDC bus, only at 0x50, only over an EDID of the
// same monitor, only a valid EDID, and only after the old bytes are saved. A write
// to the wrong device or half of the bytes can leave a monitor, or a machine, dark.

#include <functional>
#include <string>

#include "core/apply/i2c_bus.h"
#include "core/registry/sysfs_ddc.h"

namespace edid::apply {

/// The address of a monitor's EDID EEPROM on its DDC bus.
inline constexpr int kEdidEepromAddress = 0x50;
/// What one write transfer may hold: the smallest page of the EEPROMs monitors use.
inline constexpr std::size_t kEepromPage = 8;
/// What the 8-bit offset at 0x50 reaches.
inline constexpr std::size_t kEepromSize = 256;
inline constexpr const char* kDefaultI2cDev = "/dev";
inline constexpr const char* kWriteProtected =
    "The monitor kept its old bytes: its EEPROM is probably write-protected. Nothing else "
    "was changed.";

struct EepromRequest {
  std::string sysfs = kDefaultSysfsRoot;  ///< the DRM connectors' folder
  std::string i2cDev = kDefaultI2cDev;    ///< where the i2c-N devices are
  std::string connector;                  ///< "DP-1" or "card0-DP-1"
  std::string edid;                       ///< the bytes to write
  std::string backup;                     ///< where the old bytes go; must not exist yet
  bool force = false;  ///< write over another monitor's EDID; no other check yields
  std::function<void(const std::string&)> note;  ///< told each step as it is done
};

struct EepromOutcome {
  bool ok = false;
  std::string message;   ///< why it failed
  bool started = false;  ///< bytes went to the EEPROM: the backup may be needed
};

/// The command that puts a backup back on the connector's monitor.
std::string restoreCommand(const std::string& connector, const std::string& backup);

/// Writes request.edid page by page through the bus open opens, waiting out each
/// write cycle, then reads everything back and compares.
EepromOutcome writeEeprom(const EepromRequest& request, const I2cOpener& open);

}  // namespace edid::apply
