#pragma once
// The modal dialogs the editor shows for the core: message boxes and file
// dialogs. Tests replace them with scripted answers.

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace edid::gui {

/// Message boxes and file dialogs; the default implementation shows Qt's.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  /// A modal message with an OK button.
  virtual void message(QWidget* parent, const QString& title, const QString& text);
  /// A modal Yes/No question; true for Yes.
  virtual bool ask(QWidget* parent, const QString& title, const QString& text, bool questionIcon);
  /// A file to open, or "" when cancelled. filter is in Qt's form.
  virtual QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                               const QString& filter);
  /// A file name to save under, or "" when cancelled. No extension is added and
  /// replacing an existing file is not confirmed here (the caller asks).
  virtual QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                               const QString& filter);
  /// The printer dialog for printer; selection preselects its Selection option.
  /// False when cancelled.
  virtual bool print(QWidget* parent, QPrinter& printer, const QString& title, bool selection);
  /// The page setup dialog for printer; false when cancelled.
  virtual bool pageSetup(QWidget* parent, QPrinter& printer);
  /// A preview of the pages paint draws, from which the user can print them.
  virtual void printPreview(QWidget* parent, QPrinter& printer,
                            const std::function<void(QPrinter*)>& paint);
};

/// A filter "Description (*.EXT)|*.EXT|..." in Qt's form "Description (*.EXT *.ext);;...".
/// Patterns get their lower-case form too, as file names are case-sensitive here.
QString qtFileFilter(const QString& filter);

/// Text of a message with its CR LF line ends as line breaks.
QString messageText(const QString& text);

}  // namespace edid::gui
