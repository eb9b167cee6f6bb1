#include "gui/report/document_window.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
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
  const QFontMetrics metrics(font);
  resize(metrics.horizontalAdvance(QString(74, QLatin1Char('0'))) + 40, metrics.lineSpacing() * 30);
}

void DocumentWindow::setReport(const QString& text) {
  QString plain = text;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  m_text->setPlainText(plain);
}

}  // namespace edid::gui
