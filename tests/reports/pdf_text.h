#pragma once
// Renders a report to a PDF in a temporary folder and reads it back with pdftotext.

#include "report_form.h"

#include <QString>
#include <QStringList>

struct PdfText {
    QString text;     // pdftotext -layout output, pages separated by form feeds
    int pages = 0;

    // Lines of the text with runs of blanks squeezed to one, for comparing texts whose
    // spacing belongs to the layout.
    QStringList lines() const;
    bool has(const QString& needle) const;             // in the squeezed text
    int lineOf(const QString& needle) const;           // first squeezed line holding it, -1 if none
    QString page(int index) const;                     // squeezed text of one page
    QString flat() const;                              // all text on one squeezed line
};

QString squeeze(const QString& s);
PdfText renderToText(const club::reports::TReportForm& report);
PdfText pdfToText(const QString& pdfPath);
