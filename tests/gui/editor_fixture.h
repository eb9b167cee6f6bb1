#pragma once
// The main window under test: scripted dialogs, settings in a temporary file,
// and helpers to load a corpus EDID into the decoding screen and to click cells.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/shell/program.h"
#include "gui/screen/edid_screen_widget.h"
#include "gui/shell/dialogs.h"
#include "gui/shell/main_window.h"
#include "support/corpus.h"

namespace edid::gui::test {

/// Dialogs that record what they were asked and answer from queues.
class ScriptedDialogs : public Dialogs {
 public:
  struct Shown {
    QString title, text;
  };
  struct FileRequest {
    QString title, folder, filter;
  };
  std::vector<Shown> messages, questions;
  std::vector<FileRequest> fileRequests;
  std::deque<bool> answers;                      ///< No when empty
  std::deque<QString> fileNames;                 ///< cancel when empty
  std::deque<Answer> choices;                    ///< Yes/No/Cancel answers; else from answers
  bool realYesNoCancel = false;                  ///< show the real Yes/No/Cancel box instead
  std::vector<QList<QStringList>> monitorLists;  ///< every monitor choice offered
  std::deque<int> monitorAnswers;                ///< the first monitor when empty

  void message(QWidget*, const QString& title, const QString& text) override {
    messages.push_back({title, text});
  }
  bool ask(QWidget*, const QString& title, const QString& text, bool) override {
    questions.push_back({title, text});
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  Answer askYesNoCancel(QWidget* parent, const QString& title, const QString& text) override {
    if (realYesNoCancel) {
      questions.push_back({title, text});
      return Dialogs::askYesNoCancel(parent, title, text);
    }
    if (choices.empty()) return ask(parent, title, text, false) ? Answer::Yes : Answer::No;
    questions.push_back({title, text});
    const Answer answer = choices.front();
    choices.pop_front();
    return answer;
  }
  QString openFileName(QWidget*, const QString& title, const QString& folder,
                       const QString& filter) override {
    return next({title, folder, filter});
  }
  QString saveFileName(QWidget*, const QString& title, const QString& folder,
                       const QString& filter) override {
    return next({title, folder, filter});
  }

  int chooseMonitor(QWidget*, const QString&, const QList<QStringList>& monitors) override {
    monitorLists.push_back(monitors);
    if (monitorAnswers.empty()) return 0;
    const int answer = monitorAnswers.front();
    monitorAnswers.pop_front();
    return answer;
  }

  /// One printer dialog: its title, whether Selection was offered, the printer.
  struct PrintRequest {
    QString title;
    bool selection = false;
    QPrinter* printer = nullptr;
  };
  std::vector<PrintRequest> printRequests;
  QString printToFile;  ///< the printer dialog "chooses" this PDF; cancel when empty

  bool print(QWidget*, QPrinter& printer, const QString& title, bool selection) override {
    printer.setPrintRange(selection ? QPrinter::Selection : QPrinter::AllPages);
    printRequests.push_back({title, selection, &printer});
    if (printToFile.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printToFile);
    return true;
  }
  bool pageSetup(QWidget*, QPrinter& printer) override {
    printer.setPageOrientation(QPageLayout::Landscape);
    return true;
  }
  void printPreview(QWidget*, QPrinter& printer,
                    const std::function<void(QPrinter*)>& paint) override {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printToFile);
    paint(&printer);
  }

  QStringList messageTexts() const {
    QStringList texts;
    for (const auto& shown : messages) texts << shown.text;
    return texts;
  }

 private:
  QString next(FileRequest request) {
    fileRequests.push_back(std::move(request));
    if (fileNames.empty()) return {};
    QString name = fileNames.front();
    fileNames.pop_front();
    return name;
  }
};

inline const QString kTitle = QStringLiteral("EDID / DDC EnCoding and Decoding Program ");

/// A shown, active main window with scripted dialogs and its own settings file.
class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    window = std::make_unique<MainWindow>(&dialogs, settingsPath());
    window->splashTimer()->stop();
    window->resize(1100, 700);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  void TearDown() override {
    // Nothing may ask "Save Changes?" once the test is over.
    program().common().UnsavedChanges = false;
    window.reset();
    flushDeletes();
  }

  static void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  QString settingsPath() const { return dir.filePath(QStringLiteral("settings.ini")); }
  QString path(const QString& name) const { return dir.filePath(name); }
  /// A file holding a corpus EDID's raw bytes, or the bytes given, for File Open and drops.
  QString corpusFile(const std::string& id, const QString& name = {}) const {
    return bytesFile(edid::test::corpusBytes(id),
                     name.isEmpty() ? QString::fromStdString(id) + ".bin" : name);
  }
  QString bytesFile(const std::vector<std::uint8_t>& bytes, const QString& name) const {
    QFile out(path(name));
    if (!out.open(QIODevice::WriteOnly) || out.write(reinterpret_cast<const char*>(bytes.data()),
                                                     qint64(bytes.size())) != qint64(bytes.size()))
      throw std::runtime_error("cannot write " + out.fileName().toStdString());
    return out.fileName();
  }
  Program& program() { return window->program(); }
  EdidScreen& model() { return *program().screen(); }
  EdidScreenWidget* screen() { return window->screenWidget(); }
  // The lookups below fail the test, naming the widget, instead of handing back a
  // null pointer that would crash the whole suite.
  EdidScreenWidget* openScreen() { return present(screen(), "the decoding screen frmEDID"); }
  QLineEdit* cell(int index) {
    return present(openScreen()->cell(index), "txtEdit_" + std::to_string(index));
  }
  QGroupBox* frame(int index) {
    return present(openScreen()->frame(index), "Hints_" + std::to_string(index));
  }
  template <typename T>
  T* child(const char* name) {
    return present(openScreen()->findChild<T*>(QLatin1String(name)), name);
  }
  QPushButton* button(const char* name) {
    return present(window->findChild<QPushButton*>(QLatin1String(name)), name);
  }
  QAction* action(const char* name) {
    return present(window->findChild<QAction*>(QLatin1String(name)), name);
  }
  template <typename T>
  static T* present(T* widget, const std::string& name) {
    if (!widget) throw std::runtime_error("widget missing: " + name);
    return widget;
  }

  /// Opens the decoding screen holding a corpus EDID (or an image), decoded and unchanged.
  void loadCorpus(const std::string& id) { loadImage(edid::test::corpusImage(id)); }
  void loadImage(const Image& image) {
    program().showScreen();
    model().document.load(image);
    model().BuildEDIDDefinations();
    program().common().markSaved(model().image);
    window->sync();
    openScreen();
  }

  /// Runs a menu command and lets the windows it closed go.
  void trigger(const char* name) {
    action(name)->trigger();
    flushDeletes();
  }
  /// The grid's 128 cells as shown, and a corpus EDID's as they should show.
  QStringList cellTexts() {
    QStringList texts;
    for (int i = 0; i < kEdidSize; ++i) texts << cell(i)->text();
    return texts;
  }
  static QStringList corpusTexts(const std::string& id) {
    const Image image = edid::test::corpusImage(id);
    QStringList texts;
    for (int i = 0; i < kEdidSize; ++i) texts << QString::fromStdString(image.cell(i));
    return texts;
  }

  /// Gives a cell the focus as a mouse click does.
  void clickCell(int index) { QTest::mouseClick(cell(index), Qt::LeftButton); }
  /// Switches "Modify EDID" on with its button.
  void modifyOn() { QTest::mouseClick(button("Command2"), Qt::LeftButton); }

  /// The visible section frames, by index.
  std::vector<int> visibleFrames() {
    std::vector<int> shown;
    for (int i = 0; i < openScreen()->frameCount(); ++i)
      if (!frame(i)->isHidden()) shown.push_back(i);
    return shown;
  }

  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<MainWindow> window;
};

/// Clicks an option button on its indicator: a click beside its caption misses it.
inline void clickOption(QAbstractButton* button) {
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

/// Replaces a box's text by typing, as a user does, and presses Enter.
inline void enter(QLineEdit* box, const QString& text) {
  QTest::mouseClick(box, Qt::LeftButton);
  box->selectAll();
  QTest::keyClicks(box, text);
  QTest::keyClick(box, Qt::Key_Return);
}

/// A corpus EDID with a valid checksum and no extension block.
inline const std::string kCorpusId = "000CCAC2C577";

/// Saves a corpus EDID as a data file through a throwaway editor, so a start-up
/// test opens a file the editor itself wrote; its Save As is the one file request.
inline void saveCorpusDataFile(const std::string& id, const QString& file, const QTemporaryDir& dir,
                               ScriptedDialogs& dialogs) {
  MainWindow writer(&dialogs, dir.filePath(QStringLiteral("writer.ini")));
  writer.program().showScreen();
  writer.program().screen()->document.load(edid::test::corpusImage(id));
  dialogs.fileNames = {file};
  writer.forward([&] { writer.program().mnuFileSaveAs_Click(); });
  writer.program().common().UnsavedChanges = false;
}

}  // namespace edid::gui::test
