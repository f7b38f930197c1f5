#include "member_queries.h"

#include "db_values.h"
#include "dm_lcxs.h"

#include <QSqlQuery>

namespace {

// Bound as '' rather than NULL, so a later "= ''" finds it.
QVariant text(const QString& s)
{
    return s.isNull() ? QVariant(QStringLiteral("")) : QVariant(s);
}

// Bound as NULL when empty: columns the program leaves empty rather than blank.
QVariant textOrNull(const QString& s)
{
    return s.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s);
}

// "In table order" is the order rows were added: SQLite would otherwise walk a covering
// index (the loft names alphabetically). PostgreSQL returns its heap order.
QString tableOrder(TdmLCXS& dm)
{
    return dm.engine() == DbEngine::SQLite ? QStringLiteral(" ORDER BY rowid") : QString();
}

QString str(const QSqlQuery& q, int i)
{
    return q.value(i).toString();
}

const char* const kPigeonColumns =
    "LoftNo, PRingNo, RCountry, RYear, RRegNumber, Sex, E_Ring, ColorType, Comment, UID, RRegLetter, Team, "
    "CreateDate, AssignDate, Updatetime";

PigeonRow pigeonFrom(const QSqlQuery& q)
{
    PigeonRow p;
    p.loftNo = str(q, 0);
    p.pRingNo = str(q, 1);
    p.rCountry = str(q, 2);
    p.rYear = str(q, 3);
    p.rRegNumber = str(q, 4);
    p.sex = str(q, 5);
    p.eRing = str(q, 6);
    p.colorType = str(q, 7);
    p.comment = str(q, 8);
    p.uid = str(q, 9);
    p.rRegLetter = str(q, 10);
    p.team = str(q, 11);
    p.createDate = dbDate(q.value(12));
    p.assignDate = dbDate(q.value(13));
    p.updateTime = dbDateTime(q.value(14));
    return p;
}

QList<PigeonRow> pigeonsFrom(QSqlQuery q)
{
    QList<PigeonRow> rows;
    while (q.next())
        rows << pigeonFrom(q);
    return rows;
}

}  // namespace

// ---- Lofts ------------------------------------------------------------------------------

QList<LoftListRow> selectLoftList(TdmLCXS& dm)
{
    QSqlQuery q = dm.exec(QStringLiteral(
        "SELECT a.AssociationCode, a.LoftNo, a.LoftName, COUNT(b.ClockID) AS clockCnt "
        "FROM LCX_LoftData a LEFT JOIN LCX_LoftClocks b ON a.LoftNo = b.LoftNo "
        "GROUP BY a.AssociationCode, a.LoftNo, a.LoftName ORDER BY a.LoftNo"));
    QList<LoftListRow> rows;
    while (q.next())
        rows << LoftListRow{str(q, 0), str(q, 1), str(q, 2), q.value(3).toInt()};
    return rows;
}

QStringList selectLoftNames(TdmLCXS& dm)
{
    QSqlQuery q = dm.exec(QStringLiteral("SELECT LoftName FROM LCX_LoftData") + tableOrder(dm));
    QStringList names;
    while (q.next())
        names << str(q, 0);
    return names;
}

std::optional<LoftRow> findLoft(TdmLCXS& dm, const QString& loftNo)
{
    QSqlQuery q = dm.exec(QStringLiteral("SELECT AssociationCode, LoftNo, LoftName, Street, City, PostCode, "
                                         "PhoneNo, LoftLon, LoftLat, Notes FROM LCX_LoftData WHERE LoftNo = ?"),
                          {text(loftNo)});
    if (!q.next())
        return std::nullopt;
    return LoftRow{str(q, 0), str(q, 1), str(q, 2), str(q, 3), str(q, 4),
                   str(q, 5), str(q, 6), str(q, 7), str(q, 8), str(q, 9)};
}

bool loftNameExists(TdmLCXS& dm, const QString& loftName)
{
    return dm.scalar(QStringLiteral("SELECT COUNT(*) FROM LCX_LoftData WHERE LoftName = ?"), {text(loftName)})
               .toInt()
           > 0;
}

QString loftNameOf(TdmLCXS& dm, const QString& loftNo)
{
    return dm.scalar(QStringLiteral("SELECT LoftName FROM LCX_LoftData WHERE LoftNo = ?"), {text(loftNo)})
        .toString();
}

void insertLoft(TdmLCXS& dm, const LoftRow& l, const QDateTime& now)
{
    dm.exec(QStringLiteral("INSERT INTO LCX_LoftData (AssociationCode, LoftNo, LoftName, Street, City, PostCode, "
                           "PhoneNo, LoftLon, LoftLat, Notes, UpdateTime) VALUES (?,?,?,?,?,?,?,?,?,?,?)"),
            {text(l.associationCode), text(l.loftNo), text(l.loftName), text(l.street), text(l.city),
             text(l.postCode), text(l.phoneNo), text(l.loftLon), text(l.loftLat), text(l.notes), now});
}

void updateLoft(TdmLCXS& dm, const LoftRow& l, const QDateTime& now)
{
    dm.exec(QStringLiteral("UPDATE LCX_LoftData SET AssociationCode = ?, LoftName = ?, Street = ?, City = ?, "
                           "PostCode = ?, PhoneNo = ?, LoftLon = ?, LoftLat = ?, Notes = ?, UpdateTime = ? "
                           "WHERE LoftNo = ?"),
            {text(l.associationCode), text(l.loftName), text(l.street), text(l.city), text(l.postCode),
             text(l.phoneNo), text(l.loftLon), text(l.loftLat), text(l.notes), now, text(l.loftNo)});
}

int deleteLoftRow(TdmLCXS& dm, const QString& loftNo)
{
    return dm.execute(QStringLiteral("DELETE FROM LCX_LoftData WHERE LoftNo = ?"), {text(loftNo)});
}

QString clubAssociationCode(TdmLCXS& dm)
{
    return dm.scalar(QStringLiteral("SELECT AssociationCode FROM LCX_ClubData")).toString();
}

// ---- Distance rows ----------------------------------------------------------------------

QStringList selectSiteCodes(TdmLCXS& dm)
{
    QSqlQuery q = dm.exec(QStringLiteral("SELECT LiberCode FROM LCX_LiberateSite") + tableOrder(dm));
    QStringList codes;
    while (q.next())
        codes << str(q, 0);
    return codes;
}

void insertLoftDistanceRow(TdmLCXS& dm, const QString& liberCode, const QString& loftNo)
{
    dm.exec(QStringLiteral("INSERT INTO LCX_LoftLibPointDist (LiberCode, LoftNo, Miles, Yards) VALUES (?,?,0,0)"),
            {text(liberCode), text(loftNo)});
}

int deleteLoftDistanceRows(TdmLCXS& dm, const QString& loftNo)
{
    return dm.execute(QStringLiteral("DELETE FROM LCX_LoftLibPointDist WHERE LoftNo = ?"), {text(loftNo)});
}

// ---- Pigeons ------------------------------------------------------------------------------

QList<PigeonRow> selectLoftPigeons(TdmLCXS& dm, const QString& loftNo, bool orderByRing)
{
    QString sql = QStringLiteral("SELECT %1 FROM LCX_PigData WHERE LoftNo = ?").arg(QLatin1String(kPigeonColumns));
    sql += orderByRing ? QStringLiteral(" ORDER BY PRingNo") : tableOrder(dm);
    return pigeonsFrom(dm.exec(sql, {text(loftNo)}));
}

std::optional<PigeonRow> findPigeon(TdmLCXS& dm, const QString& loftNo, const QString& pRingNo)
{
    QSqlQuery q = dm.exec(QStringLiteral("SELECT %1 FROM LCX_PigData WHERE LoftNo = ? AND PRingNo = ?")
                              .arg(QLatin1String(kPigeonColumns)),
                          {text(loftNo), text(pRingNo)});
    if (!q.next())
        return std::nullopt;
    return pigeonFrom(q);
}

std::optional<QString> loftOfRing(TdmLCXS& dm, const QString& pRingNo)
{
    QSqlQuery q = dm.exec(QStringLiteral("SELECT LoftNo FROM LCX_PigData WHERE PRingNo = ?"), {text(pRingNo)});
    if (!q.next())
        return std::nullopt;
    return str(q, 0);
}

int countLoftPigeons(TdmLCXS& dm, const QString& loftNo)
{
    return dm.scalar(QStringLiteral("SELECT COUNT(*) FROM LCX_PigData WHERE LoftNo = ?"), {text(loftNo)}).toInt();
}

void insertPigeon(TdmLCXS& dm, const NewPigeon& p, const QDateTime& now)
{
    dm.exec(QStringLiteral("INSERT INTO LCX_PigData (LoftNo, PRingNo, RCountry, RYear, RRegLetter, RRegNumber, "
                           "Sex, ColorType, Comment, Team, E_Ring, SynchFlag, CreateDate, Updatetime) "
                           "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
            {text(p.loftNo), text(p.pRingNo), text(p.rCountry), text(p.rYear), text(p.rRegLetter),
             text(p.rRegNumber), text(p.sex), text(p.colorType), textOrNull(p.comment), textOrNull(p.team),
             textOrNull(p.eRing), true, now.date(), now});
}

void updatePigeonDetails(TdmLCXS& dm, const QString& pRingNo, const QString& sex, const QString& colorType,
                         const QString& comment, const QString& team, const QDateTime& now)
{
    dm.exec(QStringLiteral("UPDATE LCX_PigData SET Sex = ?, ColorType = ?, Comment = ?, Updatetime = ?, Team = ? "
                           "WHERE PRingNo = ?"),
            {text(sex), text(colorType), text(comment), now, text(team), text(pRingNo)});
}

int deletePigeon(TdmLCXS& dm, const QString& loftNo, const QString& pRingNo)
{
    return dm.execute(QStringLiteral("DELETE FROM LCX_PigData WHERE LoftNo = ? AND PRingNo = ?"),
                      {text(loftNo), text(pRingNo)});
}

int deleteLoftPigeons(TdmLCXS& dm, const QString& loftNo)
{
    return dm.execute(QStringLiteral("DELETE FROM LCX_PigData WHERE LoftNo = ?"), {text(loftNo)});
}

// ---- Feather colours ------------------------------------------------------------------

QList<FeatherColorRow> selectFeatherColors(TdmLCXS& dm)
{
    QSqlQuery q = dm.exec(QStringLiteral("SELECT ColorType, FeathColor FROM LCX_FeatherColor") + tableOrder(dm));
    QList<FeatherColorRow> rows;
    while (q.next())
        rows << FeatherColorRow{str(q, 0), str(q, 1)};
    return rows;
}

void insertFeatherColor(TdmLCXS& dm, const QString& colorType, const QString& feathColor)
{
    dm.exec(QStringLiteral("INSERT INTO LCX_FeatherColor (ColorType, FeathColor) VALUES (?,?)"),
            {text(colorType), text(feathColor)});
}

int deleteFeatherColorsNamed(TdmLCXS& dm, const QString& feathColor)
{
    return dm.execute(QStringLiteral("DELETE FROM LCX_FeatherColor WHERE FeathColor = ?"), {text(feathColor)});
}

// ---- Spreadsheet export and import ----------------------------------------------------

QList<PigeonRow> selectPigeonsForExport(TdmLCXS& dm)
{
    return pigeonsFrom(dm.exec(
        QStringLiteral("SELECT %1 FROM LCX_PigData ORDER BY LoftNo, PRingNo").arg(QLatin1String(kPigeonColumns))));
}

QHash<QString, QString> selectRingLofts(TdmLCXS& dm)
{
    QSqlQuery q = dm.exec(QStringLiteral("SELECT PRingNo, LoftNo FROM LCX_PigData"));
    QHash<QString, QString> lofts;
    while (q.next())
        lofts.insert(str(q, 0), str(q, 1));
    return lofts;
}

void updateImportedPigeon(TdmLCXS& dm, const QString& pRingNo, const QString& sex, const QString& colorType,
                          const std::optional<QString>& eRing, const QDateTime& now)
{
    if (eRing)
        dm.exec(QStringLiteral("UPDATE LCX_PigData SET Sex = ?, ColorType = ?, Updatetime = ?, E_Ring = ? "
                               "WHERE PRingNo = ?"),
                {text(sex), text(colorType), now, textOrNull(*eRing), text(pRingNo)});
    else
        dm.exec(QStringLiteral("UPDATE LCX_PigData SET Sex = ?, ColorType = ?, Updatetime = ? WHERE PRingNo = ?"),
                {text(sex), text(colorType), now, text(pRingNo)});
}

// ---- Loft clocks ----------------------------------------------------------------------

QList<LoftClockRow> selectLoftClocks(TdmLCXS& dm, const QString& loftNo)
{
    QSqlQuery q = dm.exec(
        QStringLiteral("SELECT LoftNo, ClockID, LastSynchDate, SynchStat FROM LCX_LoftClocks WHERE LoftNo = ?") + tableOrder(dm),
        {text(loftNo)});
    QList<LoftClockRow> rows;
    while (q.next())
        rows << LoftClockRow{str(q, 0), str(q, 1), dbDateTime(q.value(2)), q.value(3)};
    return rows;
}

bool loftClockExists(TdmLCXS& dm, const QString& loftNo, const QString& clockId)
{
    return dm.scalar(QStringLiteral("SELECT COUNT(*) FROM LCX_LoftClocks WHERE LoftNo = ? AND ClockID = ?"),
                     {text(loftNo), text(clockId)})
               .toInt()
           > 0;
}

void insertLoftClock(TdmLCXS& dm, const QString& loftNo, const QString& clockId)
{
    dm.exec(QStringLiteral("INSERT INTO LCX_LoftClocks (LoftNo, ClockID) VALUES (?,?)"), {text(loftNo), text(clockId)});
}

int deleteLoftClock(TdmLCXS& dm, const QString& loftNo, const QString& clockId)
{
    return dm.execute(QStringLiteral("DELETE FROM LCX_LoftClocks WHERE LoftNo = ? AND ClockID = ?"),
                      {text(loftNo), text(clockId)});
}
