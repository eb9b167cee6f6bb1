#include "gui/report/report_printer.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <cstdio>

#include "core/common/data_file.h"
#include "core/common/model_list.h"
#include "core/shell/program.h"
#include "gui/screen/widget_mirror.h"

namespace edid::gui {

namespace {

QStringList reportLines(const QString& text) {
  QString plain = text;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QStringList lines = plain.split(QLatin1Char('\n'));
  // The last line's own end makes no line of its own.
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

// Answers File Open with one preset path and says everything on standard error.
class HeadlessHost : public Host {
 public:
  explicit HeadlessHost(std::string path) : m_path(std::move(path)) {}
  void message(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  bool ask(const std::string&, const std::string&, bool) override { return false; }
  std::string openFileName(const FileDialog&) override { return std::exchange(m_path, {}); }
  std::string saveFileName(const FileDialog&) override { return {}; }

 private:
  std::string m_path;
};

}  // namespace

QFont reportFont() {
  QFont font(QStringLiteral("Courier"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  // Font matching may hand out a proportional face for Courier; the columns need a fixed one.
  if (QFontInfo(font).family().compare(QLatin1String("Courier"), Qt::CaseInsensitive) != 0 ||
      !QFontInfo(font).fixedPitch())
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSizeF(9.75);
  font.setWeight(QFont::Normal);
  return font;
}

QString paintReport(QPagedPaintDevice& device, const QString& text) {
  QPainter painter;
  if (!painter.begin(&device)) return QStringLiteral("the printer did not start");
  QFont font(reportFont(), &device);
  QFontMetricsF metrics(font, &device);
  const qreal width = device.width();
  const qreal columns = metrics.horizontalAdvance(QString(kReportColumns, QLatin1Char('0')));
  if (columns > width && columns > 0) {
    font.setPointSizeF(font.pointSizeF() * width / columns * 0.99);
    metrics = QFontMetricsF(font, &device);
  }
  painter.setFont(font);
  painter.setPen(Qt::black);

  const qreal height = device.height();
  const qreal spacing = metrics.lineSpacing();
  qreal top = 0;
  for (const QString& line : reportLines(text)) {
    if (top > 0 && top + spacing > height) {
      if (!device.newPage()) return QStringLiteral("the printer refused a new page");
      top = 0;
    }
    painter.drawText(QPointF(0, top + metrics.ascent()), line);
    top += spacing;
  }
  if (!painter.end()) return QStringLiteral("the printer did not finish");
  return {};
}

QByteArray reportPdf(const QString& text, const QPageLayout& layout, QString* error) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setPageLayout(layout);
    writer.setTitle(QStringLiteral("EDID report"));
    writer.setCreator(QCoreApplication::applicationName());
    const QString failed = paintReport(writer, text);
    if (!failed.isEmpty()) {
      if (error) *error = failed;
      return {};
    }
  }
  return buffer.data();
}

int printDataFileToPdf(const QString& pdfFile, const QString& dataFile) {
  const std::string pdfPath = QFile::encodeName(pdfFile).toStdString();
  HeadlessHost host(QFile::encodeName(dataFile).toStdString());
  Program program(host);
  program.modelListFolders =
      defaultModelListFolders(QCoreApplication::applicationDirPath().toStdString());
  program.mnuFileOpen_Click();
  // A file that could not be read leaves the program without a file; File Open said why.
  if (program.common().CurrentFilePath.empty()) return 1;
  program.BuildReport();

  const QPageSize size(QLocale().measurementSystem() == QLocale::ImperialUSSystem
                           ? QPageSize::Letter
                           : QPageSize::A4);
  const QPageLayout layout(size, QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                           QPageLayout::Millimeter);
  QString error;
  const QByteArray pdf = reportPdf(toQt(program.reportText()), layout, &error);
  if (pdf.isEmpty()) {
    std::fprintf(stderr, "Cannot print to %s: %s\n", pdfPath.c_str(), qPrintable(error));
    return 1;
  }
  const Status written = writeFileAtomically(
      pdfPath, std::string_view(pdf.constData(), std::size_t(pdf.size())), "print to");
  if (!written) {
    std::fprintf(stderr, "%s\n", written.error().c_str());
    return 1;
  }
  return 0;
}

}  // namespace edid::gui
