#pragma once
// The document window frmDocument: the report as plain text in a fixed-pitch font.

#include <QWidget>

class QTextEdit;

namespace edid::gui {

/// The report window; objectName "frmDocument", caption "frmDocument".
class DocumentWindow : public QWidget {
  Q_OBJECT
 public:
  explicit DocumentWindow(QWidget* parent = nullptr);

  /// Replaces the shown text; CR LF and lone CR become line breaks.
  void setReport(const QString& text);
  /// The shown text, lines ended by LF.
  QString text() const;
  /// The selected part of the text (lines ended by LF); empty when nothing is selected.
  QString selectedText() const;
  /// The text box rtftext.
  QTextEdit* textBox() const { return m_text; }
  /// Wide enough for the report's 70 columns, 30 lines high.
  QSize sizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  /// Pixels of a length in twips on this screen.
  int twips(int length) const;
  void layoutText();

  QTextEdit* m_text;
};

}  // namespace edid::gui
