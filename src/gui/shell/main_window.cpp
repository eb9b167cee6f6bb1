#include "gui/shell/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>

#include "core/common/common.h"
#include "core/common/extension_blocks.h"
#include "core/common/host.h"
#include "core/common/model_list.h"
#include "core/shell/program.h"
#include "gui/apply/apply_dialog.h"
#include "gui/calculator/hex_calculator_window.h"
#include "gui/info/about_dialog.h"
#include "gui/info/help_dialog.h"
#include "gui/registry/base_location_dialog.h"
#include "gui/report/document_window.h"
#include "gui/screen/edid_screen_widget.h"
#include "gui/screen/widget_mirror.h"
#include "gui/shell/child_sub_window.h"
#include "gui/shell/dialogs.h"
#include "gui/shell/editor_settings.h"
#include "gui/shell/gui_host.h"
#include "gui/shell/mdi_arrange.h"

namespace edid::gui {

namespace {
constexpr const char* kWindowListProperty = "edidWindowListEntry";
}

MainWindow::MainWindow(Dialogs* dialogs, const QString& settingsFile, QWidget* parent)
    : QMainWindow(parent),
      m_ownDialogs(dialogs ? nullptr : std::make_unique<Dialogs>()),
      m_dialogs(dialogs ? dialogs : m_ownDialogs.get()),
      m_settings(std::make_unique<EditorSettings>(settingsFile)),
      m_host(std::make_unique<GuiHost>(*this, *m_dialogs, *m_settings)),
      m_program(std::make_unique<Program>(*m_host)) {
  setObjectName(QStringLiteral("frmMain"));
  m_program->modelListFolders =
      defaultModelListFolders(QCoreApplication::applicationDirPath().toStdString());

  createMenus();
  createToolBar();
  createCentralArea();
  createStatusBar();
  readSettings();
  setWindowTitle(QString::fromLatin1(kAppTitle));
  mirrorButtons();

  m_timer1 = new QTimer(this);
  m_timer1->setObjectName(QStringLiteral("timer1"));
  m_timer1->setSingleShot(true);
  m_timer1->setTimerType(Qt::PreciseTimer);
  m_timer1->setInterval(2000);
  connect(m_timer1, &QTimer::timeout, this, &MainWindow::splashWaitOver);
  m_timer1->start();
  setUpDesktop(settingsFile);
}

MainWindow::~MainWindow() {
  // Going child windows send focus events; they must find no screen model to
  // forward them to, or a cell left with a bad value would still complain.
  m_destroying = true;
  forgetWindow();
  m_screenWidget = nullptr;
  m_document = nullptr;
  m_calculator = nullptr;
  delete m_mdi;
  m_mdi = nullptr;
}

// ---------------------------------------------------------------------------
// Construction

QAction* MainWindow::addMenuItem(QMenu* menu, const char* name, const QString& caption,
                                 const QKeySequence& shortcut, std::function<void()> action) {
  auto* item = menu->addAction(caption);
  item->setObjectName(QLatin1String(name));
  if (!shortcut.isEmpty()) item->setShortcut(shortcut);
  if (action) connect(item, &QAction::triggered, this, [action] { action(); });
  return item;
}

void MainWindow::createMenus() {
  Program& program = *m_program;
  m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
  m_fileMenu->setObjectName(QStringLiteral("mnuFile"));
  QMenu* file = m_fileMenu;
  auto separator = [file](const char* name) {
    file->addSeparator()->setObjectName(QLatin1String(name));
  };
  addMenuItem(file, "mnuFileNew", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N),
              [this, &program] { forward([&] { program.mnuFileNew_Click(); }); });
  addMenuItem(file, "mnuFileOpen", QStringLiteral("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O),
              [this, &program] { forward([&] { program.mnuFileOpen_Click(); }); });
  createRecentMenu(file);
  addMenuItem(file, "mnuFileClose", QStringLiteral("&Close"), {}, [this, &program] {
    const ChildWindow active = activeChild();
    forward([&] { program.mnuFileClose_Click(active); });
  });
  separator("mnuFileBar0");
  addMenuItem(file, "mnuFileSave", QStringLiteral("&Save"), {},
              [this, &program] { forward([&] { program.mnuFileSave_Click(); }); });
  addMenuItem(file, "mnuFileSaveAs", QStringLiteral("Save &As..."), {},
              [this, &program] { forward([&] { program.mnuFileSaveAs_Click(); }); });
  separator("mnuFileBar1");
  addMenuItem(file, "mnuFilePageSetup", QStringLiteral("Page Set&up..."), {},
              [this, &program] { forward([&] { program.mnuFilePageSetup_Click(); }); });
  addMenuItem(file, "mnuFilePrintPreview", QStringLiteral("Print Pre&view"),
              QKeySequence(Qt::CTRL | Qt::Key_R),
              [this, &program] { forward([&] { program.mnuFilePrintPreview_Click(); }); });
  addMenuItem(file, "mnuFilePrint", QStringLiteral("&Print..."), QKeySequence(Qt::CTRL | Qt::Key_P),
              [this, &program] {
                const ChildWindow active = activeChild();
                const bool selection = active == ChildWindow::Document && m_document &&
                                       m_document->textBox()->textCursor().hasSelection();
                forward([&] { program.mnuFilePrint_Click(active, selection); });
              });
  separator("mnuFileBar2");
  addMenuItem(file, "ExportBinary", QStringLiteral("&Export Binary EDID File"),
              QKeySequence(Qt::Key_F3),
              [this, &program] { forward([&] { program.ExportBinary_Click(); }); });
  addMenuItem(file, "ApplyToComputer", QStringLiteral("Apply to This Computer..."), {},
              [this] { showApplyDialog(); });
  addMenuItem(file, "HexCalculator", QStringLiteral("&Hex Calculator"), QKeySequence(Qt::Key_F9),
              [this, &program] { forward([&] { program.HexCalculator_Click(); }); });
  addMenuItem(file, "GetEDIDData", QStringLiteral("Retreive EDID Data"),
              QKeySequence(Qt::CTRL | Qt::Key_F5),
              [this, &program] { forward([&] { program.GetEDIDData_Click(); }); });
  // Also where the search runs on a registry export a technician brought along.
  addMenuItem(file, "Windows2000", QStringLiteral("Windows 2000 Base Location"), {},
              [this] { showBaseLocationDialog(); });
  separator("mnuFileBar3");
  addMenuItem(file, "mnuFileExit", QStringLiteral("E&xit"), {}, [this] { close(); });
  // Items without a key of their own get the platform's usual one, so that Ctrl+S
  // saves as in every other program. Some platforms name no key for Save As or
  // Quit; the common Ctrl+Shift+S and Ctrl+Q stand in there.
  struct StandardKey {
    const char* name;
    QKeySequence::StandardKey key;
    QKeyCombination fallback;
  };
  static constexpr StandardKey kStandardKeys[] = {
      {"mnuFileNew", QKeySequence::New, Qt::CTRL | Qt::Key_N},
      {"mnuFileOpen", QKeySequence::Open, Qt::CTRL | Qt::Key_O},
      {"mnuFileClose", QKeySequence::Close, Qt::CTRL | Qt::Key_W},
      {"mnuFileSave", QKeySequence::Save, Qt::CTRL | Qt::Key_S},
      {"mnuFileSaveAs", QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S},
      {"mnuFileExit", QKeySequence::Quit, Qt::CTRL | Qt::Key_Q},
  };
  for (const StandardKey& standard : kStandardKeys) {
    QAction* item = file->findChild<QAction*>(QLatin1String(standard.name));
    if (!item || !item->shortcut().isEmpty()) continue;
    QList<QKeySequence> keys = QKeySequence::keyBindings(standard.key);
    if (keys.isEmpty()) keys << QKeySequence(standard.fallback);
    item->setShortcuts(keys);
  }

  // The history lives in the core; these only show it and ask it to move.
  m_editMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
  m_editMenu->setObjectName(QStringLiteral("mnuEdit"));
  m_undo = addMenuItem(m_editMenu, "mnuEditUndo", QStringLiteral("&Undo"), {}, [this] {
    forward([this] {
      if (EdidScreen* screen = m_program->screen()) screen->undo();
    });
  });
  m_redo = addMenuItem(m_editMenu, "mnuEditRedo", QStringLiteral("&Redo"), {}, [this] {
    forward([this] {
      if (EdidScreen* screen = m_program->screen()) screen->redo();
    });
  });
  m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  m_redo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  m_undo->setIcon(
      QIcon::fromTheme(QStringLiteral("edit-undo"), style()->standardIcon(QStyle::SP_ArrowBack)));
  m_redo->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"),
                                   style()->standardIcon(QStyle::SP_ArrowForward)));
  m_undo->setData(QStringLiteral("Undo"));
  m_redo->setData(QStringLiteral("Redo"));
  mirrorHistory();

  createProblemsPane();

  m_windowMenu = menuBar()->addMenu(QStringLiteral("&Window"));
  m_windowMenu->setObjectName(QStringLiteral("mnuWindow"));
  addMenuItem(m_windowMenu, "mnuWindowCascade", QStringLiteral("&Cascade"), {},
              [this] { m_mdi->cascadeSubWindows(); });
  addMenuItem(m_windowMenu, "mnuWindowTileHorizontal", QStringLiteral("Tile &Horizontal"), {},
              [this] { tileInRows(m_mdi); });
  addMenuItem(m_windowMenu, "mnuWindowTileVertical", QStringLiteral("Tile &Vertical"), {},
              [this] { tileInColumns(m_mdi); });
  addMenuItem(m_windowMenu, "mnuWindowArrangeIcons", QStringLiteral("&Arrange Icons"), {},
              [this] { arrangeIcons(m_mdi); });
  createDocumentSwitching(m_windowMenu);

  connect(m_windowMenu, &QMenu::aboutToShow, this, &MainWindow::updateWindowMenu);

  m_helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
  m_helpMenu->setObjectName(QStringLiteral("mnuHelp"));
  addMenuItem(m_helpMenu, "Info", QStringLiteral("&Information"), {},
              [this] { showInformation(); });
  addMenuItem(m_helpMenu, "mnuHelpAbout", QStringLiteral("&About "), {}, [this] { about(); });
}

void MainWindow::createToolBar() {
  auto* toolBar = addToolBar(QStringLiteral("tbToolBar"));
  toolBar->setObjectName(QStringLiteral("tbToolBar"));
  toolBar->setMovable(false);
  struct Button {
    const char* key;
    const char* toolTip;
    const char* themeIcon;
    QStyle::StandardPixmap fallback;
  };
  static constexpr Button kButtons[] = {
      {"New", "New", "document-new", QStyle::SP_FileIcon},
      {"Open", "Open", "document-open", QStyle::SP_DialogOpenButton},
      {"Save", "Save", "document-save", QStyle::SP_DialogSaveButton},
      {"Print Preview", "Print Preview", "document-print-preview",
       QStyle::SP_FileDialogContentsView},
      {"Print", "Print", "document-print", QStyle::SP_FileDialogDetailedView},
      {"Calculator", "Displays Calculator", "accessories-calculator", QStyle::SP_ComputerIcon},
      {"GetEDID", "Retrieve EDID Data", "video-display", QStyle::SP_DesktopIcon},
  };
  for (const Button& button : kButtons) {
    const QString key = QLatin1String(button.key);
    const QIcon icon =
        QIcon::fromTheme(QLatin1String(button.themeIcon), style()->standardIcon(button.fallback));
    QAction* action = toolBar->addAction(icon, key);
    action->setObjectName(key);
    action->setData(key);
    action->setToolTip(QLatin1String(button.toolTip));
    connect(action, &QAction::triggered, this, [this, key] { tbToolBar_ButtonClick(key); });
    if (button.key == std::string_view("Save") || button.key == std::string_view("Print"))
      toolBar->addSeparator();
    if (button.key == std::string_view("Save")) {
      toolBar->addAction(m_undo);
      toolBar->addAction(m_redo);
      toolBar->addSeparator();
    }
  }
}

void MainWindow::createCentralArea() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* buttons = new QWidget(central);
  buttons->setObjectName(QStringLiteral("picButtons"));
  auto* row = new QHBoxLayout(buttons);
  row->setContentsMargins(4, 2, 4, 4);
  Program& program = *m_program;
  const std::function<void()> clicks[3] = {
      [this, &program] { forward([&] { program.Command1_Click(); }); },
      [this, &program] { forward([&] { program.Command2_Click(); }); },
      [this, &program] { forward([&] { program.Command3_Click(); }); },
  };
  for (int i = 0; i < 3; ++i) {
    auto* button = new QPushButton(buttons);
    button->setObjectName(QStringLiteral("Command%1").arg(i + 1));
    // A click must not take the focus from the cell being edited.
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QPushButton::clicked, this, clicks[i]);
    row->addWidget(button);
    m_command[i] = button;
  }
  row->addStretch();
  layout->addWidget(buttons);

  m_mdi = new QMdiArea(central);
  m_mdi->setObjectName(QStringLiteral("mdiArea"));
  // A window the user made small still reaches its children by scroll bars.
  m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  layout->addWidget(m_mdi, 1);
  setCentralWidget(central);
}

void MainWindow::createStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("sbStatusBar"));
  // The panels on the right (summary, problems, date, time) read apart, not as one line.
  bar->setStyleSheet(
      QStringLiteral("QStatusBar::item { border-left: 1px solid palette(mid); }"
                     "QStatusBar QLabel { padding: 0 6px; }"));
  m_statusPanel = new QLabel(QStringLiteral("Status"), bar);
  m_statusPanel->setObjectName(QStringLiteral("sbStatusBar_1"));
  m_datePanel = new QLabel(bar);
  m_datePanel->setObjectName(QStringLiteral("sbStatusBar_2"));
  m_timePanel = new QLabel(bar);
  m_timePanel->setObjectName(QStringLiteral("sbStatusBar_3"));
  bar->addWidget(m_statusPanel, 1);
  bar->addPermanentWidget(m_datePanel);
  bar->addPermanentWidget(m_timePanel);
  updateClock();
  m_clock = new QTimer(this);
  m_clock->setInterval(1000);
  connect(m_clock, &QTimer::timeout, this, &MainWindow::updateClock);
  m_clock->start();
}

void MainWindow::showStatus(const QString& text) {
  m_savedPath.clear();
  m_statusPanel->setText(text);
}

void MainWindow::showSaved(const QString& path) {
  showStatus(QStringLiteral("Saved %1").arg(path));
  m_savedPath = path;
}

void MainWindow::dropSavedNote() {
  if (m_savedPath.isEmpty()) return;
  showStatus(QString());
}

// The note holds while the image is the one saved under that name.
void MainWindow::dropStaleSavedNote() {
  if (m_savedPath.isEmpty() || !m_program) return;
  const Common& common = m_program->common();
  if (!common.UnsavedChanges && QFile::decodeName(common.CurrentFilePath.c_str()) == m_savedPath)
    return;
  dropSavedNote();
}

void MainWindow::updateClock() {
  const QLocale locale;
  const QDateTime now = QDateTime::currentDateTime();
  m_datePanel->setText(locale.toString(now.date(), QLocale::ShortFormat));
  m_timePanel->setText(locale.toString(now.time(), QLocale::ShortFormat));
}

void MainWindow::readSettings() {
  QString error;
  // Without a saved position the window opens showing the whole decoding screen,
  // within the screen and centred, rather than at a size too small for it.
  const QRect geometry = m_settings->hasMainGeometry()
                             ? m_settings->mainGeometry(&error)
                             : centredIn(fullScreenSize(), availableArea());
  move(geometry.topLeft());
  resize(geometry.size());
  if (!m_settings->hasMainGeometry()) m_firstSize = size();
  m_program->restoreRegistryBaseLocation(fromQt(m_settings->registryBaseLocation()));
  m_program->registryFile = QFile::encodeName(m_settings->registryFile()).toStdString();
  if (!error.isEmpty()) m_host->message(fromQt(error));
}

void MainWindow::writeSettings() {
  m_settings->setMainGeometry(QRect(pos(), size()));
}

QRect MainWindow::availableArea() const {
  QScreen* shown = screen();
  if (!shown) return {};
  QRect area = shown->availableGeometry();
  // At a fractional scale the screen's size in device-independent pixels is
  // rounded, possibly up; one pixel less keeps the window inside in device pixels.
  const qreal ratio = shown->devicePixelRatio();
  if (ratio != std::floor(ratio)) area.adjust(0, 0, -1, -1);
  return area;
}

QSize MainWindow::fullScreenSize() {
  // Measured on a decoding screen of its own, never shown, in the MDI area. The
  // frames share one place and take their width from their captions, so each
  // section is shown in turn on a blank image.
  QuietHost host;
  Common common;
  EdidScreen model(common, host);
  auto* probe = new QMdiSubWindow;
  auto* probeScreen = new EdidScreenWidget([&model] { return &model; });
  // Room for one extension block too: most monitors send one.
  probeScreen->extensionArea()->show();
  probe->setWidget(probeScreen);
  m_mdi->addSubWindow(probe);
  QSize child = probe->sizeHint();
  for (int index : {0, 8, 18, 20, 25, 35, 36, 37, 38, 54, 72, 90, 108, 126}) {
    model.txtEdit_GotFocus(index);
    model.focusRequested = false;
    probeScreen->refresh();
    // Never shown, the probe's layouts would keep the sizes cached before the texts.
    for (QWidget* widget : probe->findChildren<QWidget*>()) widget->updateGeometry();
    child = child.expandedTo(probe->sizeHint());
  }
  m_mdi->removeSubWindow(probe);
  delete probe;

  // The MDI area spans the central width; the menus, toolbar, buttons and status
  // bar add their heights to what it needs.
  const int frame = 2 * m_mdi->frameWidth();
  const QSize least = minimumSizeHint();
  const QSize whole(std::max(least.width(), child.width() + frame),
                    least.height() - m_mdi->minimumSizeHint().height() + child.height() + frame);
  return whole;
}

// ---------------------------------------------------------------------------
// Mirroring

void MainWindow::forward(const std::function<void()>& handler) {
  handler();
  sync();
}

void MainWindow::sync() {
  mirrorButtons();
  if (m_screenWidget) m_screenWidget->refresh();
  dropStaleSavedNote();
  mirrorHistory();
  mirrorSummary();
  mirrorProblems();
}

void MainWindow::mirrorHistory() {
  const EdidScreen* screen = m_destroying ? nullptr : m_program->screen();
  const Document* document = screen ? &screen->document : nullptr;
  const auto mirror = [](QAction* action, const QString& verb, bool possible,
                         const std::string& label) {
    QString text = verb;
    if (possible)
      text += QLatin1Char(' ') + toQt(label).replace(QLatin1Char('&'), QStringLiteral("&&"));
    if (action->text() != text) action->setText(text);
    action->setEnabled(possible);
  };
  mirror(m_undo, QStringLiteral("&Undo"), document && document->canUndo(),
         document ? document->undoLabel() : std::string());
  mirror(m_redo, QStringLiteral("&Redo"), document && document->canRedo(),
         document ? document->redoLabel() : std::string());
}

void MainWindow::mirrorButtons() {
  const Button* models[3] = {&m_program->Command1, &m_program->Command2, &m_program->Command3};
  for (int i = 0; i < 3; ++i) {
    QPushButton* button = m_command[i];
    const QString caption = toQt(models[i]->caption);
    if (button->text() != caption) button->setText(caption);
    button->setEnabled(models[i]->enabled);
    mirrorVisible(button, models[i]->visible);
  }
}

// ---------------------------------------------------------------------------
// Child windows

ChildWindow MainWindow::activeChild() const {
  QMdiSubWindow* current = m_mdi ? m_mdi->currentSubWindow() : nullptr;
  if (!current) return ChildWindow::None;
  if (current == m_screenSub) return ChildWindow::EdidScreen;
  if (current == m_documentSub) return ChildWindow::Document;
  if (current && current == m_calculatorSub) return ChildWindow::HexCalculator;
  return ChildWindow::None;
}

void MainWindow::openScreenWindow() {
  if (m_screenSub) return;
  auto* widget = new EdidScreenWidget(
      [this]() -> EdidScreen* { return m_destroying ? nullptr : m_program->screen(); });
  auto* sub = new ChildSubWindow;
  sub->setObjectName(QStringLiteral("frmEDIDWindow"));
  sub->setWidget(widget);
  sub->canClose = [this] {
    bool closed = true;
    forward([&] { closed = m_program->closeScreen(); });
    return closed;
  };
  sub->closed = [this] {
    m_screenSub = nullptr;
    m_screenWidget = nullptr;
    mirrorHistory();
  };
  m_screenSub = sub;
  m_screenWidget = widget;
  connect(widget, &EdidScreenWidget::refreshed, this, &MainWindow::dropStaleSavedNote);
  connect(widget, &EdidScreenWidget::refreshed, this, &MainWindow::mirrorHistory);
  connect(widget, &EdidScreenWidget::refreshed, this, &MainWindow::mirrorSummary);
  connect(widget, &EdidScreenWidget::refreshed, this, &MainWindow::mirrorProblems);
  m_mdi->addSubWindow(sub);
  sub->show();
  sub->adjustSize();
  // After the decode that follows has put its texts on the screen.
  QTimer::singleShot(0, this, [this, shown = QPointer<QWidget>(sub)] {
    if (shown) fitFirstScreen(shown);
  });
  // No larger than the area it opens in; a smaller one scrolls its contents.
  sub->resize(sub->size().boundedTo(m_mdi->viewport()->size()));
}

void MainWindow::fitFirstScreen(QWidget* sub) {
  // The first size is measured on a blank screen; a real EDID's texts may want a
  // little more. Once, and never past the available screen, the window grows to
  // show the first screen without scroll bars. A size set by the user is kept.
  const QSize first = std::exchange(m_firstSize, QSize());
  if (first != size() || isMaximized() || isFullScreen()) return;
  QMdiSubWindow* child = qobject_cast<QMdiSubWindow*>(sub);
  if (!child || !child->widget()) return;
  if (QLayout* contents = child->widget()->layout()) contents->activate();
  const QSize wanted = child->widget()->sizeHint() + (sub->size() - child->widget()->size());
  const QSize shortfall = (wanted - m_mdi->viewport()->size()).expandedTo(QSize(0, 0));
  if (shortfall.isNull()) return;
  const QRect area = availableArea();
  const QSize frame = frameGeometry().size() - size();
  const QSize grown = (size() + shortfall).boundedTo(area.size() - frame).expandedTo(size());
  QPoint corner = pos();
  // Kept on the screen: the far edge first, then the near one wins.
  corner.setX(std::max(area.left(),
                       std::min(corner.x(), area.right() + 1 - grown.width() - frame.width())));
  corner.setY(std::max(area.top(),
                       std::min(corner.y(), area.bottom() + 1 - grown.height() - frame.height())));
  resize(grown);
  move(corner);
  if (QLayout* own = layout()) own->activate();
  sub->resize(wanted.boundedTo(m_mdi->viewport()->size()));
}

void MainWindow::closeChildWindow(ChildWindow window) {
  ChildSubWindow* sub = nullptr;
  if (window == ChildWindow::EdidScreen) sub = m_screenSub;
  if (window == ChildWindow::Document) sub = m_documentSub;
  if (window == ChildWindow::HexCalculator) sub = m_calculatorSub;
  if (sub) sub->closeWithoutAsking();
}

void MainWindow::activateChildWindow(ChildWindow window) {
  if (window == ChildWindow::EdidScreen && m_screenSub) m_mdi->setActiveSubWindow(m_screenSub);
  if (window == ChildWindow::Document && m_documentSub) m_mdi->setActiveSubWindow(m_documentSub);
  if (window == ChildWindow::HexCalculator && m_calculatorSub)
    m_mdi->setActiveSubWindow(m_calculatorSub);
}

void MainWindow::openCalculatorWindow() {
  if (m_calculatorSub) return;
  auto* widget = new HexCalculatorWindow(
      [this]() -> HexCalculator* { return m_destroying ? nullptr : m_program->calculator(); },
      [this] { sync(); });
  auto* sub = new ChildSubWindow;
  sub->setObjectName(QStringLiteral("frmHexCalculatorWindow"));
  sub->setWidget(widget);
  sub->closed = [this] {
    m_calculatorSub = nullptr;
    m_calculator = nullptr;
    if (m_program) m_program->calculatorClosed();
  };
  m_calculatorSub = sub;
  m_calculator = widget;
  m_mdi->addSubWindow(sub);
  sub->show();
  sub->adjustSize();
  widget->setFocus();
}

void MainWindow::showDocument(const QString& text, bool inBackground) {
  if (!m_documentSub) {
    auto* document = new DocumentWindow;
    auto* sub = new ChildSubWindow;
    sub->setObjectName(QStringLiteral("frmDocumentWindow"));
    sub->setWidget(document);
    sub->closed = [this] {
      m_documentSub = nullptr;
      m_document = nullptr;
      if (m_program) m_program->documentClosed();
    };
    m_documentSub = sub;
    m_document = document;
    m_mdi->addSubWindow(sub);
    sub->show();
    // Readable at once, but never larger than the area it opens in.
    const QSize frame = sub->size() - document->size();
    sub->resize((document->sizeHint() + frame).boundedTo(m_mdi->viewport()->size()));
  }
  m_document->setReport(text);
  m_document->textBox()->setVisible(!inBackground);
  if (inBackground)
    activateChildWindow(ChildWindow::EdidScreen);
  else
    m_mdi->setActiveSubWindow(m_documentSub);
}

// ---------------------------------------------------------------------------
// Commands

void MainWindow::tbToolBar_ButtonClick(const QString& key) {
  static const std::pair<const char*, const char*> kMenuOfKey[] = {
      {"New", "mnuFileNew"},      {"Open", "mnuFileOpen"},
      {"Save", "mnuFileSave"},    {"Print Preview", "mnuFilePrintPreview"},
      {"Print", "mnuFilePrint"},  {"Calculator", "HexCalculator"},
      {"GetEDID", "GetEDIDData"},
  };
  for (const auto& [button, menu] : kMenuOfKey) {
    if (key != QLatin1String(button)) continue;
    if (auto* item = m_fileMenu->findChild<QAction*>(QLatin1String(menu))) item->trigger();
    return;
  }
}

void MainWindow::updateWindowMenu() {
  // The list of open child windows after the arrange commands, the active one checked.
  for (QAction* action : m_windowMenu->actions()) {
    if (action->property(kWindowListProperty).toBool()) {
      m_windowMenu->removeAction(action);
      delete action;
    }
  }
  const QList<QMdiSubWindow*> windows = m_mdi->subWindowList();
  if (windows.isEmpty()) return;
  QAction* separator = m_windowMenu->addSeparator();
  separator->setProperty(kWindowListProperty, true);
  for (qsizetype i = 0; i < windows.size(); ++i) {
    QMdiSubWindow* sub = windows[i];
    QString title = sub->widget() ? sub->widget()->windowTitle() : sub->windowTitle();
    title.replace(QStringLiteral("[*]"), sub->widget() && sub->widget()->isWindowModified()
                                             ? QStringLiteral("*")
                                             : QString());
    QAction* action = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(title));
    action->setObjectName(QStringLiteral("mnuWindowList_%1").arg(i));
    action->setProperty(kWindowListProperty, true);
    action->setCheckable(true);
    action->setChecked(sub == m_mdi->activeSubWindow());
    connect(action, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
      if (sub) m_mdi->setActiveSubWindow(sub);
    });
  }
}

void MainWindow::showApplyDialog() {
  const EdidScreen* screen = m_program->screen();
  if (!screen) return;
  auto* dialog =
      new ApplyDialog(rawEdidBytes(screen->image), m_program->sysfsRoot, *m_dialogs, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->open();
}

void MainWindow::showBaseLocationDialog() {
  BaseLocationDialog dialog(*m_program, *m_settings, *m_dialogs, this);
  dialog.exec();
}

void MainWindow::about() {
  AboutDialog dialog(*m_dialogs, this);
  dialog.exec();
}

void MainWindow::showInformation() {
  HelpDialog dialog(this);
  dialog.exec();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  bool closed = true;
  forward([&] { closed = m_program->closeAll(); });
  if (!closed) {
    event->ignore();
    return;
  }
  if (!isMinimized()) writeSettings();
  event->accept();
}

}  // namespace edid::gui
