// The export of the image as a binary EDID file, and printing the report.
#include "core/common/binary_file.h"
#include "core/common/data_file.h"
#include "core/common/extension_blocks.h"
#include "core/shell/program.h"

namespace edid {

void Program::ExportBinary_Click() {
  if (!m_common.EdidScreenOpen || !m_screen) return;
  // A kernel refuses, or cuts short, an EDID whose byte 126 miscounts its blocks.
  if (const auto mismatch = extensionCountMismatch(m_screen->image);
      mismatch && !m_host.ask(*mismatch))
    return;
  const std::string name = m_host.saveFileName({"Save As", "All Files (*.*)|*.*", "", ""});
  if (name.empty()) return;
  if (fileExists(name) && !m_host.ask(name + "\r\n\r\nExisits! Do you want to Replace it?")) return;
  const Status exported = exportBinaryFile(name, m_screen->image);
  if (!exported) m_host.message(exported.error());
}

void Program::mnuFilePrint_Click(ChildWindow active, bool activeHasSelection) {
  if (!m_common.EdidScreenOpen || !m_screen || active == ChildWindow::None) return;
  // Cancel ends the print before anything is built.
  if (!m_host.choosePrinter("Print", activeHasSelection)) return;
  ShowReport(true);
  const Status printed = m_host.printDocument();
  // The document window goes after a print, even when the user had it open before.
  m_host.closeWindow(ChildWindow::Document);
  documentClosed();
  if (!printed) m_host.message(printed.error());
}

void Program::mnuFilePageSetup_Click() {
  const Status done = m_host.pageSetup();
  if (!done) m_host.message(done.error());
}

void Program::mnuFilePrintPreview_Click() {
  if (!m_common.EdidScreenOpen || !m_screen) return;
  ShowReport(false);
  const Status done = m_host.previewDocument();
  if (!done) m_host.message(done.error());
}

}  // namespace edid
