#pragma once
// Base of the printouts: a report turns its input into bands, which are previewed,
// printed or written to a PDF file.

#include "report_document.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace club::reports {

// The club's name and address from LCX_ClubData, printed in the title band.
struct ClubAddress {
    QString clubName;
    QString street;
    QString city;
    QString postCode;

    QStringList lines() const;  // name, street, city and post code; empty ones left out
};

// Unit mode of LCX_ClubData.Mode.
enum class DistanceMode { Metric = 0, Imperial = 1 };

class TReportForm {
public:
    virtual ~TReportForm() = default;

    virtual ReportDocument document() const = 0;

    // Modal print preview; returns when the user closes it.
    void preview(QWidget* parent) const;
    bool writePdf(const QString& path, QString* error = nullptr) const;
    int pageCount() const;
};

}  // namespace club::reports
