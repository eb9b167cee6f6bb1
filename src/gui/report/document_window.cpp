#include "gui/report/document_window.h"

#include <QResizeEvent>
#include <QStyle>
#include <QTextCursor>
#include <QTextEdit>

#include "gui/report/report_printer.h"

namespace edid::gui {

DocumentWindow::DocumentWindow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("frmDocument"));
  setWindowTitle(QStringLiteral("frmDocument"));
  m_text = new QTextEdit(this);
  m_text->setObjectName(QStringLiteral("rtftext"));
  m_text->setReadOnly(true);
  m_text->setAcceptRichText(false);
  // Read-only, yet the user may still select and copy a part to print.
  m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  // The report is laid out in columns for a fixed-pitch font.
  const QFont font = reportFont();
  m_text->setFont(font);
  m_text->setLineWrapMode(QTextEdit::FixedPixelWidth);
  resize(sizeHint());
  layoutText();
}

QSize DocumentWindow::sizeHint() const {
  const QFontMetrics metrics(m_text->font());
  // The box's frame and scroll bar come on top of the columns and the margins.
  const int extra = m_text->frameWidth() * 2 + style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                    m_text->document()->documentMargin() * 2;
  return {
      metrics.horizontalAdvance(QString(kReportColumns, QLatin1Char('0'))) + twips(600) + extra + 2,
      metrics.lineSpacing() * 30 + twips(200) + extra};
}

int DocumentWindow::twips(int length) const {
  return (length * logicalDpiX() + 720) / 1440;
}

void DocumentWindow::layoutText() {
  // 100 twips around the box; lines wrap 400 twips short of its right edge.
  const int margin = twips(100);
  m_text->setGeometry(margin, margin, std::max(0, width() - 2 * margin),
                      std::max(0, height() - 2 * margin));
  m_text->setLineWrapColumnOrWidth(std::max(1, m_text->width() - twips(400)));
}

void DocumentWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layoutText();
}

void DocumentWindow::setReport(const QString& text) {
  QString plain = text;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  m_text->setPlainText(plain);
}

QString DocumentWindow::text() const {
  return m_text->toPlainText();
}

QString DocumentWindow::selectedText() const {
  QString selected = m_text->textCursor().selectedText();
  selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return selected;
}

}  // namespace edid::gui
