#include "report_form.h"

#include "report_renderer.h"

namespace club::reports {

QStringList ClubAddress::lines() const
{
    QStringList out;
    for (const QString& s : {clubName, street, city, postCode})
        if (!s.trimmed().isEmpty()) out << s.trimmed();
    return out;
}

void TReportForm::preview(QWidget* parent) const { previewReport(document(), parent); }

bool TReportForm::writePdf(const QString& path, QString* error) const
{
    return writeReportPdf(document(), path, error);
}

int TReportForm::pageCount() const { return countPages(document()); }

}  // namespace club::reports
