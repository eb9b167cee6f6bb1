// The File menu flows, data files, naming the monitor from the model list files,
// and the report of the decoding screen's image.
#include "core/common/data_file.h"
#include "core/common/text.h"
#include "core/input/load_edid.h"
#include "core/report/monitor_name.h"
#include "core/report/report.h"
#include "core/screen/vendor_screen.h"
#include "core/shell/program.h"

namespace edid {

namespace {

// The host starts both dialogs in the folder last used, else the user's documents.
// Files are read by their content; the filters only help finding them.
const FileDialog kOpenDialog{"Open",
                             "EDID files|*.DAT;*.bin;*.raw;*.edid;edid;*.hex;*.txt;*.c;*.h;*.reg"
                             "|EDID/DDC Data Files (*.DAT)|*.DAT"
                             "|Binary EDID (*.bin;*.raw;*.edid;edid)|*.bin;*.raw;*.edid;edid"
                             "|Hex text (*.hex;*.txt)|*.hex;*.txt"
                             "|C arrays (*.c;*.h)|*.c;*.h"
                             "|Registry exports (*.reg)|*.reg"
                             "|All Files (*.*)|*",
                             "", ""};
const FileDialog kSaveAsDialog{"Save As", "EDID/DDC Data Files (*.DAT)|*.DAT|All Files (*.*)|*.*",
                               "", ""};

// Manufacturer letters and product code as a file name, such as "CPQ3059.DAT".
std::string suggestedDataFileName(const EdidScreen& screen) {
  std::string name = screen.section<VendorScreen>().GetManufacturer() + screen.image.cell(11) +
                     screen.image.cell(10);
  for (char& c : name) {
    const bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!plain) c = '_';
  }
  return name + ".DAT";
}

// Writes the image's report to path; true when the file is complete. A failure
// leaves the old file and the change tracking as they were and says why.
bool writeImageTo(Program& program, const std::string& path) {
  EdidScreen* screen = program.screen();
  if (!screen) return false;
  Host& host = program.host();
  // A cell that is not two digits would be unreadable in the saved hex dump.
  if (const Status writable = screen->image.checkWritable(); !writable) {
    host.message(writable.error());
    return false;
  }
  host.setBusy(true);
  host.processEvents();
  program.BuildReport();
  const Status written = writeFileAtomically(
      path, dataFileText(program.common().ReportLines) +
                extensionSectionText(screen->image.extension(), program.common().ReportLines));
  host.setBusy(false);
  host.processEvents();
  if (!written) {
    host.message(written.error());
    return false;
  }
  program.common().markSaved(screen->image);
  host.fileSaved(path);
  return true;
}

}  // namespace

void Program::mnuFileNew_Click() {
  if (!saveChangesFirst()) return;
  if (m_screen) {
    if (m_host.ask("Are You Sure?", "New EDID Data File", true)) m_screen->resetToNewImage();
  } else {
    showScreen().resetToNewImage();
  }
  m_common.CurrentFilePath.clear();
  if (!m_common.ModifyMode) Command2_Click();
  m_common.markSaved(showScreen().image);
  m_host.activate(ChildWindow::EdidScreen);
}

void Program::mnuFileOpen_Click() {
  // Replacing an image with unsaved changes asks first, as File New does.
  if (m_screen && !saveChangesFirst()) return;
  showScreen();
  const std::string name = m_host.openFileName(kOpenDialog);
  if (name.empty()) return;

  // Nothing of the current image changes until the new file has been read.
  const auto loaded = loadEdidFile(name);
  if (!loaded) {
    m_host.message(loaded.error());
    m_common.EdidScreenOpen = true;
    return;
  }
  showOpenedFile(name, *loaded);
}

bool Program::openFile(const std::string& name) {
  const auto loaded = loadEdidFile(name);
  if (!loaded) {
    m_host.message(loaded.error());
    return false;
  }
  return openLoadedFile(name, *loaded);
}

bool Program::openLoadedFile(const std::string& name, const LoadedEdid& loaded) {
  if (m_screen && !saveChangesFirst()) return false;
  showOpenedFile(name, loaded);
  return true;
}

void Program::showOpenedFile(const std::string& name, const LoadedEdid& loaded) {
  EdidScreen& screen = showScreen();
  m_host.fileOpened(name);
  screen.clearIdentification();
  // Only our own data file can be saved back as it was read; anything else becomes
  // a new image, as a retrieval does, so Save asks for a data file's name.
  const bool dataFile = loaded.kind == EdidInputKind::DataFile;
  m_common.CurrentFilePath = dataFile ? name : std::string();
  screen.caption = dataFile ? name : std::string(kEdidScreenCaption);
  LoadTokensIntoCells(loaded.image);
  nameMonitorFromModelLists();
  screen.setFocusToCell(0);
  m_common.markSaved(screen.image);
  m_common.EdidScreenOpen = true;
  if (!loaded.warning.empty()) m_host.message(name + "\r\n\r\n" + loaded.warning);
}

void Program::mnuFileSave_Click() {
  WriteDataFile();
}

void Program::mnuFileSaveAs_Click() {
  SaveFileAs();
}

void Program::WriteDataFile() {
  if (!m_common.EdidScreenOpen || !m_screen) return;
  // Save As writes the file itself once it has a name.
  if (m_common.CurrentFilePath.empty()) return SaveFileAs();
  writeImageTo(*this, m_common.CurrentFilePath);
}

void Program::SaveFileAs() {
  if (!m_common.EdidScreenOpen || !m_screen) return;
  FileDialog dialog = kSaveAsDialog;
  dialog.suggestedName = suggestedDataFileName(*m_screen);
  const std::string name = m_host.saveFileName(dialog);
  if (name.empty()) return;
  const std::string previous = m_common.CurrentFilePath;
  m_common.CurrentFilePath = name;
  if (fileExists(name) && !m_host.ask(name + "\r\n\r\nExisits! Do you want to Replace it?")) {
    m_common.CurrentFilePath.clear();
    return;
  }
  // A failed save must not tie the image to a file that does not hold it.
  if (!writeImageTo(*this, name)) m_common.CurrentFilePath = previous;
}

void Program::LoadTokensIntoCells(const Image& loaded) {
  EdidScreen& screen = showScreen();
  screen.document.load(loaded);
  screen.BuildEDIDDefinations();
}

void Program::nameMonitorFromModelLists() {
  if (!m_screen) return;
  m_screen->showMonitorName(
      nameMonitor(m_screen->image, modelListFolders, m_common.DdcTestLines,
                  [this](const std::string& message) { m_host.message(message); }));
}

void Program::BuildReport() {
  if (!m_screen) return;
  m_common.ReportLines = reportLinesOf(m_screen->image, m_screen->txtBrand.text,
                                       m_screen->txtModel.text, currentReportMoment());
}

void Program::ShowReport(bool inBackground) {
  if (!m_common.EdidScreenOpen || !m_screen) return;
  BuildReport();
  m_host.showDocument(reportText(), inBackground);
  m_common.DocumentOpen = true;
}

std::string Program::reportText() const {
  return joinReportLines(m_common.ReportLines);
}

}  // namespace edid
