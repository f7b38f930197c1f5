#pragma once
// What the panels of the Member page share: the club (data module, prompter, files), the
// one sort text of the page's three grids, and how a printout is shown.

#include "club_context.h"

#include <functional>

class QWidget;

namespace club::reports {
class TReportForm;
}

namespace members {

struct MemberPageContext {
    ClubContext club;
    QString* sortText = nullptr;
};

// Shows a printout; the preview by default. Tests replace it to look at the document.
using ReportViewer = std::function<void(const club::reports::TReportForm& report, QWidget* parent)>;
ReportViewer& memberReportViewer();

}  // namespace members
