// What the pages of the clock-operation window share: the club, the way to talk to the
// user, the window-wide current values, and the way a printout is shown.
#pragma once

#include "club_context.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <functional>

class QWidget;
namespace club::reports { class TReportForm; }

namespace clockops {

struct ClockOpValues {
    // The member, race and clock chosen last (kept between pages).
    QString CurLoftNo;
    QString CurLiberCode;
    QDate CurLiberDate;
    QString CurRaceCode;
    QString CurClubID;
    // The ring handled last by Matching or Marking.
    QString LastUid;
    bool UidDeclined = false;
    QString RingCode;
    QString CurPRingNo;
    uint8_t MarkCode = 0;
    // UpLoad Timer Result: the clock processed last and what it reported.
    QString LastSiteId;
    QString ClockSiteText;
    int TimeVari = 0;
};

using ReportPresenter = std::function<void(const club::reports::TReportForm &report, QWidget *parent)>;

struct ClockOpShared {
    ClubContext context;
    ClockOpValues values;
    QString sortText;          // one last-sort text for all grids of the window
    ReportPresenter showReport; // modal preview unless a test replaces it
};

} // namespace clockops
