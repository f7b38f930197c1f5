#include "clockop_queries.h"

#include "dm_lcxs.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace clockq {

namespace {

QString str(const QSqlQuery& q, const char* column)
{
    return q.value(QLatin1String(column)).toString();
}

// Display columns shared by the pigeon lists: the loft's name and the colour's name.
const char* kPigeonColumns =
    "a.LoftNo, a.PRingNo, a.E_Ring, a.UID, a.Sex, a.ColorType, a.RRegNumber, a.RYear, a.RCountry, "
    "a.RRegLetter, a.Comment, "
    "(SELECT l.LoftName FROM LCX_LoftData l WHERE l.LoftNo = a.LoftNo LIMIT 1) AS LoftName, "
    "(SELECT f.FeathColor FROM LCX_FeatherColor f WHERE f.ColorType = a.ColorType LIMIT 1) AS FeathColor";

PigeonRow readPigeon(const QSqlQuery& q)
{
    PigeonRow r;
    r.loftNo = str(q, "LoftNo");
    r.loftName = str(q, "LoftName");
    r.pRingNo = str(q, "PRingNo");
    r.eRing = str(q, "E_Ring");
    r.uid = str(q, "UID");
    r.sex = str(q, "Sex");
    r.colorType = str(q, "ColorType");
    r.feathColor = str(q, "FeathColor");
    r.rRegNumber = str(q, "RRegNumber");
    r.rYear = str(q, "RYear");
    r.rCountry = str(q, "RCountry");
    r.rRegLetter = str(q, "RRegLetter");
    r.comment = str(q, "Comment");
    return r;
}

RaceRow readRace(const QSqlQuery& q)
{
    RaceRow r;
    r.clubId = str(q, "ClubID");
    r.liberCode = str(q, "LiberCode");
    r.liberSite = str(q, "LiberSite");
    r.raceCode = str(q, "RaceCode");
    r.liberDate = dbDate(q.value("LiberDate"));
    r.liberTime = dbTime(q.value("LiberTime"));
    const QVariant lon = q.value("LiberLon"), lat = q.value("LiberLat");
    r.liberLon = lon.isNull() ? QVariant() : QVariant(lon.toString());
    r.liberLat = lat.isNull() ? QVariant() : QVariant(lat.toString());
    return r;
}

// One pigeon's entry in a race. The ring number is the selective part: "LiberCode || ''"
// keeps SQLite from preferring the (LiberCode, LiberDate, ...) index, which would read
// every entry of the race for each pigeon.
const char* kEntryWhere = "PRingNo = ? AND LiberCode || '' = ? AND LiberDate >= ? AND LiberDate < ?";

const char* kRaceColumns = "ClubID, LiberCode, LiberSite, RaceCode, LiberDate, LiberTime, LiberLon, LiberLat";

} // namespace

QStringList loftNames(TdmLCXS& dm)
{
    QSqlQuery q = dm.exec("SELECT LoftName FROM LCX_LoftData");
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

std::optional<QString> loftNoByName(TdmLCXS& dm, const QString& loftName)
{
    QSqlQuery q = dm.exec("SELECT LoftNo FROM LCX_LoftData WHERE LoftName = ?", {loftName});
    if (!q.next())
        return std::nullopt;
    return q.value(0).toString();
}

QStringList loftNamesWithEntries(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate)
{
    QSqlQuery q = dm.exec(
        "SELECT c.LoftName FROM (LCX_PigRaceData a LEFT JOIN LCX_PigData b ON a.PRingNo = b.PRingNo) "
        "LEFT JOIN LCX_LoftData c ON b.LoftNo = c.LoftNo "
        "WHERE a.LiberCode = ? AND " + dm.sqlDateOf("a.LiberDate") + " = ? GROUP BY c.LoftName ORDER BY c.LoftName",
        {liberCode, liberDate});
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

std::optional<LoftRow> loftByNo(TdmLCXS& dm, const QString& loftNo)
{
    QSqlQuery q = dm.exec("SELECT LoftNo, LoftName, AssociationCode, LoftLon, LoftLat, PhoneNo "
                          "FROM LCX_LoftData WHERE LoftNo = ?",
                          {loftNo});
    if (!q.next())
        return std::nullopt;
    return LoftRow{str(q, "LoftNo"), str(q, "LoftName"), str(q, "AssociationCode"),
                   str(q, "LoftLon"), str(q, "LoftLat"), str(q, "PhoneNo")};
}

QList<RaceRow> races(TdmLCXS& dm)
{
    QSqlQuery q = dm.exec(QString("SELECT %1 FROM LCX_RaceData").arg(kRaceColumns));
    QList<RaceRow> out;
    while (q.next())
        out << readRace(q);
    return out;
}

std::optional<RaceRow> raceByCode(TdmLCXS& dm, const QString& raceCode)
{
    QSqlQuery q = dm.exec(QString("SELECT %1 FROM LCX_RaceData WHERE RaceCode = ? ORDER BY LiberDate DESC")
                              .arg(kRaceColumns),
                          {raceCode});
    if (!q.next())
        return std::nullopt;
    return readRace(q);
}

std::optional<RaceRow> raceByCodeAndMonthDay(TdmLCXS& dm, const QString& liberCode, const QString& monthDay)
{
    QSqlQuery q = dm.exec(QString("SELECT %1 FROM LCX_RaceData WHERE LiberCode = ?").arg(kRaceColumns),
                          {liberCode});
    while (q.next()) {
        RaceRow r = readRace(q);
        if (r.liberDate.toString("MM/dd") == monthDay)
            return r;
    }
    return std::nullopt;
}

QList<SunTableRow> sunRows(TdmLCXS& dm, const QString& raceCode)
{
    QSqlQuery q = dm.exec("SELECT RaceDate, SunSet, SunRise FROM LCX_SunSet_SunRise WHERE RaceCode = ? "
                          "ORDER BY RaceDate",
                          {raceCode});
    QList<SunTableRow> out;
    while (q.next())
        out << SunTableRow{dbDate(q.value(0)), dbTime(q.value(1)), dbTime(q.value(2))};
    return out;
}

int clubMode(TdmLCXS& dm)
{
    return dm.scalar("SELECT Mode FROM LCX_ClubData").toInt();
}

QList<PigeonRow> matchingRows(TdmLCXS& dm, const QString& loftNo)
{
    QSqlQuery q = dm.exec(QString("SELECT %1, a.RandomCode FROM LCX_PigData a WHERE a.LoftNo = ?").arg(kPigeonColumns),
                          {loftNo});
    QList<PigeonRow> out;
    while (q.next()) {
        PigeonRow r = readPigeon(q);
        r.randomCode = q.value("RandomCode").toInt();
        out << r;
    }
    return out;
}

QList<PigeonRow> markingRows(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate)
{
    // Pigeons without any race entry, and the pigeons entered in this race.
    QSqlQuery q = dm.exec(
        QString("SELECT %1, b.LiberCode AS EntryCode, b.LiberDate AS EntryDate "
                "FROM LCX_PigData a LEFT JOIN LCX_PigRaceData b ON a.PRingNo = b.PRingNo "
                "WHERE b.PRingNo IS NULL OR (b.LiberCode = ? AND %2 = ?) ORDER BY a.PRingNo")
            .arg(kPigeonColumns, dm.sqlDateOf("b.LiberDate")),
        {liberCode, liberDate});
    QList<PigeonRow> out;
    while (q.next()) {
        PigeonRow r = readPigeon(q);
        r.liberCode = str(q, "EntryCode");
        r.liberDate = dbDate(q.value("EntryDate"));
        out << r;
    }
    return out;
}

QList<PigeonRow> trainingRows(TdmLCXS& dm, const QString& loftNo, bool orderByRing)
{
    QSqlQuery q = dm.exec(QString("SELECT %1, a.RandomCode FROM LCX_PigData a WHERE a.LoftNo = ? "
                                  "AND a.E_Ring IS NOT NULL AND a.E_Ring <> ''%2")
                              .arg(kPigeonColumns, orderByRing ? " ORDER BY a.E_Ring" : ""),
                          {loftNo});
    QList<PigeonRow> out;
    while (q.next()) {
        PigeonRow r = readPigeon(q);
        r.randomCode = q.value("RandomCode").toInt();
        out << r;
    }
    return out;
}

QList<PigeonRow> raceEntryRows(TdmLCXS& dm, const QString& loftNo, const QString& liberCode,
                               const QDate& liberDate, bool orderByRing)
{
    QSqlQuery q = dm.exec(
        QString("SELECT %1, b.RandomCode AS EntryRandom, b.MarkedTime, b.ClockID "
                "FROM LCX_PigData a LEFT JOIN LCX_PigRaceData b ON a.PRingNo = b.PRingNo "
                "WHERE a.LoftNo = ? AND b.LiberCode = ? AND %2 = ?%3")
            .arg(kPigeonColumns, dm.sqlDateOf("b.LiberDate"), orderByRing ? " ORDER BY a.E_Ring" : ""),
        {loftNo, liberCode, liberDate});
    QList<PigeonRow> out;
    while (q.next()) {
        PigeonRow r = readPigeon(q);
        r.randomCode = q.value("EntryRandom").toInt();
        const QDateTime marked = dbDateTime(q.value("MarkedTime"));
        r.markedTime = marked.isValid() ? QVariant(marked) : QVariant();
        r.clockId = str(q, "ClockID");
        out << r;
    }
    return out;
}

std::optional<PigeonRow> pigeonByUid(TdmLCXS& dm, const QString& uid)
{
    QSqlQuery q = dm.exec(QString("SELECT %1 FROM LCX_PigData a WHERE a.UID = ?").arg(kPigeonColumns), {uid});
    if (!q.next())
        return std::nullopt;
    return readPigeon(q);
}

bool pigeonOfLoftExists(TdmLCXS& dm, const QString& loftNo, const QString& pRingNo)
{
    return dm.scalar("SELECT COUNT(*) FROM LCX_PigData WHERE LoftNo = ? AND PRingNo = ?", {loftNo, pRingNo}).toInt() > 0;
}

void clearPigeonRing(TdmLCXS& dm, const QString& pRingNo, const QDate& today, const QDateTime& now)
{
    dm.exec("UPDATE LCX_PigData SET E_Ring = '', UID = '', AssignDate = ?, Updatetime = ? WHERE PRingNo = ?",
            {today, now, pRingNo});
}

int tieRing(TdmLCXS& dm, const QString& loftNo, const QString& pRingNo, const QString& eRing,
            const QString& uid, int randomCode, const QDate& today, const QDateTime& now)
{
    return dm.execute("UPDATE LCX_PigData SET E_Ring = ?, UID = ?, ActiveStat = ?, SynchFlag = ?, RandomCode = ?, "
                      "AssignDate = ?, Updatetime = ? WHERE LoftNo = ? AND PRingNo = ?",
                      {eRing, uid, true, true, randomCode, today, now, loftNo, pRingNo});
}

void markEntry(TdmLCXS& dm, const QString& clubId, const QString& liberCode, const QDate& liberDate,
               const QString& pRingNo, int randomCode, const QDateTime& markedTime)
{
    const int changed = dm.execute("UPDATE LCX_PigRaceData SET RandomCode = ?, MarkedTime = ? "
                                   "WHERE " + QString(kEntryWhere),
                                   {randomCode, markedTime, pRingNo, liberCode, liberDate, liberDate.addDays(1)});
    if (changed > 0)
        return;
    dm.exec("INSERT INTO LCX_PigRaceData (ClubID, LiberCode, LiberDate, PRingNo, RandomCode, MarkedTime) "
            "VALUES (?, ?, ?, ?, ?, ?)",
            {clubId, liberCode, liberDate, pRingNo, randomCode, markedTime});
}

void setClockOfLoftEntries(TdmLCXS& dm, const QString& clockId, const QString& liberCode,
                           const QDate& liberDate, const QString& loftNo)
{
    dm.exec("UPDATE LCX_PigRaceData SET ClockID = ? WHERE LiberCode = ? AND " + dm.sqlDateOf("LiberDate")
                + " = ? AND PRingNo IN (SELECT PRingNo FROM LCX_PigData WHERE LoftNo = ?)",
            {clockId, liberCode, liberDate, loftNo});
}

void recordRaceClockLoad(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                         const QString& loftNo, const QString& clockId, const QDateTime& loaded)
{
    const int changed = dm.execute("UPDATE LCX_RaceClockTime SET ClockID = ?, DLMarkedTime = ? "
                                   "WHERE LiberCode = ? AND " + dm.sqlDateOf("LiberDate") + " = ? AND LoftNo = ?",
                                   {clockId, loaded, liberCode, liberDate, loftNo});
    if (changed > 0)
        return;
    dm.exec("INSERT INTO LCX_RaceClockTime (LiberCode, LiberDate, LoftNo, ClockID, DLMarkedTime) "
            "VALUES (?, ?, ?, ?, ?)",
            {liberCode, liberDate, loftNo, clockId, loaded});
}

void recordLoftClock(TdmLCXS& dm, const QString& loftNo, const QString& clockId, const QDateTime& now)
{
    const int changed = dm.execute("UPDATE LCX_LoftClocks SET LastSynchDate = ? WHERE LoftNo = ? AND ClockID = ?",
                                   {now, loftNo, clockId});
    if (changed > 0)
        return;
    dm.exec("INSERT INTO LCX_LoftClocks (LoftNo, ClockID, LastSynchDate) VALUES (?, ?, ?)", {loftNo, clockId, now});
}

std::optional<RaceClockRow> raceClockOfLoft(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                                            const QString& loftNo)
{
    QSqlQuery q = dm.exec("SELECT ClockID, DLMarkedTime, ULMasterTime, ULClockTime FROM LCX_RaceClockTime "
                          "WHERE LiberCode = ? AND " + dm.sqlDateOf("LiberDate") + " = ? AND LoftNo = ?",
                          {liberCode, liberDate, loftNo});
    if (!q.next())
        return std::nullopt;
    return RaceClockRow{q.value(0).toString(), dbDateTime(q.value(1)), dbDateTime(q.value(2)), dbDateTime(q.value(3))};
}

std::optional<QString> pRingNoByERing(TdmLCXS& dm, const QString& eRing)
{
    QSqlQuery q = dm.exec("SELECT PRingNo FROM LCX_PigData WHERE E_Ring = ?", {eRing});
    if (!q.next())
        return std::nullopt;
    return q.value(0).toString();
}

int entryCount(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate, const QString& pRingNo)
{
    return dm.scalar(QString("SELECT COUNT(*) FROM LCX_PigRaceData WHERE %1").arg(kEntryWhere),
                     {pRingNo, liberCode, liberDate, liberDate.addDays(1)})
        .toInt();
}

int distanceOf(TdmLCXS& dm, const QString& liberCode, const QString& loftNo)
{
    return dm.scalar("SELECT Yards FROM LCX_LoftLibPointDist WHERE LiberCode = ? AND LoftNo = ?", {liberCode, loftNo})
        .toInt();
}

bool uidKnown(TdmLCXS& dm, const QString& uid)
{
    return dm.scalar("SELECT COUNT(*) FROM LCX_PigData WHERE UID = ?", {uid}).toInt() > 0;
}

void writeResult(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate, const QString& pRingNo,
                 const ResultWrite& r)
{
    dm.exec("UPDATE LCX_PigRaceData SET BackTime = ?, FlyTime = ?, FlySpeed = ?, Dist = ?, ClockID = ?, "
            "UID_Real = ?, TimeVari = ?, RealRandom = ? WHERE " + QString(kEntryWhere),
            {r.backTime, r.flyTime, r.flySpeed, r.dist, r.clockId, r.uidReal, r.timeVari, r.realRandom, pRingNo,
             liberCode, liberDate, liberDate.addDays(1)});
}

void writeRejected(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate, const QString& pRingNo,
                   const QString& uidReal, const QString& realRandom)
{
    dm.exec("UPDATE LCX_PigRaceData SET UID_Real = ?, RealRandom = ? WHERE " + QString(kEntryWhere),
            {uidReal, realRandom, pRingNo, liberCode, liberDate, liberDate.addDays(1)});
}

ReadoutLookups readoutLookups(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate)
{
    ReadoutLookups out;
    QSqlQuery rings = dm.exec("SELECT E_Ring, PRingNo, UID FROM LCX_PigData");
    while (rings.next()) {
        const QString eRing = rings.value(0).toString();
        if (!eRing.isEmpty() && !out.pRingNoByERing.contains(eRing))
            out.pRingNoByERing.insert(eRing, rings.value(1).toString());
        const QString uid = rings.value(2).toString();
        if (!uid.isEmpty())
            out.knownUids.insert(uid);
    }
    QSqlQuery entries = dm.exec("SELECT PRingNo, COUNT(*) FROM LCX_PigRaceData WHERE LiberCode = ? AND LiberDate >= ? "
                                "AND LiberDate < ? GROUP BY PRingNo",
                                {liberCode, liberDate, liberDate.addDays(1)});
    while (entries.next())
        out.entriesOfPigeon.insert(entries.value(0).toString(), entries.value(1).toInt());
    return out;
}

struct ResultWriter::Statements {
    QSqlQuery write, reject;
};

namespace {
void prepareOrThrow(QSqlQuery& q, const QString& sql)
{
    if (!q.prepare(sql))
        throw DbError(q.lastError().text());
}
void execOrThrow(QSqlQuery& q, const QVariantList& params)
{
    for (int i = 0; i < params.size(); ++i)
        q.bindValue(i, toDbValue(params[i]));
    if (!q.exec())
        throw DbError(q.lastError().databaseText().isEmpty() ? q.lastError().text() : q.lastError().databaseText());
}
} // namespace

ResultWriter::ResultWriter(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate)
    : liberCode_(liberCode), liberDate_(liberDate),
      st_(new Statements{QSqlQuery(dm.database()), QSqlQuery(dm.database())})
{
    prepareOrThrow(st_->write, "UPDATE LCX_PigRaceData SET BackTime = ?, FlyTime = ?, FlySpeed = ?, Dist = ?, ClockID = ?, "
                               "UID_Real = ?, TimeVari = ?, RealRandom = ? WHERE " + QString(kEntryWhere));
    prepareOrThrow(st_->reject, "UPDATE LCX_PigRaceData SET UID_Real = ?, RealRandom = ? WHERE " + QString(kEntryWhere));
}

ResultWriter::~ResultWriter() = default;

void ResultWriter::write(const QString& pRingNo, const ResultWrite& r)
{
    execOrThrow(st_->write, {r.backTime, r.flyTime, r.flySpeed, r.dist, r.clockId, r.uidReal, r.timeVari, r.realRandom,
                             pRingNo, liberCode_, liberDate_, liberDate_.addDays(1)});
}

void ResultWriter::reject(const QString& pRingNo, const QString& uidReal, const QString& realRandom)
{
    execOrThrow(st_->reject, {uidReal, realRandom, pRingNo, liberCode_, liberDate_, liberDate_.addDays(1)});
}

void recordRaceClockUpload(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                           const QString& clockId, const QDateTime& master, const QDateTime& clock)
{
    dm.exec("UPDATE LCX_RaceClockTime SET ULMasterTime = ?, ULClockTime = ? WHERE LiberCode = ? AND "
                + dm.sqlDateOf("LiberDate") + " = ? AND ClockID = ?",
            {master, clock, liberCode, liberDate, clockId});
}

namespace {

// Position = 1 + the number of listed entries with a strictly greater speed.
template <typename Row>
void assignRanks(QList<Row>& rows)
{
    for (int i = 0; i < rows.size(); ++i) {
        if (i > 0 && rows[i].flySpeed == rows[i - 1].flySpeed)
            rows[i].rank = rows[i - 1].rank;
        else
            rows[i].rank = i + 1;
    }
}

} // namespace

QList<ResultRow> resultRows(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate, bool thenByBackTime)
{
    QSqlQuery q = dm.exec(
        QString("SELECT b.LoftNo, a.PRingNo, a.BackTime, a.FlyTime, COALESCE(a.FlySpeed, 0) AS Speed, a.Dist, "
                "a.TimeVari, b.RCountry, b.RYear, b.RRegLetter, b.RRegNumber, b.Sex, b.ColorType, "
                "(SELECT l.LoftName FROM LCX_LoftData l WHERE l.LoftNo = b.LoftNo LIMIT 1) AS LoftName "
                "FROM LCX_PigRaceData a LEFT JOIN LCX_PigData b ON a.PRingNo = b.PRingNo "
                "WHERE a.LiberCode = ? AND %1 = ? AND a.BackTime IS NOT NULL AND a.BackTime <> '' "
                "ORDER BY COALESCE(a.FlySpeed, 0) DESC%2")
            .arg(dm.sqlDateOf("a.LiberDate"), thenByBackTime ? ", a.BackTime" : ""),
        {liberCode, liberDate});
    QList<ResultRow> out;
    while (q.next()) {
        ResultRow r;
        r.loftNo = str(q, "LoftNo");
        r.loftName = str(q, "LoftName");
        r.pRingNo = str(q, "PRingNo");
        r.backTime = str(q, "BackTime");
        r.flyTime = str(q, "FlyTime");
        r.flySpeed = q.value("Speed").toDouble();
        r.dist = q.value("Dist");
        r.timeVari = q.value("TimeVari");
        r.rCountry = str(q, "RCountry");
        r.rYear = str(q, "RYear");
        r.rRegLetter = str(q, "RRegLetter");
        r.rRegNumber = str(q, "RRegNumber");
        r.sex = str(q, "Sex");
        r.colorType = str(q, "ColorType");
        out << r;
    }
    assignRanks(out);
    return out;
}

QList<OfficialRow> officialRows(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate, const QString& loftNo)
{
    // Ranks are positions in the whole race, so they come from the race's result list.
    const QList<ResultRow> results = resultRows(dm, liberCode, liberDate, false);
    QSqlQuery q = dm.exec(
        QString("SELECT a.PRingNo, a.BackTime, a.RandomCode, a.RealRandom, COALESCE(a.FlySpeed, 0) AS Speed, "
                "b.RCountry, b.RYear, b.RRegLetter, b.RRegNumber, b.Sex, b.ColorType "
                "FROM LCX_PigRaceData a LEFT JOIN LCX_PigData b ON a.PRingNo = b.PRingNo "
                "WHERE a.LiberCode = ? AND %1 = ? AND b.LoftNo = ? AND a.RealRandom IS NOT NULL "
                "ORDER BY COALESCE(a.FlySpeed, 0) DESC")
            .arg(dm.sqlDateOf("a.LiberDate")),
        {liberCode, liberDate, loftNo});
    QList<OfficialRow> out;
    while (q.next()) {
        OfficialRow r;
        r.pRingNo = str(q, "PRingNo");
        r.backTime = str(q, "BackTime");
        r.randomCode = q.value("RandomCode").toInt();
        r.realRandom = str(q, "RealRandom");
        r.rCountry = str(q, "RCountry");
        r.rYear = str(q, "RYear");
        r.rRegLetter = str(q, "RRegLetter");
        r.rRegNumber = str(q, "RRegNumber");
        r.sex = str(q, "Sex");
        r.colorType = str(q, "ColorType");
        const double speed = q.value("Speed").toDouble();
        int greater = 0;
        for (const ResultRow& res : results)
            if (res.flySpeed > speed)
                ++greater;
        r.rank = 1 + greater;
        out << r;
    }
    return out;
}

RaceSummary raceSummary(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate)
{
    RaceSummary s;
    // Entries whose pigeon is not in the register count together as one member.
    s.members = dm.scalar(QString("SELECT COUNT(*) FROM (SELECT DISTINCT b.LoftNo FROM LCX_PigRaceData a "
                                  "LEFT JOIN LCX_PigData b ON a.PRingNo = b.PRingNo "
                                  "WHERE a.LiberCode = ? AND %1 = ?) m")
                              .arg(dm.sqlDateOf("a.LiberDate")),
                          {liberCode, liberDate})
                    .toInt();
    s.birds = dm.scalar("SELECT COUNT(*) FROM LCX_PigRaceData WHERE LiberCode = ? AND " + dm.sqlDateOf("LiberDate")
                            + " = ?",
                        {liberCode, liberDate})
                  .toInt();
    return s;
}

QList<SmsEntryRow> smsEntries(TdmLCXS& dm, const QString& raceCode)
{
    QSqlQuery q = dm.exec(
        QString("SELECT b.RRegNumber, b.E_Ring, b.UID, b.LoftNo, c.LoftName, a.PRingNo, b.Comment "
                "FROM (LCX_PigRaceData a LEFT JOIN LCX_PigData b ON a.PRingNo = b.PRingNo) "
                "LEFT JOIN LCX_LoftData c ON b.LoftNo = c.LoftNo "
                "WHERE a.LiberCode || %1 = ? ORDER BY b.LoftNo, b.RRegNumber")
            .arg(dm.sqlMonthDay("a.LiberDate")),
        {raceCode});
    QList<SmsEntryRow> out;
    while (q.next())
        out << SmsEntryRow{str(q, "RRegNumber"), str(q, "E_Ring"), str(q, "UID"), str(q, "LoftNo"),
                           str(q, "LoftName"), str(q, "PRingNo"), str(q, "Comment")};
    return out;
}

QList<SmsLoftRow> smsLofts(TdmLCXS& dm, const QString& raceCode)
{
    QSqlQuery q = dm.exec(
        QString("SELECT DISTINCT c.LoftNo, c.LoftName, c.PhoneNo, c.LoftLon, c.LoftLat "
                "FROM (LCX_PigRaceData a LEFT JOIN LCX_PigData b ON a.PRingNo = b.PRingNo) "
                "JOIN LCX_LoftData c ON b.LoftNo = c.LoftNo "
                "WHERE a.LiberCode || %1 = ? ORDER BY c.LoftNo")
            .arg(dm.sqlMonthDay("a.LiberDate")),
        {raceCode});
    QList<SmsLoftRow> out;
    while (q.next())
        out << SmsLoftRow{str(q, "LoftNo"), str(q, "LoftName"), str(q, "PhoneNo"), str(q, "LoftLon"),
                          str(q, "LoftLat")};
    return out;
}

} // namespace clockq
