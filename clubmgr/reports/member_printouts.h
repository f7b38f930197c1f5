#pragma once
// Printouts of the Member page and the race window's distance panel: the member list,
// the ring list of one loft and the members' distances to one liberation site. Each
// takes the rows of the list on screen, in the order shown.

#include "report_form.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>

namespace club::reports {

// Member list ("Print" on the loft list).
struct MemListRow {
    QString loftName;
    QString loftNo;
    int clockCnt = 0;
};
struct MemListInput {
    ClubAddress club;
    QList<MemListRow> rows;
};

class TfrmPrtMemList : public TReportForm {
public:
    explicit TfrmPrtMemList(MemListInput input) : in_(std::move(input)) {}
    ReportDocument document() const override;

private:
    MemListInput in_;
};

// Ring list of one loft ("Print" on the ring panel). Values as stored; the report
// shows codes as names.
struct MemRingRow {
    QString pRingNo;
    QString sex;        // "C", "H" or other
    QString eRing;
    QString colorType;  // colour code
    QDate createDate;
    QDate assignDate;
    QDateTime updateTime;
};
struct MemRingListInput {
    ClubAddress club;
    QString loftName;
    QString loftNo;
    QMap<QString, QString> colourNames;  // LCX_FeatherColor: code -> name
    QList<MemRingRow> rows;
};

class TfrmPrtMemRingList : public TReportForm {
public:
    explicit TfrmPrtMemRingList(MemRingListInput input) : in_(std::move(input)) {}
    ReportDocument document() const override;

private:
    MemRingListInput in_;
};

// Members' distances to one site ("Print" on the distance panel).
struct MemDistRow {
    QString loftName;  // looked up from LCX_LoftData by LoftNo, empty when none
    QString loftNo;
    std::optional<qint64> miles;  // large unit: miles or kilometres
    std::optional<qint64> yards;  // small unit: yards or metres
};
struct MemDistInput {
    ClubAddress club;
    QString title;  // the panel's title, "Members Distance of " + site name
    DistanceMode mode = DistanceMode::Metric;
    QList<MemDistRow> rows;
};

class TfrmPrtMemDist : public TReportForm {
public:
    explicit TfrmPrtMemDist(MemDistInput input) : in_(std::move(input)) {}
    ReportDocument document() const override;

private:
    MemDistInput in_;
};

}  // namespace club::reports
