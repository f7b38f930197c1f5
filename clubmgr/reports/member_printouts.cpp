#include "member_printouts.h"

#include "report_format.h"

namespace club::reports {
namespace {

ReportDocument memberLayout(const QString& title, const ClubAddress& club)
{
    ReportDocument doc;
    doc.documentName = title.trimmed();
    doc.title = title;
    doc.addressLines = club.lines();
    doc.frame = DetailFrame::Grid;
    doc.boldColumnTitles = true;
    return doc;
}

}  // namespace

ReportDocument TfrmPrtMemList::document() const
{
    ReportDocument doc = memberLayout(QStringLiteral("Member List"), in_.club);
    doc.columns = {{QStringLiteral("Name"), 5},
                   {QStringLiteral("LoftNo"), 2},
                   {QStringLiteral("No. of Clocks"), 1.6, Qt::AlignHCenter}};
    for (const MemListRow& r : in_.rows)
        doc.rows.append({r.loftName, r.loftNo, QString::number(r.clockCnt)});
    return doc;
}

ReportDocument TfrmPrtMemRingList::document() const
{
    ReportDocument doc = memberLayout(
        QStringLiteral(" Ring list of ") + in_.loftName + QStringLiteral("( ") + in_.loftNo + QStringLiteral(" )"),
        in_.club);
    doc.columns = {{QStringLiteral("Life Ring Number"), 2.3},
                   {QStringLiteral("Sex of bird"), 1.6},
                   {QStringLiteral("e_Ring Assign."), 2.1},
                   {QStringLiteral("Color"), 2.2},
                   {QStringLiteral("Create Date"), 1.8},
                   {QStringLiteral("Assign Date"), 1.8},
                   {QStringLiteral("Last Update date"), 2.4}};
    for (const MemRingRow& r : in_.rows)
        doc.rows.append({r.pRingNo, sexName(r.sex), r.eRing, colourName(r.colorType, in_.colourNames),
                         dateText(r.createDate), dateText(r.assignDate), monthDayTimeText(r.updateTime)});
    return doc;
}

ReportDocument TfrmPrtMemDist::document() const
{
    ReportDocument doc = memberLayout(in_.title, in_.club);
    const bool imperial = in_.mode == DistanceMode::Imperial;
    doc.columns = {{QStringLiteral("Member"), 4},
                   {QStringLiteral("Loft Number"), 2, Qt::AlignHCenter},
                   {imperial ? QStringLiteral("Miles") : QStringLiteral("KM"), 1.6, Qt::AlignHCenter},
                   {imperial ? QStringLiteral("Yards") : QStringLiteral("M"), 1.8, Qt::AlignHCenter}};
    for (const MemDistRow& r : in_.rows)
        doc.rows.append({r.loftName, r.loftNo, groupedNumber(r.miles), groupedNumber(r.yards)});
    return doc;
}

}  // namespace club::reports
