#include "gui/shell/editor.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QEventLoop>
#include <QRegularExpression>
#include <QTimer>
#include <cstdio>
#include <string_view>

#include "core/shell/program.h"
#include "gui/report/report_printer.h"
#include "gui/shell/gui_host.h"
#include "gui/shell/main_window.h"
#include "gui/shell/splash_window.h"

#ifndef EDID_EDITOR_VERSION
#define EDID_EDITOR_VERSION "1.0.0"
#endif

namespace edid::gui {

bool parseEditorArguments(const QStringList& arguments, EditorOptions& options, QString* error) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("EDID / DDC editor"));
  parser.addHelpOption();
  const QCommandLineOption modify(QStringLiteral("modify"),
                                  QStringLiteral("Switch \"Modify EDID\" on at start."));
  const QCommandLineOption cell(QStringLiteral("cell"), QStringLiteral("Focus byte cell N."),
                                QStringLiteral("N"));
  const QCommandLineOption geometry(QStringLiteral("geometry"),
                                    QStringLiteral("Main window size in pixels."),
                                    QStringLiteral("WxH"));
  const QCommandLineOption maximized(QStringLiteral("maximized"),
                                     QStringLiteral("Start with the main window maximised."));
  const QCommandLineOption noSplash(QStringLiteral("no-splash"),
                                    QStringLiteral("Skip the start-up picture."));
  const QCommandLineOption printToPdf(
      QStringLiteral("print-to-pdf"),
      QStringLiteral("Write the report of FILE as a PDF to OUT and exit, without a window."),
      QStringLiteral("OUT"));
  parser.addOptions({modify, cell, geometry, maximized, noSplash, printToPdf});
  parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("EDID data file (*.DAT)."),
                               QStringLiteral("[FILE]"));
  if (!parser.parse(arguments)) {
    if (error) *error = parser.errorText();
    return false;
  }
  if (parser.isSet(QStringLiteral("help"))) {
    if (error) *error = parser.helpText();
    return false;
  }
  options.modify = parser.isSet(modify);
  options.maximized = parser.isSet(maximized);
  options.splash = !parser.isSet(noSplash);
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
  if (files.size() > 1) {
    if (error) *error = QStringLiteral("only one data file can be opened at start");
    return false;
  }
  if (!files.isEmpty()) options.openPath = files.first();
  options.printToPdf = parser.value(printToPdf);
  if (parser.isSet(printToPdf) && (options.printToPdf.isEmpty() || options.openPath.isEmpty())) {
    if (error) *error = QStringLiteral("--print-to-pdf takes the PDF to write and a data file");
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
  if (options.maximized)
    window->showMaximized();
  else
    window->show();
  splash.reset();
  QApplication::restoreOverrideCursor();
  QApplication::processEvents();

  Program& program = window->program();
  if (!options.openPath.isEmpty()) {
    window->host().presetOpenFileName(options.openPath);
    window->forward([&] { program.mnuFileOpen_Click(); });
    // A flow that never asked for the file must not answer a later dialog with it.
    window->host().presetOpenFileName({});
  }
  if (options.modify && !program.common().ModifyMode)
    window->forward([&] { program.Command2_Click(); });
  if (options.focusCell >= 0)
    window->forward([&] { program.showScreen().setFocusToCell(options.focusCell); });
  return window;
}

int runEditor(int argc, char** argv) {
  Q_UNUSED(argc);
  Q_UNUSED(argv);
  QApplication::setApplicationVersion(QStringLiteral(EDID_EDITOR_VERSION));
  EditorOptions options;
  QString error;
  if (!parseEditorArguments(QApplication::arguments(), options, &error)) {
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return error.startsWith(QStringLiteral("Usage")) ? 0 : 2;
  }
  if (!options.printToPdf.isEmpty())
    return printDataFileToPdf(options.printToPdf, options.openPath);
  const std::unique_ptr<MainWindow> window = startEditor(options);
  return QApplication::exec();
}

void prepareEditorPlatform(int argc, char** argv) {
  // Printing to a file needs no screen: a server without a display can do it.
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument != "--print-to-pdf" && !argument.starts_with("--print-to-pdf=")) continue;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // A script wants the PDF or one clear message, not the toolkit's chatter.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
      if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
    });
  }
}

}  // namespace edid::gui
