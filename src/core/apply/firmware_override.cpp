#include "core/apply/firmware_override.h"

#include <cctype>
#include <filesystem>
#include <regex>
#include <system_error>

#include "core/apply/edid_blocks.h"
#include "core/common/file_io.h"
#include "core/registry/monitor_identity.h"

namespace edid::apply {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFirmwareFolder = "/lib/firmware/edid";
// Which file install wrote for a connector, so that uninstall needs no name.
constexpr const char* kRecordFolder = "/var/lib/edidedit";

std::string recordPath(const std::string& root, const std::string& connector) {
  return root + kRecordFolder + "/" + connector + ".firmware";
}

bool validName(const std::string& name) {
  static const std::regex pattern(R"(^[A-Za-z0-9_][A-Za-z0-9._-]{0,63}$)");
  return std::regex_match(name, pattern);
}

// The name a connector's record holds, "" when there is none or it is damaged.
std::string recordedName(const std::string& path) {
  const auto text = readFileBytes(path);
  if (!text) return {};
  std::string name = *text;
  while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back()))) name.pop_back();
  return validName(name) ? name : std::string();
}

// True when a record other than except's names the file.
bool otherRecordNames(const std::string& root, const std::string& except, const std::string& name) {
  std::error_code ec;
  for (fs::directory_iterator it(root + kRecordFolder, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (it->path().string() != except && it->path().extension() == ".firmware" &&
        recordedName(it->path().string()) == name)
      return true;
  }
  return false;
}

std::string initramfsHook(const std::string& file) {
  return "      #!/bin/sh\n"
         "      [ \"$1\" = prereqs ] && exit 0\n"
         "      . /usr/share/initramfs-tools/hook-functions\n"
         "      copy_file firmware " +
         file + "\n";
}

}  // namespace

std::string firmwareName(std::string_view edid) {
  const MonitorIdentity identity = identifyMonitor(edid);
  std::string name = identity.manufacturer + "-" + identity.productCode;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-') c = '_';
  return name;
}

Result<FirmwarePlan> planFirmware(std::string_view edid, const std::string& connector,
                                  const std::string& name) {
  if (const Status valid = checkEdidBlocks(edid); !valid) return failure(valid.error());
  const auto kernelName = connectorName(connector);
  if (!kernelName) return failure(kernelName.error());
  FirmwarePlan plan;
  plan.connector = *kernelName;
  plan.name = name.empty() ? firmwareName(edid) : name;
  if (!validName(plan.name))
    return failure("'" + plan.name +
                   "' cannot name a firmware file: use letters, digits, '.', '_' and '-'");
  plan.firmwareFile = std::string(kFirmwareFolder) + "/" + plan.name + ".bin";
  plan.parameter = "drm.edid_firmware=" + plan.connector + ":edid/" + plan.name + ".bin";
  return plan;
}

std::string installSteps(const FirmwarePlan& plan) {
  const std::string& p = plan.parameter;
  return "The kernel uses it for " + plan.connector +
         " once its command line holds this parameter\n"
         "(several connectors share one, comma-separated):\n"
         "  " +
         p +
         "\n"
         "Add it with your boot loader (this tool never edits its files):\n"
         "  GRUB: add it inside the quotes of GRUB_CMDLINE_LINUX_DEFAULT= in /etc/default/grub,\n"
         "  then run:\n"
         "    sudo update-grub\n"
         "  (without update-grub: sudo grub2-mkconfig -o /boot/grub2/grub.cfg)\n"
         "  systemd-boot: add it to the \"options\" line of the entry in /boot/loader/entries/\n"
         "  (or /efi/loader/entries/); with kernel-install, also to /etc/kernel/cmdline.\n"
         "  kernelstub:\n"
         "    sudo kernelstub -a \"" +
         p +
         "\"\n"
         "When the graphics driver starts from the initramfs, the file must be in it:\n"
         "  Debian/Ubuntu (initramfs-tools): save these lines as\n"
         "  /etc/initramfs-tools/hooks/edid-firmware\n" +
         initramfsHook(plan.firmwareFile) +
         "  then run:\n"
         "    sudo chmod +x /etc/initramfs-tools/hooks/edid-firmware\n"
         "    sudo update-initramfs -u\n"
         "  dracut: save this line as /etc/dracut.conf.d/edid-firmware.conf\n"
         "      install_items+=\" " +
         plan.firmwareFile +
         " \"\n"
         "  then run:\n"
         "    sudo dracut --force\n"
         "Then restart the computer.\n";
}

Result<std::string> installFirmware(std::string_view edid, const FirmwarePlan& plan,
                                    const std::string& root) {
  const std::string file = root + plan.firmwareFile;
  const std::string record = recordPath(root, plan.connector);
  for (const std::string& folder : {root + kFirmwareFolder, root + kRecordFolder}) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return failure("Cannot create " + folder + ": " + ec.message());
  }
  const std::string before = recordedName(record);
  if (const Status written = writeFileAtomically(file, edid, "write"); !written)
    return failure(written.error());
  if (const Status noted = writeFileAtomically(record, plan.name + "\n", "write"); !noted) {
    if (before != plan.name) fs::remove(file);
    return failure(noted.error());
  }
  // A new name for the connector leaves the old file unused.
  if (!before.empty() && before != plan.name && !otherRecordNames(root, record, before)) {
    std::error_code ec;
    fs::remove(root + kFirmwareFolder + "/" + before + ".bin", ec);
  }
  return file;
}

Result<std::string> uninstallFirmware(const std::string& connector, const std::string& root) {
  const auto kernelName = connectorName(connector);
  if (!kernelName) return failure(kernelName.error());
  const std::string record = recordPath(root, *kernelName);
  const std::string name = recordedName(record);
  if (name.empty())
    return failure("no firmware override was installed for " + *kernelName + " (no " + record +
                   ")");
  const std::string system = std::string(kFirmwareFolder) + "/" + name + ".bin";
  std::string lines;
  std::error_code ec;
  if (!otherRecordNames(root, record, name)) {
    fs::remove(root + system, ec);
    if (ec) return failure("Cannot remove " + root + system + ": " + ec.message());
    lines += "Removed " + root + system + "\n";
  } else {
    lines += "Kept " + root + system + ": another connector uses it\n";
  }
  fs::remove(record, ec);
  if (ec) return failure("Cannot remove " + record + ": " + ec.message());
  fs::remove(root + kRecordFolder, ec);  // only when empty
  lines += "Take drm.edid_firmware=" + *kernelName + ":edid/" + name +
           ".bin out of the kernel's command line\n"
           "(GRUB: /etc/default/grub, then sudo update-grub; systemd-boot: the entry's\n"
           "\"options\" line; kernelstub: sudo kernelstub -d \"drm.edid_firmware=" +
           *kernelName + ":edid/" + name +
           ".bin\"),\n"
           "and " +
           system +
           " out of the initramfs (the hook or dracut file named at install,\n"
           "then sudo update-initramfs -u or sudo dracut --force).\n";
  return lines;
}

}  // namespace edid::apply
