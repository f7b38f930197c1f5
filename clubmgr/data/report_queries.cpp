#include "report_queries.h"

#include "dm_lcxs.h"

#include <QSqlQuery>

namespace reportq {
namespace {

QString str(const QSqlQuery& q, const char* column) { return q.value(QLatin1String(column)).toString(); }

QVariant nullable(const QVariant& v) { return v.isNull() ? QVariant() : v; }

const char* kLoftColumns = "AssociationCode, LoftNo, LoftName, Street, City, PostCode, PhoneNo, LoftLon, LoftLat";

LoftInfo readLoft(const QSqlQuery& q)
{
    return {str(q, "AssociationCode"), str(q, "LoftNo"), str(q, "LoftName"), str(q, "Street"), str(q, "City"),
            str(q, "PostCode"),        str(q, "PhoneNo"), str(q, "LoftLon"),  str(q, "LoftLat")};
}

const char* kRaceColumns = "ClubID, LiberCode, LiberSiteAbbr, LiberSite, RaceCode, LiberDate, LiberTime";

RaceLine readRace(const QSqlQuery& q)
{
    RaceLine r;
    r.clubId = str(q, "ClubID");
    r.liberCode = str(q, "LiberCode");
    r.liberSiteAbbr = str(q, "LiberSiteAbbr");
    r.liberSite = str(q, "LiberSite");
    r.raceCode = str(q, "RaceCode");
    r.liberDate = dbDate(q.value("LiberDate"));
    r.liberTime = dbTime(q.value("LiberTime"));
    return r;
}

}  // namespace

QMap<QString, QString> featherColourNames(TdmLCXS& dm)
{
    QSqlQuery q = dm.exec(QStringLiteral("SELECT ColorType, FeathColor FROM LCX_FeatherColor"));
    QMap<QString, QString> out;
    while (q.next())
        if (!out.contains(str(q, "ColorType"))) out.insert(str(q, "ColorType"), str(q, "FeathColor"));
    return out;
}

QList<LoftListLine> loftList(TdmLCXS& dm)
{
    QSqlQuery q = dm.exec(QStringLiteral(
        "SELECT a.LoftNo, a.LoftName, COUNT(b.ClockID) AS clockCnt "
        "FROM LCX_LoftData a LEFT JOIN LCX_LoftClocks b ON a.LoftNo = b.LoftNo "
        "GROUP BY a.AssociationCode, a.LoftNo, a.LoftName ORDER BY a.LoftNo"));
    QList<LoftListLine> out;
    while (q.next()) out.append({str(q, "LoftNo"), str(q, "LoftName"), q.value("clockCnt").toInt()});
    return out;
}

std::optional<LoftInfo> loftByNo(TdmLCXS& dm, const QString& loftNo)
{
    QSqlQuery q = dm.exec(QStringLiteral("SELECT %1 FROM LCX_LoftData WHERE LoftNo = ?").arg(kLoftColumns), {loftNo});
    if (!q.next()) return std::nullopt;
    return readLoft(q);
}

std::optional<LoftInfo> loftByName(TdmLCXS& dm, const QString& loftName)
{
    QSqlQuery q =
        dm.exec(QStringLiteral("SELECT %1 FROM LCX_LoftData WHERE LoftName = ?").arg(kLoftColumns), {loftName});
    if (!q.next()) return std::nullopt;
    return readLoft(q);
}

QList<RingLine> loftRings(TdmLCXS& dm, const QString& loftNo)
{
    QSqlQuery q = dm.exec(QStringLiteral("SELECT PRingNo, Sex, E_Ring, ColorType, CreateDate, AssignDate, Updatetime "
                                         "FROM LCX_PigData WHERE LoftNo = ?"),
                          {loftNo});
    QList<RingLine> out;
    while (q.next()) {
        RingLine r;
        r.pRingNo = str(q, "PRingNo");
        r.sex = str(q, "Sex");
        r.eRing = str(q, "E_Ring");
        r.colorType = str(q, "ColorType");
        r.createDate = dbDate(q.value("CreateDate"));
        r.assignDate = dbDate(q.value("AssignDate"));
        r.updateTime = dbDateTime(q.value("Updatetime"));
        out << r;
    }
    return out;
}

QList<RaceLine> raceList(TdmLCXS& dm)
{
    QSqlQuery q = dm.exec(QStringLiteral("SELECT %1 FROM LCX_RaceData").arg(kRaceColumns));
    QList<RaceLine> out;
    while (q.next()) out << readRace(q);
    return out;
}

std::optional<RaceLine> raceByCode(TdmLCXS& dm, const QString& raceCode, const QDate& liberDate)
{
    QSqlQuery q = liberDate.isValid()
                      ? dm.exec(QStringLiteral("SELECT %1 FROM LCX_RaceData WHERE RaceCode = ? AND %2 = ?")
                                    .arg(kRaceColumns, dm.sqlDateOf(QStringLiteral("LiberDate"))),
                                {raceCode, liberDate})
                      : dm.exec(QStringLiteral("SELECT %1 FROM LCX_RaceData WHERE RaceCode = ? ORDER BY LiberDate DESC")
                                    .arg(kRaceColumns),
                                {raceCode});
    if (!q.next()) return std::nullopt;
    return readRace(q);
}

QString librarySiteName(TdmLCXS& dm, const QString& liberCode)
{
    return dm.scalar(QStringLiteral("SELECT LiberSite FROM LCX_LiberateSite WHERE LiberCode = ?"), {liberCode})
        .toString();
}

QList<DistanceLine> distanceLines(TdmLCXS& dm, const QString& liberCode)
{
    QSqlQuery q = dm.exec(
        QStringLiteral("SELECT d.LoftNo, d.Miles, d.Yards, "
                       "(SELECT l.LoftName FROM LCX_LoftData l WHERE l.LoftNo = d.LoftNo LIMIT 1) AS LoftName "
                       "FROM LCX_LoftLibPointDist d WHERE d.LiberCode = ?"),
        {liberCode});
    QList<DistanceLine> out;
    while (q.next())
        out.append({str(q, "LoftNo"), str(q, "LoftName"), nullable(q.value("Miles")), nullable(q.value("Yards"))});
    return out;
}

QList<StatusLine> raceStatus(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate)
{
    QSqlQuery q = dm.exec(
        QStringLiteral("SELECT b.LoftNo, a.ClockID, COUNT(b.PRingNo) AS MarkedCnt, "
                       "SUM(CASE WHEN a.BackTime IS NOT NULL AND a.BackTime <> '' THEN 1 ELSE 0 END) AS ArriveCnt, "
                       "(SELECT l.LoftName FROM LCX_LoftData l WHERE l.LoftNo = b.LoftNo LIMIT 1) AS LoftName "
                       "FROM LCX_PigRaceData a LEFT JOIN LCX_PigData b ON a.PRingNo = b.PRingNo "
                       "WHERE a.LiberCode = ? AND %1 = ? GROUP BY b.LoftNo, a.ClockID ORDER BY b.LoftNo, a.ClockID")
            .arg(dm.sqlDateOf(QStringLiteral("a.LiberDate"))),
        {liberCode, liberDate});
    QList<StatusLine> out;
    while (q.next())
        out.append({str(q, "LoftNo"), str(q, "LoftName"), str(q, "ClockID"), q.value("MarkedCnt").toInt(),
                    q.value("ArriveCnt").toInt()});
    return out;
}

}  // namespace reportq
