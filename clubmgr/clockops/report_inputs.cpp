#include "report_inputs.h"

#include "clock_values.h"
#include "club_queries.h"
#include "dm_lcxs.h"
#include "report_queries.h"

namespace clockops {

namespace {

using namespace club::reports;

RaceHeader Header(TdmLCXS &dm, const ClockOpValues &v)
{
    RaceHeader h;
    h.raceCode = v.CurRaceCode;
    h.liberDate = v.CurLiberDate;
    if (const auto race = reportq::raceByCode(dm, v.CurRaceCode, v.CurLiberDate)) {
        h.clubId = race->clubId;
        h.liberDate = race->liberDate;
        h.liberSite = reportq::librarySiteName(dm, race->liberCode);
    }
    return h;
}

std::optional<LoftDetails> Details(const std::optional<reportq::LoftInfo> &l)
{
    if (!l)
        return std::nullopt;
    return LoftDetails{l->associationCode, l->loftNo, l->loftName, l->street, l->city,
                       l->postCode,        l->phoneNo, l->loftLat, l->loftLon};
}

RaceClockTimes Times(TdmLCXS &dm, const ClockOpValues &v, const QString &loftNo)
{
    RaceClockTimes t;
    if (const auto row = clockq::raceClockOfLoft(dm, v.CurLiberCode, v.CurLiberDate, loftNo)) {
        t.dlMarkedTime = row->dlMarkedTime;
        t.ulMasterTime = row->ulMasterTime;
        t.ulClockTime = row->ulClockTime;
    }
    return t;
}

} // namespace

void FillRaceEntryReport(TdmLCXS &dm, const ClockOpValues &v, const QList<clockq::PigeonRow> &rows,
                         RaceEntryInput *in)
{
    in->race = Header(dm, v);
    in->loft = Details(reportq::loftByName(dm, in->loftName));
    in->clockTimes = Times(dm, v, v.CurLoftNo);
    in->colourNames = reportq::featherColourNames(dm);
    in->printedOn = QDateTime::currentDateTime();
    for (const clockq::PigeonRow &p : rows) {
        RaceEntryRow r;
        r.loftNo = p.loftNo;
        r.pRingNo = p.pRingNo;
        r.eRing = p.eRing;
        r.uid = p.uid;
        r.sex = p.sex;
        r.colorType = p.colorType;
        r.rRegNumber = p.rRegNumber;
        r.rYear = p.rYear;
        r.randomCode = p.randomCode;
        r.markedTime = p.markedTime.toDateTime();
        r.clockId = p.clockId;
        in->rows << r;
    }
}

void FillOfficialListReport(TdmLCXS &dm, const ClockOpValues &v, const QList<clockq::OfficialRow> &rows,
                            OfficialListInput *in)
{
    in->race = Header(dm, v);
    in->loft = Details(reportq::loftByNo(dm, v.CurLoftNo));
    in->clockTimes = Times(dm, v, v.CurLoftNo);
    for (const clockq::OfficialRow &o : rows) {
        OfficialListRow r;
        r.rank = o.rank;
        r.pRingNo = o.pRingNo;
        r.rCountry = o.rCountry;
        r.rYear = o.rYear;
        r.rRegLetter = o.rRegLetter;
        r.rRegNumber = o.rRegNumber;
        r.sex = o.sex;
        r.colorType = o.colorType;
        r.backTime = o.backTime;
        r.randomCode = o.randomCode;
        r.realRandom = HexToNumber(o.realRandom);
        in->rows << r;
    }
}

void FillRankingReport(TdmLCXS &dm, const ClockOpValues &v, const QList<clockq::ResultRow> &rows, RankingInput *in)
{
    if (const auto club = firstClubData(dm)) {
        in->clubName = club->clubName;
        in->mode = club->mode == 1 ? DistanceMode::Imperial : DistanceMode::Metric;
    }
    in->liberSite = reportq::librarySiteName(dm, v.CurLiberCode);
    in->printedOn = QDateTime::currentDateTime();
    for (const clockq::ResultRow &res : rows) {
        RankingRow r;
        r.rank = res.rank;
        r.loftName = res.loftName;
        r.pRingNo = res.pRingNo;
        r.rCountry = res.rCountry;
        r.rYear = res.rYear;
        r.rRegLetter = res.rRegLetter;
        r.rRegNumber = res.rRegNumber;
        r.sex = res.sex;
        r.colorType = res.colorType;
        r.backTime = res.backTime;
        r.flyTime = res.flyTime;
        r.flySpeed = res.flySpeed;
        if (!res.dist.isNull())
            r.dist = res.dist.toLongLong();
        if (!res.timeVari.isNull())
            r.timeVari = res.timeVari.toLongLong();
        in->rows << r;
        in->resultFlyTimes << res.flyTime;
    }
}

} // namespace clockops
