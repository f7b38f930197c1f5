#include "member_page_context.h"

#include "report_form.h"

namespace members {

ReportViewer& memberReportViewer()
{
    static ReportViewer viewer = [](const club::reports::TReportForm& report, QWidget* parent) {
        report.preview(parent);
    };
    return viewer;
}

}  // namespace members
