#include "gui/report/report_printer.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QStringList>
#include <QTimeZone>
#include <cstdio>
#include <filesystem>

#include "core/common/data_file.h"
#include "core/common/model_list.h"
#include "core/report/report.h"
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

// Answers File Open with one preset path and says everything on standard error,
// each line naming the program and the file.
class HeadlessHost : public Host {
 public:
  explicit HeadlessHost(std::string path) : m_path(std::move(path)), m_pending(m_path) {}
  void message(const std::string& text) override {
    QString line = toQt(text);
    const QString path = toQt(m_path);
    // A warning on open leads with the file's name and a blank line.
    if (line.startsWith(path + QStringLiteral("\r\n\r\n"))) line.remove(0, path.size() + 4);
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!line.contains(path)) line = path + QStringLiteral(": ") + line;
    std::fprintf(stderr, "edidedit: %s\n", line.toLocal8Bit().constData());
  }
  bool ask(const std::string&, const std::string&, bool) override { return false; }
  std::string openFileName(const FileDialog&) override { return std::exchange(m_pending, {}); }
  std::string saveFileName(const FileDialog&) override { return {}; }
  void fileOpened(const std::string&) override { opened = true; }

  bool opened = false;

 private:
  std::string m_path, m_pending;
};

// Qt's PDF writer stamps the current local time as the creation date and offers
// no way to set it; with SOURCE_DATE_EPOCH set the date is rewritten in place, in
// UTC and at the same length, so the cross-reference offsets stay right.
void stampCreationDate(QByteArray& pdf) {
  const auto seconds = sourceDateEpoch();
  if (!seconds) return;
  static const QRegularExpression stamp(QStringLiteral("/CreationDate \\(D:\\d{14}([^)]*)\\)"));
  QString text = QString::fromLatin1(pdf);
  const QRegularExpressionMatch found = stamp.match(text);
  if (!found.hasMatch()) return;
  const QString zone =
      found.captured(1).size() == 1 ? QStringLiteral("Z") : QStringLiteral("+00'00'");
  const QString moment = QDateTime::fromSecsSinceEpoch(*seconds, QTimeZone::utc())
                             .toString(QStringLiteral("yyyyMMddHHmmss"));
  const QString replaced = QStringLiteral("/CreationDate (D:%1%2)").arg(moment, zone);
  if (replaced.size() != found.capturedLength()) return;
  text.replace(found.capturedStart(), found.capturedLength(), replaced);
  pdf = text.toLatin1();
}

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
  QByteArray pdf = buffer.data();
  stampCreationDate(pdf);
  return pdf;
}

int printDataFileToPdf(const QString& pdfFile, const QString& dataFile) {
  const std::string pdfPath = QFile::encodeName(pdfFile).toStdString();
  const std::string dataPath = QFile::encodeName(dataFile).toStdString();
  // The same file under another name (a link, "./"): printing would replace the EDID.
  std::error_code same;
  if (std::filesystem::equivalent(pdfPath, dataPath, same)) {
    std::fprintf(stderr, "edidedit: %s: is the EDID file itself; the PDF needs another name\n",
                 pdfPath.c_str());
    return 1;
  }
  HeadlessHost host(dataPath);
  Program program(host);
  program.modelListFolders =
      defaultModelListFolders(QCoreApplication::applicationDirPath().toStdString());
  program.mnuFileOpen_Click();
  // A file that could not be read was never opened; File Open said why.
  if (!host.opened) return 1;
  program.BuildReport();

  const QPageSize size(QLocale().measurementSystem() == QLocale::ImperialUSSystem
                           ? QPageSize::Letter
                           : QPageSize::A4);
  const QPageLayout layout(size, QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                           QPageLayout::Millimeter);
  QString error;
  const QByteArray pdf = reportPdf(toQt(program.reportText()), layout, &error);
  if (pdf.isEmpty()) {
    std::fprintf(stderr, "edidedit: Cannot print to %s: %s\n", pdfPath.c_str(), qPrintable(error));
    return 1;
  }
  const Status written = writeFileAtomically(
      pdfPath, std::string_view(pdf.constData(), std::size_t(pdf.size())), "print to");
  if (!written) {
    std::fprintf(stderr, "edidedit: %s\n", written.error().c_str());
    return 1;
  }
  return 0;
}

}  // namespace edid::gui
