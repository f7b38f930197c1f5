#include "race_queries.h"

#include "db_transaction.h"
#include "dm_lcxs.h"

namespace raceq {

// A race's rows are selected by LiberDate >= day AND LiberDate < next day: both engines
// store every DateTime as a full date-time (db_values.h), the bounds bind as "yyyy-MM-dd",
// and the range keeps the (LiberCode, LiberDate, ...) indexes usable on big races.

namespace {

QVariant nullableText(const QVariant& v) {
    return v.isNull() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(v.toString());
}

QVariant nullableInt(const QVariant& v) {
    if (v.isNull() || (v.metaType().id() == QMetaType::QString && v.toString().isEmpty()))
        return QVariant(QMetaType(QMetaType::Int));
    return QVariant(v.toInt());
}

QVariant nullableDateTime(const QDateTime& v) {
    return v.isValid() ? QVariant(v) : QVariant(QMetaType(QMetaType::QString));
}

RaceRow raceFrom(const QSqlQuery& q) {
    RaceRow r;
    r.clubId = q.value(0).toString();
    r.liberCode = q.value(1).toString();
    r.liberSite = q.value(2).toString();
    r.liberSiteAbbr = q.value(3).toString();
    r.liberDate = dbDate(q.value(4));
    r.liberTime = dbTime(q.value(5));
    r.liberLon = nullableText(q.value(6));
    r.liberLat = nullableText(q.value(7));
    r.raceCode = q.value(8).toString();
    return r;
}

const char* const kRaceColumns =
    "SELECT ClubID, LiberCode, LiberSite, LiberSiteAbbr, LiberDate, LiberTime, LiberLon, "
    "LiberLat, RaceCode FROM LCX_RaceData";

QVariantList raceKey(const QString& liberCode, const QDate& day) {
    return {liberCode, day, day.addDays(1)};
}

}  // namespace

// ---- Races --------------------------------------------------------------------------------

QList<RaceRow> selectRaces(TdmLCXS& dm) {
    QSqlQuery q = dm.exec(QString::fromLatin1(kRaceColumns));
    QList<RaceRow> rows;
    while (q.next()) rows.append(raceFrom(q));
    return rows;
}

std::optional<RaceRow> findRace(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate) {
    QSqlQuery q = dm.exec(QString::fromLatin1(kRaceColumns) +
                              " WHERE LiberCode = ? AND LiberDate >= ? AND LiberDate < ?",
                          raceKey(liberCode, liberDate));
    if (!q.next()) return std::nullopt;
    return raceFrom(q);
}

std::optional<RaceRow> findRaceOfClub(TdmLCXS& dm, const QString& clubId, const QString& liberCode,
                                      const QDate& liberDate) {
    QSqlQuery q = dm.exec(QString::fromLatin1(kRaceColumns) +
                              " WHERE ClubID = ? AND LiberCode = ? AND LiberDate >= ? AND LiberDate < ?",
                          QVariantList{clubId} + raceKey(liberCode, liberDate));
    if (!q.next()) return std::nullopt;
    return raceFrom(q);
}

void insertRace(TdmLCXS& dm, const RaceRow& race, const QDateTime& now) {
    dm.exec("INSERT INTO LCX_RaceData (ClubID, LiberCode, LiberSite, LiberSiteAbbr, LiberDate, "
            "LiberTime, LiberLon, LiberLat, Updatetime, SynchFlag, RaceCode) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            {race.clubId, race.liberCode, race.liberSite, race.liberSiteAbbr, race.liberDate,
             race.liberTime.isValid() ? QVariant(race.liberTime) : QVariant(QMetaType(QMetaType::QString)),
             nullableText(race.liberLon), nullableText(race.liberLat), now, true, race.raceCode});
}

void updateRace(TdmLCXS& dm, const RaceRow& race, const QDateTime& now) {
    dm.exec("UPDATE LCX_RaceData SET LiberSite = ?, LiberSiteAbbr = ?, LiberDate = ?, LiberTime = ?, "
            "LiberLon = ?, LiberLat = ?, Updatetime = ?, RaceCode = ?, ClubID = ?, SynchFlag = ? "
            "WHERE LiberCode = ? AND LiberDate >= ? AND LiberDate < ?",
            QVariantList{race.liberSite, race.liberSiteAbbr, race.liberDate,
                         race.liberTime.isValid() ? QVariant(race.liberTime)
                                                  : QVariant(QMetaType(QMetaType::QString)),
                         nullableText(race.liberLon), nullableText(race.liberLat), now, race.raceCode,
                         race.clubId, true} +
                raceKey(race.liberCode, race.liberDate));
}

int deleteRaceRow(TdmLCXS& dm, const QString& clubId, const QString& liberCode, const QDate& liberDate) {
    return dm.execute(
        "DELETE FROM LCX_RaceData WHERE ClubID = ? AND LiberCode = ? AND LiberDate >= ? AND LiberDate < ?",
        QVariantList{clubId} + raceKey(liberCode, liberDate));
}

int deleteRaceEntries(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate) {
    return dm.execute(
        "DELETE FROM LCX_PigRaceData WHERE LiberCode = ? AND LiberDate >= ? AND LiberDate < ?",
        raceKey(liberCode, liberDate));
}

// ---- Sites --------------------------------------------------------------------------------

namespace {
SiteRow siteFrom(const QSqlQuery& q) {
    return {q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
            nullableText(q.value(3)), nullableText(q.value(4))};
}
const char* const kSiteColumns =
    "SELECT LiberCode, LiberSite, LiberSiteAbbr, LiberLon, LiberLat FROM LCX_LiberateSite";
}  // namespace

QList<SiteRow> selectSites(TdmLCXS& dm) {
    QSqlQuery q = dm.exec(QString::fromLatin1(kSiteColumns));
    QList<SiteRow> rows;
    while (q.next()) rows.append(siteFrom(q));
    return rows;
}

std::optional<SiteRow> findSiteByName(TdmLCXS& dm, const QString& liberSite) {
    QSqlQuery q = dm.exec(QString::fromLatin1(kSiteColumns) + " WHERE LiberSite = ?", {liberSite});
    if (!q.next()) return std::nullopt;
    return siteFrom(q);
}

bool siteExists(TdmLCXS& dm, const QString& liberCode) {
    return dm.scalar("SELECT count(*) FROM LCX_LiberateSite WHERE LiberCode = ?", {liberCode}).toInt() > 0;
}

void insertSite(TdmLCXS& dm, const SiteRow& site) {
    dm.exec("INSERT INTO LCX_LiberateSite (LiberCode, LiberSite, LiberSiteAbbr, LiberLon, LiberLat) "
            "VALUES (?, ?, ?, ?, ?)",
            {site.liberCode, site.liberSite, site.liberSiteAbbr, nullableText(site.liberLon),
             nullableText(site.liberLat)});
}

int deleteSite(TdmLCXS& dm, const QString& liberCode) {
    return dm.execute("DELETE FROM LCX_LiberateSite WHERE LiberCode = ?", {liberCode});
}

// ---- Clubs --------------------------------------------------------------------------------

std::optional<QString> clubIdForName(TdmLCXS& dm, const QString& clubName) {
    QSqlQuery q = dm.exec("SELECT ClubID FROM LCX_ClubMap WHERE ClubName = ?", {clubName});
    if (!q.next()) return std::nullopt;
    return q.value(0).toString();
}

std::optional<QString> clubNameForId(TdmLCXS& dm, const QString& clubId) {
    QSqlQuery q = dm.exec("SELECT ClubName FROM LCX_ClubMap WHERE ClubID = ?", {clubId});
    if (!q.next()) return std::nullopt;
    return q.value(0).toString();
}

int deleteClubsNamed(TdmLCXS& dm, const QString& clubName) {
    return dm.execute("DELETE FROM LCX_ClubMap WHERE ClubName = ?", {clubName});
}

// ---- Distances ----------------------------------------------------------------------------

void insertDistanceRowsForAllLofts(TdmLCXS& dm, const QString& liberCode) {
    QSqlQuery q = dm.exec("SELECT LoftNo FROM LCX_LoftData");
    QStringList lofts;
    while (q.next()) lofts.append(q.value(0).toString());
    DbTransaction tx(dm);
    for (const QString& loftNo : lofts)
        dm.exec("INSERT INTO LCX_LoftLibPointDist (LiberCode, LoftNo, Miles, Yards) VALUES (?, ?, 0, 0)",
                {liberCode, loftNo});
    tx.commit();
}

int deleteDistanceRows(TdmLCXS& dm, const QString& liberCode) {
    return dm.execute("DELETE FROM LCX_LoftLibPointDist WHERE LiberCode = ?", {liberCode});
}

QList<DistanceRow> selectDistanceRows(TdmLCXS& dm, const QString& liberCode) {
    QSqlQuery q = dm.exec(
        "SELECT d.LoftNo, l.LoftName, d.Miles, d.Yards FROM LCX_LoftLibPointDist d "
        "LEFT JOIN LCX_LoftData l ON l.LoftNo = d.LoftNo WHERE d.LiberCode = ?",
        {liberCode});
    QList<DistanceRow> rows;
    while (q.next())
        rows.append({q.value(0).toString(), q.value(1).toString(), nullableInt(q.value(2)),
                     nullableInt(q.value(3))});
    return rows;
}

void writeDistanceRow(TdmLCXS& dm, const QString& liberCode, const QString& loftNo, int miles, int yards) {
    const int changed = dm.execute(
        "UPDATE LCX_LoftLibPointDist SET Miles = ?, Yards = ? WHERE LiberCode = ? AND LoftNo = ?",
        {miles, yards, liberCode, loftNo});
    if (changed == 0)
        dm.exec("INSERT INTO LCX_LoftLibPointDist (LiberCode, LoftNo, Miles, Yards) VALUES (?, ?, ?, ?)",
                {liberCode, loftNo, miles, yards});
}

void updateDistanceRow(TdmLCXS& dm, const QString& liberCode, const QString& loftNo,
                       const QVariant& miles, const QVariant& yards) {
    dm.exec("UPDATE LCX_LoftLibPointDist SET Miles = ?, Yards = ? WHERE LiberCode = ? AND LoftNo = ?",
            {nullableInt(miles), nullableInt(yards), liberCode, loftNo});
}

std::optional<int> distanceYards(TdmLCXS& dm, const QString& liberCode, const QString& loftNo) {
    const QVariant v = dm.scalar(
        "SELECT Yards FROM LCX_LoftLibPointDist WHERE LiberCode = ? AND LoftNo = ?", {liberCode, loftNo});
    if (v.isNull()) return std::nullopt;
    return v.toInt();
}

QList<LoftCoordinates> selectLoftCoordinates(TdmLCXS& dm) {
    QSqlQuery q = dm.exec("SELECT LoftNo, LoftLon, LoftLat FROM LCX_LoftData");
    QList<LoftCoordinates> rows;
    while (q.next())
        rows.append({q.value(0).toString(), nullableText(q.value(1)), nullableText(q.value(2))});
    return rows;
}

int clubDistanceMode(TdmLCXS& dm) {
    return dm.scalar("SELECT Mode FROM LCX_ClubData LIMIT 1").toInt();
}

// ---- Status -------------------------------------------------------------------------------

QList<StatusLine> selectRaceStatus(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate) {
    QSqlQuery q = dm.exec(
        "SELECT s.LoftNo, l.LoftName, s.ClockID, s.MarkedCnt, s.ArriveCnt FROM ("
        " SELECT p.LoftNo AS LoftNo, e.ClockID AS ClockID, count(p.PRingNo) AS MarkedCnt,"
        " sum(CASE WHEN e.BackTime IS NOT NULL AND e.BackTime <> '' THEN 1 ELSE 0 END) AS ArriveCnt"
        " FROM LCX_PigRaceData e LEFT JOIN LCX_PigData p ON p.PRingNo = e.PRingNo"
        " WHERE e.LiberCode = ? AND e.LiberDate >= ? AND e.LiberDate < ?"
        " GROUP BY p.LoftNo, e.ClockID) s"
        " LEFT JOIN LCX_LoftData l ON l.LoftNo = s.LoftNo"
        // Empty values first on both engines (they sort nulls differently).
        " ORDER BY CASE WHEN s.LoftNo IS NULL THEN 0 ELSE 1 END, s.LoftNo,"
        " CASE WHEN s.ClockID IS NULL THEN 0 ELSE 1 END, s.ClockID",
        raceKey(liberCode, liberDate));
    QList<StatusLine> rows;
    while (q.next())
        rows.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                     q.value(3).toInt(), q.value(4).toInt()});
    return rows;
}

// ---- Results ------------------------------------------------------------------------------

QList<ResultEntry> selectArrivedEntries(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                                        bool arrivedOnly) {
    QSqlQuery q = dm.exec(
        "SELECT e.PRingNo, e.BackTime, e.FlyTime, e.FlySpeed, e.Dist, e.TimeVari, p.PRingNo, p.LoftNo,"
        " l.LoftName, p.RCountry, p.RYear, p.RRegLetter, p.RRegNumber, p.Sex, p.ColorType,"
        " d.LoftNo, d.Yards, e.LiberDate"
        " FROM LCX_PigRaceData e"
        " LEFT JOIN LCX_PigData p ON p.PRingNo = e.PRingNo"
        " LEFT JOIN LCX_LoftData l ON l.LoftNo = p.LoftNo"
        " LEFT JOIN LCX_LoftLibPointDist d ON d.LiberCode = e.LiberCode AND d.LoftNo = p.LoftNo"
        " WHERE e.LiberCode = ? AND e.LiberDate >= ? AND e.LiberDate < ?" +
            QString::fromLatin1(arrivedOnly ? " AND e.BackTime IS NOT NULL AND e.BackTime <> ''" : ""),
        raceKey(liberCode, liberDate));
    QList<ResultEntry> rows;
    while (q.next()) {
        ResultEntry r;
        r.pRingNo = q.value(0).toString();
        r.backTime = q.value(1).toString();
        r.flyTime = q.value(2).toString();
        const QVariant speed = q.value(3);
        r.flySpeed = speed.isNull() ? QVariant() : QVariant(speed.toDouble());
        r.dist = nullableInt(q.value(4));
        r.timeVari = nullableInt(q.value(5));
        r.inRegister = !q.value(6).isNull();
        r.loftNo = q.value(7).toString();
        r.loftName = q.value(8).toString();
        r.rCountry = q.value(9).toString();
        r.rYear = q.value(10).toString();
        r.rRegLetter = q.value(11).toString();
        r.rRegNumber = q.value(12).toString();
        r.sex = q.value(13).toString();
        r.colorType = q.value(14).toString();
        r.hasDistanceRow = !q.value(15).isNull();
        r.yards = nullableInt(q.value(16));
        r.storedLiberDate = q.value(17);
        rows.append(std::move(r));
    }
    return rows;
}

void updateEntryResult(TdmLCXS& dm, const QString& liberCode, const QVariant& storedLiberDate,
                       const QString& pRingNo, const QString& flyTime, double flySpeed, int dist) {
    dm.exec("UPDATE LCX_PigRaceData SET FlyTime = ?, FlySpeed = ?, Dist = ? WHERE LiberCode = ? AND "
            "LiberDate = ? AND PRingNo = ?",
            {flyTime, flySpeed, dist, liberCode, storedLiberDate, pRingNo});
}

// ---- Sun table ----------------------------------------------------------------------------

QList<SunTableRow> selectSunRows(TdmLCXS& dm, const QString& raceCode, bool byDate) {
    QSqlQuery q = dm.exec(QStringLiteral("SELECT RaceDate, SunSet, SunRise, Location FROM "
                                         "LCX_SunSet_SunRise WHERE RaceCode = ?") +
                              (byDate ? QStringLiteral(" ORDER BY RaceDate") : QString()),
                          {raceCode});
    QList<SunTableRow> rows;
    while (q.next())
        rows.append({dbDate(q.value(0)), dbTime(q.value(1)), dbTime(q.value(2)), q.value(3).toString()});
    return rows;
}

int deleteSunRows(TdmLCXS& dm, const QString& raceCode) {
    return dm.execute("DELETE FROM LCX_SunSet_SunRise WHERE RaceCode = ?", {raceCode});
}

void insertSunRow(TdmLCXS& dm, const QString& raceCode, const SunTableRow& row) {
    const QVariant noTime(QMetaType(QMetaType::QString));
    dm.exec("INSERT INTO LCX_SunSet_SunRise (RaceCode, RaceDate, SunSet, SunRise, Location) "
            "VALUES (?, ?, ?, ?, ?)",
            {raceCode, row.raceDate, row.sunSet.isValid() ? QVariant(row.sunSet) : noTime,
             row.sunRise.isValid() ? QVariant(row.sunRise) : noTime, row.location});
}

// ---- Other clocks -------------------------------------------------------------------------

QStringList selectRaceLoftNames(TdmLCXS& dm) {
    QSqlQuery q = dm.exec("SELECT LoftName FROM LCX_LoftData");
    QStringList names;
    while (q.next()) {
        const QString n = q.value(0).toString();
        if (!names.contains(n)) names.append(n);
    }
    return names;
}

std::optional<QString> loftNoForName(TdmLCXS& dm, const QString& loftName) {
    QSqlQuery q = dm.exec("SELECT LoftNo FROM LCX_LoftData WHERE LoftName = ?", {loftName});
    if (!q.next()) return std::nullopt;
    return q.value(0).toString();
}

QStringList selectLoftRings(TdmLCXS& dm, const QString& loftNo, const QString& tail) {
    QSqlQuery q = dm.exec("SELECT PRingNo FROM LCX_PigData WHERE LoftNo = ?", {loftNo});
    QStringList rings;
    while (q.next()) {
        const QString ring = q.value(0).toString();
        if (tail.isEmpty() || ring.endsWith(tail)) rings.append(ring);
    }
    return rings;
}

std::optional<ClockTimeRow> findClockTime(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                                          const QString& loftNo) {
    QSqlQuery q = dm.exec("SELECT DLMarkedTime, ULMasterTime, ULClockTime FROM LCX_RaceClockTime "
                          "WHERE LiberCode = ? AND LiberDate >= ? AND LiberDate < ? AND LoftNo = ?",
                          raceKey(liberCode, liberDate) + QVariantList{loftNo});
    if (!q.next()) return std::nullopt;
    return ClockTimeRow{dbDateTime(q.value(0)), dbDateTime(q.value(1)), dbDateTime(q.value(2))};
}

void updateClockTime(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                     const QString& loftNo, const ClockTimeRow& t) {
    dm.exec("UPDATE LCX_RaceClockTime SET DLMarkedTime = ?, ULMasterTime = ?, ULClockTime = ? "
            "WHERE LiberCode = ? AND LiberDate >= ? AND LiberDate < ? AND LoftNo = ?",
            QVariantList{nullableDateTime(t.dlMarkedTime), nullableDateTime(t.ulMasterTime),
                         nullableDateTime(t.ulClockTime)} +
                raceKey(liberCode, liberDate) + QVariantList{loftNo});
}

void insertClockTime(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                     const QString& loftNo, const ClockTimeRow& t) {
    dm.exec("INSERT INTO LCX_RaceClockTime (LiberCode, LiberDate, LoftNo, DLMarkedTime, ULMasterTime, "
            "ULClockTime) VALUES (?, ?, ?, ?, ?, ?)",
            {liberCode, liberDate, loftNo, nullableDateTime(t.dlMarkedTime),
             nullableDateTime(t.ulMasterTime), nullableDateTime(t.ulClockTime)});
}

QList<RingArrival> selectLoftArrivals(TdmLCXS& dm, const QString& loftNo, const QString& liberCode,
                                      const QDate& liberDate) {
    QSqlQuery q = dm.exec(
        "SELECT p.PRingNo, e.BackTime FROM LCX_PigData p LEFT JOIN LCX_PigRaceData e ON "
        "e.PRingNo = p.PRingNo AND e.LiberCode = ? AND e.LiberDate >= ? AND e.LiberDate < ? "
        "WHERE p.LoftNo = ? ORDER BY p.PRingNo",
        raceKey(liberCode, liberDate) + QVariantList{loftNo});
    QList<RingArrival> rows;
    while (q.next()) rows.append({q.value(0).toString(), q.value(1).toString()});
    return rows;
}

std::optional<QString> entryBackTime(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                                     const QString& pRingNo) {
    QSqlQuery q = dm.exec("SELECT BackTime FROM LCX_PigRaceData WHERE LiberCode = ? AND PRingNo = ? "
                          "AND LiberDate >= ? AND LiberDate < ?",
                          {liberCode, pRingNo, liberDate, liberDate.addDays(1)});
    if (!q.next()) return std::nullopt;
    return q.value(0).toString();
}

void writeEntryArrival(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                       const QString& pRingNo, const EntryArrival& a) {
    const int changed = dm.execute(
        "UPDATE LCX_PigRaceData SET BackTime = ?, FlyTime = ?, FlySpeed = ?, Dist = ? WHERE "
        "LiberCode = ? AND PRingNo = ? AND LiberDate >= ? AND LiberDate < ?",
        {a.backTime, a.flyTime, a.flySpeed, a.dist, liberCode, pRingNo, liberDate, liberDate.addDays(1)});
    if (changed == 0)
        dm.exec("INSERT INTO LCX_PigRaceData (ClubID, LiberCode, LiberDate, PRingNo, BackTime, FlyTime, "
                "FlySpeed, Dist) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                {a.clubId, liberCode, liberDate, pRingNo, a.backTime, a.flyTime, a.flySpeed, a.dist});
}

}  // namespace raceq
