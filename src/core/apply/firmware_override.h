#pragma once
// The kernel's firmware override: the EDID as a file under /lib/firmware/edid and
// the drm.edid_firmware= parameter naming it for one connector. The boot loader's
// files are the user's; this only says what to change there.

#include <string>
#include <string_view>

#include "core/common/result.h"

namespace edid::apply {

/// Where the override of one connector goes.
struct FirmwarePlan {
  std::string connector;     ///< "DP-1"
  std::string name;          ///< the file's name without ".bin"
  std::string firmwareFile;  ///< "/lib/firmware/edid/<name>.bin" on the running system
  std::string parameter;     ///< "drm.edid_firmware=DP-1:edid/<name>.bin"
};

/// The file name for an EDID: its manufacturer and product code, "VSC-7D20".
std::string firmwareName(std::string_view edid);

/// Checks the EDID, the connector and the name (empty: firmwareName) and lays out
/// the paths and the parameter.
Result<FirmwarePlan> planFirmware(std::string_view edid, const std::string& connector,
                                  const std::string& name);

/// The lines to show after installing: the parameter, how to add it with GRUB,
/// systemd-boot and kernelstub, and how to put the file into the initramfs with
/// initramfs-tools and dracut. Lines end with "\n".
std::string installSteps(const FirmwarePlan& plan);

/// Writes the EDID to <root><firmwareFile> (replacing it only by a complete file)
/// and records it for uninstallFirmware. Returns the path written.
Result<std::string> installFirmware(std::string_view edid, const FirmwarePlan& plan,
                                    const std::string& root);

/// Removes what installFirmware wrote for the connector (the file stays while another
/// connector's record names it) and returns the lines to show: what was removed and
/// what to take out of the boot loader and the initramfs.
Result<std::string> uninstallFirmware(const std::string& connector, const std::string& root);

}  // namespace edid::apply
