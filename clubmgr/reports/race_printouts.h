#pragma once
// Printouts of the race window: the race list, the statistics of one race per member
// and clock, and the result of one race. Each takes the rows of the list on screen,
// in the order shown.

#include "report_form.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>

namespace club::reports {

// Race list ("Print" on the race panel).
struct RaceListRow {
    QString clubId;
    QString liberCode;
    QString liberSiteAbbr;
    QString liberSite;
    QDate liberDate;
    QTime liberTime;  // null prints empty
};
struct RaceListInput {
    ClubAddress club;
    QList<RaceListRow> rows;
};

class TfrmPrtRaceList : public TReportForm {
public:
    explicit TfrmPrtRaceList(RaceListInput input) : in_(std::move(input)) {}
    ReportDocument document() const override;

private:
    RaceListInput in_;
};

// Race statistics ("Print" on the status panel).
struct RaceStatRow {
    QString member;  // the loft's name, empty for entries outside the register
    QString clockId;
    int markedCnt = 0;
    int arriveCnt = 0;
};
struct RaceStatInput {
    ClubAddress club;
    QString siteName;
    QDate liberDate;  // of the race selected in the race list
    QTime liberTime;
    QList<RaceStatRow> rows;
};

class TfrmPrtRaceStat : public TReportForm {
public:
    explicit TfrmPrtRaceStat(RaceStatInput input) : in_(std::move(input)) {}
    ReportDocument document() const override;
    QString title() const;  // " Status for Orleans (08/19 06:30:00)"

private:
    RaceStatInput in_;
};

// Race result ("Print" on the result panel).
struct RaceResultRow {
    int pos = 0;
    QString member;  // the loft's name, empty when the pigeon is not in the register
    QString pRingNo;
    QString rCountry, rYear, rRegLetter, rRegNumber;
    QString backTime;  // "2014/08/19 07:05:09.250"
    QString flyTime;
    double flySpeed = 0;
    std::optional<qint64> dist;
};
struct RaceResultInput {
    ClubAddress club;
    QString clubId;
    QString siteName;
    QDate liberDate;
    QTime liberTime;
    QString summaryLine;  // "12 Members sent 240 birds of which 198 were clocked"
    DistanceMode mode = DistanceMode::Metric;
    QList<RaceResultRow> rows;
};

class TfrmPrtRaceResult : public TReportForm {
public:
    explicit TfrmPrtRaceResult(RaceResultInput input) : in_(std::move(input)) {}
    ReportDocument document() const override;
    QString title() const;

private:
    RaceResultInput in_;
};

}  // namespace club::reports
