#include "club_queries.h"
#include "club_schema.h"
#include "db_transaction.h"
#include "dist_display.h"
#include "engine_param.h"

#include <QSqlRecord>

namespace {

class SchemaTest : public EngineTest {};

TEST_P(SchemaTest, EveryTableAndColumnIsThere)
{
    QSqlDatabase db = dm().database();
    EXPECT_EQ(checkClubSchema(db), QString());
    EXPECT_EQ(clubTables().size(), 12);
    for (const TableDef& t : clubTables()) {
        QSqlQuery q = dm().exec(QString("SELECT * FROM %1 WHERE 1=0").arg(QLatin1String(t.name)));
        const QSqlRecord rec = q.record();
        ASSERT_EQ(rec.count(), t.columns.size()) << t.name;
        // Column order matters: some inserts list values without column names.
        for (int i = 0; i < rec.count(); ++i)
            EXPECT_EQ(rec.fieldName(i).toLower(), QString(QLatin1String(t.columns[i].name)).toLower()) << t.name;
    }
}

TEST_P(SchemaTest, InsertsWithoutColumnNamesFollowTheDescribedOrder)
{
    dm().exec("INSERT INTO LCX_FeatherColor VALUES (?, ?)", {"BB", "Blue Bar"});
    dm().exec("INSERT INTO LCX_ClubMap VALUES (?, ?)", {"VDC", "Demo Club"});
    dm().exec("INSERT INTO LCX_LiberateSite VALUES (?, ?, ?, ?, ?)", {"QUI1", "Quievrain", "QUIEV", "E003'41:00", "N050'24:00"});
    dm().exec("INSERT INTO LCX_SunSet_SunRise VALUES (?, ?, ?, ?, ?)",
              {"QUI10516", QDate(2026, 5, 16), QTime(21, 48), QTime(5, 24), "Quievrain"});
    EXPECT_EQ(dm().scalar("SELECT FeathColor FROM LCX_FeatherColor WHERE ColorType = ?", {"BB"}).toString(), "Blue Bar");
    EXPECT_EQ(dm().scalar("SELECT ClubName FROM LCX_ClubMap WHERE ClubID = ?", {"VDC"}).toString(), "Demo Club");
    EXPECT_EQ(dm().scalar("SELECT LiberLat FROM LCX_LiberateSite WHERE LiberCode = ?", {"QUI1"}).toString(), "N050'24:00");
    QSqlQuery q = dm().exec("SELECT RaceDate, SunSet, SunRise, Location FROM LCX_SunSet_SunRise");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(dbDate(q.value(0)), QDate(2026, 5, 16));
    EXPECT_EQ(dbTime(q.value(1)), QTime(21, 48));
    EXPECT_EQ(dbTime(q.value(2)), QTime(5, 24));
    EXPECT_EQ(q.value(3).toString(), "Quievrain");
}

// The entry fields produce longer values than the historical widths; they must be kept whole.
TEST_P(SchemaTest, LongestEntryValuesAndQuotesAreStoredWhole)
{
    const QString loftNo = "ABCDEFGHIJ12";                 // 12 characters
    const QString ringNo = "FRANCE-14-ABCDE.1234567";      // 23 characters
    const QString name = "Bram O'Neill";
    dm().insertRow("LCX_LoftData", {{"LoftNo", loftNo}, {"LoftName", name}, {"Notes", "it's 'quoted'"}});
    dm().insertRow("LCX_PigData", {{"LoftNo", loftNo}, {"PRingNo", ringNo}, {"RCountry", "FRANCE"}, {"RRegLetter", "ABCDE"}});
    dm().insertRow("LCX_PigRaceData", {{"PRingNo", ringNo}, {"LiberCode", "QUI1"}});
    EXPECT_EQ(dm().scalar("SELECT LoftName FROM LCX_LoftData WHERE LoftNo = ?", {loftNo}).toString(), name);
    EXPECT_EQ(dm().scalar("SELECT Notes FROM LCX_LoftData WHERE LoftName = ?", {name}).toString(), "it's 'quoted'");
    EXPECT_EQ(dm().scalar("SELECT RCountry FROM LCX_PigData WHERE PRingNo = ?", {ringNo}).toString(), "FRANCE");
    EXPECT_EQ(dm().scalar("SELECT count(*) FROM LCX_PigRaceData WHERE PRingNo = ?", {ringNo}).toInt(), 1);
}

TEST_P(SchemaTest, HomeClockListKeepsClocksWithoutALoft)
{
    dm().insertRow("LCX_LoftData", {{"LoftNo", "1001"}, {"LoftName", "Jan"}});
    dm().insertRow("LCX_LoftClocks", {{"LoftNo", "1001"}, {"ClockID", "C1"}, {"LastSynchDate", QDateTime(QDate(2026, 3, 5), QTime(7, 8))}});
    dm().insertRow("LCX_LoftClocks", {{"LoftNo", "9999"}, {"ClockID", "C2"}});
    const QList<HomeClockRow> rows = selectHomeClocks(dm());
    ASSERT_EQ(rows.size(), 2);
    for (const HomeClockRow& r : rows) {
        if (r.clockId == "C1") {
            EXPECT_EQ(r.loftName, "Jan");
            EXPECT_EQ(r.lastSynchDate, QDateTime(QDate(2026, 3, 5), QTime(7, 8)));
        } else {
            EXPECT_EQ(r.loftName, "");
            EXPECT_FALSE(r.lastSynchDate.isValid());
        }
    }
}

TEST_P(SchemaTest, DistanceTableDisplayRules)
{
    dm().insertRow("LCX_LoftData", {{"LoftNo", "1001"}, {"LoftName", "Jan de Vries"}});
    dm().insertRow("LCX_LoftLibPointDist", {{"LiberCode", "A"}, {"LoftNo", "1001"}, {"LoftName", "stale"}});
    EXPECT_EQ(distanceLoftNameText(dm(), "1001"), "Jan de Vries");   // the register, not the stored text
    EXPECT_EQ(distanceLoftNameText(dm(), "2002"), "");               // loft gone
    EXPECT_EQ(distanceLoftNameText(dm(), QVariant()), "");           // no loft number
    EXPECT_EQ(distanceLoftNameText(dm(), ""), "");

    const struct {
        QVariant value;
        const char* shown;
    } cases[] = {{QVariant(), ""}, {0, "0"}, {999, "999"}, {1000, "1,000"}, {12345, "12,345"},
                 {1234567, "1,234,567"}, {-1500, "-1,500"}, {QString(""), ""}};
    for (const auto& c : cases)
        EXPECT_EQ(distanceDisplayText(c.value), QString(c.shown)) << c.value.toString().toStdString();
}

TEST_P(SchemaTest, FailedStatementsRaiseTheEngineMessage)
{
    try {
        dm().exec("SELECT NoSuchColumn FROM LCX_LoftData");
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains("nosuchcolumn", Qt::CaseInsensitive)) << e.what();
    }
    EXPECT_THROW(dm().insertRow("LCX_LoftData", {{"LoftNo; DROP TABLE x", "1"}}), DbError);
    // The connection is still usable afterwards.
    EXPECT_EQ(dm().scalar("SELECT count(*) FROM LCX_LoftData").toInt(), 0);
}

TEST_P(SchemaTest, TransactionsCommitOrLeaveNothing)
{
    {
        DbTransaction tx(dm());
        dm().insertRow("LCX_ClubMap", {{"ClubID", "A"}});
        tx.commit();
    }
    try {
        DbTransaction tx(dm());
        dm().insertRow("LCX_ClubMap", {{"ClubID", "B"}});
        dm().exec("INSERT INTO NoSuchTable VALUES (1)");
        tx.commit();
    } catch (const DbError&) {
    }
    {
        // An inner part that did not finish spoils the whole.
        DbTransaction outer(dm());
        dm().insertRow("LCX_ClubMap", {{"ClubID", "C"}});
        { DbTransaction inner(dm()); }
        EXPECT_THROW(outer.commit(), DbError);
    }
    QStringList ids;
    for (const ClubMapRow& r : selectClubMap(dm()))
        ids << r.clubId;
    EXPECT_EQ(ids, QStringList{"A"});
}

INSTANTIATE_ON_ENGINES(SchemaTest);

} // namespace
