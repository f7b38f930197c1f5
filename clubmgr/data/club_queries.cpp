#include "club_queries.h"

#include "db_transaction.h"
#include "dm_lcxs.h"

QList<HomeClockRow> selectHomeClocks(TdmLCXS& dm)
{
    QSqlQuery q = dm.exec("select ClockID,LoftName,LastSynchDate from  LCX_LoftClocks a "
                          "LEFT Join LCX_LoftData b on a.LoftNo=b.LoftNo ");
    QList<HomeClockRow> rows;
    while (q.next())
        rows.append({q.value(0).toString(), q.value(1).toString(), dbDateTime(q.value(2))});
    return rows;
}

std::optional<ClubDataRow> firstClubData(TdmLCXS& dm)
{
    QSqlQuery q = dm.exec("SELECT ClubID, ClubName, Street, City, PostCode, AssociationCode, "
                          "Language, Mode, DBBackupDays FROM LCX_ClubData LIMIT 1");
    if (!q.next())
        return std::nullopt;
    ClubDataRow r;
    r.clubId = q.value(0).toString();
    r.clubName = q.value(1).toString();
    r.street = q.value(2).toString();
    r.city = q.value(3).toString();
    r.postCode = q.value(4).toString();
    r.associationCode = q.value(5).toString();
    r.language = q.value(6).toInt();
    r.mode = q.value(7).toInt();
    r.dbBackupDays = q.value(8).isNull() ? QVariant() : QVariant(q.value(8).toInt());
    return r;
}

int clubBackupDays(TdmLCXS& dm)
{
    const auto row = firstClubData(dm);
    return row ? row->dbBackupDays.toInt() : 0;
}

bool clubDataExists(TdmLCXS& dm, const QString& associationCode, const QString& clubId)
{
    return dm.scalar("SELECT count(*) FROM LCX_ClubData WHERE AssociationCode = ? AND ClubID = ?",
                     {associationCode, clubId}).toInt() > 0;
}

void updateClubData(TdmLCXS& dm, const ClubDataRow& row)
{
    dm.exec("UPDATE LCX_ClubData SET Street = ?, City = ?, PostCode = ?, Language = ?, Mode = ?, "
            "DBBackupDays = ? WHERE AssociationCode = ? AND ClubID = ?",
            {row.street, row.city, row.postCode, row.language, row.mode,
             row.dbBackupDays.isNull() ? QVariant(QMetaType(QMetaType::Int)) : row.dbBackupDays,
             row.associationCode, row.clubId});
}

void replaceClubData(TdmLCXS& dm, const ClubDataRow& row)
{
    DbTransaction tx(dm);
    if (dm.scalar("SELECT count(*) FROM LCX_ClubData").toInt() > 0)
        dm.exec("delete from LCX_ClubData");
    dm.exec("INSERT INTO LCX_ClubData (ClubID, ClubName, Street, City, PostCode, Language, Mode, "
            "AssociationCode) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
            {row.clubId, row.clubName, row.street, row.city, row.postCode, row.language, row.mode,
             row.associationCode});
    tx.commit();
}

QList<ClubMapRow> selectClubMap(TdmLCXS& dm)
{
    QSqlQuery q = dm.exec("SELECT ClubID, ClubName FROM LCX_ClubMap");
    QList<ClubMapRow> rows;
    while (q.next())
        rows.append({q.value(0).toString(), q.value(1).toString()});
    return rows;
}

bool clubMapHasId(TdmLCXS& dm, const QString& clubId)
{
    return dm.scalar("SELECT count(*) FROM LCX_ClubMap WHERE ClubID = ?", {clubId}).toInt() > 0;
}

void insertClubMap(TdmLCXS& dm, const QString& clubId, const QString& clubName)
{
    dm.exec("INSERT INTO LCX_ClubMap VALUES (?, ?)", {clubId, clubName});
}
