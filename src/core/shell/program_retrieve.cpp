// The retrieve command: the EDID of the attached monitor, from the kernel's DDC
// reads or from a registry export.
#include <algorithm>

#include "core/common/text.h"
#include "core/registry/monitor_identity.h"
#include "core/registry/reg_file.h"
#include "core/registry/registry_search.h"
#include "core/registry/sysfs_ddc.h"
#include "core/shell/program.h"

namespace edid {

namespace {

constexpr const char* kNoRegistryEdid =
    "Unable to locate EDID Data. \r\n\r\nUsing the Control Panel, please make sure that a "
    "Monitor has been Detected by Windows 2000";
constexpr const char* kNoMonitorEdid =
    "Unable to locate EDID Data. \r\n\r\nNo connected monitor reports an EDID.";

// A monitor that answers with garbage at first often answers right a moment later.
constexpr int kDdcTries = 5;

// Why connected monitors gave no EDID, one line each, so that a permission problem
// is not taken for a missing monitor.
std::string unreadableNotes(const std::vector<Connector>& connectors) {
  std::string notes;
  for (const Connector& connector : connectors)
    if (connector.connected() && !connector.edidNote.empty())
      notes += "\r\n" + connector.label + ": " + connector.edidNote;
  return notes;
}

}  // namespace

void Program::GetEDIDData_Click() {
  if (!saveChangesFirst()) return;

  std::string data, note;
  if (!registryFile.empty()) {
    const auto registry = RegFileRegistry::load(registryFile);
    if (!registry) {
      m_host.message(registry.error());
      return;
    }
    data = findMonitorEdid(*registry, m_host, m_common.RegistryBaseLocation).data;
    if (data.empty()) {
      m_host.message(kNoRegistryEdid);
      return;
    }
  } else {
    const std::vector<Connector> connectors = listConnectors(sysfsRoot);
    const std::vector<Connector> monitors = monitorsWithEdid(connectors);
    if (monitors.empty()) {
      m_host.message(kNoMonitorEdid + unreadableNotes(connectors));
      return;
    }
    std::size_t chosen = 0;
    if (monitors.size() > 1) {
      std::vector<MonitorChoice> choices;
      for (const Connector& monitor : monitors) {
        const MonitorIdentity identity = identifyMonitor(monitor.edid);
        choices.push_back(
            {monitor.label, identity.manufacturer, identity.productCode, identity.name});
      }
      const int answer = m_host.chooseMonitor(choices);
      if (answer < 0 || answer >= static_cast<int>(monitors.size())) return;
      chosen = static_cast<std::size_t>(answer);
    }
    const SysfsDdcReader reader(sysfsRoot, monitors[chosen].name);
    data.assign(kEdidSize, ' ');
    for (int attempt = 0; attempt < kDdcTries; ++attempt) {
      data = reader.ReadEdid(data);
      if (IsEdidHeader(data)) break;
    }
    if (!reader.note().empty()) note = monitors[chosen].label + ": " + reader.note();
    // The monitor went away between the listing and the read.
    if (data.empty()) {
      m_host.message(note.empty() ? std::string(kNoMonitorEdid) : note);
      return;
    }
  }
  loadRetrievedEdid(data);
  if (!note.empty()) m_host.message(note);
}

void Program::loadRetrievedEdid(const std::string& data) {
  EdidScreen* open = m_screen.get();
  EdidScreen& screen = showScreen();
  if (open) {
    screen.clearIdentification();
    screen.setFocusToCell(0);
  }
  screen.caption = kEdidScreenCaption;
  // The monitor's extension blocks stay with the image, whole blocks only.
  const std::size_t partial =
      data.size() > static_cast<std::size_t>(kEdidSize) ? (data.size() - kEdidSize) % kEdidSize : 0;
  screen.document.load(Image::fromEdid(data));
  screen.BuildEDIDDefinations();
  nameMonitorFromModelLists();
  screen.setFocusToCell(0);
  m_common.CurrentFilePath.clear();
  m_common.markSaved(screen.image);
  m_common.EdidScreenOpen = true;
  m_host.activate(ChildWindow::EdidScreen);
  if (data.size() < static_cast<std::size_t>(kEdidSize))
    m_host.message("The EDID read has only " + std::to_string(data.size()) +
                   " bytes; the rest is set to 00.");
  if (partial != 0)
    m_host.message("The EDID read ends with " + std::to_string(partial) +
                   " bytes that do not fill a 128-byte block; they are left out.");
}

}  // namespace edid
