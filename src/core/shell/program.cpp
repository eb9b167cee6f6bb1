#include "core/shell/program.h"

#include "core/calculator/hex_calculator.h"
#include "core/common/data_file.h"
#include "core/common/text.h"
#include "core/report/monitor_name.h"
#include "core/screen/vendor_screen.h"

namespace edid {

Program::Program(Host& host) : m_host(host) {
  m_common.RegistryBaseLocation = kDefaultRegistryBaseLocation;
  m_common.CalculatorOpen = false;
  m_common.ModifyMode = false;
  m_common.AutoCellSeekMode = false;
}

Program::~Program() = default;

void Program::restoreRegistryBaseLocation(const std::string& saved) {
  if (!saved.empty()) m_common.RegistryBaseLocation = saved;
}

void Program::Command1_Click() {
  ShowReport(false);
}

void Program::Command2_Click() {
  m_common.ModifyMode = !m_common.ModifyMode;
  if (!m_common.ModifyMode) {
    Command3.enabled = false;
    Command2.caption = "Modify EDID (OFF)";
    return;
  }
  Command3.enabled = true;
  Command2.caption = "Modify EDID (ON)";
  showScreen().setFocusToCell(0);
}

void Program::Command3_Click() {
  if (!Command3.enabled) return;
  m_common.AutoCellSeekMode = !m_common.AutoCellSeekMode;
  Command3.caption = m_common.AutoCellSeekMode ? "Auto Cell Seek (ON)" : "Auto Cell Seek (OFF)";
}

EdidScreen& Program::showScreen() {
  if (!m_screen) {
    m_screen = std::make_unique<EdidScreen>(m_common, m_host);
    m_screen->refreshReport = [this] { ShowReport(false); };
    m_host.screenLoaded();
  }
  return *m_screen;
}

bool Program::saveChangesFirst() {
  if (!m_common.UnsavedChanges) return true;
  switch (m_host.askYesNoCancel("Save Changes?")) {
    case Answer::Cancel:
      return false;
    case Answer::No:
      return true;
    case Answer::Yes:
      break;
  }
  WriteDataFile();
  return !m_common.UnsavedChanges;
}

bool Program::closeScreen() {
  if (!m_screen) return true;
  if (!saveChangesFirst()) return false;
  m_screen.reset();
  m_common.EdidScreenOpen = false;
  m_host.screenUnloaded();
  return true;
}

bool Program::closeAll() {
  return closeScreen();
}

void Program::mnuFileClose_Click(ChildWindow active) {
  switch (active) {
    case ChildWindow::EdidScreen:
      closeScreen();
      break;
    case ChildWindow::Document:
      m_host.closeWindow(active);
      documentClosed();
      break;
    case ChildWindow::HexCalculator:
      m_host.closeWindow(active);
      calculatorClosed();
      break;
    case ChildWindow::None:
      break;
  }
}

void Program::HexCalculator_Click() {
  if (m_common.CalculatorOpen) return;
  m_calculator = std::make_unique<HexCalculator>(m_host);
  m_common.CalculatorOpen = true;
  m_host.calculatorLoaded();
  if (m_screen) {
    m_host.activate(ChildWindow::EdidScreen);
    m_host.tileVertically();
    m_host.activate(ChildWindow::HexCalculator);
  }
}

void Program::calculatorClosed() {
  m_calculator.reset();
  m_common.CalculatorOpen = false;
}

bool Program::FillInModelInfo() {
  if (!m_screen) return false;
  EdidScreen& screen = *m_screen;
  screen.section<VendorScreen>().GetProductCode();  // keeps the shared product texts current
  const MonitorName name = nameFromModelLines(screen.image, m_common.DdcTestLines,
                                              BrandFromManufacturer("UNKNOWN BRAND"));
  screen.showMonitorName(name);
  return name.matched;
}

std::string Program::ModelFromDescriptor(const std::string& fallback) const {
  return m_screen ? modelFromDescriptor(m_screen->image, fallback) : fallback;
}

std::string Program::BrandFromManufacturer(const std::string& fallback) const {
  return m_common.ManufacturerText.empty() ? fallback : m_common.ManufacturerText;
}

bool Program::IsEdidHeader(std::string_view text) {
  return startsWithEdidHeader(text);
}

}  // namespace edid
