#include "report_sources.h"

#include "club_queries.h"
#include "clockop_queries.h"
#include "dm_lcxs.h"
#include "report_format.h"
#include "report_queries.h"

namespace club::reports {
namespace {

std::optional<qint64> number(const QVariant& v)
{
    if (v.isNull() || v.toString().isEmpty()) return std::nullopt;
    return v.toLongLong();
}

// A race that is not in the database still prints its code.
RaceHeader headerOrCode(TdmLCXS& dm, const QString& raceCodeText)
{
    if (auto header = raceHeaderFrom(dm, raceCodeText)) return *header;
    RaceHeader header;
    header.raceCode = raceCodeFromText(raceCodeText);
    return header;
}

std::optional<reportq::RaceLine> raceOf(TdmLCXS& dm, const QString& raceCodeText)
{
    return reportq::raceByCode(dm, raceCodeFromText(raceCodeText));
}

LoftDetails details(const reportq::LoftInfo& l)
{
    return {l.associationCode, l.loftNo, l.loftName, l.street, l.city, l.postCode, l.phoneNo, l.loftLat, l.loftLon};
}

RaceClockTimes clockTimesOf(TdmLCXS& dm, const RaceHeader& race, const std::optional<LoftDetails>& loft,
                            const QString& loftNo)
{
    const QString no = loft ? loft->loftNo : loftNo;
    if (!race.liberDate.isValid() || no.isEmpty()) return {};
    const auto row = clockq::raceClockOfLoft(dm, race.liberCode, race.liberDate, no);
    if (!row) return {};
    return {row->dlMarkedTime, row->ulMasterTime, row->ulClockTime};
}

}  // namespace

ClubAddress clubAddressFrom(TdmLCXS& dm)
{
    const auto club = firstClubData(dm);
    if (!club) return {};
    return {club->clubName, club->street, club->city, club->postCode};
}

DistanceMode distanceModeFrom(TdmLCXS& dm)
{
    return clockq::clubMode(dm) == 1 ? DistanceMode::Imperial : DistanceMode::Metric;
}

std::optional<RaceHeader> raceHeaderFrom(TdmLCXS& dm, const QString& raceCodeText)
{
    const auto race = raceOf(dm, raceCodeText);
    if (!race) return std::nullopt;
    return RaceHeader{race->raceCode, race->clubId, race->liberDate, reportq::librarySiteName(dm, race->liberCode),
                      race->liberCode};
}

void fillRaceEntryHeader(TdmLCXS& dm, RaceEntryInput& in)
{
    in.race = headerOrCode(dm, in.raceCodeText);
    const auto loft = reportq::loftByName(dm, in.loftName);
    in.loft = loft ? std::optional<LoftDetails>(details(*loft)) : std::nullopt;
    in.clockTimes = clockTimesOf(dm, in.race, in.loft, {});
    in.colourNames = reportq::featherColourNames(dm);
}

void fillOfficialListHeader(TdmLCXS& dm, OfficialListInput& in)
{
    in.race = headerOrCode(dm, in.raceCodeText);
    const auto loft = reportq::loftByNo(dm, in.siteText);
    in.loft = loft ? std::optional<LoftDetails>(details(*loft)) : std::nullopt;
    in.clockTimes = clockTimesOf(dm, in.race, in.loft, in.siteText);
}

void fillRankingHeader(TdmLCXS& dm, RankingInput& in)
{
    in.clubName = clubAddressFrom(dm).clubName;
    in.mode = distanceModeFrom(dm);
    const auto race = raceOf(dm, in.raceCodeText);
    in.liberSite = race ? reportq::librarySiteName(dm, race->liberCode) : QString();
}

MemListInput memberListFrom(TdmLCXS& dm)
{
    MemListInput in{clubAddressFrom(dm), {}};
    for (const auto& l : reportq::loftList(dm)) in.rows.append({l.loftName, l.loftNo, l.clockCnt});
    return in;
}

std::optional<MemRingListInput> ringListFrom(TdmLCXS& dm, const QString& loftNo)
{
    const auto loft = reportq::loftByNo(dm, loftNo);
    if (!loft) return std::nullopt;
    MemRingListInput in;
    in.club = clubAddressFrom(dm);
    in.loftName = loft->loftName;
    in.loftNo = loft->loftNo;
    in.colourNames = reportq::featherColourNames(dm);
    for (const auto& r : reportq::loftRings(dm, loftNo))
        in.rows.append({r.pRingNo, r.sex, r.eRing, r.colorType, r.createDate, r.assignDate, r.updateTime});
    return in;
}

std::optional<MemDistInput> distanceListFrom(TdmLCXS& dm, const QString& raceCodeText)
{
    const auto race = raceOf(dm, raceCodeText);
    if (!race) return std::nullopt;
    MemDistInput in;
    in.club = clubAddressFrom(dm);
    in.title = QStringLiteral("Members Distance of ") + race->liberSite;
    in.mode = distanceModeFrom(dm);
    for (const auto& d : reportq::distanceLines(dm, race->liberCode))
        in.rows.append({d.loftName, d.loftNo, number(d.miles), number(d.yards)});
    return in;
}

RaceListInput raceListFrom(TdmLCXS& dm)
{
    RaceListInput in{clubAddressFrom(dm), {}};
    for (const auto& r : reportq::raceList(dm))
        in.rows.append({r.clubId, r.liberCode, r.liberSiteAbbr, r.liberSite, r.liberDate, r.liberTime});
    return in;
}

std::optional<RaceStatInput> raceStatFrom(TdmLCXS& dm, const QString& raceCodeText)
{
    const auto race = raceOf(dm, raceCodeText);
    if (!race) return std::nullopt;
    RaceStatInput in;
    in.club = clubAddressFrom(dm);
    in.siteName = race->liberSite;
    in.liberDate = race->liberDate;
    in.liberTime = race->liberTime;
    for (const auto& s : reportq::raceStatus(dm, race->liberCode, race->liberDate))
        in.rows.append({s.loftName, s.clockId, s.markedCnt, s.arriveCnt});
    return in;
}

std::optional<RaceResultInput> raceResultFrom(TdmLCXS& dm, const QString& raceCodeText)
{
    const auto race = raceOf(dm, raceCodeText);
    if (!race) return std::nullopt;
    RaceResultInput in;
    in.club = clubAddressFrom(dm);
    in.clubId = race->clubId;
    in.siteName = race->liberSite;
    in.liberDate = race->liberDate;
    in.liberTime = race->liberTime;
    in.mode = distanceModeFrom(dm);
    const auto results = clockq::resultRows(dm, race->liberCode, race->liberDate, false);
    const auto counts = clockq::raceSummary(dm, race->liberCode, race->liberDate);
    in.summaryLine = QStringLiteral("%1 Members sent %2 birds of which %3 were clocked")
                         .arg(counts.members)
                         .arg(counts.birds)
                         .arg(results.size());
    for (const auto& r : results)
        in.rows.append({r.rank, r.loftName, r.pRingNo, r.rCountry, r.rYear, r.rRegLetter, r.rRegNumber, r.backTime,
                        r.flyTime, r.flySpeed, number(r.dist)});
    return in;
}

std::optional<RaceEntryInput> raceEntryFrom(TdmLCXS& dm, const QString& raceCodeText, const QString& loftNo,
                                            const QString& deviceNo)
{
    const auto race = raceOf(dm, raceCodeText);
    const auto loft = reportq::loftByNo(dm, loftNo);
    if (!race || !loft) return std::nullopt;
    RaceEntryInput in;
    in.raceCodeText = race->liberCode + QStringLiteral(" / ") + race->liberDate.toString(QStringLiteral("MMdd"));
    in.loftName = loft->loftName;
    in.printedOn = QDateTime::currentDateTime();
    fillRaceEntryHeader(dm, in);
    // Without a device number given, the clock the race was loaded into.
    const auto clock = clockq::raceClockOfLoft(dm, race->liberCode, race->liberDate, loft->loftNo);
    in.deviceNo = !deviceNo.isEmpty() ? deviceNo : clock ? clock->clockId : QString();
    for (const auto& p : clockq::raceEntryRows(dm, loft->loftNo, race->liberCode, race->liberDate, false))
        in.rows.append({p.loftNo, p.pRingNo, p.eRing, p.uid, p.sex, p.colorType, p.rRegNumber, p.rYear,
                        p.randomCode, p.markedTime.toDateTime(), p.clockId});
    return in;
}

std::optional<OfficialListInput> officialListFrom(TdmLCXS& dm, const QString& raceCodeText, const QString& loftNo,
                                                  const QString& deviceNo)
{
    const auto race = raceOf(dm, raceCodeText);
    if (!race) return std::nullopt;
    OfficialListInput in;
    in.raceCodeText = race->liberCode + QStringLiteral(" / ") + race->liberDate.toString(QStringLiteral("MMdd"));
    in.siteText = loftNo;
    fillOfficialListHeader(dm, in);
    if (!in.loft) return std::nullopt;
    const auto clock = clockq::raceClockOfLoft(dm, race->liberCode, race->liberDate, loftNo);
    in.deviceNo = !deviceNo.isEmpty() ? deviceNo : clock ? clock->clockId : QString();
    for (const auto& r : clockq::officialRows(dm, race->liberCode, race->liberDate, loftNo)) {
        bool ok = false;
        const int read = r.realRandom.trimmed().toInt(&ok, 16);
        in.rows.append({r.rank, r.pRingNo, r.rCountry, r.rYear, r.rRegLetter, r.rRegNumber, r.sex, r.colorType,
                        r.backTime, r.randomCode, ok ? std::optional<int>(read) : std::nullopt});
    }
    return in;
}

std::optional<RankingInput> rankingFrom(TdmLCXS& dm, const QString& raceCodeText)
{
    const auto race = raceOf(dm, raceCodeText);
    if (!race) return std::nullopt;
    RankingInput in;
    in.raceCodeText = race->liberCode + QStringLiteral(" / ") + race->liberDate.toString(QStringLiteral("MMdd"));
    in.printedOn = QDateTime::currentDateTime();
    fillRankingHeader(dm, in);
    for (const auto& r : clockq::resultRows(dm, race->liberCode, race->liberDate, true))
        in.resultFlyTimes << r.flyTime;
    for (const auto& r : clockq::resultRows(dm, race->liberCode, race->liberDate, false))
        in.rows.append({r.rank, r.loftName, r.pRingNo, r.rCountry, r.rYear, r.rRegLetter, r.rRegNumber, r.sex,
                        r.colorType, r.backTime, r.flyTime, r.flySpeed, number(r.dist), number(r.timeVari)});
    return in;
}

}  // namespace club::reports
