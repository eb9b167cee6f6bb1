#include "core/shell/program.h"

#include "core/calculator/hex_calculator.h"
#include "core/common/text.h"

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
  bool matched = true;
  screen.txtModel.text.clear();
  screen.txtBrand.text.clear();

  std::string code = screen.GetProductCode();
  if (const auto paren = code.find('('); paren != std::string::npos) {
    code = code.substr(0, paren);
    code = code.substr(0, 2) + (code.size() >= 2 ? code.substr(code.size() - 2) : code);
  }
  const std::string key = screen.GetManufacturer() + code;

  for (const std::string& line : m_common.DdcTestLines) {
    if (line.find(key) == std::string::npos) continue;
    std::string text = line;
    const auto first = line.find('"');
    const auto last = line.rfind('"');
    if (first != std::string::npos)
      text = last > first ? line.substr(first + 1, last - first - 1) : std::string();
    // A quoted text of one word names the brand alone.
    const auto space = text.find(' ');
    const std::string brand = text.substr(0, space);
    screen.txtBrand.text = brand;
    std::string model;
    if (space != std::string::npos) {
      model = text.substr(space + 1);
      const auto begin = model.find_first_not_of(' ');
      const auto end = model.find_last_not_of(' ');
      model = begin == std::string::npos ? "" : model.substr(begin, end - begin + 1);
    }
    screen.txtModel.text = model;
    break;
  }
  if (screen.txtModel.text.empty()) {
    screen.txtModel.text = ModelFromDescriptor("UNKNOWN MODEL");
    matched = false;
  }
  if (screen.txtBrand.text.empty()) {
    screen.txtBrand.text = BrandFromManufacturer("UNKNOWN BRAND");
    matched = false;
  }
  return matched;
}

std::string Program::ModelFromDescriptor(const std::string& fallback) const {
  if (!m_screen) return fallback;
  const Image& image = m_screen->image;
  for (int start = 54; start <= 108; start += 18) {
    if (image.cell(start + 3) != "FC") continue;
    std::string name;
    for (int i = start + 5; i <= start + 17; ++i) {
      const int value = image.byte(i);
      if (value == 0x0A) return name;
      name += static_cast<char>(value);
    }
  }
  return fallback;
}

std::string Program::BrandFromManufacturer(const std::string& fallback) const {
  return m_common.ManufacturerText.empty() ? fallback : m_common.ManufacturerText;
}

bool Program::IsEdidHeader(std::string_view text) {
  static constexpr unsigned char kHeader[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
  if (text.size() < 8) return false;
  for (std::size_t i = 0; i < 8; ++i) {
    if (static_cast<unsigned char>(text[i]) != kHeader[i]) return false;
  }
  return true;
}

}  // namespace edid
