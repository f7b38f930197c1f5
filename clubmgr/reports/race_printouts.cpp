#include "race_printouts.h"

#include "report_format.h"

namespace club::reports {
namespace {

ReportDocument raceLayout(const QString& title, const ClubAddress& club)
{
    ReportDocument doc;
    doc.documentName = title.trimmed();
    doc.title = title;
    doc.addressLines = club.lines();
    doc.frame = DetailFrame::Outline;
    return doc;
}

}  // namespace

ReportDocument TfrmPrtRaceList::document() const
{
    ReportDocument doc = raceLayout(QStringLiteral("Race List"), in_.club);
    doc.columns = {{QStringLiteral("Club"), 1.3},        {QStringLiteral("Code"), 1.3},
                   {QStringLiteral("Lib.Site Abbr."), 1.7}, {QStringLiteral("Liberation Site"), 3.2},
                   {QStringLiteral("Lib Date"), 1.6},    {QStringLiteral("Lib Time"), 1.4}};
    for (const RaceListRow& r : in_.rows)
        doc.rows.append({r.clubId, r.liberCode, r.liberSiteAbbr, r.liberSite, dateText(r.liberDate),
                         timeText(r.liberTime)});
    return doc;
}

QString TfrmPrtRaceStat::title() const
{
    return QStringLiteral(" Status for ") + in_.siteName + QStringLiteral(" (") +
           in_.liberDate.toString(QStringLiteral("MM/dd")) + ' ' + timeText(in_.liberTime) + ')';
}

ReportDocument TfrmPrtRaceStat::document() const
{
    ReportDocument doc = raceLayout(title(), in_.club);
    doc.columns = {{QStringLiteral("Member"), 4},
                   {QStringLiteral("Clock"), 2.2},
                   {QStringLiteral("Birds Marked"), 1.6, Qt::AlignRight},
                   {QStringLiteral("Birds arrived"), 1.6, Qt::AlignRight}};
    for (const RaceStatRow& r : in_.rows)
        doc.rows.append({r.member, r.clockId, QString::number(r.markedCnt), QString::number(r.arriveCnt)});
    return doc;
}

QString TfrmPrtRaceResult::title() const
{
    return in_.clubId + QStringLiteral(" Result for ") + in_.siteName + QStringLiteral(" (") +
           in_.liberDate.toString(QStringLiteral("MM-dd")) + ' ' + timeText(in_.liberTime) +
           QStringLiteral(") (") + in_.summaryLine + ')';
}

ReportDocument TfrmPrtRaceResult::document() const
{
    ReportDocument doc = raceLayout(title(), in_.club);
    const QString speedTitle =
        in_.mode == DistanceMode::Imperial ? QStringLiteral("Yards/min") : QStringLiteral("M/min");
    doc.columns = {{QStringLiteral("Pos."), 0.8, Qt::AlignRight},
                   {QStringLiteral("Member"), 2.7},
                   {QStringLiteral("Pigeon"), 2.9},
                   {QStringLiteral("Clocked"), 1.8},
                   {QStringLiteral("Flying Time"), 1.8},
                   {speedTitle, 1.6, Qt::AlignRight},
                   {QStringLiteral("Dist."), 1.4, Qt::AlignRight}};
    for (const RaceResultRow& r : in_.rows)
        doc.rows.append({QString::number(r.pos), r.member,
                         ringText(r.rCountry, r.rYear, r.rRegLetter, r.rRegNumber, r.pRingNo),
                         backTimeOfDay(r.backTime), r.flyTime, speedText(r.flySpeed), groupedNumber(r.dist)});
    return doc;
}

}  // namespace club::reports
