#include "gui/shell/editor.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QEventLoop>
#include <QFile>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <string_view>

#include "core/program_version.h"
#include "core/shell/program.h"
#include "gui/info/program_icon.h"
#include "gui/report/report_printer.h"
#include "gui/shell/gui_host.h"
#include "gui/shell/main_window.h"
#include "gui/shell/splash_window.h"

namespace edid::gui {

bool parseEditorArguments(const QStringList& arguments, EditorOptions& options, QString* error) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("EDID / DDC editor"));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption modify(QStringLiteral("modify"),
                                  QStringLiteral("Switch \"Modify EDID\" on at start."));
  const QCommandLineOption autoSeek(
      QStringLiteral("auto-seek"),
      QStringLiteral("Switch \"Modify EDID\" and \"Auto Cell Seek\" on at start, so that a "
                     "focused cell puts the caret into its section's entry box."));
  const QCommandLineOption cell(QStringLiteral("cell"), QStringLiteral("Focus byte cell N."),
                                QStringLiteral("N"));
  const QCommandLineOption geometry(QStringLiteral("geometry"),
                                    QStringLiteral("Main window size in pixels."),
                                    QStringLiteral("WxH"));
  const QCommandLineOption maximized(QStringLiteral("maximized"),
                                     QStringLiteral("Start with the main window maximised."));
  const QCommandLineOption noSplash(QStringLiteral("no-splash"),
                                    QStringLiteral("Skip the start-up picture."));
  const QCommandLineOption sysfs(
      QStringLiteral("sysfs"),
      QStringLiteral("Read attached monitors from DIR instead of /sys/class/drm."),
      QStringLiteral("DIR"));
  const QCommandLineOption registry(
      QStringLiteral("registry"),
      QStringLiteral("Retrieve searches this registry export instead of the monitor."),
      QStringLiteral("FILE.reg"));
  const QCommandLineOption printToPdf(
      QStringLiteral("print-to-pdf"),
      QStringLiteral("Write the report of FILE as a PDF to OUT and exit, without a window."),
      QStringLiteral("OUT"));
  parser.addOptions(
      {modify, autoSeek, cell, geometry, maximized, noSplash, sysfs, registry, printToPdf});
  parser.addPositionalArgument(
      QStringLiteral("file"),
      QStringLiteral(
          "EDID files, each in a window of its own: a data file (*.DAT), a raw binary, hex "
          "text or a registry export."),
      QStringLiteral("[FILE...]"));
  if (!parser.parse(arguments)) {
    if (error) *error = parser.errorText();
    return false;
  }
  if (parser.isSet(QStringLiteral("help"))) {
    options.printText = parser.helpText();
    return true;
  }
  if (parser.isSet(QStringLiteral("version"))) {
    options.printText = QStringLiteral("edidedit %1\n").arg(QLatin1String(kProgramVersion));
    return true;
  }
  options.autoSeek = parser.isSet(autoSeek);
  // Auto Cell Seek only works while Modify EDID is on.
  options.modify = parser.isSet(modify) || options.autoSeek;
  options.maximized = parser.isSet(maximized);
  options.splash = !parser.isSet(noSplash);
  options.sysfsRoot = parser.value(sysfs);
  options.registryFile = parser.value(registry);
  if (parser.isSet(cell)) {
    bool ok = false;
    options.focusCell = parser.value(cell).toInt(&ok);
    if (!ok || options.focusCell < 0 || options.focusCell > 127) {
      if (error) *error = QStringLiteral("--cell takes a byte index from 0 to 127");
      return false;
    }
  }
  if (parser.isSet(geometry)) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)x(\\d+)$"));
    const auto match = pattern.match(parser.value(geometry));
    if (!match.hasMatch()) {
      if (error) *error = QStringLiteral("--geometry takes WIDTHxHEIGHT in pixels");
      return false;
    }
    options.size = QSize(match.captured(1).toInt(), match.captured(2).toInt());
  }
  const QStringList files = parser.positionalArguments();
  if (!files.isEmpty()) options.openPath = files.first();
  options.morePaths = files.mid(1);
  options.printToPdf = parser.value(printToPdf);
  if (parser.isSet(printToPdf) && (options.printToPdf.isEmpty() || options.openPath.isEmpty() ||
                                   !options.morePaths.isEmpty())) {
    if (error) *error = QStringLiteral("--print-to-pdf takes the PDF to write and an EDID file");
    return false;
  }
  return true;
}

std::unique_ptr<MainWindow> startEditor(const EditorOptions& options) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QApplication::processEvents();

  std::unique_ptr<SplashWindow> splash;
  if (options.splash) {
    splash = std::make_unique<SplashWindow>();
    splash->show();
    splash->repaint();
  }

  auto window = std::make_unique<MainWindow>(options.dialogs, options.settingsFile);
  if (splash) {
    QEventLoop wait;
    QObject::connect(window.get(), &MainWindow::splashWaitOver, &wait, &QEventLoop::quit);
    if (window->splashTimer()->isActive()) wait.exec();
  } else {
    window->splashTimer()->stop();
  }

  if (options.size.isValid()) window->resize(options.size);
  if (options.maximized) {
    // Without a window manager nothing maximises: fill the available area first.
    if (QScreen* screen = window->screen()) window->setGeometry(screen->availableGeometry());
    window->showMaximized();
  } else
    window->show();
  // Take the keyboard at once, so the menu keys work before the first click.
  window->activateWindow();
  splash.reset();
  QApplication::restoreOverrideCursor();
  QApplication::processEvents();

  Program& program = window->program();
  if (!options.sysfsRoot.isEmpty())
    program.sysfsRoot = QFile::encodeName(options.sysfsRoot).toStdString();
  if (!options.registryFile.isEmpty())
    program.registryFile = QFile::encodeName(options.registryFile).toStdString();
  if (!options.openPath.isEmpty()) {
    window->host().presetOpenFileName(options.openPath);
    window->forward([&] { program.mnuFileOpen_Click(); });
    // A flow that never asked for the file must not answer a later dialog with it.
    window->host().presetOpenFileName({});
  }
  if (options.modify && !program.common().ModifyMode)
    window->forward([&] { program.Command2_Click(); });
  if (options.autoSeek && !program.common().AutoCellSeekMode)
    window->forward([&] { program.Command3_Click(); });
  if (options.focusCell >= 0)
    window->forward([&] { program.showScreen().setFocusToCell(options.focusCell); });
  for (const QString& path : options.morePaths) window->openInNewWindow(path);
  return window;
}

int runEditor(int argc, char** argv) {
  Q_UNUSED(argc);
  Q_UNUSED(argv);
  QApplication::setApplicationVersion(QLatin1String(kProgramVersion));
  QApplication::setWindowIcon(programIcon());
  // Lets a Wayland desktop match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(EDID_APP_ID));
  EditorOptions options;
  QString error;
  if (!parseEditorArguments(QApplication::arguments(), options, &error)) {
    std::fprintf(stderr, "edidedit: %s\n", qPrintable(error));
    return 2;
  }
  if (!options.printText.isEmpty()) {
    std::fputs(qPrintable(options.printText), stdout);
    return 0;
  }
  if (!options.printToPdf.isEmpty())
    return printDataFileToPdf(options.printToPdf, options.openPath);
  const std::unique_ptr<MainWindow> window = startEditor(options);
  return QApplication::exec();
}

void prepareEditorPlatform(int argc, char** argv) {
  // Printing to a file, help and version need no screen: a server without a
  // display can do them.
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const bool printsOnly = argument == "--help" || argument == "-h" || argument == "-?" ||
                            argument == "--help-all" || argument == "--version" || argument == "-v";
    const bool pdf = argument == "--print-to-pdf" || argument.starts_with("--print-to-pdf=");
    if (!printsOnly && !pdf) continue;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // A script wants the output or one clear message, not the toolkit's chatter.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
      if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
    });
  }
}

}  // namespace edid::gui
