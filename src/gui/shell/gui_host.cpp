#include "gui/shell/gui_host.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QStandardPaths>

#include "gui/report/document_window.h"
#include "gui/report/report_printer.h"
#include "gui/screen/widget_mirror.h"
#include "gui/shell/dialogs.h"
#include "gui/shell/editor_settings.h"
#include "gui/shell/main_window.h"
#include "gui/shell/mdi_arrange.h"

namespace edid::gui {

GuiHost::GuiHost(MainWindow& window, Dialogs& dialogs, EditorSettings& settings)
    : m_window(window), m_dialogs(dialogs), m_settings(settings) {}

GuiHost::~GuiHost() {
  setBusy(false);
}

void GuiHost::message(const std::string& text) {
  m_dialogs.message(&m_window, QString::fromLatin1(kAppTitle), toQt(text));
}

bool GuiHost::ask(const std::string& text, const std::string& title, bool questionIcon) {
  const QString caption = title.empty() ? QString::fromLatin1(kAppTitle) : toQt(title);
  return m_dialogs.ask(&m_window, caption, toQt(text), questionIcon);
}

Answer GuiHost::askYesNoCancel(const std::string& text) {
  return m_dialogs.askYesNoCancel(&m_window, QString::fromLatin1(kAppTitle), toQt(text));
}

bool isUsableStartFolder(const QString& folder) {
  if (folder.isEmpty()) return false;
  const QFileInfo info(folder);
  if (!info.exists() || !info.isDir() || !info.isReadable()) return false;
  // Listing kernel file systems can block (a dialog reading /proc/kmsg hangs).
  const QString real = info.canonicalFilePath();
  for (const char* root : {"/proc", "/sys", "/dev"}) {
    const QString top = QLatin1String(root);
    if (real == top || real.startsWith(top + QLatin1Char('/'))) return false;
  }
  return true;
}

QString GuiHost::startFolder() const {
  const QString last = m_settings.lastFolder();
  if (isUsableStartFolder(last)) return last;
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

std::string GuiHost::chosen(const QString& fileName) const {
  if (fileName.isEmpty()) return {};
  // Paths go to the core in the file system's own encoding.
  return QFile::encodeName(fileName).toStdString();
}

void GuiHost::rememberFolder(const std::string& path) {
  const QString folder = QFileInfo(QFile::decodeName(path.c_str())).absolutePath();
  if (isUsableStartFolder(folder)) m_settings.setLastFolder(folder);
}

void GuiHost::fileOpened(const std::string& path) {
  rememberFolder(path);
  m_window.dropSavedNote();
  m_window.noteRecentFile(QFile::decodeName(path.c_str()));
}

void GuiHost::fileSaved(const std::string& path) {
  rememberFolder(path);
  m_window.showSaved(QFile::decodeName(path.c_str()));
  m_window.noteRecentFile(QFile::decodeName(path.c_str()));
}

std::string GuiHost::openFileName(const FileDialog& dialog) {
  if (!m_presetOpen.isEmpty()) {
    const QString preset = std::exchange(m_presetOpen, QString());
    return chosen(QFileInfo(preset).absoluteFilePath());
  }
  return chosen(m_dialogs.openFileName(&m_window, toQt(dialog.title), startFolder(),
                                       qtFileFilter(toQt(dialog.filter))));
}

std::string GuiHost::saveFileName(const FileDialog& dialog) {
  QString start = startFolder();
  if (!dialog.suggestedName.empty()) start = QDir(start).filePath(toQt(dialog.suggestedName));
  return chosen(m_dialogs.saveFileName(&m_window, toQt(dialog.title), start,
                                       qtFileFilter(toQt(dialog.filter))));
}

void GuiHost::setBusy(bool busy) {
  if (busy == m_busy) return;
  m_busy = busy;
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void GuiHost::processEvents() {
  QApplication::processEvents();
}

void GuiHost::screenLoaded() {
  m_window.openScreenWindow();
}

void GuiHost::screenUnloaded() {
  m_window.closeChildWindow(ChildWindow::EdidScreen);
}

void GuiHost::activate(ChildWindow window) {
  m_window.activateChildWindow(window);
}

void GuiHost::showDocument(const std::string& text, bool inBackground) {
  m_window.showDocument(toQt(text), inBackground);
}

void GuiHost::closeWindow(ChildWindow window) {
  m_window.closeChildWindow(window);
}

void GuiHost::calculatorLoaded() {
  m_window.openCalculatorWindow();
}

void GuiHost::tileVertically() {
  tileInColumns(m_window.mdiArea());
}

int GuiHost::chooseMonitor(const std::vector<MonitorChoice>& monitors) {
  QList<QStringList> rows;
  for (const MonitorChoice& monitor : monitors)
    rows.append({toQt(monitor.connector), toQt(monitor.manufacturer), toQt(monitor.productCode),
                 toQt(monitor.name)});
  return m_dialogs.chooseMonitor(&m_window, QString::fromLatin1(kAppTitle), rows);
}

QPrinter& GuiHost::printer() {
  if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *m_printer;
}

bool GuiHost::choosePrinter(const std::string& title, bool selection) {
  const DocumentWindow* document = m_window.documentWindow();
  m_selectedText = selection && document ? document->selectedText() : QString();
  return m_dialogs.print(&m_window, printer(), toQt(title), selection);
}

Status GuiHost::printDocument() {
  const DocumentWindow* document = m_window.documentWindow();
  if (!document) return failure("Cannot print: there is no report to print");
  const bool selection = printer().printRange() == QPrinter::Selection && !m_selectedText.isEmpty();
  const QString failed = paintReport(printer(), selection ? m_selectedText : document->text());
  if (!failed.isEmpty()) return failure("Cannot print: " + fromQt(failed));
  return success();
}

Status GuiHost::pageSetup() {
  m_dialogs.pageSetup(&m_window, printer());
  return success();
}

Status GuiHost::previewDocument() {
  const DocumentWindow* document = m_window.documentWindow();
  if (!document) return success();
  const QString text = document->text();
  QString failed;
  m_dialogs.printPreview(&m_window, printer(), [&text, &failed](QPrinter* target) {
    const QString error = paintReport(*target, text);
    if (!error.isEmpty()) failed = error;
  });
  if (!failed.isEmpty()) return failure("Cannot print: " + fromQt(failed));
  return success();
}

}  // namespace edid::gui
