#pragma once
// The document window frmDocument: the report as plain text in a fixed-pitch font.

#include <QWidget>

class QPlainTextEdit;

namespace edid::gui {

/// The report window; objectName "frmDocument", caption "frmDocument".
class DocumentWindow : public QWidget {
  Q_OBJECT
 public:
  explicit DocumentWindow(QWidget* parent = nullptr);

  /// Columns and lines of the report the window opens with.
  static constexpr int kReportColumns = 70;
  static constexpr int kReportLines = 40;
  /// Room for kReportColumns by kReportLines of the report's font.
  QSize sizeHint() const override;

  /// Replaces the shown text; CR LF and lone CR become line breaks.
  void setReport(const QString& text);
  /// The text box rtftext.
  QPlainTextEdit* textBox() const { return m_text; }

 private:
  QPlainTextEdit* m_text;
};

}  // namespace edid::gui
