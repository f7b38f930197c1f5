#include "club_schema.h"

#include "db_error.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

using T = ColumnType;

// Widths follow the entry fields: loft numbers take 12 characters, country ring codes
// such as "FRANCE" 6, and a composed ring number up to 23, so those columns are wider
// than the historical file had them.
constexpr int kLoftNo = 12;
constexpr int kRingNo = 25;

QList<TableDef> buildTables()
{
    return {
        {"LCX_LoftData",
         {{"AssociationCode", T::Text, 10}, {"LoftNo", T::Text, kLoftNo}, {"LoftName", T::Text, 30},
          {"Street", T::Text, 50}, {"City", T::Text, 30}, {"PostCode", T::Text, 10},
          {"PhoneNo", T::Text, 15}, {"EMail", T::Text, 50}, {"LoftLon", T::Text, 15},
          {"LoftLat", T::Text, 15}, {"Notes", T::Memo}, {"UpdateTime", T::DateTime}},
         {{"LoftNo"}, {"LoftName"}}},
        {"LCX_LoftClocks",
         {{"LoftNo", T::Text, kLoftNo}, {"ClockID", T::Text, 10}, {"LastSynchDate", T::DateTime},
          {"SynchStat", T::Small}},
         {{"LoftNo", "ClockID"}, {"ClockID"}}},
        {"LCX_RaceData",
         {{"ClubID", T::Text, 10}, {"LiberCode", T::Text, 8}, {"LiberSite", T::Text, 20},
          {"LiberSiteAbbr", T::Text, 10}, {"LiberDate", T::DateTime}, {"LiberTime", T::DateTime},
          {"LiberLon", T::Text, 10}, {"LiberLat", T::Text, 10}, {"Updatetime", T::DateTime},
          {"SynchFlag", T::Boolean}, {"RaceCode", T::Text, 8}},
         {{"LiberCode", "LiberDate"}, {"RaceCode"}}},
        {"LCX_PigRaceData",
         {{"ClubID", T::Text, 10}, {"LiberCode", T::Text, 8}, {"LiberDate", T::DateTime},
          {"PRingNo", T::Text, kRingNo}, {"BackTime", T::Text, 25}, {"FlyTime", T::Text, 10},
          {"FlySpeed", T::Float}, {"Dist", T::Integer}, {"RandomCode", T::Small},
          {"ClockID", T::Text, 10}, {"UID_Real", T::Text, 8}, {"TimeVari", T::Integer},
          {"MarkedTime", T::DateTime}, {"RealRandom", T::Text, 2}},
         {{"LiberCode", "LiberDate", "PRingNo"}, {"PRingNo"}}},
        {"LCX_PigData",
         {{"LoftNo", T::Text, kLoftNo}, {"PRingNo", T::Text, kRingNo}, {"RCountry", T::Text, 6},
          {"RYear", T::Text, 4}, {"RRegNumber", T::Text, 7}, {"Sex", T::Text, 1},
          {"E_Ring", T::Text, 8}, {"ColorType", T::Text, 4}, {"Comment", T::Memo},
          {"ActiveStat", T::Boolean}, {"Updatetime", T::DateTime}, {"SynchFlag", T::Boolean},
          {"RandomCode", T::Small}, {"UID", T::Text, 8}, {"CreateDate", T::DateTime},
          {"AssignDate", T::DateTime}, {"RRegLetter", T::Text, 5}, {"Team", T::Text, 1}},
         {{"PRingNo"}, {"LoftNo", "PRingNo"}, {"UID"}, {"E_Ring"}}},
        {"LCX_ClubData",
         {{"ClubID", T::Text, 10}, {"ClubName", T::Text, 50}, {"Street", T::Text, 50},
          {"City", T::Text, 30}, {"PostCode", T::Text, 10}, {"AssociationCode", T::Text, 10},
          {"Logo", T::Text, 100}, {"Language", T::Small}, {"Mode", T::Small},
          {"DBBackupDays", T::Small}},
         {}},
        {"LCX_SunSet_SunRise",
         {{"RaceCode", T::Text, 8}, {"RaceDate", T::DateTime}, {"SunSet", T::DateTime},
          {"SunRise", T::DateTime}, {"Location", T::Text, 30}},
         {{"RaceCode"}}},
        {"LCX_FeatherColor", {{"ColorType", T::Text, 4}, {"FeathColor", T::Text, 20}}, {{"ColorType"}}},
        {"LCX_ClubMap", {{"ClubID", T::Text, 10}, {"ClubName", T::Text, 50}}, {{"ClubID"}}},
        {"LCX_LiberateSite",
         {{"LiberCode", T::Text, 8}, {"LiberSite", T::Text, 50}, {"LiberSiteAbbr", T::Text, 20},
          {"LiberLon", T::Text, 10}, {"LiberLat", T::Text, 10}},
         {{"LiberCode"}}},
        {"LCX_LoftLibPointDist",
         {{"LiberCode", T::Text, 8}, {"LoftNo", T::Text, kLoftNo}, {"Miles", T::Integer},
          {"Yards", T::Integer}, {"LoftName", T::Text, 30}},
         {{"LiberCode", "LoftNo"}, {"LoftNo"}}},
        {"LCX_RaceClockTime",
         {{"LiberCode", T::Text, 10}, {"LiberDate", T::DateTime}, {"LoftNo", T::Text, kLoftNo},
          {"ClockID", T::Text, 10}, {"DLMarkedTime", T::DateTime}, {"ULMasterTime", T::DateTime},
          {"ULClockTime", T::DateTime}},
         {{"LiberCode", "LiberDate", "LoftNo"}, {"LiberCode", "LiberDate", "ClockID"}}},
    };
}

QString typeText(const ColumnDef& c, DbEngine engine)
{
    const bool pg = engine == DbEngine::PostgreSQL;
    switch (c.type) {
    case T::Text: return QString("VARCHAR(%1)").arg(c.size);
    case T::Memo: return "TEXT";
    case T::DateTime: return pg ? "TIMESTAMP" : "DATETIME";
    case T::Integer: return "INTEGER";
    case T::Small: return "SMALLINT";
    case T::Float: return pg ? "DOUBLE PRECISION" : "DOUBLE";
    case T::Boolean: return "BOOLEAN";
    }
    return {};
}

} // namespace

const QList<TableDef>& clubTables()
{
    static const QList<TableDef> tables = buildTables();
    return tables;
}

const TableDef* findTable(const QString& name)
{
    for (const TableDef& t : clubTables())
        if (name.compare(QLatin1String(t.name), Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QStringList schemaStatements(DbEngine engine)
{
    QStringList out;
    for (const TableDef& t : clubTables()) {
        QStringList cols;
        for (const ColumnDef& c : t.columns)
            cols << QString("%1 %2").arg(QLatin1String(c.name), typeText(c, engine));
        out << QString("CREATE TABLE %1 (%2)").arg(QLatin1String(t.name), cols.join(", "));
        int n = 0;
        for (const QStringList& idx : t.indexes)
            out << QString("CREATE INDEX IX_%1_%2 ON %1 (%3)").arg(QLatin1String(t.name)).arg(++n).arg(idx.join(", "));
    }
    return out;
}

void createClubSchema(QSqlDatabase& db, DbEngine engine)
{
    QSqlQuery q(db);
    for (const QString& sql : schemaStatements(engine))
        if (!q.exec(sql))
            throw DbError(QString("Cannot create the club database: %1").arg(q.lastError().text()));
}

QString checkClubSchema(QSqlDatabase& db)
{
    for (const TableDef& t : clubTables()) {
        QSqlQuery q(db);
        // A query over the table tells whether it exists and gives its column names on
        // every engine; no rows are read.
        if (!q.exec(QString("SELECT * FROM %1 WHERE 1=0").arg(QLatin1String(t.name))))
            return QString("table %1 is missing").arg(QLatin1String(t.name));
        const QSqlRecord rec = q.record();
        for (const ColumnDef& c : t.columns)
            if (rec.indexOf(QLatin1String(c.name)) < 0)
                return QString("table %1 has no column %2").arg(QLatin1String(t.name), QLatin1String(c.name));
    }
    return {};
}
