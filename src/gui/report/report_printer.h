#pragma once
// Laying the report out on pages: one line of the report per printed line, in a
// fixed-pitch font, 70 columns fitting the printable width.

#include <QFont>
#include <QString>

class QPagedPaintDevice;
class QPageLayout;

namespace edid::gui {

/// Columns of the report's layout.
inline constexpr int kReportColumns = 70;

/// The report's font: Courier where installed, else the system's fixed font; 9.75 points.
QFont reportFont();

/// Paints text (lines end in LF, CR LF or CR) on device, starting new pages as they
/// fill. The font shrinks when 70 columns would not fit the printable width.
/// Returns an empty string, or why nothing could be printed.
QString paintReport(QPagedPaintDevice& device, const QString& text);

/// The report as a PDF document on the given page layout; on failure empty, with
/// the reason in error.
QByteArray reportPdf(const QString& text, const QPageLayout& layout, QString* error);

/// Prints the report of a data file to a PDF file without a window: reads dataFile
/// as File Open does, builds its report and writes pdfFile (replaced only when the
/// new one is complete). Messages go to standard error; returns the exit status.
int printDataFileToPdf(const QString& pdfFile, const QString& dataFile);

}  // namespace edid::gui
