#pragma once
// Printouts of the clock-operation window: the official race entry after a loft's race
// has been loaded into its clock, the official race list of one loft after its clock
// was read back, and the ranking of the whole race. The caller prepares the rows; the
// header values come from the database through the report queries of clubdata
// (loadRaceHeader, loadLoftDetails, loadRaceClockTimes), or from tests.

#include "report_form.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

namespace club::reports {

// The race found from the page's race-code text.
struct RaceHeader {
    QString raceCode;   // "1A2B0819"
    QString clubId;
    QDate liberDate;
    QString liberSite;  // from LCX_LiberateSite by the race's LiberCode, empty when none
    QString liberCode;
};

// A loft of LCX_LoftData.
struct LoftDetails {
    QString associationCode;
    QString loftNo;
    QString loftName;
    QString street;
    QString city;
    QString postCode;
    QString phoneNo;
    QString loftLat;
    QString loftLon;
};

// The race's LCX_RaceClockTime row for the loft; all null when there is none.
struct RaceClockTimes {
    QDateTime dlMarkedTime;
    QDateTime ulMasterTime;
    QDateTime ulClockTime;
};

// Official race entry (after "Create Timer Race").
struct RaceEntryRow {
    QString loftNo;
    QString pRingNo;
    QString eRing;
    QString uid;
    QString sex;  // "H" hen; null prints empty; anything else is a cock
    QString colorType;
    QString rRegNumber;
    QString rYear;
    std::optional<int> randomCode;
    QDateTime markedTime;
    QString clockId;
};
struct RaceEntryInput {
    QString raceCodeText;  // "1A2B / 0819"
    QString loftName;
    QString deviceNo;
    RaceHeader race;
    std::optional<LoftDetails> loft;  // the loft with that name, if any
    RaceClockTimes clockTimes;
    QMap<QString, QString> colourNames;  // LCX_FeatherColor: code -> name
    QDateTime printedOn;                 // "Print on", and the year that makes yearlings
    QList<RaceEntryRow> rows;
};

class TfrmDLRaceRpt_UTC : public TReportForm {
public:
    explicit TfrmDLRaceRpt_UTC(RaceEntryInput input) : in_(std::move(input)) {}
    ReportDocument document() const override;

    int hens() const;
    int cocks() const;
    int yearlings() const;

private:
    RaceEntryInput in_;
};

// Official race list of one loft (after "UpLoad Timer Result").
struct OfficialListRow {
    int rank = 0;
    QString pRingNo;
    QString rCountry, rYear, rRegLetter, rRegNumber;
    QString sex;
    QString colorType;
    QString backTime;
    std::optional<int> randomCode;  // given at marking
    std::optional<int> realRandom;  // read back from the clock
};
struct OfficialListInput {
    QString raceCodeText;
    QString siteText;  // the loft number read from the clock
    QString deviceNo;
    RaceHeader race;
    std::optional<LoftDetails> loft;  // the loft with that number, if any
    RaceClockTimes clockTimes;
    QList<OfficialListRow> rows;
};

class TfrmULRaceRpt_UTC : public TReportForm {
public:
    explicit TfrmULRaceRpt_UTC(OfficialListInput input) : in_(std::move(input)) {}
    ReportDocument document() const override;

private:
    OfficialListInput in_;
};

// "OK" when the code read back equals the one given, else "NG".
QString secretCheck(const std::optional<int>& given, const std::optional<int>& read);

// Race ranking ("Print" on "UpLoad Timer Result").
struct RankingRow {
    int rank = 0;
    QString loftName;
    QString pRingNo;
    QString rCountry, rYear, rRegLetter, rRegNumber;
    QString sex;
    QString colorType;
    QString backTime;
    QString flyTime;
    double flySpeed = 0;
    std::optional<qint64> dist;
    std::optional<qint64> timeVari;
};
struct RankingInput {
    QString clubName;  // LCX_ClubData.ClubName
    DistanceMode mode = DistanceMode::Metric;
    QString raceCodeText;
    QString liberSite;
    QDateTime printedOn;
    QList<RankingRow> rows;
    // FlyTime of every row of the whole race's result list, fastest first: the
    // winner's time gives the margins and the net flying time.
    QStringList resultFlyTimes;
};

class TfrmRaceRankRpt_UTC : public TReportForm {
public:
    explicit TfrmRaceRankRpt_UTC(RankingInput input) : in_(std::move(input)) {}
    ReportDocument document() const override;

    // The Margin column of one row: its flying time behind the winner's, hh:nn:ss.
    QString margin(const QString& flyTime) const;
    QString winningMargin() const;  // second minus first, h:m:s

private:
    RankingInput in_;
};

}  // namespace club::reports
