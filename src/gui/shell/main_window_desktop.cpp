// What every desktop editor does: the recent files (File > Open Recent and the
// start page), files dropped on the window, one main window per further file with
// Ctrl+Tab between them, and the summary of the open EDID in the status bar.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include "core/input/load_edid.h"
#include "core/report/summary.h"
#include "core/shell/program.h"
#include "gui/screen/widget_mirror.h"
#include "gui/shell/editor_settings.h"
#include "gui/shell/gui_host.h"
#include "gui/shell/main_window.h"
#include "gui/shell/recent_files.h"
#include "gui/shell/start_page.h"

namespace edid::gui {

namespace {

QList<MainWindow*>& windowsInOrder() {
  static QList<MainWindow*> windows;
  return windows;
}

QStringList localFiles(const QMimeData* data) {
  QStringList files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) files << url.toLocalFile();
  return files;
}

std::string fileName(const QString& path) {
  return QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString();
}

}  // namespace

void MainWindow::setUpDesktop(const QString& settingsFile) {
  m_settingsFile = settingsFile;
  windowsInOrder().append(this);

  m_summaryPanel = new QLabel(statusBar());
  m_summaryPanel->setObjectName(QStringLiteral("sbStatusBar_summary"));
  // Before the date and time, after the one note panel.
  statusBar()->insertPermanentWidget(1, m_summaryPanel);
  m_summaryPanel->hide();

  m_startPage = new StartPage(m_mdi->viewport());
  m_startPage->move(16, 16);
  connect(m_startPage, &StartPage::fileChosen, this,
          [this](const QString& path) { openFile(path); });
  // The start page shows while the area holds no child window.
  m_mdi->viewport()->installEventFilter(this);
  refreshRecentFiles();

  // Widgets that take dropped text (the cells, the report) would take a file's
  // name as text; the window sees the drop first and opens the file instead.
  setAcceptDrops(true);
  qApp->installEventFilter(this);
}

void MainWindow::forgetWindow() {
  windowsInOrder().removeAll(this);
}

QList<MainWindow*> MainWindow::documentWindows() {
  QList<MainWindow*> shown;
  for (MainWindow* window : windowsInOrder())
    if (window->isVisible()) shown << window;
  return shown;
}

// ---------------------------------------------------------------------------
// Recent files

void MainWindow::createRecentMenu(QMenu* file) {
  m_recentMenu = file->addMenu(QStringLiteral("Open &Recent"));
  m_recentMenu->setObjectName(QStringLiteral("mnuFileRecent"));
  m_recentMenu->setToolTipsVisible(true);
  // Made once and relabelled, so an item may trigger the change of its own list.
  for (int i = 0; i < kMaxRecentFiles; ++i) {
    QAction* item = m_recentMenu->addAction(QString());
    item->setObjectName(QStringLiteral("mnuFileRecent_%1").arg(i));
    connect(item, &QAction::triggered, this, [this, item] { openFile(item->data().toString()); });
  }
  m_recentMenu->addSeparator();
  QAction* clear = m_recentMenu->addAction(QStringLiteral("Clear Menu"));
  clear->setObjectName(QStringLiteral("mnuFileRecentClear"));
  connect(clear, &QAction::triggered, this, [this] {
    clearRecentFiles(m_settings->store());
    refreshRecentFiles();
  });
  // Another window may have changed the list since.
  connect(m_recentMenu, &QMenu::aboutToShow, this, &MainWindow::refreshRecentFiles);
}

void MainWindow::refreshRecentFiles() {
  if (m_destroying) return;
  // A list edited by hand may be longer; only the newest show.
  const QStringList files = recentFiles(m_settings->store()).mid(0, kMaxRecentFiles);
  const QList<QAction*> items = m_recentMenu->actions();
  for (int i = 0; i < kMaxRecentFiles; ++i) {
    QAction* item = items[i];
    item->setVisible(i < files.size());
    if (i >= files.size()) continue;
    QString name = QFileInfo(files[i]).fileName();
    item->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(
        name.replace(QLatin1Char('&'), QStringLiteral("&&"))));
    item->setData(files[i]);
    item->setToolTip(QDir::toNativeSeparators(files[i]));
    item->setEnabled(QFileInfo::exists(files[i]));
  }
  m_recentMenu->menuAction()->setEnabled(!files.isEmpty());
  m_startPage->setFiles(files);
  updateStartPage();
}

void MainWindow::noteRecentFile(const QString& path) {
  addRecentFile(m_settings->store(), path);
  refreshRecentFiles();
}

void MainWindow::updateStartPage() {
  if (m_destroying || !m_mdi) return;
  const bool empty = m_mdi->subWindowList().isEmpty();
  m_startPage->setVisible(empty && !recentFiles(m_settings->store()).isEmpty());
  m_startPage->raise();
}

// ---------------------------------------------------------------------------
// Opening files

bool MainWindow::openFile(const QString& path) {
  bool opened = false;
  forward([&] { opened = m_program->openFile(fileName(path)); });
  return opened;
}

void MainWindow::openFiles(const QStringList& paths) {
  for (qsizetype i = 0; i < paths.size(); ++i) {
    if (i == 0)
      openFile(paths[i]);
    else
      openInNewWindow(paths[i]);
  }
}

MainWindow* MainWindow::openInNewWindow(const QString& path) {
  // Read first: a file that is not an EDID gets its message here, with no window.
  const std::string name = fileName(path);
  const auto loaded = loadEdidFile(name);
  if (!loaded) {
    m_host->message(loaded.error());
    return nullptr;
  }
  MainWindow* window = newDocumentWindow();
  window->forward([&] { window->program().openLoadedFile(name, *loaded); });
  return window;
}

MainWindow* MainWindow::newDocumentWindow() {
  auto* window = new MainWindow(m_ownDialogs ? nullptr : m_dialogs, m_settingsFile);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->splashTimer()->stop();
  window->program().sysfsRoot = m_program->sysfsRoot;
  window->program().registryFile = m_program->registryFile;
  // Cascaded from this one, so both stay in sight.
  window->resize(size());
  window->move(pos() + QPoint(32, 32));
  window->show();
  window->activateWindow();
  return window;
}

void MainWindow::switchDocument(int step) {
  const QList<MainWindow*> windows = documentWindows();
  const qsizetype at = windows.indexOf(this);
  if (windows.size() < 2 || at < 0) {
    if (step > 0)
      m_mdi->activateNextSubWindow();
    else
      m_mdi->activatePreviousSubWindow();
    return;
  }
  MainWindow* next = windows[(at + step + windows.size()) % windows.size()];
  next->raise();
  next->activateWindow();
}

void MainWindow::createDocumentSwitching(QMenu* window) {
  window->addSeparator();
  QAction* next = window->addAction(QStringLiteral("Ne&xt Document"));
  next->setObjectName(QStringLiteral("mnuWindowNextDocument"));
  next->setShortcuts(QKeySequence::NextChild);
  connect(next, &QAction::triggered, this, [this] { switchDocument(1); });
  QAction* previous = window->addAction(QStringLiteral("Pre&vious Document"));
  previous->setObjectName(QStringLiteral("mnuWindowPreviousDocument"));
  previous->setShortcuts(QKeySequence::PreviousChild);
  connect(previous, &QAction::triggered, this, [this] { switchDocument(-1); });
}

// ---------------------------------------------------------------------------
// Events

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
      auto* widget = qobject_cast<QWidget*>(watched);
      if (!widget || widget->window() != this) break;
      auto* drop = static_cast<QDropEvent*>(event);
      const QStringList files = localFiles(drop->mimeData());
      if (files.isEmpty()) break;
      drop->setDropAction(Qt::CopyAction);
      drop->accept();
      // Opened once the drop is over: "Save Changes?" must not hold the source's drag.
      if (event->type() == QEvent::Drop)
        QTimer::singleShot(0, this, [this, files] { openFiles(files); });
      return true;
    }
    case QEvent::ChildAdded:
    case QEvent::ChildRemoved:
      if (m_mdi && watched == m_mdi->viewport())
        QMetaObject::invokeMethod(this, &MainWindow::updateStartPage, Qt::QueuedConnection);
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_recentMenu)
    refreshRecentFiles();
  QMainWindow::changeEvent(event);
}

// ---------------------------------------------------------------------------
// Summary

void MainWindow::mirrorSummary() {
  if (!m_summaryPanel) return;
  const EdidScreen* screen = m_destroying ? nullptr : m_program->screen();
  const QString text = screen ? toQt(summaryLine(summarize(screen->image))) : QString();
  if (m_summaryPanel->text() != text) m_summaryPanel->setText(text);
  m_summaryPanel->setVisible(!text.isEmpty());
}

}  // namespace edid::gui
