#include "gui/shell/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStringList>

namespace edid::gui {

QString messageText(const QString& text) {
  QString result = text;
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return result;
}

QString qtFileFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (qsizetype k = 0, n = patterns.size(); k < n; ++k) {
      const QString lower = patterns[k].toLower();
      if (!patterns.contains(lower)) patterns.append(lower);
    }
    // Qt reads the patterns from the parentheses of the description.
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    if (open >= 0) description = description.left(open).trimmed();
    filters.append(QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' '))));
  }
  if (filters.isEmpty() && !filter.isEmpty()) filters.append(filter);
  return filters.join(QStringLiteral(";;"));
}

void Dialogs::message(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, title, messageText(text), QMessageBox::Ok, parent);
  box.exec();
}

bool Dialogs::ask(QWidget* parent, const QString& title, const QString& text, bool questionIcon) {
  QMessageBox box(questionIcon ? QMessageBox::Question : QMessageBox::NoIcon, title,
                  messageText(text), QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

QString Dialogs::openFileName(QWidget* parent, const QString& title, const QString& folder,
                              const QString& filter) {
  return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString Dialogs::saveFileName(QWidget* parent, const QString& title, const QString& folder,
                              const QString& filter) {
  return QFileDialog::getSaveFileName(parent, title, folder, filter, nullptr,
                                      QFileDialog::DontConfirmOverwrite);
}

bool Dialogs::print(QWidget* parent, QPrinter& printer, const QString& title, bool selection) {
  printer.setPrintRange(selection ? QPrinter::Selection : QPrinter::AllPages);
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(title);
  // The report has no page numbers to choose from.
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, selection);
  return dialog.exec() == QDialog::Accepted;
}

bool Dialogs::pageSetup(QWidget* parent, QPrinter& printer) {
  QPageSetupDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("Page Setup"));
  return dialog.exec() == QDialog::Accepted;
}

void Dialogs::printPreview(QWidget* parent, QPrinter& printer,
                           const std::function<void(QPrinter*)>& paint) {
  printer.setPrintRange(QPrinter::AllPages);
  QPrintPreviewDialog dialog(&printer, parent);
  dialog.setObjectName(QStringLiteral("printPreview"));
  dialog.setWindowTitle(QStringLiteral("Print Preview"));
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
  dialog.exec();
}

}  // namespace edid::gui
