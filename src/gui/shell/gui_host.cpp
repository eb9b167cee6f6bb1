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

QString GuiHost::startFolder() const {
  const QString last = m_settings.lastFolder();
  if (!last.isEmpty() && QDir(last).exists()) return last;
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

std::string GuiHost::chosen(const QString& fileName) {
  if (fileName.isEmpty()) return {};
  m_settings.setLastFolder(QFileInfo(fileName).absolutePath());
  // Paths go to the core in the file system's own encoding.
  return QFile::encodeName(fileName).toStdString();
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
  return chosen(m_dialogs.saveFileName(&m_window, toQt(dialog.title), startFolder(),
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
