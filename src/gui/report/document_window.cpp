#include "gui/report/document_window.h"

#include <QFontDatabase>
#include <QLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>

namespace edid::gui {

DocumentWindow::DocumentWindow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("frmDocument"));
  setWindowTitle(QStringLiteral("frmDocument"));
  auto* layout = new QVBoxLayout(this);
  // 100 twips around the text box.
  layout->setContentsMargins(7, 7, 7, 7);
  m_text = new QPlainTextEdit(this);
  m_text->setObjectName(QStringLiteral("rtftext"));
  m_text->setReadOnly(true);
  // The report is laid out in columns for a fixed-pitch font.
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setStyleHint(QFont::Monospace);
  font.setPointSizeF(9.75);
  m_text->setFont(font);
  m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
  layout->addWidget(m_text);
  resize(sizeHint());
}

QSize DocumentWindow::sizeHint() const {
  // The report's 70 columns and about 40 lines, with room for the frame, the
  // margins and a vertical scroll bar.
  const QFontMetrics metrics(m_text->font());
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const QMargins margins = layout()->contentsMargins();
  const int frame = 2 * m_text->frameWidth() + 2 * int(m_text->document()->documentMargin());
  return {metrics.horizontalAdvance(QString(kReportColumns + 2, QLatin1Char('0'))) + scrollBar +
              frame + margins.left() + margins.right(),
          metrics.lineSpacing() * kReportLines + frame + margins.top() + margins.bottom()};
}

void DocumentWindow::setReport(const QString& text) {
  QString plain = text;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  m_text->setPlainText(plain);
}

}  // namespace edid::gui
