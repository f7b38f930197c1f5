#pragma once
// Lays a ReportDocument out on A4 portrait pages with 10 mm margins and paints it:
// title band on the first page, page header and column titles on every page, framed
// detail lines that never break across pages, the summary after the last line, and a
// footer with "Page n of m" on every page.

#include "report_document.h"

#include <QString>

class QPagedPaintDevice;
class QWidget;

namespace club::reports {

// Paints the whole report on a device set up for A4 with zero margins (a QPdfWriter, or
// a QPrinter in full-page mode). Returns the number of pages painted, 0 when the
// device could not be painted on.
int paintReport(const ReportDocument& doc, QPagedPaintDevice* device);

// The number of pages the report takes, without painting it.
int countPages(const ReportDocument& doc);

// Writes the report to a PDF file. The file appears complete or not at all; on failure
// the reason is put in *error.
bool writeReportPdf(const ReportDocument& doc, const QString& path, QString* error = nullptr);

// Opens the modal print preview, from which the user prints or saves a PDF. Returns when
// the preview is closed.
void previewReport(const ReportDocument& doc, QWidget* parent);

}  // namespace club::reports
